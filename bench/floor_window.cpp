#include "floor_window.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

namespace vurp::bench {

namespace {

// The table's colours and fonts: a teal window, 8-point controls and a
// 72-point bold title, so that the floor draws what the table draws.
const QColor kTeal(0x00, 0x80, 0x80);
constexpr int kPointSize = 8;
constexpr int kTitlePointSize = 72;
constexpr int kCardBoxWidth = 73;
constexpr int kCardBoxHeight = 97;

// How many of each kind the table hides before its first deal.
constexpr int kHiddenLines = 12;
constexpr int kHiddenLabels = 3;
constexpr int kHiddenButtons = 2;

// The first `count` pictures of Pict/ in name order, each box its own file.
QStringList PictureFiles(int count) {
    QStringList files =
        QDir(QStringLiteral("Pict")).entryList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Name);
    while (files.size() > count) {
        files.removeLast();
    }
    return files;
}

void AddPictureBoxes(QWidget *window, bool dealt) {
    const QStringList files = dealt ? PictureFiles(kFloorPictureBoxes) : QStringList();
    for (int i = 0; i < kFloorPictureBoxes; ++i) {
        auto *box = new QLabel(window);
        // Two rows of cards across the top of the table.
        const int row = i / 10;
        const int column = i % 10;
        box->setGeometry(8 + 78 * column, 8 + 104 * row, kCardBoxWidth, kCardBoxHeight);
        box->setAlignment(Qt::AlignCenter);
        if (i < files.size()) {
            box->setPixmap(QPixmap(QStringLiteral("Pict/") + files[i]));
        }
        if (!dealt) {
            box->hide();
        }
    }
}

void AddLabels(QWidget *window, bool dealt) {
    auto *title = new QLabel(QStringLiteral("ВУРП"), window);
    QFont big = title->font();
    big.setPointSize(kTitlePointSize);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    title->setGeometry(8, 216, 449, 129);
    for (int i = 1; i < kFloorLabels; ++i) {
        auto *label = new QLabel(QStringLiteral("Подпись %1").arg(i), window);
        label->setGeometry(470, 216 + 24 * (i - 1), 120, 16);
        if (!dealt && i <= kHiddenLabels) {
            label->hide();
        }
    }
}

void AddTextBoxes(QWidget *window, bool dealt) {
    for (int i = 0; i < kFloorLines; ++i) {
        auto *line = new QLineEdit(QStringLiteral("0"), window);
        // The stake is the one box the player types in.
        line->setReadOnly(i != 0);
        line->setGeometry(8 + 112 * (i % 7), 352 + 24 * (i / 7), 104, 21);
        if (!dealt && i >= kFloorLines - kHiddenLines) {
            line->hide();
        }
    }
    for (int i = 0; i < kFloorPanels; ++i) {
        auto *panel = new QPlainTextEdit(window);
        panel->setReadOnly(true);
        panel->setGeometry(600, 216 + 66 * i, 184, 60);
        if (!dealt) {
            panel->hide();
        }
    }
}

void AddButtons(QWidget *window, bool dealt) {
    for (int i = 0; i < kFloorButtons; ++i) {
        auto *button = new QPushButton(QStringLiteral("Кнопка %1").arg(i + 1), window);
        button->setGeometry(8 + 71 * (i % 11), 404 + 48 * (i / 11), 66, 41);
        if (!dealt && i < kHiddenButtons) {
            button->hide();
        }
    }
}

} // namespace

QWidget *BuildFloorWindow(FloorState state) {
    const bool dealt = state == FloorState::Dealt;
    auto *window = new QWidget;
    window->setWindowTitle(QStringLiteral("Floor"));
    // The table's menu bar, its two menus and their six entries, above a
    // table of fixed size.
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto *menuBar = new QMenuBar(window);
    QMenu *game = menuBar->addMenu(QStringLiteral("&Игра"));
    game->addAction(QStringLiteral("&Новая игра"))->setShortcut(QKeySequence::New);
    game->addAction(QStringLiteral("&Открыть игру…"))->setShortcut(QKeySequence::Open);
    game->addAction(QStringLiteral("&Сохранить игру как…"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    game->addSeparator();
    game->addAction(QStringLiteral("В&ыход"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    QMenu *help = menuBar->addMenu(QStringLiteral("&Справка"));
    help->addAction(QStringLiteral("&Правила игры"))->setShortcut(QKeySequence(Qt::Key_F1));
    help->addAction(QStringLiteral("&О программе"));
    layout->setMenuBar(menuBar);
    auto *table = new QWidget(window);
    table->setFixedSize(kFloorWidth, kFloorHeight);
    layout->addWidget(table);
    QFont base = table->font();
    base.setPointSize(kPointSize);
    table->setFont(base);
    QPalette colours = table->palette();
    colours.setColor(QPalette::Window, kTeal);
    table->setPalette(colours);
    table->setAutoFillBackground(true);

    AddPictureBoxes(table, dealt);
    AddLabels(table, dealt);
    AddTextBoxes(table, dealt);
    AddButtons(table, dealt);
    return window;
}

} // namespace vurp::bench
