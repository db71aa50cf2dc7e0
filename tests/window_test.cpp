// The real window on Qt's offscreen platform: built from the control table,
// laid out, coloured, and dealing through real mouse clicks.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QtEndian>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cmath>
#include <functional>
#include <optional>
#include <thread>

#include "accessibility.h"
#include "card_pictures.h"
#include "cards.h"
#include "controls.h"
#include "main_window.h"
#include "story.h"
#include "test_support.h"
#include "why_not.h"
#include "widgets.h"
#include "window_support.h"

namespace vurp::ui {
namespace {

const QColor kTeal(0x00, 0x80, 0x80);

QColor Role(const QWidget *w, QPalette::ColorRole role) {
    return w->palette().color(role);
}

struct Window {
    ScriptedRandom random;
    MainWindow window{random};

    QWidget *W(Control c, int i = 0) const { return window.control(c, i); }
    template <class T> T *As(Control c, int i = 0) const { return qobject_cast<T *>(W(c, i)); }
    View &view() { return window.game().view(); }

    void Show() {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    // The shuffle draws of the next deal leave the deck as `order`.
    void ArrangeDeck(const std::string &order) {
        vurp::testing::Fixture arranged;
        arranged.ArrangeDeck(order);
        random = arranged.random;
    }
    void ClickOn(Control c, int i = 0, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(W(c, i), button);
    }
};

TEST(Window, OpensAtTheLayoutsSizeWithItsTitleAndIcon) {
    Window w;
    w.Show();
    EXPECT_EQ(w.window.windowTitle(), QStringLiteral("Вурп"));
    // The menu's icon, built into the program, at every size a desktop asks.
    for (const int size : {16, 32, 64}) {
        EXPECT_EQ(w.window.windowIcon().pixmap(size).size(), QSize(size, size));
    }
    // The table at the layout's size, and the menu bar above it; the window
    // can be made smaller and larger.
    EXPECT_EQ(w.window.table()->size(), QSize(792, 566));
    // The status line below it.
    EXPECT_EQ(w.window.size(),
              QSize(792, 566 + w.window.menuBar()->height() + w.window.statusLine()->height()));
    EXPECT_EQ(w.window.table()->pos(), QPoint(0, w.window.menuBar()->height()));
    EXPECT_LT(w.window.minimumSizeHint().height(), w.window.height());
    EXPECT_GT(w.window.maximumHeight(), w.window.height());
    // A spot of bare table, clear of every control.
    EXPECT_EQ(w.window.table()->grab().toImage().pixelColor(300, 300), kTeal);
}

TEST(Window, EveryControlStartsInItsDesignState) {
    Window w;
    const QRect client(0, 0, 792, 566);
    for (const ControlDesign &d : ControlDesigns()) {
        for (int i = d.count == 0 ? 0 : 1; i <= d.count; ++i) {
            SCOPED_TRACE(d.name + "(" + std::to_string(i) + ")");
            QWidget *widget = w.W(d.id, i);
            ASSERT_NE(widget, nullptr);
            EXPECT_TRUE(client.contains(widget->geometry()));
            EXPECT_EQ(w.view().Visible(d.id, i), d.visible);
            EXPECT_EQ(w.view().Enabled(d.id, i), d.enabled);
            if (d.kind != ControlKind::Picture) {
                EXPECT_EQ(w.view().Text(d.id, i),
                          d.texts[static_cast<std::size_t>(i == 0 ? 0 : i - 1)]);
            }
        }
    }
    EXPECT_EQ(w.W(Control::Pict1, 6), nullptr);
    EXPECT_EQ(w.W(Control::Razd, 1), nullptr);
    EXPECT_EQ(w.window.game().Dealer, 3);
}

TEST(Window, TitleCaptionsAndBoxesWearTheirColours) {
    Window w;
    auto *title = w.As<QLabel>(Control::Label4);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), QStringLiteral("ВУРП"));
    EXPECT_EQ(title->font().pointSize(), 72);
    EXPECT_TRUE(title->font().bold());
    EXPECT_TRUE(title->alignment() & Qt::AlignHCenter);
    // 0x00BBGGRR: the title's 0xC00000 is blue, the captions' 0x80FFFF yellow.
    EXPECT_EQ(Role(title, QPalette::WindowText), QColor(0x00, 0x00, 0xC0));
    EXPECT_EQ(Role(w.W(Control::Label1), QPalette::WindowText), QColor(0xFF, 0xFF, 0x80));
    EXPECT_EQ(Role(w.W(Control::Label2, 3), QPalette::WindowText), QColor(0xFF, 0xFF, 0x80));
    EXPECT_TRUE(w.As<QLabel>(Control::Label2, 1)->alignment() & Qt::AlignRight);
    EXPECT_EQ(Role(w.W(Control::bank), QPalette::Base), QColor(0xFF, 0xFF, 0xC0));
    EXPECT_EQ(Role(w.W(Control::bank), QPalette::Text), QColor(0x00, 0x00, 0x80));
    EXPECT_EQ(Role(w.W(Control::talk, 2), QPalette::Base), QColor(0xC0, 0xFF, 0xFF));
    EXPECT_EQ(Role(w.W(Control::Money, 1), QPalette::Base), QColor(0xC0, 0xFF, 0xC0));

    EXPECT_TRUE(w.As<QLineEdit>(Control::bank)->isReadOnly());
    EXPECT_TRUE(w.As<QLineEdit>(Control::talk, 1)->isReadOnly());
    EXPECT_TRUE(w.As<QPlainTextEdit>(Control::TextPravila)->isReadOnly());
    EXPECT_FALSE(w.As<QLineEdit>(Control::Stavk)->isReadOnly());
}

TEST(Window, ControlsStandWhereTheLayoutPutsThem) {
    Window w;
    EXPECT_EQ(w.W(Control::Pravila)->geometry(), QRect(0, 0, 105, 17));
    EXPECT_EQ(w.W(Control::Game)->geometry(), QRect(440, 0, 121, 17));
    EXPECT_EQ(w.W(Control::TextPravila)->geometry(), QRect(0, 16, 433, 545));
    EXPECT_EQ(w.W(Control::TextGame)->geometry(), QRect(440, 16, 352, 67));
    EXPECT_EQ(w.W(Control::Razd)->geometry(), QRect(32, 472, 105, 57));
    EXPECT_EQ(w.W(Control::Pict1, 1)->geometry(), QRect(232, 432, 73, 97));
    EXPECT_EQ(w.W(Control::Pict1, 5)->geometry(), QRect(160, 432, 73, 97));
    EXPECT_EQ(w.W(Control::Pict2, 5)->geometry().topLeft(), QPoint(0, 16));
    EXPECT_EQ(w.W(Control::Pict3, 5)->geometry().topLeft(), QPoint(664, 16));
    EXPECT_EQ(w.W(Control::GoKats, 1)->geometry(), QRect(568, 504, 25, 25));
    EXPECT_EQ(w.W(Control::GoKats, 9)->geometry(), QRect(760, 504, 25, 25));
    EXPECT_EQ(w.W(Control::Hod, 2)->geometry().topLeft(), QPoint(184, 160));
    EXPECT_EQ(w.W(Control::Talk2, 2)->geometry().topLeft(), QPoint(184, 160));
    EXPECT_EQ(w.W(Control::Money, 1)->geometry().topLeft(), QPoint(344, 384));
    EXPECT_EQ(w.W(Control::talk, 3)->geometry().topLeft(), QPoint(488, 136));
}

TEST(Window, StakeBoxTakesAtMostSevenCharactersAndSetsTheStake) {
    Window w;
    w.Show();
    auto *stake = w.As<QLineEdit>(Control::Stavk);
    ASSERT_NE(stake, nullptr);
    stake->selectAll();
    QTest::keyClicks(stake, QStringLiteral("123456789"));
    EXPECT_EQ(stake->text(), QStringLiteral("1234567"));
    EXPECT_EQ(w.window.game().Stake, Currency::FromInt(1234567));
    // A full box takes nothing more, wherever the cursor stands.
    stake->setCursorPosition(2);
    QTest::keyClicks(stake, QStringLiteral("9"));
    EXPECT_EQ(stake->text(), QStringLiteral("1234567"));
    stake->selectAll();
    QTest::keyClicks(stake, QStringLiteral("8"));
    EXPECT_EQ(w.window.game().Stake, Currency::FromInt(8));
    // Characters are whole code points, as the driver counts them: eight
    // emoji keep seven, none cut in two, typed or pasted.
    const QString emoji = QStringLiteral("😀");
    stake->selectAll();
    for (int k = 0; k < 8; ++k) {
        // One key event a character, as a keyboard sends an emoji.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, emoji);
        QApplication::sendEvent(stake, &press);
    }
    EXPECT_EQ(stake->text(), emoji.repeated(7));
    EXPECT_EQ(w.view().Text(Control::Stavk, 0), emoji.repeated(7).toStdString());
    stake->clear();
    stake->insert(QStringLiteral("1") + emoji.repeated(8));
    EXPECT_EQ(stake->text(), QStringLiteral("1") + emoji.repeated(6));
}

TEST(Window, ADealShowsTheHandsTheTurnedCardAndTheStakes) {
    Window w;
    w.ArrangeDeck(vurp::testing::DeckStartingWith("9c8c7c6c1p2p3p4p1k2k3k4k5b"));
    w.Show();
    w.ClickOn(Control::Razd);

    const QStringList mine = {"9c", "8c", "7c", "6c"};
    for (int i = 1; i <= 4; ++i) {
        for (const Control seat : {Control::Pict1, Control::Pict2, Control::Pict3}) {
            auto *box = w.As<CardBox>(seat, i);
            ASSERT_NE(box, nullptr);
            EXPECT_FALSE(box->isHidden());
            EXPECT_EQ(box->PictureName(), seat == Control::Pict1 ? mine[i - 1] : "rubashka");
            EXPECT_EQ(box->Picture().size(), QSize(71, 96));
        }
    }
    auto *turned = w.As<CardBox>(Control::PictKoz);
    EXPECT_TRUE(turned->isVisible());
    EXPECT_EQ(turned->PictureName(), QStringLiteral("5b"));
    EXPECT_TRUE(w.W(Control::Pict1, 5)->isHidden());

    for (int s = 1; s <= 3; ++s) {
        EXPECT_EQ(w.As<QLineEdit>(Control::Money, s)->text(), QStringLiteral("-4"));
        EXPECT_EQ(Role(w.W(Control::Money, s), QPalette::Base), QColor(0xFF, 0xC0, 0xC0));
        EXPECT_TRUE(w.W(Control::talk, s)->isVisible());
        EXPECT_TRUE(w.W(Control::Label2, s)->isVisible());
    }
    EXPECT_EQ(w.As<QLineEdit>(Control::bank)->text(), QStringLiteral(" 12"));
    EXPECT_FALSE(w.W(Control::Razd)->isEnabled());
    EXPECT_TRUE(w.W(Control::vurp)->isEnabled());
    EXPECT_TRUE(w.W(Control::Sled)->isVisible());
    // The title sinks into the table.
    EXPECT_EQ(Role(w.W(Control::Label4), QPalette::WindowText), kTeal);
}

TEST(Window, ACardBoxReportsOnlyLeftClicksWhileEnabled) {
    Window w;
    w.Show();
    w.ClickOn(Control::Razd);
    const std::string hand = w.window.game().Hands[1];
    auto *box = w.As<CardBox>(Control::Pict1, 2);
    QSignalSpy clicks(box, &CardBox::clicked);

    ASSERT_FALSE(box->isEnabled());
    w.ClickOn(Control::Pict1, 2);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(w.window.game().Hands[1], hand);

    box->setEnabled(true);
    w.ClickOn(Control::Pict1, 2, Qt::RightButton);
    EXPECT_EQ(clicks.count(), 0);
    w.ClickOn(Control::Pict1, 2);
    EXPECT_EQ(clicks.count(), 1);
}

TEST(Window, PanelsOpenAboveTheCardsAndCloseAgain) {
    Window w;
    w.Show();
    w.ClickOn(Control::Razd);
    QWidget *rules = w.W(Control::TextPravila);
    QWidget *about = w.W(Control::TextGame);
    const auto onTop = [&w](QPoint at, QWidget *panel) {
        QWidget *hit = w.window.childAt(at);
        return hit == panel || panel->isAncestorOf(hit);
    };
    const QPoint overSeat2(100, 60);
    const QPoint overSeat3(480, 60);

    w.ClickOn(Control::Pravila);
    w.ClickOn(Control::Game);
    EXPECT_TRUE(onTop(overSeat2, rules));
    EXPECT_TRUE(onTop(overSeat3, about));
    EXPECT_EQ(w.view().Text(Control::TextPravila, 0), RulesText);
    EXPECT_EQ(w.view().Text(Control::TextGame, 0), AboutText);
    // Shown line by line, without an empty line after the last one.
    EXPECT_EQ(w.As<QPlainTextEdit>(Control::TextGame)->document()->blockCount(), 4);
    EXPECT_EQ(w.As<QPlainTextEdit>(Control::TextPravila)->document()->blockCount(), 18);

    w.ClickOn(Control::Pravila);
    w.ClickOn(Control::Game);
    EXPECT_EQ(w.window.childAt(overSeat2), w.W(Control::Pict2, 1));
    EXPECT_EQ(w.window.childAt(overSeat3), w.W(Control::Pict3, 2));
}

// The keyboard: keys go to whatever has the focus, as a player's do.
QWidget *Focused() {
    return QApplication::focusWidget();
}

void Key(Qt::Key key) {
    QWidget *focused = Focused();
    ASSERT_NE(focused, nullptr);
    QTest::keyClick(focused, key);
}

void ShowActive(Window &w) {
    w.Show();
    QApplication::setActiveWindow(&w.window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
}

// The focus cycle that Tab walks from where the focus is now.
std::vector<QWidget *> TabCycle() {
    std::vector<QWidget *> cycle = {Focused()};
    for (int k = 0; k < 40; ++k) {
        Key(Qt::Key_Tab);
        if (Focused() == cycle.front()) {
            break;
        }
        cycle.push_back(Focused());
    }
    return cycle;
}

// Every card box names the card it shows; the human's boxes name his hand and
// are buttons, the others are pictures.
void ExpectCardNames(Window &w) {
    const Game &game = w.window.game();
    for (const Control c :
         {Control::Pict1, Control::Pict2, Control::Pict3, Control::PictKoz, Control::Hod}) {
        for (int i = c == Control::PictKoz ? 0 : 1; i <= (c == Control::PictKoz ? 0 : 5); ++i) {
            auto *box = w.As<CardBox>(c, i);
            if (box == nullptr || box->isHidden()) {
                continue;
            }
            SCOPED_TRACE(DesignOf(c).name + "(" + std::to_string(i) + ")");
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(box);
            ASSERT_NE(a, nullptr);
            const QString name = a->text(QAccessible::Name);
            EXPECT_EQ(name, CardName(box->PictureName().toStdString()));
            EXPECT_FALSE(name.isEmpty());
            if (c == Control::Pict1) {
                EXPECT_EQ(name, CardName(CardAt(game.Hands[1], i)));
                EXPECT_EQ(a->role(), QAccessible::Button);
                EXPECT_EQ(box->cursor().shape(),
                          box->isEnabled() ? Qt::PointingHandCursor : Qt::ArrowCursor);
                // A card that can be chosen says so; one that cannot says why.
                const QString whyNot =
                    QString::fromStdString(WhyNot(game, w.view(), Control::Pict1, i));
                EXPECT_EQ(box->toolTip(),
                          box->isEnabled() ? name + QStringLiteral(": выбрать") : whyNot);
                EXPECT_FALSE(box->toolTip().isEmpty());
                EXPECT_EQ(a->text(QAccessible::Description),
                          box->isEnabled() ? CardBoxDescription(Control::Pict1, i) : whyNot);
            } else {
                EXPECT_EQ(a->role(), QAccessible::Graphic);
            }
            if (c == Control::Pict2 || c == Control::Pict3) {
                EXPECT_EQ(name, QStringLiteral("Карта рубашкой вверх"));
            }
        }
    }
}

TEST(Keyboard, AWholeDealIsPlayedWithKeysAloneAndTheCardsAreNamed) {
    Window w;
    // Seat 1 speaks first holding four hearts under a turned heart.
    w.ArrangeDeck(vurp::testing::DeckStartingWith("9c8c7c6c1p2p3p4p1k2k3k4k5c"));
    ShowActive(w);
    EXPECT_EQ(Focused(), w.W(Control::Razd));
    // Before the deal Tab walks the panel buttons, the stake and the deal,
    // then what there is to read: the bank.
    const std::vector<QWidget *> opening = {w.W(Control::Razd), w.W(Control::bank),
                                            w.W(Control::Pravila), w.W(Control::Game),
                                            w.W(Control::Stavk)};
    EXPECT_EQ(TabCycle(), opening);

    Key(Qt::Key_Return);
    ASSERT_FALSE(w.W(Control::Razd)->isEnabled());
    EXPECT_EQ(Focused(), w.W(Control::PasVurp));
    // No disabled control and no card of the computer seats is a tab stop;
    // the read-only boxes come after everything that can be pressed.
    bool reading = false;
    std::vector<QWidget *> cycle = TabCycle();
    std::rotate(cycle.begin(), std::find(cycle.begin(), cycle.end(), w.W(Control::Pravila)),
                cycle.end());
    for (QWidget *stop : cycle) {
        EXPECT_TRUE(stop->isEnabled() && stop->isVisible());
        auto *line = qobject_cast<QLineEdit *>(stop);
        const bool readOnly = line != nullptr && line->isReadOnly();
        EXPECT_TRUE(readOnly || !reading) << "a control to press after the boxes to read";
        reading = reading || readOnly;
        auto *box = qobject_cast<CardBox *>(stop);
        EXPECT_TRUE(box == nullptr || box->IsChoosable());
    }
    // Every seat's money, tricks and words among them.
    for (int seat = 1; seat <= 3; ++seat) {
        for (const Control box : {Control::Money, Control::KolVz, Control::talk}) {
            EXPECT_NE(std::find(cycle.begin(), cycle.end(), w.W(box, seat)), cycle.end());
        }
    }
    EXPECT_EQ(Focused(), w.W(Control::PasVurp));
    Key(Qt::Key_Tab);
    ASSERT_EQ(Focused(), w.W(Control::vurp));
    Key(Qt::Key_Space);
    ExpectCardNames(w);

    bool exchanged = false;
    bool walkedTheHand = false;
    for (int step = 0; step < 60 && !w.W(Control::Razd)->isEnabled(); ++step) {
        QWidget *focused = Focused();
        ASSERT_NE(focused, nullptr);
        ASSERT_TRUE(focused->isEnabled() && focused->isVisible());
        if (w.W(Control::Change)->isVisible() && !exchanged) {
            // The exchange: the second card goes, the next closes up into its
            // place, and the focus moves on to "Поменять", so that a second
            // Space does not throw that one away too.
            ASSERT_EQ(Focused(), w.W(Control::Pict1, 1));
            Key(Qt::Key_Right);
            const std::string third = CardAt(w.window.game().Hands[1], 3);
            Key(Qt::Key_Space);
            EXPECT_EQ(CardAt(w.window.game().Hands[1], 2), third);
            ASSERT_EQ(Focused(), w.W(Control::Change));
            EXPECT_EQ(w.view().Text(Control::Change, 0), "Поменять");
            exchanged = true;
        } else if (auto *box = qobject_cast<CardBox *>(focused); box && !walkedTheHand) {
            // The arrows walk the enabled cards and stop at either end.
            Key(Qt::Key_Left);
            EXPECT_EQ(Focused(), focused);
            for (int k = 0; k < 5; ++k) {
                Key(Qt::Key_Right);
                auto *now = qobject_cast<CardBox *>(Focused());
                ASSERT_NE(now, nullptr);
                EXPECT_TRUE(now->isEnabled());
            }
            Key(Qt::Key_Left);
            walkedTheHand = true;
        }
        Key(step % 2 == 0 ? Qt::Key_Return : Qt::Key_Space);
        ExpectCardNames(w);
    }
    EXPECT_TRUE(exchanged);
    EXPECT_TRUE(walkedTheHand);
    ASSERT_TRUE(w.W(Control::Razd)->isEnabled());
    EXPECT_EQ(Focused(), w.W(Control::Razd));
    EXPECT_EQ(CardCount(w.window.game().Hands[1]), 0);
    EXPECT_EQ(w.window.game().PlayMode, 12);

    // F1 opens and closes the rules, Escape closes any open panel, and the
    // focus stays where it was.
    Key(Qt::Key_F1);
    EXPECT_TRUE(w.W(Control::TextPravila)->isVisible());
    Key(Qt::Key_F1);
    EXPECT_FALSE(w.W(Control::TextPravila)->isVisible());
    EXPECT_EQ(Focused(), w.W(Control::Razd));
    Key(Qt::Key_F1);
    w.ClickOn(Control::Game);
    Key(Qt::Key_Escape);
    EXPECT_FALSE(w.W(Control::TextPravila)->isVisible());
    EXPECT_FALSE(w.W(Control::TextGame)->isVisible());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(w.W(Control::TextPravila)->isVisible());
}

// An open panel holds the keyboard: Tab goes round the panel and the button
// that closes it, the keys scroll it, nothing beneath answers, and Escape
// gives the focus back to the card that had it.
TEST(Keyboard, AnOpenPanelHoldsTheKeyboardAndGivesItBack) {
    Window w;
    w.ArrangeDeck(vurp::testing::DeckStartingWith("9c8c7c6c1p2p3p4p1k2k3k4k5c"));
    ShowActive(w);
    Key(Qt::Key_Return);
    ASSERT_EQ(Focused(), w.W(Control::PasVurp));
    Key(Qt::Key_Tab);
    Key(Qt::Key_Space);
    ASSERT_EQ(Focused(), w.W(Control::Pict1, 1)) << "seat 1's exchange";
    Key(Qt::Key_Right);
    QWidget *card = Focused();
    ASSERT_EQ(card, w.W(Control::Pict1, 2));

    Key(Qt::Key_F1);
    auto *rules = w.As<QPlainTextEdit>(Control::TextPravila);
    ASSERT_TRUE(rules->isVisible());
    EXPECT_EQ(Focused(), rules);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(rules)->text(QAccessible::Name),
              QStringLiteral("Правила игры"));
    EXPECT_EQ(TabCycle(), (std::vector<QWidget *>{rules, w.W(Control::Pravila)}));
    Key(Qt::Key_Backtab);
    EXPECT_EQ(Focused(), w.W(Control::Pravila));
    Key(Qt::Key_Backtab);
    ASSERT_EQ(Focused(), rules);

    QScrollBar *bar = rules->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    const auto moved = [bar](Qt::Key key) {
        const int before = bar->value();
        Key(key);
        return bar->value() - before;
    };
    // Down a line, Page Down and Space a page, End and Home to either end.
    const int line = moved(Qt::Key_Down);
    EXPECT_GT(line, 0);
    EXPECT_EQ(moved(Qt::Key_Up), -line);
    const int page = moved(Qt::Key_PageDown);
    EXPECT_GT(page, line);
    EXPECT_EQ(moved(Qt::Key_PageUp), -page);
    EXPECT_EQ(moved(Qt::Key_Space), page);
    Key(Qt::Key_End);
    EXPECT_EQ(bar->value(), bar->maximum());
    Key(Qt::Key_Home);
    EXPECT_EQ(bar->value(), 0);

    // Under the panel and beside it the table answers to nothing but the
    // panels' buttons: not the mouse, a key sent to a card, nor Ctrl+Z.
    const std::string table = TableOf(w.window.game());
    const std::string journal = w.window.Journal();
    QWidget *under = w.W(Control::Pict1, 1);
    EXPECT_NE(w.window.childAt(under->mapTo(&w.window, under->rect().center())), under);
    w.ClickOn(Control::Pict1, 1);
    QTest::keyClick(w.W(Control::Pict1, 2), Qt::Key_Space);
    w.ClickOn(Control::Change);
    QTest::keyClick(rules, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(TableOf(w.window.game()), table);
    EXPECT_EQ(w.window.Journal(), journal);
    EXPECT_EQ(Focused(), rules);
    // The log of the deal opens beneath the rules, and the rules keep the
    // keyboard.
    Key(Qt::Key_L);
    EXPECT_EQ(Focused(), rules);
    EXPECT_EQ(w.window.childAt(rules->mapTo(&w.window, QPoint(40, 40))), rules->viewport());
    Key(Qt::Key_L);

    Key(Qt::Key_Escape);
    EXPECT_FALSE(rules->isVisible());
    EXPECT_EQ(Focused(), card);
    // Opened and closed by the mouse, it gives the keyboard back there too.
    w.ClickOn(Control::Pravila);
    EXPECT_EQ(Focused(), rules);
    w.ClickOn(Control::Pravila);
    EXPECT_FALSE(rules->isVisible());
    EXPECT_EQ(Focused(), card);

    // The About panel opens beside the rules, from the menu as from its
    // button; Tab goes round both, and Escape closes both.
    Key(Qt::Key_F1);
    QWidget *about = w.W(Control::TextGame);
    w.window.menuBar()->actions().back()->menu()->actions().back()->trigger();
    ASSERT_TRUE(about->isVisible());
    EXPECT_TRUE(rules->isVisible());
    EXPECT_EQ(Focused(), about);
    EXPECT_EQ(TabCycle(),
              (std::vector<QWidget *>{about, w.W(Control::Game), rules, w.W(Control::Pravila)}));
    Key(Qt::Key_Escape);
    EXPECT_FALSE(rules->isVisible());
    EXPECT_FALSE(about->isVisible());
    EXPECT_EQ(Focused(), card);
    EXPECT_TRUE(
        w.window.Journal().ends_with("click Pravila\nclick Game\nclick Pravila\nclick Game\n"));
    EXPECT_EQ(TableOf(w.window.game()), table);
}

// A screen reader hears the table's boxes and labels without the spaces that
// line the numbers and words up on the screen, all through a deal.
TEST(Accessibility, TheTableReadsWithoutStraySpaces) {
    Window w;
    w.ArrangeDeck(vurp::testing::DeckStartingWith("9c8c7c6c1p2p3p4p1k2k3k4k5c"));
    ShowActive(w);
    const auto clean = [](const QString &t) { return t == t.simplified(); };
    int lined = 0;
    for (int step = 0; step < 80; ++step) {
        QWidget *focused = Focused();
        ASSERT_NE(focused, nullptr);
        QTest::mouseClick(focused, Qt::LeftButton);
        for (const auto &[c, i] : AllElements()) {
            auto *line = w.As<QLineEdit>(c, i);
            if ((line == nullptr || !line->isReadOnly()) && w.As<QLabel>(c, i) == nullptr) {
                continue;
            }
            SCOPED_TRACE(ElementName(c, i) + " at step " + std::to_string(step));
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w.W(c, i));
            ASSERT_NE(a, nullptr);
            const QString value = a->text(QAccessible::Value);
            EXPECT_TRUE(clean(a->text(QAccessible::Name)))
                << a->text(QAccessible::Name).toStdString();
            EXPECT_TRUE(clean(a->text(QAccessible::Description)));
            EXPECT_TRUE(clean(value)) << value.toStdString();
            if (line != nullptr) {
                EXPECT_EQ(value, line->text().simplified());
                QAccessibleTextInterface *text = a->textInterface();
                ASSERT_NE(text, nullptr);
                EXPECT_EQ(text->text(0, text->characterCount()), value);
                lined += line->text() != value ? 1 : 0;
            }
        }
        if (w.W(Control::Razd)->isEnabled() && step > 0) {
            break;
        }
    }
    EXPECT_TRUE(w.W(Control::Razd)->isEnabled());
    // The deal wrote words and numbers lined up with spaces.
    EXPECT_GT(lined, 0);
}

double Luminance(const QColor &c) {
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double Contrast(const QColor &a, const QColor &b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(Keyboard, TheFocusFrameStandsOutOnTheTable) {
    Window w;
    ShowActive(w);
    w.view().SetPicture(Control::Pict1, 1, "9c");
    w.view().SetVisible(Control::Pict1, 1, true);
    w.view().SetEnabled(Control::Pict1, 1, true);
    for (const Control c : {Control::Razd, Control::Stavk, Control::Pict1}) {
        SCOPED_TRACE(DesignOf(c).name);
        QWidget *widget = w.W(c, c == Control::Pict1 ? 1 : 0);
        w.W(Control::Pravila)->setFocus();
        const QImage before = w.window.table()->grab(widget->geometry()).toImage();
        widget->setFocus();
        ASSERT_TRUE(widget->hasFocus());
        const QImage after = w.window.table()->grab(widget->geometry()).toImage();
        // Across every edge, two pixels of the frame or more differ plainly
        // from what was there before, and the frame stands out on the table.
        const QRect r = after.rect();
        const QPoint middle = r.center();
        for (const auto &[from, inward] :
             {std::pair{QPoint(0, middle.y()), QPoint(1, 0)},
              std::pair{QPoint(r.width() - 1, middle.y()), QPoint(-1, 0)},
              std::pair{QPoint(middle.x(), 0), QPoint(0, 1)},
              std::pair{QPoint(middle.x(), r.height() - 1), QPoint(0, -1)}}) {
            SCOPED_TRACE(std::to_string(from.x()) + "," + std::to_string(from.y()));
            int changed = 0;
            double onTable = 0;
            for (int depth = 0; depth < 6; ++depth) {
                const QPoint at = from + inward * depth;
                changed += Contrast(after.pixelColor(at), before.pixelColor(at)) >= 3.0 ? 1 : 0;
                onTable = std::max(onTable, Contrast(after.pixelColor(at), kTeal));
            }
            EXPECT_GE(changed, 2);
            EXPECT_GE(onTable, 3.0);
        }
    }
}

QImage Pixels(const QPixmap &p) {
    return p.toImage().convertToFormat(QImage::Format_RGB32);
}

QImage Pixels(const PictureSet &p) {
    return Pixels(p.Base());
}

// How far apart two pictures of one size are: the sum of the channel differences.
qint64 Distance(const QImage &a, const QImage &b) {
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto *p = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *q = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            sum += std::abs(qRed(p[x]) - qRed(q[x])) + std::abs(qGreen(p[x]) - qGreen(q[x])) +
                   std::abs(qBlue(p[x]) - qBlue(q[x]));
        }
    }
    return sum;
}

// The box as painted on a screen with `ratio` device pixels to a logical pixel.
QImage Rendered(CardBox &box, qreal ratio) {
    QImage image((QSizeF(box.size()) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    box.render(&image);
    image.setDevicePixelRatio(1);
    return image;
}

// Pixels of `image` in colours that `source` has nowhere: a pixel-by-pixel
// blow-up of the source has none.
int NewColours(const QImage &image, const QImage &source) {
    QSet<QRgb> known;
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            known.insert(source.pixel(x, y));
        }
    }
    int fresh = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            fresh += known.contains(image.pixel(x, y)) ? 0 : 1;
        }
    }
    return fresh;
}

const QString kSourceRoot = QStringLiteral(VURP_SOURCE_DIR);

// The picture once its files are decoded: until then the loader gives what
// stands in for it.
PictureSet Loaded(const QString &root, std::string_view name) {
    LoadPicture(root, name);
    WaitForPictures();
    return LoadPicture(root, name);
}

// The table at the size of a laptop at 200 % (960 x 540), of the layout on a
// large screen, and at twice that size remembered from before: each control
// where the layout places it, scaled with the table as one; the fonts too; and
// a card drawn from the picture made for its pixels.
TEST(Window, AtThreeSizesTheTableScalesAsOne) {
    struct Size {
        QSize room;
        // The table's size when the window was last closed, in pixels of the
        // layout's table; none the first time.
        qreal remembered;
        // A screen on which a pixel of the card picture covers two: the
        // picture at twice its size lands pixel for pixel.
        qreal ratio;
    };
    const PictureSet nine = Loaded(kSourceRoot, "9c");
    for (const Size &size : {Size{QSize(960, 540), 0, 0}, Size{QSize(1920, 1080), 0, 2},
                             Size{QSize(1920, 1200), 2, 1}}) {
        SCOPED_TRACE(std::to_string(size.room.width()) + "x" + std::to_string(size.room.height()));
        Window w;
        ScaledTable *table = w.window.table();
        const int designFont = QFontInfo(w.W(Control::Razd)->font()).pixelSize();
        const int designTitle = QFontInfo(w.W(Control::Label4)->font()).pixelSize();
        std::optional<QSize> remembered;
        if (size.remembered != 0) {
            remembered = w.window.sizeHint() - kDesignSize + kDesignSize * size.remembered;
        }
        w.window.resize(StartSize(w.window, size.room, remembered));
        w.Show();
        // A long sentence on the status line does not push the window off
        // the screen.
        w.window.statusLine()->Say(QString(300, QChar(u'ж')));
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(w.window.size().boundedTo(size.room), w.window.size());

        // The table as large as fits, centred: it fills the window across or
        // down, with even margins of bare table.
        const qreal s = std::min(table->width() / 792.0, table->height() / 566.0);
        EXPECT_DOUBLE_EQ(table->Scale(), s);
        const QRect area = table->Area();
        EXPECT_TRUE(table->rect().contains(area));
        EXPECT_TRUE(area.width() == table->width() || area.height() == table->height());
        EXPECT_LE(std::abs(area.left() - (table->width() - area.right() - 1)), 1);
        EXPECT_LE(std::abs(area.top() - (table->height() - area.bottom() - 1)), 1);
        EXPECT_TRUE(w.window.rect().contains(table->geometry()));
        // The spot of bare table the layout leaves at (300, 300).
        const QPoint bare = area.topLeft() + (QPointF(300, 300) * s).toPoint();
        EXPECT_EQ(table->grab().toImage().pixelColor(bare), kTeal);

        for (const auto &[id, i] : AllElements()) {
            SCOPED_TRACE(ElementName(id, i));
            const QRect design = ToPixels(Placement(id, i));
            const QRect shown = w.W(id, i)->geometry().translated(-area.topLeft());
            EXPECT_NEAR(shown.left(), design.left() * s, 1);
            EXPECT_NEAR(shown.top(), design.top() * s, 1);
            EXPECT_NEAR(shown.width(), design.width() * s, 1);
            EXPECT_NEAR(shown.height(), design.height() * s, 1);
            EXPECT_TRUE(area.contains(w.W(id, i)->geometry()));
        }
        EXPECT_NEAR(QFontInfo(w.W(Control::Razd)->font()).pixelSize(), designFont * s, 1);
        EXPECT_NEAR(QFontInfo(w.W(Control::talk, 1)->font()).pixelSize(), designFont * s, 1);
        EXPECT_NEAR(QFontInfo(w.W(Control::Label4)->font()).pixelSize(), designTitle * s, 1);

        if (size.ratio != 0) {
            ASSERT_DOUBLE_EQ(s * size.ratio, 2);
            auto *box = w.As<CardBox>(Control::Pict1, 1);
            box->ShowPicture(QStringLiteral("9c"), nine);
            ASSERT_EQ(nine.ForRatio(2).size(), QSize(142, 192));
            const QPoint corner(static_cast<int>(box->width() - 71 * s) / 2,
                                static_cast<int>(box->height() - 96 * s) / 2);
            EXPECT_EQ(Rendered(*box, size.ratio).copy(QRect(corner * size.ratio, QSize(142, 192))),
                      Pixels(nine.ForRatio(2)));
        }
    }
}

TEST(CardPictures, EveryPictureOfTheRepositoryLoadsAtCardSize) {
    std::vector<std::string> names = {std::string(CardBack)};
    for (int k = 1; k <= 36; ++k) {
        names.push_back(CardAt(DeckLiteral, k));
    }
    std::vector<QImage> bases;
    for (const std::string &name : names) {
        bases.push_back(Pixels(Loaded(kSourceRoot, name)));
    }
    for (std::size_t n = 0; n < names.size(); ++n) {
        SCOPED_TRACE(names[n]);
        const PictureSet picture = Loaded(kSourceRoot, names[n]);
        for (int scale = 1; scale <= 3; ++scale) {
            SCOPED_TRACE(scale);
            const QPixmap drawn = picture.ForRatio(scale);
            ASSERT_EQ(drawn.size(), QSize(71, 96) * scale);
            EXPECT_NE(Pixels(drawn), Pixels(PlaceholderPicture(names[n], scale)));
            // Brought down to card size, each picture is nearest to its own
            // card among all 37.
            const QImage reduced =
                Pixels(drawn).scaled(71, 96, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            std::vector<qint64> distances;
            for (const QImage &other : bases) {
                distances.push_back(Distance(reduced, other));
            }
            EXPECT_EQ(std::min_element(distances.begin(), distances.end()) - distances.begin(),
                      static_cast<std::ptrdiff_t>(n));
        }
    }
    EXPECT_NE(Pixels(Loaded(kSourceRoot, "9c")), Pixels(Loaded(kSourceRoot, "9p")));
}

TEST(CardPictures, ACardBoxDrawsThePictureMadeForItsPixelRatio) {
    CardBox box;
    box.resize(73, 97);
    box.ShowPicture(QStringLiteral("9c"), Loaded(kSourceRoot, "9c"));
    EXPECT_EQ(box.Picture().size(), QSize(71, 96));
    for (const auto &[ratio, size] :
         {std::pair{0.75, QSize(71, 96)}, std::pair{1.0, QSize(71, 96)},
          std::pair{1.25, QSize(142, 192)}, std::pair{2.0, QSize(142, 192)},
          std::pair{2.5, QSize(213, 288)}, std::pair{3.0, QSize(213, 288)}}) {
        EXPECT_EQ(box.PictureFor(ratio).size(), size) << ratio;
    }
    // Where the sizes agree the picture lands pixel for pixel.
    EXPECT_EQ(Rendered(box, 1).copy(1, 0, 71, 96), Pixels(box.Picture()));
    const QImage sharp = Rendered(box, 2).copy(2, 0, 142, 192);
    EXPECT_EQ(sharp, Pixels(box.PictureFor(2)));
    EXPECT_NE(sharp, Pixels(box.Picture()).scaled(142, 192));
    EXPECT_EQ(Rendered(box, 3).copy(3, 0, 213, 288), Pixels(box.PictureFor(3)));
}

TEST(CardPictures, WithoutSoundLargerPicturesTheCardIsScaledSmoothly) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QDir pict(root.filePath(QStringLiteral("Pict")));
    ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("Pict")));
    ASSERT_TRUE(QFile::copy(kSourceRoot + QStringLiteral("/Pict/9c.bmp"), pict.filePath("9c.bmp")));
    const QImage base = Pixels(Loaded(root.path(), "9c"));
    CardBox box;
    box.resize(73, 97);
    // Only the picture of the rules; then beside it a broken file and one of
    // the wrong size, which are passed over.
    for (const int step : {0, 1}) {
        SCOPED_TRACE(step);
        if (step == 1) {
            QFile broken(pict.filePath("9c@2x.png"));
            ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
            broken.write("not a picture");
            broken.close();
            ASSERT_TRUE(QFile::copy(kSourceRoot + QStringLiteral("/Pict/9c@2x.png"),
                                    pict.filePath("9c@3x.png")));
        }
        box.ShowPicture(QStringLiteral("9c"), Loaded(root.path(), "9c"));
        for (const qreal ratio : {1.5, 2.0, 3.0}) {
            EXPECT_EQ(Pixels(box.PictureFor(ratio)), base) << ratio;
        }
        const QImage smooth = Rendered(box, 2).copy(2, 0, 142, 192);
        EXPECT_NE(smooth, base.scaled(142, 192));
        EXPECT_GT(NewColours(smooth, base), 500);
    }
}

TEST(CardPictures, WhatCannotBeLoadedIsDrawnInstead) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("Pict")));
    QFile broken(root.filePath(QStringLiteral("Pict/9c.bmp")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a bitmap");
    broken.close();

    EXPECT_EQ(Pixels(Loaded(root.path(), "9c")), Pixels(PlaceholderPicture("9c")));
    EXPECT_EQ(Pixels(Loaded(root.path(), "8c")), Pixels(PlaceholderPicture("8c")));
    // Without its picture of the rules a card is the placeholder at every
    // size, drawn sharp at each, whatever larger pictures stand beside it.
    ASSERT_TRUE(QFile::copy(kSourceRoot + QStringLiteral("/Pict/9c@2x.png"),
                            root.filePath(QStringLiteral("Pict/9c@2x.png"))));
    for (const int scale : {2, 3}) {
        EXPECT_EQ(Pixels(Loaded(root.path(), "9c").ForRatio(scale)),
                  Pixels(PlaceholderPicture("9c", scale)));
    }
    EXPECT_EQ(Pixels(Loaded(root.path(), CardBack)), Pixels(PlaceholderPicture(CardBack)));
    // Only card codes and the back name files: a path is not followed even
    // where it leads to a real picture.
    EXPECT_EQ(Pixels(Loaded(kSourceRoot, "../Pict/9c")), Pixels(PlaceholderPicture("")));
    EXPECT_EQ(Pixels(Loaded(kSourceRoot, "  ")), Pixels(PlaceholderPicture("")));

    EXPECT_EQ(PlaceholderPicture("9c").size(), QSize(71, 96));
    EXPECT_NE(Pixels(PlaceholderPicture("9c")), Pixels(PlaceholderPicture("9p")));
    EXPECT_NE(Pixels(PlaceholderPicture("9c")), Pixels(PlaceholderPicture("8c")));
    EXPECT_NE(Pixels(PlaceholderPicture("9c")), Pixels(PlaceholderPicture(CardBack)));
}

QByteArray Encoded(const QImage &image, const char *format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage Solid(QSize size, const QColor &colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

void WriteFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A BMP of `image` stored top down, as some programs write them: a negative
// height, and the first row first.
QByteArray TopDownBmp(const QImage &image) {
    const QByteArray bottomUp = Encoded(image, "BMP");
    const auto pixels = qFromLittleEndian<quint32>(bottomUp.constData() + 10);
    const auto height = qFromLittleEndian<qint32>(bottomUp.constData() + 22);
    const auto bits = qFromLittleEndian<quint16>(bottomUp.constData() + 28);
    const qsizetype row = (image.width() * bits + 31) / 32 * 4;
    QByteArray topDown = bottomUp.left(pixels);
    qToLittleEndian<qint32>(-height, topDown.data() + 22);
    for (qsizetype y = height - 1; y >= 0; --y) {
        topDown += bottomUp.mid(pixels + y * row, row);
    }
    return topDown;
}

// The rows of an RGBA PNG of `size` all in `colour`, as it compresses them:
// a filter byte before each row, in the seven passes of an interlaced one.
QByteArray PngRows(QSize size, const QColor &colour, bool interlaced) {
    struct Pass {
        int x, y, dx, dy;
    };
    const std::vector<Pass> passes =
        interlaced ? std::vector<Pass>{{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                       {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}
                   : std::vector<Pass>{{0, 0, 1, 1}};
    const QByteArray pixel = QByteArray(1, static_cast<char>(colour.red())) +
                             static_cast<char>(colour.green()) + static_cast<char>(colour.blue()) +
                             static_cast<char>(0xFF);
    QByteArray rows;
    for (const Pass &p : passes) {
        const int width = (size.width() - p.x + p.dx - 1) / p.dx;
        const int height = (size.height() - p.y + p.dy - 1) / p.dy;
        for (int y = 0; y < height && width > 0; ++y) {
            rows += '\0' + pixel.repeated(width);
        }
    }
    return rows;
}

// An RGBA PNG of `size` whose compressed stream unpacks to `rows`, however
// many bytes they are.
QByteArray Png(QSize size, bool interlaced, const QByteArray &rows) {
    const auto chunk = [](const char *type, const QByteArray &data) {
        QByteArray bytes(4, '\0');
        qToBigEndian<quint32>(static_cast<quint32>(data.size()), bytes.data());
        const QByteArray body = QByteArray(type, 4) + data;
        QByteArray check(4, '\0');
        qToBigEndian<quint32>(
            static_cast<quint32>(crc32(0, reinterpret_cast<const Bytef *>(body.constData()),
                                       static_cast<uInt>(body.size()))),
            check.data());
        return bytes + body + check;
    };
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(size.width()), header.data());
    qToBigEndian<quint32>(static_cast<quint32>(size.height()), header.data() + 4);
    header[8] = 8; // bits a channel
    header[9] = 6; // RGB and alpha
    header[12] = interlaced ? 1 : 0;
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    QByteArray packed(static_cast<qsizetype>(packedSize), '\0');
    EXPECT_EQ(compress2(reinterpret_cast<Bytef *>(packed.data()), &packedSize,
                        reinterpret_cast<const Bytef *>(rows.constData()),
                        static_cast<uLong>(rows.size()), Z_BEST_COMPRESSION),
              Z_OK);
    packed.truncate(static_cast<qsizetype>(packedSize));
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunk("IDAT", packed) +
           chunk("IEND", {});
}

// Pict/9c@2x.png beside Pict/9c.bmp, at `scale` times the size.
QString Beside(const QString &base, int scale) {
    QString path = base;
    return path.replace(QStringLiteral(".bmp"), QStringLiteral("@%1x.png").arg(scale));
}

void SetModified(const QString &path, const QDateTime &time) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
}

QByteArray SourcePicture(const QString &file) {
    QFile source(kSourceRoot + QStringLiteral("/Pict/") + file);
    return source.open(QIODevice::ReadOnly) ? source.readAll() : QByteArray();
}

// A named pipe whose writer hands `bytes` to whoever opens it for reading: a
// loader that opened it would show that picture, not wait for ever.
class Pipe {
public:
    Pipe(const QString &path, const QByteArray &bytes) : path_(QFile::encodeName(path)) {
        EXPECT_EQ(mkfifo(path_.constData(), 0600), 0);
        writer_ = std::thread([this, bytes] {
            const int fd = ::open(path_.constData(), O_WRONLY);
            if (fd >= 0) {
                EXPECT_EQ(::write(fd, bytes.constData(), static_cast<std::size_t>(bytes.size())),
                          bytes.size());
                ::close(fd);
            }
        });
    }
    Pipe(const Pipe &) = delete;
    Pipe &operator=(const Pipe &) = delete;
    // Opening the read end without waiting lets a writer still waiting finish.
    ~Pipe() {
        const int fd = ::open(path_.constData(), O_RDONLY | O_NONBLOCK);
        writer_.join();
        if (fd >= 0) {
            ::close(fd);
        }
    }

private:
    QByteArray path_;
    std::thread writer_;
};

TEST(CardPictures, OnlyASanePictureInARegularFileIsShownAndNothingWaits) {
    const QByteArray bmp = SourcePicture(QStringLiteral("9c.bmp"));
    const QByteArray twice = SourcePicture(QStringLiteral("9c@2x.png"));
    ASSERT_FALSE(bmp.isEmpty() || twice.isEmpty());
    const QImage real = Pixels(Loaded(kSourceRoot, "9c"));
    std::optional<Pipe> pipe;
    struct Fault {
        const char *what;
        // 1: the card's own file Pict/9c.bmp, 2: Pict/9c@2x.png beside it;
        // 3: the card's three files, looked at three times the size.
        int scale;
        std::function<void(const QString &path)> make;
        QImage shown = {}; // the picture still shown; null: the fault is refused
        // Where set, every card of the deck and the back are made as 9c is,
        // then each file is given other pictures of the same byte size and
        // time of change: the table still shows the first ones, as none was
        // dropped from the decoded pictures to make room for another.
        std::function<void(const QString &path)> rewrite = {};
    };
    const QImage narrower = Solid(QSize(70, 96), Qt::red);
    const QImage widest = Solid(QSize(kMaxPictureSide, 8), Qt::green);
    QImage twoTone = Solid(QSize(71, 96), Qt::red);
    QPainter(&twoTone).fillRect(0, 48, 71, 48, Qt::blue);
    const QSize twiceSize(142, 192);
    const QImage interlaced = Solid(twiceSize, Qt::darkCyan);
    // The largest pictures the three of a card can be, each a whole multiple
    // of the first and none wider than allowed.
    const QSize largest(kMaxPictureSide / 3, kMaxPictureSide / 3);
    const auto allThree = [largest](const QColor &colour) {
        return [largest, colour](const QString &p) {
            for (const int scale : {1, 2, 3}) {
                WriteFile(scale == 1 ? p : Beside(p, scale),
                          Encoded(Solid(largest * scale, colour), "BMP"));
            }
        };
    };
    const Fault faults[] = {
        {"no Pict folder", 1, [](const QString &p) { QFileInfo(p).dir().removeRecursively(); }},
        {"an empty file", 1, [](const QString &p) { WriteFile(p, {}); }},
        {"a BMP cut short", 1, [&](const QString &p) { WriteFile(p, bmp.left(bmp.size() / 2)); }},
        {"not a picture", 1, [](const QString &p) { WriteFile(p, "not a bitmap"); }},
        {"another size", 1, [&](const QString &p) { WriteFile(p, Encoded(narrower, "BMP")); },
         narrower},
        {"as wide as allowed", 1, [&](const QString &p) { WriteFile(p, Encoded(widest, "BMP")); },
         widest},
        {"too wide", 1,
         [](const QString &p) {
             WriteFile(p, Encoded(Solid(QSize(kMaxPictureSide + 1, 8), Qt::red), "BMP"));
         }},
        {"too tall", 1,
         [](const QString &p) {
             WriteFile(p, Encoded(Solid(QSize(8, kMaxPictureSide + 1), Qt::red), "PNG"));
         }},
        {"too large a file", 1,
         [&](const QString &p) { WriteFile(p, bmp + QByteArray(kMaxPictureFileBytes, '\0')); }},
        {"a named pipe", 1, [&](const QString &p) { pipe.emplace(p, bmp); }},
        {"a folder", 1, [](const QString &p) { QDir().mkdir(p); }},
        {"a loop of links", 1, [](const QString &p) { QFile::link(p, p); }},
        {"a link to a picture", 1,
         [](const QString &p) { QFile::link(kSourceRoot + QStringLiteral("/Pict/9c.bmp"), p); },
         real},
        {"a named pipe at twice the size", 2, [&](const QString &p) { pipe.emplace(p, twice); }},
        {"a BMP stored top down", 1, [&](const QString &p) { WriteFile(p, TopDownBmp(twoTone)); },
         twoTone},
        {"an interlaced PNG at twice the size", 2,
         [&](const QString &p) {
             WriteFile(p,
                       Png(twiceSize, true, PngRows(twiceSize, interlaced.pixelColor(0, 0), true)));
         },
         interlaced},
        // Four megabytes of such a stream kept the table waiting ten seconds.
        {"a PNG whose stream unpacks to far more than its rows", 2,
         [&](const QString &p) {
             WriteFile(p, Png(twiceSize, false,
                              PngRows(twiceSize, Qt::green, false) + QByteArray(64 << 20, '\0')));
         }},
        {"such a PNG as the card's own picture", 1,
         [&](const QString &p) {
             WriteFile(p,
                       Png(QSize(71, 96), false,
                           PngRows(QSize(71, 96), Qt::green, false) + QByteArray(64 << 20, '\0')));
         }},
        {"pictures of the largest size beside every card",
         3,
         [&](const QString &p) {
             WriteFile(p, bmp);
             for (const int scale : {2, 3}) {
                 WriteFile(Beside(p, scale),
                           Encoded(Solid(QSize(kMaxPictureSide, kMaxPictureSide), Qt::red), "BMP"));
             }
         },
         {},
         [](const QString &p) {
             // Pictures of the right sizes now, padded to the old length.
             for (const int scale : {2, 3}) {
                 const QByteArray fits = Encoded(Solid(QSize(71, 96) * scale, Qt::blue), "BMP");
                 WriteFile(Beside(p, scale),
                           fits +
                               QByteArray(QFileInfo(Beside(p, scale)).size() - fits.size(), '\0'));
             }
         }},
        {"a whole deck at the largest sizes that are used", 3, allThree(Qt::green),
         Solid(largest * 3, Qt::green), allThree(Qt::blue)},
    };
    for (const Fault &fault : faults) {
        SCOPED_TRACE(fault.what);
        QTemporaryDir root;
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("Pict")));
        const QString base = root.filePath(QStringLiteral("Pict/9c.bmp"));
        if (fault.scale == 2) {
            WriteFile(base, bmp);
        }
        fault.make(fault.scale == 2 ? Beside(base, 2) : base);
        // No larger picture is decoded on the caller's thread, however slow
        // it is to decode: the card comes at once, in its own picture.
        if (fault.scale > 1) {
            const PictureSet first = LoadPicture(root.path(), "9c");
            EXPECT_EQ(Pixels(first.ForRatio(fault.scale)), Pixels(first.Base()));
        }
        const QImage loaded = Pixels(Loaded(root.path(), "9c").ForRatio(fault.scale));
        pipe.reset();
        // A refused larger picture leaves the card's own picture.
        const QImage expected = !fault.shown.isNull() ? Pixels(QPixmap::fromImage(fault.shown))
                                : fault.scale == 1    ? Pixels(PlaceholderPicture("9c"))
                                                      : real;
        EXPECT_TRUE(loaded == expected);
        if (!fault.rewrite) {
            continue;
        }
        std::vector<std::string> deck = {std::string(CardBack)};
        for (int k = 1; k <= 36; ++k) {
            deck.push_back(CardAt(DeckLiteral, k));
        }
        const QDateTime time = QDateTime::currentDateTime().addSecs(-60);
        for (const int scale : {1, 2, 3}) {
            const QString file = scale == 1 ? base : Beside(base, scale);
            SetModified(file, time);
            for (const std::string &card : deck) {
                const QString path = root.filePath(QString::fromStdString(PicturePath(card)));
                if (path != base) {
                    ASSERT_TRUE(QFile::link(file, scale == 1 ? path : Beside(path, scale)));
                }
            }
        }
        for (const std::string &card : deck) {
            LoadPicture(root.path(), card);
        }
        WaitForPictures();
        fault.rewrite(base);
        for (const int scale : {1, 2, 3}) {
            SetModified(scale == 1 ? base : Beside(base, scale), time);
        }
        for (const std::string &card : deck) {
            EXPECT_TRUE(Pixels(LoadPicture(root.path(), card).ForRatio(fault.scale)) == expected)
                << card;
        }
    }
}

TEST(CardPictures, AChangedFileIsReadAgainAndAnUnchangedOneIsNot) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("Pict")));
    const QString path = root.filePath(QStringLiteral("Pict/9c.bmp"));
    const QDateTime start = QDateTime::currentDateTime().addSecs(-60);
    // The file's size and time of change tell whether it is the one read before.
    struct Step {
        QColor written;
        QSize size;
        int secondsLater;
        QColor shown;
    };
    for (const Step &step :
         {Step{Qt::red, QSize(71, 96), 0, Qt::red}, Step{Qt::blue, QSize(71, 96), 0, Qt::red},
          Step{Qt::blue, QSize(71, 96), 5, Qt::blue},
          Step{Qt::green, QSize(70, 96), 5, Qt::green}}) {
        SCOPED_TRACE(step.written.name().toStdString() + " at " +
                     std::to_string(step.secondsLater));
        WriteFile(path, Encoded(Solid(step.size, step.written), "BMP"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(
            file.setFileTime(start.addSecs(step.secondsLater), QFileDevice::FileModificationTime));
        file.close();
        EXPECT_EQ(Loaded(root.path(), "9c").Base().toImage().pixelColor(0, 0), step.shown);
    }
    // Changed again while it is being decoded, the file shows what it holds
    // at last, whichever it was when it was read.
    WriteFile(path, Encoded(Solid(QSize(71, 96), Qt::yellow), "BMP"));
    LoadPicture(root.path(), "9c");
    WriteFile(path, Encoded(Solid(QSize(72, 96), Qt::magenta), "BMP"));
    EXPECT_EQ(Loaded(root.path(), "9c").Base().toImage().pixelColor(0, 0), QColor(Qt::magenta));
}

TEST(CardPictures, ATableDrawsACardAgainOnceItsLargerPictureIsDecoded) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("Pict")));
    for (const char *file : {"9c.bmp", "9c@2x.png", "8c.bmp", "8c@2x.png"}) {
        WriteFile(root.filePath(QStringLiteral("Pict/") + file),
                  SourcePicture(QString::fromLatin1(file)));
    }
    // The table reads its pictures under the working directory.
    const QString working = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(root.path()));
    const PictureSet source = Loaded(kSourceRoot, "9c");
    {
        Window w;
        w.view().SetPicture(Control::Pict1, 1, "9c");
        auto *box = w.As<CardBox>(Control::Pict1, 1);
        // The card's own picture at once, the sharper one once it is decoded.
        EXPECT_TRUE(box->PicturePending());
        EXPECT_EQ(Pixels(box->Picture()), Pixels(source.Base()));
        EXPECT_EQ(Pixels(box->PictureFor(2)), Pixels(source.Base()));
        WaitForPictures();
        EXPECT_FALSE(box->PicturePending());
        EXPECT_EQ(Pixels(box->PictureFor(2)), Pixels(source.ForRatio(2)));
        // A window closed while its cards are being decoded is not told.
        w.view().SetPicture(Control::Pict1, 2, "8c");
        EXPECT_TRUE(w.As<CardBox>(Control::Pict1, 2)->PicturePending());
    }
    WaitForPictures();
    ASSERT_TRUE(QDir::setCurrent(working));
}

TEST(CardPictures, TheFirstFolderHoldingPictWins) {
    QTemporaryDir without;
    QTemporaryDir with;
    ASSERT_TRUE(without.isValid() && with.isValid());
    ASSERT_TRUE(QDir(with.path()).mkdir(QStringLiteral("Pict")));
    EXPECT_EQ(ChoosePictureRoot({without.path(), with.path()}), with.path());
    EXPECT_EQ(ChoosePictureRoot({with.path(), without.path()}), with.path());
    EXPECT_EQ(ChoosePictureRoot({without.path()}), without.path());
    EXPECT_EQ(ChoosePictureRoot({}), QString());
}

} // namespace
} // namespace vurp::ui

int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (argc == 4 && std::string_view(argv[1]) == "--play-until-killed") {
        return vurp::ui::PlayUntilKilled(QString::fromLocal8Bit(argv[2]),
                                         static_cast<unsigned>(std::stoul(argv[3])));
    }
    // As with a screen reader running: every widget is seen as it is made.
    QAccessible::setActive(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
