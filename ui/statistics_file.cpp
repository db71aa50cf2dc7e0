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

#include "journal_file.h"

namespace vurp::ui {

namespace {

constexpr char kSummaryHeader[] = "# vurp statistics 1";
// A line takes some eighty bytes: this is room for hundreds of thousands of
// games, and nothing larger is a summary of ours.
constexpr std::int64_t kMaxSummaryBytes = 64 * 1024 * 1024;

// One finished game as the summary keeps it.
struct Entry {
    QByteArray name; // the file's name in games/, as the system spells it
    qint64 size = 0;
    qint64 modified = 0; // milliseconds since the epoch
    bool readable = false;
    Tally tally;
};

// Each line carries a checksum of itself: a line changed by anything but
// this program is not taken at its word.
QByteArray Checksum(const QByteArray &body) {
    return QCryptographicHash::hash(body, QCryptographicHash::Sha1).toHex().left(16);
}

QByteArray LineOf(const Entry &entry) {
    const QByteArray body = entry.name.toPercentEncoding() + ' ' + QByteArray::number(entry.size) +
                            ' ' + QByteArray::number(entry.modified) + ' ' +
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
    if (words.size() < 4) {
        return std::nullopt;
    }
    Entry entry;
    entry.name = QByteArray::fromPercentEncoding(words[0]);
    bool sized = false;
    bool dated = false;
    entry.size = words[1].toLongLong(&sized);
    entry.modified = words[2].toLongLong(&dated);
    entry.readable = words[3] == "read";
    const qsizetype tallyStart =
        words[0].size() + words[1].size() + words[2].size() + words[3].size() + 4;
    const auto tally = ReadTally(body.mid(tallyStart).toStdString());
    if (!sized || !dated || entry.name.isEmpty() || (!entry.readable && words[3] != "unreadable") ||
        !tally || (!entry.readable && *tally != Tally{})) {
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

Entry ReadFinishedGame(const QFileInfo &file, const QByteArray &name) {
    Entry entry{name, file.size(), file.lastModified().toMSecsSinceEpoch(), false, {}};
    const FileRead read = ReadGameFile(file.filePath());
    if (read.kind != FileRead::Kind::Read) {
        return entry;
    }
    JournalStatistics journal;
    entry.readable = journal.Follow(read.bytes);
    entry.tally = journal.Statistics().Counts();
    return entry;
}

} // namespace

FinishedGames SummariseFinishedGames(const QString &folder) {
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
    QByteArray summary = QByteArray(kSummaryHeader) + '\n';
    std::size_t kept = 0;
    for (const QFileInfo &file : files) {
        const QByteArray name = QFile::encodeName(file.fileName());
        Entry entry;
        const auto at = known.find(name);
        if (at != known.end() && at->second.size == file.size() &&
            at->second.modified == file.lastModified().toMSecsSinceEpoch()) {
            entry = at->second;
            ++kept;
        } else {
            entry = ReadFinishedGame(file, name);
            ++finished.readNow;
        }
        ++finished.files;
        finished.unreadable += entry.readable ? 0 : 1;
        finished.tally += entry.tally;
        summary += LineOf(entry);
    }
    // Written anew when anything in it was damaged, changed or gone.
    if (!whole || finished.readNow > 0 || kept != known.size()) {
        finished.rewrote = true;
        finished.saveProblem = SaveWhole(summaryPath, summary.toStdString());
    }
    return finished;
}

} // namespace vurp::ui
