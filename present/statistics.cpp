#include "statistics.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <limits>
#include <system_error>

#include "journal.h"
#include "table.h"

namespace vurp {

namespace {

// No journal the program can read holds a billion deals: a larger count in a
// summary was not written by it.
constexpr std::int64_t kMostCount = 1'000'000'000;

bool ReadWhole(std::string_view word, std::int64_t &value) {
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size() && !word.empty();
}

bool Plausible(const Tally &t) {
    for (const std::int64_t count : {t.games, t.deals, t.declared, t.declaredWon, t.helped,
                                     t.tookFive, t.wentFor, t.gotFour, t.helicopters}) {
        if (count < 0 || count > kMostCount) {
            return false;
        }
    }
    // Declaring, helping and taking five exclude one another in a deal;
    // going for a rank is done declaring or helping.
    const bool counts = t.declaredWon <= t.declared && t.helicopters <= t.declared &&
                        t.gotFour <= t.wentFor && t.wentFor <= t.declared + t.helped &&
                        t.declared + t.helped + t.tookFive <= t.deals &&
                        (t.deals == 0 || t.games > 0);
    // Every game starts at 0.
    const bool balances =
        t.games == 0 ? t.best == Currency() && t.worst == Currency() && !t.largestBank.has_value()
                     : t.worst <= Currency() && Currency() <= t.best;
    return counts && balances;
}

// A sum beyond what the counts hold stops at their end rather than wrap.
std::int64_t SaturatedSum(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        return b > 0 ? std::numeric_limits<std::int64_t>::max()
                     : std::numeric_limits<std::int64_t>::min();
    }
    return sum;
}

} // namespace

Tally &Tally::operator+=(const Tally &other) {
    if (other.games > 0) {
        best = games > 0 ? std::max(best, other.best) : other.best;
        worst = games > 0 ? std::min(worst, other.worst) : other.worst;
    }
    if (other.largestBank) {
        largestBank = largestBank ? std::max(*largestBank, *other.largestBank) : other.largestBank;
    }
    std::int64_t *const counts[] = {&games,    &deals,   &declared, &declaredWon, &helped,
                                    &tookFive, &wentFor, &gotFour,  &helicopters};
    const std::int64_t *const others[] = {&other.games,       &other.deals,   &other.declared,
                                          &other.declaredWon, &other.helped,  &other.tookFive,
                                          &other.wentFor,     &other.gotFour, &other.helicopters};
    for (std::size_t k = 0; k < std::size(counts); ++k) {
        *counts[k] = SaturatedSum(*counts[k], *others[k]);
    }
    return *this;
}

std::string TallyText(const Tally &t) {
    std::string text;
    for (const std::int64_t count : {t.games, t.deals, t.declared, t.declaredWon, t.helped,
                                     t.tookFive, t.wentFor, t.gotFour, t.helicopters}) {
        text += std::to_string(count) + " ";
    }
    text += t.largestBank ? std::to_string(t.largestBank->Raw()) : "-";
    text += " " + std::to_string(t.best.Raw()) + " " + std::to_string(t.worst.Raw());
    return text;
}

std::optional<Tally> ReadTally(std::string_view text) {
    // Words between single blanks: an empty one fails to read.
    std::vector<std::string_view> words;
    for (std::size_t start = 0;;) {
        const std::size_t blank = text.find(' ', start);
        words.push_back(text.substr(start, blank - start));
        if (blank == std::string_view::npos) {
            break;
        }
        start = blank + 1;
    }
    if (words.size() != 12) {
        return std::nullopt;
    }
    Tally t;
    std::int64_t *const counts[] = {&t.games,    &t.deals,   &t.declared, &t.declaredWon, &t.helped,
                                    &t.tookFive, &t.wentFor, &t.gotFour,  &t.helicopters};
    for (std::size_t k = 0; k < std::size(counts); ++k) {
        if (!ReadWhole(words[k], *counts[k])) {
            return std::nullopt;
        }
    }
    std::int64_t raw = 0;
    if (words[9] != "-") {
        if (!ReadWhole(words[9], raw)) {
            return std::nullopt;
        }
        t.largestBank = Currency::FromRaw(raw);
    }
    if (!ReadWhole(words[10], raw)) {
        return std::nullopt;
    }
    t.best = Currency::FromRaw(raw);
    if (!ReadWhole(words[11], raw)) {
        return std::nullopt;
    }
    t.worst = Currency::FromRaw(raw);
    if (!Plausible(t)) {
        return std::nullopt;
    }
    return t;
}

void GameStatistics::Add(const GameEvent &event) {
    const bool human = event.seat == HumanSeat;
    if (event.kind == EventKind::Settlement) {
        if (!settling_) {
            SettleDeal();
        }
        if (event.seat < 1 || event.seat > 3) {
            return;
        }
        Currency &balance = series_.back()[static_cast<std::size_t>(event.seat - 1)];
        balance = balance + event.amount;
        if (human && event.reason == SettlementReason::Share) {
            tally_.largestBank =
                tally_.largestBank ? std::max(*tally_.largestBank, event.amount) : event.amount;
        }
        if (human && declarer_ == HumanSeat && event.count >= 2 && !wonCounted_) {
            wonCounted_ = true;
            ++tally_.declaredWon;
        }
        return;
    }
    settling_ = false;
    if (!dealOpen_) {
        OpenDeal();
    }
    switch (event.kind) {
    case EventKind::Stakes:
        for (Currency &balance : series_.back()) {
            balance = balance - event.amount;
        }
        break;
    case EventKind::Redeal:
        // The cards are dealt again: nothing said over the old ones counts.
        ForgetDeal();
        break;
    case EventKind::Vurp:
        declarer_ = declarer_ == 0 ? event.seat : declarer_;
        break;
    case EventKind::Helicopter:
        declarer_ = declarer_ == 0 ? event.seat : declarer_;
        helicopter_ = helicopter_ || human;
        break;
    case EventKind::GoingFor:
        // The first word of a deal is a declaration; later ones help it.
        if (human) {
            wentFor_ = true;
            goRank_ = event.rank;
            helped_ = helped_ || declarer_ != 0;
        }
        declarer_ = declarer_ == 0 ? event.seat : declarer_;
        break;
    case EventKind::Help:
        helped_ = helped_ || human;
        break;
    case EventKind::TakeFive:
        tookFive_ = tookFive_ || human;
        break;
    case EventKind::FourOfAKind:
        showedFour_ = showedFour_ || (human && event.rank == goRank_);
        break;
    default:
        break;
    }
}

void GameStatistics::OpenDeal() {
    series_.push_back(series_.back());
    dealOpen_ = true;
    ForgetDeal();
}

void GameStatistics::ForgetDeal() {
    declarer_ = 0;
    goRank_ = 0;
    helped_ = tookFive_ = wentFor_ = showedFour_ = helicopter_ = wonCounted_ = false;
}

void GameStatistics::SettleDeal() {
    settling_ = true;
    if (!dealOpen_) {
        // A settlement with no deal before it: a deal of its own.
        OpenDeal();
    }
    dealOpen_ = false;
    ++tally_.deals;
    tally_.declared += declarer_ == HumanSeat ? 1 : 0;
    tally_.helped += helped_ ? 1 : 0;
    tally_.tookFive += tookFive_ ? 1 : 0;
    tally_.wentFor += wentFor_ ? 1 : 0;
    tally_.gotFour += wentFor_ && showedFour_ ? 1 : 0;
    tally_.helicopters += helicopter_ ? 1 : 0;
}

Tally GameStatistics::Counts() const {
    Tally t = tally_;
    t.games = series_.size() > 1 ? 1 : 0;
    const std::size_t settled = series_.size() - (dealOpen_ ? 1 : 0);
    for (std::size_t k = 0; k < settled; ++k) {
        t.best = std::max(t.best, series_[k][0]);
        t.worst = std::min(t.worst, series_[k][0]);
    }
    return t;
}

JournalStatistics::JournalStatistics() = default;
JournalStatistics::~JournalStatistics() = default;

void JournalStatistics::Restart() {
    game_.reset();
    folded_.clear();
    statistics_ = GameStatistics();
    readable_ = false;
}

bool JournalStatistics::Follow(std::string_view journal) {
    const std::string_view whole = WholeActions(journal);
    startedAnew_ = !game_ || !whole.starts_with(folded_);
    if (!startedAnew_ && whole.size() == folded_.size()) {
        return true;
    }
    if (startedAnew_) {
        Restart();
        JournalReading reading =
            ReadJournal(whole, [this](const GameEvent &event) { statistics_.Add(event); });
        if (!reading.game) {
            statistics_ = GameStatistics();
            return false;
        }
        game_ = std::move(reading.game);
    } else if (game_->Play(whole.substr(folded_.size()))) {
        // A journal that went on with a line that does not replay.
        Restart();
        return false;
    }
    folded_ = whole;
    readable_ = true;
    return true;
}

} // namespace vurp
