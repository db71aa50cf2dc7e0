// Loading the card pictures, and what stands in for one that cannot be loaded.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include <string_view>

namespace vurp::ui {

inline constexpr int kPictureWidth = 71;
inline constexpr int kPictureHeight = 96;

// The first of `candidates` that holds a Pict folder, or the first candidate
// when none does.
QString ChoosePictureRoot(const QStringList &candidates);
// The working directory when it has a Pict folder; otherwise the folder of
// the executable, then the installed data folder, so that a program started
// from a desktop menu still finds its cards.
QString PictureRoot();

// The picture of a card code or of the card back, read from
// root/PicturePath(name). Never null: a name that is neither a card nor the
// back, or a file that is missing or unreadable, gives the placeholder.
QPixmap LoadPicture(const QString &root, std::string_view name);
// Drawn in code: rank and suit on white for a card, a plain back for the back,
// an empty white card for any other name.
QPixmap PlaceholderPicture(std::string_view name);

// The window's icon: a card.
QIcon WindowIcon();

} // namespace vurp::ui
