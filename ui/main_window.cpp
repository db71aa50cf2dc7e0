#include "main_window.h"

#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShortcut>

#include <algorithm>
#include <utility>

#include "accessibility.h"
#include "card_pictures.h"
#include "focus.h"
#include "layout.h"
#include "widgets.h"

namespace vurp::ui {

namespace {

// The table is laid out for a small system font; 8 points keeps every
// caption inside its button.
constexpr int kControlPointSize = 8;

QFont TitleFont(const QFont &base) {
    QFont font = base;
    // Only a family the system has: asking for a missing one sends Qt through
    // every fallback it knows, a tenth of the start-up.
    for (const QString &family : {QStringLiteral("Arial Black"), QStringLiteral("DejaVu Sans")}) {
        if (!QFontDatabase::styles(family).isEmpty()) {
            font.setFamily(family);
            break;
        }
    }
    font.setPointSize(72);
    font.setBold(true);
    return font;
}

Qt::Alignment LabelAlignment(Control control) {
    return control == Control::Label2 ? Qt::AlignRight | Qt::AlignTop
                                      : Qt::AlignHCenter | Qt::AlignTop;
}

} // namespace

MainWindow::MainWindow(Random &random, QWidget *parent) : QWidget(parent), game_(view_, random) {
    // Before any widget exists: a screen reader may ask about each at once.
    InstallAccessibility();
    setWindowTitle(QStringLiteral("Вурп"));
    setWindowIcon(WindowIcon());
    setFixedSize(kClientWidth, kClientHeight);
    QFont base = font();
    base.setPointSize(kControlPointSize);
    setFont(base);
    QPalette table = palette();
    table.setColor(QPalette::Window, ToQColor(kWindowColour));
    setPalette(table);
    setAutoFillBackground(true);

    for (const ControlDesign &design : ControlDesigns()) {
        const int elements = design.count == 0 ? 1 : design.count;
        for (int e = 0; e < elements; ++e) {
            const int index = design.count == 0 ? 0 : e + 1;
            QWidget *widget = MakeWidget(design);
            widget->setGeometry(ToPixels(Placement(design.id, index)));
            view_.Add(design.id, widget);
            const auto element = static_cast<std::size_t>(e);
            view_.SetText(design.id, index,
                          element < design.texts.size() ? design.texts[element] : std::string());
            if (design.back) {
                view_.SetBackColor(design.id, index, *design.back);
            }
            if (design.fore) {
                view_.SetForeColor(design.id, index, *design.fore);
            }
            widget->setEnabled(design.enabled);
            widget->setVisible(design.visible);
            Connect(widget, design, index);
        }
    }
    // The panels open over the table. Talk2 and Hod share their places but are
    // never shown together, so their order does not matter.
    control(Control::TextPravila)->raise();
    control(Control::TextGame)->raise();

    SetUpKeyboard();
    game_.Form_Load();
    FocusLikelyNext(std::nullopt);
    // Decoded while the player looks at the table, the cards are ready when
    // he deals.
    PreloadPictures(PictureRoot());
}

void MainWindow::SetUpKeyboard() {
    for (const auto &[id, i] : AllElements()) {
        QWidget *widget = control(id, i);
        if (const QString name = ControlName(id, i); !name.isEmpty()) {
            widget->setAccessibleName(name);
        }
        if (DesignOf(id).kind == ControlKind::Picture) {
            widget->setAccessibleDescription(CardBoxDescription(id, i));
        }
    }
    const std::vector<ControlRef> order = TabOrder();
    for (std::size_t k = 1; k < order.size(); ++k) {
        setTabOrder(control(order[k - 1].control, order[k - 1].index),
                    control(order[k].control, order[k].index));
    }
    // F1 opens the rules, as their button does.
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] { game_.Click(Control::Pravila); });
    // Escape closes whichever panel is open, through its own button.
    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, [this] {
        for (const auto &[panel, button] : {std::pair{Control::TextPravila, Control::Pravila},
                                            std::pair{Control::TextGame, Control::Game}}) {
            if (view_.Visible(panel, 0)) {
                game_.Click(button);
            }
        }
    });
}

void MainWindow::Press(Control id, int index) {
    game_.Click(id, index);
    // The panel buttons leave the game where it was, and the focus too.
    if (id != Control::Pravila && id != Control::Game) {
        // The pressed control, not the focus: a card box that was hidden and
        // shown again on the way has lost the focus to its neighbour.
        FocusLikelyNext(ControlRef{id, index});
    }
}

void MainWindow::FocusLikelyNext(std::optional<ControlRef> pressed) {
    if (const auto next = LikelyNext(view_, pressed)) {
        control(next->control, next->index)->setFocus(Qt::OtherFocusReason);
    }
}

void MainWindow::StepAmongCards(int fromBox, int step) {
    std::vector<int> hand = HandBoxesLeftToRight();
    if (step < 0) {
        std::reverse(hand.begin(), hand.end());
    }
    auto at = std::find(hand.begin(), hand.end(), fromBox);
    if (at == hand.end()) {
        return;
    }
    for (++at; at != hand.end(); ++at) {
        QWidget *box = control(Control::Pict1, *at);
        if (box->isVisible() && box->isEnabled()) {
            box->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

QWidget *MainWindow::MakeWidget(const ControlDesign &design) {
    switch (design.kind) {
    case ControlKind::Button:
        return new CaptionButton(QString(), this);
    case ControlKind::Label: {
        auto *label = new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(LabelAlignment(design.id));
        if (design.id == Control::Label4) {
            label->setFont(TitleFont(font()));
        }
        return label;
    }
    case ControlKind::TextBox:
        if (design.multiline) {
            auto *panel = new QPlainTextEdit(this);
            panel->setReadOnly(design.locked);
            // Read-only boxes are no tab stops; a click still selects in them.
            panel->setFocusPolicy(design.locked ? Qt::ClickFocus : Qt::StrongFocus);
            return panel;
        } else {
            if (design.locked) {
                auto *line = new QLineEdit(this);
                line->setReadOnly(true);
                line->setFocusPolicy(Qt::ClickFocus);
                return line;
            }
            auto *line = new EditLine(this);
            if (design.maxLength > 0) {
                line->SetCharacterLimit(design.maxLength);
            }
            return line;
        }
    case ControlKind::Picture: {
        auto *box = new CardBox(this);
        box->SetChoosable(design.id == Control::Pict1);
        return box;
    }
    }
    return new QWidget(this);
}

void MainWindow::Connect(QWidget *widget, const ControlDesign &design, int index) {
    const Control id = design.id;
    if (auto *button = qobject_cast<QPushButton *>(widget)) {
        connect(button, &QPushButton::clicked, this, [this, id, index] { Press(id, index); });
    } else if (auto *box = qobject_cast<CardBox *>(widget)) {
        connect(box, &CardBox::clicked, this, [this, id, index] { Press(id, index); });
        if (id == Control::Pict1) {
            connect(box, &CardBox::stepRequested, this,
                    [this, index](int step) { StepAmongCards(index, step); });
        }
    } else if (auto *line = qobject_cast<QLineEdit *>(widget); line != nullptr && !design.locked) {
        connect(line, &QLineEdit::textChanged, this,
                [this, id, index] { game_.TextChanged(id, index); });
    }
}

} // namespace vurp::ui
