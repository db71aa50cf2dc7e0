// The real window on Qt's offscreen platform: how long a click takes from the
// mouse press to the window having handled it and painted the change, for
// "Раздать", "Дальше", a card played to a trick, "Не менять" and "Правила
// игры"; and what building and first painting the window costs beside the
// floor's bare one.
//
// A click is sent as the mouse sends it (press and release, spontaneous) and
// the clock stops once the window's pending update request has been handled,
// which is when Qt paints the changed area into the backing store. Between
// the timed clicks the game is moved on by random presses of a fixed seed,
// through the window as well; each kind of click reports its median, 99th
// percentile and maximum as counters (in microseconds). Each kind is timed
// again with the journal kept in a folder of the working disk: the cost of
// writing every action down and waiting for the disk. And the program's
// resuming of a journal of 10, 100 and 1,000 deals, and the opening of
// "Статистика" with 200 finished games.
//
// Usage: vurp_window_bench [--clicks=N] [Google Benchmark flags]
// N timed clicks of each kind (default 300; a smoke test may give 3).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QPixmapCache>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "controls.h"
#include "floor_window.h"
#include "journal.h"
#include "main_window.h"
#include "random.h"
#include "recording_view.h"
#include "statistics_file.h"
#include "statistics_panel.h"

namespace vurp::bench {
namespace {

using Press = std::pair<Control, int>;
using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kSeed = 20240601;

// Counts the passes of painting a window goes through: an update request,
// which paints what changed since the last, or a paint of the window itself,
// as a window just shown gets from its first exposure.
class UpdateWatch final : public QObject {
public:
    explicit UpdateWatch(QWidget *window) { window->installEventFilter(this); }
    int Updates() const { return updates_; }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::UpdateRequest || event->type() == QEvent::Paint) {
            ++updates_;
        }
        return false;
    }

private:
    int updates_ = 0;
};

// Handles the pending events until the window has painted once more than
// `before`; the filter sees the request just before it is handled, so the
// paint is done when processEvents returns. A click that changed nothing
// on the screen ends the wait after a few empty rounds.
void WaitForPaint(const UpdateWatch &watch, int before) {
    for (int round = 0; round < 8 && watch.Updates() == before; ++round) {
        QCoreApplication::processEvents();
    }
}

// The table on the screen, played by a random player; with a journal in a
// folder of its own, every click waits for the disk as in the program.
class Session {
public:
    explicit Session(bool journaled = false) : watch_(&window_) {
        if (journaled) {
            window_.KeepJournal(folder_.path());
        }
        random_.Seed(kSeed);
        window_.show();
        for (int round = 0; round < 4; ++round) {
            QCoreApplication::processEvents();
        }
    }

    bool Pressable(const Press &p) const {
        const QWidget *w = window_.control(p.first, p.second);
        return w != nullptr && w->isVisible() && w->isEnabled();
    }

    // Clicks a control and waits for the window to paint; the seconds that
    // took. `painted` tells whether the window did paint.
    double Click(const Press &p, bool *painted = nullptr) {
        QWidget *w = window_.control(p.first, p.second);
        const int before = watch_.Updates();
        const auto start = Clock::now();
        QTest::mouseClick(w, Qt::LeftButton);
        WaitForPaint(watch_, before);
        const auto end = Clock::now();
        if (painted != nullptr) {
            *painted = watch_.Updates() != before;
        }
        return std::chrono::duration<double>(end - start).count();
    }

    // Presses random controls until `wanted` holds; false if the game stalls.
    bool MoveOnUntil(const std::function<bool()> &wanted) {
        for (int presses = 0; presses < 4000; ++presses) {
            if (wanted()) {
                return true;
            }
            std::vector<Press> open;
            for (const Press &p : GameControls()) {
                if (Pressable(p)) {
                    open.push_back(p);
                }
            }
            if (open.empty()) {
                return false;
            }
            Click(open[player_() % open.size()]);
        }
        return false;
    }

    ui::MainWindow &Window() { return window_; }

private:
    QTemporaryDir folder_;
    ScriptedRandom random_;
    ui::MainWindow window_{random_};
    UpdateWatch watch_;
    std::mt19937_64 player_{kSeed};
};

double Percentile(std::vector<double> samples, double fraction) {
    if (samples.empty()) {
        return 0;
    }
    std::sort(samples.begin(), samples.end());
    const auto at =
        static_cast<std::size_t>(fraction * static_cast<double>(samples.size() - 1) + 0.5);
    return samples[std::min(at, samples.size() - 1)];
}

void ReportPercentiles(benchmark::State &state, const std::vector<double> &seconds) {
    state.counters["p50_us"] = Percentile(seconds, 0.50) * 1e6;
    state.counters["p99_us"] = Percentile(seconds, 0.99) * 1e6;
    state.counters["max_us"] = Percentile(seconds, 1.0) * 1e6;
}

// One kind of click: when it can be made, and the control it presses.
struct ClickKind {
    std::function<bool(Session &)> ready;
    std::function<Press(Session &)> control;
};

void BM_Click(benchmark::State &state, const ClickKind &kind, bool journaled) {
    Session table(journaled);
    std::vector<double> seconds;
    int unpainted = 0;
    for (auto _ : state) {
        if (!table.MoveOnUntil([&] { return kind.ready(table); })) {
            state.SkipWithError("the random player could not reach the click");
            return;
        }
        bool painted = false;
        const double s = table.Click(kind.control(table), &painted);
        state.SetIterationTime(s);
        seconds.push_back(s);
        unpainted += painted ? 0 : 1;
    }
    ReportPercentiles(state, seconds);
    // Clicks after which no paint was seen: their time is only the handling.
    state.counters["unpainted"] = unpainted;
}

const ClickKind kDeal = {
    [](Session &t) {
        return t.Pressable({Control::Razd, 0});
    },
    [](Session &) {
        return Press{Control::Razd, 0};
    },
};
const ClickKind kNext = {
    [](Session &t) {
        return t.Pressable({Control::Sled, 0});
    },
    [](Session &) {
        return Press{Control::Sled, 0};
    },
};
// A card of the human's hand played to a trick.
std::optional<Press> PlayableCard(Session &t) {
    if (!t.Window().game().PlayPhase) {
        return std::nullopt;
    }
    for (int b = 1; b <= 5; ++b) {
        if (t.Pressable({Control::Pict1, b})) {
            return Press{Control::Pict1, b};
        }
    }
    return std::nullopt;
}
const ClickKind kCard = {
    [](Session &t) { return PlayableCard(t).has_value(); },
    [](Session &t) { return *PlayableCard(t); },
};
const ClickKind kChange = {
    [](Session &t) {
        return t.Pressable({Control::Change, 0});
    },
    [](Session &) {
        return Press{Control::Change, 0};
    },
};
// "Правила игры" opening the rules panel; an open panel is closed first,
// outside the measurement. The first opening of a session is its maximum.
const ClickKind kRules = {
    [](Session &t) {
        if (t.Window().control(Control::TextPravila)->isVisible()) {
            t.Click({Control::Pravila, 0});
        }
        return true;
    },
    [](Session &) {
        return Press{Control::Pravila, 0};
    },
};

// A journal of `deals` deals played by a random player.
std::string JournalOfDeals(int deals, std::uint64_t seed = kSeed) {
    RecordingView view;
    std::mt19937_64 player(seed);
    ScriptedRandom fresh;
    fresh.Seed(seed);
    JournalRandom random(fresh);
    Game game(view, random);
    game.Form_Load();
    std::string journal = JournalHeader();
    for (int dealt = 0; dealt <= deals;) {
        std::vector<Press> open;
        for (const Press &p : GameControls()) {
            if (view.Visible(p.first, p.second) && view.Enabled(p.first, p.second)) {
                open.push_back(p);
            }
        }
        const Press p = open[player() % open.size()];
        if (p.first == Control::Razd && ++dealt > deals) {
            break;
        }
        journal += RecordedClick(game, random, p.first, p.second).value_or("");
    }
    return journal;
}

// The program started on a journal of `deals` deals: reading it, playing it
// again on the recording view and showing the table it ends on.
void BM_Resume(benchmark::State &state, int deals) {
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("current-game.vurp")));
    const std::string journal = JournalOfDeals(deals);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(journal.data(), static_cast<qint64>(journal.size())) !=
            static_cast<qint64>(journal.size())) {
        state.SkipWithError("the journal could not be written");
        return;
    }
    file.close();
    for (auto _ : state) {
        ScriptedRandom random;
        ui::MainWindow window(random);
        const auto start = Clock::now();
        window.KeepJournal(folder.path());
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        if (window.Journal().size() != journal.size()) {
            state.SkipWithError("the journal was not resumed");
            return;
        }
    }
    state.counters["journal_kB"] = static_cast<double>(journal.size()) / 1000.0;
}

bool WriteFile(const QString &path, const std::string &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size());
}

// "Статистика" opened and painted, with `games` finished games of five deals
// and a game of 30 deals under way in the data folder: the first time, when
// every finished game is read from its journal and the summary is written,
// or once the summary holds them all.
void BM_OpenStatistics(benchmark::State &state, int games, bool summarised) {
    QTemporaryDir folder;
    if (!QDir().mkpath(folder.filePath(QStringLiteral("games")))) {
        state.SkipWithError("the folder could not be made");
        return;
    }
    for (int g = 0; g < games; ++g) {
        const QString name =
            QStringLiteral("games/game-2024-01-01_%1.vurp").arg(g, 4, 10, QChar('0'));
        if (!WriteFile(folder.filePath(name),
                       JournalOfDeals(5, kSeed + static_cast<std::uint64_t>(g)))) {
            state.SkipWithError("a game could not be written");
            return;
        }
    }
    if (!WriteFile(folder.filePath(QStringLiteral("current-game.vurp")), JournalOfDeals(30))) {
        state.SkipWithError("the journal could not be written");
        return;
    }
    const QString summary = folder.filePath(QString::fromLatin1(ui::kSummaryName));
    if (summarised) {
        ui::SummariseFinishedGames(folder.path());
    }
    for (auto _ : state) {
        if (!summarised) {
            QFile::remove(summary);
        }
        ScriptedRandom random;
        ui::MainWindow window(random);
        window.KeepJournal(folder.path());
        const auto start = Clock::now();
        ui::StatisticsPanel *panel = ui::StatisticsPanel::Open(window);
        UpdateWatch watch(panel);
        WaitForPaint(watch, 0);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        if (panel->Finished().files != games || panel->Finished().unreadable != 0) {
            state.SkipWithError("the finished games were not all read");
            return;
        }
        state.counters["read_now"] = panel->Finished().readNow;
    }
}

// Building the window, showing it and painting it whole, then closing it;
// the pixmap cache is emptied between rounds so that every round reads its
// pictures from the files, as a fresh start does.
void BM_BuildWindow(benchmark::State &state, const std::function<QWidget *()> &build) {
    for (auto _ : state) {
        QPixmapCache::clear();
        const auto start = Clock::now();
        std::unique_ptr<QWidget> window(build());
        UpdateWatch watch(window.get());
        window->show();
        WaitForPaint(watch, 0);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        window.reset();
        QCoreApplication::processEvents();
    }
}

} // namespace
} // namespace vurp::bench

int main(int argc, char *argv[]) {
    using namespace vurp::bench;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // The table finds its pictures in Pict/ under the working directory.
    if (!QDir(QStringLiteral("Pict")).exists()) {
        QDir::setCurrent(QStringLiteral(VURP_SOURCE_DIR));
    }

    int clicks = 300;
    std::vector<char *> rest;
    for (int i = 0; i < argc; ++i) {
        constexpr std::string_view flag = "--clicks=";
        if (const std::string_view a = argv[i]; a.substr(0, flag.size()) == flag) {
            clicks = std::max(1, std::atoi(argv[i] + flag.size()));
        } else {
            rest.push_back(argv[i]);
        }
    }
    int restCount = static_cast<int>(rest.size());
    benchmark::Initialize(&restCount, rest.data());

    for (const auto &[name, kind] :
         {std::pair{"BM_Click/deal", &kDeal}, std::pair{"BM_Click/next", &kNext},
          std::pair{"BM_Click/card", &kCard}, std::pair{"BM_Click/change", &kChange},
          std::pair{"BM_Click/rules", &kRules}}) {
        for (const bool journaled : {false, true}) {
            benchmark::RegisterBenchmark(
                (std::string(name) + (journaled ? "/journaled" : "")).c_str(),
                [kind, journaled](benchmark::State &s) { BM_Click(s, *kind, journaled); })
                ->Iterations(clicks)
                ->UseManualTime()
                ->Unit(benchmark::kMicrosecond);
        }
    }
    for (const int deals : {10, 100, 1000}) {
        benchmark::RegisterBenchmark(("BM_Resume/deals:" + std::to_string(deals)).c_str(),
                                     [deals](benchmark::State &s) { BM_Resume(s, deals); })
            ->Iterations(std::max(1, clicks / 30))
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
    // A thousand finished games: read whole the first time, then from the
    // summary.
    for (const bool summarised : {false, true}) {
        benchmark::RegisterBenchmark(
            summarised ? "BM_OpenStatistics/games:1000/summarised"
                       : "BM_OpenStatistics/games:1000/first",
            [summarised](benchmark::State &s) { BM_OpenStatistics(s, 1000, summarised); })
            ->Iterations(std::max(1, clicks / (summarised ? 30 : 300)))
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
    const int builds = std::max(1, clicks / 10);
    benchmark::RegisterBenchmark("BM_BuildWindow/vurp",
                                 [](benchmark::State &s) {
                                     vurp::ScriptedRandom random;
                                     BM_BuildWindow(
                                         s, [&random] { return new vurp::ui::MainWindow(random); });
                                 })
        ->Iterations(builds)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    for (const auto &[name, floor] :
         {std::pair{"BM_BuildWindow/floor", FloorState::Dealt},
          std::pair{"BM_BuildWindow/floor_before_deal", FloorState::BeforeDeal}}) {
        benchmark::RegisterBenchmark(name,
                                     [floor](benchmark::State &s) {
                                         BM_BuildWindow(
                                             s, [floor] { return BuildFloorWindow(floor); });
                                     })
            ->Iterations(builds)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
