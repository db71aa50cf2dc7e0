#include "panel_stack.h"

#include <algorithm>

namespace vurp {

namespace {

bool Open(const View &view, const TablePanel &panel) {
    return view.Visible(panel.text, 0);
}

} // namespace

const std::vector<TablePanel> &PanelStack() {
    static const std::vector<TablePanel> stack = {{Control::TextPravila, Control::Pravila},
                                                  {Control::TextGame, Control::Game}};
    return stack;
}

bool AnyPanelOpen(const View &view) {
    return std::any_of(PanelStack().begin(), PanelStack().end(),
                       [&view](const TablePanel &p) { return Open(view, p); });
}

bool BlockedByPanels(const View &view, Control control) {
    return AnyPanelOpen(view) &&
           std::none_of(PanelStack().begin(), PanelStack().end(),
                        [control](const TablePanel &p) { return p.button == control; });
}

std::vector<Control> PanelRing(const View &view) {
    std::vector<Control> ring;
    for (const TablePanel &p : PanelStack()) {
        if (Open(view, p)) {
            ring.push_back(p.text);
            ring.push_back(p.button);
        }
    }
    return ring;
}

} // namespace vurp
