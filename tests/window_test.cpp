// The real window on Qt's offscreen platform: built from the control table,
// laid out, coloured, and dealing through real mouse clicks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include "card_pictures.h"
#include "cards.h"
#include "controls.h"
#include "main_window.h"
#include "test_support.h"
#include "widgets.h"

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

TEST(Window, OpensAsAFixedTableWithItsTitleAndIcon) {
    Window w;
    w.Show();
    EXPECT_EQ(w.window.windowTitle(), QStringLiteral("Вурп"));
    EXPECT_FALSE(w.window.windowIcon().isNull());
    EXPECT_EQ(w.window.size(), QSize(792, 566));
    EXPECT_EQ(w.window.minimumSize(), w.window.maximumSize());
    // A spot of bare table, clear of every control.
    EXPECT_EQ(w.window.grab().toImage().pixelColor(300, 300), kTeal);
}

TEST(Window, EveryControlStartsInItsDesignState) {
    Window w;
    // The About panel's 5295 twips reach one pixel past the right edge.
    const QRect client(0, 0, 793, 566);
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
    EXPECT_EQ(w.W(Control::TextGame)->geometry(), QRect(440, 16, 353, 67));
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
    EXPECT_EQ(stake->maxLength(), 7);
    stake->selectAll();
    QTest::keyClicks(stake, QStringLiteral("123456789"));
    EXPECT_EQ(stake->text(), QStringLiteral("1234567"));
    EXPECT_EQ(w.window.game().Stake, Currency::FromInt(1234567));
    stake->selectAll();
    QTest::keyClicks(stake, QStringLiteral("8"));
    EXPECT_EQ(w.window.game().Stake, Currency::FromInt(8));
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

QImage Pixels(const QPixmap &p) {
    return p.toImage().convertToFormat(QImage::Format_RGB32);
}

const QString kSourceRoot = QStringLiteral(VURP_SOURCE_DIR);

TEST(CardPictures, EveryPictureOfTheRepositoryLoadsAtCardSize) {
    std::vector<std::string> names = {std::string(CardBack)};
    for (int k = 1; k <= 36; ++k) {
        names.push_back(CardAt(DeckLiteral, k));
    }
    for (const std::string &name : names) {
        SCOPED_TRACE(name);
        const QPixmap picture = LoadPicture(kSourceRoot, name);
        EXPECT_EQ(picture.size(), QSize(71, 96));
        EXPECT_NE(Pixels(picture), Pixels(PlaceholderPicture(name)));
    }
    EXPECT_NE(Pixels(LoadPicture(kSourceRoot, "9c")), Pixels(LoadPicture(kSourceRoot, "9p")));
}

TEST(CardPictures, WhatCannotBeLoadedIsDrawnInstead) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("Pict")));
    QFile broken(root.filePath(QStringLiteral("Pict/9c.bmp")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a bitmap");
    broken.close();

    EXPECT_EQ(Pixels(LoadPicture(root.path(), "9c")), Pixels(PlaceholderPicture("9c")));
    EXPECT_EQ(Pixels(LoadPicture(root.path(), "8c")), Pixels(PlaceholderPicture("8c")));
    EXPECT_EQ(Pixels(LoadPicture(root.path(), CardBack)), Pixels(PlaceholderPicture(CardBack)));
    // Only card codes and the back name files: a path is not followed even
    // where it leads to a real picture.
    EXPECT_EQ(Pixels(LoadPicture(kSourceRoot, "../Pict/9c")), Pixels(PlaceholderPicture("")));
    EXPECT_EQ(Pixels(LoadPicture(kSourceRoot, "  ")), Pixels(PlaceholderPicture("")));

    EXPECT_EQ(PlaceholderPicture("9c").size(), QSize(71, 96));
    EXPECT_NE(Pixels(PlaceholderPicture("9c")), Pixels(PlaceholderPicture("9p")));
    EXPECT_NE(Pixels(PlaceholderPicture("9c")), Pixels(PlaceholderPicture("8c")));
    EXPECT_NE(Pixels(PlaceholderPicture("9c")), Pixels(PlaceholderPicture(CardBack)));
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
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
