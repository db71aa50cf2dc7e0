#include "web_view.h"

#include <cstddef>
#include <optional>

#include "cards.h"
#include "event_sentences.h"
#include "focus.h"
#include "fonts.h"
#include "json.h"
#include "layout.h"
#include "panel_stack.h"
#include "screen_reader.h"
#include "why_not.h"

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

std::string Sentences(std::vector<GameEvent>::const_iterator from,
                      std::vector<GameEvent>::const_iterator to) {
    std::string out = "[";
    for (auto event = from; event != to; ++event) {
        out += (out.size() > 1 ? "," : "") + JsonString(Sentence(*event));
    }
    return out + "]";
}

std::string Sentences(const std::vector<GameEvent> &events) {
    return Sentences(events.begin(), events.end());
}

std::string AlignmentName(Alignment alignment) {
    switch (alignment) {
    case Alignment::Left:
        return "left";
    case Alignment::Right:
        return "right";
    case Alignment::Centre:
        break;
    }
    return "centre";
}

std::string FontOf(Control control) {
    const std::optional<Font> own = OwnFont(control);
    if (!own) {
        return {};
    }
    std::string families = "[";
    for (const std::string &family : own->families) {
        families += (families.size() > 1 ? "," : "") + JsonString(family);
    }
    return ",\"font\":{\"families\":" + families +
           "],\"pointSize\":" + std::to_string(own->pointSize) + ",\"bold\":" + Bool(own->bold) +
           "}";
}

int TabPosition(Control control, int index) {
    const std::vector<ControlRef> order = TabOrder();
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (order[k] == ControlRef{control, index}) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

// Every picture a card box can show, with the words a screen reader hears.
std::string CardWordsTable() {
    std::string out =
        "{" + JsonString(std::string(CardBack)) + ":" + JsonString(CardWords(CardBack));
    for (std::size_t k = 0; k + 1 < DeckLiteral.size(); k += 2) {
        const std::string card(DeckLiteral.substr(k, 2));
        out += "," + JsonString(card) + ":" + JsonString(CardWords(card));
    }
    return out + "}";
}

std::string Names(const std::vector<int> &boxes) {
    std::string out = "[";
    for (const int box : boxes) {
        out += (out.size() > 1 ? "," : "") + JsonString(ElementName(Control::Pict1, box));
    }
    return out + "]";
}

std::string Panels() {
    std::string out = "[";
    for (const TablePanel &panel : PanelStack()) {
        out += (out.size() > 1 ? ",{" : "{") + std::string("\"text\":") +
               JsonString(DesignOf(panel.text).name) +
               ",\"button\":" + JsonString(DesignOf(panel.button).name) + "}";
    }
    return out + "]";
}

} // namespace

WebView::WebView() : told_(Now()), toldWhy_(told_.size()) {}

std::vector<ControlState> WebView::Now() const {
    std::vector<ControlState> states;
    states.reserve(AllElements().size());
    for (const auto &[control, index] : AllElements()) {
        states.push_back(Shown(control, shown_.State(control, index)));
    }
    return states;
}

std::string WebView::TrickBest() const {
    return table_ ? Trim(table_->TrickBest) : std::string();
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
    atEvent_.push_back({Now(), TrickBest()});
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
    atEvent_.clear();
}

std::string WebView::ControlTable() {
    std::string out = "{\"width\":" + std::to_string(kClientWidth * kTwipsPerPixel) +
                      ",\"height\":" + std::to_string(kClientHeight * kTwipsPerPixel) +
                      ",\"controls\":[";
    std::size_t k = 0;
    for (const auto &[control, index] : AllElements()) {
        toldWhy_[k] = table_ ? WhyNot(*table_, *this, control, index) : std::string();
        const ControlDesign &design = DesignOf(control);
        const Twips place = Placement(control, index);
        told_[k] = Shown(control, shown_.State(control, index));
        out +=
            (k > 0 ? ",{" : "{") + std::string("\"name\":") +
            JsonString(ElementName(control, index)) + ",\"control\":" + JsonString(design.name) +
            ",\"index\":" + std::to_string(index) + ",\"kind\":\"" + KindName(design.kind) + "\"" +
            ",\"left\":" + std::to_string(place.left) + ",\"top\":" + std::to_string(place.top) +
            ",\"width\":" + std::to_string(place.width) +
            ",\"height\":" + std::to_string(place.height) + ",\"locked\":" + Bool(design.locked) +
            ",\"multiline\":" + Bool(design.multiline) +
            ",\"maxLength\":" + std::to_string(design.maxLength) + Properties(told_[k], nullptr) +
            FontOf(control) + ",\"align\":\"" + AlignmentName(TextAlignment(control)) + "\"" +
            ",\"tab\":" + std::to_string(TabPosition(control, index)) +
            ",\"accName\":" + JsonString(ControlName(control, index)) +
            ",\"accDescription\":" + JsonString(ControlDescription(control, index)) +
            ",\"whyNot\":" + JsonString(toldWhy_[k]) + "}";
        ++k;
    }
    events_.clear();
    atEvent_.clear();
    toldBest_ = TrickBest();
    return out + "],\"story\":" + Events(story_.Events()) + ",\"log\":" + Log() +
           ",\"pointSize\":" + std::to_string(kTablePointSize) +
           ",\"windowColour\":" + std::to_string(kWindowColour) +
           ",\"hand\":" + Names(HandBoxesLeftToRight()) + ",\"panels\":" + Panels() +
           ",\"cardWords\":" + CardWordsTable() + ",\"trickBest\":" + JsonString(toldBest_) + "}";
}

std::string WebView::Log() const {
    return Sentences(story_.Events());
}

std::string WebView::Changed(const std::vector<ControlState> &now,
                             std::vector<ControlState> &told) {
    std::string controls;
    std::size_t k = 0;
    for (const auto &[control, index] : AllElements()) {
        if (const std::string changed = Properties(now[k], &told[k]); !changed.empty()) {
            controls += (controls.empty() ? "{" : ",{") + std::string("\"name\":") +
                        JsonString(ElementName(control, index)) + changed + "}";
            told[k] = now[k];
        }
        ++k;
    }
    return "[" + controls + "]";
}

// As the window paces the computer players' moves: the table as it stood
// just before each move, then as the action left it, each step with the
// events told on the way to it.
std::string WebView::Steps(const std::vector<ControlState> &now) {
    std::vector<std::size_t> moves;
    for (std::size_t k = 0; k < events_.size(); ++k) {
        if (IsComputerMove(events_[k])) {
            moves.push_back(k);
        }
    }
    if (moves.empty()) {
        return {};
    }
    std::vector<ControlState> told = told_;
    std::string out;
    const auto step = [&](const std::vector<ControlState> &states, const std::string &best,
                          std::size_t from, std::size_t to) {
        const auto begin = events_.begin();
        out += (out.empty() ? "{" : ",{") + std::string("\"controls\":") + Changed(states, told) +
               ",\"sentences\":" +
               Sentences(begin + static_cast<std::ptrdiff_t>(from),
                         begin + static_cast<std::ptrdiff_t>(to)) +
               ",\"trickBest\":" + JsonString(best) + "}";
    };
    const AtEvent before{told_, toldBest_};
    const AtEvent &first = moves.front() == 0 ? before : atEvent_[moves.front() - 1];
    step(first.states, first.trickBest, 0, moves.front());
    for (std::size_t m = 0; m < moves.size(); ++m) {
        if (m + 1 < moves.size()) {
            const AtEvent &at = atEvent_[moves[m + 1] - 1];
            step(at.states, at.trickBest, moves[m], moves[m + 1]);
        } else {
            step(now, TrickBest(), moves[m], events_.size());
        }
    }
    return ",\"steps\":[" + out + "]";
}

std::string WebView::TakeChanges() {
    const std::vector<ControlState> now = Now();
    const std::string steps = Steps(now);
    std::string out = "{\"controls\":" + Changed(now, told_) + ",\"events\":" + Events(events_);
    if (!events_.empty()) {
        out += ",\"sentences\":" + Sentences(events_);
    }
    if (const std::string best = TrickBest(); best != toldBest_) {
        toldBest_ = best;
        out += ",\"trickBest\":" + JsonString(best);
    }
    std::string reasons;
    std::size_t k = 0;
    for (const auto &[control, index] : AllElements()) {
        std::string why = table_ ? WhyNot(*table_, *this, control, index) : std::string();
        if (why != toldWhy_[k]) {
            reasons += (reasons.empty() ? "{" : ",{") + std::string("\"name\":") +
                       JsonString(ElementName(control, index)) + ",\"text\":" + JsonString(why) +
                       "}";
            toldWhy_[k] = std::move(why);
        }
        ++k;
    }
    if (!reasons.empty()) {
        out += ",\"whyNot\":[" + reasons + "]";
    }
    events_.clear();
    atEvent_.clear();
    return out + steps + "}";
}

} // namespace vurp::web
