// The journal on the disk: the file of the game in progress in the player's
// data folder, written so that a crash, a kill or a power cut at any instant
// leaves every action before the one in flight readable, and a file that
// cannot be read set aside rather than lost.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vurp::ui {

// A journal larger than this is no journal of ours: a game of a thousand
// deals takes about 1.5 MB.
inline constexpr std::int64_t kMaxJournalBytes = 64 * 1024 * 1024;

// A file's bytes, or why they cannot be a game: it is missing, is not a
// regular file, is too large or cannot be read. `problem` is a Russian
// phrase for the player ("это папка, а не файл").
struct FileRead {
    enum class Kind { Absent, Read, Unusable };
    Kind kind = Kind::Absent;
    std::string bytes;
    QString problem;
};
// Reads a whole file that may be anything: a FIFO or a device is never
// opened for reading, so nothing waits.
FileRead ReadGameFile(const QString &path, std::int64_t limit = kMaxJournalBytes);

// Writes `bytes` as the whole file at `path` through QSaveFile: aside, synced
// to the disk, then renamed over the old one; the old one stays whole if
// anything fails. An empty result, or why it failed.
QString SaveWhole(const QString &path, std::string_view bytes);

class JournalFile {
public:
    // The journal of the game in progress: `folder`/current-game.vurp; with
    // no folder, in memory only.
    explicit JournalFile(QString folder);
    ~JournalFile();
    JournalFile(const JournalFile &) = delete;
    JournalFile &operator=(const JournalFile &) = delete;

    QString Folder() const { return folder_; }
    QString Path() const { return path_; }
    // Everything written down so far, whether or not it reached the disk.
    const std::string &Text() const { return text_; }

    // Takes the folder's game for this process alone, for as long as the
    // journal lives: false when another running Vurp has it. A folder that
    // cannot hold the lock's file is not refused: nothing is written there.
    bool Lock();

    FileRead Read() const { return ReadGameFile(path_); }
    // Moves the file at Path aside, in the same folder under a name with the
    // date and time; never over another file. The new path, or nothing (why:
    // Error()).
    std::optional<QString> SetAside();

    // The file at Path holds `text`, perhaps followed by a line torn by a
    // crash, which is cut off at the next Sync.
    void Adopt(std::string text);
    // A new game written down as `text` from the start. A file still at Path
    // goes, at the next Sync, to the finished games (`games/` in the folder)
    // when `previousFinished`, else it is set aside.
    void Restart(std::string text, bool previousFinished);
    // The game written down anew as `text`, over the journal's own file (a
    // file put in its place meanwhile is set aside as ever), at the next Sync.
    void Replace(std::string text);
    // The lines of one action, then Sync.
    bool Append(std::string_view lines);
    // Writes what is not on the disk yet and waits until the disk has it.
    // False when that failed; a later Sync tries again, and nothing written
    // before is ever written over with anything else.
    bool Sync();
    // Why the last Sync or SetAside failed, in Russian.
    QString Error() const { return error_; }
    // Where the last game moved to the finished games went; empty if none.
    QString Finished() const { return finished_; }

private:
    bool StillOurs() const;
    bool WriteWhole();
    bool WriteTail();
    void Close();
    std::optional<QString> MoveAway(const QString &folder, const QString &stem);

    QString folder_;
    QString path_;
    std::string text_;
    int fd_ = -1;
    int lock_ = -1;
    std::uint64_t device_ = 0;
    std::uint64_t inode_ = 0;
    std::size_t synced_ = 0;  // bytes of text_ the disk has for certain
    std::size_t written_ = 0; // bytes of text_ handed to the file
    bool adopting_ = false;
    bool previousFinished_ = false;
    bool replacingOurs_ = false;
    QString error_;
    QString finished_;
};

} // namespace vurp::ui
