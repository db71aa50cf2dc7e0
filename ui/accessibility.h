// What a screen reader hears: Russian names for the cards and for the controls
// whose captions say too little on their own, and card boxes that read as
// buttons where they can be pressed.
#pragma once

#include <QString>

#include <string_view>

#include "view.h"

namespace vurp::ui {

// "Туз червей", "Шестёрка пик"; the card back reads as a face-down card; an
// empty box, or any name that is not a card, as nothing.
QString CardName(std::string_view picture);

// The accessible name of a control, or an empty string where its caption or
// text says enough: each seat's lines name their seat ("Игрок 2: деньги"),
// the rank buttons their rank ("Дамы"), the boxes what they hold.
QString ControlName(Control control, int index);
// What a card box stands for: whose hand, the turned card, a seat's play.
QString CardBoxDescription(Control control, int index);

// Lets the accessibility framework see card boxes as buttons or pictures.
void InstallAccessibility();

} // namespace vurp::ui
