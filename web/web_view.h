// The browser page's view of the game. It keeps every control's state as the
// recording view does, and hands the page first the whole control table and
// from then on only what changed since it last asked, so that the page draws
// the table once and then follows the game.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
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
    // state changed ("controls"), each with only the properties that changed,
    // in the order of the control table, and, when asked for, the events told
    // meanwhile as the driver prints them. When events were told, their
    // sentences; when they changed, the trick's best
    // card and the reasons why elements cannot be pressed ("whyNot": each
    // reason once, with the elements it is now given to by their places in
    // the control table). When
    // computer players moved, the changes and sentences come in steps
    // instead ("steps"), each the table just before a move, then as the
    // action left it, for the page to show one after another or all at once.
    std::string TakeChanges();
    // Whether the changes carry the events as the driver prints them: a page
    // played by a script compares them with the driver's output.
    void TellEventLines(bool on) { eventLines_ = on; }
    // The log of the deal: one sentence for each event of the story.
    std::string Log() const;

    // The state as the replay driver's snapshot sees it.
    const RecordingView &Recording() const { return shown_; }

private:
    // What an event found set since the event before it: each element's
    // state then, and the trick's best card.
    struct AtEvent {
        std::vector<std::pair<std::size_t, ControlState>> set;
        std::string trickBest;
    };

    std::string TrickBest() const;
    void AppendControls(std::string &out);
    void AppendReasons(std::string &out);
    // Appends the steps to `out` when computer players moved, and says
    // whether they did. `sentences`: those of the events told, each a JSON
    // string.
    bool AppendSteps(std::string &out, const std::vector<std::string> &sentences);
    // The page is told everything: nothing set or told waits for it.
    void Forget();
    // The element's place in AllElements(), marked as changed.
    void Touch(Control control, int index);

    RecordingView shown_;
    const Table *table_ = nullptr;
    // What the page was last told, one entry per element of AllElements().
    std::vector<ControlState> told_;
    // Each element's name as a JSON string.
    std::vector<std::string> quotedNames_;
    // Where each control's elements begin in AllElements().
    std::vector<std::size_t> firstElement_;
    // The elements set since the page was last told, each once.
    std::vector<bool> touched_;
    std::vector<std::size_t> touchedList_;
    // The elements set since the last event was told, each once.
    std::vector<bool> sinceEvent_;
    std::vector<std::size_t> sinceEventList_;
    std::vector<GameEvent> events_;
    std::vector<AtEvent> atEvent_;
    // The reasons and the trick's best card the page was last told.
    std::vector<std::string> toldWhy_;
    // The reasons now, beside those told.
    std::vector<std::string> why_;
    std::string toldBest_;
    // Room for AppendSteps, kept between calls: what each step leaves the page
    // told, which elements it copied, and each element's latest state.
    std::vector<ControlState> stepTold_;
    std::vector<bool> stepCopied_;
    std::vector<std::size_t> stepCopiedList_;
    std::vector<const ControlState *> stepLatest_;
    DealStory story_;
    bool eventLines_ = false;
};

} // namespace vurp::web
