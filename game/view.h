// What the game needs from a window: the controls by name and index, a
// handful of properties on each, and a word for each thing that happens. The Qt window and the
// recording view of the replay driver and the tests both implement it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "events.h"

namespace vurp {

// One enumerator per control of the main window, named as the window names
// them. Controls that are arrays are addressed with an index from 1; single
// controls with index 0.
enum class Control {
    Label4,
    Pravila,
    TextPravila,
    Game,
    TextGame,
    Label1,
    Stavk,
    Label_bank,
    bank,
    Razd,
    Pict1,
    Pict2,
    Pict3,
    PictKoz,
    Hod,
    talk,
    Talk2,
    Money,
    KolVz,
    Label2,
    Sled,
    Change,
    PasVurp,
    vurp,
    Vert,
    VurpGo,
    PasHelp,
    Help,
    five,
    HelpGo,
    GoKats,
};

inline constexpr int kControlCount = static_cast<int>(Control::GoKats) + 1;

// Colours are 0x00BBGGRR: blue in the high byte.
using Colour = std::uint32_t;

class View {
public:
    virtual ~View() = default;

    // Caption of a button or label, text of a text box.
    virtual std::string Text(Control control, int index) const = 0;
    virtual void SetText(Control control, int index, const std::string &text) = 0;
    virtual bool Visible(Control control, int index) const = 0;
    virtual void SetVisible(Control control, int index, bool visible) = 0;
    virtual bool Enabled(Control control, int index) const = 0;
    virtual void SetEnabled(Control control, int index, bool enabled) = 0;
    // A picture by name: a card code or "rubashka" for the card back; the
    // file is PicturePath(name).
    virtual void SetPicture(Control control, int index, const std::string &name) = 0;
    virtual void SetBackColor(Control control, int index, Colour colour) = 0;
    virtual void SetForeColor(Control control, int index, Colour colour) = 0;

    // Something happened at the table. A view that follows the game keeps or
    // shows it; one that only shows the controls ignores it.
    virtual void Tell(const GameEvent &event) { static_cast<void>(event); }
};

} // namespace vurp
