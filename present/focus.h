// Where the keyboard goes: the order Tab walks the controls in, and the
// control the player most likely presses next.
#pragma once

#include <optional>
#include <vector>

#include "view.h"

namespace vurp {

struct ControlRef {
    Control control = Control::Razd;
    int index = 0;
    bool operator==(const ControlRef &) const = default;
};

// Every control that can take the keyboard focus, in the order Tab visits
// them: the panel buttons, the stake and the deal, the human's hand from left
// to right with Next and the exchange, the declaration and rank buttons, then
// the boxes that are only read: the bank and each seat's money, tricks and
// words.
std::vector<ControlRef> TabOrder();

// The human's card boxes from left to right as the table shows them.
std::vector<int> HandBoxesLeftToRight();

// The control to focus after `pressed` moved the game on: "Поменять" after a
// card thrown away in the exchange, "Дальше" when it waits, a rank to go for, a card that must or
// may be chosen (the pressed box if it still can be, as the hand closes up to the left, else its
// nearest neighbour on the left), a declaration, the exchange button, then "Раздать". Nothing when
// no control can be pressed.
std::optional<ControlRef> LikelyNext(const View &view, std::optional<ControlRef> pressed);

} // namespace vurp
