// The game journal: a replay script that the window writes while the game is
// played, one action at a time, each action after the random numbers it drew.
// Played again by the driver it gives the table the window showed; read back
// by the window it returns the game to where it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "game.h"
#include "random.h"
#include "recording_view.h"
#include "view.h"

namespace vurp {

// The journal's format. A journal's first line names the program and the
// format: "# vurp journal format 1".
inline constexpr int kJournalFormat = 1;
inline constexpr std::string_view kJournalHeaderStart = "# vurp journal format ";

// The first line of a new journal, line end included.
std::string JournalHeader();

// The lines that write an action or a draw down, each with its line end. A
// value of RandLine reads back as exactly `value`.
std::string RandLine(double value);
std::string SeedLine(std::uint64_t state);
std::string ClickLine(Control control, int index);
// Nothing for a text that cannot stand on one line of a script: one with a
// line break, or one that is not UTF-8.
std::optional<std::string> TypeLine(std::string_view text);

// The control a `click` line of a valid script clicks, with its element
// number (0 for a single control); nothing for any other line.
std::optional<std::pair<Control, int>> ClickOf(std::string_view line);

// The text up to and including its last line feed. A journal's last line
// without its line end was cut short by a crash while it was written: it is
// no line at all, and is never read.
std::string_view CompleteLines(std::string_view text);

// The random source of a journaled game. New numbers come from `fresh`, or,
// once Seed has been called, from the replay format's fallback generator;
// each is kept as a `rand` line for the journal (and, from the fallback, the
// generator's state after it as a `seed` line, so that a game read back goes
// on drawing where it stopped).
class JournalRandom final : public Random {
public:
    explicit JournalRandom(Random &fresh) : fresh_(fresh) {}

    void Reseed() override;
    double Next() override;

    // From now on the numbers come from the fallback generator at `state`.
    void Seed(std::uint64_t state);
    // Goes on from a game read back from a script: the values it queued but
    // no action drew come first, and are not written again (the script holds
    // them); a script that set the fallback generator goes on with it.
    void Continue(const ScriptedRandom &replayed);
    // A fresh game drawing from `fresh`.
    void Restart();
    // The lines of the numbers drawn since the last call.
    std::string TakeLines();

private:
    Random &fresh_;
    ScriptedRandom scripted_;
    bool seeded_ = false;
    bool fallbackDrawn_ = false;
    std::string lines_;
};

// A click on the game: the lines that write it down, the numbers it drew and
// then the click, or nothing when the click was not delivered.
std::optional<std::string> RecordedClick(Game &game, JournalRandom &random, Control control,
                                         int index);

// A game played from a script on a view without a window: Form_Load is run,
// then the script's lines.
class ReplayedGame {
public:
    ReplayedGame();
    ReplayedGame(const ReplayedGame &) = delete;
    ReplayedGame &operator=(const ReplayedGame &) = delete;

    // Runs every line of `script`; the first bad line stops it and comes
    // back as "line N: what is wrong".
    std::optional<std::string> Play(std::string_view script);

    RecordingView view;
    ScriptedRandom random;
    Game game{view, random};
    // The last click of the script on a control of the game (the panels'
    // buttons left out): the keyboard goes on from there.
    std::optional<std::pair<Control, int>> lastPress;
};

// What reading a journal found.
enum class JournalFault {
    None,
    NotJournal,   // no journal's first line: not a game of this program
    NewerFormat,  // written by a newer version of the program
    ReplayFailed, // a line that is malformed or that the game failed on
};

struct JournalReading {
    JournalFault fault = JournalFault::None;
    // The format a newer journal names, or the driver's message for a
    // failed replay.
    std::string detail;
    // The bytes of complete lines read: a torn last line is left out.
    std::size_t length = 0;
    // The game where the journal leaves it; set when there is no fault.
    std::unique_ptr<ReplayedGame> game;
};

// The text up to the end of its last whole action. Cut short by a crash, a
// journal may end in the numbers an action drew without the action itself:
// those `rand` lines (and the `seed` line after them) are dropped too, so
// that the game goes on drawing as if that action had never begun.
std::string_view WholeActions(std::string_view text);

// Reads a whole journal: its first line, then every line of its whole
// actions played, each event the game tells on the way handed to `follow`
// (which the game read back keeps following).
JournalReading ReadJournal(std::string_view text,
                           std::function<void(const GameEvent &)> follow = {});

} // namespace vurp
