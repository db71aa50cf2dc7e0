// The window and the replay driver agree: every script is played through the
// real window, by mouse clicks and key presses as a player makes them, and
// through the driver on its recording view; after each line every control
// shows the same in both, and the table beneath is the same.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "controls.h"
#include "json.h"
#include "main_window.h"
#include "recording_view.h"
#include "script.h"
#include "widgets.h"
#include "window_support.h"

namespace vurp::ui {
namespace {

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t start = line.find_first_not_of(" \t");
    while (start != std::string_view::npos) {
        const std::size_t end = std::min(line.find_first_of(" \t", start), line.size());
        words.push_back(line.substr(start, end - start));
        start = line.find_first_not_of(" \t", end);
    }
    return words;
}

template <typename Number> Number Parsed(std::string_view word) {
    Number value{};
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    EXPECT_TRUE(error == std::errc() && end == word.data() + word.size()) << word;
    return value;
}

// The driver, fed the script one line at a time.
struct Driver {
    RecordingView view;
    ScriptedRandom random;
    Game game{view, random};

    Driver() { game.Form_Load(); }
    // Whether the driver refused the line's click.
    bool Run(const std::string &line) {
        std::istringstream in(line);
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunScript(in, out, err, game, view, random), kReplayDone) << err.str();
        return out.str().starts_with("{\"refused\"");
    }
};

// The window, played as a person plays it.
struct Player {
    ScriptedRandom random;
    MainWindow window{random};

    // False only for a click that the window could not deliver.
    bool Run(std::string_view line) {
        const std::vector<std::string_view> words = Words(line);
        if (words.empty() || words[0].starts_with('#')) {
            return true;
        }
        if (words[0] == "seed") {
            random.Seed(Parsed<std::uint64_t>(words.at(1)));
        } else if (words[0] == "rand") {
            random.Push(Parsed<double>(words.at(1)));
        } else if (words[0] == "click") {
            const auto control = ControlByName(words.at(1));
            EXPECT_TRUE(control.has_value()) << line;
            return control && Click(*control, words.size() > 2 ? Parsed<int>(words[2]) : 0);
        } else if (words[0] == "type") {
            // The text runs from after the one blank behind the control's name.
            const std::size_t name = line.find("Stavk") + 5;
            Type(name < line.size() ? line.substr(name + 1) : std::string_view());
        }
        return true;
    }

    // Only a control in sight that answers to the mouse can be clicked.
    bool Click(Control control, int index) {
        QWidget *widget = window.control(control, index);
        if (widget == nullptr || !widget->isVisible() || !widget->isEnabled()) {
            return false;
        }
        QTest::mouseClick(widget, Qt::LeftButton);
        return true;
    }

    // Selects the whole stake and types over it, one key to a character as a
    // keyboard sends them: QTest::keyClicks could type Latin-1 only.
    void Type(std::string_view text) {
        auto *stake = qobject_cast<QLineEdit *>(window.control(Control::Stavk));
        ASSERT_NE(stake, nullptr);
        stake->setFocus();
        stake->selectAll();
        const QString typed = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        if (typed.isEmpty()) {
            QTest::keyClick(stake, Qt::Key_Delete);
        }
        for (const char32_t character : typed.toUcs4()) {
            QTest::sendKeyEvent(QTest::Click, stake, Qt::Key_unknown,
                                QString::fromUcs4(&character, 1), Qt::NoModifier);
        }
    }
};

void ExpectSame(Player &player, const Driver &driver) {
    const std::string differences = Differences(player.window, driver.view);
    ASSERT_TRUE(differences.empty()) << "window | driver:\n" << differences;
    ASSERT_EQ(TableOf(player.window.game()), TableOf(driver.game));
}

// Plays `script` on both up to the first line after which they differ. With
// a pace, the window shows the computer players' moves one by one, and the
// pauses never end by themselves: a click on a control already in sight
// comes during the pause, one on a control not yet shown waits, as a player
// would, for the showing to end.
int linesDuringPauses = 0;

void PlayBoth(const std::string &script, int pace = 0) {
    Player player;
    player.window.SetPace(pace);
    player.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&player.window));
    Driver driver;
    ASSERT_NO_FATAL_FAILURE(ExpectSame(player, driver)) << "at the start";
    std::istringstream lines(script);
    std::string line;
    int paused = 0;
    for (int number = 1; std::getline(lines, line); ++number) {
        SCOPED_TRACE("line " + std::to_string(number) + ": " + line);
        const bool refused = driver.Run(line);
        if (pace == 0) {
            EXPECT_EQ(player.Run(line), !refused);
            ASSERT_NO_FATAL_FAILURE(ExpectSame(player, driver));
            continue;
        }
        const bool wasShowing = player.window.Showing();
        if (!player.Run(line)) {
            player.window.FinishShowing();
            EXPECT_EQ(player.Run(line), !refused);
        }
        paused += wasShowing ? 1 : 0;
        // The game itself never waits for the showing.
        ASSERT_EQ(TableOf(player.window.game()), TableOf(driver.game));
        if (!player.window.Showing()) {
            ASSERT_NO_FATAL_FAILURE(ExpectSame(player, driver));
        }
    }
    player.window.FinishShowing();
    ASSERT_NO_FATAL_FAILURE(ExpectSame(player, driver)) << "once all is shown";
    linesDuringPauses += paused;
}

std::string Contents(const QString &path) {
    std::ifstream file(path.toStdString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TEST(WindowAndDriver, AgreeOnEveryGoldenGame) {
    const QDir golden(QStringLiteral(VURP_SOURCE_DIR "/tests/golden"));
    const QStringList scripts = golden.entryList({QStringLiteral("*.script")}, QDir::Files);
    ASSERT_FALSE(scripts.isEmpty());
    for (const QString &name : scripts) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_NO_FATAL_FAILURE(PlayBoth(Contents(golden.filePath(name))));
    }
}

TEST(WindowAndDriver, AgreeWhenClickedDuringThePauses) {
    const QDir golden(QStringLiteral(VURP_SOURCE_DIR "/tests/golden"));
    for (const QString &name : golden.entryList({QStringLiteral("*.script")}, QDir::Files)) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_NO_FATAL_FAILURE(PlayBoth(Contents(golden.filePath(name)), 60000));
    }
    EXPECT_GT(linesDuringPauses, 20);
}

TEST(WindowAndDriver, AgreeOnOddStakes) {
    // Each stake is typed, then the same round of clicks passes, plays the
    // first card it may and deals again, so that every stake is paid.
    std::string script = "seed 5\n";
    for (const char *stake : {"-5", "abc", "0,5", " 0", "", "2.5", "😀😀😀😀😀😀😀😀"}) {
        script += std::string("type Stavk ") + stake + "\n";
        for (int round = 0; round < 6; ++round) {
            script += "click Razd\nclick PasVurp\nclick PasHelp\nclick Sled\nclick Change\n";
            for (int card = 1; card <= 5; ++card) {
                script += "click Pict1 " + std::to_string(card) + "\n";
            }
        }
    }
    ASSERT_NO_FATAL_FAILURE(PlayBoth(script));
}

} // namespace
} // namespace vurp::ui
