// The statistics in the window: the summary of the finished games, read once
// and rebuilt from the journals whatever happens to it, and the panel, opened
// and closed by keys alone, following the deals while it is open.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "controls.h"
#include "journal.h"
#include "main_window.h"
#include "statistics.h"
#include "statistics_file.h"
#include "statistics_panel.h"
#include "window_support.h"

namespace vurp::ui {
namespace {

// A game of about `deals` deals played by a random player, as its journal.
std::string RandomJournal(std::uint64_t seed, int deals) {
    RecordingView view;
    ScriptedRandom fresh;
    fresh.Seed(seed);
    JournalRandom random(fresh);
    Game game(view, random);
    game.Form_Load();
    std::mt19937_64 player(seed);
    std::string journal = JournalHeader();
    for (int dealt = 0; dealt <= deals;) {
        std::vector<std::pair<Control, int>> open;
        for (const auto &p : GameControls()) {
            if (view.Visible(p.first, p.second) && view.Enabled(p.first, p.second)) {
                open.push_back(p);
            }
        }
        const auto [control, index] = open[player() % open.size()];
        if (control == Control::Razd && ++dealt > deals) {
            break;
        }
        journal += RecordedClick(game, random, control, index).value_or("");
    }
    return journal;
}

Tally SumOf(const std::map<QString, std::string> &journals) {
    Tally sum;
    for (const auto &[name, text] : journals) {
        JournalStatistics read;
        read.Follow(text);
        sum += read.Statistics().Counts();
    }
    return sum;
}

TEST(StatisticsFile, EachGameIsReadOnceAndADamagedSummaryIsRebuiltFromTheJournals) {
    QTemporaryDir root;
    QDir games(root.filePath(QStringLiteral("games")));
    ASSERT_TRUE(QDir().mkpath(games.path()));
    std::map<QString, std::string> journals;
    for (int g = 1; g <= 5; ++g) {
        journals[QStringLiteral("game-2024-05-0%1_10-00-00.vurp").arg(g)] =
            RandomJournal(static_cast<std::uint64_t>(g), g + 1);
    }
    // Any name, and a game cut short by a crash.
    journals[QStringLiteral("Копия игры %.vurp")] = RandomJournal(6, 2);
    journals[QStringLiteral("game-cut.vurp")] = RandomJournal(7, 3) + "rand 0.5\nclick Ra";
    for (const auto &[name, text] : journals) {
        WriteBytes(games.filePath(name), text);
    }
    const std::map<QString, std::string> noGames = {
        {QStringLiteral("hello.vurp"), "hello\n"},
        {QStringLiteral("newer.vurp"), "# vurp journal format 9\n"},
        {QStringLiteral("bad-line.vurp"), JournalHeader() + "click Nope\n"},
    };
    for (const auto &[name, text] : noGames) {
        WriteBytes(games.filePath(name), text);
    }
    // Not a game's name: not read at all.
    WriteBytes(games.filePath(QStringLiteral("notes.txt")), "hello\n");
    const Tally expected = SumOf(journals);
    ASSERT_GT(expected.deals, 10);
    const auto files = static_cast<int>(journals.size() + noGames.size());

    const FinishedGames first = SummariseFinishedGames(root.path());
    EXPECT_EQ(first.tally, expected);
    EXPECT_EQ(first.files, files);
    EXPECT_EQ(first.unreadable, 3);
    EXPECT_EQ(first.readNow, files);
    EXPECT_TRUE(first.rewrote);
    EXPECT_EQ(first.saveProblem, QString());
    const QString path = root.filePath(QString::fromLatin1(kSummaryName));
    const std::string summary = Bytes(path);

    // Read again, nothing has changed: no journal is read, nothing written.
    const FinishedGames again = SummariseFinishedGames(root.path());
    EXPECT_EQ(again.tally, expected);
    EXPECT_EQ(again.unreadable, 3);
    EXPECT_EQ(again.readNow, 0);
    EXPECT_FALSE(again.rewrote);

    // Whatever befell the summary, the numbers are the journals' and the
    // summary is written again as it was.
    const std::size_t secondLine = summary.find('\n') + 1;
    const std::size_t digit = summary.find_first_of("123456789", summary.find(' ', secondLine));
    struct Damage {
        const char *what;
        std::string text;
        int readAgain;
    };
    std::string changedDigit = summary;
    changedDigit[digit] =
        changedDigit[digit] == '9' ? '8' : static_cast<char>(changedDigit[digit] + 1);
    const std::vector<Damage> damages = {
        {"a digit changed", changedDigit, 1},
        {"the last line cut short", summary.substr(0, summary.size() - 5), 1},
        {"a line twice",
         summary + summary.substr(secondLine, summary.find('\n', secondLine) + 1 - secondLine), 0},
        {"another header", "# vurp statistics 2" + summary.substr(summary.find('\n')), files},
        {"empty", "", files},
        {"not text", std::string("\0\xff\xfe\n\n", 5), files},
        {"a line with a wrong checksum",
         summary + "gone.vurp 1 2 read 0 0 0 0 0 0 0 0 0 - 0 0 0123456789abcdef\n", 0},
    };
    for (const Damage &damage : damages) {
        SCOPED_TRACE(damage.what);
        WriteBytes(path, damage.text);
        const FinishedGames rebuilt = SummariseFinishedGames(root.path());
        EXPECT_EQ(rebuilt.tally, expected);
        EXPECT_EQ(rebuilt.unreadable, 3);
        EXPECT_EQ(rebuilt.readNow, damage.readAgain);
        EXPECT_TRUE(rebuilt.rewrote);
        EXPECT_EQ(Bytes(path), summary);
    }

    // A game replaced by another is read again; a game gone is left out.
    journals[QStringLiteral("game-2024-05-01_10-00-00.vurp")] = RandomJournal(99, 4);
    WriteBytes(games.filePath(QStringLiteral("game-2024-05-01_10-00-00.vurp")),
               journals[QStringLiteral("game-2024-05-01_10-00-00.vurp")]);
    ASSERT_TRUE(games.remove(QStringLiteral("game-2024-05-02_10-00-00.vurp")));
    journals.erase(QStringLiteral("game-2024-05-02_10-00-00.vurp"));
    const FinishedGames changed = SummariseFinishedGames(root.path());
    EXPECT_EQ(changed.tally, SumOf(journals));
    EXPECT_EQ(changed.readNow, 1);
    EXPECT_TRUE(changed.rewrote);
    // The journals themselves were only read.
    for (const auto &[name, text] : journals) {
        EXPECT_EQ(Bytes(games.filePath(name)), text) << name.toStdString();
    }

    // A game opened again and played on counts once: where it goes on, not
    // in the game it went on from, nor in a second copy; one that went on
    // otherwise from the same start counts on its own.
    QTemporaryDir replayed;
    const QDir keptGames(replayed.filePath(QStringLiteral("games")));
    ASSERT_TRUE(QDir().mkpath(keptGames.path()));
    const std::string start = RandomJournal(21, 2);
    const std::string longer = RandomJournal(21, 4);
    const std::string otherwise = start + "click Pravila\n";
    const std::string another = RandomJournal(22, 3);
    ASSERT_TRUE(longer.starts_with(start) && longer.size() > start.size());
    const std::map<QString, std::string> kept = {{QStringLiteral("a.vurp"), start},
                                                 {QStringLiteral("b.vurp"), longer},
                                                 {QStringLiteral("c.vurp"), another},
                                                 {QStringLiteral("d.vurp"), another},
                                                 {QStringLiteral("e.vurp"), otherwise}};
    for (const auto &[name, text] : kept) {
        WriteBytes(keptGames.filePath(name), text);
    }
    const FinishedGames once = SummariseFinishedGames(replayed.path());
    EXPECT_EQ(once.tally, SumOf({{QStringLiteral("b.vurp"), longer},
                                 {QStringLiteral("d.vurp"), another},
                                 {QStringLiteral("e.vurp"), otherwise}}));
    EXPECT_EQ(once.continued, 2);
    const FinishedGames goingOn = SummariseFinishedGames(replayed.path(), longer + "click Razd\n");
    EXPECT_EQ(goingOn.tally,
              SumOf({{QStringLiteral("d.vurp"), another}, {QStringLiteral("e.vurp"), otherwise}}));
    EXPECT_EQ(goingOn.continued, 3);
    EXPECT_EQ(goingOn.readNow, 0);

    // A summary that cannot be written changes no number, and is said.
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkpath(path));
    const FinishedGames unsaved = SummariseFinishedGames(root.path());
    EXPECT_EQ(unsaved.tally, SumOf(journals));
    EXPECT_NE(unsaved.saveProblem, QString());
    EXPECT_TRUE(QFileInfo(path).isDir());
}

// Presses what can be pressed on the table, as a player clicks, until a deal
// has been dealt and settled.
void PlayADeal(MainWindow &window, std::mt19937 &dice) {
    QWidget *deal = window.control(Control::Razd);
    bool dealt = false;
    for (int press = 0; press < 2000; ++press) {
        if (dealt && deal->isEnabled()) {
            return;
        }
        const std::vector<QWidget *> pressable = PressableControls(window);
        ASSERT_FALSE(pressable.empty());
        QWidget *chosen = pressable[dice() % pressable.size()];
        dealt = dealt || chosen == deal;
        QTest::mouseClick(chosen, Qt::LeftButton);
    }
    FAIL() << "no deal was settled";
}

// The balances the table shows.
Balances TableMoney(MainWindow &window) {
    Balances money;
    for (int s = 1; s <= 3; ++s) {
        money[static_cast<std::size_t>(s - 1)] = window.game().ReadCurrency(Control::Money, s);
    }
    return money;
}

QString Cell(QTableWidget *table, int row, int column) {
    const QTableWidgetItem *item = table->item(row, column);
    return item == nullptr ? QString() : item->text();
}

TEST(StatisticsPanel, OpensAndClosesByKeysGivesTheFocusBackAndFollowsTheDeals) {
    QTemporaryDir root;
    ScriptedRandom random;
    random.Seed(11);
    MainWindow window(random);
    window.KeepJournal(root.path());
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    // A finished game of two deals, and one deal of this one.
    std::mt19937 dice(3);
    for (int deal = 0; deal < 2; ++deal) {
        ASSERT_NO_FATAL_FAILURE(PlayADeal(window, dice));
    }
    window.StartNewGame();
    ASSERT_NO_FATAL_FAILURE(PlayADeal(window, dice));
    QWidget *before = QApplication::focusWidget();
    ASSERT_NE(before, nullptr);

    // Alt+И opens "Игра", А chooses "Статистика".
    QTest::sendKeyEvent(QTest::Click, &window, Qt::Key(0x0418), QStringLiteral("И"),
                        Qt::AltModifier);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QTest::sendKeyEvent(QTest::Click, menu, Qt::Key(0x0410), QStringLiteral("а"), Qt::NoModifier);
    auto *panel = window.findChild<StatisticsPanel *>();
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([panel] { return QApplication::activeWindow() == panel; }));
    EXPECT_EQ(panel->windowTitle(), QStringLiteral("Статистика"));
    EXPECT_EQ(QApplication::focusWidget(), panel->chart());

    // Tab walks the chart, the two tables and the button, and stays inside.
    std::vector<QWidget *> walked = {QApplication::focusWidget()};
    for (int k = 0; k < 4; ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked.push_back(QApplication::focusWidget());
    }
    ASSERT_EQ(walked.size(), 5u);
    EXPECT_EQ(walked[1], panel->money());
    EXPECT_EQ(walked[2], panel->counts());
    ASSERT_NE(qobject_cast<QPushButton *>(walked[3]), nullptr);
    EXPECT_EQ(static_cast<QPushButton *>(walked[3])->text(), QStringLiteral("Закрыть"));
    EXPECT_EQ(walked[4], panel->chart());
    for (QWidget *part : walked) {
        EXPECT_FALSE(
            QAccessible::queryAccessibleInterface(part)->text(QAccessible::Name).isEmpty());
    }

    // The numbers: one deal here, two before; the chart ends on the table's
    // balances, and the table beside it says the same in words.
    ASSERT_EQ(panel->chart()->Series().size(), 2u);
    EXPECT_EQ(panel->chart()->Series().back(), TableMoney(window));
    EXPECT_EQ(panel->money()->rowCount(), 2);
    EXPECT_EQ(panel->money()->verticalHeaderItem(1)->text(), QStringLiteral("Раздача 1"));
    EXPECT_EQ(Cell(panel->money(), 1, 0),
              QString::fromStdString(PlainDecimal(TableMoney(window)[0])));
    EXPECT_TRUE(panel->chart()->accessibleDescription().startsWith(
        QStringLiteral("После раздачи 1: Игрок 1 (вы) ")));
    EXPECT_EQ(panel->counts()->verticalHeaderItem(1)->text(), QStringLiteral("Раздачи"));
    EXPECT_EQ(Cell(panel->counts(), 0, 0), QStringLiteral("1"));
    EXPECT_EQ(Cell(panel->counts(), 0, 1), QStringLiteral("2"));
    EXPECT_EQ(Cell(panel->counts(), 1, 0), QStringLiteral("1"));
    EXPECT_EQ(Cell(panel->counts(), 1, 1), QStringLiteral("3"));
    EXPECT_FALSE(panel->note()->isVisible());

    // Escape closes it, and the keyboard is back where it was.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(panel->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&window] { return QApplication::activeWindow() == &window; }));
    EXPECT_EQ(QApplication::focusWidget(), before);

    // Open again, a deal played beside it is drawn once it is settled, and
    // "Закрыть" closes it.
    StatisticsPanel::Open(window);
    ASSERT_TRUE(panel->isVisible());
    ASSERT_NO_FATAL_FAILURE(PlayADeal(window, dice));
    QCoreApplication::processEvents();
    ASSERT_EQ(panel->chart()->Series().size(), 3u);
    EXPECT_EQ(panel->chart()->Series().back(), TableMoney(window));
    EXPECT_EQ(Cell(panel->counts(), 1, 1), QStringLiteral("4"));
    QTest::mouseClick(window.control(Control::Razd), Qt::LeftButton);
    QCoreApplication::processEvents();
    ASSERT_EQ(panel->chart()->Series().size(), 4u);
    EXPECT_EQ(panel->chart()->Series().back(), TableMoney(window));
    EXPECT_EQ(panel->money()->verticalHeaderItem(3)->text(), QStringLiteral("Раздача 3 (идёт)"));
    panel->findChild<QPushButton *>()->click();
    EXPECT_FALSE(panel->isVisible());
}

} // namespace
} // namespace vurp::ui
