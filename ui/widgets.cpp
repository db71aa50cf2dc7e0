#include "widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace vurp::ui {

CardBox::CardBox(QWidget *parent) : QLabel(parent) {}

void CardBox::ShowPicture(const QString &name, const QPixmap &picture) {
    name_ = name;
    picture_ = picture;
    update();
}

void CardBox::paintEvent(QPaintEvent *) {
    // Drawn by hand: QLabel would grey the picture of a disabled box, and the
    // human's cards are disabled whenever it is not his turn to pick one.
    if (picture_.isNull()) {
        return;
    }
    QPainter p(this);
    p.drawPixmap((width() - picture_.width()) / 2, (height() - picture_.height()) / 2, picture_);
}

void CardBox::mousePressEvent(QMouseEvent *event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void CardBox::mouseReleaseEvent(QMouseEvent *event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click && isEnabled() && isVisible()) {
        emit clicked();
    }
}

CaptionButton::CaptionButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent) {}

void CaptionButton::paintEvent(QPaintEvent *) {
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    p.drawControl(QStyle::CE_PushButton, option);
    const QRect area = rect().adjusted(2, 1, -2, -1);
    style()->drawItemText(&p, area, Qt::AlignCenter | Qt::TextWordWrap, palette(), isEnabled(),
                          caption, QPalette::ButtonText);
}

} // namespace vurp::ui
