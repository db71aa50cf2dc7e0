#include "finished_record.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>

namespace vurp {

namespace {

constexpr std::size_t kKeyLength = 16;

// The line starting at `start`, without its "\n".
std::string_view LineAt(std::string_view text, std::size_t start) {
    const std::size_t end = text.find('\n', start);
    return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

bool IsKey(std::string_view word) {
    if (word.size() != kKeyLength) {
        return false;
    }
    for (const char c : word) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) {
            return false;
        }
    }
    return true;
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

struct RecordLine {
    std::string_view key;
    Tally tally;
};

// A line as the record writes it: a key, one blank and a tally that reads.
std::optional<RecordLine> ReadLine(std::string_view line) {
    if (line.size() <= kKeyLength + 1 || line[kKeyLength] != ' ' ||
        !IsKey(line.substr(0, kKeyLength))) {
        return std::nullopt;
    }
    const std::optional<Tally> tally = ReadTally(line.substr(kKeyLength + 1));
    if (!tally) {
        return std::nullopt;
    }
    return RecordLine{line.substr(0, kKeyLength), *tally};
}

} // namespace

std::string GameKey(std::string_view journal) {
    std::size_t end = journal.size();
    bool drawn = false;
    for (std::size_t start = 0; start < journal.size();) {
        const std::string_view line = LineAt(journal, start);
        const std::size_t next = start + line.size() + 1;
        if (drawn && line.starts_with("click")) {
            end = std::min(next, journal.size());
            break;
        }
        drawn = drawn || line.starts_with("rand");
        start = next;
    }
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : journal.substr(0, end)) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string key(kKeyLength, '0');
    for (std::size_t k = kKeyLength; k-- > 0; hash >>= 4) {
        key[k] = kDigits[hash & 0xf];
    }
    return key;
}

std::string RecordFinishedGame(std::string_view record, std::string_view journal) {
    JournalStatistics statistics;
    if (!statistics.Follow(journal)) {
        return std::string(record);
    }
    const Tally tally = statistics.Statistics().Counts();
    if (tally.games == 0) {
        return std::string(record);
    }
    const std::string key = GameKey(journal);
    const std::string line = key + " " + TallyText(tally) + "\n";
    for (std::size_t start = 0; start < record.size();) {
        const std::string_view old = LineAt(record, start);
        const std::size_t next = start + old.size() + 1;
        if (const auto read = ReadLine(old); read && read->key == key) {
            return std::string(record.substr(0, start)) + line +
                   std::string(next < record.size() ? record.substr(next) : std::string_view());
        }
        start = next;
    }
    std::string text(record);
    if (!text.empty() && text.back() != '\n') {
        text += '\n';
    }
    return text + line;
}

RecordSum SumRecord(std::string_view record, std::string_view skipKey) {
    RecordSum sum;
    for (std::size_t start = 0; start < record.size();) {
        const std::string_view line = LineAt(record, start);
        start += line.size() + 1;
        if (IsBlank(line)) {
            continue;
        }
        const std::optional<RecordLine> read = ReadLine(line);
        if (!read) {
            sum.unreadable += sum.unreadable < INT_MAX ? 1 : 0;
        } else if (read->key != skipKey) {
            sum.tally += read->tally;
        }
    }
    return sum;
}

} // namespace vurp
