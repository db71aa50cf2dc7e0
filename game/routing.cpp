// The one way in: every click on the window reaches its handler from here.
#include "controls.h"
#include "game.h"

namespace vurp {

bool Game::Click(Control control, int index) {
    if (!ValidControl(control, index)) {
        return false;
    }
    if (!view_.Visible(control, index) || !view_.Enabled(control, index)) {
        return false;
    }
    switch (control) {
    case Control::Razd:
        Razd_Click();
        break;
    case Control::vurp:
        vurp_Click();
        break;
    case Control::PasVurp:
        PasVurp_Click();
        break;
    case Control::VurpGo:
        VurpGo_Click();
        break;
    case Control::Vert:
        Vert_Click();
        break;
    case Control::Help:
        Help_Click();
        break;
    case Control::PasHelp:
        PasHelp_Click();
        break;
    case Control::HelpGo:
        HelpGo_Click();
        break;
    case Control::five:
        five_Click();
        break;
    case Control::GoKats:
        GoKats_Click(index);
        break;
    case Control::Sled:
        Sled_Click();
        break;
    case Control::Change:
        Change_Click();
        break;
    case Control::Pict1:
        Pict1_Click(index);
        break;
    case Control::Pravila:
        Pravila_Click();
        break;
    case Control::Game:
        Game_Click();
        break;
    default:
        // Labels, text boxes and the other picture boxes have no click handler.
        break;
    }
    return true;
}

void Game::TextChanged(Control control, int /*index*/) {
    if (control == Control::Stavk) {
        Stavk_Change();
    }
}

void Game::Sled_Click() {
    Enable(Control::Sled, 0, false);
    if (PlayPhase) {
        CollectTrick();
    } else {
        ResolveGoingFor();
    }
}

void Game::Pict1_Click(int n) {
    if (PlayPhase) {
        PlayCard(n);
    } else if (DiscardDue(Status[HumanSeat])) {
        DiscardFifth(n);
    } else if (ExchangeDue(Status[HumanSeat])) {
        ThrowAwayCard(n);
    }
}

void Game::Pravila_Click() {
    Show(Control::TextPravila, 0, !view_.Visible(Control::TextPravila, 0));
}

void Game::Game_Click() {
    Show(Control::TextGame, 0, !view_.Visible(Control::TextGame, 0));
}

} // namespace vurp
