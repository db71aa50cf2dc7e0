#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "cards.h"
#include "random_player.h"
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

// In trick play every seat has its final hand or is out, and one of them is
// the declarer; a status outside the named ones is never right.
TEST(RandomGame, CheckerKnowsWhoMaySitAtTrickPlay) {
    Fixture f;
    Deal(f, "1p2p3p4p5p6p7p8p9p1k2k3k4k");
    Table t = f.game;
    t.PlayPhase = true;
    t.Status = {Silent, Silent, Out, DeclarerReady};
    const std::vector<std::pair<DeclarationStatus, bool>> rows = {
        {Silent, false},
        {Declarer, false},
        {Supporter, false},
        {DeclarerGoingFor, false},
        {SupporterGoingFor, true},
        {TookFive, true},
        {DeclarerReady, false},
        {SupporterReady, true},
        {Out, true},
        {static_cast<DeclarationStatus>(9), false},
    };
    for (const auto &[status, right] : rows) {
        t.Status[1] = status;
        EXPECT_EQ(check::CheckRanges(t).has_value(), !right) << StatusNumber(status);
    }
}

// Settlements from balances of 0, as the rules make them and with one amount
// wrong: the check must tell which is which.
TEST(RandomGame, CheckerKnowsWhoPaysAtSettlement) {
    struct Settled {
        std::string bank;
        std::array<DeclarationStatus, 3> statuses;
        std::array<int, 3> tricks;
        std::array<std::string, 3> money; // afterwards
        std::string bankAfter;
        bool right;
    };
    constexpr auto D = DeclarerReady;
    constexpr auto H = SupporterReady;
    const Settled rows[] = {
        {" 12", {D, H, H}, {2, 1, 1}, {" 6", " 3", " 3"}, "0", true},
        {" 12", {D, H, H}, {1, 2, 1}, {"-21", " 6", " 3"}, " 24", true},
        {" 12", {D, H, TookFive}, {3, 1, 0}, {" 9", " 3", "-12"}, " 12", true},
        {" 12", {D, Out, Out}, {4, 0, 0}, {" 12", " 0", " 0"}, "0", true},
        {" 15", {D, SupporterGoingFor, Out}, {3, 1, 0}, {" 11.25", " 3.75", " 0"}, "0", true},
        {" 13.5", {Out, D, Out}, {0, 4, 0}, {" 0", " 14", " 0"}, "0", true},
        {" 12.5", {Out, D, Out}, {0, 4, 0}, {" 0", " 12", " 0"}, "0", true},
        {"-12", {D, H, Out}, {1, 3, 0}, {" 21", "-9", " 0"}, "-24", true},
        // A failure in a deal played for nothing still writes the bank.
        {" 0", {D, H, H}, {0, 2, 2}, {" 0", " 0", " 0"}, " 0", true},
        // The declarer pays with two tricks.
        {" 12", {D, H, H}, {2, 1, 1}, {"-18", " 3", " 3"}, " 24", false},
        // Nobody paid, yet the bank is written.
        {" 12", {D, H, H}, {2, 1, 1}, {" 6", " 3", " 3"}, " 0", false},
        // A seat that is out pays; a supporter without a trick goes free.
        {" 12", {D, Out, Out}, {4, 0, 0}, {" 12", "-12", " 0"}, " 12", false},
        {" 12", {D, H, TookFive}, {3, 1, 0}, {" 9", " 3", " 0"}, "0", false},
        // The bank shared as it stands, not rounded.
        {" 13.5", {Out, D, Out}, {0, 4, 0}, {" 0", " 13.5", " 0"}, "0", false},
    };
    for (const Settled &row : rows) {
        Table t;
        RecordingView after;
        for (int s = 1; s <= 3; ++s) {
            t.Status[s] = row.statuses[static_cast<std::size_t>(s - 1)];
            t.Tricks[s] = row.tricks[static_cast<std::size_t>(s - 1)];
            after.SetText(Control::Money, s, row.money[static_cast<std::size_t>(s - 1)]);
        }
        after.SetText(Control::bank, 0, row.bankAfter);
        const check::Purse before{{}, ReadCurrency(row.bank)};
        EXPECT_EQ(check::CheckSettlement(t, before, after).has_value(), !row.right)
            << "bank " << row.bank << ", balances " << row.money[0] << row.money[1] << row.money[2]
            << ", bank after " << row.bankAfter;
    }
}

// One seat's draw from the pack in its own order (the turned card 4k is card
// 13, the stock starts 6k 7k 8k 9k 1b): done right, with a card burnt, taken
// from further on, or lost on the way.
TEST(RandomGame, CheckerFollowsTheStock) {
    struct Drawn {
        int seat;
        std::string handBefore; // "" as dealt
        DeclarationStatus statusBefore;
        std::string handAfter;
        DeclarationStatus statusAfter;
        int deckPos;
        bool right;
    };
    const Drawn rows[] = {
        // Seat 2 takes five and throws 8k away at once.
        {2, "", Silent, "6k7k9k1b", TookFive, 19, true},
        {2, "", Silent, "6k7k9k1b", TookFive, 20, false},
        {2, "", Silent, "6k9k1b2b", TookFive, 20, false},
        // The human takes five and has all five to choose from.
        {1, "", Silent, "6k7k8k9k1b", TookFive, 19, true},
        {1, "", Silent, "6k7k9k1b", TookFive, 19, false},
        // The human kept two cards and exchanges the other two.
        {1, "1p3p", Declarer, "1p3p6k7k", DeclarerReady, 16, true},
        {1, "1p3p", Declarer, "1p3p6k8k", DeclarerReady, 16, false},
        {1, "1p3p", Declarer, "1p3p7k8k", DeclarerReady, 17, false},
        {1, "1p3p", Declarer, "1p3p", DeclarerReady, 16, false},
        // Seat 3 helped and keeps its hand.
        {3, "", Silent, "9p1k2k3k", SupporterReady, 14, true},
        {3, "", Silent, "9p1k2k3k", SupporterReady, 15, false},
    };
    Table pack;
    pack.Deck = DeckLiteral;
    for (const Drawn &row : rows) {
        Table start = check::FreshDeal(pack);
        const auto seat = static_cast<std::size_t>(row.seat);
        if (!row.handBefore.empty()) {
            start.Hands[seat] = row.handBefore;
        }
        start.Status[seat] = row.statusBefore;
        Table after = start;
        after.Hands[seat] = row.handAfter;
        after.Status[seat] = row.statusAfter;
        after.DeckPos = row.deckPos;
        const check::StockDraws draws = check::DrawsOf(start, after, false, {});
        EXPECT_EQ(check::CheckStock(start, after, draws.cards, draws.unseen, {}).has_value(),
                  !row.right)
            << "seat " << row.seat << " holds " << row.handAfter << " with DeckPos " << row.deckPos;
        EXPECT_EQ(check::CheckHandOrder(after), std::nullopt) << row.handAfter;
    }
    Table swapped = check::FreshDeal(pack);
    swapped.Hands[2] = "6p5p7p8p  ";
    EXPECT_NE(check::CheckHandOrder(swapped), std::nullopt);
}

} // namespace
} // namespace vurp::testing
