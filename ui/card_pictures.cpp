#include "card_pictures.h"

#include <QBuffer>
#include <QCache>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QHash>
#include <QImageReader>
#include <QPainter>
#include <QPointer>
#include <QtEndian>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

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

QString SuitSymbol(char suit) {
    switch (suit) {
    case Spades:
        return QStringLiteral("\u2660");
    case Clubs:
        return QStringLiteral("\u2663");
    case Diamonds:
        return QStringLiteral("\u2666");
    default:
        return QStringLiteral("\u2665");
    }
}

QColor SuitColour(char suit) {
    return IsRedSuit(suit) ? kRed : kBlack;
}

QFont PixelFont(int pixels, bool bold) {
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// Decoded pictures are kept at four bytes a pixel: each is converted to the
// 32-bit format the screen draws without converting again.
constexpr qint64 kBytesPerPixel = 4;
// The 36 cards and the back.
constexpr qint64 kDeckPictures = static_cast<qint64>(DeckLiteral.size()) / 2 + 1;

// The most bytes the pictures of one card can take decoded when its own
// picture is `side` pixels a side: that picture, and the ones at twice and
// three times its size where those fit under the limit too (a larger picture
// of any other size is refused before it is decoded).
constexpr qint64 CardBytes(qint64 side) {
    qint64 pixels = side * side;
    for (const qint64 scale : {2, 3}) {
        if (scale * side <= kMaxPictureSide) {
            pixels += scale * side * scale * side;
        }
    }
    return pixels * kBytesPerPixel;
}

constexpr qint64 MostCardBytes() {
    qint64 most = 0;
    for (qint64 side = 1; side <= kMaxPictureSide; ++side) {
        most = std::max(most, CardBytes(side));
    }
    return most;
}

// Room for a whole deck at the largest pictures accepted, counted in
// kilobytes as each file is (see Cost): about 230 MB, for 341-pixel cards
// with their 682- and 1023-pixel pictures beside them. It is a bound, not
// memory taken: the pictures of the rules fill 14 MB of it. A deck that did
// not fit would be decoded anew at every deal.
constexpr qint64 kDecodedKilobytes = kDeckPictures * (MostCardBytes() / 1024 + 3);
static_assert(kDecodedKilobytes < std::numeric_limits<int>::max());

// What a file is on disk: a file whose stamp is unchanged is taken to hold
// what it held when it was read.
struct Stamp {
    qint64 size = -1;
    qint64 modifiedNs = 0;
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const Stamp &) const = default;
};

Stamp StampOf(const struct stat &info) {
    return {static_cast<qint64>(info.st_size),
            static_cast<qint64>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec,
            static_cast<quint64>(info.st_dev), static_cast<quint64>(info.st_ino)};
}

// The stamp of the regular file at `path`, following links; none for
// anything else. A pipe or a device would keep a reader waiting on the first
// read, and a folder or a loop of links holds no picture.
std::optional<Stamp> StampOfPath(const QString &path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return StampOf(info);
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

// The bytes the rows of a PNG unpack to: a filter byte and the packed pixels
// of every row, of each of the seven passes when it is interlaced; -1 for a
// colour type PNG does not have.
qint64 PngRowBytes(qint64 width, qint64 height, qint64 depth, int colour, bool interlaced) {
    qint64 channels = 0;
    switch (colour) {
    case 0: // grey
    case 3: // palette
        channels = 1;
        break;
    case 2: // RGB
        channels = 3;
        break;
    case 4: // grey and alpha
        channels = 2;
        break;
    case 6: // RGB and alpha
        channels = 4;
        break;
    default:
        return -1;
    }
    const auto rows = [bits = channels * depth](qint64 w, qint64 h) {
        return w <= 0 || h <= 0 ? 0 : h * (1 + (w * bits + 7) / 8);
    };
    if (!interlaced) {
        return rows(width, height);
    }
    struct Pass {
        qint64 x, y, dx, dy;
    };
    constexpr Pass kPasses[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    qint64 total = 0;
    for (const Pass &p : kPasses) {
        total += rows((width - p.x + p.dx - 1) / p.dx, (height - p.y + p.dy - 1) / p.dy);
    }
    return total;
}

// Whether the compressed rows of a PNG unpack to no more than its header
// promises. The file's size does not tell: four megabytes of zlib data can
// unpack to four gigabytes, which the decoder works through for seconds
// before it drops what is past the last row. They are unpacked here into a
// small buffer and counted, never more than one buffer past the promise; a
// damaged stream or a file cut short is left to the decoder, which refuses
// it no later than this would.
bool PngRowsFit(const QByteArray &bytes) {
    constexpr qsizetype kSignature = 8;
    constexpr qsizetype kChunkHeader = 8; // length and type; the checksum follows the data
    constexpr qsizetype kHeaderLength = 13;
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) {
        return false;
    }
    const std::unique_ptr<z_stream, int (*)(z_stream *)> end(&stream, inflateEnd);
    std::array<Bytef, 16 * 1024> unpacked{};
    qint64 promised = -1;
    qint64 total = 0;
    for (qsizetype at = kSignature; at + kChunkHeader <= bytes.size();) {
        const qint64 length = qFromBigEndian<quint32>(bytes.constData() + at);
        const QByteArrayView type(bytes.constData() + at + 4, 4);
        const qsizetype data = at + kChunkHeader;
        if (length > bytes.size() - data) {
            break;
        }
        if (type == "IHDR" && length >= kHeaderLength) {
            const char *h = bytes.constData() + data;
            promised =
                PngRowBytes(qFromBigEndian<quint32>(h), qFromBigEndian<quint32>(h + 4),
                            static_cast<quint8>(h[8]), static_cast<quint8>(h[9]), h[12] != 0);
        } else if (type == "IDAT") {
            if (promised < 0) {
                return false;
            }
            stream.next_in =
                reinterpret_cast<Bytef *>(const_cast<char *>(bytes.constData() + data));
            stream.avail_in = static_cast<uInt>(length);
            while (stream.avail_in > 0) {
                stream.next_out = unpacked.data();
                stream.avail_out = static_cast<uInt>(unpacked.size());
                const int status = inflate(&stream, Z_NO_FLUSH);
                total += static_cast<qint64>(unpacked.size() - stream.avail_out);
                if (total > promised) {
                    return false;
                }
                if (status != Z_OK) {
                    // The end of the stream, or a damaged one: the decoder
                    // unpacks nothing past either.
                    return true;
                }
            }
        } else if (type == "IEND") {
            break;
        }
        at = data + length + 4;
    }
    return true;
}

// The picture in `bytes`, or null when it is not a sane card picture: not a
// BMP or a PNG, wider or taller than any card could be or, for a larger
// picture, of another size than `expected` (told by its header, before
// anything is decoded), a BMP cut short, or a PNG whose rows unpack to more
// than it holds. A BMP or a PNG decodes in time bounded by its size; other
// formats are not held to that, and no card picture is in one.
QImage DecodePicture(QByteArray bytes, QSize expected) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    if (format != "bmp" && format != "png") {
        return {};
    }
    QSize size = reader.size();
    // Qt gives the height of a BMP stored top down as it stands, negative.
    size.setHeight(std::abs(size.height()));
    if (!size.isValid() || size.width() > kMaxPictureSide || size.height() > kMaxPictureSide ||
        (expected.isValid() && size != expected)) {
        return {};
    }
    if (format == "bmp" ? !BmpComplete(bytes) : !PngRowsFit(bytes)) {
        return {};
    }
    QImage image = reader.read();
    if (!image.isNull()) {
        image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                : QImage::Format_RGB32);
    }
    return image;
}

// At most `limit` bytes from `fd`; none when reading fails.
std::optional<QByteArray> ReadAtMost(int fd, qint64 limit) {
    QByteArray bytes(limit, Qt::Uninitialized);
    qint64 got = 0;
    while (got < limit) {
        const ssize_t n = ::read(fd, bytes.data() + got, static_cast<std::size_t>(limit - got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        got += n;
    }
    bytes.truncate(got);
    return bytes;
}

// What reading a picture file gave.
struct FileRead {
    Stamp stamp;     // the file's, as it was read
    QImage image;    // null for a file that holds no sane picture
    bool remembered; // false: the file could not be read whole, or changed while it was
};

// Reads and decodes the file at `path`; `stamp` is what it was when it was
// asked for. Only a regular file is read: opening without waiting, a pipe
// put in its place meanwhile keeps no one waiting.
FileRead ReadPictureFile(const QString &path, const Stamp &stamp, QSize expected) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return {stamp, {}, false};
    }
    const std::unique_ptr<const int, void (*)(const int *)> closing(
        &fd, [](const int *f) { ::close(*f); });
    struct stat before {};
    if (::fstat(fd, &before) != 0 || !S_ISREG(before.st_mode)) {
        return {stamp, {}, false};
    }
    if (before.st_size > kMaxPictureFileBytes) {
        return {StampOf(before), {}, true};
    }
    // One byte more than the file held tells that it grew meanwhile; a file
    // that changed while it was read is told as unreadable, and read again
    // when it is next asked for.
    const std::optional<QByteArray> bytes = ReadAtMost(fd, before.st_size + 1);
    struct stat after {};
    if (!bytes || ::fstat(fd, &after) != 0 || StampOf(after) != StampOf(before) ||
        bytes->size() != before.st_size) {
        return {stamp, {}, false};
    }
    return {StampOf(before), DecodePicture(*bytes, expected), true};
}

// The path of the file beside `path` that holds its picture at `scale` times
// the size, named as Qt names such files: Pict/9c.bmp at twice the size is
// Pict/9c@2x.png.
QString ScaledPath(const QString &path, int scale) {
    const QFileInfo file(path);
    return file.dir().filePath(file.completeBaseName() + QStringLiteral("@%1x.png").arg(scale));
}

// A picture, or that it is not known yet.
struct Asked {
    QImage image;
    bool pending = false;
};

// Decodes the picture files on a thread of its own and keeps what it
// decoded, so that no file, however it is made, keeps the window waiting.
// The window's thread asks for a file and gets its picture when it has been
// decoded before and has not changed since; otherwise the file is queued,
// and once it is decoded the window's thread is told (Decoded) and asks
// again. The decoding thread shares only the two queues, under the lock: the
// cache and the list of files asked for belong to the window's thread.
class Decoder final : public QObject {
    Q_OBJECT
public:
    // Made with the application and ended with it; the window's thread
    // makes it, by asking for the first picture.
    static Decoder &Instance() {
        static QPointer<Decoder> decoder;
        if (decoder.isNull()) {
            decoder = new Decoder(QCoreApplication::instance());
        }
        return *decoder;
    }

    Decoder(const Decoder &) = delete;
    Decoder &operator=(const Decoder &) = delete;

    // The files not begun are dropped; one being decoded is finished, which
    // takes a moment at most, as each file's decoding is bounded by its
    // size.
    ~Decoder() override {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
            jobs_.clear();
        }
        wake_.notify_all();
        worker_.join();
    }

    // The picture in the file at `path`, if it is known; `expected` is the
    // size a larger picture must have, invalid for a card's own picture.
    Asked Ask(const QString &path, QSize expected) {
        const std::optional<Stamp> stamp = StampOfPath(path);
        if (!stamp || stamp->size > kMaxPictureFileBytes) {
            return {};
        }
        if (const Known *known = files_.object(path);
            known != nullptr && known->stamp == *stamp && known->expected == expected) {
            const QImage image = known->image;
            // A file that could not be read now may be readable later
            // without a change to its stamp: it is told once, then asked again.
            if (!known->remembered) {
                files_.remove(path);
            }
            return {image, false};
        }
        if (const auto queued = asked_.constFind(path);
            queued != asked_.cend() && queued->stamp == *stamp && queued->expected == expected) {
            return {{}, true};
        }
        const quint64 id = ++lastJob_;
        asked_.insert(path, Job{id, path, *stamp, expected});
        {
            const std::lock_guard lock(mutex_);
            jobs_.push_back(Job{id, path, *stamp, expected});
        }
        wake_.notify_one();
        return {{}, true};
    }

    // A card's own picture, decoded here and now when it is not known. Its
    // decoding is bounded by its size and budget like any other, and the
    // table shows the card itself the moment it is dealt, not a stand-in.
    Asked AskNow(const QString &path) {
        const std::optional<Stamp> stamp = StampOfPath(path);
        if (!stamp || stamp->size > kMaxPictureFileBytes) {
            return {};
        }
        if (const Known *known = files_.object(path);
            known != nullptr && known->stamp == *stamp && !known->expected.isValid()) {
            return Ask(path, QSize());
        }
        FileRead read = ReadPictureFile(path, *stamp, QSize());
        Keep(path, QSize(), read);
        return {read.image, false};
    }

    // Waits until every file asked for has been decoded and taken in.
    void Finish() {
        while (!asked_.isEmpty()) {
            {
                std::unique_lock lock(mutex_);
                idle_.wait(lock, [this] { return jobs_.empty() && !busy_; });
            }
            TakeDecoded();
        }
    }

signals:
    // Files asked for have been decoded: whoever got a picture not yet
    // known asks again.
    void Decoded();

private:
    struct Job {
        quint64 id = 0;
        QString path;
        Stamp stamp;
        QSize expected; // invalid: a card's own picture, of any size
    };
    struct Done {
        Job job;
        FileRead read;
    };
    struct Known {
        Stamp stamp;
        QSize expected;
        QImage image;
        bool remembered = true;
    };

    explicit Decoder(QObject *parent) : QObject(parent) {
        worker_ = std::thread([this] { Work(); });
    }

    // The decoding thread.
    void Work() {
        for (;;) {
            Job job;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
                if (stopping_) {
                    return;
                }
                job = std::move(jobs_.front());
                jobs_.pop_front();
                busy_ = true;
            }
            FileRead read = ReadPictureFile(job.path, job.stamp, job.expected);
            bool tell = false;
            {
                const std::lock_guard lock(mutex_);
                done_.push_back(Done{std::move(job), std::move(read)});
                busy_ = false;
                tell = !told_;
                told_ = true;
            }
            idle_.notify_all();
            // One call takes in all that is done by then. The object outlives
            // this call, as its destructor waits for this thread; a call still
            // queued when it goes is dropped with it.
            if (tell) {
                QMetaObject::invokeMethod(
                    this, [this] { TakeDecoded(); }, Qt::QueuedConnection);
            }
        }
    }

    // On the window's thread: keeps what was decoded and asks for the larger
    // pictures of each card whose own picture came, so that the whole card
    // is ready by the time it is shown again.
    void TakeDecoded() {
        std::vector<Done> done;
        {
            const std::lock_guard lock(mutex_);
            done.swap(done_);
            told_ = false;
        }
        for (Done &d : done) {
            const QString &path = d.job.path;
            if (const auto queued = asked_.constFind(path);
                queued != asked_.cend() && queued->id == d.job.id) {
                asked_.erase(queued);
            }
            Keep(path, d.job.expected, d.read);
        }
        if (!done.empty()) {
            emit Decoded();
        }
    }

    // Keeps a decoded file and, for a card's own picture, asks for the
    // larger ones, so that the whole card is ready by the time it is shown
    // again.
    void Keep(const QString &path, QSize expected, const FileRead &read) {
        // Out first: QCache makes room for the whole of a new entry before
        // it lets go of the old one under the same name.
        files_.remove(path);
        files_.insert(path, new Known{read.stamp, expected, read.image, read.remembered},
                      Cost(read.image));
        if (!expected.isValid() && !read.image.isNull()) {
            for (const int scale : {2, 3}) {
                Ask(ScaledPath(path, scale), read.image.size() * scale);
            }
        }
    }

    // What a decoded file takes of the cache, in kilobytes.
    static int Cost(const QImage &image) {
        return static_cast<int>(image.sizeInBytes() / 1024) + 1;
    }

    // The window's thread's alone.
    QCache<QString, Known> files_{static_cast<int>(kDecodedKilobytes)};
    QHash<QString, Job> asked_; // queued or being decoded, by path
    quint64 lastJob_ = 0;

    // Shared with the decoding thread, under the lock.
    std::mutex mutex_;
    std::condition_variable wake_; // a job was queued, or the end came
    std::condition_variable idle_; // a job was done
    std::deque<Job> jobs_;
    std::vector<Done> done_;
    bool busy_ = false;
    bool told_ = false;
    bool stopping_ = false;

    // Last: it starts once everything it uses is made.
    std::thread worker_;
};

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
    Decoder &decoder = Decoder::Instance();
    const QString path = QDir(root).filePath(QString::fromStdString(PicturePath(name)));
    const Asked picture = decoder.AskNow(path);
    // Without the picture of the rules the larger ones are not used either:
    // the card looks the same on every screen.
    if (picture.image.isNull()) {
        PictureSet placeholder = PlaceholderSet(name);
        placeholder.pending_ = picture.pending;
        return placeholder;
    }
    const QSize size = picture.image.size();
    const Asked twice = decoder.Ask(ScaledPath(path, 2), size * 2);
    const Asked thrice = decoder.Ask(ScaledPath(path, 3), size * 3);
    PictureSet set(QPixmap::fromImage(picture.image), QPixmap::fromImage(twice.image),
                   QPixmap::fromImage(thrice.image));
    set.pending_ = twice.pending || thrice.pending;
    return set;
}

QMetaObject::Connection WhenPicturesDecoded(const QObject *context, std::function<void()> then) {
    return QObject::connect(&Decoder::Instance(), &Decoder::Decoded, context, std::move(then));
}

void WaitForPictures() {
    Decoder::Instance().Finish();
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

#include "card_pictures.moc"
