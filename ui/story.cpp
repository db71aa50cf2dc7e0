#include "story.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

#include "event_sentences.h"

namespace vurp::ui {

namespace {

// The status line reads as a notification: Orca speaks one when it shows,
// whatever has the focus.
class StatusAccessible final : public QAccessibleWidget {
public:
    explicit StatusAccessible(QWidget *line) : QAccessibleWidget(line, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return static_cast<StatusLine *>(widget())->text();
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *StatusFactory(const QString &className, QObject *object) {
    if (className == QLatin1String(StatusLine::staticMetaObject.className())) {
        if (auto *line = qobject_cast<QWidget *>(object)) {
            return new StatusAccessible(line);
        }
    }
    return nullptr;
}

} // namespace

StatusLine::StatusLine(QWidget *parent) : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(StatusFactory);
        return true;
    }();
    static_cast<void>(installed);
    setFocusPolicy(Qt::NoFocus);
    setContentsMargins(6, 2, 6, 2);
    setAccessibleDescription(QStringLiteral("Ход игры"));
}

QSize StatusLine::sizeHint() const {
    const QMargins m = contentsMargins();
    return QSize(m.left() + m.right() + fontMetrics().averageCharWidth() * 20,
                 m.top() + m.bottom() + fontMetrics().height());
}

void StatusLine::setText(const QString &sentence) {
    if (sentence == text_) {
        return;
    }
    text_ = sentence;
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent named(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&named);
    }
}

void StatusLine::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const QRect area = contentsRect();
    // A sentence longer than the window is cut with an ellipsis.
    p.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
               fontMetrics().elidedText(text_, Qt::ElideRight, area.width()));
}

void StatusLine::Say(const QString &sentence) {
    setText(sentence);
    if (!QAccessible::isActive()) {
        return;
    }
    // Shown anew: what Orca speaks a notification on, whatever has the focus.
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

GameLog::GameLog(QWidget *parent) : QListWidget(parent) {
    setAccessibleName(QStringLiteral("Ход игры"));
    setWordWrap(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void GameLog::Add(const GameEvent &event) {
    const bool newDeal = !story_.Events().empty() && StartsDeal(story_.Events().back(), event);
    story_.Add(event);
    if (!isVisible()) {
        stale_ = true;
    } else if (newDeal) {
        Fill();
    } else {
        addItem(QString::fromStdString(Sentence(event)));
        scrollToBottom();
    }
    emit Told();
}

void GameLog::showEvent(QShowEvent *event) {
    if (stale_) {
        Fill();
    }
    QListWidget::showEvent(event);
}

void GameLog::Reset(const std::vector<GameEvent> &events) {
    story_.Clear();
    for (const GameEvent &event : events) {
        story_.Add(event);
    }
    if (isVisible()) {
        Fill();
    } else {
        stale_ = true;
    }
    emit Told();
}

void GameLog::Fill() {
    stale_ = false;
    clear();
    for (const GameEvent &event : story_.Events()) {
        addItem(QString::fromStdString(Sentence(event)));
    }
    scrollToBottom();
}

} // namespace vurp::ui
