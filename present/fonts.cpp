#include "fonts.h"

#include "controls.h"

namespace vurp {

std::optional<Font> OwnFont(Control control) {
    if (control != Control::Label4) {
        return std::nullopt;
    }
    return Font{{"Arial Black", "DejaVu Sans"}, 72, true};
}

Alignment TextAlignment(Control control) {
    if (control == Control::Label2) {
        return Alignment::Right;
    }
    // No control of the window: nothing to centre.
    if (const int id = static_cast<int>(control); id < 0 || id >= kControlCount) {
        return Alignment::Left;
    }
    switch (DesignOf(control).kind) {
    case ControlKind::TextBox:
        return Alignment::Left;
    case ControlKind::Button:
    case ControlKind::Label:
    case ControlKind::Picture:
        return Alignment::Centre;
    }
    return Alignment::Centre;
}

} // namespace vurp
