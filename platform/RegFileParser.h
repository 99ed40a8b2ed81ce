#pragma once

#include "platform/RegistryStore.h"

#include <QHash>
#include <QMap>
#include <optional>

// The keys and values of one exported registry file, for all roots it names. Key paths are
// stored without the root, lower-case, with single backslashes; value names lower-case, the
// default value under the empty name.
class RegFileContents {
public:
    using Values = QHash<QString, RegValue>;

    bool recognised() const { return m_recognised; }
    // Null when the key is not in the file.
    const Values* key(quint32 root, const QString& keyPath) const;

private:
    friend RegFileContents parseRegFile(const QByteArray& bytes);
    bool m_recognised = false;
    // Sorted, so that a key and all below it are one range: "[-key]" costs what it removes.
    QHash<quint32, QMap<QString, Values>> m_roots;
};

// Parses a file as regedit exports it: "REGEDIT4" (GBK) or "Windows Registry Editor Version
// 5.00" (UTF-16LE with BOM; UTF-8 is accepted too). Malformed lines are skipped; a file
// without either header yields no keys.
RegFileContents parseRegFile(const QByteArray& bytes);

// Lower-case, backslash-separated key path without empty segments.
QString normaliseKeyPath(const QString& keyPath);

// The root a key line names ("HKEY_CURRENT_USER" or "HKCU", in any letter case).
std::optional<quint32> regRootFromName(const QString& name);

// Reads a quoted name or string starting at text[pos] == '"', with regedit's escapes (\\ and
// \"); pos ends after the closing quote. Nothing when the quote is not closed.
std::optional<QString> readRegQuoted(const QString& text, qsizetype& pos);
