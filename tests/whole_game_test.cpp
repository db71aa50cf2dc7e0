#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

#include "test_support.h"

namespace vurp::testing {
namespace {

double MoneyOnTheTable(const Fixture &f) {
    return ReadNumber(f.Text(Control::Money, 1)) + ReadNumber(f.Text(Control::Money, 2)) +
           ReadNumber(f.Text(Control::Money, 3)) + ReadNumber(f.Text(Control::bank));
}

// Plays `deals` whole deals by pressing, at every step, a random one of the
// controls that can be pressed, and checks that there always is one, that
// every deal ends in a settlement within a bounded number of presses, and
// that no money appears or vanishes.
void PlayRandomDeals(std::uint64_t seed, const std::string &stake, int deals) {
    Fixture f;
    f.random.Seed(seed);
    std::mt19937_64 player(seed);
    if (stake != f.Text(Control::Stavk)) {
        f.view.SetText(Control::Stavk, 0, stake);
        f.game.TextChanged(Control::Stavk);
    }
    const auto controls = GameControls();
    constexpr int kPressesPerDeal = 400;

    for (int deal = 1; deal <= deals; ++deal) {
        ASSERT_TRUE(f.game.Click(Control::Razd)) << "seed " << seed << " deal " << deal;
        int presses = 0;
        while (!f.Enabled(Control::Razd)) {
            std::vector<std::pair<Control, int>> open;
            for (const auto &c : controls) {
                if (f.Visible(c.first, c.second) && f.Enabled(c.first, c.second)) {
                    open.push_back(c);
                }
            }
            ASSERT_FALSE(open.empty()) << "nothing to press: seed " << seed << " deal " << deal;
            const auto &[control, index] = open[player() % open.size()];
            ASSERT_TRUE(f.game.Click(control, index));
            ASSERT_EQ(MoneyOnTheTable(f), 0.0) << "seed " << seed << " deal " << deal;
            ASSERT_LT(++presses, kPressesPerDeal) << "seed " << seed << " deal " << deal;
        }
        const Game &g = f.game;
        ASSERT_FALSE(g.PlayPhase);
        ASSERT_EQ(g.Tricks[1] + g.Tricks[2] + g.Tricks[3], 4)
            << "seed " << seed << " deal " << deal;
        ASSERT_GE(g.Dealer, 1);
        ASSERT_LE(g.Dealer, 3);
    }
}

TEST(WholeGame, RandomPlayersNeverStallAndMoneyIsConserved) {
    for (std::uint64_t seed = 1; seed <= 6; ++seed) {
        PlayRandomDeals(seed, "4", 40);
    }
}

TEST(WholeGame, StakeNotAMultipleOfFourStillConservesMoney) {
    PlayRandomDeals(77, "5", 40);
}

} // namespace
} // namespace vurp::testing
