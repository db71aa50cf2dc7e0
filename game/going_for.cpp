// Going for four of a kind: the rank is named, the other two seats say whether
// they hold it, and "Дальше" settles it as a plain vurp or help, or as a draw
// towards the four.
#include <string>

#include "cards.h"
#include "game.h"
#include "hand_queries.h"

namespace vurp {

void Game::GoKats_Click(int k) {
    if (k < 1 || k > 9) {
        return;
    }
    EnableRankButtons(false);
    DeclareGoingFor(k);
}

void Game::DeclareGoingFor(int r) {
    SetText(Control::talk, CurSeat,
            TextOf(Control::talk, CurSeat) + "иду за " + RankName(RankInstrumental, r));
    Tell(GameEvent::Of(EventKind::GoingFor, CurSeat)
             .WithWords(TextOf(Control::talk, CurSeat))
             .WithRank(r));
    AskForRank(r);
    Enable(Control::Sled, 0, true);
    GoRank = r;
}

bool Game::AskForRank(int r) {
    bool held = false;
    for (int asked = 1; asked <= 2; ++asked) {
        NextSeat();
        Show(Control::Talk2, CurSeat, true);
        // Digits appear in a hand only as ranks.
        const bool holds = r >= 1 && r <= 9 &&
                           Hands[CurSeat].find(static_cast<char>('0' + r)) != std::string::npos;
        if (holds) {
            SetText(Control::Talk2, CurSeat, "Есть " + RankName(RankNominative, r));
            held = true;
        } else {
            SetText(Control::Talk2, CurSeat, "Нет " + RankName(RankGenitive, r));
        }
        Tell(GameEvent::Of(EventKind::Answer, CurSeat)
                 .WithWords(TextOf(Control::Talk2, CurSeat))
                 .WithRank(r)
                 .WithHolds(holds));
    }
    NextSeat();
    return held;
}

void Game::ResolveGoingFor() {
    // Seat 1 may still owe its second-round answer. Every chain from here ends
    // at seat 1's own turn or at a computer seat's going-for, which disables
    // these buttons again, so they never act for another seat.
    if (Status[HumanSeat] == Silent) {
        EnableSecondRoundButtons(true);
    }
    const bool held = AskForRank(GoRank);
    for (int s = 1; s <= 3; ++s) {
        Show(Control::Talk2, s, false);
    }
    if (!held) {
        GoForDraw(GoRank);
    } else if (Status[CurSeat] == SupporterGoingFor) {
        SetText(Control::talk, CurSeat, "Помогу ");
        Help_Click();
    } else {
        SetText(Control::talk, CurSeat, "Вурп ");
        vurp_Click();
    }
}

void Game::GoForDraw(int r) {
    const int s = CurSeat;
    if (Status[s] != DeclarerGoingFor) {
        Status[s] = SupporterGoingFor;
    }
    std::string kept;
    for (int p = 1; p <= 4; ++p) {
        const std::string card = CardAt(Hands[s], p);
        if (RankOf(card) == std::to_string(r)) {
            kept += card;
        }
    }
    const std::string drawn = DrawFromStock(5 - RankCount(*this, s, r));
    Hands[s] = kept + drawn;
    Tell(GameEvent::Of(EventKind::Draw, s)
             .WithRank(r)
             .WithCount(static_cast<int>(drawn.size() / 2)));
    if (s != HumanSeat) {
        ComputerDiscard();
        return;
    }
    ShowFiveClickableCards();
}

} // namespace vurp
