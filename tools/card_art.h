// The artwork of the 37 card pictures: 36 faces and the back, 71 x 96 pixels.
#pragma once

#include <QImage>
#include <QString>

namespace vurp::art {

inline constexpr int kCardWidth = 71;
inline constexpr int kCardHeight = 96;

// The face of a card code ("1p" .. "9c"); a null image for anything else.
QImage DrawFace(const QString &code);
// The card back.
QImage DrawBack();

} // namespace vurp::art
