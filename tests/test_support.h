// A game on a recording view with scripted random numbers, for the tests.
#pragma once

#include <string>

#include "game.h"
#include "random.h"
#include "recording_view.h"

namespace vurp::testing {

struct Fixture {
    RecordingView view;
    ScriptedRandom random;
    Game game{view, random};

    Fixture() { game.Form_Load(); }

    // Queues the 36 shuffle draws that leave the deck exactly as `order`
    // (72 characters), so that a test deals the cards it names.
    void ArrangeDeck(const std::string &order);
    std::string Text(Control c, int i = 0) const { return view.Text(c, i); }
    bool Visible(Control c, int i = 0) const { return view.Visible(c, i); }
    bool Enabled(Control c, int i = 0) const { return view.Enabled(c, i); }
};

// The deck that begins with `head` (card codes, cards 1.. of the deck) and
// continues with the remaining cards of the pack in pack order.
std::string DeckStartingWith(const std::string &head);

} // namespace vurp::testing
