// The hint: what the computer players would do in the human's place at the
// step he is at, and why, in one short Russian sentence. It asks their own
// decisions for seat 1 and changes nothing; a decision that rests on a random
// draw draws from the source it is given, never from the game's.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "random.h"
#include "table.h"
#include "view.h"

namespace vurp {

struct Hint {
    // The control to press; for an array, the elements suggested: every card
    // the computer would throw away in the exchange, else one.
    Control control = Control::Razd;
    std::vector<int> indices;
    std::string reason;
    // The decision rested on a random draw: the reason says "наугад".
    bool random = false;
};

// The hint for the table as it stands and shows, or nothing when the human
// has nothing to do (his cards are not wanted yet, a panel is all there is).
std::optional<Hint> SuggestMove(const Table &table, const View &view, Random &random);

} // namespace vurp
