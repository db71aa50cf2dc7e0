// The journal of the real window: the game resumes exactly after a kill at
// any moment, a file in the data folder that cannot be a journal is set aside
// and never lost, a disk that refuses to write stops nothing, and the menu
// reaches all of it.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <functional>
#include <iostream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <linux/capability.h>

#include "controls.h"
#include "hint.h"
#include "journal.h"
#include "main_window.h"
#include "script.h"
#include "story.h"
#include "widgets.h"
#include "window_support.h"

namespace vurp::ui {
namespace {

// The driver's own run of a script, the way `vurp-replay` runs it.
struct Driver {
    RecordingView view;
    ScriptedRandom random;
    Game game{view, random};

    explicit Driver(const std::string &script) {
        game.Form_Load();
        std::istringstream in(script);
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunScript(in, out, err, game, view, random), kReplayDone) << err.str();
    }
};

// The window shows, control by control, what the driver makes of `script`.
void ExpectShows(MainWindow &window, const std::string &script) {
    const Driver driver(script);
    const std::string differences = Differences(window, driver.view);
    ASSERT_TRUE(differences.empty()) << "window | driver:\n" << differences;
    ASSERT_EQ(TableOf(window.game()), TableOf(driver.game));
}

// Presses a control of the game that can be pressed, chosen by `dice`, now
// and then types a stake: as a player clicks.
void PlayOneAction(MainWindow &window, std::mt19937 &dice) {
    if (dice() % 30 == 0) {
        auto *stake = qobject_cast<QLineEdit *>(window.control(Control::Stavk));
        static const char *const kStakes[] = {"2", "3.5", "abc", "", "4"};
        stake->setText(QString::fromUtf8(kStakes[dice() % std::size(kStakes)]));
        return;
    }
    const std::vector<QWidget *> pressable = PressableControls(window);
    if (!pressable.empty()) {
        QTest::mouseClick(pressable[dice() % pressable.size()], Qt::LeftButton);
    }
}

// A player in the data folder's game, started with a clock-seeded source,
// as the program is.
struct Session {
    ClockRandom random;
    MainWindow window{random};

    explicit Session(const QString &folder) {
        window.KeepJournal(folder);
        window.show();
    }
    void Play(int actions, unsigned seed) {
        std::mt19937 dice(seed);
        for (int k = 0; k < actions; ++k) {
            PlayOneAction(window, dice);
        }
    }
};

// The game in the folder's journal is played on until the process is killed.
TEST(Journal, AGameKilledAtAnyMomentResumesExactly) {
    const int rounds = qEnvironmentVariableIntValue("VURP_KILL_ROUNDS");
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    std::mt19937 dice(2026);
    const int kills = rounds > 0 ? rounds : 12;
    int midDeal = 0;
    int torn = 0;
    long actions = 0;
    for (int round = 0; round < kills; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(
            QCoreApplication::applicationFilePath(),
            {QStringLiteral("--play-until-killed"), folder.path(), QString::number(dice())});
        ASSERT_TRUE(child.waitForReadyRead(20'000)) << "the player did not start";
        QTest::qSleep(static_cast<int>(dice() % 400));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        ASSERT_TRUE(child.waitForFinished(20'000));
        ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);

        const std::string written = Bytes(folder.filePath(QStringLiteral("current-game.vurp")));
        Session restarted(folder.path());
        EXPECT_EQ(restarted.window.LastNotice(), QString());
        // The driver on the journal's whole actions: a last action torn by
        // the kill is not one.
        const std::string_view whole = WholeActions(written);
        ASSERT_NO_FATAL_FAILURE(ExpectShows(restarted.window, std::string(whole)));
        torn += whole.size() < written.size() ? 1 : 0;
        midDeal += restarted.window.control(Control::Razd)->isEnabled() ? 0 : 1;
        actions = std::count(whole.begin(), whole.end(), '\n');
    }
    std::cout << "killed " << kills << " times: " << midDeal << " in the middle of a deal, " << torn
              << " in the middle of writing an action; " << actions << " lines in the end\n";
}

// The game read back at start keeps the keyboard where the player left it.
TEST(Journal, AResumedGameHasTheFocusWhereItWas) {
    QTemporaryDir folder;
    Session played(folder.path());
    QApplication::setActiveWindow(&played.window);
    std::mt19937 dice(11);
    for (int round = 0; round < 40; ++round) {
        for (int k = 0; k < 5; ++k) {
            PlayOneAction(played.window, dice);
        }
        // A copy of the game, as the first window still holds its own.
        QTemporaryDir copy;
        WriteBytes(copy.filePath(QStringLiteral("current-game.vurp")), played.window.Journal());
        ScriptedRandom random;
        MainWindow resumed(random);
        resumed.KeepJournal(copy.path());
        QWidget *was = played.window.focusWidget();
        QWidget *is = resumed.focusWidget();
        ASSERT_NE(was, nullptr);
        ASSERT_NE(is, nullptr);
        EXPECT_EQ(is->accessibleName() + is->accessibleDescription(),
                  was->accessibleName() + was->accessibleDescription())
            << "after " << played.window.Journal().size() << " bytes";
    }
}

// `vurp --seed N`: a new game, the one the driver plays from `seed N`, and
// the game that was in the folder kept among the finished ones.
TEST(Journal, ASeededGameIsTheDriversGameOfThatSeed) {
    QTemporaryDir folder;
    Session({folder.path()}).Play(20, 8);
    const std::string before = Bytes(folder.filePath(QStringLiteral("current-game.vurp")));
    ClockRandom random;
    MainWindow window(random);
    window.KeepJournal(folder.path(), 77);
    window.show();
    const QDir games(folder.filePath(QStringLiteral("games")));
    ASSERT_EQ(games.entryList(QDir::Files).size(), 1);
    EXPECT_EQ(Bytes(games.filePath(games.entryList(QDir::Files).front())), before);
    std::mt19937 dice(9);
    for (int k = 0; k < 150; ++k) {
        PlayOneAction(window, dice);
    }
    ASSERT_TRUE(window.Journal().starts_with(JournalHeader() + "seed 77\n"));
    std::istringstream lines(window.Journal());
    std::string clicks;
    int seeds = 0;
    for (std::string line; std::getline(lines, line);) {
        seeds += line.starts_with("seed ") ? 1 : 0;
        if (!line.starts_with("rand ") && !(line.starts_with("seed ") && seeds > 1)) {
            clicks += line + "\n";
        }
    }
    ASSERT_NO_FATAL_FAILURE(ExpectShows(window, clicks));
}

// Two windows never write one journal: the second plays a game of its own,
// unsaved, and says so.
TEST(Journal, ASecondWindowLeavesTheFirstOnesGameAlone) {
    QTemporaryDir folder;
    Session first(folder.path());
    first.Play(20, 12);
    const std::string played = first.window.Journal();
    Session second(folder.path());
    EXPECT_TRUE(second.window.LastNotice().startsWith(QStringLiteral("Вурп уже открыт")));
    ASSERT_NO_FATAL_FAILURE(ExpectShows(second.window, ""));
    second.Play(20, 13);
    first.Play(5, 14);
    EXPECT_EQ(Bytes(folder.filePath(QStringLiteral("current-game.vurp"))), first.window.Journal());
    EXPECT_TRUE(first.window.Journal().starts_with(played));
}

double MeanLightness(const QImage &image) {
    double sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            sum += QColor(image.pixel(x, y)).lightness();
        }
    }
    return sum / std::max(1, image.width() * image.height());
}

// While the player must choose among his cards, those he may not choose look
// it: dimmed, not only disabled; at any other time no card is dimmed.
TEST(Window, CardsThatMayNotBeChosenAreDimmed) {
    QTemporaryDir folder;
    Session session(folder.path());
    MainWindow &window = session.window;
    std::mt19937 dice(21);
    int dimmedSeen = 0;
    for (int k = 0; k < 400; ++k) {
        PlayOneAction(window, dice);
        bool choosing = false;
        for (int box = 1; box <= 5; ++box) {
            const QWidget *card = window.control(Control::Pict1, box);
            choosing = choosing || (card->isVisible() && card->isEnabled());
        }
        for (int box = 1; box <= 5; ++box) {
            auto *card = qobject_cast<CardBox *>(window.control(Control::Pict1, box));
            EXPECT_EQ(card->IsDimmed(), choosing && card->isVisible() && !card->isEnabled())
                << "box " << box << " after " << window.Journal().size() << " bytes";
            if (card->IsDimmed() && dimmedSeen++ == 0) {
                // Drawn darker than the same card undimmed.
                const QImage dim = card->grab().toImage();
                card->SetDimmed(false);
                const QImage plain = card->grab().toImage();
                card->SetDimmed(true);
                EXPECT_LT(MeanLightness(dim), 0.75 * MeanLightness(plain));
            }
        }
    }
    EXPECT_GT(dimmedSeen, 0);
}

// Ctrl+Z takes back the card last thrown away in the exchange: the game, the
// window and the journal on the disk are as if it had never been thrown; at
// any other moment it does nothing.
TEST(Journal, ACardThrownAwayIsTakenBackAsIfNeverThrown) {
    QTemporaryDir folder;
    Session session(folder.path());
    MainWindow &window = session.window;
    QApplication::setActiveWindow(&window);
    std::mt19937 dice(31);
    int takenBack = 0;
    for (int k = 0; k < 3000 && takenBack < 12; ++k) {
        const std::string before = window.Journal();
        const bool exchanging = window.control(Control::Change)->isVisible() &&
                                !window.game().PlayPhase &&
                                ExchangeDue(window.game().Status[HumanSeat]);
        QWidget *card = nullptr;
        for (int box = 5; box >= 1; --box) {
            QWidget *candidate = window.control(Control::Pict1, box);
            card = candidate->isVisible() && candidate->isEnabled() ? candidate : card;
        }
        if (!exchanging || card == nullptr) {
            if (!exchanging) {
                QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
                ASSERT_EQ(window.Journal(), before) << "nothing to take back";
            }
            PlayOneAction(window, dice);
            continue;
        }
        QTest::mouseClick(card, Qt::LeftButton);
        ASSERT_NE(window.Journal(), before);
        QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
        ASSERT_EQ(window.Journal(), before);
        EXPECT_EQ(Bytes(folder.filePath(QStringLiteral("current-game.vurp"))), before);
        ASSERT_NO_FATAL_FAILURE(ExpectShows(window, before));
        ++takenBack;
        PlayOneAction(window, dice);
    }
    EXPECT_EQ(takenBack, 12);
}

const QString kJournalName = QStringLiteral("current-game.vurp");

// The kind of file at `path`, not following a link: S_IFREG, S_IFIFO, ...
unsigned KindOf(const QString &path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & S_IFMT : 0;
}

QStringList SetAside(const QString &folder) {
    return QDir(folder).entryList({QStringLiteral("set-aside-game-*.vurp")},
                                  QDir::AllEntries | QDir::System | QDir::Hidden);
}

TEST(Journal, WhatCannotBeAJournalIsSetAsideAndANewGameBegins) {
    const std::string header = JournalHeader();
    const struct {
        const char *name;
        std::function<void(const QString &)> make;
        const char *told; // nothing for a journal that resumes
    } rows[] = {
        {"garbage",
         [](const QString &p) {
             WriteBytes(p, std::string("\x7f"
                                       "ELF\0\xff\n",
                                       7));
         },
         "это не запись игры «Вурп»"},
        {"empty", [](const QString &p) { WriteBytes(p, ""); }, "это не запись игры «Вурп»"},
        {"a script without the journal's first line",
         [](const QString &p) { WriteBytes(p, "click Razd\n"); }, "это не запись игры «Вурп»"},
        {"newer format",
         [](const QString &p) { WriteBytes(p, "# vurp journal format 2\nclick Razd\n"); },
         "более новой версией программы (формат 2)"},
        {"fails to replay",
         [&header](const QString &p) { WriteBytes(p, header + "click Razd\nclick Nope 7\n"); },
         "запись повреждена (line 3: unknown control \"Nope\")"},
        {"FIFO", [](const QString &p) { ASSERT_EQ(::mkfifo(QFile::encodeName(p), 0600), 0); },
         "это не обычный файл"},
        {"directory",
         [](const QString &p) {
             ASSERT_TRUE(QDir().mkpath(p));
             WriteBytes(p + QStringLiteral("/inside"), "kept");
         },
         "на месте файла папка"},
        {"huge",
         [](const QString &p) {
             WriteBytes(p, "");
             QFile::resize(p, kMaxJournalBytes + 1);
         },
         "файл слишком велик (64 МБ)"},
        {"unreadable", [](const QString &p) { QFile::link(QStringLiteral("/proc/self/mem"), p); },
         "файл не читается"},
        {"torn last line",
         [&header](const QString &p) { WriteBytes(p, header + "click Razd\nclick Pict1 1\ncli"); },
         nullptr},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir folder;
        const QString path = folder.filePath(kJournalName);
        row.make(path);
        const unsigned kind = KindOf(path);
        const std::string bytes = kind == S_IFREG ? Bytes(path) : std::string();

        Session session(folder.path());
        MainWindow &window = session.window;
        if (row.told == nullptr) {
            EXPECT_EQ(window.LastNotice(), QString());
            ASSERT_NO_FATAL_FAILURE(ExpectShows(window, header + "click Razd\nclick Pict1 1\n"));
        } else {
            // Told once, in Russian, what happened and where the file is now.
            const QStringList aside = SetAside(folder.path());
            ASSERT_EQ(aside.size(), 1);
            const QString moved = folder.filePath(aside.front());
            EXPECT_TRUE(window.LastNotice().contains(QString::fromUtf8(row.told)))
                << window.LastNotice().toStdString();
            EXPECT_TRUE(window.LastNotice().contains(moved)) << window.LastNotice().toStdString();
            EXPECT_EQ(window.findChildren<QMessageBox *>().size(), 1);
            // Nothing lost: the very file, whole, under its new name.
            EXPECT_EQ(KindOf(moved), kind);
            EXPECT_EQ(kind == S_IFREG ? Bytes(moved) : std::string(), bytes);
            EXPECT_EQ(KindOf(path), 0U);
            ASSERT_NO_FATAL_FAILURE(ExpectShows(window, ""));
        }
        // The next action is written down, after what the old file held, if
        // anything: the torn line is gone.
        session.Play(3, 1);
        EXPECT_EQ(Bytes(path), window.Journal());
        ASSERT_NO_FATAL_FAILURE(ExpectShows(window, window.Journal()));
    }
}

// As root, for as long as it lives: file permissions hold for this thread.
class WithoutRootsOverride {
public:
    WithoutRootsOverride() {
        ::syscall(SYS_capget, &header_, saved_);
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~((1U << CAP_DAC_OVERRIDE) | (1U << CAP_DAC_READ_SEARCH));
        ::syscall(SYS_capset, &header_, lowered);
    }
    ~WithoutRootsOverride() { ::syscall(SYS_capset, &header_, saved_); }
    WithoutRootsOverride(const WithoutRootsOverride &) = delete;
    WithoutRootsOverride &operator=(const WithoutRootsOverride &) = delete;

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
};

// The largest file this process may write, for as long as it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        const rlimit lowered{bytes, saved_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &saved_); }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit saved_{};
};

TEST(Journal, WhenTheDiskRefusesTheGameGoesOnAndNothingWrittenIsDamaged) {
    std::signal(SIGXFSZ, SIG_IGN);
    using Fault = std::function<std::shared_ptr<void>(const QString &folder)>;
    const struct {
        const char *name;
        int before;  // actions played before the fault
        Fault fault; // lasts while what it returns lives
        bool told;
    } rows[] = {
        {"read-only folder", 0,
         [](const QString &folder) {
             QDir().mkpath(folder);
             QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
             auto lowered = std::make_shared<WithoutRootsOverride>();
             return std::shared_ptr<void>(nullptr, [folder, lowered](void *) {
                 QFile::setPermissions(folder,
                                       QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
             });
         },
         true},
        {"a file where the folder should be", 0,
         [](const QString &folder) {
             WriteBytes(folder, "in the way");
             return std::shared_ptr<void>(nullptr, [folder](void *) { QFile::remove(folder); });
         },
         true},
        {"full disk", 40,
         [](const QString &folder) {
             const auto size = static_cast<rlim_t>(QFileInfo(folder + "/" + kJournalName).size());
             return std::shared_ptr<void>(std::make_shared<FileSizeLimit>(size + 30));
         },
         true},
        {"folder removed", 40,
         [](const QString &folder) {
             QDir(folder).removeRecursively();
             return std::shared_ptr<void>();
         },
         false},
        {"journal replaced", 40,
         [](const QString &folder) {
             WriteBytes(folder + "/" + kJournalName + ".new", "someone else's\n");
             std::rename(QFile::encodeName(folder + "/" + kJournalName + ".new").constData(),
                         QFile::encodeName(folder + "/" + kJournalName).constData());
             return std::shared_ptr<void>();
         },
         false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("vurp"));
        const QString path = folder + "/" + kJournalName;
        std::shared_ptr<void> fault;
        if (row.before == 0) {
            fault = row.fault(folder);
        }
        Session session(folder);
        MainWindow &window = session.window;
        session.Play(row.before, 1);
        if (row.before > 0) {
            fault = row.fault(folder);
        }
        session.Play(25, 2);
        EXPECT_EQ(window.findChildren<QMessageBox *>().size(), row.told ? 1 : 0);
        if (row.told) {
            EXPECT_TRUE(window.LastNotice().startsWith(QStringLiteral("Игра не сохраняется: ")))
                << window.LastNotice().toStdString();
            // What reached the disk is the game as far as it went.
            const std::string written = Bytes(path);
            EXPECT_TRUE(written == "(none)" || window.Journal().starts_with(written));
        }
        fault.reset();
        session.Play(2, 3);
        EXPECT_EQ(Bytes(path), window.Journal());
        if (row.told) {
            EXPECT_TRUE(window.LastNotice().startsWith(QStringLiteral("Игра снова сохраняется")));
        }
        if (std::string_view(row.name) == "journal replaced") {
            const QStringList aside = SetAside(folder);
            ASSERT_EQ(aside.size(), 1) << QDir(folder).entryList().join(" ").toStdString();
            EXPECT_EQ(Bytes(folder + "/" + aside.front()), "someone else's\n");
        }
        ASSERT_NO_FATAL_FAILURE(ExpectShows(window, window.Journal()));
    }
}

QStringList Names(QObject *object) {
    QStringList names;
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(object);
    for (int i = 0; accessible != nullptr && i < accessible->childCount(); ++i) {
        names << accessible->child(i)->text(QAccessible::Name);
    }
    return names;
}

// Random games played twice from one seed, once with H pressed before every
// action: the journals are the same line for line. The hint has the keyboard
// on the control it suggests, framed, and its reason is what a screen reader
// hears of it; the next action takes all of that away again.
TEST(Hint, ChangesNothingAndSaysWhyWhereTheKeyboardIs) {
    int hints = 0;
    for (unsigned seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        ScriptedRandom withRandom;
        ScriptedRandom withoutRandom;
        withRandom.Seed(seed);
        withoutRandom.Seed(seed);
        MainWindow with(withRandom);
        MainWindow without(withoutRandom);
        without.show();
        with.show();
        with.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&with));
        std::mt19937 withDice(seed);
        std::mt19937 withoutDice(seed);
        for (int k = 0; k < 250; ++k) {
            QTest::keyClick(&with, Qt::Key_H);
            if (const std::optional<Hint> &hint = with.CurrentHint()) {
                ++hints;
                QWidget *suggested = with.control(hint->control, hint->indices.front());
                ASSERT_EQ(QApplication::focusWidget(), suggested) << hint->reason;
                for (const int index : hint->indices) {
                    QWidget *marked = with.control(hint->control, index);
                    const auto *box = qobject_cast<CardBox *>(marked);
                    const auto *button = qobject_cast<CaptionButton *>(marked);
                    ASSERT_TRUE(box != nullptr ? box->IsHinted() : button->IsHinted());
                    ASSERT_EQ(marked->toolTip().toStdString(), hint->reason);
                    ASSERT_EQ(QAccessible::queryAccessibleInterface(marked)
                                  ->text(QAccessible::Description)
                                  .toStdString(),
                              hint->reason);
                }
            }
            const std::size_t written = with.Journal().size();
            PlayOneAction(with, withDice);
            PlayOneAction(without, withoutDice);
            // A stake typed as it stood is no action, and the hint stays.
            ASSERT_TRUE(with.Journal().size() == written || !with.CurrentHint().has_value());
            ASSERT_EQ(with.Journal(), without.Journal());
        }
    }
    EXPECT_GT(hints, 1000);
}

TEST(Menu, EveryEntryIsNamedReachedByItsKeysAndDoesItsWork) {
    QTemporaryDir root;
    Session session(root.path());
    MainWindow &window = session.window;
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    EXPECT_EQ(Names(window.menuBar()), (QStringList{"Игра", "Справка"}));
    QStringList entries;
    for (QAction *menu : window.menuBar()->actions()) {
        for (QAction *entry : menu->menu()->actions()) {
            if (!entry->isSeparator()) {
                entries << entry->text() + " " + entry->shortcut().toString();
            }
        }
        EXPECT_EQ(Names(menu->menu()).size(), menu->menu()->actions().size());
    }
    EXPECT_EQ(entries, (QStringList{"&Новая игра Ctrl+N", "&Открыть игру… Ctrl+O",
                                    "&Сохранить игру как… Ctrl+S", "&Подсказка H", "&Ход игры L",
                                    "Ст&атистика ", "&Темп ", "В&ыход Ctrl+Q", "&Правила игры F1",
                                    "&О программе "}));
    EXPECT_EQ(Names(window.menuBar()->actions().front()->menu()).front(), "Новая игра");

    // F1 does what the rules' button does, and is written down as its click.
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_TRUE(window.control(Control::TextPravila)->isVisible());
    EXPECT_TRUE(window.Journal().ends_with("click Pravila\n"));
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_FALSE(window.control(Control::TextPravila)->isVisible());
    // L opens the log of the deal over the table, Escape closes it again.
    QTest::keyClick(&window, Qt::Key_L);
    EXPECT_TRUE(window.log()->isVisible());
    EXPECT_TRUE(window.log()->hasFocus());
    QTest::keyClick(window.log(), Qt::Key_Escape);
    EXPECT_FALSE(window.log()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), window.control(Control::Razd));

    // Ctrl+N asks first; the game played is kept among the finished ones.
    session.Play(30, 4);
    const std::string played = window.Journal();
    for (const QString &answer : {QStringLiteral("Отмена"), QStringLiteral("Начать")}) {
        QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
        auto *ask = window.findChild<QMessageBox *>();
        ASSERT_NE(ask, nullptr);
        QAbstractButton *button = nullptr;
        for (QAbstractButton *b : ask->buttons()) {
            button = b->text() == answer ? b : button;
        }
        ASSERT_NE(button, nullptr);
        button->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(window.Journal(), JournalHeader());
    ASSERT_NO_FATAL_FAILURE(ExpectShows(window, ""));
    const QDir games(root.filePath(QStringLiteral("games")));
    ASSERT_EQ(games.entryList(QDir::Files).size(), 1);
    EXPECT_EQ(Bytes(games.filePath(games.entryList(QDir::Files).front())), played);

    // A saved copy opens again; a file that is no game leaves the game be.
    session.Play(30, 5);
    const QString saved = root.filePath(QStringLiteral("saved.vurp"));
    ASSERT_TRUE(window.SaveGameAs(saved));
    EXPECT_EQ(Bytes(saved), window.Journal());
    const QString bad = root.filePath(QStringLiteral("bad.vurp"));
    WriteBytes(bad, "hello\n");
    const std::string before = window.Journal();
    EXPECT_FALSE(window.OpenGame(bad));
    EXPECT_TRUE(window.LastNotice().contains("открыть нельзя: это не запись игры"));
    EXPECT_EQ(window.Journal(), before);
    EXPECT_FALSE(window.OpenGame(root.filePath(QStringLiteral("missing.vurp"))));
    // Numbers drawn for no action are no part of the game opened.
    const std::string game = Bytes(saved);
    WriteBytes(saved, game + "rand 0.5");
    window.StartNewGame();
    ASSERT_TRUE(window.OpenGame(saved));
    WriteBytes(saved, game);
    EXPECT_EQ(window.Journal(), game);
    EXPECT_EQ(Bytes(root.filePath(kJournalName)), Bytes(saved));
    ASSERT_NO_FATAL_FAILURE(ExpectShows(window, Bytes(saved)));

    QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window.isVisible());
}

} // namespace

int PlayUntilKilled(const QString &folder, unsigned seed) {
    Session session(folder);
    std::mt19937 dice(seed);
    // One action first, so that the journal exists when the parent is told.
    PlayOneAction(session.window, dice);
    std::fputs("playing\n", stdout);
    std::fflush(stdout);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { PlayOneAction(session.window, dice); });
    timer.start(0);
    return QApplication::exec();
}

} // namespace vurp::ui
