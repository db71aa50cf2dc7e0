// How the table writes: every control in the table's small font but the
// title, and each control's text across its box.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "view.h"

namespace vurp {

// The table is laid out for a small system font; 8 points keeps every
// caption inside its button.
inline constexpr int kTablePointSize = 8;

struct Font {
    // The first of these the system has; with none of them, the table's own.
    std::vector<std::string> families;
    int pointSize = kTablePointSize;
    bool bold = false;
};

// The font of a control that has one of its own, the title's; nullopt for a
// control that writes in the table's.
std::optional<Font> OwnFont(Control control);

enum class Alignment { Left, Centre, Right };

// Where a control's text sits across its box: captions and buttons centred,
// the tricks captions flush right against their numbers, text boxes from the
// left. A caption hangs from the top of its box.
Alignment TextAlignment(Control control);

} // namespace vurp
