#pragma once

#include <QString>

// A page title made usable as a file name: the characters Windows forbids in names
// (\ / : * ? " < > |) and control characters become "_"; characters that reorder the text,
// leading dots (a hidden file) and trailing dots and blanks go; the name is cut on a character
// boundary to maxBytes, and an empty result becomes the fallback.
// The bytes a name may take: the file system's 255 with room left for ".url".
constexpr qsizetype kMaxNameBytes = 255 - 4;
QString fileNameFromTitle(const QString& title, const QString& fallback,
                          qsizetype maxBytes = kMaxNameBytes);
// A name a server gives a file, made as above within maxBytes; a name cut short keeps its
// extension ("….pdf").
QString downloadedFileName(const QString& suggested, const QString& fallback, qsizetype maxBytes);
