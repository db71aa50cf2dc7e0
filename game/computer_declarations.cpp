// What seats 2 and 3 declare, carried out: each decision runs the same
// commands a button would.
#include <string>

#include "computer_decisions.h"
#include "game.h"
#include "hand_queries.h"

namespace vurp {

void Game::ComputerFirstRound() {
    const FirstRoundDecision d = DecideFirstRound(*this, CurSeat, random_);
    switch (d.say) {
    case FirstRoundSay::Helicopter:
        Vert_Click();
        return;
    case FirstRoundSay::Vurp:
        vurp_Click();
        return;
    case FirstRoundSay::VurpGoingFor:
        SayVurpGoingFor();
        DeclareGoingFor(d.rank);
        return;
    case FirstRoundSay::Pass:
        PasVurp_Click();
        return;
    }
}

void Game::ComputerSecondRound() {
    const SecondRoundDecision d = DecideSecondRound(*this, CurSeat, random_);
    switch (d.say) {
    case SecondRoundSay::Help:
        Help_Click();
        return;
    case SecondRoundSay::HelpGoingFor:
        SayHelpGoingFor();
        DeclareGoingFor(d.rank);
        // Seat 1's answers may be on offer since a going-for was settled.
        EnableSecondRoundButtons(false);
        Show(Control::Change, 0, false);
        return;
    case SecondRoundSay::TakeFive:
        five_Click();
        return;
    case SecondRoundSay::Pass:
        PasHelp_Click();
        return;
    }
}

void Game::ComputerDiscard() {
    const int s = CurSeat;
    const std::string card = DecideDiscard(*this, s).card;
    Hands[s] = HandWithout(*this, s, card);
    Tell(GameEvent::Of(EventKind::Discard, s).WithCard(card));
    AfterDiscard();
}

} // namespace vurp
