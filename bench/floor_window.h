// The floor of the toolkit: a bare Qt Widgets window of the card table's
// size with as many controls of each kind as the table has, the card boxes
// showing their pictures, the same menu bar above, and no game behind it. Whatever Vurp costs
// beyond this window is Vurp's own.
#pragma once

#include <QWidget>

namespace vurp::bench {

// As many of each kind as the table's control table holds, counting every
// element of a control array.
inline constexpr int kFloorButtons = 22;       // 13 single buttons and 9 rank buttons
inline constexpr int kFloorLines = 14;         // one-line text boxes, the stake among them
inline constexpr int kFloorPanels = 2;         // the two multi-line text boxes
inline constexpr int kFloorLabels = 6;         // the title and five captions
inline constexpr int kFloorPictureBoxes = 19;  // three hands of five, the turned card, three played
inline constexpr int kFloorWidth = 11880 / 15; // 792
inline constexpr int kFloorHeight = 8490 / 15; // 566

// What the floor shows when it opens.
enum class FloorState {
    // Every control, each card box with its own 71 x 96 picture loaded from
    // Pict/ under the working directory: the floor the comparison is
    // defined by.
    Dealt,
    // As many of each kind hidden as the table hides before its first deal:
    // every card box (and no picture loaded), both multi-line boxes, 12 of
    // the one-line boxes, 3 of the labels and 2 of the buttons. The floor of
    // Vurp's own start-up, which shows no card.
    BeforeDeal,
};

// Builds the window; the caller owns it and shows it.
QWidget *BuildFloorWindow(FloorState state = FloorState::Dealt);

} // namespace vurp::bench
