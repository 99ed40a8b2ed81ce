#pragma once

#include "platform/ProfileFile.h"

#include <QHash>
#include <memory>

// Profile values in files on disk. A file larger than kMaxProfileFileSize gives no value and
// is not read. readValues remembers what each folder's files gave and reads again only the files
// that changed since (size, times, device and inode, as version control tells a changed file):
// a favorites rebuild then costs a look at each file instead of a read.
class IniProfileFile final : public ProfileFile {
public:
    IniProfileFile();
    ~IniProfileFile() override;

    QString readValue(const QString& section, const QString& key, const std::filesystem::path& file,
                      int bufferSize) override;
    QStringList readValues(const QString& section, const QString& key,
                           const std::filesystem::path& folder, const QList<QByteArray>& names,
                           int bufferSize) override;
    bool writeValue(const QString& section, const QString& key, const QString& value,
                    const std::filesystem::path& file) override;
    Written writeValues(const QString& section, const QString& key,
                        const QList<std::pair<std::filesystem::path, QString>>& values) override;

    // The largest file a write will rewrite.
    static constexpr qint64 kMaxWriteSize = 64 * 1024 * 1024;

private:
    struct Remembered;
    // By folder and request, then file name: the file's identity and the value it gave.
    std::unique_ptr<QHash<QByteArray, QHash<QByteArray, Remembered>>> m_read;
    quint64 m_calls = 0;
};

// Replaces the file's bytes whole: a temporary file in the same folder, flushed to disk, then
// renamed over the entry, keeping a regular file's permissions. A symbolic link at that name is
// replaced itself (its target stays as it was); a folder, pipe or device is never replaced. On
// any failure the old entry is left untouched, and errno says why.
bool replaceFileAtomically(const std::filesystem::path& file, const QByteArray& bytes);
