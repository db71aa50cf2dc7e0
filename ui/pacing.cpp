#include "pacing.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

#include <utility>

namespace vurp::ui {

namespace {

bool IsInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::TouchBegin:
        return true;
    default:
        return false;
    }
}

} // namespace

Pacer::Pacer(QWidget *window, Show show, std::function<void()> done)
    : QObject(window), window_(window), show_(std::move(show)), done_(std::move(done)) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &Pacer::ShowNext);
    qApp->installEventFilter(this);
}

Pacer::~Pacer() {
    qApp->removeEventFilter(this);
}

void Pacer::Start(std::vector<ShownStep> steps) {
    Finish();
    steps_ = std::move(steps);
    next_ = 0;
    ShowNext();
}

void Pacer::ShowNext() {
    if (!Busy()) {
        return;
    }
    show_(steps_[next_]);
    ++next_;
    if (Busy() && pause_ > 0) {
        timer_.start(pause_);
        return;
    }
    if (Busy()) {
        Finish();
        return;
    }
    steps_.clear();
    next_ = 0;
    done_();
}

void Pacer::Finish() {
    timer_.stop();
    if (!Busy()) {
        return;
    }
    ShownStep rest = std::move(steps_.back());
    std::vector<GameEvent> skipped;
    for (std::size_t k = next_; k + 1 < steps_.size(); ++k) {
        skipped.insert(skipped.end(), steps_[k].events.begin(), steps_[k].events.end());
    }
    rest.events.insert(rest.events.begin(), skipped.begin(), skipped.end());
    steps_.clear();
    next_ = 0;
    show_(rest);
    done_();
}

bool Pacer::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::ShortcutOverride && !Busy()) {
        // A new key: whatever the last one aimed at is over.
        keyPending_ = false;
    }
    if (keyPending_ && type == QEvent::KeyPress && watched->isWidgetType()) {
        keyPending_ = false;
        // The showing moved the focus on; the key was meant for where it was.
        return watched != keyAimedAt_;
    }
    if (!Busy() || !IsInput(type)) {
        return false;
    }
    auto *widget = qobject_cast<QWidget *>(watched);
    if (widget == nullptr || widget->window() != window_) {
        return false;
    }
    if (type == QEvent::ShortcutOverride || type == QEvent::KeyPress) {
        if (static_cast<QKeyEvent *>(event)->isAutoRepeat()) {
            return true;
        }
        keyAimedAt_ = watched;
        keyPending_ = type == QEvent::ShortcutOverride;
    }
    Finish();
    // A control the last step hid or shut is no longer what the player saw.
    return !widget->isVisible() || !widget->isEnabled();
}

} // namespace vurp::ui
