#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// An exported registry file with one string value set and every other byte kept: the last
// line of the value in its key changes (or the line is added to the key's last section, or
// the key is added at the end), in the file's own format, code page and line ends. Empty old
// bytes make a new REGEDIT4 file in GBK. keyPath names the root as regedit does
// ("HKEY_CURRENT_USER\SOFTWARE\..."). The value is an address: since the registry hands out
// strings in GBK, one that GBK cannot hold is written as gbkAddress gives it. Nothing when the
// old bytes are no registry export or the value holds a line break or another control
// character.
std::optional<QByteArray> withRegString(const QByteArray& old, const QString& keyPath,
                                        const QString& name, const QString& value);

enum class RegWrite {
    Written,
    BadValue,
    NotAFile,
    TooLarge,
    Unreadable,
    NotRegistryFile,
    Unwritable
};

// withRegString on a file on disk, replaced in one step (replaceFileAtomically) so that a
// failure leaves it as it was. Only a regular file is rewritten, never what a link points to;
// a missing file and its folder are made.
RegWrite writeRegString(const QString& path, const QString& keyPath, const QString& name,
                        const QString& value);
