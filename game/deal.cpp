// The deal: stakes, a fresh shuffled pack, four cards a seat, the turned card
// and the first word; turning a trump candidate and drawing from the stock.
#include <algorithm>

#include "cards.h"
#include "controls.h"
#include "game.h"

namespace vurp {

void Game::Razd_Click() {
    // The title vanishes into the table from the first deal on.
    view_.SetForeColor(Control::Label4, 0, kWindowColour);

    // Only an empty bank takes stakes; anything else is a bank still in play.
    if (TextOf(Control::bank) == "0") {
        CollectStakes();
    }

    Show(Control::PictKoz, 0, true);
    for (int i = 1; i <= 4; ++i) {
        Show(Control::Pict1, i, true);
        Show(Control::Pict2, i, true);
        Show(Control::Pict3, i, true);
    }
    for (int s = 1; s <= 3; ++s) {
        Show(Control::talk, s, true);
        Show(Control::KolVz, s, true);
        Show(Control::Money, s, true);
        Show(Control::Label2, s, true);
    }
    Show(Control::Sled, 0, true);

    for (int s = 1; s <= 3; ++s) {
        SetText(Control::talk, s, "");
        Status[s] = Silent;
        Tricks[s] = 0;
        SetText(Control::KolVz, s, "0");
    }

    Deck = std::string(DeckLiteral);
    for (int s = 1; s <= 3; ++s) {
        Hands[s] = std::string(10, ' ');
    }
    TurnedCard = "  ";
    Trump = " ";

    random_.Reseed();
    for (int i = 1; i <= 36; ++i) {
        // r is below 1, so j is 1..36; the clamp only guards a faulty source.
        const int j = std::clamp(static_cast<int>(random_.Next() * 36) + 1, 1, 36);
        if (j != i) {
            std::swap_ranges(Deck.begin() + 2 * (i - 1), Deck.begin() + 2 * i,
                             Deck.begin() + 2 * (j - 1));
        }
    }

    for (int s = 1; s <= 3; ++s) {
        Hands[s].replace(0, 8, Deck, static_cast<std::size_t>(8 * (s - 1)), 8);
    }

    for (int i = 1; i <= 4; ++i) {
        ShowPicture(Control::Pict1, i, CardAt(Hands[HumanSeat], i));
    }
    for (int i = 1; i <= 4; ++i) {
        ShowPicture(Control::Pict2, i, CardBack);
    }
    for (int i = 1; i <= 4; ++i) {
        ShowPicture(Control::Pict3, i, CardBack);
    }

    TurnCandidate(13);

    CurSeat = Dealer == 3 ? 1 : Dealer + 1;

    Enable(Control::Razd, 0, false);
    Enable(Control::vurp, 0, true);
    Enable(Control::PasVurp, 0, true);
    Enable(Control::VurpGo, 0, true);

    FirstRoundTurn();
}

void Game::TurnCandidate(int card) {
    TurnedCard = CardAt(Deck, card);
    // An earlier candidate, refused, no longer counts as a trump seen.
    TrumpsOut = TurnedCard;
    Trump = SuitOf(TurnedCard);
    DeckPos = card + 1;
    ShowPicture(Control::PictKoz, 0, TurnedCard);
    Tell(GameEvent::Of(EventKind::Turned).WithCard(TurnedCard));
}

std::string Game::DrawFromStock(int n) {
    if (n <= 0) {
        return "";
    }
    // Mid stops at the end of the pack, so a draw never reads past card 36.
    std::string drawn = Mid(Deck, 2 * DeckPos + 1, 2 * n);
    DeckPos += n;
    return drawn;
}

} // namespace vurp
