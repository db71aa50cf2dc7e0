// The exchange: the declarer and the supporters throw away cards and draw as
// many from the stock, once each, in seat order.
#include <algorithm>

#include "cards.h"
#include "game.h"

namespace vurp {

namespace {

// The next k cards of the stock; a draw past the last card yields fewer.
std::string DrawFromStock(Game &g, int k) {
    if (k <= 0) {
        return "";
    }
    std::string drawn = Mid(g.Deck, 2 * g.DeckPos + 1, 2 * k);
    g.DeckPos += k;
    return drawn;
}

// A computer seat keeps its trumps and aces and replaces the rest.
void ComputerExchange(Game &g, int seat) {
    g.Show(Control::Change, 0, false);
    std::string kept;
    int k = 4;
    for (int p = 1; p <= 4; ++p) {
        const std::string card = CardAt(g.Hands[seat], p);
        const std::string suit = Mid(card, 2, 1);
        if (Mid(card, 1, 1) == "9" || (!suit.empty() && suit == g.Trump)) {
            kept += card;
            --k;
        }
    }
    g.Hands[seat] = kept + DrawFromStock(g, k);
    g.SetText(Control::talk, seat,
              g.TextOf(Control::talk, seat) + " заменил " + WriteNumber(Currency::FromInt(k)));
    g.Status[seat] += 5;
}

} // namespace

void Game::ExchangeStep() {
    // Each turn either ends the exchange, waits for the human, or moves on
    // past a seat that is done, so the loop reaches one of the first two.
    for (;;) {
        if (AllExchanged()) {
            FirstLeader();
            PlayPhase = true;
            for (int s = 1; s <= 3; ++s) {
                if (Status[s] != DeclarerReady && Status[s] != Out) {
                    StartPlay();
                    return;
                }
            }
            SettleUncontested();
            return;
        }
        if (Status[CurSeat] > Supporter) {
            NextSeat();
            continue;
        }
        if (CurSeat == 1) {
            for (int b = 1; b <= 4; ++b) {
                Enable(Control::Pict1, b, true);
            }
            Show(Control::Change, 0, true);
            return;
        }
        ComputerExchange(*this, CurSeat);
        NextSeat();
    }
}

void Game::ThrowAwayCard(int i) {
    if (i < 1 || i > CardCount(Hands[1])) {
        return;
    }
    CutFromHumanHand(i, true);
    SetText(Control::Change, 0, "Поменять");
}

void Game::Change_Click() {
    const int k = std::max(0, 4 - CardCount(Hands[1]));
    Hands[1] = Trim(Hands[1]) + DrawFromStock(*this, k);
    const int n = CardCount(Hands[1]);
    for (int b = 1; b <= n; ++b) {
        ShowPicture(Control::Pict1, b, CardAt(Hands[1], b));
        Show(Control::Pict1, b, true);
        Enable(Control::Pict1, b, false);
    }
    Show(Control::Change, 0, false);
    SetText(Control::Change, 0, "Не менять");
    Status[1] += 5;
    NextSeat();
    ExchangeStep();
}

} // namespace vurp
