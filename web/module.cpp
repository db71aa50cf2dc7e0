// The module the browser page plays through: one game at a time behind a
// handful of C functions. Texts go in and come out as UTF-8 with a closing
// zero; a text handed out stays valid until the next call. Every action is
// written to the game's journal as the desktop program writes its own, so
// that the page can keep the journal and give it back to go on later.
#include <emscripten/emscripten.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "controls.h"
#include "finished_record.h"
#include "float_chars.h"
#include "focus.h"
#include "game.h"
#include "hint.h"
#include "journal.h"
#include "json.h"
#include "random.h"
#include "script.h"
#include "statistics.h"
#include "statistics_words.h"
#include "utf8.h"
#include "web_view.h"

namespace vurp::web {

namespace {

// A game with where its numbers come from, its view and its journal.
struct Session {
    explicit Session(std::unique_ptr<Random> source)
        : fresh(std::move(source)), random(*fresh), journal(JournalHeader()) {
        view.Follow(game);
    }

    std::unique_ptr<Random> fresh;
    JournalRandom random;
    WebView view;
    Game game{view, random};
    std::string journal;
    // The fresh source when the page gives the numbers, else none.
    ScriptedRandom *scripted = nullptr;
    // The hint's own numbers: asking for one never moves the game's. Asked
    // again before the next action, the same hint.
    ClockRandom hintRandom;
    std::optional<Hint> hint;
    // The journal's statistics, folded on as it grows; made anew after a
    // fold that failed half way.
    std::optional<JournalStatistics> statistics{std::in_place};
};

std::unique_ptr<Session> session;
std::string handedOut;

Session &Current() {
    if (!session) {
        session = std::make_unique<Session>(std::make_unique<ClockRandom>());
        session->game.Form_Load();
        session->view.TakeChanges();
    }
    return *session;
}

const char *HandOut(std::string text) {
    handedOut = std::move(text);
    return handedOut.c_str();
}

std::optional<std::uint64_t> ReadSeed(std::string_view text) {
    std::uint64_t seed = 0;
    const char *end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, seed);
    if (text.empty() || text.front() < '0' || text.front() > '9' || error != std::errc() ||
        stop != end) {
        return std::nullopt;
    }
    return seed;
}

// Results of the actions.
constexpr int kDone = 1;
constexpr int kNotDone = 0; // refused, or nothing to do
constexpr int kBadInput = -1;
// The game failed while it handled the action: the journal holds every
// action before it, and a game restored from it goes on from there.
constexpr int kGameFailed = -2;

template <typename Action> int Guarded(Action action) {
    try {
        return action();
    } catch (const std::exception &) {
        return kGameFailed;
    }
}

// A text from the page that may be missing: none is "".
std::string_view TextOrNone(const char *text) {
    return text == nullptr ? std::string_view() : std::string_view(text);
}

// A number as JSON: the shortest text that reads back as it, no exponent.
std::string JsonNumber(double value) {
    char text[400];
    const auto [end, error] =
        DoubleToChars(text, text + sizeof text, value, std::chars_format::fixed);
    return error == std::errc() && std::isfinite(value) ? std::string(text, end) : "0";
}

std::string StatisticsJson(Session &s, std::string_view record, bool kept, double moneyTicks,
                           double dealLabels) {
    const bool readable = s.statistics->Follow(s.journal);
    const GameStatistics &game = s.statistics->Statistics();
    const std::vector<Balances> &series = game.Series();
    const bool underWay = game.DealUnderWay();

    // Written in one string from start to end: pieces added up with + would
    // weigh several times as much in the module.
    std::string out = "{\"seats\":[";
    const auto comma = [&out](std::size_t k) {
        if (k > 0) {
            out += ',';
        }
    };
    for (std::size_t seat = 0; seat < kStatisticsSeatNames.size(); ++seat) {
        comma(seat);
        out += JsonString(kStatisticsSeatNames[seat]);
    }
    out += "],\"rows\":[";
    for (std::size_t row = 0; row < series.size(); ++row) {
        comma(row);
        out += "{\"name\":";
        out += JsonString(MoneyRowName(row, underWay && row + 1 == series.size()));
        for (const bool quoted : {true, false}) {
            out += quoted ? ",\"money\":[" : "],\"values\":[";
            for (std::size_t seat = 0; seat < series[row].size(); ++seat) {
                comma(seat);
                const std::string amount = PlainDecimal(series[row][seat]);
                out += quoted ? JsonString(amount) : amount;
            }
        }
        out += "]}";
    }
    out += "],\"underWay\":";
    out += underWay ? "true" : "false";
    out += ",\"description\":";
    out += JsonString(ChartDescription(series, underWay));

    const MoneyScale scale = MoneyAxis(series, moneyTicks);
    out += ",\"moneyAxis\":{\"low\":";
    out += JsonNumber(scale.low);
    out += ",\"high\":";
    out += JsonNumber(scale.high);
    out += ",\"ticks\":[";
    for (int k = 0; k <= scale.ticks; ++k) {
        const double value = scale.low + k * scale.step;
        comma(static_cast<std::size_t>(k));
        out += "{\"value\":";
        out += JsonNumber(value);
        out += ",\"text\":";
        out += JsonString(TickText(value, scale.step));
        out += '}';
    }
    out += "]},\"dealStep\":";
    out += std::to_string(DealStep(static_cast<int>(series.size() - 1), dealLabels));

    const Tally tally = game.Counts();
    Tally all;
    int unreadable = readable ? 0 : 1;
    if (kept) {
        const RecordSum finished = SumRecord(record, GameKey(s.journal));
        all = finished.tally;
        unreadable += finished.unreadable;
    }
    all += tally;
    out += ",\"counts\":[";
    for (std::size_t row = 0; row < kCountRows.size(); ++row) {
        comma(row);
        const CountRow &count = kCountRows[row];
        out += "{\"name\":";
        out += JsonString(count.name);
        out += ",\"hint\":";
        out += JsonString(count.hint);
        out += ",\"game\":";
        out += JsonString(count.value(tally));
        out += ",\"all\":";
        out += JsonString(count.value(all));
        out += '}';
    }
    out += "],\"notes\":[";
    if (!kept) {
        out += JsonString(kNotKeptNote);
    }
    if (unreadable > 0) {
        comma(kept ? 0 : 1);
        out += JsonString(UnreadableNote(unreadable));
    }
    out += "]}";
    return out;
}

std::string FaultName(JournalFault fault) {
    switch (fault) {
    case JournalFault::NotJournal:
        return "not_journal";
    case JournalFault::NewerFormat:
        return "newer_format";
    case JournalFault::ReplayFailed:
        return "replay_failed";
    case JournalFault::None:
        break;
    }
    return "none";
}

} // namespace

} // namespace vurp::web

using namespace vurp;
using namespace vurp::web;

extern "C" {

// A new game. `seed` is "" or a decimal number up to 2^64 - 1. With
// `scripted` 0 the numbers come from the clock, or, with a seed, from the
// replay format's generator started there, as `vurp --seed N` plays; with
// `scripted` 1 they come first from the values vurp_random queues, then from
// that generator at the seed (0 without one), each written to the journal as
// it is drawn, and the changes carry the events as the driver prints them. A
// bad seed starts nothing: 0, and the game goes on; else 1.
EMSCRIPTEN_KEEPALIVE int vurp_start(const char *seed, int scripted) {
    const std::string_view text = seed;
    const std::optional<std::uint64_t> state = text.empty() ? 0 : ReadSeed(text);
    if (!state) {
        return kNotDone;
    }
    return Guarded([&] {
        std::unique_ptr<Session> next;
        if (scripted != 0) {
            auto source = std::make_unique<ScriptedRandom>();
            ScriptedRandom *numbers = source.get();
            numbers->Seed(*state);
            next = std::make_unique<Session>(std::move(source));
            next->scripted = numbers;
            next->view.TellEventLines(true);
        } else {
            next = std::make_unique<Session>(std::make_unique<ClockRandom>());
            if (!text.empty()) {
                next->random.Seed(*state);
                next->journal += SeedLine(*state);
            }
        }
        next->game.Form_Load();
        next->view.TakeChanges();
        session = std::move(next);
        return kDone;
    });
}

// Queues a number for a scripted game, written as a `rand` line of a script
// writes it: 1, or 0 for a text that is no such number or a game whose
// numbers are not scripted.
EMSCRIPTEN_KEEPALIVE int vurp_random(const char *value) {
    Session &s = Current();
    const std::optional<double> draw = ReadDraw(value);
    if (!draw || s.scripted == nullptr) {
        return kNotDone;
    }
    s.scripted->Push(*draw);
    return kDone;
}

// A click on the control named `control` (index 0) or on element `index` of
// the control array: 1 when delivered, 0 when the control is hidden or
// disabled, -1 for a control or element the table does not have, -2 when the
// game failed.
EMSCRIPTEN_KEEPALIVE int vurp_click(const char *control, int index) {
    Session &s = Current();
    const std::optional<Control> id = ControlByName(control);
    if (!id || !ValidControl(*id, index)) {
        return kBadInput;
    }
    return Guarded([&] {
        const std::optional<std::string> lines = RecordedClick(s.game, s.random, *id, index);
        s.hint.reset();
        if (!lines) {
            return kNotDone;
        }
        s.journal += *lines;
        return kDone;
    });
}

// The player replaces the text of the stake box, as a script's `type Stavk`
// line does: the box keeps the first characters that fit, and the game hears
// of it when that differs from what it held. 1 when the text changed, 0 when
// it did not, -1 for a text that is not UTF-8 or holds a line break, -2 when
// the game failed.
EMSCRIPTEN_KEEPALIVE int vurp_type(const char *text) {
    Session &s = Current();
    const auto limit = static_cast<std::size_t>(DesignOf(Control::Stavk).maxLength);
    const std::string typed = Utf8Prefix(text, limit);
    const std::optional<std::string> line = TypeLine(text);
    if (!line) {
        return kBadInput;
    }
    if (typed == s.view.Text(Control::Stavk, 0)) {
        return kNotDone;
    }
    return Guarded([&] {
        s.hint.reset();
        s.view.SetText(Control::Stavk, 0, typed);
        s.game.TextChanged(Control::Stavk);
        s.journal += *TypeLine(typed);
        return kDone;
    });
}

// The length in bytes of the text last handed out, its closing zero apart, so
// that the page can decode it without looking for its end.
EMSCRIPTEN_KEEPALIVE int vurp_length() {
    return static_cast<int>(handedOut.size());
}

// The whole table as JSON (WebView::ControlTable); the changes start from it.
EMSCRIPTEN_KEEPALIVE const char *vurp_controls() {
    return HandOut(Current().view.ControlTable());
}

// What changed since the table or the last changes were handed out, as JSON
// (WebView::TakeChanges).
EMSCRIPTEN_KEEPALIVE const char *vurp_changes() {
    return HandOut(Current().view.TakeChanges());
}

// The table as the replay driver's `dump` prints it.
EMSCRIPTEN_KEEPALIVE const char *vurp_snapshot() {
    Session &s = Current();
    return HandOut(Snapshot(s.game, s.view.Recording()));
}

// The game's journal: a replay script of every action so far.
EMSCRIPTEN_KEEPALIVE const char *vurp_journal() {
    return HandOut(Current().journal);
}

// The journal from its byte `from` on, for a page that keeps what comes
// before: "" from its end or beyond, the whole journal from 0 or below.
EMSCRIPTEN_KEEPALIVE const char *vurp_journal_from(int from) {
    const std::string &journal = Current().journal;
    const std::size_t start = from > 0 ? static_cast<std::size_t>(from) : 0;
    return HandOut(start < journal.size() ? journal.substr(start) : std::string());
}

// Goes on with the game a journal holds, read as the desktop program reads
// its own: a last line without its line end, and the numbers of an action
// never written, are dropped. The answer is JSON: {"restored":true,
// "lastPress":NAME or null, "length":BYTES} (the last control of the game
// pressed, and how much of the text the journal now holds), or
// {"restored":false,"fault":"not_journal"|"newer_format"|"replay_failed",
// "detail":TEXT}, and then the game in progress goes on untouched.
EMSCRIPTEN_KEEPALIVE const char *vurp_restore(const char *journal) {
    const std::string_view text = journal;
    JournalReading reading;
    try {
        reading = ReadJournal(text);
    } catch (const std::exception &failure) {
        reading.fault = JournalFault::ReplayFailed;
        reading.detail = failure.what();
    }
    if (!reading.game) {
        return HandOut("{\"restored\":false,\"fault\":\"" + FaultName(reading.fault) +
                       "\",\"detail\":" + JsonString(reading.detail) + "}");
    }
    const ReplayedGame &replayed = *reading.game;
    auto next = std::make_unique<Session>(std::make_unique<ClockRandom>());
    static_cast<Table &>(next->game) = replayed.game;
    next->view.Restore(replayed);
    next->random.Continue(replayed.random);
    next->journal = std::string(text.substr(0, reading.length));
    next->view.TakeChanges();
    session = std::move(next);
    const std::string lastPress =
        replayed.lastPress
            ? JsonString(ElementName(replayed.lastPress->first, replayed.lastPress->second))
            : "null";
    return HandOut("{\"restored\":true,\"lastPress\":" + lastPress +
                   ",\"length\":" + std::to_string(reading.length) + "}");
}

// The control the player most likely presses next after pressing `control`
// (index 0) or element `index` of an array, or with `control` "" after no
// press: its element name, or "" when nothing can be pressed.
EMSCRIPTEN_KEEPALIVE const char *vurp_likely_next(const char *control, int index) {
    Session &s = Current();
    std::optional<ControlRef> pressed;
    if (const std::optional<Control> id = ControlByName(control); id && ValidControl(*id, index)) {
        pressed = ControlRef{*id, index};
    }
    const std::optional<ControlRef> next = LikelyNext(s.view, pressed);
    return HandOut(next ? ElementName(next->control, next->index) : std::string());
}

// What the computer players would do in the player's place, and why:
// {"control":NAME,"elements":[NAMES],"reason":TEXT}, or null when the player
// has nothing to do.
EMSCRIPTEN_KEEPALIVE const char *vurp_hint() {
    Session &s = Current();
    if (!s.hint) {
        s.hint = SuggestMove(s.game, s.view, s.hintRandom);
    }
    if (!s.hint) {
        return HandOut("null");
    }
    std::string elements;
    for (const int index : s.hint->indices) {
        elements += (elements.empty() ? "" : ",") + JsonString(ElementName(s.hint->control, index));
    }
    return HandOut("{\"control\":" + JsonString(DesignOf(s.hint->control).name) +
                   ",\"elements\":[" + elements + "],\"reason\":" + JsonString(s.hint->reason) +
                   "}");
}

// The statistics of the game under way, and of it and the finished games of
// `record` (the page's record of finished games, see finished_record.h) as
// JSON: {"seats":[3 names],"rows":[{"name","money":[3 texts],"values":[3
// numbers]} for the start and each deal],"underWay":BOOL,"description":TEXT,
// "moneyAxis":{"low","high","ticks":[{"value","text"}]},"dealStep":N,
// "counts":[{"name","hint","game","all"} x12],"notes":[TEXTS]}. The money
// axis has room for about `moneyTicks` intervals, the deal axis for
// `dealLabels` labels. With `kept` 0 the game under way is not kept and the
// record is not read: it is all the games there are. A record that is
// missing holds no games; its lines that cannot be read (not UTF-8 among
// them) are counted in a note. null when the game failed while its journal
// was read.
EMSCRIPTEN_KEEPALIVE const char *vurp_statistics(const char *record, int kept, int moneyTicks,
                                                 int dealLabels) {
    Session &s = Current();
    try {
        return HandOut(StatisticsJson(s, TextOrNone(record), kept != 0, moneyTicks, dealLabels));
    } catch (const std::exception &) {
        s.statistics.emplace();
        return HandOut("null");
    }
}

// `record` (missing: "") with the line of the game under way, which the page
// keeps before the game is replaced by another; unchanged when no cards were
// dealt in the game or its journal does not replay. Every other line, even
// one not UTF-8, comes back byte for byte as it was.
EMSCRIPTEN_KEEPALIVE const char *vurp_finish_game(const char *record) {
    const std::string_view text = TextOrNone(record);
    try {
        return HandOut(RecordFinishedGame(text, Current().journal));
    } catch (const std::exception &) {
        return HandOut(std::string(text));
    }
}

// The log of the deal: its sentences as a JSON array.
EMSCRIPTEN_KEEPALIVE const char *vurp_log() {
    return HandOut(Current().view.Log());
}

} // extern "C"
