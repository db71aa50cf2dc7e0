#include "card_pictures.h"

#include <QBuffer>
#include <QCache>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "cards.h"

// The icons are built into this static library; outside any namespace, as
// Qt's macro wants, the program asks for them so the linker keeps them.
static void InitIcons() {
    Q_INIT_RESOURCE(icons);
}

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

// Room for every file of a deck at all three sizes (about 14 MB), counted in
// kilobytes; a picture larger than the whole room is not kept.
constexpr int kDecodedKilobytes = 32 * 1024;

struct Decoded {
    qint64 size = 0;
    QDateTime modified;
    QImage image; // null for a file that is not a picture
};

// The pictures already read, by path: the game loads a card's picture every
// time it shows the card, and a file is decoded again only when its size or
// time of change differs from what was read. QImage rather than QPixmap, so
// that nothing here outlives the application's pixmap support.
QCache<QString, Decoded> &DecodedFiles() {
    static QCache<QString, Decoded> files(kDecodedKilobytes);
    return files;
}

template <typename Number> Number LittleEndianAt(const QByteArray &bytes, qsizetype at) {
    return qFromLittleEndian<Number>(bytes.constData() + at);
}

// Whether a BMP holds every pixel row its header promises. Qt decodes a file
// cut short without an error and leaves the missing rows black.
bool BmpComplete(const QByteArray &bytes) {
    constexpr qsizetype kFileHeader = 14;
    constexpr qsizetype kCoreHeader = 12;
    constexpr qsizetype kInfoHeader = 40;
    if (bytes.size() < kFileHeader + 4) {
        return false;
    }
    const qint64 pixelsAt = LittleEndianAt<quint32>(bytes, 10);
    const quint32 header = LittleEndianAt<quint32>(bytes, kFileHeader);
    if (header != kCoreHeader && header < kInfoHeader) {
        return false;
    }
    if (bytes.size() < kFileHeader + static_cast<qsizetype>(header)) {
        return false;
    }
    qint64 width = 0;
    qint64 height = 0;
    qint64 bits = 0;
    quint32 compression = 0;
    if (header == kCoreHeader) {
        width = LittleEndianAt<quint16>(bytes, 18);
        height = LittleEndianAt<quint16>(bytes, 20);
        bits = LittleEndianAt<quint16>(bytes, 24);
    } else {
        // A negative height stores the rows top down.
        width = std::abs(static_cast<qint64>(LittleEndianAt<qint32>(bytes, 18)));
        height = std::abs(static_cast<qint64>(LittleEndianAt<qint32>(bytes, 22)));
        bits = LittleEndianAt<quint16>(bytes, 28);
        compression = LittleEndianAt<quint32>(bytes, 30);
    }
    if (width > kMaxPictureSide || height > kMaxPictureSide) {
        return false;
    }
    constexpr quint32 kRgb = 0;
    constexpr quint32 kBitFields = 3;
    constexpr quint32 kAlphaBitFields = 6;
    const bool plainRows =
        compression == kRgb || compression == kBitFields || compression == kAlphaBitFields;
    // Run-length coded rows have no fixed length: the header's image size
    // stands for them.
    const qint64 pixelBytes = plainRows ? (width * bits + 31) / 32 * 4 * height
                                        : static_cast<qint64>(LittleEndianAt<quint32>(bytes, 34));
    return bytes.size() >= pixelsAt + pixelBytes;
}

// The picture in `file`, or null when it is not a sane card picture: too
// large a file, a picture wider or taller than any card could be (told by its
// header, before anything is decoded), or a BMP cut short.
QImage ReadPicture(QFile &file) {
    // No more than the limit, even from a file that grew since it was looked at.
    QByteArray bytes = file.read(kMaxPictureFileBytes + 1);
    if (bytes.size() > kMaxPictureFileBytes) {
        return {};
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxPictureSide || size.height() > kMaxPictureSide) {
        return {};
    }
    if (bytes.startsWith("BM") && !BmpComplete(bytes)) {
        return {};
    }
    return reader.read();
}

// The picture of the file at `path`, null when there is none. Only a regular
// file, or a link to one, is opened: a pipe or a device would keep the window
// waiting on the first read, and a folder or a loop of links holds no picture.
QImage LoadPictureFile(const QString &path) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxPictureFileBytes) {
        return {};
    }
    QCache<QString, Decoded> &files = DecodedFiles();
    if (const Decoded *known = files.object(path);
        known != nullptr && known->size == info.size() && known->modified == info.lastModified()) {
        return known->image;
    }
    // A file that cannot be opened now may be readable later without a
    // change to its contents, so only what was read is remembered.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QImage image = ReadPicture(file);
    const auto kilobytes = static_cast<int>(image.sizeInBytes() / 1024) + 1;
    files.insert(path, new Decoded{info.size(), info.lastModified(), image}, kilobytes);
    return image;
}

// The file beside `path` that holds its picture at `scale` times the size,
// named as Qt names such files: Pict/9c.bmp at twice the size is
// Pict/9c@2x.png. Null when the file is missing or refused.
QPixmap LoadScaled(const QString &path, int scale) {
    const QFileInfo file(path);
    return QPixmap::fromImage(LoadPictureFile(
        file.dir().filePath(file.completeBaseName() + QStringLiteral("@%1x.png").arg(scale))));
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
    const QImage picture = LoadPictureFile(path);
    // Without the picture of the rules the larger ones are not used either:
    // the card looks the same on every screen.
    if (picture.isNull()) {
        return PlaceholderSet(name);
    }
    return PictureSet(QPixmap::fromImage(picture), LoadScaled(path, 2), LoadScaled(path, 3));
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
    // The menu's icon, built into the program; each size is decoded only
    // when the window system asks for it.
    InitIcons();
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128}) {
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

} // namespace vurp::ui
