#include "script.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls.h"
#include "float_chars.h"
#include "json.h"
#include "utf8.h"

namespace vurp {

namespace {

using Problem = std::optional<std::string>;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The first place from `from` on that is a blank (or not one), or the size:
// a plain loop, as the scans of a long journal's lines add up.
std::size_t FindBlank(std::string_view text, std::size_t from, bool blank) {
    while (from < text.size() && IsBlank(text[from]) != blank) {
        ++from;
    }
    return from;
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    for (std::size_t start = FindBlank(text, 0, false); start < text.size();
         start = FindBlank(text, start, false)) {
        const std::size_t end = FindBlank(text, start, true);
        words.push_back(text.substr(start, end - start));
        start = end;
    }
    return words;
}

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t start = FindBlank(text, 0, false);
    std::size_t end = text.size();
    while (end > start && IsBlank(text[end - 1])) {
        --end;
    }
    return text.substr(start, end - start);
}

// A word of the script as a message shows it: quoted and escaped, and cut
// short so that even a runaway line gives a one-line message.
std::string Shown(std::string_view word) {
    constexpr std::size_t kShownCharacters = 40;
    const std::string prefix = Utf8Prefix(word, kShownCharacters);
    return JsonString(prefix) + (prefix.size() < word.size() ? "..." : "");
}

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

template <typename Number> std::optional<Number> ParseWhole(std::string_view word) {
    if (word.empty() || !AllDigits(word)) {
        return std::nullopt;
    }
    Number value{};
    const char *end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, value);
    if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

class Replay {
public:
    Replay(Game &game, RecordingView &view, ScriptedRandom &random, ScriptOutput &out)
        : game_(game), view_(view), random_(random), out_(out) {}

    Problem Line(std::string_view line) {
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::string_view command = TrimBlanks(line);
        if (command.empty() || command.front() == '#') {
            return std::nullopt;
        }
        const std::vector<std::string_view> words = Words(command);
        if (words[0] == "type") {
            // Not the trimmed command: trailing blanks may be part of the text.
            return Type(line.substr(FindBlank(line, 0, false) + 4));
        }
        if (words[0] == "seed") {
            return Seed(words);
        }
        if (words[0] == "rand") {
            return Rand(words);
        }
        if (words[0] == "click") {
            return Click(command, words);
        }
        if (words[0] == "dump") {
            return Dump(words);
        }
        return "unknown command " + Shown(words[0]);
    }

private:
    Problem Seed(const std::vector<std::string_view> &words) {
        const auto state = words.size() == 2 ? ParseWhole<std::uint64_t>(words[1]) : std::nullopt;
        if (!state) {
            return "seed needs one unsigned 64-bit decimal number";
        }
        random_.Seed(*state);
        return std::nullopt;
    }

    Problem Rand(const std::vector<std::string_view> &words) {
        const auto value = words.size() == 2 ? ReadDraw(words[1]) : std::nullopt;
        if (!value) {
            return "rand needs one decimal number from 0 up to but not including 1";
        }
        random_.Push(*value);
        return std::nullopt;
    }

    Problem Click(std::string_view command, const std::vector<std::string_view> &words) {
        if (words.size() < 2 || words.size() > 3) {
            return "click needs a control name and, for a control array, an element number";
        }
        const std::string_view name = words[1];
        const auto control = ControlByName(name);
        if (!control) {
            return "unknown control " + Shown(name);
        }
        const int count = DesignOf(*control).count;
        const std::string range = "1 to " + std::to_string(count);
        int index = 0;
        if (words.size() == 3) {
            if (count == 0) {
                return std::string(name) + " is a single control and takes no element number";
            }
            const auto element = ParseWhole<int>(words[2]);
            if (!element || !ValidIndex(*control, *element)) {
                return "element " + Shown(words[2]) + " of " + std::string(name) +
                       " is not a number from " + range;
            }
            index = *element;
        } else if (count > 0) {
            return std::string(name) + " is a control array: name an element from " + range;
        }
        if (!game_.Click(*control, index)) {
            out_.Print("{\"refused\":" + JsonString(command) + "}\n");
        }
        return std::nullopt;
    }

    // `rest` is everything after the word "type". The text starts after the
    // one blank that ends the control's name and runs to the end of the line.
    Problem Type(std::string_view rest) {
        const std::size_t start = FindBlank(rest, 0, false);
        if (start == rest.size()) {
            return "type needs the control Stavk and a text";
        }
        rest.remove_prefix(start);
        const std::size_t end = FindBlank(rest, 0, true);
        const std::string_view name = rest.substr(0, end);
        const std::string_view text =
            end == rest.size() ? std::string_view{} : rest.substr(end + 1);
        const auto control = ControlByName(name);
        if (!control) {
            return "unknown control " + Shown(name);
        }
        if (*control != Control::Stavk) {
            return "only Stavk can be typed into, not " + std::string(name);
        }
        if (!IsValidUtf8(text)) {
            return "the typed text is not valid UTF-8";
        }
        const auto limit = static_cast<std::size_t>(DesignOf(Control::Stavk).maxLength);
        const std::string typed = Utf8Prefix(text, limit);
        if (typed != view_.Text(Control::Stavk, 0)) {
            view_.SetText(Control::Stavk, 0, typed);
            game_.TextChanged(Control::Stavk);
        }
        return std::nullopt;
    }

    Problem Dump(const std::vector<std::string_view> &words) {
        if (words.size() != 1) {
            return "dump takes nothing after it";
        }
        out_.Print(Snapshot(game_, view_) + '\n');
        return std::nullopt;
    }

    Game &game_;
    RecordingView &view_;
    ScriptedRandom &random_;
    ScriptOutput &out_;
};

enum class LineRead { Line, End, TooLong, Unreadable };

// The length of a line's own text: a carriage return before the line feed
// belongs to the line end.
std::size_t TextLength(std::string_view line) {
    return line.size() - (!line.empty() && line.back() == '\r' ? 1 : 0);
}

// Takes the next line of `script` off its front into `line`, without its
// line end.
LineRead NextLine(std::string_view &script, std::string_view &line) {
    if (script.empty()) {
        // End of input right after a line feed is no line at all.
        return LineRead::End;
    }
    const std::size_t feed = script.find('\n');
    line = script.substr(0, feed);
    script.remove_prefix(feed == std::string_view::npos ? script.size() : feed + 1);
    return TextLength(line) > kMaxLineBytes ? LineRead::TooLong : LineRead::Line;
}

// Reads the next line into `line`, without its line end, a chunk at a time: a
// line found longer than the limit is given up at once, so a runaway line
// never sits in memory whole. The limit counts the line's own text: a
// carriage return before the line feed belongs to the line end.
LineRead NextLine(std::istream &in, std::string &line) {
    line.clear();
    char chunk[4096];
    while (true) {
        in.getline(chunk, sizeof chunk);
        if (in.bad()) {
            return LineRead::Unreadable;
        }
        const auto got = static_cast<std::size_t>(in.gcount());
        const bool ended = !in.fail() && !in.eof(); // the line feed was taken
        const bool cut = in.fail() && !in.eof() && got == sizeof chunk - 1;
        if (!ended && !cut && !in.eof()) {
            // Failed without taking anything: the stream had failed before.
            return LineRead::Unreadable;
        }
        if (cut) {
            in.clear(in.rdstate() & ~std::ios::failbit);
        }
        line.append(chunk, ended ? got - 1 : got);
        if (line.size() > kMaxLineBytes + 1) {
            return LineRead::TooLong;
        }
        if (in.eof() && got == 0 && line.empty()) {
            // End of input right after a line feed is no line at all.
            return LineRead::End;
        }
        if (!cut) {
            break;
        }
    }
    return TextLength(line) > kMaxLineBytes ? LineRead::TooLong : LineRead::Line;
}

std::string LineProblem(std::size_t number, std::string_view problem) {
    return "line " + std::to_string(number) + ": " + std::string(problem) + "\n";
}

// Runs the lines `next` reads one by one (into a string_view of a line that
// stays valid until the next read).
template <typename NextLine>
int RunLines(NextLine next, ScriptOutput &out, Game &game, RecordingView &view,
             ScriptedRandom &random, const ReplayOptions &options) {
    Replay replay(game, view, random, out);
    // Whatever was told before the first line belongs to no line.
    view.TakeEvents();
    if (options.events) {
        view.KeepEvents();
    }
    std::string_view line;
    for (std::size_t number = 1;; ++number) {
        switch (next(line)) {
        case LineRead::End:
            // Every write was flushed already; this finds an output that
            // failed before the first one.
            out.Flush();
            return out.Written() ? kReplayDone : kReplayOutputFailed;
        case LineRead::Unreadable:
            out.Complain(LineProblem(number, "the script cannot be read"));
            return kReplayMalformed;
        case LineRead::TooLong:
            out.Complain(LineProblem(number, "the line is longer than " +
                                                 std::to_string(kMaxLineBytes) + " bytes"));
            return kReplayMalformed;
        case LineRead::Line:
            break;
        }
        try {
            if (const Problem problem = replay.Line(line)) {
                out.Complain(LineProblem(number, *problem));
                return kReplayMalformed;
            }
        } catch (const std::exception &failure) {
            out.Complain(LineProblem(number, std::string("the game failed: ") + failure.what()));
            return kReplayGameFailed;
        }
        // Taken after every line, printed or not, so that they never pile up.
        const std::vector<GameEvent> events = view.TakeEvents();
        if (options.events) {
            for (const GameEvent &event : events) {
                out.Print(EventLine(event) + '\n');
            }
        }
        // Whatever cannot be printed is lost: go no further.
        if (!out.Written()) {
            return kReplayOutputFailed;
        }
    }
}

// The output of a run on streams: every line flushed as it is printed.
class StreamOutput final : public ScriptOutput {
public:
    StreamOutput(std::ostream &out, std::ostream &err) : out_(out), err_(err) {}

    void Print(std::string_view line) override {
        out_.write(line.data(), static_cast<std::streamsize>(line.size())).flush();
    }
    void Flush() override { out_.flush(); }
    bool Written() override { return static_cast<bool>(out_); }
    void Complain(std::string_view line) override {
        err_.write(line.data(), static_cast<std::streamsize>(line.size()));
    }

private:
    std::ostream &out_;
    std::ostream &err_;
};

} // namespace

// A decimal from 0 up to but not including 1: digits with an optional
// fraction and a whole part of zeros only. The text decides, not the double it
// reads as: a value written below 1 that rounds up to 1 is accepted, and the
// random queue keeps every draw below 1.
std::optional<double> ReadDraw(std::string_view word) {
    const std::size_t point = word.find('.');
    const std::string_view whole = word.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : word.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || !AllDigits(whole) || !AllDigits(fraction) ||
        whole.find_first_not_of('0') != std::string_view::npos) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [stop, error] =
        DoubleFromChars(word.data(), word.data() + word.size(), value, std::chars_format::fixed);
    if (stop != word.data() + word.size()) {
        return std::nullopt;
    }
    // A fraction below the smallest double is still a valid draw: zero.
    return error == std::errc() ? value : 0.0;
}

int RunScript(std::string_view script, ScriptOutput &output, Game &game, RecordingView &view,
              ScriptedRandom &random, const ReplayOptions &options) {
    const auto next = [&script](std::string_view &line) { return NextLine(script, line); };
    return RunLines(next, output, game, view, random, options);
}

int RunScript(std::istream &in, std::ostream &out, std::ostream &err, Game &game,
              RecordingView &view, ScriptedRandom &random, const ReplayOptions &options) {
    StreamOutput output(out, err);
    std::string held;
    const auto next = [&in, &held](std::string_view &line) {
        const LineRead read = NextLine(in, held);
        line = held;
        return read;
    };
    return RunLines(next, output, game, view, random, options);
}

int RunScript(std::istream &in, std::ostream &out, std::ostream &err,
              const ReplayOptions &options) {
    RecordingView view;
    ScriptedRandom random;
    Game game(view, random);
    game.Form_Load();
    return RunScript(in, out, err, game, view, random, options);
}

} // namespace vurp
