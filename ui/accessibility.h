// What a screen reader hears, as Qt tells it: the names of the cards shown,
// card boxes that read as buttons where they can be pressed, why a control
// cannot be pressed, and the read-only boxes and captions without the spaces
// that only line them up.
#pragma once

#include <QString>

#include <string_view>

#include "qt_view.h"
#include "table.h"
#include "view.h"

namespace vurp::ui {

// "Туз червей", "Шестёрка пик"; the card back reads as a face-down card; an
// empty box, or any name that is not a card, as nothing.
QString CardName(std::string_view picture);

// What a card box stands for: whose hand, the turned card, a seat's play.
QString CardBoxDescription(Control control, int index);

// Every control that cannot be pressed now says why, in its tooltip and in
// its description for screen readers; one that can has its usual ones back.
void ExplainWhyNot(const Table &table, const QtView &view);

// Lets the accessibility framework see card boxes as buttons or pictures,
// and hear the read-only boxes and the labels without stray spaces.
void InstallAccessibility();

} // namespace vurp::ui
