#include "game.h"

#include "cards.h"
#include "controls.h"

namespace vurp {

Game::Game(View &view, Random &random) : view_(view), random_(random) {}

void Game::Form_Load() {
    Dealer = 3;
    Stake = Currency::FromInt(4);
    RankInstrumental = RankInstrumentalLiteral;
    RankNominative = RankNominativeLiteral;
    RankGenitive = RankGenitiveLiteral;
    PlayPhase = false;
}

std::string Game::TextOf(Control control, int index) const {
    return view_.Text(control, index);
}

void Game::SetText(Control control, int index, const std::string &text) {
    view_.SetText(control, index, text);
}

void Game::Show(Control control, int index, bool visible) {
    view_.SetVisible(control, index, visible);
}

void Game::Enable(Control control, int index, bool enabled) {
    view_.SetEnabled(control, index, enabled);
}

void Game::ShowPicture(Control control, int index, std::string_view name) {
    WorkCard = std::string(name);
    CardPicture = PicturePath(name);
    view_.SetPicture(control, index, WorkCard);
}

void Game::CutFromHumanHand(int i, bool clickable) {
    std::string &hand = Hands[HumanSeat];
    hand = Mid(hand, 1, 2 * i - 2) + MidToEnd(hand, 2 * i + 1);
    for (int b = 1; b <= 4; ++b) {
        Show(Control::Pict1, b, false);
        Enable(Control::Pict1, b, false);
    }
    LayOutHumanHand(clickable);
}

void Game::LayOutHumanHand(bool clickable) {
    const std::string &hand = Hands[HumanSeat];
    const int n = CardCount(hand);
    for (int b = 1; b <= n; ++b) {
        ShowPicture(Control::Pict1, b, CardAt(hand, b));
        Show(Control::Pict1, b, true);
        Enable(Control::Pict1, b, clickable);
    }
}

void Game::ShowFiveClickableCards() {
    Show(Control::Pict1, 5, true);
    for (int i = 1; i <= 5; ++i) {
        ShowPicture(Control::Pict1, i, CardAt(Hands[HumanSeat], i));
        Enable(Control::Pict1, i, true);
    }
}

void Game::WriteBalance(int seat, Currency value) {
    SetText(Control::Money, seat, WriteNumber(value));
    const bool negative = ReadNumber(TextOf(Control::Money, seat)) < 0;
    view_.SetBackColor(Control::Money, seat, negative ? kMoneyNegative : kMoneyNonNegative);
}

Currency Game::ReadCurrency(Control control, int index) const {
    return vurp::ReadCurrency(TextOf(control, index));
}

Control Game::HandBoxes(int seat) {
    switch (seat) {
    case 1:
        return Control::Pict1;
    case 2:
        return Control::Pict2;
    default:
        return Control::Pict3;
    }
}

} // namespace vurp
