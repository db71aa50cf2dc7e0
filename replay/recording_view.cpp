#include "recording_view.h"

#include <utility>

namespace vurp {

namespace {
const ControlState kNoControl{};
}

RecordingView::RecordingView() {
    for (const auto &design : ControlDesigns()) {
        const std::size_t elements = design.count == 0 ? 1 : static_cast<std::size_t>(design.count);
        std::vector<ControlState> states(elements);
        for (std::size_t e = 0; e < elements; ++e) {
            states[e].text = e < design.texts.size() ? design.texts[e] : "";
            states[e].visible = design.visible;
            states[e].enabled = design.enabled;
            states[e].back = design.back;
            states[e].fore = design.fore;
        }
        states_.push_back(std::move(states));
    }
}

ControlState *RecordingView::Find(Control control, int index) {
    if (!ValidControl(control, index)) {
        return nullptr;
    }
    auto &elements = states_[static_cast<std::size_t>(control)];
    return &elements[static_cast<std::size_t>(index == 0 ? 0 : index - 1)];
}

const ControlState &RecordingView::State(Control control, int index) const {
    const ControlState *state = const_cast<RecordingView *>(this)->Find(control, index);
    return state != nullptr ? *state : kNoControl;
}

std::string RecordingView::Text(Control control, int index) const {
    return State(control, index).text;
}

void RecordingView::SetText(Control control, int index, const std::string &text) {
    if (auto *state = Find(control, index)) {
        state->text = text;
    }
}

bool RecordingView::Visible(Control control, int index) const {
    return State(control, index).visible;
}

void RecordingView::SetVisible(Control control, int index, bool visible) {
    if (auto *state = Find(control, index)) {
        state->visible = visible;
    }
}

bool RecordingView::Enabled(Control control, int index) const {
    return State(control, index).enabled;
}

void RecordingView::SetEnabled(Control control, int index, bool enabled) {
    if (auto *state = Find(control, index)) {
        state->enabled = enabled;
    }
}

void RecordingView::SetPicture(Control control, int index, const std::string &name) {
    if (auto *state = Find(control, index)) {
        state->picture = name;
    }
}

void RecordingView::SetBackColor(Control control, int index, Colour colour) {
    if (auto *state = Find(control, index)) {
        state->back = colour;
    }
}

void RecordingView::SetForeColor(Control control, int index, Colour colour) {
    if (auto *state = Find(control, index)) {
        state->fore = colour;
    }
}

void RecordingView::Tell(const GameEvent &event) {
    story_.Add(event);
    if (keepEvents_) {
        events_.push_back(event);
    }
    if (follow_) {
        follow_(event);
    }
}

std::vector<GameEvent> RecordingView::TakeEvents() {
    return std::exchange(events_, {});
}

} // namespace vurp
