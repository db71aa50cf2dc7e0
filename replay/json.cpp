#include "json.h"

#include <optional>

#include "controls.h"
#include "money.h"
#include "utf8.h"

namespace vurp {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// Printable ASCII that a JSON string holds unescaped.
bool IsPlainAscii(unsigned char c) {
    return c >= 0x20 && c < 0x80 && c != '"' && c != '\\';
}

std::string JsonBool(bool value) {
    return value ? "true" : "false";
}

std::string JsonColour(const std::optional<Colour> &colour) {
    return colour ? std::to_string(*colour) : "null";
}

// Seats 1..3 or slots 1..n of a table array whose index 0 holds nothing.
template <typename Array, typename Format>
std::string JsonArray(const Array &values, std::size_t last, Format format) {
    std::string out = "[";
    for (std::size_t i = 1; i <= last; ++i) {
        out += (i > 1 ? "," : "") + format(values[i]);
    }
    return out + "]";
}

std::string JsonInt(int value) {
    return std::to_string(value);
}

std::string JsonStatus(DeclarationStatus status) {
    return JsonInt(StatusNumber(status));
}

std::string StateObject(const Table &t) {
    std::string out = "{";
    out += "\"Deck\":" + JsonString(t.Deck);
    out += ",\"DeckPos\":" + JsonInt(t.DeckPos);
    out += ",\"Hands\":" + JsonArray(t.Hands, 3, JsonString);
    out += ",\"TurnedCard\":" + JsonString(t.TurnedCard);
    out += ",\"Trump\":" + JsonString(t.Trump);
    out += ",\"TrumpsOut\":" + JsonString(t.TrumpsOut);
    out += ",\"CurSeat\":" + JsonInt(t.CurSeat);
    out += ",\"Dealer\":" + JsonInt(t.Dealer);
    out += ",\"Stake\":" + JsonString(PlainDecimal(t.Stake));
    out += ",\"Status\":" + JsonArray(t.Status, 3, JsonStatus);
    out += ",\"Tricks\":" + JsonArray(t.Tricks, 3, JsonInt);
    out += ",\"PlayPhase\":" + JsonBool(t.PlayPhase);
    out += ",\"PlayMode\":" + JsonInt(t.PlayMode);
    out += ",\"Played\":" + JsonArray(t.Played, 12, JsonString);
    out += ",\"TrickBest\":" + JsonString(t.TrickBest);
    out += ",\"LedSuit\":" + JsonString(t.LedSuit);
    out += ",\"GoRank\":" + JsonInt(t.GoRank);
    return out + "}";
}

std::string ControlObject(const ControlDesign &design, const ControlState &state) {
    // Picture boxes have no text and only picture boxes have a picture,
    // whatever the view was told.
    const bool picture = design.kind == ControlKind::Picture;
    std::string out = "{";
    out += "\"visible\":" + JsonBool(state.visible);
    out += ",\"enabled\":" + JsonBool(state.enabled);
    out += ",\"text\":" + JsonString(picture ? "" : state.text);
    out += ",\"picture\":" + JsonString(picture ? state.picture : "");
    out += ",\"back\":" + JsonColour(state.back);
    out += ",\"fore\":" + JsonColour(state.fore);
    return out + "}";
}

std::string ControlsObject(const RecordingView &view) {
    std::string out = "{";
    bool first = true;
    auto add = [&](const std::string &key, const ControlDesign &design, int index) {
        out += (first ? "" : ",") + JsonString(key) + ":" +
               ControlObject(design, view.State(design.id, index));
        first = false;
    };
    for (const auto &[control, index] : AllElements()) {
        add(ElementName(control, index), DesignOf(control), index);
    }
    return out + "}";
}

} // namespace

void AppendJsonString(std::string &out, std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += '"';
    for (std::size_t pos = 0; pos < text.size();) {
        // A run of plain ASCII and well-formed UTF-8 goes over as it is.
        std::size_t run = pos;
        while (run < text.size()) {
            const auto c = static_cast<unsigned char>(text[run]);
            // Two-byte letters (Cyrillic among them) are checked here at once.
            const bool twoBytes = c >= 0xC2 && c <= 0xDF && run + 1 < text.size() &&
                                  (static_cast<unsigned char>(text[run + 1]) & 0xC0) == 0x80;
            const std::size_t length = IsPlainAscii(c) ? 1
                                       : twoBytes      ? 2
                                       : c < 0x80      ? 0
                                                       : Utf8CharLength(text, run);
            if (length == 0) {
                break;
            }
            run += length;
        }
        out.append(text.data() + pos, run - pos);
        pos = run;
        if (pos == text.size()) {
            break;
        }
        const auto c = static_cast<unsigned char>(text[pos]);
        if (c == '"' || c == '\\') {
            const char escaped[] = {'\\', static_cast<char>(c)};
            out.append(escaped, sizeof escaped);
        } else if (c < 0x20) {
            const char escaped[] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xF]};
            out.append(escaped, sizeof escaped);
        } else {
            out += kReplacementCharacter;
        }
        ++pos;
    }
    out += '"';
}

std::string JsonString(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    AppendJsonString(out, text);
    return out;
}

std::string Snapshot(const Table &table, const RecordingView &view) {
    return "{\"state\":" + StateObject(table) + ",\"controls\":" + ControlsObject(view) + "}";
}

std::string EventLine(const GameEvent &event) {
    // The keys an event carries besides its kind.
    enum Key : unsigned {
        Seat = 1,
        Card = 2,
        Words = 4,
        Rank = 8,
        Holds = 16,
        Count = 32,
        Tricks = 64,
        Amount = 128,
        Reason = 256,
    };
    struct Shape {
        const char *name;
        unsigned keys;
    };
    const auto shape = [&]() -> Shape {
        switch (event.kind) {
        case EventKind::Stakes:
            return {"stakes", Amount};
        case EventKind::Turned:
            return {"turned", Card};
        case EventKind::Redeal:
            return {"redeal", 0};
        case EventKind::Vurp:
            return {"vurp", Seat | Words};
        case EventKind::Pass:
            return {"pass", Seat | Words};
        case EventKind::Helicopter:
            return {"helicopter", Seat | Words};
        case EventKind::Help:
            return {"help", Seat | Words};
        case EventKind::Out:
            return {"out", Seat | Words};
        case EventKind::GoingFor:
            return {"going_for", Seat | Rank | Words};
        case EventKind::Answer:
            return {"answer", Seat | Rank | Holds | Words};
        case EventKind::Draw:
            return {"draw", Seat | Rank | Count};
        case EventKind::TakeFive:
            return {"take_five", Seat | Words};
        case EventKind::Discard:
            return {"discard", Seat | Card};
        case EventKind::Exchange:
            return {"exchange", Seat | Count};
        case EventKind::Card:
            return {"card", Seat | Card};
        case EventKind::Trick:
            return {"trick", Seat | Tricks};
        case EventKind::FourOfAKind:
            return {"four_of_a_kind", Seat | Rank | Tricks};
        case EventKind::Settlement:
            return {"settlement", Seat | Amount | Reason | Tricks};
        }
        return {"unknown", Seat | Card | Words | Rank | Holds | Count | Amount | Reason};
    }();
    const auto reason = [&]() -> std::string_view {
        switch (event.reason) {
        case SettlementReason::Share:
            return "share";
        case SettlementReason::DeclarerShort:
            return "declarer_short";
        case SettlementReason::HelperNoTrick:
            return "helper_no_trick";
        case SettlementReason::None:
            break;
        }
        return "none";
    };

    std::string out = "{\"event\":" + JsonString(shape.name);
    const auto has = [&](Key key) { return (shape.keys & key) != 0; };
    if (has(Seat)) {
        out += ",\"seat\":" + JsonInt(event.seat);
    }
    if (has(Card)) {
        out += ",\"card\":" + JsonString(event.card);
    }
    if (has(Rank)) {
        out += ",\"rank\":" + JsonInt(event.rank);
    }
    if (has(Holds)) {
        out += ",\"holds\":" + JsonBool(event.holds);
    }
    if (has(Count)) {
        out += ",\"count\":" + JsonInt(event.count);
    }
    if (has(Tricks)) {
        out += ",\"tricks\":" + JsonInt(event.count);
    }
    if (has(Amount)) {
        out += ",\"amount\":" + JsonString(PlainDecimal(event.amount));
    }
    if (has(Reason)) {
        out += ",\"reason\":" + JsonString(reason());
    }
    if (has(Words)) {
        out += ",\"words\":" + JsonString(event.words);
    }
    return out + "}";
}

} // namespace vurp
