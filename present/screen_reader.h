// What a screen reader hears of the table: names for the controls whose
// captions say too little on their own, what each card box stands for, how
// to read a panel, and the table's texts without the spaces that only line
// them up.
#pragma once

#include <string>
#include <string_view>

#include "view.h"

namespace vurp {

// The accessible name of a control, or an empty string where its caption or
// text says enough: each seat's lines name their seat ("Игрок 2: деньги"),
// the rank buttons their rank ("Дамы"), the boxes what they hold.
std::string ControlName(Control control, int index);

// The accessible description of a control, or an empty string for none: what
// a card box stands for (whose hand, the turned card, a seat's play), the
// keys that read a panel.
std::string ControlDescription(Control control, int index);

// What a screen reader hears of a text shown on the table: the words without
// the spaces that only line the numbers and words up on the screen; no space
// at either end, and one plain space for every run of white space within.
std::string Readable(std::string_view shown);

} // namespace vurp
