// The order of speaking and the declaration commands. Every command acts for
// CurSeat, so the computer seats run the very same routines as the buttons;
// steps that touch seat 1's controls run only when seat 1 has the word.
#include <array>

#include "cards.h"
#include "game.h"
#include "hand_queries.h"

namespace vurp {

namespace {

constexpr std::array kFirstRoundButtons = {Control::vurp, Control::PasVurp, Control::VurpGo,
                                           Control::Vert};
constexpr std::array kSecondRoundButtons = {Control::Help, Control::PasHelp, Control::HelpGo,
                                            Control::five};

template <std::size_t N>
void EnableAll(Game &game, const std::array<Control, N> &controls, bool enabled) {
    for (Control c : controls) {
        game.Enable(c, 0, enabled);
    }
}

// A final second-round answer hands the word on; the declarations are over
// once every seat has spoken.
void AfterFinalAnswer(Game &game) {
    game.NextSeat();
    if (game.AllDeclared()) {
        game.ExchangeStep();
    } else {
        game.SecondRoundTurn();
    }
}

} // namespace

void Game::NextSeat() {
    // Only 1 and 2 step up; anything else starts the circle again at seat 1,
    // so the seat never leaves 1..3.
    CurSeat = CurSeat == 1 || CurSeat == 2 ? CurSeat + 1 : 1;
}

bool Game::AllDeclared() const {
    return Status[1] > Silent && Status[2] > Silent && Status[3] > Silent;
}

bool Game::AllExchanged() const {
    return Status[1] > Supporter && Status[2] > Supporter && Status[3] > Supporter;
}

void Game::FirstRoundTurn() {
    if (CurSeat != 1) {
        ComputerFirstRound();
        return;
    }
    const bool sixOfTrumps = Hands[1].find("1" + Trump) != std::string::npos;
    const bool aceOfTrumps = Hands[1].find("9" + Trump) != std::string::npos;
    if (sixOfTrumps && aceOfTrumps && SuitCount(*this, 1, Trump) == 2) {
        Enable(Control::Vert, 0, true);
    }
}

void Game::SecondRoundTurn() {
    if (CurSeat != 1) {
        ComputerSecondRound();
        return;
    }
    EnableAll(*this, kSecondRoundButtons, true);
}

void Game::vurp_Click() {
    Status[CurSeat] = Declarer;
    SetText(Control::talk, CurSeat, "Вурп ");
    EnableAll(*this, kFirstRoundButtons, false);
    NextSeat();
    SecondRoundTurn();
}

void Game::PasVurp_Click() {
    SetText(Control::talk, CurSeat, "Пас");
    Enable(Control::Vert, 0, false);
    if (CurSeat != Dealer) {
        NextSeat();
        FirstRoundTurn();
        return;
    }
    // The dealer speaks last: every seat has refused this candidate.
    if (DeckPos >= 16) {
        CollectStakes();
        Razd_Click();
        return;
    }
    TurnedCard = CardAt(Deck, DeckPos);
    TrumpsOut = TurnedCard;
    Trump = Mid(TurnedCard, 2, 1);
    ++DeckPos;
    ShowPicture(Control::PictKoz, 0, TurnedCard);
    NextSeat();
    FirstRoundTurn();
}

void Game::VurpGo_Click() {
    SetText(Control::talk, CurSeat, "Вурп ");
    for (int k = 1; k <= 9; ++k) {
        Enable(Control::GoKats, k, true);
    }
    Status[CurSeat] = DeclarerGoingFor;
    EnableAll(*this, kFirstRoundButtons, false);
}

void Game::Vert_Click() {
    EnableAll(*this, kFirstRoundButtons, false);
    SetText(Control::talk, CurSeat, "Вертолет ");
    Status[CurSeat] = DeclarerReady;
    // Both other seats are bound to help a helicopter.
    for (int helper = 1; helper <= 2; ++helper) {
        NextSeat();
        SetText(Control::talk, CurSeat, "Помогу ");
        Status[CurSeat] = SupporterReady;
    }
    FirstLeader();
    PlayPhase = true;
    StartPlay();
}

void Game::five_Click() {
    SetText(Control::talk, CurSeat, "Беру 5");
    Status[CurSeat] = TookFive;
    // Mid stops at the end of the pack, so a draw can never read past card 36.
    Hands[CurSeat] = Mid(Deck, 2 * DeckPos + 1, 10);
    DeckPos += 5;
    if (CurSeat != 1) {
        ComputerDiscard();
        return;
    }
    EnableAll(*this, kSecondRoundButtons, false);
    Show(Control::Pict1, 5, true);
    for (int i = 1; i <= 5; ++i) {
        ShowPicture(Control::Pict1, i, CardAt(Hands[1], i));
        Enable(Control::Pict1, i, true);
    }
}

void Game::PasHelp_Click() {
    if (CurSeat == 1) {
        EnableAll(*this, kSecondRoundButtons, false);
    }
    SetText(Control::talk, CurSeat, "Пас");
    Status[CurSeat] = Out;
    for (int i = 1; i <= 4; ++i) {
        Show(HandBoxes(CurSeat), i, false);
    }
    AfterFinalAnswer(*this);
}

void Game::Help_Click() {
    if (CurSeat == 1) {
        EnableAll(*this, kSecondRoundButtons, false);
        Show(Control::Change, 0, true);
    }
    SetText(Control::talk, CurSeat, "Помогу");
    Status[CurSeat] = Supporter;
    AfterFinalAnswer(*this);
}

void Game::HelpGo_Click() {
    if (CurSeat == 1) {
        EnableAll(*this, kSecondRoundButtons, false);
    }
    SetText(Control::talk, CurSeat, "Помогу ");
    for (int k = 1; k <= 9; ++k) {
        Enable(Control::GoKats, k, true);
    }
    Status[CurSeat] = SupporterGoingFor;
}

void Game::DiscardFifth(int k) {
    if (k < 1 || k > 5) {
        return;
    }
    Hands[1] = Mid(Hands[1], 1, 2 * k - 2) + MidToEnd(Hands[1], 2 * k + 1);
    Show(Control::Pict1, 5, false);
    const int held = CardCount(Hands[1]);
    for (int i = 1; i <= held; ++i) {
        ShowPicture(Control::Pict1, i, CardAt(Hands[1], i));
        Show(Control::Pict1, i, true);
        Enable(Control::Pict1, i, false);
    }
    if (Status[CurSeat] == DeclarerGoingFor) {
        Status[CurSeat] = DeclarerReady;
    }
    AfterFinalAnswer(*this);
}

} // namespace vurp
