// Why a control cannot be pressed now, said to the player in one short
// sentence: the window shows it as the tooltip of a disabled button or card
// and gives it to screen readers. The reasons come from the rules and from
// what the table shows; nothing here changes the game.
#pragma once

#include <string>
#include <vector>

#include "table.h"
#include "view.h"

namespace vurp {

// The player can press the control now: it is on view and enabled.
bool Pressable(const View &view, Control control, int index = 0);
// Some element of an array, or the control itself, can be pressed.
bool AnyPressable(const View &view, Control control);

// The sentence for `control` (index 0) or element `index` of an array, or an
// empty string when the player can press it, when it is not on view, or when
// it never takes a press (labels, text boxes, the other seats' cards).
std::string WhyNot(const Table &table, const View &view, Control control, int index);
// The sentence for every element of AllElements(), in that order, written
// over `reasons`; what the player has to do now is worked out once for all.
void WhyNotEach(const Table &table, const View &view, std::vector<std::string> &reasons);

} // namespace vurp
