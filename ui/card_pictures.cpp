#include "card_pictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPainter>

#include <algorithm>
#include <utility>

#include "cards.h"

namespace vurp::ui {

namespace {

const QColor kBackColour(28, 58, 148);
const QColor kRed(200, 16, 32);
const QColor kBlack(24, 24, 24);

bool IsCardCode(std::string_view name) {
    return name.size() == 2 && name[0] >= '1' && name[0] <= '9' &&
           std::string_view("pkbc").find(name[1]) != std::string_view::npos;
}

QString SuitSymbol(char suit) {
    switch (suit) {
    case 'p':
        return QStringLiteral("\u2660");
    case 'k':
        return QStringLiteral("\u2663");
    case 'b':
        return QStringLiteral("\u2666");
    default:
        return QStringLiteral("\u2665");
    }
}

QColor SuitColour(char suit) {
    return suit == 'b' || suit == 'c' ? kRed : kBlack;
}

QFont PixelFont(int pixels, bool bold) {
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// The file beside `path` that holds its picture at `scale` times the size,
// named as Qt names such files: Pict/9c.bmp at twice the size is
// Pict/9c@2x.png. Null when the file is missing or unreadable.
QPixmap LoadScaled(const QString &path, int scale) {
    const QFileInfo file(path);
    QPixmap picture;
    if (!picture.load(
            file.dir().filePath(file.completeBaseName() + QStringLiteral("@%1x.png").arg(scale)))) {
        return {};
    }
    return picture;
}

PictureSet PlaceholderSet(std::string_view name) {
    return PictureSet(PlaceholderPicture(name, 1), PlaceholderPicture(name, 2),
                      PlaceholderPicture(name, 3));
}

} // namespace

PictureSet::PictureSet(QPixmap base, QPixmap twice, QPixmap thrice)
    : scales_{std::move(base), std::move(twice), std::move(thrice)} {
    for (std::size_t i = 1; i < scales_.size(); ++i) {
        const int scale = static_cast<int>(i) + 1;
        QPixmap &larger = scales_[i];
        if (IsNull() || larger.size() != scales_[0].size() * scale) {
            larger = QPixmap();
        } else {
            larger.setDevicePixelRatio(scale);
        }
    }
}

QPixmap PictureSet::ForRatio(qreal ratio) const {
    const std::size_t wanted = ratio <= 1 ? 0 : ratio <= 2 ? 1 : 2;
    for (std::size_t i = wanted; i < scales_.size(); ++i) {
        if (!scales_[i].isNull()) {
            return scales_[i];
        }
    }
    for (std::size_t i = wanted; i > 0; --i) {
        if (!scales_[i - 1].isNull()) {
            return scales_[i - 1];
        }
    }
    return scales_[0];
}

QString ChoosePictureRoot(const QStringList &candidates) {
    for (const QString &root : candidates) {
        if (QFileInfo(QDir(root).filePath(QStringLiteral("Pict"))).isDir()) {
            return root;
        }
    }
    return candidates.isEmpty() ? QString() : candidates.front();
}

QString PictureRoot() {
    const QDir program(QCoreApplication::applicationDirPath());
    // The installed data folder is found relative to the installed program
    // first, so a package may put both under another prefix than the build's.
    return ChoosePictureRoot({QDir::currentPath(), program.path(),
                              QDir::cleanPath(program.filePath(QStringLiteral(VURP_DATA_FROM_BIN))),
                              QStringLiteral(VURP_DATA_DIR)});
}

PictureSet LoadPicture(const QString &root, std::string_view name) {
    // Only card codes and the back become file names: nothing else can point
    // the loader at another file.
    if (!IsCardCode(name) && name != CardBack) {
        return PlaceholderSet(name);
    }
    const QString path = QDir(root).filePath(QString::fromStdString(PicturePath(name)));
    QPixmap picture;
    // Without the picture of the rules the larger ones are not used either:
    // the card looks the same on every screen.
    if (!picture.load(path)) {
        return PlaceholderSet(name);
    }
    return PictureSet(picture, LoadScaled(path, 2), LoadScaled(path, 3));
}

QPixmap PlaceholderPicture(std::string_view name, int scale) {
    scale = std::clamp(scale, 1, 3);
    // Drawn in card pixels, `scale` device pixels to each.
    QPixmap picture(kPictureWidth * scale, kPictureHeight * scale);
    picture.setDevicePixelRatio(scale);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const QRectF card(0, 0, kPictureWidth, kPictureHeight);
    // One card pixel wide along the edge, on whole device pixels at any scale.
    const QRectF edge = card.adjusted(0.5, 0.5, -0.5, -0.5);
    if (name == CardBack) {
        p.fillRect(card, kBackColour);
        p.setPen(Qt::white);
        p.drawRect(edge.adjusted(2, 2, -2, -2));
        return picture;
    }
    p.setPen(Qt::darkGray);
    p.drawRect(edge);
    if (!IsCardCode(name)) {
        return picture;
    }
    const QColor colour = SuitColour(name[1]);
    p.setPen(colour);
    p.setFont(PixelFont(14, true));
    p.drawText(QRectF(4, 2, 30, 18), Qt::AlignLeft | Qt::AlignTop,
               QString::fromStdString(RankDisplayText(name[0] - '0')));
    p.setFont(PixelFont(40, false));
    p.drawText(card, Qt::AlignCenter, SuitSymbol(name[1]));
    return picture;
}

QIcon WindowIcon() {
    QPixmap icon(64, 64);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    p.translate(32, 32);
    p.rotate(-12);
    const QRectF card(-20, -28, 40, 56);
    p.setPen(QPen(kBlack, 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(card, 5, 5);
    p.setPen(kRed);
    p.setFont(PixelFont(34, false));
    p.drawText(card, Qt::AlignCenter, SuitSymbol('c'));
    return QIcon(icon);
}

} // namespace vurp::ui
