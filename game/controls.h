// The main window's controls as designed: kind, number of elements, initial
// texts, colours and state. The Qt window builds its widgets from this table
// and the recording view starts from it, so both begin in the same state.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "view.h"

namespace vurp {

enum class ControlKind { Button, TextBox, Label, Picture };

struct ControlDesign {
    Control id = Control::Label4;
    std::string name;
    ControlKind kind = ControlKind::Label;
    int count = 0;                  // 0 for a single control, else elements 1..count
    std::vector<std::string> texts; // one per element (one for a single control)
    std::optional<Colour> back;     // nullopt: the platform's default colour
    std::optional<Colour> fore;
    bool visible = true;
    bool enabled = true;
    bool locked = false;    // read-only text box
    bool multiline = false; // multi-line text box
    int maxLength = 0;      // 0: unlimited
};

// Every control, in the order of the enumeration.
const std::vector<ControlDesign> &ControlDesigns();
const ControlDesign &DesignOf(Control control);
// The control named exactly `name`, or nullopt.
std::optional<Control> ControlByName(std::string_view name);
// Index 0 for a single control, 1..count for an array.
bool ValidIndex(Control control, int index);
// Every control by element, in the order of the table: (control, 0) for a
// single control, (control, 1..count) for an array.
const std::vector<std::pair<Control, int>> &AllElements();
// "Razd" for a single control, "Pict1(3)" for an element of an array.
std::string ElementName(Control control, int index);
// The human's declaration buttons of each round, in the order the rules name
// them: vurp, its pass, going for a rank, the helicopter; help, its pass,
// going for a rank, take five.
inline constexpr std::array kFirstRoundButtons = {Control::vurp, Control::PasVurp, Control::VurpGo,
                                                  Control::Vert};
inline constexpr std::array kSecondRoundButtons = {Control::Help, Control::PasHelp, Control::HelpGo,
                                                   Control::five};
// The declaration buttons of both rounds as the window shows them: the first
// round's column, then the second's, each from the top (the order of the
// enumeration).
const std::vector<Control> &DeclarationButtons();
// Every control, by element, that a player presses to move the game on: the
// deal, the declaration and rank buttons, "Дальше", the exchange and the
// human's cards. The panel buttons always respond and never move the game.
const std::vector<std::pair<Control, int>> &GameControls();
// A control of the window (not a value cast from outside the enumeration)
// with a valid index: the one check before any control is looked up.
bool ValidControl(Control control, int index);

// Window background and the other colours the game sets.
inline constexpr Colour kWindowColour = 0x808000;
inline constexpr Colour kMoneyNonNegative = 0xC0FFC0;
inline constexpr Colour kMoneyNegative = 0xC0C0FF;

// The texts of the two panels, with CR LF line breaks.
extern const std::string RulesText;
extern const std::string AboutText;

} // namespace vurp
