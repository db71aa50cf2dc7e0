// Seat 1's cards in trick play: only legal cards can be clicked, and a played
// card leaves the hand, which closes up to the left.
#include "cards.h"
#include "game.h"
#include "hand_queries.h"

namespace vurp {

void Game::EnableLegalCards() {
    const int n_led = SuitCount(*this, 1, LedSuit);
    const int n_trump = SuitCount(*this, 1, Trump);
    for (int i = 1; i <= 4; ++i) {
        // A blank or missing position has no suit and matches nothing.
        const std::string suit = Trim(Mid(Hands[1], 2 * i, 1));
        const bool follows = !suit.empty() && suit == LedSuit && n_led > 0;
        const bool trumps = !suit.empty() && suit == Trump && n_led == 0;
        const bool anything = n_led == 0 && n_trump == 0;
        if (follows || trumps || anything) {
            Enable(Control::Pict1, i, true);
        }
    }
}

void Game::PlayCard(int i) {
    // Only a box that shows a card, while a slot waits for it, can be played.
    if (i < 1 || i > CardCount(Hands[1]) || PlayMode < 1 || PlayMode > 12) {
        return;
    }
    // Whatever follows this card completes the trick inside this click.
    Enable(Control::Sled, 0, true);
    const std::string card = CardAt(Hands[1], i);
    UpdateTrickBest(card);
    ShowPicture(Control::Hod, 1, card);
    Show(Control::Hod, 1, true);
    Played[PlayMode] = card;
    // Seat 1's trumps count as seen at any slot.
    if (Mid(card, 2, 1) == Trump) {
        TrumpsOut = Trim(TrumpsOut) + card;
    }
    CutFromHumanHand(i, false);
    NextSeat();
    if (PlayMode % 3 != 0) {
        PlayStep();
    }
}

} // namespace vurp
