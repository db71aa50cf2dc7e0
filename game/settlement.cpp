// Settlement: the bank is divided by tricks, failed undertakings pay into the
// next bank, and the declarer deals next.
#include "game.h"

namespace vurp {

void Game::SettleDeal() {
    PlayPhase = false;

    // The whole bank is shared out only when it is a whole number: the
    // division works on the bank rounded half to even.
    const Currency b = ReadCurrency(Control::bank).RoundedWhole();
    SetText(Control::bank, 0, "0");

    // A whole B divides by four exactly, so the quarter is taken first and
    // a bank grown by many penalties cannot overflow the share.
    for (I = 1; I <= 3; ++I) {
        const Currency share = (b / 4) * Tricks[I];
        WriteBalance(I, ReadCurrency(Control::Money, I) + share);
        if (Tricks[I] != 0) {
            Tell(GameEvent::Of(EventKind::Settlement, I)
                     .WithCount(Tricks[I])
                     .WithAmount(share, SettlementReason::Share));
        }
    }

    for (I = 1; I <= 3; ++I) {
        Currency penalty;
        SettlementReason reason = SettlementReason::None;
        if (Status[I] == DeclarerReady && Tricks[I] < 2) {
            penalty = b * 2;
            reason = SettlementReason::DeclarerShort;
        } else if (UndertookOneTrick(Status[I]) && Tricks[I] < 1) {
            penalty = b;
            reason = SettlementReason::HelperNoTrick;
        } else {
            continue;
        }
        WriteBalance(I, ReadCurrency(Control::Money, I) - penalty);
        Tell(GameEvent::Of(EventKind::Settlement, I)
                 .WithCount(Tricks[I])
                 .WithAmount(Currency() - penalty, reason));
        SetText(Control::bank, 0, WriteNumber(ReadCurrency(Control::bank) + penalty));
    }

    for (I = 1; I <= 3; ++I) {
        if (Status[I] == DeclarerReady) {
            Dealer = I;
        }
    }

    Enable(Control::Razd, 0, true);
}

void Game::SettleUncontested() {
    for (int s = 1; s <= 3; ++s) {
        if (Status[s] == DeclarerReady) {
            Tricks[s] = 4;
        }
    }
    SettleDeal();
}

} // namespace vurp
