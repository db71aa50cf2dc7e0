#include "card_pictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPainter>

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

} // namespace

QString ChoosePictureRoot(const QStringList &candidates) {
    for (const QString &root : candidates) {
        if (QFileInfo(QDir(root).filePath(QStringLiteral("Pict"))).isDir()) {
            return root;
        }
    }
    return candidates.isEmpty() ? QString() : candidates.front();
}

QString PictureRoot() {
    return ChoosePictureRoot({QDir::currentPath(), QCoreApplication::applicationDirPath(),
                              QStringLiteral(VURP_DATA_DIR)});
}

QPixmap LoadPicture(const QString &root, std::string_view name) {
    // Only card codes and the back become file names: nothing else can point
    // the loader at another file.
    if (!IsCardCode(name) && name != CardBack) {
        return PlaceholderPicture(name);
    }
    QPixmap picture;
    if (!picture.load(QDir(root).filePath(QString::fromStdString(PicturePath(name))))) {
        return PlaceholderPicture(name);
    }
    return picture;
}

QPixmap PlaceholderPicture(std::string_view name) {
    QPixmap picture(kPictureWidth, kPictureHeight);
    picture.fill(Qt::white);
    QPainter p(&picture);
    const QRect edge(0, 0, kPictureWidth - 1, kPictureHeight - 1);
    if (name == CardBack) {
        p.fillRect(picture.rect(), kBackColour);
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
    p.drawText(QRect(4, 2, 30, 18), Qt::AlignLeft | Qt::AlignTop,
               QString::fromStdString(RankDisplayText(name[0] - '0')));
    p.setFont(PixelFont(40, false));
    p.drawText(picture.rect(), Qt::AlignCenter, SuitSymbol(name[1]));
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
