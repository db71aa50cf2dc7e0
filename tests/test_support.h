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

// Deals a deck whose first cards are `head` (seat 1, seat 2, seat 3, the
// turned card, then the stock), with `dealer` dealing, by a click on Razd.
void Deal(Fixture &f, const std::string &head, int dealer = 3);

// Whether any of the human's second-round buttons is enabled.
bool AnySecondRoundButton(const Fixture &f);

// A table where `seat` holds `hand` under the given trump and trumps seen.
Table HandTable(int seat, const std::string &hand, const std::string &trump,
                const std::string &trumpsOut);

// The deck that begins with `head` (card codes, cards 1.. of the deck) and
// continues with the remaining cards of the pack in pack order.
std::string DeckStartingWith(const std::string &head);

} // namespace vurp::testing
