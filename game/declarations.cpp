// The order of speaking and the declaration commands. Every command acts for
// CurSeat, so the computer seats run the very same routines as the buttons;
// steps that touch seat 1's controls run only when seat 1 has the word.
#include "cards.h"
#include "controls.h"
#include "game.h"
#include "hand_queries.h"

namespace vurp {

void Game::EnableFirstRoundButtons(bool enabled) {
    for (Control c : kFirstRoundButtons) {
        Enable(c, 0, enabled);
    }
}

void Game::EnableSecondRoundButtons(bool enabled) {
    for (Control c : kSecondRoundButtons) {
        Enable(c, 0, enabled);
    }
}

void Game::EnableRankButtons(bool enabled) {
    for (int k = 1; k <= 9; ++k) {
        Enable(Control::GoKats, k, enabled);
    }
}

void Game::AfterFinalAnswer() {
    NextSeat();
    if (AllDeclared()) {
        ExchangeStep();
    } else {
        SecondRoundTurn();
    }
}

void Game::AfterDiscard() {
    if (Status[CurSeat] == DeclarerGoingFor) {
        Status[CurSeat] = DeclarerReady;
    }
    AfterFinalAnswer();
}

void Game::NextSeat() {
    // Only 1 and 2 step up; anything else starts the circle again at seat 1,
    // so the seat never leaves 1..3.
    CurSeat = CurSeat == 1 || CurSeat == 2 ? CurSeat + 1 : 1;
}

bool Game::AllDeclared() const {
    return HasSpoken(Status[1]) && HasSpoken(Status[2]) && HasSpoken(Status[3]);
}

bool Game::AllExchanged() const {
    return ExchangeOver(Status[1]) && ExchangeOver(Status[2]) && ExchangeOver(Status[3]);
}

void Game::FirstRoundTurn() {
    if (CurSeat != HumanSeat) {
        ComputerFirstRound();
        return;
    }
    if (HoldsHelicopter(*this, HumanSeat)) {
        Enable(Control::Vert, 0, true);
    }
}

void Game::SecondRoundTurn() {
    if (CurSeat != HumanSeat) {
        ComputerSecondRound();
        return;
    }
    EnableSecondRoundButtons(true);
}

void Game::TellSaid(EventKind kind) {
    Tell(GameEvent::Of(kind, CurSeat).WithWords(TextOf(Control::talk, CurSeat)));
}

void Game::vurp_Click() {
    Status[CurSeat] = Declarer;
    SetText(Control::talk, CurSeat, "Вурп ");
    TellSaid(EventKind::Vurp);
    EnableFirstRoundButtons(false);
    NextSeat();
    SecondRoundTurn();
}

void Game::PasVurp_Click() {
    SetText(Control::talk, CurSeat, "Пас");
    TellSaid(EventKind::Pass);
    Enable(Control::Vert, 0, false);
    if (CurSeat != Dealer) {
        NextSeat();
        FirstRoundTurn();
        return;
    }
    // The dealer speaks last: every seat has refused this candidate, and
    // after the third the cards are dealt again.
    if (DeckPos >= 16) {
        Tell(GameEvent::Of(EventKind::Redeal));
        CollectStakes();
        Razd_Click();
        return;
    }
    TurnCandidate(DeckPos);
    NextSeat();
    FirstRoundTurn();
}

void Game::VurpGo_Click() {
    SayVurpGoingFor();
    EnableRankButtons(true);
}

void Game::SayVurpGoingFor() {
    SetText(Control::talk, CurSeat, "Вурп ");
    Status[CurSeat] = DeclarerGoingFor;
    EnableFirstRoundButtons(false);
}

void Game::Vert_Click() {
    EnableFirstRoundButtons(false);
    SetText(Control::talk, CurSeat, "Вертолет ");
    TellSaid(EventKind::Helicopter);
    Status[CurSeat] = DeclarerReady;
    // Both other seats are bound to help a helicopter.
    for (int helper = 1; helper <= 2; ++helper) {
        NextSeat();
        SetText(Control::talk, CurSeat, "Помогу ");
        TellSaid(EventKind::Help);
        Status[CurSeat] = SupporterReady;
    }
    BeginPlay();
}

void Game::five_Click() {
    SetText(Control::talk, CurSeat, "Беру 5");
    TellSaid(EventKind::TakeFive);
    Status[CurSeat] = TookFive;
    Hands[CurSeat] = DrawFromStock(5);
    if (CurSeat != HumanSeat) {
        ComputerDiscard();
        return;
    }
    EnableSecondRoundButtons(false);
    ShowFiveClickableCards();
}

void Game::PasHelp_Click() {
    if (CurSeat == HumanSeat) {
        EnableSecondRoundButtons(false);
    }
    SetText(Control::talk, CurSeat, "Пас");
    TellSaid(EventKind::Out);
    Status[CurSeat] = Out;
    for (int i = 1; i <= 4; ++i) {
        Show(HandBoxes(CurSeat), i, false);
    }
    AfterFinalAnswer();
}

void Game::Help_Click() {
    if (CurSeat == HumanSeat) {
        EnableSecondRoundButtons(false);
        Show(Control::Change, 0, true);
    }
    SetText(Control::talk, CurSeat, "Помогу");
    TellSaid(EventKind::Help);
    Status[CurSeat] = Supporter;
    AfterFinalAnswer();
}

void Game::HelpGo_Click() {
    if (CurSeat == HumanSeat) {
        EnableSecondRoundButtons(false);
    }
    SayHelpGoingFor();
    EnableRankButtons(true);
}

void Game::SayHelpGoingFor() {
    SetText(Control::talk, CurSeat, "Помогу ");
    Status[CurSeat] = SupporterGoingFor;
}

void Game::DiscardFifth(int k) {
    if (k < 1 || k > 5) {
        return;
    }
    const std::string card = CardAt(Hands[HumanSeat], k);
    CutFromHumanHand(k, false);
    Show(Control::Pict1, 5, false);
    Tell(GameEvent::Of(EventKind::Discard, HumanSeat).WithCard(card));
    AfterDiscard();
}

} // namespace vurp
