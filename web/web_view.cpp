#include "web_view.h"

#include <algorithm>
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

const std::string kNothing;

// Appends `,"key":value` for each property of `now` as the page shows it that
// differs from what the page was `told` (every property when it was told
// nothing), and takes note that it is told. The page shows the state as the
// driver's snapshot writes it: a picture box has no text and only a picture
// box has a picture.
void AppendProperties(std::string &out, Control control, const ControlState &now,
                      ControlState *told) {
    const bool picture = DesignOf(control).kind == ControlKind::Picture;
    const std::string &text = picture ? kNothing : now.text;
    const std::string &name = picture ? now.picture : kNothing;
    if (!told || now.visible != told->visible) {
        out.append(",\"visible\":").append(Bool(now.visible));
    }
    if (!told || now.enabled != told->enabled) {
        out.append(",\"enabled\":").append(Bool(now.enabled));
    }
    if (!told || text != told->text) {
        out.append(",\"text\":").append(JsonString(text));
    }
    if (!told || name != told->picture) {
        out.append(",\"picture\":").append(JsonString(name));
    }
    if (!told || now.back != told->back) {
        out.append(",\"back\":").append(Colour(now.back));
    }
    if (!told || now.fore != told->fore) {
        out.append(",\"fore\":").append(Colour(now.fore));
    }
    if (told) {
        *told = {text, name, now.visible, now.enabled, now.back, now.fore};
    }
}

void AppendEvents(std::string &out, const std::vector<GameEvent> &events) {
    out += '[';
    for (std::size_t k = 0; k < events.size(); ++k) {
        out.append(k > 0 ? "," : "").append(EventLine(events[k]));
    }
    out += ']';
}

} // namespace

WebView::WebView() : firstElement_(static_cast<std::size_t>(kControlCount)) {
    const auto &elements = AllElements();
    for (std::size_t k = elements.size(); k-- > 0;) {
        firstElement_[static_cast<std::size_t>(elements[k].first)] = k;
    }
    std::string ignored;
    told_.resize(elements.size());
    for (std::size_t k = 0; k < elements.size(); ++k) {
        const auto &[control, index] = elements[k];
        AppendProperties(ignored, control, shown_.State(control, index), &told_[k]);
    }
    touched_.assign(told_.size(), false);
}

void WebView::Touch(Control control, int index) {
    if (!ValidControl(control, index)) {
        return;
    }
    const std::size_t k = firstElement_[static_cast<std::size_t>(control)] +
                          static_cast<std::size_t>(index == 0 ? 0 : index - 1);
    if (!touched_[k]) {
        touched_[k] = true;
        touchedList_.push_back(k);
    }
}

std::string WebView::Text(Control control, int index) const {
    return shown_.Text(control, index);
}

void WebView::SetText(Control control, int index, const std::string &text) {
    shown_.SetText(control, index, text);
    Touch(control, index);
}

bool WebView::Visible(Control control, int index) const {
    return shown_.Visible(control, index);
}

void WebView::SetVisible(Control control, int index, bool visible) {
    shown_.SetVisible(control, index, visible);
    Touch(control, index);
}

bool WebView::Enabled(Control control, int index) const {
    return shown_.Enabled(control, index);
}

void WebView::SetEnabled(Control control, int index, bool enabled) {
    shown_.SetEnabled(control, index, enabled);
    Touch(control, index);
}

void WebView::SetPicture(Control control, int index, const std::string &name) {
    shown_.SetPicture(control, index, name);
    Touch(control, index);
}

void WebView::SetBackColor(Control control, int index, vurp::Colour colour) {
    shown_.SetBackColor(control, index, colour);
    Touch(control, index);
}

void WebView::SetForeColor(Control control, int index, vurp::Colour colour) {
    shown_.SetForeColor(control, index, colour);
    Touch(control, index);
}

void WebView::Tell(const GameEvent &event) {
    story_.Add(event);
    events_.push_back(event);
}

void WebView::Restore(const ReplayedGame &replayed) {
    for (const auto &[control, index] : AllElements()) {
        const ControlState &state = replayed.view.State(control, index);
        SetText(control, index, state.text);
        SetPicture(control, index, state.picture);
        SetVisible(control, index, state.visible);
        SetEnabled(control, index, state.enabled);
        // A colour once set is never taken back to the platform's.
        if (state.back) {
            SetBackColor(control, index, *state.back);
        }
        if (state.fore) {
            SetForeColor(control, index, *state.fore);
        }
    }
    story_ = replayed.view.Story();
    events_.clear();
}

std::string WebView::ControlTable() {
    std::string out = "{\"width\":" + std::to_string(ui::kClientWidth * ui::kTwipsPerPixel) +
                      ",\"height\":" + std::to_string(ui::kClientHeight * ui::kTwipsPerPixel) +
                      ",\"controls\":[";
    const auto &elements = AllElements();
    for (std::size_t k = 0; k < elements.size(); ++k) {
        const auto &[control, index] = elements[k];
        const ControlDesign &design = DesignOf(control);
        const ui::Twips place = ui::Placement(control, index);
        out.append(k > 0 ? ",{" : "{")
            .append("\"name\":")
            .append(JsonString(ElementName(control, index)))
            .append(",\"control\":")
            .append(JsonString(design.name))
            .append(",\"index\":" + std::to_string(index))
            .append(",\"kind\":\"" + KindName(design.kind) + "\"")
            .append(",\"left\":" + std::to_string(place.left))
            .append(",\"top\":" + std::to_string(place.top))
            .append(",\"width\":" + std::to_string(place.width))
            .append(",\"height\":" + std::to_string(place.height))
            .append(",\"locked\":" + Bool(design.locked))
            .append(",\"multiline\":" + Bool(design.multiline))
            .append(",\"maxLength\":" + std::to_string(design.maxLength));
        told_[k] = {};
        AppendProperties(out, control, shown_.State(control, index), nullptr);
        std::string ignored;
        AppendProperties(ignored, control, shown_.State(control, index), &told_[k]);
        out += '}';
    }
    for (const std::size_t touched : touchedList_) {
        touched_[touched] = false;
    }
    touchedList_.clear();
    events_.clear();
    out.append("],\"story\":");
    AppendEvents(out, story_.Events());
    return out + "}";
}

std::string WebView::TakeChanges() {
    // In the order of the control table, whatever the order of the changes.
    std::sort(touchedList_.begin(), touchedList_.end());
    const auto &elements = AllElements();
    std::string out = "{\"controls\":[";
    bool first = true;
    for (const std::size_t k : touchedList_) {
        touched_[k] = false;
        const auto &[control, index] = elements[k];
        const std::size_t start = out.size();
        out.append(first ? "{" : ",{")
            .append("\"name\":")
            .append(JsonString(ElementName(control, index)));
        const std::size_t named = out.size();
        AppendProperties(out, control, shown_.State(control, index), &told_[k]);
        if (out.size() == named) {
            out.resize(start); // set again as it was
        } else {
            out += '}';
            first = false;
        }
    }
    touchedList_.clear();
    out.append("],\"events\":");
    AppendEvents(out, events_);
    events_.clear();
    return out + "}";
}

} // namespace vurp::web
