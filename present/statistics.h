// What the player can look back on: every seat's money deal by deal, and
// counts of what he did at the table, folded from the events a game tells;
// for one game, or added up over many.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "events.h"
#include "money.h"

namespace vurp {

class ReplayedGame;

// The balances of seats 1, 2 and 3, in that order.
using Balances = std::array<Currency, 3>;

// What seat 1 did, over one game or many. A deal counts once it is settled.
struct Tally {
    std::int64_t games = 0;       // games in which cards were dealt
    std::int64_t deals = 0;       // deals settled
    std::int64_t declared = 0;    // deals he declared: vurp, helicopter, or going for a rank first
    std::int64_t declaredWon = 0; // ...and took two tricks or more
    std::int64_t helped = 0; // deals he helped: "Помогу", a helicopter's or going for a rank
    std::int64_t tookFive = 0;    // deals he took five
    std::int64_t wentFor = 0;     // deals he went for a rank, declaring or helping
    std::int64_t gotFour = 0;     // ...and showed four of a kind
    std::int64_t helicopters = 0; // deals he said the helicopter
    // The largest share of a bank he took in one deal; none while he took none.
    std::optional<Currency> largestBank;
    // His highest and lowest balance at the start of a game and after each
    // deal; they mean something only where `games` is above 0.
    Currency best;
    Currency worst;

    // Adds the counts of `other` and takes the extremes of both. A count
    // that would pass the largest (or smallest) std::int64_t stays there.
    Tally &operator+=(const Tally &other);
    friend bool operator==(const Tally &, const Tally &) = default;
};

// A tally as one line of words (no line end), and back. A text that is not
// such a line, or one no games could have given (more deals won than
// declared, a best balance below the worst, a count beyond a billion), reads
// as nothing.
std::string TallyText(const Tally &tally);
std::optional<Tally> ReadTally(std::string_view text);

// The fold of one game's events, in the order told.
class GameStatistics {
public:
    void Add(const GameEvent &event);

    Tally Counts() const;
    // The balances at the start (all 0) and after each settled deal; while a
    // deal is under way, last the balances as they stand in it.
    const std::vector<Balances> &Series() const { return series_; }
    // Whether the last point of the series is a deal still being played.
    bool DealUnderWay() const { return dealOpen_; }

private:
    void OpenDeal();
    void SettleDeal();
    void ForgetDeal();

    Tally tally_;
    std::vector<Balances> series_{Balances{}};
    bool dealOpen_ = false;
    bool settling_ = false;
    // What seat 1 did in the deal under way.
    int declarer_ = 0;
    int goRank_ = 0;
    bool helped_ = false;
    bool tookFive_ = false;
    bool wentFor_ = false;
    bool showedFour_ = false;
    bool helicopter_ = false;
    bool wonCounted_ = false;
};

// The statistics of a journal (the replay format's game journal). A journal
// that grows is folded on from where it was folded last; any other text is
// folded anew.
class JournalStatistics {
public:
    JournalStatistics();
    ~JournalStatistics();
    JournalStatistics(const JournalStatistics &) = delete;
    JournalStatistics &operator=(const JournalStatistics &) = delete;

    // Folds `journal`, its whole actions as the window reads them back: only
    // the lines added since the last call when it goes on from the text
    // folded then, else from its start. False when it is no journal or does
    // not replay; the statistics then hold nothing.
    bool Follow(std::string_view journal);
    bool Readable() const { return readable_; }
    // Whether the last Follow began at the journal's start.
    bool StartedAnew() const { return startedAnew_; }
    const GameStatistics &Statistics() const { return statistics_; }

private:
    void Restart();

    std::unique_ptr<ReplayedGame> game_;
    std::string folded_;
    GameStatistics statistics_;
    bool readable_ = false;
    bool startedAnew_ = false;
};

} // namespace vurp
