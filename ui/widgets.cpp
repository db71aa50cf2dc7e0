#include "widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QValidator>

#include <algorithm>
#include <cmath>

#include "scaled_table.h"

namespace vurp::ui {

namespace {

bool IsPressKey(const QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    default:
        return false;
    }
}

} // namespace

void DrawFocusFrame(QPainter &p, const QRect &area, qreal scale) {
    // Two lines of whole pixels, each two wide on the table of the layout.
    const int line = std::max(1, static_cast<int>(std::lround(2 * scale)));
    const qreal outer = line / 2.0;
    const qreal inner = outer + line;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 128), line, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(QRectF(area).adjusted(outer, outer, -outer, -outer));
    p.setPen(QPen(QColor(0, 0, 0), line, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(QRectF(area).adjusted(inner, inner, -inner, -inner));
    p.restore();
}

void DrawHintFrame(QPainter &p, const QRect &area, qreal scale) {
    const int line = std::max(2, static_cast<int>(std::lround(3 * scale)));
    // Inside the two lines of the focus frame.
    const qreal inset = 2 * std::max(1, static_cast<int>(std::lround(2 * scale))) + line / 2.0;
    const QRectF frame = QRectF(area).adjusted(inset, inset, -inset, -inset);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0), line, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(frame);
    p.setPen(QPen(QColor(255, 255, 255), line, Qt::DashLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawRect(frame);
    p.restore();
}

CardBox::CardBox(QWidget *parent) : QLabel(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void CardBox::SetChoosable(bool choosable) {
    choosable_ = choosable;
    setFocusPolicy(choosable ? Qt::StrongFocus : Qt::NoFocus);
    UpdateHints();
}

void CardBox::SetCardName(const QString &name) {
    setAccessibleName(name);
    UpdateHints();
}

void CardBox::SetWhyNot(const QString &reason) {
    if (reason != whyNot_) {
        whyNot_ = reason;
        UpdateHints();
    }
}

void CardBox::UpdateHints() {
    if (choosable_ && isEnabled()) {
        setCursor(Qt::PointingHandCursor);
        setToolTip(accessibleName().isEmpty() ? QString()
                                              : accessibleName() + QStringLiteral(": выбрать"));
    } else {
        unsetCursor();
        setToolTip(whyNot_);
    }
}

void CardBox::Press() {
    if (isEnabled() && isVisible()) {
        emit clicked();
    }
}

void CardBox::keyPressEvent(QKeyEvent *event) {
    if (IsPressKey(event)) {
        if (!event->isAutoRepeat()) {
            Press();
        }
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        emit stepRequested(-1);
        return;
    case Qt::Key_Right:
    case Qt::Key_Down:
        emit stepRequested(1);
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void CardBox::changeEvent(QEvent *event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        UpdateHints();
    }
}

void CardBox::ShowPicture(const QString &name, const PictureSet &picture) {
    name_ = name;
    picture_ = picture;
    update();
}

QPixmap CardBox::PictureFor(qreal ratio) const {
    return picture_.ForRatio(ratio * TableScale(this));
}

// Drawn by hand: QLabel would grey the picture of a disabled box, and the
// human's cards are disabled whenever it is not his turn to pick one.
void CardBox::DrawPicture(QPainter &p) const {
    if (picture_.IsNull()) {
        return;
    }
    const QSize size = picture_.Base().size();
    // As large as the table's scale makes it, centred on whole pixels.
    const QSizeF extent = QSizeF(size) * TableScale(this);
    const QRectF card(QPointF(std::floor((width() - extent.width()) / 2),
                              std::floor((height() - extent.height()) / 2)),
                      extent);
    // The device pixels the card covers right now: the table's scale times
    // the screen's ratio, which changes when the window moves to another
    // screen, or an image's when the box is rendered into one.
    const QSizeF covered = p.deviceTransform().mapRect(card).size();
    const QPixmap pixmap = picture_.ForRatio(covered.width() / size.width());
    const QSizeF drawn = pixmap.size();
    const bool exact = qAbs(drawn.width() - covered.width()) < 0.01 &&
                       qAbs(drawn.height() - covered.height()) < 0.01;
    // A picture of another size is resampled, never blown up pixel by pixel.
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, !exact);
    p.drawPixmap(card, pixmap, QRectF(pixmap.rect()));
    if (dimmed_) {
        // Grey enough to tell at a glance, light enough to still read.
        p.fillRect(card, QColor(0, 0, 0, 110));
    }
    p.restore();
}

void CardBox::SetDimmed(bool dimmed) {
    if (dimmed != dimmed_) {
        dimmed_ = dimmed;
        update();
    }
}

void CardBox::SetMarked(bool marked) {
    if (marked != marked_) {
        marked_ = marked;
        update();
    }
}

void CardBox::SetHinted(bool hinted) {
    if (hinted != hinted_) {
        hinted_ = hinted;
        update();
    }
}

void CardBox::paintEvent(QPaintEvent *) {
    QPainter p(this);
    DrawPicture(p);
    if (hinted_) {
        DrawHintFrame(p, rect(), TableScale(this));
    }
    if (marked_) {
        // Gold, thick enough to see across the table.
        const int width = std::max(3, this->width() / 20);
        p.setPen(QPen(QColor(0xFF, 0xC8, 0x00), width));
        p.drawRect(rect().adjusted(width / 2, width / 2, -(width + 1) / 2, -(width + 1) / 2));
    }
    if (hasFocus()) {
        DrawFocusFrame(p, rect(), TableScale(this));
    }
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
    if (click) {
        Press();
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
    const qreal scale = TableScale(this);
    const int across = static_cast<int>(std::lround(2 * scale));
    const int down = static_cast<int>(std::lround(scale));
    const QRect area = rect().adjusted(across, down, -across, -down);
    style()->drawItemText(&p, area, Qt::AlignCenter | Qt::TextWordWrap, palette(), isEnabled(),
                          caption, QPalette::ButtonText);
    if (hinted_) {
        DrawHintFrame(p, rect(), scale);
    }
    if (hasFocus()) {
        DrawFocusFrame(p, rect(), TableScale(this));
    }
}

void CaptionButton::SetHinted(bool hinted) {
    if (hinted != hinted_) {
        hinted_ = hinted;
        update();
    }
}

void CaptionButton::keyPressEvent(QKeyEvent *event) {
    if (IsPressKey(event) && event->key() != Qt::Key_Space) {
        if (!event->isAutoRepeat()) {
            click();
        }
        return;
    }
    QPushButton::keyPressEvent(event);
}

namespace {

// QLineEdit's own limit counts UTF-16 units and would split an emoji.
class CodePointLimit final : public QValidator {
public:
    CodePointLimit(int limit, QObject *parent) : QValidator(parent), limit_(limit) {}

    State validate(QString &input, int &pos) const override {
        // A stake has no use for control characters, and a line break would
        // not fit on the journal's line.
        if (std::any_of(input.cbegin(), input.cend(),
                        [](QChar c) { return c.category() == QChar::Other_Control; })) {
            return Invalid;
        }
        qsizetype excess = CodePoints(input) - limit_;
        // The new characters end at the cursor: drop the excess from them,
        // as a full box drops what is typed into it.
        qsizetype cut = pos;
        while (excess > 0 && cut > 0) {
            cut -= cut >= 2 && input[cut - 1].isLowSurrogate() && input[cut - 2].isHighSurrogate()
                       ? 2
                       : 1;
            --excess;
        }
        if (excess > 0) {
            return Invalid;
        }
        input.remove(cut, pos - cut);
        pos = static_cast<int>(cut);
        return Acceptable;
    }

private:
    static qsizetype CodePoints(const QString &text) {
        qsizetype count = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const bool pair =
                text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
            i += pair ? 1 : 0;
            ++count;
        }
        return count;
    }

    int limit_;
};

} // namespace

EditLine::EditLine(QWidget *parent) : QLineEdit(parent) {}

void EditLine::SetCharacterLimit(int limit) {
    setValidator(new CodePointLimit(limit, this));
}

void EditLine::paintEvent(QPaintEvent *event) {
    QLineEdit::paintEvent(event);
    if (hasFocus()) {
        QPainter p(this);
        DrawFocusFrame(p, rect(), TableScale(this));
    }
}

} // namespace vurp::ui
