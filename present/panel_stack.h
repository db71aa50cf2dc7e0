// The rules and About panels over the table: which lie on top, what the
// keyboard goes round while they are open, and what waits until they close.
#pragma once

#include <vector>

#include "view.h"

namespace vurp {

struct TablePanel {
    Control text;
    // The button that opens and closes it.
    Control button;
};

// The panels from the bottom of the stack up: both lie over every other
// control, and About over the rules.
const std::vector<TablePanel> &PanelStack();

bool AnyPanelOpen(const View &view);

// Whether a click on the control waits until the panels are closed:
// everything but the two panels' buttons, which open and close them each on
// its own, as ever.
bool BlockedByPanels(const View &view, Control control);

// The panels that are open and their buttons, in the order Tab goes round
// them.
std::vector<Control> PanelRing(const View &view);

} // namespace vurp
