#include "accessibility.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QLineEdit>
#include <QVariant>
#include <cstddef>
#include <string>
#include <vector>

#include "controls.h"
#include "event_sentences.h"
#include "screen_reader.h"
#include "why_not.h"
#include "widgets.h"

namespace vurp::ui {

namespace {

QString Readable(const QString &shown) {
    return QString::fromStdString(vurp::Readable(shown.toStdString()));
}

// A card box of the human's hand is a button while it can be clicked; every
// other box is a picture.
class CardBoxAccessible final : public QAccessibleWidget {
public:
    explicit CardBoxAccessible(CardBox *box)
        : QAccessibleWidget(box, box->IsChoosable() ? QAccessible::Button : QAccessible::Graphic) {}

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (Box()->IsChoosable() && Box()->isEnabled()) {
            names.prepend(pressAction());
        }
        return names;
    }

    void doAction(const QString &name) override {
        if (name == pressAction()) {
            Box()->Press();
        } else {
            QAccessibleWidget::doAction(name);
        }
    }

private:
    CardBox *Box() const { return static_cast<CardBox *>(widget()); }
};

// A read-only box (a seat's words, money, tricks, the bank) reads its text
// as a screen reader should hear it, whole and through the text interface
// alike; only the box the player types in keeps Qt's own.
class ReadOnlyLineAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReadOnlyLineAccessible(QLineEdit *line)
        : QAccessibleWidget(line, QAccessible::EditableText) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? Shown() : Readable(QAccessibleWidget::text(t));
    }
    void *interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface *>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }

    void selection(int, int *startOffset, int *endOffset) const override {
        *startOffset = 0;
        *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override {
        const QString shown = Shown();
        if (startOffset < 0 || endOffset < startOffset || startOffset > shown.size()) {
            return {};
        }
        return shown.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(Shown().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *startOffset, int *endOffset) const override {
        *startOffset = offset;
        *endOffset = offset;
        return {};
    }

private:
    QString Shown() const { return Readable(static_cast<QLineEdit *>(widget())->text()); }
};

// A caption on the table reads as its words.
class LabelAccessible final : public QAccessibleWidget {
public:
    explicit LabelAccessible(QLabel *label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        const QString own = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && own.isEmpty()) {
            return Readable(static_cast<QLabel *>(widget())->text());
        }
        return Readable(own);
    }
};

QAccessibleInterface *Factory(const QString &className, QObject *object) {
    if (className == QLatin1String(CardBox::staticMetaObject.className())) {
        if (auto *box = qobject_cast<CardBox *>(object)) {
            return new CardBoxAccessible(box);
        }
    }
    if (className == QLatin1String(QLineEdit::staticMetaObject.className())) {
        if (auto *line = qobject_cast<QLineEdit *>(object); line != nullptr && line->isReadOnly()) {
            return new ReadOnlyLineAccessible(line);
        }
    }
    // Plain text only: a message box's rich text is Qt's to read.
    if (className == QLatin1String(QLabel::staticMetaObject.className())) {
        if (auto *label = qobject_cast<QLabel *>(object);
            label != nullptr && label->textFormat() == Qt::PlainText) {
            return new LabelAccessible(label);
        }
    }
    return nullptr;
}

// Shows `reason` in the tooltip and the description, or, with no reason,
// gives the control back the ones it had before.
void SetWhyNot(QWidget *widget, const QString &reason) {
    // The control's own tooltip and description while a reason stands in.
    static const char *const kUsual = "vurpUsualHints";
    // A card box keeps its tooltip in step with its state itself.
    auto *box = qobject_cast<CardBox *>(widget);
    if (box != nullptr) {
        box->SetWhyNot(reason);
    }
    const QVariant usual = widget->property(kUsual);
    if (reason.isEmpty()) {
        if (usual.isValid()) {
            const QStringList hints = usual.toStringList();
            if (box == nullptr) {
                widget->setToolTip(hints.value(0));
            }
            widget->setAccessibleDescription(hints.value(1));
            widget->setProperty(kUsual, QVariant());
        }
        return;
    }
    if (!usual.isValid()) {
        widget->setProperty(kUsual,
                            QStringList{widget->toolTip(), widget->accessibleDescription()});
    }
    if (box == nullptr && widget->toolTip() != reason) {
        widget->setToolTip(reason);
    }
    if (widget->accessibleDescription() != reason) {
        widget->setAccessibleDescription(reason);
    }
}

} // namespace

QString CardName(std::string_view picture) {
    return QString::fromStdString(CardWords(picture));
}

QString CardBoxDescription(Control control, int index) {
    return QString::fromStdString(ControlDescription(control, index));
}

void ExplainWhyNot(const Table &table, const QtView &view) {
    std::vector<std::string> reasons;
    WhyNotEach(table, view, reasons);
    const auto &elements = AllElements();
    for (std::size_t k = 0; k < elements.size(); ++k) {
        const auto &[id, i] = elements[k];
        SetWhyNot(view.Widget(id, i), QString::fromStdString(reasons[k]));
    }
}

void InstallAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

} // namespace vurp::ui
