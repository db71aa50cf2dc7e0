// Loading the card pictures, and what stands in for one that cannot be loaded.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include <QMetaObject>

#include <array>
#include <functional>
#include <string_view>

namespace vurp::ui {

inline constexpr int kPictureWidth = 71;
inline constexpr int kPictureHeight = 96;
// A file larger than this, or a picture wider or taller than this, is no card
// picture: it is refused before it is decoded, so that a stray photograph in
// the Pict folder neither stalls the table nor fills the memory.
inline constexpr qint64 kMaxPictureFileBytes = 4 * 1024 * 1024;
inline constexpr int kMaxPictureSide = 1024;

// One card picture at its own size and, where they exist, at twice and three
// times that size for screens with more than one device pixel to a logical
// pixel. A larger picture that is not exactly its multiple of the first is
// dropped, so nothing is ever shown distorted.
class PictureSet {
public:
    PictureSet() = default;
    explicit PictureSet(QPixmap base, QPixmap twice = QPixmap(), QPixmap thrice = QPixmap());

    bool IsNull() const { return scales_[0].isNull(); }
    // The picture at its own size, 71 x 96 for the pictures of the rules.
    QPixmap Base() const { return scales_[0]; }
    // The picture to draw where a logical pixel covers `ratio` device pixels:
    // the base up to 1, twice the size up to 2, three times above that. In
    // place of a missing one comes the next larger, else the next smaller, so
    // that the picture is scaled down rather than up wherever it can be.
    QPixmap ForRatio(qreal ratio) const;
    // Whether a picture of the set is still being decoded: what stands in
    // for it now, the placeholder or the card's own picture at another size,
    // is replaced once it is ready (see WhenPicturesDecoded).
    bool Pending() const { return pending_; }

private:
    friend PictureSet LoadPicture(const QString &root, std::string_view name);

    std::array<QPixmap, 3> scales_;
    bool pending_ = false;
};

// The first of `candidates` that holds a Pict folder, or the first candidate
// when none does.
QString ChoosePictureRoot(const QStringList &candidates);
// The working directory when it has a Pict folder; otherwise the folder of
// the executable, then the installed data folder, so that a program started
// from a desktop menu still finds its cards.
QString PictureRoot();

// The picture of a card code or of the card back, read from
// root/PicturePath(name), with <name>@2x.png and <name>@3x.png beside it where
// they hold it at exactly twice and three times its size. Never null: a name
// that is neither a card nor the back, or a file that is missing, unreadable,
// not a regular file, too large, cut short, in neither BMP nor PNG, or a PNG
// whose rows unpack to more than its header promises, gives the placeholder
// at all three sizes.
//
// The card's own picture is decoded at once, within the bounds above, which
// keep any file short to decode: a card is never dealt as a stand-in. The
// larger pictures are decoded on a thread of their own, so that no file keeps
// the window waiting: until they are ready the card's own picture stands in
// for them, marked Pending. A file is decoded once and read again only when
// it changes. Called on the window's thread, with the application running.
PictureSet LoadPicture(const QString &root, std::string_view name);
// Calls `then` on the window's thread each time pictures asked for have been
// decoded, while `context` lives: a picture that came Pending is ready now,
// or known to be missing.
QMetaObject::Connection WhenPicturesDecoded(const QObject *context, std::function<void()> then);
// Waits until every picture asked for so far has been decoded: for tests and
// measurements; the window never waits.
void WaitForPictures();
// Drawn in code at `scale` (1 to 3) times the card size: rank and suit on
// white for a card, a plain back for the back, an empty white card for any
// other name.
QPixmap PlaceholderPicture(std::string_view name, int scale = 1);

// The window's icon: the one the desktop menu shows.
QIcon WindowIcon();

} // namespace vurp::ui
