// Seat 1's cards in trick play: only legal cards can be clicked, and a played
// card leaves the hand, which closes up to the left.
#include "cards.h"
#include "game.h"
#include "hand_queries.h"

namespace vurp {

void Game::EnableLegalCards() {
    const int nLed = SuitCount(*this, HumanSeat, LedSuit);
    const int nTrump = SuitCount(*this, HumanSeat, Trump);
    for (int i = 1; i <= 4; ++i) {
        // A blank or missing position has no suit and matches nothing.
        const std::string suit = Trim(Mid(Hands[HumanSeat], 2 * i, 1));
        const bool follows = !suit.empty() && suit == LedSuit && nLed > 0;
        const bool trumps = !suit.empty() && suit == Trump && nLed == 0;
        const bool anything = nLed == 0 && nTrump == 0;
        if (follows || trumps || anything) {
            Enable(Control::Pict1, i, true);
        }
    }
}

void Game::PlayCard(int i) {
    // Only a box that shows a card, while a slot waits for it, can be played.
    if (i < 1 || i > CardCount(Hands[HumanSeat]) || PlayMode < 1 || PlayMode > 12) {
        return;
    }
    // Whatever follows this card completes the trick inside this click.
    Enable(Control::Sled, 0, true);
    const std::string card = CardAt(Hands[HumanSeat], i);
    UpdateTrickBest(card);
    ShowPicture(Control::Hod, HumanSeat, card);
    Show(Control::Hod, HumanSeat, true);
    Played[PlayMode] = card;
    // Seat 1's trumps count as seen at any slot.
    if (SuitOf(card) == Trump) {
        TrumpsOut = Trim(TrumpsOut) + card;
    }
    CutFromHumanHand(i, false);
    Tell(GameEvent::Of(EventKind::Card, HumanSeat).WithCard(card));
    NextSeat();
    // A third card completes the trick: the rest waits for "Дальше".
    if (PositionOf(PlayMode) != 3) {
        PlayStep();
    }
}

} // namespace vurp
