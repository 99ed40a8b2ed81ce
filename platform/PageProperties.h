#pragma once

#include <QString>

// What the properties dialog shows of a page; empty fields are not known.
struct PageProperties {
    QString title;
    QString address;
    QString protocol;
    QString type;
    QString size;
    QString modified;
};

// "超文本传输协议 (HTTP)" and the like, for an address's scheme.
QString protocolDescription(const QString& scheme);
// "12,345 字节"; empty for a negative or unknown size.
QString sizeDescription(qint64 bytes);
// A page title made usable as a file name: the characters Windows forbids in names
// (\ / : * ? " < > |) and control characters become "_", leading dots (a hidden file) and
// trailing dots and blanks go, the name is cut on a character boundary to kMaxNameBytes, and an
// empty result becomes the fallback.
QString fileNameFromTitle(const QString& title, const QString& fallback);
// The bytes a name may take: the file system's 255 with room left for ".url".
constexpr qsizetype kMaxNameBytes = 255 - 4;
