// The replay driver: plays a script of user actions against the game on a
// recording view and prints a snapshot of the table at every `dump` and, when
// asked, the events each line caused.
//
// Script lines: `seed N`, `rand U`, `click NAME`, `click NAME K`,
// `type Stavk TEXT`, `dump`; blank lines and lines starting with '#' are
// skipped and a trailing carriage return is dropped; no line may be longer
// than kMaxLineBytes. Blanks around and between words are free, except that
// the typed text is taken exactly as written after the one blank that follows
// `Stavk`.
#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <ostream>
#include <string_view>

#include "game.h"
#include "random.h"
#include "recording_view.h"

namespace vurp {

inline constexpr int kReplayDone = 0;
// A malformed line or an unknown control; also a script that cannot be read.
inline constexpr int kReplayMalformed = 2;
// The game itself threw while handling a line.
inline constexpr int kReplayGameFailed = 3;
// A write to the output failed: the run stops at once, and the caller, who
// knows what the output is, tells why.
inline constexpr int kReplayOutputFailed = 4;

// The longest line, in bytes without its line end, that a script may hold. A
// longer line is malformed and is not read to its end.
inline constexpr std::size_t kMaxLineBytes = 64 * 1024;

// The number of a `rand` line: digits with at most one decimal point and
// nothing but zeros before it, read as a draw in [0, 1); nothing for any
// other text.
std::optional<double> ReadDraw(std::string_view word);

struct ReplayOptions {
    // After each line, one line per event that line caused, after whatever
    // else the line printed.
    bool events = false;
};

// Where a run's lines go.
class ScriptOutput {
public:
    virtual ~ScriptOutput() = default;
    // A line the run prints, its line end included, written out at once.
    virtual void Print(std::string_view line) = 0;
    // Writes out whatever is still held back.
    virtual void Flush() {}
    // Whether everything printed so far was written.
    virtual bool Written() = 0;
    // The one line that says why the run stopped, its line end included.
    virtual void Complain(std::string_view line) = 0;
};

// Runs every line of `script` as the stream's RunScript below runs its lines,
// printing to `output` what that one writes to `out` and `err`: the same
// bytes and the same result for the same text.
int RunScript(std::string_view script, ScriptOutput &output, Game &game, RecordingView &view,
              ScriptedRandom &random, const ReplayOptions &options = {});

// Runs every line of `in` against `game`, which must be built on `view` and
// `random`. Snapshots and refused clicks go to `out`, one line each, flushed
// as they are written; the first bad line stops the run with one line
// "line N: what is wrong" on `err`. A failed write, found after the line that
// made it or at the end, stops the run with kReplayOutputFailed and nothing on
// `err`.
int RunScript(std::istream &in, std::ostream &out, std::ostream &err, Game &game,
              RecordingView &view, ScriptedRandom &random, const ReplayOptions &options = {});

// The same against a fresh window: design-time controls, the random
// generator at state 0, and Form_Load already run.
int RunScript(std::istream &in, std::ostream &out, std::ostream &err,
              const ReplayOptions &options = {});

} // namespace vurp
