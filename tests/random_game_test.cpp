#include <gtest/gtest.h>

#include "game_checker.h"
#include "test_support.h"

namespace vurp::testing {
namespace {

// Random games from many seeds, every event checked and replayed by the
// driver's code: the checker must find nothing.
TEST(RandomGame, CheckerFindsNothing) {
    constexpr std::uint64_t kSeeds = 20;
    constexpr long long kEventsPerSeed = 10'000;
    check::GameReport total;
    for (std::uint64_t seed = 1; seed <= kSeeds; ++seed) {
        const check::GameReport report = check::CheckGame(seed, kEventsPerSeed);
        ASSERT_TRUE(report.failure.empty()) << check::Describe(report);
        total.events += report.events;
        total.plays += report.plays;
        total.refused += report.refused;
        total.rareDecks += report.rareDecks;
        total.replayed += report.replayed;
    }
    EXPECT_EQ(total.events, 200'000);
    EXPECT_EQ(total.replayed, total.events);
    // The games reached trick play, refused clicks and dealt rare decks.
    EXPECT_GT(total.plays, 0);
    EXPECT_GT(total.refused, 0);
    EXPECT_GT(total.rareDecks, 0);
}

// The checks see a broken table: a card held twice, a card that does not
// follow suit, a trick given to the wrong card.
TEST(RandomGame, CheckerCatchesABrokenTable) {
    Fixture f;
    Deal(f, "1p2p3p4p5p6p7p8p9p1k2k3k4k");
    const Table &dealt = f.game;
    ASSERT_EQ(check::CheckCards(dealt, {}), std::nullopt);

    Table twice = dealt;
    twice.Hands[2].replace(0, 2, "1p"); // seat 1's six of p as well
    EXPECT_NE(check::CheckCards(twice, {}), std::nullopt);

    EXPECT_EQ(check::CheckFollowsSuit({2, "3p", "5k3p"}, "p", "c"), std::nullopt);
    EXPECT_NE(check::CheckFollowsSuit({2, "5k", "5k3p"}, "p", "c"), std::nullopt);

    const std::vector<check::Play> trick = {{1, "3p", ""}, {2, "9k", ""}, {3, "1c", ""}};
    EXPECT_EQ(check::TrickWinner(trick, "c").seat, 3);
    EXPECT_EQ(check::TrickWinner(trick, "b").seat, 1);
}

} // namespace
} // namespace vurp::testing
