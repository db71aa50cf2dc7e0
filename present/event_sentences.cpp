#include "event_sentences.h"

#include <array>

#include "cards.h"
#include "table.h"

namespace vurp {

namespace {

// Rank digits "1".."9": nominative singular.
constexpr std::array<std::string_view, 9> kRankNames = {
    "Шестёрка", "Семёрка", "Восьмёрка", "Девятка", "Десятка", "Валет", "Дама", "Король", "Туз",
};

std::string Seat(int seat) {
    return "Игрок " + std::to_string(seat);
}

// The seat's words as said, without the blanks the speech boxes pad them
// with.
std::string Said(const GameEvent &event) {
    std::string words = Trim(event.words);
    for (std::size_t at = words.find("  "); at != std::string::npos; at = words.find("  ", at)) {
        words.erase(at, 1);
    }
    return Seat(event.seat) + ": " + (words.empty() ? "молчит" : words);
}

std::string Signed(Currency amount) {
    const std::string digits = PlainDecimal(amount);
    return amount > Currency() ? "+" + digits : digits;
}

std::string Settled(const GameEvent &event) {
    std::string why;
    switch (event.reason) {
    case SettlementReason::Share:
        why = "доля банка за " + Counted(event.count, "взятку", "взятки", "взяток");
        break;
    case SettlementReason::DeclarerShort:
        why = "вурп без двух взяток";
        break;
    case SettlementReason::HelperNoTrick:
        why = "помогал без взятки";
        break;
    case SettlementReason::None:
        break;
    }
    std::string sentence = Seat(event.seat) + ": " + Signed(event.amount);
    return why.empty() ? sentence : sentence + ", " + why;
}

} // namespace

std::string Counted(int n, std::string_view one, std::string_view few, std::string_view many) {
    const int tens = n % 100;
    const int units = n % 10;
    std::string_view word = many;
    if (units == 1 && tens != 11) {
        word = one;
    } else if (units >= 2 && units <= 4 && (tens < 12 || tens > 14)) {
        word = few;
    }
    return std::to_string(n) + " " + std::string(word);
}

std::string LowerFirst(std::string card) {
    // Every card name starts with a two-byte Cyrillic capital (А..П, Р..Я).
    if (card.size() >= 2 && static_cast<unsigned char>(card[0]) == 0xD0) {
        const auto second = static_cast<unsigned char>(card[1]);
        if (second >= 0x90 && second <= 0x9F) {
            card[1] = static_cast<char>(second + 0x20);
        } else if (second >= 0xA0 && second <= 0xAF) {
            card[0] = static_cast<char>(0xD1);
            card[1] = static_cast<char>(second - 0x20);
        }
    }
    return card;
}

std::string_view SuitGenitive(char suit) {
    switch (suit) {
    case 'p':
        return "пик";
    case 'k':
        return "треф";
    case 'b':
        return "бубен";
    case 'c':
        return "червей";
    default:
        return {};
    }
}

std::string_view SuitNominative(char suit) {
    switch (suit) {
    case 'p':
        return "пики";
    case 'k':
        return "трефы";
    case 'b':
        return "бубны";
    case 'c':
        return "черви";
    default:
        return {};
    }
}

std::string CardWords(std::string_view picture) {
    if (picture == CardBack) {
        return "Карта рубашкой вверх";
    }
    if (picture.size() != 2 || picture[0] < '1' || picture[0] > '9') {
        return {};
    }
    const std::string_view suit = SuitGenitive(picture[1]);
    if (suit.empty()) {
        return {};
    }
    return std::string(kRankNames[static_cast<std::size_t>(picture[0] - '1')]) + " " +
           std::string(suit);
}

std::string Sentence(const GameEvent &event) {
    const std::string rank = RankName(RankNominativeLiteral, event.rank);
    switch (event.kind) {
    case EventKind::Stakes:
        return "Ставки в банк: по " + PlainDecimal(event.amount);
    case EventKind::Turned:
        return "Открыта карта: " + LowerFirst(CardWords(event.card));
    case EventKind::Redeal:
        return "Все спасовали три раза: карты сдаются заново";
    case EventKind::Vurp:
    case EventKind::Pass:
    case EventKind::Helicopter:
    case EventKind::Help:
    case EventKind::Out:
    case EventKind::GoingFor:
    case EventKind::Answer:
        return Said(event);
    case EventKind::Draw:
        return Seat(event.seat) + " добирает из колоды " +
               Counted(event.count, "карту", "карты", "карт");
    case EventKind::TakeFive:
        return Seat(event.seat) + " берёт пять карт";
    case EventKind::Discard:
        return event.seat == HumanSeat ? "Вы сбросили: " + LowerFirst(CardWords(event.card))
                                       : Seat(event.seat) + " сбрасывает карту";
    case EventKind::Exchange:
        return event.count == 0
                   ? Seat(event.seat) + " не меняет карт"
                   : Seat(event.seat) + " меняет " + Counted(event.count, "карту", "карты", "карт");
    case EventKind::Card:
        return Seat(event.seat) + " ходит: " + LowerFirst(CardWords(event.card));
    case EventKind::Trick:
        return "Взятку берёт игрок " + std::to_string(event.seat) +
               " (взяток: " + std::to_string(event.count) + ")";
    case EventKind::FourOfAKind:
        return Seat(event.seat) + " показывает каре" + (rank.empty() ? "" : " (" + rank + ")") +
               " и берёт все взятки";
    case EventKind::Settlement:
        return Settled(event);
    }
    return {};
}

bool IsComputerMove(const GameEvent &event) {
    if (event.seat == HumanSeat || event.seat < 1 || event.seat > 3) {
        return false;
    }
    switch (event.kind) {
    case EventKind::Trick:
    case EventKind::FourOfAKind:
    case EventKind::Settlement:
        return false;
    default:
        return true;
    }
}

} // namespace vurp
