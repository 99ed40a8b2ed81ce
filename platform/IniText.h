#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The bytes of an initialisation file and the profile rules on them, without any I/O.
namespace ini {

// The raw bytes of a key's value (blanks trimmed, one pair of enclosing quotes removed), or
// nothing when the section or key is missing. Only the first matching section is searched.
std::optional<QByteArray> findValue(const QByteArray& content, const QString& section,
                                    const QString& key);

// The file with the key set to value: only that key's line changes, or the key (and the
// section) is added. Line ends follow the file's own (CR LF for a new file).
QByteArray withValue(const QByteArray& content, const QString& section, const QString& key,
                     const QString& value);

// A value cut to at most maxBytes without splitting a character, and without a dangling
// lead byte at its end; GBK unless the content is UTF-8.
QByteArray cutValue(const QByteArray& value, int maxBytes, bool utf8);

bool hasUtf8Bom(const QByteArray& content);
QString decode(const QByteArray& bytes, bool utf8);
QByteArray encode(const QString& text, bool utf8);

} // namespace ini
