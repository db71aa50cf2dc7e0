// The browser page's view of the game. It keeps every control's state as the
// recording view does, and hands the page first the whole control table and
// from then on only what changed since it last asked, so that the page draws
// the table once and then follows the game.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "controls.h"
#include "events.h"
#include "journal.h"
#include "recording_view.h"
#include "view.h"

namespace vurp::web {

class WebView final : public View {
public:
    WebView();

    std::string Text(Control control, int index) const override;
    void SetText(Control control, int index, const std::string &text) override;
    bool Visible(Control control, int index) const override;
    void SetVisible(Control control, int index, bool visible) override;
    bool Enabled(Control control, int index) const override;
    void SetEnabled(Control control, int index, bool enabled) override;
    void SetPicture(Control control, int index, const std::string &name) override;
    void SetBackColor(Control control, int index, Colour colour) override;
    void SetForeColor(Control control, int index, Colour colour) override;
    void Tell(const GameEvent &event) override;

    // Takes on every control's state and the story of the deal from a game
    // read back from its journal.
    void Restore(const ReplayedGame &replayed);

    // The table as JSON: its size in twips, every control by element (name,
    // kind, place and size in twips, state) in the order of the control
    // table, and the story of the deal so far. The page is then up to date:
    // the next changes are those after it.
    std::string ControlTable();
    // What changed since the page was last told, as JSON: the elements whose
    // state changed, each with only the properties that changed, in the order
    // of the control table, and the events told meanwhile.
    std::string TakeChanges();

    // The state as the replay driver's snapshot sees it.
    const RecordingView &Recording() const { return shown_; }

private:
    // The element's place in AllElements(), marked as changed.
    void Touch(Control control, int index);

    RecordingView shown_;
    // What the page was last told, one entry per element of AllElements().
    std::vector<ControlState> told_;
    // Where each control's elements begin in AllElements().
    std::vector<std::size_t> firstElement_;
    // The elements set since the page was last told, each once.
    std::vector<bool> touched_;
    std::vector<std::size_t> touchedList_;
    std::vector<GameEvent> events_;
    DealStory story_;
};

} // namespace vurp::web
