#include "statistics_file.h"

#include <QByteArrayList>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "journal.h"
#include "journal_file.h"

namespace vurp::ui {

namespace {

constexpr char kSummaryHeader[] = "# vurp statistics 1";
// A line takes some eighty bytes: this is room for hundreds of thousands of
// games, and nothing larger is a summary of ours.
constexpr std::int64_t kMaxSummaryBytes = 64 * 1024 * 1024;

// The opening of a journal that tells its game from others: the first
// numbers of the first shuffle, drawn afresh for every game. Shorter
// journals have dealt no cards.
constexpr std::size_t kHeadBytes = 512;

// One finished game as the summary keeps it.
struct Entry {
    QByteArray name; // the file's name in games/, as the system spells it
    qint64 size = 0;
    qint64 modified = 0; // milliseconds since the epoch
    QByteArray head;     // the checksum of its opening, or "-"
    bool readable = false;
    Tally tally;
};

// Each line carries a checksum of itself: a line changed by anything but
// this program is not taken at its word.
QByteArray Checksum(const QByteArray &body) {
    return QCryptographicHash::hash(body, QCryptographicHash::Sha1).toHex().left(16);
}

// The checksum of the opening of a journal's whole actions.
QByteArray HeadOf(std::string_view whole) {
    return whole.size() < kHeadBytes ? QByteArray("-")
                                     : Checksum(QByteArray(whole.data(), kHeadBytes));
}

QByteArray LineOf(const Entry &entry) {
    const QByteArray body = entry.name.toPercentEncoding() + ' ' + QByteArray::number(entry.size) +
                            ' ' + QByteArray::number(entry.modified) + ' ' + entry.head + ' ' +
                            (entry.readable ? "read " : "unreadable ") +
                            QByteArray::fromStdString(TallyText(entry.tally));
    return body + ' ' + Checksum(body) + '\n';
}

std::optional<Entry> EntryOf(const QByteArray &line) {
    const qsizetype last = line.lastIndexOf(' ');
    if (last < 0) {
        return std::nullopt;
    }
    const QByteArray body = line.left(last);
    if (line.mid(last + 1) != Checksum(body)) {
        return std::nullopt;
    }
    const QByteArrayList words = body.split(' ');
    if (words.size() < 5) {
        return std::nullopt;
    }
    Entry entry;
    entry.name = QByteArray::fromPercentEncoding(words[0]);
    bool sized = false;
    bool dated = false;
    entry.size = words[1].toLongLong(&sized);
    entry.modified = words[2].toLongLong(&dated);
    entry.head = words[3];
    entry.readable = words[4] == "read";
    qsizetype tallyStart = 0;
    for (qsizetype k = 0; k < 5; ++k) {
        tallyStart += words[k].size() + 1;
    }
    const auto tally = ReadTally(body.mid(tallyStart).toStdString());
    // One file holds one game.
    if (!sized || !dated || entry.name.isEmpty() || entry.head.isEmpty() ||
        (!entry.readable && words[4] != "unreadable") || !tally || tally->games > 1 ||
        (!entry.readable && *tally != Tally{})) {
        return std::nullopt;
    }
    entry.tally = *tally;
    return entry;
}

// The entries of the summary that can be trusted, by name; `whole` tells
// whether every line could.
std::map<QByteArray, Entry> ReadSummary(const QString &path, bool &whole) {
    std::map<QByteArray, Entry> entries;
    const FileRead read = ReadGameFile(path, kMaxSummaryBytes);
    whole = read.kind == FileRead::Kind::Read;
    if (!whole) {
        return entries;
    }
    const QByteArrayList lines = QByteArray::fromStdString(read.bytes).split('\n');
    whole = lines.front() == kSummaryHeader;
    if (!whole) {
        return entries;
    }
    // Every line stands or falls on its own; one cut short by anything but
    // this program fails its checksum.
    for (qsizetype k = 1; k < lines.size(); ++k) {
        if (k + 1 == lines.size() && lines[k].isEmpty()) {
            break;
        }
        const auto entry = EntryOf(lines[k]);
        if (!entry || entries.contains(entry->name)) {
            whole = false;
            continue;
        }
        entries.emplace(entry->name, *entry);
    }
    return entries;
}

// The whole actions of a finished game's journal; nothing when it cannot
// be read.
std::optional<std::string> WholeActionsOf(const QString &path) {
    const FileRead read = ReadGameFile(path);
    if (read.kind != FileRead::Kind::Read) {
        return std::nullopt;
    }
    return std::string(WholeActions(read.bytes));
}

Entry ReadFinishedGame(const QFileInfo &file, const QByteArray &name) {
    Entry entry{name, file.size(), file.lastModified().toMSecsSinceEpoch(), "-", false, {}};
    const auto whole = WholeActionsOf(file.filePath());
    if (!whole) {
        return entry;
    }
    JournalStatistics journal;
    entry.readable = journal.Follow(*whole);
    entry.tally = journal.Statistics().Counts();
    entry.head = HeadOf(*whole);
    return entry;
}

// The finished games that go on in another: a game opened again and played
// on is in games/ twice, and perhaps the game under way too. Only games with
// the same opening are read to find out.
std::vector<bool> GoOnElsewhere(const std::vector<Entry> &entries, const QDir &games,
                                std::string_view current) {
    std::vector<bool> goOn(entries.size(), false);
    std::map<QByteArray, std::vector<std::size_t>> byHead;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        if (entries[k].readable && entries[k].head != "-") {
            byHead[entries[k].head].push_back(k);
        }
    }
    const std::string_view now = WholeActions(current);
    for (const auto &[head, members] : byHead) {
        const bool withCurrent = head == HeadOf(now);
        if (members.size() < 2 && !withCurrent) {
            continue;
        }
        std::vector<std::optional<std::string>> texts;
        for (const std::size_t k : members) {
            texts.push_back(WholeActionsOf(games.filePath(QFile::decodeName(entries[k].name))));
        }
        for (std::size_t a = 0; a < members.size(); ++a) {
            if (!texts[a]) {
                continue;
            }
            bool continued = withCurrent && now.starts_with(*texts[a]);
            // Of two copies of one game the last by name counts.
            for (std::size_t b = 0; b < members.size() && !continued; ++b) {
                continued = b != a && texts[b] && texts[b]->starts_with(*texts[a]) &&
                            (texts[a]->size() < texts[b]->size() || a < b);
            }
            goOn[members[a]] = continued;
        }
    }
    return goOn;
}

} // namespace

FinishedGames SummariseFinishedGames(const QString &folder, std::string_view current) {
    FinishedGames finished;
    const QString summaryPath = folder + QLatin1Char('/') + QLatin1String(kSummaryName);
    const QDir games(folder + QStringLiteral("/games"));
    if (!games.exists() && !QFileInfo::exists(summaryPath)) {
        // Nothing finished yet, and nothing to write down.
        return finished;
    }
    bool whole = false;
    const std::map<QByteArray, Entry> known = ReadSummary(summaryPath, whole);
    const QFileInfoList files =
        games.entryInfoList({QStringLiteral("*.vurp")}, QDir::Files | QDir::Hidden, QDir::Name);
    std::vector<Entry> entries;
    QByteArray summary = QByteArray(kSummaryHeader) + '\n';
    std::size_t kept = 0;
    for (const QFileInfo &file : files) {
        const QByteArray name = QFile::encodeName(file.fileName());
        const auto at = known.find(name);
        if (at != known.end() && at->second.size == file.size() &&
            at->second.modified == file.lastModified().toMSecsSinceEpoch()) {
            entries.push_back(at->second);
            ++kept;
        } else {
            entries.push_back(ReadFinishedGame(file, name));
            ++finished.readNow;
        }
        summary += LineOf(entries.back());
    }
    const std::vector<bool> goOn = GoOnElsewhere(entries, games, current);
    for (std::size_t k = 0; k < entries.size(); ++k) {
        ++finished.files;
        finished.unreadable += entries[k].readable ? 0 : 1;
        finished.continued += goOn[k] ? 1 : 0;
        if (!goOn[k]) {
            finished.tally += entries[k].tally;
        }
    }
    // Written anew when anything in it was damaged, changed or gone.
    if (!whole || finished.readNow > 0 || kept != known.size()) {
        finished.rewrote = true;
        finished.saveProblem = SaveWhole(summaryPath, summary.toStdString());
    }
    return finished;
}

} // namespace vurp::ui
