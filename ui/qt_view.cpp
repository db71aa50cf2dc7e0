#include "qt_view.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <utility>

#include "accessibility.h"
#include "card_pictures.h"
#include "controls.h"
#include "widgets.h"

namespace vurp::ui {

namespace {

// The property in which a multi-line box keeps the game's text as it was
// given, so that the game reads back exactly what it wrote.
const char *const kGameText = "vurpGameText";
// Set while a multi-line box shows an older text than the game gave it.
const char *const kTextPending = "vurpTextPending";

// What a multi-line box shows of the game's text: plain line feeds for CR
// LF, and no final line break, which would show as an empty last line and
// call up a scroll bar for nothing.
QString Displayed(QString s) {
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (s.endsWith(QLatin1Char('\n'))) {
        s.chop(1);
    }
    return s;
}

void ShowGameText(QPlainTextEdit *panel) {
    if (panel->property(kTextPending).toBool()) {
        panel->setProperty(kTextPending, false);
        panel->setPlainText(Displayed(panel->property(kGameText).toString()));
    }
}

// A hidden panel takes in its text when it is shown, not before: laying out
// the long rules text at start-up would hold back the table's first paint
// for a panel the player may never open.
class ShowTextWhenShown final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Show) {
            if (auto *panel = qobject_cast<QPlainTextEdit *>(watched)) {
                ShowGameText(panel);
            }
        }
        return false;
    }
};

void SetRole(QWidget *widget, QPalette::ColorRole role, Colour colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, ToQColor(colour));
    widget->setPalette(palette);
}

} // namespace

QColor ToQColor(Colour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

QtView::QtView() : widgets_(static_cast<std::size_t>(kControlCount)) {}

void QtView::Add(Control control, QWidget *widget) {
    widgets_[static_cast<std::size_t>(control)].push_back(Element{widget, {}, {}});
    if (auto *panel = qobject_cast<QPlainTextEdit *>(widget)) {
        panel->installEventFilter(new ShowTextWhenShown(panel));
    }
    if (auto *box = qobject_cast<CardBox *>(widget)) {
        // A card shown before its picture was decoded is shown again once it is.
        WhenPicturesDecoded(box, [box] {
            if (box->PicturePending()) {
                const QString name = box->PictureName();
                box->ShowPicture(name, LoadPicture(PictureRoot(), name.toStdString()));
            }
        });
    }
}

const QtView::Element *QtView::Find(Control control, int index) const {
    if (!ValidControl(control, index)) {
        return nullptr;
    }
    const auto &elements = widgets_[static_cast<std::size_t>(control)];
    const std::size_t element = static_cast<std::size_t>(index == 0 ? 0 : index - 1);
    return element < elements.size() ? &elements[element] : nullptr;
}

QtView::Element *QtView::Find(Control control, int index) {
    return const_cast<Element *>(std::as_const(*this).Find(control, index));
}

QWidget *QtView::Widget(Control control, int index) const {
    const Element *element = Find(control, index);
    return element != nullptr ? element->widget : nullptr;
}

void QtView::Tell(const GameEvent &event) {
    if (listener_) {
        listener_(event);
    }
}

std::string QtView::Text(Control control, int index) const {
    QWidget *w = Widget(control, index);
    if (qobject_cast<CardBox *>(w) != nullptr) {
        return "";
    }
    if (auto *button = qobject_cast<QPushButton *>(w)) {
        return button->text().toStdString();
    }
    if (auto *label = qobject_cast<QLabel *>(w)) {
        return label->text().toStdString();
    }
    if (auto *line = qobject_cast<QLineEdit *>(w)) {
        return line->text().toStdString();
    }
    if (auto *panel = qobject_cast<QPlainTextEdit *>(w)) {
        return panel->property(kGameText).toString().toStdString();
    }
    return "";
}

void QtView::SetText(Control control, int index, const std::string &text) {
    QWidget *w = Widget(control, index);
    if (qobject_cast<CardBox *>(w) != nullptr) {
        return;
    }
    if (auto *button = qobject_cast<QPushButton *>(w)) {
        button->setText(QString::fromStdString(text));
    } else if (auto *label = qobject_cast<QLabel *>(w)) {
        label->setText(QString::fromStdString(text));
    } else if (auto *line = qobject_cast<QLineEdit *>(w)) {
        line->setText(QString::fromStdString(text));
        // A speech line longer than its box should show its beginning.
        line->setCursorPosition(0);
    } else if (auto *panel = qobject_cast<QPlainTextEdit *>(w)) {
        panel->setProperty(kGameText, QString::fromStdString(text));
        panel->setProperty(kTextPending, true);
        if (panel->isVisible()) {
            ShowGameText(panel);
        }
    }
}

bool QtView::Visible(Control control, int index) const {
    const QWidget *w = Widget(control, index);
    return w != nullptr && !w->isHidden();
}

void QtView::SetVisible(Control control, int index, bool visible) {
    if (QWidget *w = Widget(control, index)) {
        w->setVisible(visible);
    }
}

bool QtView::Enabled(Control control, int index) const {
    const QWidget *w = Widget(control, index);
    // Its own state: a table shut behind an open panel leaves it as the game set it.
    return w != nullptr && !w->testAttribute(Qt::WA_ForceDisabled);
}

void QtView::SetEnabled(Control control, int index, bool enabled) {
    if (QWidget *w = Widget(control, index)) {
        w->setEnabled(enabled);
    }
}

void QtView::SetPicture(Control control, int index, const std::string &name) {
    if (auto *box = qobject_cast<CardBox *>(Widget(control, index))) {
        box->ShowPicture(QString::fromStdString(name), LoadPicture(PictureRoot(), name));
        box->SetCardName(CardName(name));
    }
}

void QtView::Restore(Control control, int index, const ControlState &state) {
    QWidget *w = Widget(control, index);
    if (w == nullptr) {
        return;
    }
    if (Text(control, index) != state.text) {
        SetText(control, index, state.text);
    }
    if (auto *box = qobject_cast<CardBox *>(w); box != nullptr && state.picture.empty()) {
        box->ShowPicture(QString(), PictureSet());
        box->SetCardName(QString());
    } else if (box != nullptr && box->PictureName().toStdString() != state.picture) {
        SetPicture(control, index, state.picture);
    }
    Element &element = *Find(control, index);
    if (element.back != state.back || element.fore != state.fore) {
        w->setPalette(QPalette());
        element.back.reset();
        element.fore.reset();
        if (qobject_cast<QLabel *>(w) != nullptr && qobject_cast<CardBox *>(w) == nullptr) {
            w->setAutoFillBackground(false);
        }
        if (state.back) {
            SetBackColor(control, index, *state.back);
        }
        if (state.fore) {
            SetForeColor(control, index, *state.fore);
        }
    }
    w->setEnabled(state.enabled);
    w->setVisible(state.visible);
}

ControlState QtView::Shown(Control control, int index) const {
    ControlState state;
    const Element *element = Find(control, index);
    if (element == nullptr) {
        return state;
    }
    state.text = Text(control, index);
    if (auto *box = qobject_cast<CardBox *>(element->widget)) {
        state.picture = box->PictureName().toStdString();
    }
    state.visible = !element->widget->isHidden();
    state.enabled = !element->widget->testAttribute(Qt::WA_ForceDisabled);
    state.back = element->back;
    state.fore = element->fore;
    return state;
}

void QtView::SetBackColor(Control control, int index, Colour colour) {
    QWidget *w = Widget(control, index);
    if (w == nullptr) {
        return;
    }
    Find(control, index)->back = colour;
    if (qobject_cast<QPushButton *>(w) != nullptr) {
        SetRole(w, QPalette::Button, colour);
    } else if (qobject_cast<QLabel *>(w) != nullptr) {
        SetRole(w, QPalette::Window, colour);
        w->setAutoFillBackground(true);
    } else {
        SetRole(w, QPalette::Base, colour);
    }
}

void QtView::SetForeColor(Control control, int index, Colour colour) {
    QWidget *w = Widget(control, index);
    if (w == nullptr) {
        return;
    }
    Find(control, index)->fore = colour;
    if (qobject_cast<QPushButton *>(w) != nullptr) {
        SetRole(w, QPalette::ButtonText, colour);
    } else if (qobject_cast<QLabel *>(w) != nullptr) {
        SetRole(w, QPalette::WindowText, colour);
    } else {
        SetRole(w, QPalette::Text, colour);
    }
}

} // namespace vurp::ui
