#include "card_art.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <array>
#include <vector>

#include "cards.h"

namespace vurp::art {

namespace {

// The pictures are opaque; the corners outside the rounded card take the
// colour of the table so that they disappear on it.
const QColor kTable(0x00, 0x80, 0x80);
const QColor kRed(200, 16, 32);
const QColor kBlack(24, 24, 24);
const QColor kEdge(70, 70, 70);
const QRectF kCardRect(0.5, 0.5, kCardWidth - 1, kCardHeight - 1);
constexpr qreal kCornerRadius = 5;
constexpr qreal kCentreX = kCardWidth / 2.0;
constexpr qreal kCentreY = kCardHeight / 2.0;

QPainterPath Stem() {
    QPainterPath stem;
    stem.moveTo(0, 0.2);
    stem.quadTo(0.1, 0.85, 0.45, 1.0);
    stem.lineTo(-0.45, 1.0);
    stem.quadTo(-0.1, 0.85, 0, 0.2);
    return stem;
}

QPainterPath Circle(qreal x, qreal y, qreal r) {
    QPainterPath circle;
    circle.addEllipse(QPointF(x, y), r, r);
    return circle;
}

// Each suit in the square from (-1, -1) to (1, 1), y pointing down.
QPainterPath SuitShape(QChar suit) {
    QPainterPath path;
    switch (suit.toLatin1()) {
    case Hearts:
        path.moveTo(0, -0.55);
        path.cubicTo(0.15, -1.0, 1.0, -1.0, 1.0, -0.35);
        path.cubicTo(1.0, 0.15, 0.45, 0.5, 0, 0.95);
        path.cubicTo(-0.45, 0.5, -1.0, 0.15, -1.0, -0.35);
        path.cubicTo(-1.0, -1.0, -0.15, -1.0, 0, -0.55);
        break;
    case Diamonds:
        path.moveTo(0, -1.0);
        path.quadTo(0.35, -0.4, 0.78, 0);
        path.quadTo(0.35, 0.4, 0, 1.0);
        path.quadTo(-0.35, 0.4, -0.78, 0);
        path.quadTo(-0.35, -0.4, 0, -1.0);
        break;
    case Spades:
        path.moveTo(0, -1.0);
        path.cubicTo(0.3, -0.6, 1.0, -0.3, 1.0, 0.2);
        path.cubicTo(1.0, 0.65, 0.35, 0.75, 0, 0.4);
        path.cubicTo(-0.35, 0.75, -1.0, 0.65, -1.0, 0.2);
        path.cubicTo(-1.0, -0.3, -0.3, -0.6, 0, -1.0);
        path = path.united(Stem());
        break;
    case Clubs:
        path = Circle(0, -0.52, 0.44)
                   .united(Circle(-0.52, 0.12, 0.44))
                   .united(Circle(0.52, 0.12, 0.44))
                   .united(Circle(0, 0, 0.25))
                   .united(Stem());
        break;
    default:
        break;
    }
    return path;
}

QColor SuitColour(QChar suit) {
    return IsRedSuit(suit.toLatin1()) ? kRed : kBlack;
}

// A suit symbol `size` pixels high centred on `centre`; pips in the lower half
// of a card stand upside down, as on a printed card.
void DrawPip(QPainter &p, QChar suit, QPointF centre, qreal size, bool upsideDown = false) {
    p.save();
    p.translate(centre);
    if (upsideDown) {
        p.rotate(180);
    }
    p.scale(size / 2, size / 2);
    p.fillPath(SuitShape(suit), SuitColour(suit));
    p.restore();
}

QString IndexText(QChar rank) {
    static const std::array<const char *, 9> texts = {"6", "7", "8", "9", "10", "В", "Д", "К", "Т"};
    return QString::fromUtf8(texts[static_cast<std::size_t>(rank.unicode() - '1')]);
}

QFont PixelFont(const QString &family, int pixels, QFont::Weight weight) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setWeight(weight);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// Rank and suit in the top left corner, and the same turned round in the
// bottom right one, so the card reads from either end.
void DrawIndex(QPainter &p, QChar rank, QChar suit) {
    for (int corner = 0; corner < 2; ++corner) {
        p.save();
        if (corner == 1) {
            p.translate(kCardWidth, kCardHeight);
            p.rotate(180);
        }
        p.setPen(SuitColour(suit));
        QFont font = PixelFont(QStringLiteral("DejaVu Sans Condensed"), 12, QFont::Bold);
        // "10" is the one two-digit index; pulled together it stays clear of the pips.
        if (rank == '5') {
            font.setLetterSpacing(QFont::AbsoluteSpacing, -1.5);
        }
        p.setFont(font);
        p.drawText(QRectF(1, 3, 15, 14), Qt::AlignHCenter | Qt::AlignVCenter, IndexText(rank));
        DrawPip(p, suit, QPointF(8.5, 23), 9);
        p.restore();
    }
}

// Pip centres of the number cards as (column, row): columns 0 left, 1 middle,
// 2 right; rows from 0 (top) to 1 (bottom).
struct Pip {
    int column;
    qreal row;
};

std::vector<Pip> PipLayout(QChar rank) {
    const std::vector<Pip> six = {{0, 0}, {2, 0}, {0, 0.5}, {2, 0.5}, {0, 1}, {2, 1}};
    const std::vector<Pip> fourRows = {{0, 0},       {2, 0},       {0, 1.0 / 3}, {2, 1.0 / 3},
                                       {0, 2.0 / 3}, {2, 2.0 / 3}, {0, 1},       {2, 1}};
    std::vector<Pip> pips;
    switch (rank.unicode()) {
    case '1':
        pips = six;
        break;
    case '2':
        pips = six;
        pips.push_back({1, 0.25});
        break;
    case '3':
        pips = six;
        pips.push_back({1, 0.25});
        pips.push_back({1, 0.75});
        break;
    case '4':
        pips = fourRows;
        pips.push_back({1, 0.5});
        break;
    case '5':
        pips = fourRows;
        pips.push_back({1, 1.0 / 6});
        pips.push_back({1, 5.0 / 6});
        break;
    default:
        break;
    }
    return pips;
}

void DrawNumberPips(QPainter &p, QChar rank, QChar suit) {
    const std::array<qreal, 3> columns = {24, kCentreX, 47};
    const qreal top = 17;
    const qreal bottom = 79;
    for (const Pip &pip : PipLayout(rank)) {
        const qreal y = top + (bottom - top) * pip.row;
        DrawPip(p, suit, QPointF(columns[static_cast<std::size_t>(pip.column)], y), 13,
                pip.row > 0.5);
    }
}

// Jack, queen and king: a framed panel with the rank letter between two pips.
void DrawCourt(QPainter &p, QChar rank, QChar suit) {
    QColor panel;
    switch (rank.unicode()) {
    case '6':
        panel = QColor(214, 229, 250);
        break;
    case '7':
        panel = QColor(250, 224, 230);
        break;
    default:
        panel = QColor(250, 236, 196);
        break;
    }
    const QRectF frame(16.5, 10.5, 38, 75);
    p.setPen(QPen(SuitColour(suit), 1));
    p.setBrush(panel);
    p.drawRoundedRect(frame, 3, 3);
    QColor inner = SuitColour(suit);
    inner.setAlpha(110);
    p.setPen(QPen(inner, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(frame.adjusted(2, 2, -2, -2), 2, 2);

    DrawPip(p, suit, QPointF(kCentreX, 22), 11);
    DrawPip(p, suit, QPointF(kCentreX, 74), 11, true);
    p.setPen(SuitColour(suit));
    p.setFont(PixelFont(QStringLiteral("DejaVu Serif"), 30, QFont::Bold));
    p.drawText(QRectF(16, 28, 39, 40), Qt::AlignCenter, IndexText(rank));
}

// Every painter on the image works in card pixels and draws `scale` device
// pixels to each, so lines and letters come out sharp at any size.
QImage BlankCard(int scale) {
    QImage image(kCardWidth * scale, kCardHeight * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(kTable);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kEdge, 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(kCardRect, kCornerRadius, kCornerRadius);
    return image;
}

} // namespace

QImage DrawFace(const QString &code, int scale) {
    if (!IsCardCode(code.toStdString()) || scale < 1) {
        return {};
    }
    const QChar rank = code[0];
    const QChar suit = code[1];
    QImage image = BlankCard(scale);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    DrawIndex(p, rank, suit);
    if (rank <= '5') {
        DrawNumberPips(p, rank, suit);
    } else if (rank <= '8') {
        DrawCourt(p, rank, suit);
    } else {
        DrawPip(p, suit, QPointF(kCentreX, kCentreY), 36);
    }
    return image;
}

QImage DrawBack(int scale) {
    if (scale < 1) {
        return {};
    }
    QImage image = BlankCard(scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF field(4, 4, kCardWidth - 8, kCardHeight - 8);
    const QColor ground(28, 58, 148);
    const QColor lattice(92, 130, 210);
    const QColor gold(226, 194, 92);
    QPainterPath fieldPath;
    fieldPath.addRoundedRect(field, 3, 3);
    p.fillPath(fieldPath, ground);

    p.save();
    p.setClipPath(fieldPath);
    p.setPen(QPen(lattice, 1));
    for (int d = -kCardHeight; d < kCardWidth + kCardHeight; d += 7) {
        p.drawLine(QPointF(d, 0), QPointF(d + kCardHeight, kCardHeight));
        p.drawLine(QPointF(d, 0), QPointF(d - kCardHeight, kCardHeight));
    }
    p.restore();

    p.setPen(QPen(gold, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(field.adjusted(2.5, 2.5, -2.5, -2.5), 2, 2);

    const auto diamond = [](qreal halfWidth, qreal halfHeight) {
        QPolygonF d;
        d << QPointF(kCentreX, kCentreY - halfHeight) << QPointF(kCentreX + halfWidth, kCentreY)
          << QPointF(kCentreX, kCentreY + halfHeight) << QPointF(kCentreX - halfWidth, kCentreY);
        return d;
    };
    p.setBrush(ground);
    p.drawPolygon(diamond(17, 26));
    p.setBrush(gold);
    p.setPen(Qt::NoPen);
    p.drawPolygon(diamond(7, 11));
    p.setBrush(ground);
    p.drawPolygon(diamond(3, 5));
    return image;
}

} // namespace vurp::art
