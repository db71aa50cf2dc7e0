#include "web_view.h"

#include <algorithm>
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

const std::string kNothing;

// Room for the changes of a usual action, so that they are seldom moved.
constexpr std::size_t kChangesReserve = 4096;

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
        out.append(",\"text\":");
        AppendJsonString(out, text);
    }
    if (!told || name != told->picture) {
        out.append(",\"picture\":");
        AppendJsonString(out, name);
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

// The sentences of events `from` up to `to`, each already a JSON string.
void AppendSentences(std::string &out, const std::vector<std::string> &sentences, std::size_t from,
                     std::size_t to) {
    out += '[';
    for (std::size_t k = from; k < to; ++k) {
        out.append(k != from ? "," : "").append(sentences[k]);
    }
    out += ']';
}

std::vector<std::string> QuotedSentences(const std::vector<GameEvent> &events) {
    std::vector<std::string> sentences;
    sentences.reserve(events.size());
    for (const GameEvent &event : events) {
        sentences.push_back(JsonString(Sentence(event)));
    }
    return sentences;
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

int TabPosition(const std::vector<ControlRef> &order, Control control, int index) {
    const auto at = std::find(order.begin(), order.end(), ControlRef{control, index});
    return at == order.end() ? -1 : static_cast<int>(at - order.begin());
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

std::string HandNames() {
    std::string out = "[";
    for (const int box : HandBoxesLeftToRight()) {
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
        quotedNames_.push_back(JsonString(ElementName(control, index)));
    }
    touched_.assign(told_.size(), false);
    sinceEvent_.assign(told_.size(), false);
    stepTold_.resize(told_.size());
    stepCopied_.assign(told_.size(), false);
    stepLatest_.assign(told_.size(), nullptr);
    toldWhy_.resize(told_.size());
}

std::string WebView::TrickBest() const {
    return table_ ? Trim(table_->TrickBest) : std::string();
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
    if (!sinceEvent_[k]) {
        sinceEvent_[k] = true;
        sinceEventList_.push_back(k);
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
    AtEvent at{{}, TrickBest()};
    at.set.reserve(sinceEventList_.size());
    const auto &elements = AllElements();
    for (const std::size_t k : sinceEventList_) {
        sinceEvent_[k] = false;
        at.set.emplace_back(k, shown_.State(elements[k].first, elements[k].second));
    }
    sinceEventList_.clear();
    atEvent_.push_back(std::move(at));
}

void WebView::Forget() {
    for (const std::size_t touched : touchedList_) {
        touched_[touched] = false;
    }
    touchedList_.clear();
    for (const std::size_t set : sinceEventList_) {
        sinceEvent_[set] = false;
    }
    sinceEventList_.clear();
    events_.clear();
    atEvent_.clear();
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
    atEvent_.clear();
}

std::string WebView::ControlTable() {
    std::string out = "{\"width\":" + std::to_string(kClientWidth * kTwipsPerPixel) +
                      ",\"height\":" + std::to_string(kClientHeight * kTwipsPerPixel) +
                      ",\"controls\":[";
    const auto &elements = AllElements();
    const std::vector<ControlRef> order = TabOrder();
    if (table_) {
        WhyNotEach(*table_, *this, toldWhy_);
    }
    for (std::size_t k = 0; k < elements.size(); ++k) {
        const auto &[control, index] = elements[k];
        const ControlDesign &design = DesignOf(control);
        const Twips place = Placement(control, index);
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
        out.append(FontOf(control))
            .append(",\"align\":\"" + AlignmentName(TextAlignment(control)) + "\"")
            .append(",\"tab\":" + std::to_string(TabPosition(order, control, index)))
            .append(",\"accName\":" + JsonString(ControlName(control, index)))
            .append(",\"accDescription\":" + JsonString(ControlDescription(control, index)))
            .append(",\"whyNot\":" + JsonString(toldWhy_[k]));
        out += '}';
    }
    Forget();
    toldBest_ = TrickBest();
    out.append("],\"story\":");
    AppendEvents(out, story_.Events());
    return out + ",\"log\":" + Log() + ",\"pointSize\":" + std::to_string(kTablePointSize) +
           ",\"windowColour\":" + std::to_string(kWindowColour) + ",\"hand\":" + HandNames() +
           ",\"panels\":" + Panels() + ",\"cardWords\":" + CardWordsTable() +
           ",\"trickBest\":" + JsonString(toldBest_) + "}";
}

std::string WebView::Log() const {
    const std::vector<std::string> sentences = QuotedSentences(story_.Events());
    std::string out;
    AppendSentences(out, sentences, 0, sentences.size());
    return out;
}

// As the window paces the computer players' moves: the table as it stood
// just before each move (when the event before it was told), then as the
// action left it, each step with the events told on the way to it and only
// what changed since the step before.
bool WebView::AppendSteps(std::string &out, const std::vector<std::string> &sentences) {
    std::vector<std::size_t> moves;
    for (std::size_t k = 0; k < events_.size(); ++k) {
        if (IsComputerMove(events_[k])) {
            moves.push_back(k);
        }
    }
    if (moves.empty()) {
        return false;
    }
    const auto &elements = AllElements();
    // What each step leaves the page told, copied from told_ when first set.
    std::vector<ControlState> &told = stepTold_;
    std::vector<bool> &copied = stepCopied_;
    std::vector<std::size_t> &copiedList = stepCopiedList_;
    std::vector<const ControlState *> &latest = stepLatest_;
    std::vector<std::size_t> set;
    std::size_t applied = 0; // events whose settings are taken in
    bool firstStep = true;
    out.append("\"steps\":[");
    const auto step = [&](std::size_t upTo, const std::string &best, std::size_t from,
                          std::size_t to, bool last) {
        for (; applied < upTo; ++applied) {
            for (const auto &[k, state] : atEvent_[applied].set) {
                if (!latest[k]) {
                    set.push_back(k);
                }
                latest[k] = &state;
                if (!copied[k]) {
                    told[k] = told_[k];
                    copied[k] = true;
                    copiedList.push_back(k);
                }
            }
        }
        if (last) {
            for (const std::size_t k : touchedList_) {
                if (!latest[k]) {
                    set.push_back(k);
                }
                latest[k] = &shown_.State(elements[k].first, elements[k].second);
                if (!copied[k]) {
                    told[k] = told_[k];
                    copied[k] = true;
                    copiedList.push_back(k);
                }
            }
        }
        std::sort(set.begin(), set.end());
        out.append(firstStep ? "{" : ",{").append("\"controls\":[");
        bool first = true;
        for (const std::size_t k : set) {
            const std::size_t start = out.size();
            out.append(first ? "{\"name\":" : ",{\"name\":").append(quotedNames_[k]);
            const std::size_t named = out.size();
            AppendProperties(out, elements[k].first, *latest[k], &told[k]);
            if (out.size() == named) {
                out.resize(start);
            } else {
                out += '}';
                first = false;
            }
            latest[k] = nullptr;
        }
        set.clear();
        firstStep = false;
        out.append("],\"sentences\":");
        AppendSentences(out, sentences, from, to);
        out.append(",\"trickBest\":");
        AppendJsonString(out, best);
        out += '}';
    };
    // The table just before the first move: as the event before it left it.
    const std::size_t before = moves.front();
    step(before, before == 0 ? toldBest_ : atEvent_[before - 1].trickBest, 0, before, false);
    for (std::size_t m = 0; m < moves.size(); ++m) {
        if (m + 1 < moves.size()) {
            const std::size_t next = moves[m + 1];
            step(next, atEvent_[next - 1].trickBest, moves[m], next, false);
        } else {
            step(events_.size(), TrickBest(), moves[m], events_.size(), true);
        }
    }
    // The page is told what the last step leaves it.
    for (const std::size_t k : copiedList) {
        copied[k] = false;
        told_[k] = std::move(told[k]);
    }
    copiedList.clear();
    out += ']';
    return true;
}

// The reasons that changed, each text once with the elements it is now given
// to, each by its place in the control table.
void WebView::AppendReasons(std::string &out) {
    WhyNotEach(*table_, *this, why_);
    std::vector<std::pair<const std::string *, std::string>> groups;
    for (std::size_t k = 0; k < why_.size(); ++k) {
        if (why_[k] == toldWhy_[k]) {
            continue;
        }
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&](const auto &g) { return *g.first == why_[k]; });
        if (group == groups.end()) {
            groups.emplace_back(&why_[k], std::string());
            group = groups.end() - 1;
        }
        group->second.append(group->second.empty() ? "" : ",").append(std::to_string(k));
    }
    for (std::size_t g = 0; g < groups.size(); ++g) {
        out.append(g == 0 ? ",\"whyNot\":[{\"text\":" : ",{\"text\":");
        AppendJsonString(out, *groups[g].first);
        out.append(",\"elements\":[").append(groups[g].second).append("]}");
    }
    if (!groups.empty()) {
        out += ']';
    }
    toldWhy_.swap(why_);
}

// The elements set since the page was last told, each with the properties
// that changed, in the order of the control table.
void WebView::AppendControls(std::string &out) {
    const auto &elements = AllElements();
    out.append("\"controls\":[");
    bool first = true;
    for (const std::size_t k : touchedList_) {
        const auto &[control, index] = elements[k];
        const std::size_t start = out.size();
        out.append(first ? "{\"name\":" : ",{\"name\":").append(quotedNames_[k]);
        const std::size_t named = out.size();
        AppendProperties(out, control, shown_.State(control, index), &told_[k]);
        if (out.size() == named) {
            out.resize(start); // set again as it was
        } else {
            out += '}';
            first = false;
        }
    }
    out += ']';
}

std::string WebView::TakeChanges() {
    // In the order of the control table, whatever the order of the changes.
    std::sort(touchedList_.begin(), touchedList_.end());
    const std::vector<std::string> sentences = QuotedSentences(events_);
    std::string out;
    out.reserve(kChangesReserve);
    out += '{';
    // The steps, when there are any, hold every change and sentence.
    const bool steps = AppendSteps(out, sentences);
    if (!steps) {
        AppendControls(out);
    }
    if (eventLines_) {
        out.append(",\"events\":");
        AppendEvents(out, events_);
    }
    if (!events_.empty() && !steps) {
        out.append(",\"sentences\":");
        AppendSentences(out, sentences, 0, sentences.size());
    }
    if (std::string best = TrickBest(); best != toldBest_) {
        out.append(",\"trickBest\":").append(JsonString(best));
        toldBest_ = std::move(best);
    }
    if (table_) {
        AppendReasons(out);
    }
    Forget();
    return out.append("}");
}

} // namespace vurp::web
