// The browser page's view of the game. It keeps every control's state as the
// recording view does, and hands the page first the whole control table and
// from then on only what changed since it last asked, so that the page draws
// the table once and then follows the game.
#pragma once

#include <string>
#include <vector>

#include "controls.h"
#include "events.h"
#include "journal.h"
#include "recording_view.h"
#include "table.h"
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

    // The game the view shows: why a control cannot be pressed and which
    // card takes the trick are read from it.
    void Follow(const Table &table) { table_ = &table; }

    // Takes on every control's state and the story of the deal from a game
    // read back from its journal.
    void Restore(const ReplayedGame &replayed);

    // The table as JSON: its size in twips, every control by element (name,
    // kind, place and size in twips, state) in the order of the control
    // table, and the story of the deal so far. With them how the table
    // writes and reads: each element's font, alignment, place in the Tab
    // order, accessible name and description and why it cannot be pressed;
    // the table's font size and colour, the hand's boxes from left to right,
    // the panels, the words for every card picture, the trick's best card,
    // and the log's sentences. The page is then up to date: the next changes
    // are those after it.
    std::string ControlTable();
    // What changed since the page was last told, as JSON: the elements whose
    // state changed, each with only the properties that changed, in the order
    // of the control table, and the events told meanwhile. When events were
    // told, their sentences; when they changed, the trick's best card and the
    // reasons why elements cannot be pressed ("whyNot"). When computer players
    // moved, the same changes in steps ("steps"), each the table just before
    // a move, then as the action left it, for the page to show one after
    // another.
    std::string TakeChanges();
    // The log of the deal: one sentence for each event of the story.
    std::string Log() const;

    // The state as the replay driver's snapshot sees it.
    const RecordingView &Recording() const { return shown_; }

private:
    // The table as it stood when an event was told.
    struct AtEvent {
        std::vector<ControlState> states;
        std::string trickBest;
    };

    std::vector<ControlState> Now() const;
    std::string TrickBest() const;
    // The elements of `now` that differ from `told`, which takes them on.
    static std::string Changed(const std::vector<ControlState> &now,
                               std::vector<ControlState> &told);
    std::string Steps(const std::vector<ControlState> &now);

    RecordingView shown_;
    const Table *table_ = nullptr;
    // What the page was last told, one entry per element of AllElements().
    std::vector<ControlState> told_;
    std::vector<GameEvent> events_;
    std::vector<AtEvent> atEvent_;
    // The reasons and the trick's best card the page was last told.
    std::vector<std::string> toldWhy_;
    std::string toldBest_;
    DealStory story_;
};

} // namespace vurp::web
