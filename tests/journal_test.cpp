// The game journal without a window: what its lines read back as, and random
// games written down as they are played, cut anywhere by a crash and played
// on, that read back to the very table the game shows.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "controls.h"
#include "invariants.h"
#include "journal.h"
#include "json.h"
#include "script.h"

namespace vurp::testing {
namespace {

// A fresh random source that also gives values far from any multiple of
// 2^-53 and below the smallest normal double.
class Dice final : public Random {
public:
    explicit Dice(std::uint64_t seed) : engine_(seed) {}
    void Reseed() override {}
    double Next() override {
        const double u = std::uniform_real_distribution<double>(0.0, 1.0)(engine_);
        switch (engine_() % 8) {
        case 0:
            return std::ldexp(u, -1060);
        case 1:
            return std::nextafter(1.0, 0.0);
        default:
            return u;
        }
    }

private:
    std::mt19937_64 engine_;
};

TEST(Journal, ARandLineReadsBackAsTheSameDouble) {
    std::vector<double> values = {0.0,
                                  std::numeric_limits<double>::denorm_min(),
                                  std::numeric_limits<double>::min(),
                                  0x1.0p-53,
                                  0.1,
                                  0.5,
                                  std::nextafter(1.0, 0.0)};
    Dice dice(7);
    for (int k = 0; k < 20'000; ++k) {
        values.push_back(dice.Next());
    }
    std::string script;
    for (const double value : values) {
        script += RandLine(value);
    }
    ReplayedGame replayed;
    ASSERT_EQ(replayed.Play(script), std::nullopt);
    for (const double value : values) {
        ASSERT_EQ(replayed.random.Next(), value) << RandLine(value);
    }
}

TEST(Journal, ReadingTellsAJournalFromWhatIsNot) {
    const std::string header = JournalHeader();
    const struct {
        std::string text;
        JournalFault fault;
        std::size_t length;
    } rows[] = {
        {"", JournalFault::NotJournal, 0},
        {"garbage\n", JournalFault::NotJournal, 8},
        {"# vurp journal format 1", JournalFault::NotJournal, 0}, // the header itself torn
        {"# vurp journal format 0\n", JournalFault::NotJournal, 24},
        {"# vurp journal format x1\n", JournalFault::NotJournal, 25},
        {"click Razd\n", JournalFault::NotJournal, 11},
        {"# vurp journal format 2\n", JournalFault::NewerFormat, 24},
        {"# vurp journal format 0000000000000000000002\n", JournalFault::NewerFormat, 45},
        {"# vurp journal format 99999999999\n", JournalFault::NewerFormat, 34},
        {header + "click Nope\n", JournalFault::ReplayFailed, header.size() + 11},
        {header + "rand 1.5\nclick Razd\n", JournalFault::ReplayFailed, header.size() + 20},
        {header, JournalFault::None, header.size()},
        {"# vurp journal format 001\r\nclick Razd\r\n", JournalFault::None, 39},
        // A last line cut short by a crash is dropped, never misread.
        {header + "click Razd\nrand 0.5", JournalFault::None, header.size() + 11},
        {header + "click Razd\nclick Pict1 1", JournalFault::None, header.size() + 11},
        // So are the numbers of an action that was never written down.
        {header + "click Razd\nrand 0.5\nrand .25\nseed 5\n", JournalFault::None,
         header.size() + 11},
        {header + "seed 5\nrand 0.5\n", JournalFault::None, header.size() + 7},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        const JournalReading reading = ReadJournal(row.text);
        EXPECT_EQ(reading.fault, row.fault) << reading.detail;
        EXPECT_EQ(reading.length, row.length);
        EXPECT_EQ(reading.game != nullptr, row.fault == JournalFault::None);
    }
}

const std::vector<std::string> kStakes = {"2", "-5", "abc", "0,5", " 0", "1e3", "", "4"};

// The player: presses a control that can be pressed, now and then a panel
// button, or types a stake.
struct Player {
    std::mt19937 dice;
    std::string journal;

    void Act(Game &game, RecordingView &view, JournalRandom &random) {
        if (dice() % 25 == 0) {
            const std::string &stake = kStakes[dice() % kStakes.size()];
            if (stake != view.Text(Control::Stavk, 0)) {
                view.SetText(Control::Stavk, 0, stake);
                game.TextChanged(Control::Stavk);
                journal += TypeLine(stake).value();
            }
            return;
        }
        std::vector<std::pair<Control, int>> pressable;
        for (const auto &[control, index] : GameControls()) {
            if (view.Visible(control, index) && view.Enabled(control, index)) {
                pressable.emplace_back(control, index);
            }
        }
        if (dice() % 40 == 0 || pressable.empty()) {
            pressable = {{Control::Pravila, 0}, {Control::Game, 0}};
        }
        const auto [control, index] = pressable[dice() % pressable.size()];
        journal += RecordedClick(game, random, control, index).value_or("");
    }
};

std::string Differences(const Game &game, const RecordingView &view, const ReplayedGame &read) {
    return check::CompareTables(game, read.game).value_or("") +
           check::CompareViews(view, read.view).value_or("");
}

TEST(Journal, ARandomGameCutAnywhereAndPlayedOnReadsBackToItsTable) {
    for (std::uint64_t seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Dice fresh(seed);
        JournalRandom random(fresh);
        RecordingView view;
        Game game(view, random);
        game.Form_Load();
        Player player{std::mt19937(static_cast<std::mt19937::result_type>(seed)), JournalHeader()};
        if (seed % 3 == 0) {
            // A game started from a seed, as `vurp --seed N` starts one.
            random.Seed(seed * 0x9E3779B97F4A7C15ULL);
            player.journal += SeedLine(seed * 0x9E3779B97F4A7C15ULL);
        }
        for (int event = 0; event < 900; ++event) {
            if (event % 300 == 299) {
                // A crash: the journal loses a tail of whole lines, perhaps
                // the click after the numbers it drew. The game goes on from
                // what was kept, as the window goes on after a restart.
                std::size_t cut = player.journal.size() - 1;
                for (auto lines = player.dice() % 4; lines > 0 && cut > 0; --lines) {
                    cut = player.journal.rfind('\n', cut - 1);
                }
                player.journal.resize(cut + 1);
                const JournalReading reading = ReadJournal(player.journal);
                ASSERT_NE(reading.game, nullptr) << reading.detail;
                player.journal.resize(reading.length);
                static_cast<Table &>(game) = reading.game->game;
                view = reading.game->view;
                random.Continue(reading.game->random);
            }
            player.Act(game, view, random);
        }
        const JournalReading reading = ReadJournal(player.journal + "rand 0.2");
        ASSERT_NE(reading.game, nullptr) << reading.detail;
        EXPECT_EQ(reading.length, player.journal.size());
        ASSERT_EQ(Differences(game, view, *reading.game), "");
        // And the driver prints for it what it prints for the game itself.
        std::istringstream in(player.journal + "dump\n");
        std::ostringstream out;
        std::ostringstream err;
        ASSERT_EQ(RunScript(in, out, err), kReplayDone) << err.str();
        // Compared whole, not printed: a snapshot holds both panels' texts.
        EXPECT_TRUE(out.str() == Snapshot(game, view) + "\n") << "the driver prints otherwise";
        if (seed % 3 == 0) {
            // Restarts and all, the game is the one its seed deals: its
            // clicks alone after the first seed line replay to it.
            std::istringstream lines(player.journal);
            std::string clicks;
            bool seeded = false;
            for (std::string line; std::getline(lines, line);) {
                const bool seedLine = line.starts_with("seed ");
                if (!line.starts_with("rand ") && !(seedLine && seeded)) {
                    clicks += line + "\n";
                }
                seeded = seeded || seedLine;
            }
            const JournalReading alone = ReadJournal(clicks);
            ASSERT_NE(alone.game, nullptr) << alone.detail;
            EXPECT_EQ(Differences(game, view, *alone.game), "");
        }
    }
}

} // namespace
} // namespace vurp::testing
