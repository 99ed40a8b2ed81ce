#pragma once

#include "platform/RegistryStore.h"

#include <QHash>
#include <memory>

class RegFileContents;

// Registry values from exported .reg files, one file per root. Every query looks at its file
// again, so a changed file is seen by the next window that opens; a file whose size, time and
// identity are as before is not parsed again. Opened for reading only.
class RegFileStore final : public RegistryStore {
public:
    explicit RegFileStore(QHash<quint32, QString> filesByRoot);
    ~RegFileStore() override;

    // HKEY_CURRENT_USER from $XDG_CONFIG_HOME/tarnvale/user.reg, HKEY_LOCAL_MACHINE from
    // tarnvale/system.reg in the first of $XDG_CONFIG_DIRS.
    static std::unique_ptr<RegFileStore> fromXdgFolders();
    // $XDG_CONFIG_HOME/tarnvale/user.reg
    static QString userFilePath();

    RegQuery query(quint32 root, const QString& keyPath, const QString& valueName) const override;

    // Larger files are not registry exports; they are treated as not accessible.
    static constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

private:
    struct Parsed {
        QByteArray stamp; // size, times and identity of the file that was parsed
        std::shared_ptr<const RegFileContents> contents;
    };
    QHash<quint32, QString> m_files;
    mutable QHash<QString, Parsed> m_parsed;
};
