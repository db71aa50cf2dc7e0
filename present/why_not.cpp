#include "why_not.h"

#include "event_sentences.h"

#include <array>
#include <optional>
#include <utility>

#include "cards.h"
#include "controls.h"
#include "hand_queries.h"

namespace vurp {

namespace {

// The suits by the letters of the card pictures, in the plural: "пики",
// "пик"; empty for a letter that is no suit.
template <std::size_t N> bool OneOf(Control control, const std::array<Control, N> &controls) {
    for (const Control c : controls) {
        if (c == control) {
            return true;
        }
    }
    return false;
}

template <std::size_t N> bool AnyPressable(const View &view, const std::array<Control, N> &cs) {
    for (const Control c : cs) {
        if (Pressable(view, c)) {
            return true;
        }
    }
    return false;
}

// The controls a player presses to move the game on; the rest never take a
// press that could be refused.
bool Explained(Control control) {
    return control == Control::Razd || control == Control::Sled || control == Control::Change ||
           control == Control::GoKats || control == Control::Pict1 ||
           OneOf(control, kFirstRoundButtons) || OneOf(control, kSecondRoundButtons);
}

std::string SeatWord(int seat) {
    return std::to_string(seat);
}

bool DeclaredTheGame(DeclarationStatus status) {
    return status == Declarer || status == DeclarerGoingFor || status == DeclarerReady;
}

// The seat that said vurp, the helicopter or went for four as declarer in
// this deal; NoSeat while nobody has.
int DeclaringSeat(const Table &table) {
    for (int s = 1; s <= 3; ++s) {
        if (DeclaredTheGame(table.Status[static_cast<std::size_t>(s)])) {
            return s;
        }
    }
    return NoSeat;
}

bool ValidSeat(int seat) {
    return seat >= 1 && seat <= 3;
}

// "Дальше" settles a declaration of going for four: who goes for what.
std::string GoingForPending(const Table &table) {
    const std::string rank = table.GoRank >= 1 && table.GoRank <= 9
                                 ? RankName(table.RankInstrumental, table.GoRank)
                                 : std::string();
    if (rank.empty() || !ValidSeat(table.CurSeat)) {
        return "Сначала нажмите «Дальше»";
    }
    const std::string who =
        table.CurSeat == HumanSeat ? "Вы идете" : "Игрок " + SeatWord(table.CurSeat) + " идет";
    return who + " за " + rank + ": нажмите «Дальше»";
}

// What the player has to do now, or who else acts: the reason for any control
// that has nothing more particular to say.
std::string WhatNow(const Table &table, const View &view) {
    if (Pressable(view, Control::Sled)) {
        return table.PlayPhase ? "Взятка сыграна: нажмите «Дальше»" : GoingForPending(table);
    }
    if (AnyPressable(view, Control::GoKats)) {
        return "Сначала выберите, за какими картами идти";
    }
    const bool choosingCard = AnyPressable(view, Control::Pict1);
    if (!table.PlayPhase && DiscardDue(table.Status[HumanSeat]) && choosingCard) {
        return "Сначала сбросьте одну из пяти карт";
    }
    if (Pressable(view, Control::Change)) {
        return "Сначала закончите обмен кнопкой «" + view.Text(Control::Change, 0) + "»";
    }
    if (table.PlayPhase) {
        if (choosingCard) {
            return "Сейчас ваш ход: выберите карту";
        }
        return ValidSeat(table.CurSeat) && table.CurSeat != HumanSeat
                   ? "Сейчас ходит игрок " + SeatWord(table.CurSeat)
                   : std::string();
    }
    if (AnyPressable(view, kFirstRoundButtons)) {
        return "Сейчас ваше слово: вурп или пас";
    }
    if (AnyPressable(view, kSecondRoundButtons)) {
        return "Сейчас ваше слово: помочь или пас";
    }
    return ValidSeat(table.CurSeat) && table.CurSeat != HumanSeat
               ? "Сейчас говорит игрок " + SeatWord(table.CurSeat)
               : std::string();
}

// A card of the hand that the follow-suit rule keeps back while the player
// chooses a card to a trick someone else led.
std::string FollowSuit(const Table &table, const View &view, int box) {
    const bool followsALead = table.PlayPhase && table.PlayMode >= 1 && table.PlayMode <= 12 &&
                              PositionOf(table.PlayMode) != 1 && TrickOf(table.PlayMode) != 4;
    if (!followsALead || table.CurSeat != HumanSeat || !AnyPressable(view, Control::Pict1) ||
        table.LedSuit.size() != 1 || table.Trump.size() != 1) {
        return {};
    }
    const std::string suit = SuitOf(CardAt(table.Hands[HumanSeat], box));
    if (SuitCount(table, HumanSeat, table.LedSuit) > 0) {
        if (suit == table.LedSuit) {
            return {};
        }
        const std::string held = std::string(SuitNominative(table.LedSuit[0]));
        return held.empty() ? "Нужно ходить в масть" : "Нужно ходить в масть: у вас есть " + held;
    }
    if (SuitCount(table, HumanSeat, table.Trump) > 0 && suit != table.Trump) {
        const std::string missing = std::string(SuitGenitive(table.LedSuit[0]));
        return missing.empty() ? "Нужно бить козырем"
                               : "Нужно бить козырем: " + missing + " у вас нет";
    }
    return {};
}

// The first round's words: taken once anyone has declared, and the
// helicopter only with its hand.
std::string FirstRoundReason(const Table &table, const View &view, Control control) {
    if (const int declarer = DeclaringSeat(table); declarer != NoSeat) {
        return declarer == HumanSeat ? "Вы уже объявили игру"
                                     : "Игрок " + SeatWord(declarer) + " уже объявил игру";
    }
    if (control == Control::Vert && AnyPressable(view, kFirstRoundButtons)) {
        return "Вертолет можно объявить только с шестеркой и тузом козырей без других козырей";
    }
    return {};
}

// The second round's words answer another seat's vurp, once.
std::string SecondRoundReason(const Table &table) {
    const DeclarationStatus mine = table.Status[HumanSeat];
    if (DeclaredTheGame(mine)) {
        return "Вы объявили игру: отвечают другие игроки";
    }
    if (HasSpoken(mine)) {
        return "Вы уже ответили";
    }
    if (DeclaringSeat(table) == NoSeat) {
        return "Сначала кто-то другой должен сказать «Вурп»";
    }
    return {};
}

// A rank is chosen after "иду за...".
std::string RankReason(const View &view) {
    if (AnyPressable(view, kFirstRoundButtons)) {
        return "Сначала нажмите «Вурп, иду за...»";
    }
    if (AnyPressable(view, kSecondRoundButtons)) {
        return "Сначала нажмите «Помогу, иду за...»";
    }
    return {};
}

std::string Particular(const Table &table, const View &view, Control control, int index) {
    if (control == Control::Pict1) {
        return FollowSuit(table, view, index);
    }
    const bool declaring = control == Control::GoKats || OneOf(control, kFirstRoundButtons) ||
                           OneOf(control, kSecondRoundButtons);
    if (declaring && table.PlayPhase) {
        return "Объявления окончены: идет розыгрыш взяток";
    }
    if (OneOf(control, kFirstRoundButtons)) {
        return FirstRoundReason(table, view, control);
    }
    if (OneOf(control, kSecondRoundButtons)) {
        return SecondRoundReason(table);
    }
    if (control == Control::GoKats) {
        return RankReason(view);
    }
    return {};
}

} // namespace

bool Pressable(const View &view, Control control, int index) {
    return view.Visible(control, index) && view.Enabled(control, index);
}

bool AnyPressable(const View &view, Control control) {
    const int count = DesignOf(control).count;
    for (int i = count == 0 ? 0 : 1; i <= count; ++i) {
        if (Pressable(view, control, i)) {
            return true;
        }
    }
    return false;
}

namespace {

// The reasons of one table: what the player has to do now, shared by most
// controls, is worked out once, when first needed.
class Reasons {
public:
    Reasons(const Table &table, const View &view) : table_(table), view_(view) {}

    void For(Control control, int index, std::string &reason) {
        if (!Explained(control) || !ValidControl(control, index) ||
            !view_.Visible(control, index) || view_.Enabled(control, index)) {
            reason.clear();
            return;
        }
        // "Раздать" waits for the end of the deal, and between deals nothing
        // else can be pressed.
        if (control == Control::Razd) {
            reason = "Новую сдачу можно начать, когда эта будет сыграна";
            return;
        }
        if (Pressable(view_, Control::Razd)) {
            reason = table_.Deck.empty() ? "Сначала нажмите «Раздать»"
                                         : "Сдача сыграна: нажмите «Раздать»";
            return;
        }
        if (std::string particular = Particular(table_, view_, control, index);
            !particular.empty()) {
            reason = std::move(particular);
            return;
        }
        if (!now_) {
            now_ = WhatNow(table_, view_);
        }
        reason = *now_;
    }

private:
    const Table &table_;
    const View &view_;
    std::optional<std::string> now_;
};

} // namespace

std::string WhyNot(const Table &table, const View &view, Control control, int index) {
    std::string reason;
    Reasons(table, view).For(control, index, reason);
    return reason;
}

void WhyNotEach(const Table &table, const View &view, std::vector<std::string> &reasons) {
    const auto &elements = AllElements();
    // The places of the elements that may have a reason; the rest never do.
    static const std::vector<std::size_t> explained = [&elements] {
        std::vector<std::size_t> places;
        for (std::size_t k = 0; k < elements.size(); ++k) {
            if (Explained(elements[k].first)) {
                places.push_back(k);
            }
        }
        return places;
    }();
    reasons.resize(elements.size());
    Reasons each(table, view);
    for (const std::size_t k : explained) {
        each.For(elements[k].first, elements[k].second, reasons[k]);
    }
}

} // namespace vurp
