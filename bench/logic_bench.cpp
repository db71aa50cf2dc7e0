// Cost of the game logic on the recording view, as the replay driver and the
// tests run it: whole deals from "Раздать" to the settlement, pressed by a
// random player with a fixed seed, and single clicks from a prepared table:
// "Раздать", the human's "Не менять" after which the computer seats exchange
// and lead, and the heaviest click of the recorded deals.
//
// A deal's clicks are recorded once, outside the measurement, together with
// the state they start from; the measurement replays them, so it times the
// game's own work and not the choosing of the next control.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "controls.h"
#include "game.h"
#include "random.h"
#include "recording_view.h"
#include "web_view.h"

namespace vurp {
namespace {

using Press = std::pair<Control, int>;

constexpr std::uint64_t kSeed = 20240601;
// Deals replayed before the table starts afresh, so that balances and the
// bank stay in the range a real session sees.
constexpr int kRecordedDeals = 256;
// A deal that takes more presses than this has stalled.
constexpr int kPressesPerDeal = 400;

// The driver's random source, counting the numbers the game draws.
class CountingRandom final : public Random {
public:
    void Reseed() override { scripted.Reseed(); }
    double Next() override {
        ++draws;
        return scripted.Next();
    }

    ScriptedRandom scripted;
    std::int64_t draws = 0;
};

// The recording view, counting the calls the game makes on it. Only the
// search for the heaviest click uses it: measured clicks go to the recording
// view itself, as in the driver.
class CountingView final : public View {
public:
    explicit CountingView(RecordingView &recorded) : recorded_(recorded) {}

    std::string Text(Control c, int i) const override { return ++calls, recorded_.Text(c, i); }
    void SetText(Control c, int i, const std::string &t) override {
        ++calls;
        recorded_.SetText(c, i, t);
    }
    bool Visible(Control c, int i) const override { return ++calls, recorded_.Visible(c, i); }
    void SetVisible(Control c, int i, bool v) override {
        ++calls;
        recorded_.SetVisible(c, i, v);
    }
    bool Enabled(Control c, int i) const override { return ++calls, recorded_.Enabled(c, i); }
    void SetEnabled(Control c, int i, bool e) override {
        ++calls;
        recorded_.SetEnabled(c, i, e);
    }
    void SetPicture(Control c, int i, const std::string &name) override {
        ++calls;
        recorded_.SetPicture(c, i, name);
    }
    void SetBackColor(Control c, int i, Colour colour) override {
        ++calls;
        recorded_.SetBackColor(c, i, colour);
    }
    void SetForeColor(Control c, int i, Colour colour) override {
        ++calls;
        recorded_.SetForeColor(c, i, colour);
    }

    mutable std::int64_t calls = 0;

private:
    RecordingView &recorded_;
};

// Everything a game is at one moment: the table, every control and the
// random source.
struct Snapshot {
    Table table;
    RecordingView view;
    ScriptedRandom random;
};

enum class Counting { Off, On };

struct Session {
    RecordingView view;
    CountingView counted{view};
    CountingRandom random;
    Game game;

    explicit Session(std::uint64_t seed, Counting counting = Counting::Off)
        : game(counting == Counting::On ? static_cast<View &>(counted) : view, random) {
        random.scripted.Seed(seed);
        game.Form_Load();
    }
    Snapshot Save() const { return {static_cast<const Table &>(game), view, random.scripted}; }
    void Restore(const Snapshot &s) {
        static_cast<Table &>(game) = s.table;
        view = s.view;
        random.scripted = s.random;
    }
    // The work a click does, as far as it shows: the calls on the view and
    // the random numbers drawn (a shuffle draws one per card).
    std::int64_t Work() const { return counted.calls + random.draws; }
    bool Pressable(const Press &p) const {
        const ControlState &c = view.State(p.first, p.second);
        return c.visible && c.enabled;
    }
    // One of the controls that can be pressed now, chosen by `player`.
    std::optional<Press> RandomPress(std::mt19937_64 &player) const {
        std::vector<Press> open;
        for (const Press &p : GameControls()) {
            if (Pressable(p)) {
                open.push_back(p);
            }
        }
        if (open.empty()) {
            return std::nullopt;
        }
        return open[player() % open.size()];
    }
};

// The clicks of whole deals, each from "Раздать" to the settlement, and the
// state the first one starts from.
struct RecordedDeals {
    Snapshot start;
    std::vector<std::vector<Press>> deals;
};

std::optional<RecordedDeals> Record(std::uint64_t seed, int deals) {
    Session s(seed);
    std::mt19937_64 player(seed);
    RecordedDeals recorded{s.Save(), {}};
    for (int d = 0; d < deals; ++d) {
        std::vector<Press> clicks = {{Control::Razd, 0}};
        s.game.Click(Control::Razd);
        while (!s.view.Enabled(Control::Razd, 0)) {
            const std::optional<Press> press = s.RandomPress(player);
            if (!press || clicks.size() > kPressesPerDeal) {
                return std::nullopt;
            }
            s.game.Click(press->first, press->second);
            clicks.push_back(*press);
        }
        recorded.deals.push_back(std::move(clicks));
    }
    return recorded;
}

// Replays the recorded deals, one an iteration, from the first again after
// the last (`restart`, outside the measurement); `click` presses a recorded
// control and tells whether it was delivered. Gives the clicks replayed.
template <typename Restart, typename Click>
std::int64_t ReplayDeals(benchmark::State &state, const RecordedDeals &recorded, Restart restart,
                         Click click) {
    std::size_t next = 0;
    std::int64_t clicks = 0;
    std::int64_t refused = 0;
    for (auto _ : state) {
        if (next == recorded.deals.size()) {
            state.PauseTiming();
            restart();
            next = 0;
            state.ResumeTiming();
        }
        for (const auto &[control, index] : recorded.deals[next]) {
            refused += click(control, index) ? 0 : 1;
        }
        clicks += static_cast<std::int64_t>(recorded.deals[next].size());
        ++next;
    }
    // A replay that went another way than the recording measured something else.
    if (refused != 0) {
        state.SkipWithError("a recorded click was refused on replay");
    }
    state.counters["clicks_per_deal"] =
        benchmark::Counter(static_cast<double>(clicks), benchmark::Counter::kAvgIterations);
    return clicks;
}

// Whole deals: the time of one deal, and of one click within it.
void BM_RandomDeal(benchmark::State &state) {
    const std::optional<RecordedDeals> recorded = Record(kSeed, kRecordedDeals);
    if (!recorded) {
        state.SkipWithError("the random player found nothing to press");
        return;
    }
    Session s(kSeed);
    s.Restore(recorded->start);
    const std::int64_t clicks = ReplayDeals(
        state, *recorded, [&] { s.Restore(recorded->start); },
        [&](Control control, int index) { return s.game.Click(control, index); });
    state.counters["time_per_click"] = benchmark::Counter(
        static_cast<double>(clicks), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RandomDeal)->Unit(benchmark::kMicrosecond);

// The same deals through the browser page's view, as the page plays them: each
// click, then the changes since the one before built as the page is handed
// them. The module's deal in WebAssembly (bench/web_deals.mjs) is set beside
// this figure.
void BM_PageDeal(benchmark::State &state) {
    const std::optional<RecordedDeals> recorded = Record(kSeed, kRecordedDeals);
    if (!recorded) {
        state.SkipWithError("the random player found nothing to press");
        return;
    }
    struct PageSession {
        web::WebView view;
        ScriptedRandom random;
        Game game{view, random};
        PageSession() {
            random.Seed(kSeed);
            view.Follow(game);
            game.Form_Load();
            benchmark::DoNotOptimize(view.ControlTable());
        }
    };
    auto s = std::make_unique<PageSession>();
    std::int64_t bytes = 0;
    ReplayDeals(
        state, *recorded, [&] { s = std::make_unique<PageSession>(); },
        [&](Control control, int index) {
            const bool delivered = s->game.Click(control, index);
            bytes += static_cast<std::int64_t>(s->view.TakeChanges().size());
            return delivered;
        });
    state.counters["bytes_per_deal"] =
        benchmark::Counter(static_cast<double>(bytes), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PageDeal)->Unit(benchmark::kMicrosecond);

// Times one click on each prepared table in turn; the table is restored
// before every click, outside the measurement.
void TimeClicks(benchmark::State &state, const std::vector<Snapshot> &tables, Press press) {
    if (tables.empty()) {
        state.SkipWithError("no table to start from was found");
        return;
    }
    Session s(kSeed);
    std::size_t next = 0;
    for (auto _ : state) {
        s.Restore(tables[next]);
        next = (next + 1) % tables.size();
        const auto start = std::chrono::steady_clock::now();
        const bool delivered = s.game.Click(press.first, press.second);
        const auto end = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(delivered);
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}

// "Раздать" at the start of each recorded deal: collecting the stakes, the
// shuffle, the deal and the computer seats' first-round declarations.
void BM_DealClick(benchmark::State &state) {
    std::vector<Snapshot> tables;
    Session s(kSeed);
    std::mt19937_64 player(kSeed);
    for (int d = 0; d < 64; ++d) {
        tables.push_back(s.Save());
        s.game.Click(Control::Razd);
        for (int presses = 0; !s.view.Enabled(Control::Razd, 0) && presses < kPressesPerDeal;
             ++presses) {
            const std::optional<Press> press = s.RandomPress(player);
            if (!press) {
                break;
            }
            s.game.Click(press->first, press->second);
        }
    }
    TimeClicks(state, tables, {Control::Razd, 0});
}
BENCHMARK(BM_DealClick)->UseManualTime()->Unit(benchmark::kMicrosecond);

std::size_t Occurrences(const std::string &text, std::string_view word) {
    std::size_t count = 0;
    for (std::size_t at = text.find(word); at != std::string::npos;
         at = text.find(word, at + word.size())) {
        ++count;
    }
    return count;
}

// The human's "Не менять" when a computer seat exchanges after him and the
// computer seats then lead and follow to the first trick, so that one click
// runs an exchange, the choice of the leader and two card choices. (No deal
// lets both computer seats exchange after the human and still lead: the
// declarer exchanges first and the exchange goes round in seat order.) Found
// by playing random deals until the click does exactly that.
std::optional<Snapshot> BeforeExchangeAndLead() {
    constexpr std::string_view kExchanged = "заменил";
    const Press change{Control::Change, 0};
    for (std::uint64_t seed = kSeed; seed < kSeed + 64; ++seed) {
        Session s(seed);
        std::mt19937_64 player(seed);
        for (int presses = 0; presses < 64 * kPressesPerDeal; ++presses) {
            std::optional<Press> press = s.RandomPress(player);
            if (!press) {
                break;
            }
            if (!s.Pressable(change)) {
                s.game.Click(press->first, press->second);
                continue;
            }
            Snapshot before = s.Save();
            std::size_t exchanges = 0;
            bool playedBefore = false;
            for (int seat = 2; seat <= 3; ++seat) {
                exchanges += Occurrences(s.view.Text(Control::talk, seat), kExchanged);
                playedBefore = playedBefore || s.view.Visible(Control::Hod, seat);
            }
            s.game.Click(Control::Change);
            std::size_t exchangesAfter = 0;
            bool bothPlayed = !playedBefore;
            for (int seat = 2; seat <= 3; ++seat) {
                exchangesAfter += Occurrences(s.view.Text(Control::talk, seat), kExchanged);
                bothPlayed = bothPlayed && s.view.Visible(Control::Hod, seat);
            }
            if (exchangesAfter > exchanges && bothPlayed) {
                return before;
            }
        }
    }
    return std::nullopt;
}

void BM_ChangeClick(benchmark::State &state) {
    std::vector<Snapshot> tables;
    if (std::optional<Snapshot> before = BeforeExchangeAndLead()) {
        tables.push_back(std::move(*before));
    }
    TimeClicks(state, tables, {Control::Change, 0});
}
BENCHMARK(BM_ChangeClick)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The heaviest click of the recorded deals: the one that makes the most calls
// on the view and draws the most random numbers.
void BM_HeaviestClick(benchmark::State &state) {
    std::vector<Snapshot> tables;
    Press heaviest{Control::Razd, 0};
    if (const std::optional<RecordedDeals> recorded = Record(kSeed, kRecordedDeals)) {
        Session s(kSeed, Counting::On);
        s.Restore(recorded->start);
        std::int64_t most = -1;
        for (const auto &deal : recorded->deals) {
            for (const Press &press : deal) {
                Snapshot before = s.Save();
                const std::int64_t work = s.Work();
                s.game.Click(press.first, press.second);
                if (s.Work() - work > most) {
                    most = s.Work() - work;
                    heaviest = press;
                    tables.assign(1, std::move(before));
                }
            }
        }
        state.SetLabel(DesignOf(heaviest.first).name + ": " + std::to_string(most) +
                       " view calls and draws");
    }
    TimeClicks(state, tables, heaviest);
}
BENCHMARK(BM_HeaviestClick)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace vurp

BENCHMARK_MAIN();
