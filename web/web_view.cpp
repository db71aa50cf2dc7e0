#include "web_view.h"

#include <cstddef>
#include <optional>

#include "json.h"
#include "layout.h"

namespace vurp::web {

namespace {

std::string Bool(bool value) {
    return value ? "true" : "false";
}

std::string Colour(const std::optional<vurp::Colour> &colour) {
    return colour ? std::to_string(*colour) : "null";
}

std::string KindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::Button:
        return "button";
    case ControlKind::TextBox:
        return "textbox";
    case ControlKind::Label:
        return "label";
    case ControlKind::Picture:
        break;
    }
    return "picture";
}

// The state as the page shows it, and as the driver's snapshot writes it: a
// picture box has no text and only a picture box has a picture.
ControlState Shown(Control control, const ControlState &state) {
    ControlState shown = state;
    const bool picture = DesignOf(control).kind == ControlKind::Picture;
    (picture ? shown.text : shown.picture).clear();
    return shown;
}

// The properties of `now` that differ from `before` (all of them without
// `before`), each as `,"key":value`.
std::string Properties(const ControlState &now, const ControlState *before) {
    std::string out;
    if (!before || now.visible != before->visible) {
        out += ",\"visible\":" + Bool(now.visible);
    }
    if (!before || now.enabled != before->enabled) {
        out += ",\"enabled\":" + Bool(now.enabled);
    }
    if (!before || now.text != before->text) {
        out += ",\"text\":" + JsonString(now.text);
    }
    if (!before || now.picture != before->picture) {
        out += ",\"picture\":" + JsonString(now.picture);
    }
    if (!before || now.back != before->back) {
        out += ",\"back\":" + Colour(now.back);
    }
    if (!before || now.fore != before->fore) {
        out += ",\"fore\":" + Colour(now.fore);
    }
    return out;
}

std::string Events(const std::vector<GameEvent> &events) {
    std::string out = "[";
    for (const GameEvent &event : events) {
        out += (out.size() > 1 ? "," : "") + EventLine(event);
    }
    return out + "]";
}

} // namespace

WebView::WebView() {
    for (const auto &[control, index] : AllElements()) {
        told_.push_back(Shown(control, shown_.State(control, index)));
    }
}

std::string WebView::Text(Control control, int index) const {
    return shown_.Text(control, index);
}

void WebView::SetText(Control control, int index, const std::string &text) {
    shown_.SetText(control, index, text);
}

bool WebView::Visible(Control control, int index) const {
    return shown_.Visible(control, index);
}

void WebView::SetVisible(Control control, int index, bool visible) {
    shown_.SetVisible(control, index, visible);
}

bool WebView::Enabled(Control control, int index) const {
    return shown_.Enabled(control, index);
}

void WebView::SetEnabled(Control control, int index, bool enabled) {
    shown_.SetEnabled(control, index, enabled);
}

void WebView::SetPicture(Control control, int index, const std::string &name) {
    shown_.SetPicture(control, index, name);
}

void WebView::SetBackColor(Control control, int index, vurp::Colour colour) {
    shown_.SetBackColor(control, index, colour);
}

void WebView::SetForeColor(Control control, int index, vurp::Colour colour) {
    shown_.SetForeColor(control, index, colour);
}

void WebView::Tell(const GameEvent &event) {
    story_.Add(event);
    events_.push_back(event);
}

void WebView::Restore(const ReplayedGame &replayed) {
    for (const auto &[control, index] : AllElements()) {
        const ControlState &state = replayed.view.State(control, index);
        shown_.SetText(control, index, state.text);
        shown_.SetPicture(control, index, state.picture);
        shown_.SetVisible(control, index, state.visible);
        shown_.SetEnabled(control, index, state.enabled);
        // A colour once set is never taken back to the platform's.
        if (state.back) {
            shown_.SetBackColor(control, index, *state.back);
        }
        if (state.fore) {
            shown_.SetForeColor(control, index, *state.fore);
        }
    }
    story_ = replayed.view.Story();
    events_.clear();
}

std::string WebView::ControlTable() {
    std::string out = "{\"width\":" + std::to_string(ui::kClientWidth * ui::kTwipsPerPixel) +
                      ",\"height\":" + std::to_string(ui::kClientHeight * ui::kTwipsPerPixel) +
                      ",\"controls\":[";
    std::size_t k = 0;
    for (const auto &[control, index] : AllElements()) {
        const ControlDesign &design = DesignOf(control);
        const ui::Twips place = ui::Placement(control, index);
        told_[k] = Shown(control, shown_.State(control, index));
        out += (k > 0 ? ",{" : "{") + std::string("\"name\":") +
               JsonString(ElementName(control, index)) +
               ",\"control\":" + JsonString(design.name) + ",\"index\":" + std::to_string(index) +
               ",\"kind\":\"" + KindName(design.kind) + "\"" +
               ",\"left\":" + std::to_string(place.left) + ",\"top\":" + std::to_string(place.top) +
               ",\"width\":" + std::to_string(place.width) +
               ",\"height\":" + std::to_string(place.height) +
               ",\"locked\":" + Bool(design.locked) + ",\"multiline\":" + Bool(design.multiline) +
               ",\"maxLength\":" + std::to_string(design.maxLength) + Properties(told_[k], nullptr) +
               "}";
        ++k;
    }
    events_.clear();
    return out + "],\"story\":" + Events(story_.Events()) + "}";
}

std::string WebView::TakeChanges() {
    std::string controls;
    std::size_t k = 0;
    for (const auto &[control, index] : AllElements()) {
        const ControlState now = Shown(control, shown_.State(control, index));
        if (const std::string changed = Properties(now, &told_[k]); !changed.empty()) {
            controls += (controls.empty() ? "{" : ",{") + std::string("\"name\":") +
                        JsonString(ElementName(control, index)) + changed + "}";
            told_[k] = now;
        }
        ++k;
    }
    const std::string events = Events(events_);
    events_.clear();
    return "{\"controls\":[" + controls + "],\"events\":" + events + "}";
}

} // namespace vurp::web
