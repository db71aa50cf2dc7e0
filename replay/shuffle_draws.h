// The random draws that make the deal's shuffle lay the pack out in a chosen
// order: how tests, the checker and hand-written scripts deal the cards they
// want.
#pragma once

#include <string_view>
#include <vector>

namespace vurp {

// The 36 draws, in [0, 1), after which the shuffle leaves the deck as
// `order` (72 characters, each card of the pack once); empty when `order` is
// not such an order.
std::vector<double> ShuffleDrawsFor(std::string_view order);

} // namespace vurp
