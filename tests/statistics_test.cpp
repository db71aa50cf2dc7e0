// The statistics of the games played: the fold of a game's events, checked
// on hand-made deals and against a second count from the table over random
// games, and a game's journal folded whole and as it grows.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "controls.h"
#include "finished_record.h"
#include "hand_queries.h"
#include "journal.h"
#include "statistics.h"
#include "statistics_words.h"

namespace vurp::testing {
namespace {

GameEvent Said(EventKind kind, int seat) {
    return GameEvent::Of(kind, seat);
}
GameEvent Stakes(int amount) {
    return GameEvent::Of(EventKind::Stakes).WithAmount(Currency::FromInt(amount));
}
GameEvent Settled(int seat, int tricks, int amount,
                  SettlementReason reason = SettlementReason::Share) {
    return GameEvent::Of(EventKind::Settlement, seat)
        .WithCount(tricks)
        .WithAmount(Currency::FromInt(amount), reason);
}
Currency Money(int whole) {
    return Currency::FromInt(whole);
}
// A tally from its counts (games, deals, declared, won, helped, took five,
// went for, got four, helicopters), the largest bank and the best and worst
// balance.
Tally Counted(const std::array<std::int64_t, 9> &counts, std::optional<int> bank, int best,
              int worst) {
    Tally t;
    std::int64_t *const fields[] = {&t.games,    &t.deals,   &t.declared, &t.declaredWon, &t.helped,
                                    &t.tookFive, &t.wentFor, &t.gotFour,  &t.helicopters};
    for (std::size_t k = 0; k < counts.size(); ++k) {
        *fields[k] = counts[k];
    }
    if (bank) {
        t.largestBank = Money(*bank);
    }
    t.best = Money(best);
    t.worst = Money(worst);
    return t;
}

TEST(Statistics, HandMadeDealsAreCountedForThePlayer) {
    const GameEvent turned = GameEvent::Of(EventKind::Turned).WithCard("5c");
    const GameEvent cardPlayed = Said(EventKind::Card, 2).WithCard("9c");
    struct Row {
        const char *what;
        std::vector<GameEvent> events;
        Tally counts;
        std::size_t points;
        Balances last;
        bool underWay;
    };
    const Row rows[] = {
        {"nothing dealt yet", {}, {}, 1, {}, false},
        {"cards dealt, nothing settled",
         {Stakes(4), turned, Said(EventKind::Vurp, 1)},
         Counted({1, 0, 0, 0, 0, 0, 0, 0, 0}, {}, 0, 0),
         2,
         {Money(-4), Money(-4), Money(-4)},
         true},
        {"his vurp won with three tricks",
         {Stakes(4), turned, Said(EventKind::Vurp, 1), Said(EventKind::Help, 2),
          Said(EventKind::Out, 3), cardPlayed, Settled(1, 3, 9), Settled(2, 1, 3)},
         Counted({1, 1, 1, 1, 0, 0, 0, 0, 0}, 9, 5, 0),
         2,
         {Money(5), Money(-1), Money(-4)},
         false},
        // The share and the penalty come one after the other: only the
        // balance after the whole settlement is a balance he had.
        {"his vurp short of two tricks, then a deal he helped",
         {Stakes(4), turned, Said(EventKind::Vurp, 1), Said(EventKind::Help, 2),
          Said(EventKind::Help, 3), Settled(1, 1, 3), Settled(2, 2, 6), Settled(3, 1, 3),
          Settled(1, 1, -24, SettlementReason::DeclarerShort), turned, Said(EventKind::Pass, 3),
          Said(EventKind::Vurp, 2), Said(EventKind::Help, 1), Said(EventKind::TakeFive, 3),
          Settled(1, 1, 6), Settled(2, 2, 12), Settled(3, 1, 6)},
         Counted({1, 2, 1, 0, 1, 0, 0, 0, 0}, 6, 0, -25),
         3,
         {Money(-19), Money(14), Money(5)},
         false},
        // A redeal forgets what was said over the cards dealt before it; a
        // helicopter binds him to help.
        {"a redeal, then another seat's helicopter",
         {Stakes(4), turned, Said(EventKind::Pass, 1), GameEvent::Of(EventKind::Redeal), Stakes(4),
          turned, Said(EventKind::Helicopter, 2), Said(EventKind::Help, 3),
          Said(EventKind::Help, 1), Settled(2, 4, 24)},
         Counted({1, 1, 0, 0, 1, 0, 0, 0, 0}, {}, 0, -8),
         2,
         {Money(-8), Money(16), Money(-8)},
         false},
        {"his helicopter",
         {Stakes(4), turned, Said(EventKind::Helicopter, 1), Said(EventKind::Help, 2),
          Said(EventKind::Help, 3), Settled(1, 2, 6), Settled(2, 1, 3), Settled(3, 1, 3)},
         Counted({1, 1, 1, 1, 0, 0, 0, 0, 1}, 6, 2, 0),
         2,
         {Money(2), Money(-1), Money(-1)},
         false},
        // Going for a rank as the first word declares; the four of a kind
        // shown counts only for the rank gone for.
        {"he goes for aces first and shows them",
         {Stakes(4), turned, Said(EventKind::GoingFor, 1).WithRank(9),
          Said(EventKind::Draw, 1).WithRank(9).WithCount(3), Said(EventKind::Help, 2),
          Said(EventKind::Out, 3), Said(EventKind::FourOfAKind, 1).WithRank(9).WithCount(4),
          Settled(1, 4, 12)},
         Counted({1, 1, 1, 1, 0, 0, 1, 1, 0}, 12, 8, 0),
         2,
         {Money(8), Money(-4), Money(-4)},
         false},
        {"he goes for kings helping, and shows queens",
         {Stakes(4), turned, Said(EventKind::Vurp, 3), Said(EventKind::GoingFor, 1).WithRank(8),
          Said(EventKind::Out, 2), Said(EventKind::FourOfAKind, 1).WithRank(7).WithCount(4),
          Settled(1, 4, 12), Settled(3, 0, -24, SettlementReason::DeclarerShort)},
         Counted({1, 1, 0, 0, 1, 0, 1, 0, 0}, 12, 8, 0),
         2,
         {Money(8), Money(-4), Money(-28)},
         false},
        // Another seat's going-for declares; his own later one helps.
        {"another seat goes for a rank, then he takes five",
         {Stakes(4), turned, Said(EventKind::GoingFor, 2).WithRank(3),
          Said(EventKind::Answer, 3).WithRank(3).WithHolds(true), Said(EventKind::Vurp, 2),
          Said(EventKind::TakeFive, 1), Settled(1, 0, -12, SettlementReason::HelperNoTrick),
          Settled(2, 4, 12)},
         Counted({1, 1, 0, 0, 0, 1, 0, 0, 0}, {}, 0, -16),
         2,
         {Money(-16), Money(8), Money(-4)},
         false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        GameStatistics statistics;
        for (const GameEvent &event : row.events) {
            statistics.Add(event);
        }
        EXPECT_EQ(statistics.Counts(), row.counts) << TallyText(statistics.Counts());
        ASSERT_EQ(statistics.Series().size(), row.points);
        EXPECT_EQ(statistics.Series().back(), row.last);
        EXPECT_EQ(statistics.DealUnderWay(), row.underWay);
        // Every tally reads back from its line, and adds to nothing as itself.
        EXPECT_EQ(ReadTally(TallyText(row.counts)), row.counts);
        Tally sum;
        sum += Tally{};
        sum += row.counts;
        EXPECT_EQ(sum, row.counts);
    }
}

TEST(Statistics, TalliesAddUpAndOnlyLinesGamesCouldGiveAreRead) {
    Tally a = Counted({1, 3, 2, 1, 1, 0, 0, 0, 0}, 9, 5, -3);
    a += Counted({2, 4, 0, 0, 0, 2, 0, 0, 0}, {}, 1, -20);
    EXPECT_EQ(a, Counted({3, 7, 2, 1, 1, 2, 0, 0, 0}, 9, 5, -20));
    EXPECT_EQ(TallyText(a), "3 7 2 1 1 2 0 0 0 90000 50000 -200000");
    for (const std::string bad :
         {"", "3 7 2 1 1 2 0 0 0 90000 50000", "3 7 2 1 1 2 0 0 0 90000 50000 -200000 1",
          "3 7 2 1 1 2 0 0 0 90000 50000 -200000 ", "3 7 2 1 1 2 0 0 0 9x 50000 -200000",
          "3  7 2 1 1 2 0 0 0 90000 50000 -200000", "3 7 2 1 1 2 0 0 0 + 50000 -200000",
          "3 7 2 3 1 2 0 0 0 90000 50000 -200000",          // more won than declared
          "3 7 2 1 5 2 0 0 0 90000 50000 -200000",          // more deals said than dealt
          "3 7 2 1 1 2 0 1 0 90000 50000 -200000",          // four without going for it
          "3 7 2 1 1 2 0 0 0 90000 -50000 -200000",         // best below the start
          "0 7 2 1 1 2 0 0 0 90000 50000 -200000",          // deals without a game
          "0 0 0 0 0 0 0 0 0 - 1 0",                        // no game, yet a balance
          "3 7000000000 2 1 1 2 0 0 0 90000 50000 -200000", // beyond any journal
          "3 99999999999999999999 2 1 1 2 0 0 0 - 1 0", "-3 7 2 1 1 2 0 0 0 - 1 0"}) {
        EXPECT_EQ(ReadTally(bad), std::nullopt) << bad;
    }
}

// The journal of a game `actions` clicks long, a random player pressing what
// can be pressed: the same seed plays the same game on.
std::string PlayedJournal(std::uint64_t seed, int actions) {
    RecordingView view;
    ScriptedRandom fresh;
    fresh.Seed(seed);
    JournalRandom random(fresh);
    Game game(view, random);
    game.Form_Load();
    std::mt19937 dice(static_cast<unsigned>(seed));
    std::string journal = JournalHeader();
    for (int action = 0; action < actions; ++action) {
        std::vector<std::pair<Control, int>> pressable;
        for (const auto &[control, index] : GameControls()) {
            if (view.Visible(control, index) && view.Enabled(control, index)) {
                pressable.emplace_back(control, index);
            }
        }
        const auto [control, index] = pressable[dice() % pressable.size()];
        journal += RecordedClick(game, random, control, index).value_or("");
    }
    return journal;
}

Tally TallyOf(const std::string &journal) {
    JournalStatistics read;
    EXPECT_TRUE(read.Follow(journal));
    return read.Statistics().Counts();
}

// The page's record of finished games: a game played on replaces its own
// line, a game without a deal or a journal that does not replay adds none,
// and no other line is ever touched, readable or not.
TEST(Statistics, TheRecordOfFinishedGamesKeepsOneLineAGameAndLosesNoLine) {
    const std::string a = PlayedJournal(1, 150);
    const std::string aLater = PlayedJournal(1, 400);
    const std::string b = PlayedJournal(2, 300);
    ASSERT_TRUE(aLater.starts_with(a));
    const std::string key = GameKey(a);
    EXPECT_EQ(GameKey(aLater), key);
    EXPECT_NE(GameKey(b), key);
    EXPECT_EQ(key.find_first_not_of("0123456789abcdef"), std::string::npos);
    EXPECT_EQ(key.size(), 16u);
    const Tally tallyA = TallyOf(a);
    const Tally tallyLater = TallyOf(aLater);
    const Tally tallyB = TallyOf(b);
    ASSERT_LT(tallyA.deals, tallyLater.deals);
    ASSERT_GT(tallyB.deals, 0);
    const std::string lineA = key + " " + TallyText(tallyA);
    const std::string lineLater = key + " " + TallyText(tallyLater);
    const std::string lineB = GameKey(b) + " " + TallyText(tallyB);
    const std::string bad = "not a game at all \xff\x01";

    struct Row {
        const char *what;
        std::string record;
        std::string journal;
        std::string recorded;
        Tally others; // the sum of the lines but the game's own
        int unreadable;
    };
    const Row rows[] = {
        {"the first game", "", a, lineA + "\n", {}, 0},
        {"played on, in place", lineB + "\n" + lineA + "\n" + lineB + "x\n", aLater,
         lineB + "\n" + lineLater + "\n" + lineB + "x\n", tallyB, 1},
        {"no final line end", lineB, a, lineB + "\n" + lineA + "\n", tallyB, 0},
        {"the last line replaced",
         bad + "\n\n  \n" + lineA,
         aLater,
         bad + "\n\n  \n" + lineLater + "\n",
         {},
         1},
        {"its key on a line that does not read",
         key + " 1 2\n",
         a,
         key + " 1 2\n" + lineA + "\n",
         {},
         1},
        {"no deal dealt", lineB + "\n" + bad, JournalHeader(), lineB + "\n" + bad, tallyB, 1},
        {"no journal", lineB + "\n", "click Razd\n", lineB + "\n", tallyB, 0},
    };
    for (const Row &row : rows) {
        const std::string recorded = RecordFinishedGame(row.record, row.journal);
        EXPECT_EQ(recorded, row.recorded) << row.what;
        // The game under way, gone on from its line, counts only as itself.
        const RecordSum others = SumRecord(recorded, GameKey(row.journal));
        EXPECT_EQ(others.tally, row.others) << row.what;
        EXPECT_EQ(others.unreadable, row.unreadable) << row.what;
        Tally all = row.others;
        if (recorded != row.record) {
            all += TallyOf(row.journal);
        }
        EXPECT_EQ(SumRecord(recorded, "").tally, all) << row.what;
    }

    // Counts added past what they hold stop there.
    Tally huge;
    huge.games = std::numeric_limits<std::int64_t>::max();
    huge += tallyB;
    EXPECT_EQ(huge.games, std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(huge.deals, tallyB.deals);
}

// Seat 1's part in a deal as the table leaves it after the settlement, with
// what he pressed in it: a count of its own, beside the fold of the events.
struct TableCount {
    Tally tally;
    bool goneFor = false;
    int rank = 0;
    bool helicopter = false;

    void Settled(const Game &g, Currency bankBefore) {
        const DeclarationStatus status = g.Status[HumanSeat];
        const int tricks = g.Tricks[HumanSeat];
        const bool declared = status == DeclarerReady;
        ++tally.deals;
        tally.declared += declared ? 1 : 0;
        tally.declaredWon += declared && tricks >= 2 ? 1 : 0;
        tally.helped +=
            status == Supporter || status == SupporterReady || status == SupporterGoingFor ? 1 : 0;
        tally.tookFive += status == TookFive ? 1 : 0;
        tally.wentFor += goneFor ? 1 : 0;
        // Four of a kind takes the tricks before a card is played: the hand
        // still holds it.
        tally.gotFour += goneFor && tricks == 4 && FourOfAKindRank(g, HumanSeat) == rank ? 1 : 0;
        tally.helicopters += helicopter ? 1 : 0;
        if (tricks > 0) {
            const Currency share = bankBefore.RoundedWhole() / 4 * tricks;
            tally.largestBank = tally.largestBank ? std::max(*tally.largestBank, share) : share;
        }
        const Currency money = g.ReadCurrency(Control::Money, HumanSeat);
        tally.best = std::max(tally.best, money);
        tally.worst = std::min(tally.worst, money);
        goneFor = helicopter = false;
    }
};

// Random players press what can be pressed and now and then type a stake,
// deal after deal, while the game is written down. After every action the
// fold of the events told so far must end on the balances the table shows;
// after every settlement its counts must be the table's; and the journal,
// folded whole or piece by piece as it grew, must give the same.
// The chart's ticks: as many decimals as the step needs, never "-0", and
// money written out whole, however large.
TEST(Statistics, TicksAreWrittenWithTheDecimalsTheirStepNeeds) {
    struct Row {
        double value;
        double step;
        const char *text;
    };
    for (const Row &row :
         {Row{0, 5, "0"}, Row{-10, 5, "-10"}, Row{1e-12, 5, "0"}, Row{-1e-12, 5, "0"},
          Row{0.3, 0.1, "0.3"}, Row{-0.25, 0.05, "-0.25"}, Row{2, 0.5, "2.0"},
          Row{-0.00001, 0.00001, "0.0000"}, Row{0.0007, 0.0001, "0.0007"},
          Row{1234567, 100000, "1234567"}, Row{-9.2e17, 1e17, "-920000000000000000"},
          Row{-2.5e14, 5e13, "-250000000000000"}}) {
        EXPECT_EQ(TickText(row.value, row.step), row.text) << row.value << " by " << row.step;
    }
}

TEST(Statistics, AgreeWithTheTableAndTheJournalOverRandomGames) {
    const std::vector<std::string> stakes = {"2", "-5", "7.5", "abc", "4"};
    std::int64_t allDeals = 0;
    Tally seen;
    for (std::uint64_t seed = 1; seed <= 6; ++seed) {
        RecordingView view;
        ScriptedRandom fresh;
        fresh.Seed(seed);
        JournalRandom random(fresh);
        Game game(view, random);
        game.Form_Load();
        GameStatistics live;
        view.FollowEvents([&live](const GameEvent &event) { live.Add(event); });
        std::string journal = JournalHeader();
        JournalStatistics growing;
        std::mt19937 dice(static_cast<unsigned>(seed));
        TableCount count;
        bool followed = false;
        for (int action = 1; action <= 2500; ++action) {
            const std::string where =
                "seed " + std::to_string(seed) + " action " + std::to_string(action);
            if (dice() % 40 == 0) {
                const std::string &stake = stakes[dice() % stakes.size()];
                if (stake != view.Text(Control::Stavk, 0)) {
                    view.SetText(Control::Stavk, 0, stake);
                    game.TextChanged(Control::Stavk);
                    journal += TypeLine(stake).value();
                }
                continue;
            }
            std::vector<std::pair<Control, int>> pressable;
            for (const auto &[control, index] : GameControls()) {
                if (view.Visible(control, index) && view.Enabled(control, index)) {
                    pressable.emplace_back(control, index);
                }
            }
            ASSERT_FALSE(pressable.empty()) << where;
            const auto [control, index] = pressable[dice() % pressable.size()];
            const bool dealing = view.Enabled(Control::Razd, 0);
            const Currency bank = game.ReadCurrency(Control::bank);
            journal += RecordedClick(game, random, control, index).value_or("");
            count.goneFor = count.goneFor || control == Control::GoKats;
            count.rank = control == Control::GoKats ? index : count.rank;
            count.helicopter = count.helicopter || control == Control::Vert;
            if (control == Control::Razd) {
                count.tally.games = 1;
            }
            if (!dealing && view.Enabled(Control::Razd, 0)) {
                count.Settled(game, bank);
                EXPECT_EQ(live.Counts(), count.tally)
                    << where << "\nfold  " << TallyText(live.Counts()) << "\ntable "
                    << TallyText(count.tally);
            }
            for (int s = 1; s <= 3; ++s) {
                EXPECT_EQ(live.Series().back()[static_cast<std::size_t>(s - 1)],
                          game.ReadCurrency(Control::Money, s))
                    << where << " seat " << s;
            }
            if (action % 97 == 0) {
                ASSERT_TRUE(growing.Follow(journal)) << where;
                EXPECT_EQ(growing.StartedAnew(), !followed) << where;
                followed = true;
            }
            if (HasFailure()) {
                return;
            }
        }
        ASSERT_TRUE(growing.Follow(journal));
        JournalStatistics whole;
        ASSERT_TRUE(whole.Follow(journal));
        for (const JournalStatistics *read : {&growing, &whole}) {
            EXPECT_EQ(read->Statistics().Counts(), live.Counts()) << "seed " << seed;
            EXPECT_EQ(read->Statistics().Series(), live.Series()) << "seed " << seed;
        }
        // The points of the series are the start and the deals.
        EXPECT_EQ(live.Series().size(),
                  1 + static_cast<std::size_t>(live.Counts().deals) + live.DealUnderWay());
        allDeals += live.Counts().deals;
        seen += live.Counts();

        // A journal that is no continuation is folded anew; one that does
        // not replay counts as nothing.
        EXPECT_TRUE(growing.Follow(JournalHeader() + "click Razd\n"));
        EXPECT_TRUE(growing.StartedAnew());
        EXPECT_EQ(growing.Statistics().Counts().deals, 0);
        EXPECT_FALSE(growing.Follow(journal + "click Nope\n"));
        EXPECT_FALSE(growing.Readable());
        EXPECT_EQ(growing.Statistics().Series().size(), 1u);
        EXPECT_FALSE(whole.Follow("no journal\n"));
        EXPECT_FALSE(whole.Follow(journal.substr(0, journal.rfind('\n', journal.size() / 2) + 1) +
                                  "\xff\xfe\n"));
    }
    // The games went through every count.
    EXPECT_GT(allDeals, 100);
    for (const std::int64_t count : {seen.declared, seen.declaredWon, seen.helped, seen.tookFive,
                                     seen.wentFor, seen.helicopters}) {
        EXPECT_GT(count, 0) << TallyText(seen);
    }
}

} // namespace
} // namespace vurp::testing
