// Where every control stands on the table: in twips (15 to a pixel) as the
// layout gives it, and in pixels at any scale of the table.
#pragma once

#include "view.h"

namespace vurp {

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidth = 11880 / kTwipsPerPixel;
inline constexpr int kClientHeight = 8490 / kTwipsPerPixel;
// Below a quarter of its size the table shows nothing anyone could read.
inline constexpr double kSmallestScale = 0.25;

struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect &) const = default;
};

// The place of a control (index 0) or of element `index` of a control array;
// an empty rectangle for an index the control does not have.
Twips Placement(Control control, int index);

// `pixels` of the layout at `scale`, to the nearest whole pixel.
int Scaled(int pixels, double scale);

// A control's place at `scale`: each edge of its place in pixels scaled and
// rounded on its own, so that controls that meet at a scale of 1 meet at every
// scale, neither overlapping nor leaving a gap. At 1, the layout's own pixels.
PixelRect ScaledPlace(Twips place, double scale);

// The scale of the table in an area of `width` by `height` pixels: as large
// as fits, never below the smallest.
double FitScale(int width, int height);

} // namespace vurp
