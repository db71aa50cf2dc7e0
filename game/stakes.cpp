// The stake box and the collection of stakes into the bank.
#include "game.h"

namespace vurp {

void Game::Stavk_Change() {
    Stake = Currency::FromDouble(ReadNumber(TextOf(Control::Stavk)));
}

void Game::CollectStakes() {
    for (int s = 1; s <= 3; ++s) {
        WriteBalance(s, ReadCurrency(Control::Money, s) - Stake);
    }
    SetText(Control::bank, 0, WriteNumber(ReadCurrency(Control::bank) + Stake * 3));
    Tell(GameEvent::Of(EventKind::Stakes).WithAmount(Stake));
}

} // namespace vurp
