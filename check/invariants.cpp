#include "invariants.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "cards.h"
#include "controls.h"
#include "json.h"
#include "money.h"

namespace vurp::check {

namespace {

// The cards of a hand, which is codes followed by at most one blank
// position, at most five positions in all; nothing for any other string.
struct HandCards {
    std::array<std::string_view, 5> cards;
    int count = 0;
    auto begin() const { return cards.begin(); }
    auto end() const { return cards.begin() + count; }
};
std::optional<HandCards> CardsOfHand(std::string_view hand) {
    if (hand.size() % 2 != 0 || hand.size() > 10) {
        return std::nullopt;
    }
    HandCards held;
    for (std::size_t p = 0; p < hand.size(); p += 2) {
        const std::string_view position = hand.substr(p, 2);
        if (position == "  " && p + 2 == hand.size()) {
            break;
        }
        if (CardNumber(position) < 0) {
            return std::nullopt;
        }
        held.cards[static_cast<std::size_t>(held.count++)] = position;
    }
    return held;
}

// A set of cards, one bit for each card number.
using CardSet = std::uint64_t;
CardSet SetOf(int n) {
    return n < 0 ? 0 : CardSet{1} << n;
}
CardSet HandSet(std::string_view hand) {
    CardSet set = 0;
    for (const std::string_view card : CardsOfHand(hand).value_or(HandCards{})) {
        set |= SetOf(CardNumber(card));
    }
    return set;
}

int CardsHeld(std::string_view hand) {
    const auto held = CardsOfHand(hand);
    return held ? held->count : 0;
}

// The rank (1..9) held four times, or 0.
int FourOfAKind(std::string_view hand) {
    const auto held = CardsOfHand(hand).value_or(HandCards{});
    for (char rank = '1'; rank <= '9'; ++rank) {
        if (std::count_if(held.begin(), held.end(),
                          [rank](std::string_view card) { return card[0] == rank; }) == 4) {
            return rank - '0';
        }
    }
    return 0;
}

// Places a card can be in, to name both places of a card held twice.
constexpr int kNowhere = 0;
constexpr int kTurned = 4;
constexpr int kPlayed = 10; // plus the seat that played it
std::string PlaceName(int place) {
    if (place == kTurned) {
        return "the turned card";
    }
    return place > kPlayed ? "the cards " + SeatName(place - kPlayed) + " played"
                           : SeatName(place) + "'s hand";
}

// Whether a hand or the cards played hold a card of `suit`.
bool HoldsSuit(std::string_view holding, std::string_view suit) {
    for (std::size_t p = 1; p < holding.size(); p += 2) {
        if (holding.substr(p, 1) == suit) {
            return true;
        }
    }
    return false;
}

} // namespace

std::string SeatName(int seat) {
    return "seat " + std::to_string(seat);
}

int CardNumber(std::string_view code) {
    if (!IsCardCode(code)) {
        return -1;
    }
    return static_cast<int>(SuitLetters.find(code[1])) * 9 + (code[0] - '1');
}

PackPlaces PlacesIn(std::string_view deck) {
    PackPlaces places;
    places.card.fill(-1);
    for (int k = 1; k <= 36 && 2 * static_cast<std::size_t>(k) <= deck.size(); ++k) {
        const int n = CardNumber(deck.substr(2 * static_cast<std::size_t>(k - 1), 2));
        if (n >= 0) {
            places.of[static_cast<std::size_t>(n)] = k;
            places.card[static_cast<std::size_t>(k)] = n;
        }
    }
    return places;
}

Problem CheckRanges(const Table &t) {
    if (t.Dealer < 1 || t.Dealer > 3) {
        return "Dealer is " + std::to_string(t.Dealer);
    }
    if (t.Deck.empty()) {
        return std::nullopt;
    }
    if (t.CurSeat < 1 || t.CurSeat > 3) {
        return "CurSeat is " + std::to_string(t.CurSeat);
    }
    int tricks = 0;
    int declarers = 0;
    for (int s = 1; s <= 3; ++s) {
        if (!IsKnownStatus(t.Status[s])) {
            return SeatName(s) + " has status " + std::to_string(StatusNumber(t.Status[s]));
        }
        if (t.Tricks[s] < 0 || t.Tricks[s] > 4) {
            return SeatName(s) + " has " + std::to_string(t.Tricks[s]) + " tricks";
        }
        tricks += t.Tricks[s];
        declarers += t.Status[s] == DeclarerReady ? 1 : 0;
    }
    if (tricks > 4) {
        return std::to_string(tricks) + " tricks in one deal";
    }
    if (t.PlayMode < 0 || t.PlayMode > 12) {
        return "PlayMode is " + std::to_string(t.PlayMode);
    }
    if (t.PlayPhase) {
        if (declarers != 1) {
            return "trick play with " + std::to_string(declarers) + " declarers";
        }
        for (int s = 1; s <= 3; ++s) {
            // Every seat has its final hand, or is out: it has spoken, has no
            // exchange ahead of it and, going for a rank as the declarer,
            // has thrown its fifth card away.
            const DeclarationStatus status = t.Status[s];
            if (!ExchangeOver(status) || status == DeclarerGoingFor) {
                return "trick play while " + SeatName(s) + " has status " +
                       std::to_string(StatusNumber(status));
            }
        }
    }
    return std::nullopt;
}

Problem CheckCards(const Table &t, const std::vector<Play> &playedThisDeal) {
    if (t.Deck.empty()) {
        for (int s = 1; s <= 3; ++s) {
            if (!t.Hands[s].empty()) {
                return SeatName(s) + " holds " + JsonString(t.Hands[s]) + " before any deal";
            }
        }
        return std::nullopt;
    }
    if (t.Deck.size() != 72) {
        return "the deck is " + JsonString(t.Deck) + ", not 36 cards";
    }
    std::array<int, 36> deckIndex{}; // card k of the deck, 0 when absent
    for (int k = 1; k <= 36; ++k) {
        const std::string_view card = std::string_view(t.Deck).substr(2 * (k - 1), 2);
        const int n = CardNumber(card);
        if (n < 0) {
            return "card " + std::to_string(k) + " of the deck is " + JsonString(card);
        }
        if (deckIndex[static_cast<std::size_t>(n)] != 0) {
            return std::string(card) + " is twice in the deck";
        }
        deckIndex[static_cast<std::size_t>(n)] = k;
    }

    const int turnedNumber = CardNumber(t.TurnedCard);
    if (turnedNumber < 0) {
        return "the turned card is " + JsonString(t.TurnedCard);
    }
    const int turned = deckIndex[static_cast<std::size_t>(turnedNumber)];
    if (turned < 13 || turned > 15 || t.DeckPos <= turned) {
        return "the turned card " + t.TurnedCard + " is card " + std::to_string(turned) +
               " of the deck with DeckPos " + std::to_string(t.DeckPos);
    }
    if (t.Trump != SuitOf(t.TurnedCard)) {
        return "the trump is " + JsonString(t.Trump) + " under the turned card " + t.TurnedCard;
    }

    std::array<int, 36> seen{}; // where each card is, to find a card in two places
    const auto place = [&seen](int n, int where) -> Problem {
        int &first = seen[static_cast<std::size_t>(n)];
        if (first != kNowhere) {
            return CardAt(DeckLiteral, n + 1) + " is in " + PlaceName(first) + " and in " +
                   PlaceName(where);
        }
        first = where;
        return std::nullopt;
    };
    if (Problem problem = place(turnedNumber, kTurned)) {
        return problem;
    }
    for (int s = 1; s <= 3; ++s) {
        const auto held = CardsOfHand(t.Hands[s]);
        if (!held) {
            return SeatName(s) + "'s hand " + JsonString(t.Hands[s]) +
                   " is not cards followed by at most one blank position";
        }
        for (const std::string_view card : *held) {
            const int n = CardNumber(card);
            // Dealt (cards 1-12) or drawn: draws start two cards after the
            // turned card, the next candidate lying between.
            const int k = deckIndex[static_cast<std::size_t>(n)];
            if (k > 12 && (k < turned + 2 || k > t.DeckPos)) {
                return SeatName(s) + " holds " + std::string(card) + ", card " + std::to_string(k) +
                       " of the deck, which was neither dealt nor drawn" + " (DeckPos " +
                       std::to_string(t.DeckPos) + ")";
            }
            if (Problem problem = place(n, s)) {
                return problem;
            }
        }
    }
    for (const Play &play : playedThisDeal) {
        const int n = CardNumber(play.card);
        if (n < 0) {
            return SeatName(play.seat) + " played " + JsonString(play.card) + ", not a card";
        }
        if (Problem problem = place(n, kPlayed + play.seat)) {
            return problem;
        }
        if (std::find(t.Played.begin() + 1, t.Played.end(), play.card) == t.Played.end()) {
            return play.card + " was played but is in no slot of Played";
        }
    }
    return std::nullopt;
}

Problem CheckDeckPos(int before, int after, bool newDeal) {
    if (after > 36) {
        return "DeckPos is " + std::to_string(after) + ", past the 36 cards of the deck";
    }
    if (!newDeal && after < before) {
        return "DeckPos fell from " + std::to_string(before) + " to " + std::to_string(after) +
               " within a deal";
    }
    return std::nullopt;
}

Problem CheckHandSizes(const Table &t, const std::vector<Play> &playedThisDeal) {
    if (!t.PlayPhase) {
        return std::nullopt;
    }
    for (int s = 1; s <= 3; ++s) {
        if (t.Status[s] == Out) {
            continue;
        }
        const auto played = std::count_if(playedThisDeal.begin(), playedThisDeal.end(),
                                          [s](const Play &play) { return play.seat == s; });
        const int held = CardsHeld(t.Hands[s]);
        if (held + played != 4) {
            return SeatName(s) + " holds " + std::to_string(held) + " cards after playing " +
                   std::to_string(played) + " in trick play";
        }
    }
    return std::nullopt;
}

Problem CheckFollowsSuit(const Play &play, const std::string &ledSuit, const std::string &trump) {
    if (CardNumber(play.card) < 0 || play.holding.find(play.card) == std::string::npos) {
        return SeatName(play.seat) + " played " + JsonString(play.card) +
               ", which is not one of its cards " + play.holding;
    }
    const std::string suit = SuitOf(play.card);
    std::string rule;
    if (HoldsSuit(play.holding, ledSuit)) {
        rule = suit == ledSuit ? "" : "it must follow suit";
    } else if (HoldsSuit(play.holding, trump)) {
        rule = suit == trump ? "" : "it has no card of the led suit and must play a trump";
    }
    if (rule.empty()) {
        return std::nullopt;
    }
    return SeatName(play.seat) + " played " + play.card + " from " + play.holding +
           " to a trick led in " + ledSuit + " with trump " + trump + ": " + rule;
}

const Play &TrickWinner(const std::vector<Play> &trick, const std::string &trump) {
    const std::string led = SuitOf(trick.front().card);
    // A trump outranks every other card, a card of the led suit every card
    // of a third suit, which never wins.
    const auto strength = [&](const Play &play) {
        const std::string suit = SuitOf(play.card);
        const int rank = play.card[0] - '0';
        return suit == trump ? 20 + rank : suit == led ? 10 + rank : 0;
    };
    return *std::max_element(trick.begin(), trick.end(), [&](const Play &a, const Play &b) {
        return strength(a) < strength(b);
    });
}

int FirstLeaderOf(const Table &t) {
    int tookFive = 0;
    int lastTookFive = 0;
    int declarer = 0;
    for (int s = 1; s <= 3; ++s) {
        if (t.Status[s] == TookFive) {
            ++tookFive;
            lastTookFive = s;
        }
        if (t.Status[s] == DeclarerReady) {
            declarer = s;
        }
    }
    if (tookFive == 1) {
        return lastTookFive;
    }
    return tookFive == 2 ? declarer % 3 + 1 : declarer;
}

int NextPlayingSeat(const Table &t, int seat) {
    int next = seat % 3 + 1;
    for (int tries = 0; tries < 2 && t.Status[next] == Out; ++tries) {
        next = next % 3 + 1;
    }
    return next;
}

Problem CheckSettledDeal(const Table &t, const std::array<int, 4> &countedTricks,
                         bool cardsPlayed) {
    if (t.PlayPhase) {
        return "the deal was settled during trick play";
    }
    int declarer = 0;
    int total = 0;
    bool contested = false;
    for (int s = 1; s <= 3; ++s) {
        total += t.Tricks[s];
        declarer = t.Status[s] == DeclarerReady ? s : declarer;
        contested = contested || (t.Status[s] != DeclarerReady && t.Status[s] != Out);
    }
    if (total != 4) {
        return "a deal was settled with " + std::to_string(total) + " tricks";
    }
    if (declarer == 0) {
        return "a deal was settled without a declarer";
    }
    if (t.Dealer != declarer) {
        return "the declarer is " + SeatName(declarer) + " but the next dealer is " +
               SeatName(t.Dealer);
    }
    if (cardsPlayed) {
        for (int s = 1; s <= 3; ++s) {
            const int counted = countedTricks[static_cast<std::size_t>(s)];
            if (t.Tricks[s] != counted) {
                return SeatName(s) + " is credited with " + std::to_string(t.Tricks[s]) +
                       " tricks; it won " + std::to_string(counted);
            }
        }
        return std::nullopt;
    }
    // No card was played: nobody played against the declarer, or the
    // highest four of a kind took every trick.
    int taker = contested ? 0 : declarer;
    for (int s = 1, best = 0; contested && s <= 3; ++s) {
        const int rank = FourOfAKind(t.Hands[s]);
        if (rank > best) {
            best = rank;
            taker = s;
        }
    }
    if (taker == 0) {
        return "a contested deal ended without a card played and without four of a kind";
    }
    if (t.Tricks[taker] != 4) {
        return SeatName(taker) + " should take all four tricks without play but has " +
               std::to_string(t.Tricks[taker]);
    }
    return std::nullopt;
}

namespace {

// In ten-thousandths, as the currency holds it.
std::string Amount(std::int64_t raw) {
    return PlainDecimal(Currency::FromRaw(raw));
}

} // namespace

Problem CheckSettlement(const Table &t, const Purse &before, const RecordingView &after) {
    constexpr std::int64_t kUnit = Currency::kScale;
    // The bank as a whole number, a half going to the even neighbour.
    std::int64_t whole = before.bank.Raw() / kUnit;
    const std::int64_t rest = before.bank.Raw() % kUnit; // of the bank's sign
    const bool odd = whole % 2 != 0;
    if (rest > kUnit / 2 || (rest == kUnit / 2 && odd)) {
        ++whole;
    } else if (rest < -kUnit / 2 || (rest == -kUnit / 2 && odd)) {
        --whole;
    }
    std::int64_t bank = 0;
    std::int64_t paid = 0;
    bool failed = false; // a seat paid, if only a bank of 0
    bool inRange = !__builtin_mul_overflow(whole, kUnit, &bank);
    for (int s = 1; s <= 3; ++s) {
        // What the seat undertook, in tricks, and what failing it costs.
        int undertook = 0;
        std::int64_t fine = 0;
        switch (t.Status[s]) {
        case DeclarerReady:
            undertook = 2;
            inRange = inRange && !__builtin_mul_overflow(bank, 2, &fine);
            break;
        case SupporterGoingFor:
        case TookFive:
        case SupporterReady:
            undertook = 1;
            fine = bank;
            break;
        case Out:
            break;
        default:
            return SeatName(s) + " has status " + std::to_string(StatusNumber(t.Status[s])) +
                   " at settlement";
        }
        const int tricks = t.Tricks[s];
        const std::int64_t penalty = tricks < undertook ? fine : 0;
        failed = failed || tricks < undertook;
        // A quarter of a whole bank is exact in ten-thousandths.
        std::int64_t share = 0;
        std::int64_t expected = 0;
        inRange = inRange && !__builtin_mul_overflow(whole * (kUnit / 4), tricks, &share) &&
                  !__builtin_add_overflow(before.balances[static_cast<std::size_t>(s)].Raw(), share,
                                          &expected) &&
                  !__builtin_sub_overflow(expected, penalty, &expected) &&
                  !__builtin_add_overflow(paid, penalty, &paid);
        if (!inRange) {
            return "the settlement of a bank of " + PlainDecimal(before.bank) +
                   " goes beyond the currency";
        }
        const std::string shown = after.Text(Control::Money, s);
        if (ReadCurrency(shown).Raw() != expected) {
            return SeatName(s) + " (status " + std::to_string(StatusNumber(t.Status[s])) + ", " +
                   std::to_string(tricks) + " tricks) shows " + JsonString(shown) +
                   " after the settlement of a bank of " + Amount(bank) + " from " +
                   PlainDecimal(before.balances[static_cast<std::size_t>(s)]) +
                   "; it should have " + Amount(expected);
        }
    }
    const std::string next = after.Text(Control::bank, 0);
    if (failed ? ReadCurrency(next).Raw() != paid || next == "0" : next != "0") {
        return "the bank shows " + JsonString(next) + " after the settlement; " +
               (failed ? "the penalties make " + Amount(paid) : "nobody paid: \"0\"");
    }
    return std::nullopt;
}

StockDraws DrawsOf(const Table &start, const Table &t, bool goingForResolved,
                   const std::vector<Play> &playedThisEvent) {
    StockDraws draws;
    int drawing = 0; // the going-for seat that drew, which then exchanges no cards
    const int seat = start.CurSeat;
    const int rank = start.GoRank;
    if (goingForResolved && seat >= 1 && seat <= 3 && rank >= 1 && rank <= 9 &&
        (start.Status[seat] == DeclarerGoingFor || start.Status[seat] == SupporterGoingFor)) {
        const auto ofRank = [rank](std::string_view card) { return card[0] - '0' == rank; };
        bool heldElsewhere = false;
        int kept = 0;
        for (int s = 1; s <= 3; ++s) {
            const auto held = CardsOfHand(start.Hands[s]).value_or(HandCards{});
            const int n = static_cast<int>(std::count_if(held.begin(), held.end(), ofRank));
            if (s == seat) {
                kept = n;
            } else {
                heldElsewhere = heldElsewhere || n > 0;
            }
        }
        if (!heldElsewhere) {
            drawing = seat;
            draws.cards += 5 - kept;
            draws.unseen += seat != HumanSeat ? 1 : 0;
        }
    }
    const auto ready = [](DeclarationStatus status) {
        return status == DeclarerReady || status == SupporterReady;
    };
    for (int s = 1; s <= 3; ++s) {
        if (t.Status[s] == TookFive && start.Status[s] != TookFive) {
            draws.cards += 5;
            draws.unseen += s != HumanSeat ? 1 : 0;
        } else if (s != drawing && ready(t.Status[s]) && !ready(start.Status[s])) {
            // The exchange brings the hand back to four.
            int kept = 0;
            for (const std::string_view card : CardsOfHand(start.Hands[s]).value_or(HandCards{})) {
                const bool played = std::any_of(
                    playedThisEvent.begin(), playedThisEvent.end(),
                    [&](const Play &play) { return play.seat == s && play.card == card; });
                kept += played || (HandSet(t.Hands[s]) & SetOf(CardNumber(card))) != 0 ? 1 : 0;
            }
            draws.cards += std::max(0, 4 - kept);
        }
    }
    return draws;
}

Problem CheckStock(const Table &start, const Table &t, int drawnThisDeal, int unseen,
                   const std::vector<Play> &playedThisEvent) {
    return CheckStock(PlacesIn(t.Deck), start, t, drawnThisDeal, unseen, playedThisEvent);
}

Problem CheckHandOrder(const Table &t) {
    return CheckHandOrder(PlacesIn(t.Deck), t);
}

Problem CheckStock(const PackPlaces &pack, const Table &start, const Table &t, int drawnThisDeal,
                   int unseen, const std::vector<Play> &playedThisEvent) {
    const int turnedNumber = CardNumber(t.TurnedCard);
    const int turned = turnedNumber < 0 ? 0 : pack.of[static_cast<std::size_t>(turnedNumber)];
    if (t.DeckPos != turned + 1 + drawnThisDeal) {
        return "DeckPos is " + std::to_string(t.DeckPos) + " with the turned card at " +
               std::to_string(turned) + " and " + std::to_string(drawnThisDeal) +
               " cards drawn in this deal; it should be " +
               std::to_string(turned + 1 + drawnThisDeal);
    }
    // The cards each seat holds at the end of the event or put on a trick
    // during it; those it did not hold at the start came from the stock.
    std::array<CardSet, 4> reached{};
    for (int s = 1; s <= 3; ++s) {
        reached[static_cast<std::size_t>(s)] = HandSet(t.Hands[s]);
    }
    for (const Play &play : playedThisEvent) {
        if (play.seat >= 1 && play.seat <= 3) {
            reached[static_cast<std::size_t>(play.seat)] |= SetOf(CardNumber(play.card));
        }
    }
    const int from = std::max(start.DeckPos, turned + 1);
    CardSet drawn = 0;
    for (int k = from + 1; k <= t.DeckPos && k <= 36; ++k) {
        drawn |= SetOf(pack.card[static_cast<std::size_t>(k)]);
    }
    CardSet anyHand = 0;
    for (int s = 1; s <= 3; ++s) {
        const CardSet taken = reached[static_cast<std::size_t>(s)] & ~HandSet(start.Hands[s]);
        if (const CardSet stray = taken & ~drawn; stray != 0) {
            const int n = std::countr_zero(stray);
            return SeatName(s) + " took " + CardAt(DeckLiteral, n + 1) + ", card " +
                   std::to_string(pack.of[static_cast<std::size_t>(n)]) +
                   " of the pack, when the cards drawn were " + std::to_string(from + 1) + " to " +
                   std::to_string(t.DeckPos);
        }
        anyHand |= reached[static_cast<std::size_t>(s)];
    }
    if (const CardSet lost = drawn & ~anyHand; std::popcount(lost) > unseen) {
        std::string cards;
        for (int n = 0; n < 36; ++n) {
            cards += (lost & SetOf(n)) != 0 ? " " + CardAt(DeckLiteral, n + 1) : "";
        }
        return "cards drawn from the stock reached no hand:" + cards + " (cards " +
               std::to_string(from + 1) + " to " + std::to_string(t.DeckPos) + " of the pack)";
    }
    return std::nullopt;
}

Problem CheckHandOrder(const PackPlaces &pack, const Table &t) {
    for (int s = 1; s <= 3; ++s) {
        int last = 0;
        for (const std::string_view card : CardsOfHand(t.Hands[s]).value_or(HandCards{})) {
            const int k = pack.of[static_cast<std::size_t>(CardNumber(card))];
            if (k <= last) {
                return SeatName(s) + " holds " + CardAt(t.Deck, last) + " before " +
                       std::string(card) + ", which left the pack first: " + JsonString(t.Hands[s]);
            }
            last = k;
        }
    }
    return std::nullopt;
}

Table FreshDeal(const Table &t) {
    Table dealt = t;
    if (t.Deck.size() != 72) {
        return dealt;
    }
    for (int s = 1; s <= 3; ++s) {
        dealt.Hands[s] = t.Deck.substr(8 * static_cast<std::size_t>(s - 1), 8) + "  ";
        dealt.Status[s] = Silent;
        dealt.Tricks[s] = 0;
    }
    dealt.TurnedCard = CardAt(t.Deck, 13);
    dealt.DeckPos = 14;
    dealt.PlayPhase = false;
    return dealt;
}

namespace {

// The balances and the bank.
constexpr std::pair<Control, int> kMoneyBoxes[] = {
    {Control::Money, 1}, {Control::Money, 2}, {Control::Money, 3}, {Control::bank, 0}};

} // namespace

bool NearCurrencyLimit(const RecordingView &view, Currency stake) {
    // One event adds or doubles a few amounts: amounts below a sixteenth of
    // the limit stay well inside it.
    constexpr std::int64_t kHeadroom = INT64_MAX / 16; // above 5e14
    const auto near = [](Currency amount, std::int64_t limit) {
        return amount.Raw() >= limit || amount.Raw() <= -limit;
    };
    return near(stake, kHeadroom / 3) ||
           std::any_of(std::begin(kMoneyBoxes), std::end(kMoneyBoxes), [&](const auto &box) {
               // A text as the game writes it with fewer than 15 characters
               // holds fewer than 14 whole digits: not worth reading.
               const std::string text = view.Text(box.first, box.second);
               return text.size() >= 15 && near(ReadCurrency(text), kHeadroom);
           });
}

Problem CheckMoney(const RecordingView &view, std::optional<Currency> expected) {
    std::int64_t total = 0;
    bool inRange = true;
    for (const auto &[control, index] : kMoneyBoxes) {
        const std::string text = view.Text(control, index);
        const Currency amount = ReadCurrency(text);
        if (text != "0" && text != WriteNumber(amount)) {
            return ElementName(control, index) + " shows " + JsonString(text) +
                   ", not a number as the game writes it";
        }
        inRange = inRange && !__builtin_add_overflow(total, amount.Raw(), &total);
    }
    if (!expected) {
        return std::nullopt;
    }
    if (!inRange) {
        return std::string("the balances and the bank add up to more than the currency holds");
    }
    if (total != expected->Raw()) {
        return "the balances and the bank add up to " + PlainDecimal(Currency::FromRaw(total)) +
               ", not " + PlainDecimal(*expected);
    }
    return std::nullopt;
}

Problem CheckSomethingPressable(const RecordingView &view) {
    for (const auto &[control, index] : GameControls()) {
        if (view.Visible(control, index) && view.Enabled(control, index)) {
            return std::nullopt;
        }
    }
    return "the game is stuck: no control that moves it on can be pressed";
}

Problem CompareTables(const Table &before, const Table &after) {
    const std::pair<const char *, bool> fields[] = {
        {"Deck", before.Deck == after.Deck},
        {"DeckPos", before.DeckPos == after.DeckPos},
        {"Hands", before.Hands == after.Hands},
        {"TurnedCard", before.TurnedCard == after.TurnedCard},
        {"Trump", before.Trump == after.Trump},
        {"TrumpsOut", before.TrumpsOut == after.TrumpsOut},
        {"CurSeat", before.CurSeat == after.CurSeat},
        {"Dealer", before.Dealer == after.Dealer},
        {"Stake", before.Stake == after.Stake},
        {"Status", before.Status == after.Status},
        {"Tricks", before.Tricks == after.Tricks},
        {"PlayPhase", before.PlayPhase == after.PlayPhase},
        {"PlayMode", before.PlayMode == after.PlayMode},
        {"Played", before.Played == after.Played},
        {"TrickBest", before.TrickBest == after.TrickBest},
        {"LedSuit", before.LedSuit == after.LedSuit},
        {"GoRank", before.GoRank == after.GoRank},
        {"CardPicture", before.CardPicture == after.CardPicture},
        {"WorkCard", before.WorkCard == after.WorkCard},
        {"RankInstrumental", before.RankInstrumental == after.RankInstrumental},
        {"RankNominative", before.RankNominative == after.RankNominative},
        {"RankGenitive", before.RankGenitive == after.RankGenitive},
        {"I", before.I == after.I},
    };
    for (const auto &[name, same] : fields) {
        if (!same) {
            return std::string(name) + " changed";
        }
    }
    return std::nullopt;
}

Problem CompareViews(const RecordingView &before, const RecordingView &after) {
    for (const auto &[control, index] : AllElements()) {
        const ControlState &a = before.State(control, index);
        const ControlState &b = after.State(control, index);
        const std::pair<const char *, bool> properties[] = {
            {"text", a.text == b.text},          {"picture", a.picture == b.picture},
            {"visible", a.visible == b.visible}, {"enabled", a.enabled == b.enabled},
            {"back colour", a.back == b.back},   {"fore colour", a.fore == b.fore},
        };
        for (const auto &[name, same] : properties) {
            if (!same) {
                return "the " + std::string(name) + " of " + ElementName(control, index) +
                       " changed";
            }
        }
    }
    return std::nullopt;
}

} // namespace vurp::check
