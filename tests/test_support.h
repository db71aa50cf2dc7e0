// A game on a recording view with scripted random numbers, for the tests.
#pragma once

#include <array>
#include <ostream>
#include <string>

#include "game.h"
#include "random.h"
#include "recording_view.h"

namespace vurp {

// A status prints by its name and number in a failed expectation.
void PrintTo(DeclarationStatus status, std::ostream *os);

} // namespace vurp

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

// A table the declarations have left, for the tests that start later in a
// deal: the exchange, the tricks, the settlement.
struct TableSetup {
    std::array<std::string, 3> hands{};                                   // seats 1, 2, 3
    std::array<DeclarationStatus, 3> statuses = {Silent, Silent, Silent}; // seats 1, 2, 3
    std::string turned = "5c";   // the trump candidate; Trump and TrumpsOut follow it
    std::string deck{};          // the whole pack, or none
    std::string bank = " 12";    // the stakes of the deal...
    std::string money = "-4";    // ...as every balance paid them
    std::array<int, 3> tricks{}; // seats 1, 2, 3
    bool playPhase = false;
    int curSeat = NoSeat;
};

// Sets the table up as a deal leaves it after `setup`: the stock used up to
// card 14; seat 1's cards face up and the other seats' backs in boxes 1 on,
// hidden for a seat that passed, every box disabled; the speech lines, the
// trick counts at "0" and Sled on view; Razd disabled; every play slot "--",
// so that a slot nobody played stands out.
void SetUpTable(Fixture &f, const TableSetup &setup);

// Whether any of the human's declaration buttons of the first or the second
// round, or any rank button, is enabled.
bool AnyFirstRoundButton(const Fixture &f);
bool AnySecondRoundButton(const Fixture &f);
bool AnyRankButton(const Fixture &f);

// A table where `seat` holds `hand` under the given trump and trumps seen.
Table HandTable(int seat, const std::string &hand, const std::string &trump,
                const std::string &trumpsOut);

// The deck that begins with `head` (card codes, cards 1.. of the deck) and
// continues with the remaining cards of the pack in pack order.
std::string DeckStartingWith(const std::string &head);

} // namespace vurp::testing
