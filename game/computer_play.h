// The computer seats' card choice: fixed rules over the seat's own hand, the
// cards on the table and the trump suit. No randomness, no look-ahead.
#pragma once

#include <string>

#include "table.h"

namespace vurp {

struct CardChoice {
    std::string card;  // a card code from the seat's hand
    bool wins = false; // the card becomes TrickBest
};

// The card of the seat at `slot` (1..12): the rules below by the slot's
// trick and position; in trick 4 the seat's last card, with nothing to choose.
// A slot outside 1..12 gives no card.
CardChoice ChooseCard(const Table &t, int seat, int slot);

// The lead of trick 1 (slot 1).
std::string ChooseFirstLead(const Table &t, int seat);
// The lead of trick 2 or 3 (slots 4 and 7).
std::string ChooseLead(const Table &t, int seat, int trick);
// The second card of tricks 1-3; `lead` is the card led to the trick, whose
// suit is LedSuit.
CardChoice ChooseSecond(const Table &t, int seat, const std::string &lead);
// The third card of tricks 1-3, against TrickBest.
CardChoice ChooseThird(const Table &t, int seat);

} // namespace vurp
