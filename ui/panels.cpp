#include "panels.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>

#include "focus.h"
#include "scaled_table.h"
#include "widgets.h"

namespace vurp::ui {

namespace {

// Lies over the table while a panel is open: takes every press and turn of
// the wheel meant for the controls beneath, and shades them so that they look
// as out of reach as they are.
class Shade final : public QWidget {
public:
    explicit Shade(QWidget *parent) : QWidget(parent) {
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(0, 0, 0, 80));
    }
    void mousePressEvent(QMouseEvent *event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent *event) override { event->accept(); }
    void mouseDoubleClickEvent(QMouseEvent *event) override { event->accept(); }
    void wheelEvent(QWheelEvent *event) override { event->accept(); }
};

// The table's focus frame, drawn over the edge of a panel that has the
// keyboard: the panel itself draws too faint a one.
class FocusRing final : public QWidget {
public:
    explicit FocusRing(QWidget *parent) : QWidget(parent) {
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        DrawFocusFrame(p, rect(), TableScale(this));
    }
};

bool IsTab(const QKeyEvent *key) {
    return (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

} // namespace

Panels::Panels(QtView &view, QObject *parent)
    : QObject(parent), view_(view), table_(view.Widget(Control::TextPravila, 0)->parentWidget()),
      shade_(new Shade(table_)), ring_(new FocusRing(table_)) {
    table_->installEventFilter(this);
    for (const TablePanel &p : PanelStack()) {
        Widget(p.text)->installEventFilter(this);
        Widget(p.button)->installEventFilter(this);
        // A click on a panel's button leaves the keyboard where it was, so
        // that the panel gives it back there; Tab still reaches the button.
        Widget(p.button)->setFocusPolicy(Qt::TabFocus);
    }
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        KeepFocusInside(now);
        ShowFocusRing();
    });
}

bool Panels::AnyOpen() const {
    return AnyPanelOpen(view_);
}

bool Panels::Blocks(Control control) const {
    return BlockedByPanels(view_, control);
}

std::vector<QWidget *> Panels::Ring() const {
    std::vector<QWidget *> ring;
    for (const Control c : PanelRing(view_)) {
        ring.push_back(Widget(c));
    }
    return ring;
}

bool Panels::eventFilter(QObject *watched, QEvent *event) {
    const auto isPanel = [this, watched](const TablePanel &p) { return watched == Widget(p.text); };
    const bool panel = std::any_of(PanelStack().begin(), PanelStack().end(), isPanel);
    switch (event->type()) {
    case QEvent::ShowToParent:
        if (panel) {
            Opened(static_cast<QWidget *>(watched));
        }
        break;
    case QEvent::HideToParent:
        if (panel) {
            Closed();
        }
        break;
    case QEvent::Move:
    case QEvent::Resize:
        if (AnyOpen()) {
            UpdateShade();
            ShowFocusRing();
        }
        break;
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        const std::vector<QWidget *> ring = Ring();
        const auto at = std::find(ring.begin(), ring.end(), watched);
        if (!IsTab(key) || at == ring.end()) {
            break;
        }
        const bool back =
            key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier) != 0;
        const auto size = static_cast<std::ptrdiff_t>(ring.size());
        const std::ptrdiff_t next = ((at - ring.begin()) + (back ? size - 1 : 1)) % size;
        ring[static_cast<std::size_t>(next)]->setFocus(back ? Qt::BacktabFocusReason
                                                            : Qt::TabFocusReason);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void Panels::Opened(QWidget *panel) {
    // The first panel to open remembers where the keyboard was; a second one
    // lies over the same table.
    if (Ring().size() == 2) {
        returnTo_ = table_->window()->focusWidget();
    }
    UpdateShade();
    shade_->show();
    StackOnTop();
    // A screen reader reads the panel's name as it takes the focus.
    panel->setFocus(Qt::OtherFocusReason);
    ShowFocusRing();
}

void Panels::Closed() {
    if (AnyOpen()) {
        UpdateShade();
        KeepFocusInside(table_->window()->focusWidget());
        ShowFocusRing();
        return;
    }
    shade_->hide();
    ring_->hide();
    QWidget *back = returnTo_;
    returnTo_ = nullptr;
    if (back == nullptr || back->isHidden() || !back->isEnabled() || !table_->isAncestorOf(back)) {
        const auto next = LikelyNext(view_, std::nullopt);
        back = next ? view_.Widget(next->control, next->index) : nullptr;
    }
    if (back != nullptr) {
        back->setFocus(Qt::OtherFocusReason);
    }
}

void Panels::KeepFocusInside(QWidget *now) {
    if (now == nullptr || !AnyOpen() || !table_->isAncestorOf(now)) {
        return;
    }
    const std::vector<QWidget *> ring = Ring();
    if (std::find(ring.begin(), ring.end(), now) == ring.end()) {
        // Whatever took the keyboard, the log of the deal say, goes under
        // the shade with the rest of the table.
        StackOnTop();
        ring.front()->setFocus(Qt::OtherFocusReason);
    }
}

void Panels::StackOnTop() {
    shade_->raise();
    for (const TablePanel &p : PanelStack()) {
        if (Open(p)) {
            Widget(p.text)->raise();
        }
    }
    ring_->raise();
}

void Panels::ShowFocusRing() {
    QWidget *focused = table_->window()->focusWidget();
    const bool onPanel =
        focused != nullptr && focused->hasFocus() &&
        std::any_of(PanelStack().begin(), PanelStack().end(), [this, focused](const TablePanel &p) {
            return Open(p) && Widget(p.text) == focused;
        });
    if (!onPanel) {
        ring_->hide();
        return;
    }
    ring_->setGeometry(focused->geometry());
    ring_->show();
    ring_->raise();
}

void Panels::UpdateShade() {
    shade_->setGeometry(table_->rect());
    QRegion uncovered(shade_->rect());
    for (const TablePanel &p : PanelStack()) {
        if (Open(p)) {
            uncovered -= Widget(p.text)->geometry();
        }
        uncovered -= Widget(p.button)->geometry();
    }
    shade_->setMask(uncovered);
}

} // namespace vurp::ui
