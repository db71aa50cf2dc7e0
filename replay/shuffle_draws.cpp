#include "shuffle_draws.h"

#include <algorithm>
#include <string>

#include "cards.h"

namespace vurp {

std::vector<double> ShuffleDrawsFor(std::string_view order) {
    // The shuffle swaps card i with card j = Int(r x 36) + 1 for i = 1..36;
    // choosing j as the position where the wanted card i now lies builds the
    // order front to back.
    if (order.size() != 72) {
        return {};
    }
    std::string deck(DeckLiteral);
    std::vector<double> draws;
    for (int i = 1; i <= 36; ++i) {
        const std::string wanted = CardAt(order, i);
        int j = i;
        while (j <= 36 && CardAt(deck, j) != wanted) {
            ++j;
        }
        if (j > 36) {
            return {};
        }
        std::swap_ranges(deck.begin() + 2 * (i - 1), deck.begin() + 2 * i,
                         deck.begin() + 2 * (j - 1));
        draws.push_back((j - 0.5) / 36.0);
    }
    return draws;
}

} // namespace vurp
