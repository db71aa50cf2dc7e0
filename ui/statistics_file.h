// The statistics of the finished games in a data folder, each game read from
// its journal once. `statistics.txt` in the folder keeps what each game in
// `games/` adds up to, under the file's name, size and time of change, so
// that opening the statistics reads no journal it has read before. The
// summary is derived from the journals and nothing else: a line of it that
// is damaged, or one whose file has changed since, is read again from the
// journal, and the summary is written anew, whole. The journals are only
// ever read.
//
// A finished game opened again ("Открыть игру…") and played on is kept again
// when it finishes: the game it went on from then counts no more, nor while
// it goes on as the game under way.
#pragma once

#include <QString>

#include <string_view>

#include "statistics.h"

namespace vurp::ui {

inline constexpr char kSummaryName[] = "statistics.txt";

struct FinishedGames {
    Tally tally;          // every finished game that could be read
    int files = 0;        // the games/*.vurp files found
    int unreadable = 0;   // of those, the ones that are no journal or do not replay
    int continued = 0;    // of those, the ones that go on in another or in the game under way
    int readNow = 0;      // of those, the ones read from their journal this time
    QString saveProblem;  // why the summary could not be written, in Russian
    bool rewrote = false; // whether the summary was written anew
};

// Sums up the finished games of the data folder `folder`, reading only the
// journals the summary does not hold as they are now, and writes the summary
// anew (through QSaveFile) when it was not just so. `current` is the journal
// of the game under way.
FinishedGames SummariseFinishedGames(const QString &folder, std::string_view current = {});

} // namespace vurp::ui
