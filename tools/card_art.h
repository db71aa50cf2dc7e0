// The artwork of the 37 card pictures: 36 faces and the back, 71 x 96 pixels,
// and the same drawn natively at a multiple of that size for sharp cards on
// screens with more pixels to the inch.
#pragma once

#include <QImage>
#include <QString>

namespace vurp::art {

inline constexpr int kCardWidth = 71;
inline constexpr int kCardHeight = 96;

// The face of a card code ("1p" .. "9c") at `scale` times the card size; a
// null image for anything else or a scale below 1.
QImage DrawFace(const QString &code, int scale = 1);
// The card back at `scale` times the card size; null for a scale below 1.
QImage DrawBack(int scale = 1);

} // namespace vurp::art
