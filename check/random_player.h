// The random-game checker. It plays whole games from a seed through the game
// library, a Game on a recording view with scripted random numbers as in the
// replay driver, for a player who presses the controls that can be pressed,
// now and then clicks hidden or disabled ones, types odd stakes and is dealt
// rare hands. After every event it checks the table against the invariants
// (invariants.h). Every game is written down as a replay script, which the driver's own code
// runs alongside and must print exactly what the game shows; so a failure
// comes with the script that reproduces it: `vurp-replay SCRIPT`.
#pragma once

#include <cstdint>
#include <string>

#include "invariants.h"

namespace vurp::check {

// One game.
struct GameReport {
    std::uint64_t seed = 0;
    long long events = 0;   // clicks and typed stakes
    long long shuffles = 0; // deals and redeals
    long long plays = 0;    // cards put on tricks
    long long refused = 0;
    long long typed = 0;
    long long rareDecks = 0;
    long long replayed = 0; // events checked by the replay driver's code
    int maxDeckPos = 0;
    // The event after which the money was no longer counted (amounts near the
    // currency's limit), or -1 when it was counted to the end.
    long long moneyUncheckedFrom = -1;
    std::string failure; // empty when nothing was found
    std::string script;  // on a failure, the replay script up to it; or, when
                         // asked for, the whole game's
};

// Plays `events` events from `seed` and checks each; stops at the first
// failure. With `wholeScript` the report holds the game's script even when
// nothing was found.
GameReport CheckGame(std::uint64_t seed, long long events, bool wholeScript = false);

// A game's outcome for whoever runs the checker: the seed, what went wrong
// and the script that reproduces it.
std::string Describe(const GameReport &report);

} // namespace vurp::check
