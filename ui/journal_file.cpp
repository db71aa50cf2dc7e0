#include "journal_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace vurp::ui {

namespace {

QString SystemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QByteArray Native(const QString &path) {
    return QFile::encodeName(path);
}

// Makes a rename or a new file in `folder` last through a power cut.
void SyncFolder(const QString &folder) {
    const int fd = ::open(Native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool Exists(const QString &path) {
    struct stat info {};
    return ::lstat(Native(path).constData(), &info) == 0;
}

// Renames `from` to `to` unless `to` exists: false with errno EEXIST then.
bool RenameWithoutReplacing(const QString &from, const QString &to) {
    const QByteArray source = Native(from);
    const QByteArray target = Native(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // A file system that cannot refuse to replace: look first.
    if (Exists(to)) {
        errno = EEXIST;
        return false;
    }
    return ::rename(source.constData(), target.constData()) == 0;
}

QString TooLarge(std::int64_t size) {
    return QStringLiteral("файл слишком велик (%1 МБ)").arg(size / (1024 * 1024));
}

} // namespace

FileRead ReadGameFile(const QString &path, std::int64_t limit) {
    FileRead read;
    // Non-blocking: opening a FIFO for reading would wait for a writer.
    const int fd = ::open(Native(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return read;
        }
        read.kind = FileRead::Kind::Unusable;
        read.problem = QStringLiteral("файл не открывается (%1)").arg(SystemReason(errno));
        return read;
    }
    read.kind = FileRead::Kind::Unusable;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        read.problem = QStringLiteral("файл не читается (%1)").arg(SystemReason(errno));
    } else if (S_ISDIR(info.st_mode)) {
        read.problem = QStringLiteral("на месте файла папка");
    } else if (!S_ISREG(info.st_mode)) {
        read.problem = QStringLiteral("это не обычный файл");
    } else if (info.st_size > limit) {
        read.problem = TooLarge(info.st_size);
    } else {
        read.bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t got = 0;
        while (true) {
            if (got == read.bytes.size()) {
                // The file may have grown since it was measured.
                if (static_cast<std::int64_t>(got) >= limit) {
                    break;
                }
                read.bytes.resize(got + 4096);
            }
            const ssize_t n = ::read(fd, read.bytes.data() + got, read.bytes.size() - got);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                read.problem = QStringLiteral("файл не читается (%1)").arg(SystemReason(errno));
                break;
            }
            if (n == 0) {
                read.bytes.resize(got);
                read.kind = FileRead::Kind::Read;
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        if (read.kind != FileRead::Kind::Read && read.problem.isEmpty()) {
            read.problem = TooLarge(static_cast<std::int64_t>(got));
        }
    }
    ::close(fd);
    if (read.kind != FileRead::Kind::Read) {
        read.bytes.clear();
    }
    return read;
}

QString SaveWhole(const QString &path, std::string_view bytes) {
    QSaveFile file(path);
    // Never write into the old file in place, even where renaming is refused.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size || !file.flush() ||
        ::fdatasync(file.handle()) != 0) {
        const QString reason =
            file.error() != QFileDevice::NoError ? file.errorString() : SystemReason(errno);
        file.cancelWriting();
        file.commit();
        return reason;
    }
    if (!file.commit()) {
        return file.errorString();
    }
    SyncFolder(QFileInfo(path).absolutePath());
    return {};
}

JournalFile::JournalFile(QString folder)
    : folder_(std::move(folder)),
      path_(folder_.isEmpty() ? QString() : folder_ + QStringLiteral("/current-game.vurp")) {}

JournalFile::~JournalFile() {
    Close();
    if (lock_ >= 0) {
        ::close(lock_);
    }
}

bool JournalFile::Lock() {
    if (folder_.isEmpty() || !QDir().mkpath(folder_)) {
        return true;
    }
    const QByteArray name = Native(folder_ + QStringLiteral("/current-game.lock"));
    lock_ = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0600);
    if (lock_ < 0) {
        return true;
    }
    // Held by the open file, so a second window of this very process is
    // refused too; the system lets go of it when the process ends, however.
    if (::flock(lock_, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(lock_);
        lock_ = -1;
        return !held;
    }
    return true;
}

void JournalFile::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

std::optional<QString> JournalFile::MoveAway(const QString &folder, const QString &stem) {
    if (!QDir().mkpath(folder)) {
        error_ = QStringLiteral("папку %1 не удалось создать").arg(folder);
        return std::nullopt;
    }
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    for (int n = 1; n <= 1000; ++n) {
        const QString target = folder + QLatin1Char('/') + stem + QLatin1Char('-') + stamp +
                               (n > 1 ? QStringLiteral("-%1").arg(n) : QString()) +
                               QStringLiteral(".vurp");
        if (RenameWithoutReplacing(path_, target)) {
            SyncFolder(folder);
            SyncFolder(folder_);
            return target;
        }
        if (errno != EEXIST) {
            error_ =
                QStringLiteral("файл %1 не удалось перенести (%2)").arg(path_, SystemReason(errno));
            return std::nullopt;
        }
    }
    error_ = QStringLiteral("файл %1 не удалось перенести: все имена заняты").arg(path_);
    return std::nullopt;
}

std::optional<QString> JournalFile::SetAside() {
    return MoveAway(folder_, QStringLiteral("set-aside-game"));
}

void JournalFile::Adopt(std::string text) {
    Close();
    text_ = std::move(text);
    synced_ = written_ = text_.size();
    adopting_ = true;
    previousFinished_ = false;
}

void JournalFile::Restart(std::string text, bool previousFinished) {
    Close();
    text_ = std::move(text);
    synced_ = written_ = 0;
    adopting_ = false;
    previousFinished_ = previousFinished;
}

void JournalFile::Replace(std::string text) {
    replacingOurs_ = fd_ >= 0 && StillOurs();
    Restart(std::move(text), false);
}

bool JournalFile::Append(std::string_view lines) {
    text_.append(lines);
    return Sync();
}

bool JournalFile::StillOurs() const {
    struct stat info {};
    return ::stat(Native(path_).constData(), &info) == 0 &&
           static_cast<std::uint64_t>(info.st_dev) == device_ &&
           static_cast<std::uint64_t>(info.st_ino) == inode_;
}

bool JournalFile::Sync() {
    if (folder_.isEmpty()) {
        return true;
    }
    if (adopting_) {
        // The file read back is ours: write on at its end, the torn line cut.
        adopting_ = false;
        fd_ = ::open(Native(path_).constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        struct stat info {};
        if (fd_ >= 0 && ::fstat(fd_, &info) == 0 && S_ISREG(info.st_mode) &&
            (static_cast<std::size_t>(info.st_size) == text_.size() ||
             (::ftruncate(fd_, static_cast<off_t>(text_.size())) == 0 && ::fdatasync(fd_) == 0))) {
            device_ = static_cast<std::uint64_t>(info.st_dev);
            inode_ = static_cast<std::uint64_t>(info.st_ino);
        } else {
            // It cannot be written on: a new journal is written whole and
            // this one set aside.
            Close();
            synced_ = written_ = 0;
        }
    }
    if (fd_ >= 0 && !StillOurs()) {
        // The folder was removed, or the file replaced: write it all anew.
        Close();
        synced_ = written_ = 0;
    }
    const bool done = fd_ < 0 ? WriteWhole() : WriteTail();
    if (done) {
        error_.clear();
    }
    return done;
}

bool JournalFile::WriteWhole() {
    if (!QDir().mkpath(folder_)) {
        error_ = QStringLiteral("папку %1 не удалось создать").arg(folder_);
        return false;
    }
    if (Exists(path_) && !std::exchange(replacingOurs_, false)) {
        if (previousFinished_) {
            const auto moved = MoveAway(folder_ + QStringLiteral("/games"), QStringLiteral("game"));
            if (!moved) {
                return false;
            }
            finished_ = *moved;
            previousFinished_ = false;
        } else if (!SetAside()) {
            return false;
        }
    }
    previousFinished_ = false;
    if (const QString failed = SaveWhole(path_, text_); !failed.isEmpty()) {
        error_ = QStringLiteral("файл %1 не записан (%2)").arg(path_, failed);
        return false;
    }
    fd_ = ::open(Native(path_).constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0) {
        error_ = QStringLiteral("файл %1 не открывается (%2)").arg(path_, SystemReason(errno));
        Close();
        return false;
    }
    device_ = static_cast<std::uint64_t>(info.st_dev);
    inode_ = static_cast<std::uint64_t>(info.st_ino);
    synced_ = written_ = text_.size();
    return true;
}

bool JournalFile::WriteTail() {
    while (written_ < text_.size()) {
        const ssize_t n = ::pwrite(fd_, text_.data() + written_, text_.size() - written_,
                                   static_cast<off_t>(written_));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            const int reason = n < 0 ? errno : ENOSPC;
            error_ = QStringLiteral("файл %1 не записан (%2)").arg(path_, SystemReason(reason));
            return false;
        }
        written_ += static_cast<std::size_t>(n);
    }
    if (synced_ < written_ && ::fdatasync(fd_) != 0) {
        error_ = QStringLiteral("файл %1 не записан на диск (%2)").arg(path_, SystemReason(errno));
        // What the disk failed to take may be lost from the cache as well:
        // it is all written again next time.
        written_ = synced_;
        return false;
    }
    synced_ = written_;
    return true;
}

} // namespace vurp::ui
