// Where every control stands on the window, in twips (15 to a pixel).
#pragma once

#include <QRect>

#include "view.h"

namespace vurp::ui {

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidth = 11880 / kTwipsPerPixel;
inline constexpr int kClientHeight = 8490 / kTwipsPerPixel;

struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The place of a control (index 0) or of element `index` of a control array;
// an empty rectangle for an index the control does not have.
Twips Placement(Control control, int index);

inline QRect ToPixels(Twips t) {
    return QRect(t.left / kTwipsPerPixel, t.top / kTwipsPerPixel, t.width / kTwipsPerPixel,
                 t.height / kTwipsPerPixel);
}

} // namespace vurp::ui
