// The web page's record of the finished games, kept in the browser's storage
// as one text: a line for each game, its key, a blank and what it added up
// to (TallyText), each line ended by "\n". The key tells one game from
// another by its opening, so that a game saved, opened again and played on
// keeps its line and counts once, as it ended last. A line the program
// cannot read is kept as it is and counted as such, never deleted.
#pragma once

#include <string>
#include <string_view>

#include "statistics.h"

namespace vurp {

// 16 lowercase hex digits: the FNV-1a 64-bit hash of the journal's opening,
// its text up to and including the line end of the first `click` line after
// a `rand` line (the whole text when there is none). The first deal's
// shuffle is in it, so two games practically never share it; a journal that
// goes on keeps it.
std::string GameKey(std::string_view journal);

// `record` with the line of the game `journal` holds: put in place of the
// readable line with the same key, else added at the end (after a "\n" the
// last line lacked). The record comes back unchanged when the journal cannot
// be read or no cards were dealt in it.
std::string RecordFinishedGame(std::string_view record, std::string_view journal);

struct RecordSum {
    Tally tally;        // the readable lines, added up
    int unreadable = 0; // the lines that are neither blank nor readable
};
// Adds up the readable lines of `record`, all but those whose key is
// `skipKey` (the game under way, which goes on from a recorded one).
RecordSum SumRecord(std::string_view record, std::string_view skipKey);

} // namespace vurp
