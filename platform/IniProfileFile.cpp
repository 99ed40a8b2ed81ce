#include "IniProfileFile.h"

#include "GbkText.h"
#include "IniText.h"

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::optional<QByteArray> readFile(const fs::path& file, qint64 limit, int flags = 0) {
    // Non-blocking, so that a pipe or device under a shortcut's name cannot hang the reader.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | flags);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray bytes;
    char buffer[65536];
    bool failed = false;
    while (bytes.size() < limit) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            failed = true;
        if (got <= 0)
            break;
        bytes.append(buffer, got);
    }
    ::close(fd);
    if (failed)
        return std::nullopt;
    if (bytes.size() > limit)
        bytes.truncate(limit);
    return bytes;
}

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t put =
            ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        written += put;
    }
    return true;
}

} // namespace

fs::path nativePath(const QString& path) {
    return fs::path(QFile::encodeName(path).toStdString());
}

QString pathText(const fs::path& path) {
    const std::string& native = path.native();
    const QByteArray bytes(native.data(), qsizetype(native.size()));
    const QString utf8 = QString::fromUtf8(bytes);
    return utf8.toUtf8() == bytes ? utf8 : fromGbk(bytes);
}

bool replaceFileAtomically(const fs::path& file, const QByteArray& bytes) {
    // The entry itself is replaced: a link there becomes a file of its own and its target is
    // never touched; a folder, pipe or device there is never replaced.
    struct stat info {};
    const bool existed = ::lstat(file.c_str(), &info) == 0;
    if (existed && !S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode))
        return false;
    mode_t mode = 0666;
    if (existed && S_ISREG(info.st_mode))
        mode = info.st_mode & 07777;
    else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    // A short name of its own, so that a long file name still leaves room for it.
    const fs::path temporary =
        file.parent_path() /
        (".~tarnvale-" + std::to_string(QRandomGenerator::global()->generate()) + ".tmp");
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0 && ::fchmod(fd, mode) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok)
        ok = ::rename(temporary.c_str(), file.c_str()) == 0;
    if (!ok)
        ::unlink(temporary.c_str());
    return ok;
}

QString IniProfileFile::readValue(const QString& section, const QString& key, const fs::path& file,
                                  int bufferSize) {
    const auto content = readFile(file, kMaxReadSize);
    if (!content || bufferSize < 1)
        return QString();
    const auto value = ini::findValue(*content, section, key);
    if (!value)
        return QString();
    const bool utf8 = ini::hasUtf8Bom(*content);
    return ini::decode(ini::cutValue(*value, bufferSize - 1, utf8), utf8);
}

bool IniProfileFile::writeValue(const QString& section, const QString& key, const QString& value,
                                const fs::path& file) {
    // Only a regular file at that name keeps its other keys: what a link points to is neither
    // read nor written (it may lie anywhere, and the folder may be shared).
    QByteArray content;
    struct stat info {};
    if (::lstat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        if (info.st_size > kMaxWriteSize)
            return false;
        const auto existing = readFile(file, kMaxWriteSize, O_NOFOLLOW);
        if (!existing)
            return false;
        content = *existing;
    }
    return replaceFileAtomically(file, ini::withValue(content, section, key, value));
}
