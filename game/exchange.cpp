// The exchange: the declarer and the supporters throw away cards and draw as
// many from the stock, once each, in seat order.
#include <algorithm>

#include "cards.h"
#include "computer_decisions.h"
#include "game.h"

namespace vurp {

void Game::ExchangeStep() {
    // Each turn either ends the exchange, waits for the human, or moves on
    // past a seat that is done, so the loop reaches one of the first two.
    for (;;) {
        if (AllExchanged()) {
            BeginPlay();
            return;
        }
        if (ExchangeOver(Status[CurSeat])) {
            NextSeat();
            continue;
        }
        if (CurSeat == HumanSeat) {
            for (int b = 1; b <= 4; ++b) {
                Enable(Control::Pict1, b, true);
            }
            Show(Control::Change, 0, true);
            return;
        }
        ComputerExchange();
        NextSeat();
    }
}

void Game::ComputerExchange() {
    const int s = CurSeat;
    const ExchangeDecision d = DecideExchange(*this, s);
    const int k = d.replaced;
    Show(Control::Change, 0, false);
    Hands[s] = d.kept + DrawFromStock(k);
    SetText(Control::talk, s,
            TextOf(Control::talk, s) + " заменил " + WriteNumber(Currency::FromInt(k)));
    Tell(GameEvent::Of(EventKind::Exchange, s).WithCount(k));
    Status[s] = Ready(Status[s]);
}

void Game::ThrowAwayCard(int i) {
    if (i < 1 || i > CardCount(Hands[HumanSeat])) {
        return;
    }
    CutFromHumanHand(i, true);
    SetText(Control::Change, 0, "Поменять");
}

void Game::Change_Click() {
    std::string &hand = Hands[HumanSeat];
    const int k = std::max(0, 4 - CardCount(hand));
    hand = Trim(hand) + DrawFromStock(k);
    Tell(GameEvent::Of(EventKind::Exchange, HumanSeat).WithCount(k));
    LayOutHumanHand(false);
    Show(Control::Change, 0, false);
    SetText(Control::Change, 0, "Не менять");
    Status[HumanSeat] = Ready(Status[HumanSeat]);
    NextSeat();
    ExchangeStep();
}

} // namespace vurp
