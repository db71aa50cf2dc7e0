#include "journal.h"

#include <algorithm>
#include <charconv>
#include <system_error>

#include "controls.h"
#include "float_chars.h"
#include "script.h"
#include "utf8.h"

namespace vurp {

namespace {

// Keeps the message of a failed run and nothing that the script's `dump`
// lines print.
class ProblemOnly final : public ScriptOutput {
public:
    void Print(std::string_view /*line*/) override {}
    bool Written() override { return true; }
    void Complain(std::string_view line) override { problem.append(line); }

    std::string problem;
};

std::string_view FirstLine(std::string_view text) {
    std::string_view line = text.substr(0, text.find('\n'));
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The next word of `line`, taken off its front.
std::string_view TakeWord(std::string_view &line) {
    line.remove_prefix(std::min(line.find_first_not_of(" \t\r"), line.size()));
    const std::string_view word =
        line.substr(0, std::min(line.find_first_of(" \t\r\n"), line.size()));
    line.remove_prefix(word.size());
    return word;
}

std::string_view FirstWord(std::string_view line) {
    return TakeWord(line);
}

} // namespace

std::optional<std::pair<Control, int>> ClickOf(std::string_view line) {
    if (TakeWord(line) != "click") {
        return std::nullopt;
    }
    const auto control = ControlByName(TakeWord(line));
    if (!control) {
        return std::nullopt;
    }
    int index = 0;
    const std::string_view number = TakeWord(line);
    std::from_chars(number.data(), number.data() + number.size(), index);
    return std::pair{*control, index};
}

std::string JournalHeader() {
    return std::string(kJournalHeaderStart) + std::to_string(kJournalFormat) + "\n";
}

std::string RandLine(double value) {
    // The shortest digits that read back as the same double, never with an
    // exponent: the script takes plain decimals only.
    char digits[400];
    const auto [end, error] =
        DoubleToChars(digits, digits + sizeof digits, value, std::chars_format::fixed);
    if (error != std::errc()) {
        return "rand 0\n";
    }
    return "rand " + std::string(digits, end) + "\n";
}

std::string SeedLine(std::uint64_t state) {
    return "seed " + std::to_string(state) + "\n";
}

std::string ClickLine(Control control, int index) {
    const ControlDesign &design = DesignOf(control);
    return "click " + design.name + (design.count == 0 ? "" : " " + std::to_string(index)) + "\n";
}

std::optional<std::string> TypeLine(std::string_view text) {
    if (text.find_first_of("\r\n") != std::string_view::npos || !IsValidUtf8(text)) {
        return std::nullopt;
    }
    return "type " + DesignOf(Control::Stavk).name + " " + std::string(text) + "\n";
}

std::string_view CompleteLines(std::string_view text) {
    const std::size_t last = text.rfind('\n');
    return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

void JournalRandom::Reseed() {
    if (!seeded_) {
        fresh_.Reseed();
    }
}

double JournalRandom::Next() {
    if (scripted_.Queued() > 0) {
        return scripted_.Next();
    }
    double value = 0.0;
    if (seeded_) {
        value = scripted_.Next();
        fallbackDrawn_ = true;
    } else {
        value = fresh_.Next();
    }
    lines_ += RandLine(value);
    return value;
}

void JournalRandom::Seed(std::uint64_t state) {
    Restart();
    scripted_.Seed(state);
    seeded_ = true;
}

void JournalRandom::Continue(const ScriptedRandom &replayed) {
    scripted_ = replayed;
    seeded_ = replayed.Seeded();
    fallbackDrawn_ = false;
    lines_.clear();
}

void JournalRandom::Restart() {
    Continue(ScriptedRandom{});
}

std::string JournalRandom::TakeLines() {
    if (fallbackDrawn_) {
        lines_ += SeedLine(scripted_.State());
        fallbackDrawn_ = false;
    }
    return std::exchange(lines_, std::string());
}

std::optional<std::string> RecordedClick(Game &game, JournalRandom &random, Control control,
                                         int index) {
    if (!game.Click(control, index)) {
        return std::nullopt;
    }
    return random.TakeLines() + ClickLine(control, index);
}

ReplayedGame::ReplayedGame() {
    game.Form_Load();
}

std::optional<std::string> ReplayedGame::Play(std::string_view script) {
    ProblemOnly output;
    if (RunScript(script, output, game, view, random) != kReplayDone) {
        std::string problem = std::move(output.problem);
        while (!problem.empty() && problem.back() == '\n') {
            problem.pop_back();
        }
        return problem;
    }
    // From the end: the last such click is near it.
    for (std::size_t end = script.size(); end > 0;) {
        const std::size_t feed = script.rfind('\n', end - 1);
        const std::size_t start = feed == std::string_view::npos ? 0 : feed + 1;
        if (const auto click = ClickOf(script.substr(start, end - start));
            click && click->first != Control::Pravila && click->first != Control::Game) {
            lastPress = click;
            break;
        }
        end = start == 0 ? 0 : start - 1;
    }
    return std::nullopt;
}

std::string_view WholeActions(std::string_view text) {
    text = CompleteLines(text);
    // The line whose line feed ends just before `stop`.
    const auto lineEndingAt = [&text](std::size_t stop) {
        const std::size_t feed = stop - 1;
        const std::size_t before = feed == 0 ? std::string_view::npos : text.rfind('\n', feed - 1);
        const std::size_t start = before == std::string_view::npos ? 0 : before + 1;
        return text.substr(start, stop - start);
    };
    std::size_t end = text.size();
    while (end > 0) {
        const std::string_view line = lineEndingAt(end);
        const std::string_view first = FirstWord(line);
        const bool drawn =
            first == "rand" || (first == "seed" && line.size() < end &&
                                FirstWord(lineEndingAt(end - line.size())) == "rand");
        if (!drawn) {
            break;
        }
        end -= line.size();
    }
    return text.substr(0, end);
}

JournalReading ReadJournal(std::string_view text, std::function<void(const GameEvent &)> follow) {
    JournalReading reading;
    const std::string_view complete = WholeActions(text);
    reading.length = complete.size();
    const std::string_view first = FirstLine(complete);
    std::string_view format = first.substr(std::min(first.size(), kJournalHeaderStart.size()));
    if (!first.starts_with(kJournalHeaderStart) || format.empty() ||
        !std::all_of(format.begin(), format.end(), IsDigit)) {
        reading.fault = JournalFault::NotJournal;
        return reading;
    }
    format.remove_prefix(std::min(format.find_first_not_of('0'), format.size()));
    // A number too long for an int is a format from far in the future.
    if (format.size() > 9 || std::stoi("0" + std::string(format)) > kJournalFormat) {
        reading.fault = JournalFault::NewerFormat;
        reading.detail = std::string(format);
        return reading;
    }
    if (format.empty()) {
        reading.fault = JournalFault::NotJournal;
        return reading;
    }
    auto game = std::make_unique<ReplayedGame>();
    game->view.FollowEvents(std::move(follow));
    if (auto problem = game->Play(complete)) {
        reading.fault = JournalFault::ReplayFailed;
        reading.detail = std::move(*problem);
        return reading;
    }
    reading.game = std::move(game);
    return reading;
}

} // namespace vurp
