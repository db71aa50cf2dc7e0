// A view without a window: it keeps every property the game sets, starting
// from the controls' design-time state, and the events the game tells until
// they are taken. The replay driver and the tests use it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "controls.h"
#include "view.h"

namespace vurp {

struct ControlState {
    std::string text;
    std::string picture; // card code or "rubashka"; "" while none shown
    bool visible = true;
    bool enabled = true;
    std::optional<Colour> back;
    std::optional<Colour> fore;
};

class RecordingView final : public View {
public:
    RecordingView();

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

    // Keeps the events told from now on, until taken; without it they are
    // let go at once, so that a long game recorded for no one keeps none.
    void KeepEvents() { keepEvents_ = true; }
    // The events kept since they were last taken, oldest first.
    std::vector<GameEvent> TakeEvents();
    // Hands every event told from now on to `follow` as it is told: a long
    // game is so read without keeping its events.
    void FollowEvents(std::function<void(const GameEvent &)> follow) {
        follow_ = std::move(follow);
    }
    // The events of the deal under way and the settlement before it, kept
    // always: a game read back shows its log as it was.
    const DealStory &Story() const { return story_; }

    // The state of one control or element; an invalid index gives a blank
    // state rather than failing.
    const ControlState &State(Control control, int index = 0) const;
    std::string Picture(Control control, int index = 0) const {
        return State(control, index).picture;
    }

private:
    ControlState *Find(Control control, int index);
    // One entry per control, each with its elements (one for a single control).
    std::vector<std::vector<ControlState>> states_;
    std::vector<GameEvent> events_;
    DealStory story_;
    bool keepEvents_ = false;
    std::function<void(const GameEvent &)> follow_;
};

} // namespace vurp
