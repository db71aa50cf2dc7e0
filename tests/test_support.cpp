#include "test_support.h"

#include <stdexcept>

#include <gtest/gtest.h>

#include "cards.h"

namespace vurp::testing {

std::string DeckStartingWith(const std::string &head) {
    std::string deck = head;
    for (int k = 1; k <= 36; ++k) {
        const std::string card = CardAt(DeckLiteral, k);
        bool used = false;
        for (std::size_t p = 0; p + 1 < head.size(); p += 2) {
            used = used || head.compare(p, 2, card) == 0;
        }
        if (!used) {
            deck += card;
        }
    }
    if (deck.size() != 72) {
        throw std::invalid_argument("DeckStartingWith: repeated or unknown card in " + head);
    }
    return deck;
}

Table HandTable(int seat, const std::string &hand, const std::string &trump,
                const std::string &trumpsOut) {
    Table t;
    t.Hands[static_cast<std::size_t>(seat)] = hand;
    t.Trump = trump;
    t.TrumpsOut = trumpsOut;
    return t;
}

void Deal(Fixture &f, const std::string &head, int dealer) {
    f.game.Dealer = dealer;
    f.ArrangeDeck(DeckStartingWith(head));
    ASSERT_TRUE(f.game.Click(Control::Razd));
}

bool AnySecondRoundButton(const Fixture &f) {
    return f.Enabled(Control::Help) || f.Enabled(Control::PasHelp) || f.Enabled(Control::HelpGo) ||
           f.Enabled(Control::five);
}

void Fixture::ArrangeDeck(const std::string &order) {
    // The shuffle swaps card i with card j for i = 1..36; choosing j as the
    // position where the wanted card i now lies builds the order front to back.
    std::string deck(DeckLiteral);
    for (int i = 1; i <= 36; ++i) {
        const std::string wanted = order.substr(static_cast<std::size_t>(2 * (i - 1)), 2);
        int j = i;
        while (j <= 36 && CardAt(deck, j) != wanted) {
            ++j;
        }
        if (j > 36) {
            throw std::invalid_argument("ArrangeDeck: not a pack order");
        }
        std::swap_ranges(deck.begin() + 2 * (i - 1), deck.begin() + 2 * i,
                         deck.begin() + 2 * (j - 1));
        random.Push((j - 1 + 0.5) / 36.0);
    }
}

} // namespace vurp::testing
