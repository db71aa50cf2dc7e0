#include "main_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "card_pictures.h"
#include "layout.h"
#include "widgets.h"

namespace vurp::ui {

namespace {

// The table is laid out for a small system font; 8 points keeps every
// caption inside its button.
constexpr int kControlPointSize = 8;

QFont TitleFont(const QFont &base) {
    QFont font = base;
    font.setFamilies({QStringLiteral("Arial Black"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Sans Serif")});
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

    game_.Form_Load();
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
            return panel;
        } else {
            auto *line = new QLineEdit(this);
            line->setReadOnly(design.locked);
            if (design.maxLength > 0) {
                line->setMaxLength(design.maxLength);
            }
            return line;
        }
    case ControlKind::Picture:
        return new CardBox(this);
    }
    return new QWidget(this);
}

void MainWindow::Connect(QWidget *widget, const ControlDesign &design, int index) {
    const Control id = design.id;
    if (auto *button = qobject_cast<QPushButton *>(widget)) {
        connect(button, &QPushButton::clicked, this, [this, id, index] { game_.Click(id, index); });
    } else if (auto *box = qobject_cast<CardBox *>(widget)) {
        connect(box, &CardBox::clicked, this, [this, id, index] { game_.Click(id, index); });
    } else if (auto *line = qobject_cast<QLineEdit *>(widget); line != nullptr && !design.locked) {
        connect(line, &QLineEdit::textChanged, this,
                [this, id, index] { game_.TextChanged(id, index); });
    }
}

} // namespace vurp::ui
