#include "platform/IniProfileFile.h"

#include "platform/GbkText.h"
#include "platform/IniText.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <array>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Non-blocking, so that a pipe or device under a shortcut's name cannot hang the reader.
constexpr int kReadFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;

// The bytes of an open file, which it closes; nothing when it is no regular file or larger
// than the limit.
std::optional<QByteArray> readOpened(int fd, qint64 limit) {
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > limit) {
        ::close(fd);
        return std::nullopt;
    }
    // Read straight into the result, with room for what the size says and more: a short read
    // of a regular file is its end, so most files take one read (a rebuild reads thousands).
    QByteArray bytes;
    qsizetype filled = 0;
    bool failed = false;
    while (filled < limit) {
        const qsizetype room =
            qsizetype(qMin<qint64>(limit - filled, qMax<qint64>(info.st_size - filled, 0) + 4096));
        bytes.resize(filled + room);
        const ssize_t got = ::read(fd, bytes.data() + filled, size_t(room));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            failed = true;
        if (got <= 0)
            break;
        filled += got;
        if (got < room)
            break;
    }
    bytes.truncate(filled);
    ::close(fd);
    if (failed)
        return std::nullopt;
    return bytes;
}

std::optional<QByteArray> readFile(const fs::path& file, qint64 limit, int flags = 0) {
    return readOpened(::open(file.c_str(), kReadFlags | flags), limit);
}

QString valueOf(const std::optional<QByteArray>& content, const QString& section,
                const QString& key, int bufferSize) {
    if (!content || bufferSize < 1)
        return QString();
    const auto value = ini::findValue(*content, section, key);
    if (!value)
        return QString();
    const bool utf8 = ini::hasUtf8Bom(*content);
    return ini::decode(ini::cutValue(*value, bufferSize - 1, utf8), utf8);
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

QByteArray nativeBytes(const fs::path& path) {
    return QByteArray::fromStdString(path.native());
}

fs::path pathFromBytes(const QByteArray& path) {
    return fs::path(path.toStdString());
}

QString pathText(const fs::path& path) {
    const std::string& native = path.native();
    return nameText(QByteArray::fromRawData(native.data(), qsizetype(native.size())));
}

QString nameText(const QByteArray& name) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(name);
    return utf8.hasError() ? fromGbk(name) : text;
}

namespace {
// The entry a write replaces, as it stands (a link is not followed).
struct Entry {
    bool exists = false;
    bool regular = false;
    bool replaceable = true; // a folder, pipe or device never is
    mode_t mode = 0;
    off_t size = 0;
};

Entry entryAt(const fs::path& file) {
    Entry entry;
    struct stat info {};
    if (::lstat(file.c_str(), &info) != 0)
        return entry;
    entry.exists = true;
    entry.regular = S_ISREG(info.st_mode);
    entry.replaceable = entry.regular || S_ISLNK(info.st_mode);
    entry.mode = info.st_mode & 07777;
    entry.size = info.st_size;
    return entry;
}

// What a new file gets: 0666 less the umask.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A temporary file beside the entry holding the bytes, with the given mode, flushed to disk
// when `flush` says so; nothing (errno set) when it could not be made.
std::optional<fs::path> writeTemporary(const fs::path& file, const QByteArray& bytes, mode_t mode,
                                       bool flush) {
    // A short name of its own, so that a long file name still leaves room for it.
    const fs::path temporary =
        file.parent_path() /
        (".~tarnvale-" + std::to_string(QRandomGenerator::global()->generate()) + ".tmp");
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return std::nullopt;
    bool ok = writeAll(fd, bytes) && (!flush || ::fsync(fd) == 0) && ::fchmod(fd, mode) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok)
        return temporary;
    ::unlink(temporary.c_str());
    errno = error;
    return std::nullopt;
}

bool putInPlace(const fs::path& temporary, const fs::path& file) {
    if (::rename(temporary.c_str(), file.c_str()) == 0)
        return true;
    const int error = errno;
    ::unlink(temporary.c_str());
    errno = error;
    return false;
}

// The entry itself is replaced: a link there becomes a file of its own and its target is never
// touched; a regular file keeps its permissions.
bool replaceEntry(const fs::path& file, const Entry& entry, const QByteArray& bytes) {
    if (!entry.replaceable) {
        errno = EISDIR;
        return false;
    }
    const auto temporary =
        writeTemporary(file, bytes, entry.regular ? entry.mode : newFileMode(), true);
    return temporary && putInPlace(*temporary, file);
}

// What a file holds once the key is set: its other lines kept when it is a regular file
// (what a link points to is neither read nor written: it may lie anywhere, and the folder may
// be shared); nothing (errno set) when it cannot be read.
std::optional<QByteArray> withValueSet(const QString& section, const QString& key,
                                       const QString& value, const fs::path& file,
                                       const Entry& entry) {
    QByteArray content;
    if (entry.regular) {
        const auto existing = entry.size > IniProfileFile::kMaxWriteSize
                                  ? std::nullopt
                                  : readFile(file, IniProfileFile::kMaxWriteSize, O_NOFOLLOW);
        if (!existing) {
            errno = EFBIG;
            return std::nullopt;
        }
        content = *existing;
    }
    return ini::withValue(content, section, key, value);
}
} // namespace

bool replaceFileAtomically(const fs::path& file, const QByteArray& bytes) {
    return replaceEntry(file, entryAt(file), bytes);
}

QString IniProfileFile::readValue(const QString& section, const QString& key, const fs::path& file,
                                  int bufferSize) {
    return valueOf(readFile(file, kMaxProfileFileSize), section, key, bufferSize);
}

struct IniProfileFile::Remembered {
    std::array<qint64, 7> stamp; // the file's identity
    QString value;
    quint64 seen; // the last call that found the file
};

IniProfileFile::IniProfileFile()
    : m_read(std::make_unique<QHash<QByteArray, QHash<QByteArray, Remembered>>>()) {}

IniProfileFile::~IniProfileFile() = default;

QStringList IniProfileFile::readValues(const QString& section, const QString& key,
                                       const fs::path& folder, const QList<QByteArray>& names,
                                       int bufferSize) {
    QStringList values;
    values.reserve(names.size());
    // What this folder gave last time for this request (section, key, buffer), brought up to
    // date in place; files gone are forgotten at the end.
    const QByteArray folderKey = QByteArray(folder.c_str()) + '\0' +
                                 (section + QLatin1Char('\n') + key).toUtf8() + '\n' +
                                 QByteArray::number(bufferSize);
    QHash<QByteArray, Remembered>& known = (*m_read)[folderKey];
    const quint64 call = ++m_calls;
    // Each file by its name in the folder opened once: no path to walk for every file.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (const QByteArray& name : names) {
        struct stat info {};
        if (dir < 0 || ::fstatat(dir, name.constData(), &info, 0) != 0 || !S_ISREG(info.st_mode)) {
            values << QString();
            continue;
        }
        const std::array<qint64, 7> stamp{qint64(info.st_dev),          qint64(info.st_ino),
                                          qint64(info.st_size),         qint64(info.st_mtim.tv_sec),
                                          qint64(info.st_mtim.tv_nsec), qint64(info.st_ctim.tv_sec),
                                          qint64(info.st_ctim.tv_nsec)};
        const auto remembered = known.find(name);
        if (remembered != known.end() && remembered->stamp == stamp) {
            values << remembered->value;
            remembered->seen = call;
            continue;
        }
        const auto content =
            readOpened(::openat(dir, name.constData(), kReadFlags), kMaxProfileFileSize);
        values << valueOf(content, section, key, bufferSize);
        // A file that could not be read is tried again next time.
        if (content)
            known.insert(name, {stamp, values.constLast(), call});
    }
    known.removeIf([call](const auto& entry) { return entry.value().seen != call; });
    if (dir >= 0)
        ::close(dir);
    return values;
}

FolderListing listFolder(const fs::path& folder) {
    FolderListing listing;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) {
        listing.error = errno;
        return listing;
    }
    const int fd = ::dirfd(dir);
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue; // hidden, and "." and ".."
        unsigned char type = entry->d_type;
        struct stat info {};
        if (type == DT_UNKNOWN && ::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0)
            type = S_ISLNK(info.st_mode)   ? DT_LNK
                   : S_ISREG(info.st_mode) ? DT_REG
                   : S_ISDIR(info.st_mode) ? DT_DIR
                                           : DT_UNKNOWN;
        if (type == DT_LNK) { // a link to a file counts as the file; one to a folder stays out
            if (::fstatat(fd, entry->d_name, &info, 0) != 0) {
                listing.brokenLinks << QByteArray(entry->d_name); // leads nowhere one can go
                errno = 0;
                continue;
            }
            type = S_ISREG(info.st_mode) ? DT_REG : DT_UNKNOWN;
        }
        if (type == DT_REG)
            listing.files << QByteArray(entry->d_name);
        else if (type == DT_DIR)
            listing.folders << QByteArray(entry->d_name);
        errno = 0;
    }
    listing.error = errno;
    ::closedir(dir);
    return listing;
}

bool IniProfileFile::writeValue(const QString& section, const QString& key, const QString& value,
                                const fs::path& file) {
    const Entry entry = entryAt(file);
    const auto content = withValueSet(section, key, value, file, entry);
    return content && replaceEntry(file, entry, *content);
}

ProfileFile::Written
IniProfileFile::writeValues(const QString& section, const QString& key,
                            const QList<std::pair<fs::path, QString>>& values) {
    Written written;
    QList<fs::path> temporaries;
    temporaries.reserve(values.size());
    const auto dropTemporaries = [&temporaries](qsizetype from) {
        const int error = errno;
        for (qsizetype i = from; i < temporaries.size(); ++i)
            ::unlink(temporaries[i].c_str());
        return error;
    };
    const mode_t newMode = newFileMode();
    QList<fs::path> folders;
    for (const auto& [file, value] : values) {
        const Entry entry = entryAt(file);
        if (!entry.replaceable)
            errno = EISDIR;
        const auto content =
            entry.replaceable ? withValueSet(section, key, value, file, entry) : std::nullopt;
        const auto temporary =
            content ? writeTemporary(file, *content, entry.regular ? entry.mode : newMode, false)
                    : std::nullopt;
        if (!temporary) {
            written.error = dropTemporaries(0);
            return written;
        }
        temporaries << *temporary;
        if (folders.isEmpty() || folders.last() != file.parent_path())
            folders << file.parent_path();
    }
    // Every file's bytes are on disk before any of them takes its name: one flush for each
    // file system the folders lie on.
    QList<dev_t> flushed;
    for (const fs::path& folder : folders) {
        struct stat info {};
        if (::stat(folder.c_str(), &info) == 0 && flushed.contains(info.st_dev))
            continue;
        flushed << info.st_dev;
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const bool synced = fd >= 0 && ::syncfs(fd) == 0;
        if (fd >= 0)
            ::close(fd);
        if (!synced) {
            written.error = dropTemporaries(0);
            return written;
        }
    }
    for (; written.count < values.size(); ++written.count) {
        if (!putInPlace(temporaries[written.count], values[written.count].first)) {
            written.error = dropTemporaries(written.count + 1);
            return written;
        }
    }
    return written;
}
