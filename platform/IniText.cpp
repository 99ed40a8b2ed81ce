#include "platform/IniText.h"

#include "platform/GbkText.h"

#include <QList>

namespace ini {
namespace {

struct Line {
    qsizetype start = 0;
    qsizetype end = 0;      // before the line end
    qsizetype nextLine = 0; // after the line end
};

// Lines end with CR LF, LF or a lone CR, as the profile functions read them.
QList<Line> splitLines(const QByteArray& content, qsizetype from) {
    QList<Line> lines;
    qsizetype start = from;
    while (start < content.size()) {
        Line line;
        line.start = start;
        qsizetype at = start;
        while (at < content.size() && content.at(at) != '\n' && content.at(at) != '\r')
            ++at;
        line.end = at;
        if (at < content.size() && content.at(at) == '\r')
            ++at;
        if (at < content.size() && content.at(at) == '\n')
            ++at;
        line.nextLine = at;
        lines.append(line);
        start = line.nextLine;
    }
    return lines;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArrayView blankTrimmed(QByteArrayView bytes) {
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && isBlank(bytes.at(begin)))
        ++begin;
    while (end > begin && isBlank(bytes.at(end - 1)))
        --end;
    return bytes.sliced(begin, end - begin);
}

QByteArray trimmedBlanks(const QByteArray& bytes) {
    return blankTrimmed(bytes).toByteArray();
}

bool isAscii(QByteArrayView bytes) {
    for (const char c : bytes) {
        if (uchar(c) >= 0x80)
            return false;
    }
    return true;
}

bool sameName(const QByteArray& raw, const QString& name, bool utf8) {
    const QByteArray trimmed = trimmedBlanks(raw);
    // Names are mostly ASCII: no decoding needed to compare them.
    const QString text = isAscii(trimmed) ? QString::fromLatin1(trimmed) : decode(trimmed, utf8);
    return text.trimmed().compare(name.trimmed(), Qt::CaseInsensitive) == 0;
}

// The section name of a header line, or nothing when the line is not a header.
std::optional<QByteArray> sectionName(const QByteArray& line) {
    const QByteArray text = trimmedBlanks(line);
    if (!text.startsWith('['))
        return std::nullopt;
    const qsizetype close = text.indexOf(']');
    return close < 0 ? text.mid(1) : text.mid(1, close - 1);
}

struct Location {
    qsizetype sectionLine = -1; // index of the header line
    qsizetype lastLine = -1;    // last non-blank line of the section
    qsizetype keyLine = -1;
};

Location locate(const QByteArray& content, const QList<Line>& lines, const QString& section,
                const QString& key, bool utf8) {
    Location where;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray line = content.mid(lines[i].start, lines[i].end - lines[i].start);
        if (const auto name = sectionName(line)) {
            if (where.sectionLine >= 0)
                break; // the first matching section only
            if (sameName(*name, section, utf8))
                where.sectionLine = where.lastLine = i;
            continue;
        }
        if (where.sectionLine < 0)
            continue;
        if (!trimmedBlanks(line).isEmpty())
            where.lastLine = i;
        const qsizetype equals = line.indexOf('=');
        if (where.keyLine < 0 && equals >= 0 && sameName(line.left(equals), key, utf8))
            where.keyLine = i;
    }
    return where;
}

QByteArray lineEnding(const QByteArray& content) {
    const qsizetype newline = content.indexOf('\n');
    if (newline > 0 && content.at(newline - 1) == '\r')
        return "\r\n";
    return newline >= 0 ? QByteArray("\n") : QByteArray("\r\n");
}

bool isGbkLead(uchar c) {
    return c >= 0x81 && c <= 0xFE;
}

int utf8Length(uchar c) {
    if (c < 0x80)
        return 1;
    if ((c & 0xE0) == 0xC0)
        return 2;
    if ((c & 0xF0) == 0xE0)
        return 3;
    if ((c & 0xF8) == 0xF0)
        return 4;
    return 1; // a stray continuation byte stands alone
}

// Compares raw names (section or key) with one name the way the profile functions do: blanks
// around ignored, letter case ignored; ASCII names without decoding.
class NameMatcher {
public:
    NameMatcher(const QString& name, bool utf8)
        : m_name(name.trimmed())
        , m_utf8(utf8)
        , m_ascii(isAscii(m_name.toLatin1()) ? m_name.toLatin1() : QByteArray()) {}

    bool matches(QByteArrayView raw) const {
        if (isAscii(raw) && (!m_ascii.isEmpty() || m_name.isEmpty())) {
            const QByteArrayView name = raw.trimmed();
            return name.size() == m_ascii.size() &&
                   qstrnicmp(name.data(), name.size(), m_ascii.constData(), m_ascii.size()) == 0;
        }
        return decode(blankTrimmed(raw).toByteArray(), m_utf8)
                   .trimmed()
                   .compare(m_name, Qt::CaseInsensitive) == 0;
    }

private:
    QString m_name;
    bool m_utf8;
    QByteArray m_ascii; // empty unless the name is ASCII
};

} // namespace

bool hasUtf8Bom(const QByteArray& content) {
    return content.startsWith("\xEF\xBB\xBF");
}

QString decode(const QByteArray& bytes, bool utf8) {
    return utf8 ? QString::fromUtf8(bytes) : fromGbk(bytes);
}

QByteArray encode(const QString& text, bool utf8) {
    return utf8 ? text.toUtf8() : toGbk(text);
}

std::optional<QByteArray> findValue(const QByteArray& content, const QString& section,
                                    const QString& key) {
    // One pass over the bytes, without a copy per line: a rebuild of the favorites reads
    // thousands of files.
    const bool utf8 = hasUtf8Bom(content);
    const NameMatcher sectionName(section, utf8);
    const NameMatcher keyName(key, utf8);
    const char* const data = content.constData();
    qsizetype start = utf8 ? 3 : 0;
    bool inSection = false;
    std::optional<QByteArrayView> found;
    while (start < content.size() && !found) {
        qsizetype end = start;
        while (end < content.size() && data[end] != '\n' && data[end] != '\r')
            ++end;
        const QByteArrayView line(data + start, end - start);
        const QByteArrayView text = blankTrimmed(line); // as the writer sees a header
        if (text.startsWith('[')) {
            if (inSection)
                break; // the first matching section only
            const qsizetype close = text.indexOf(']');
            inSection = sectionName.matches(close < 0 ? text.sliced(1) : text.sliced(1, close - 1));
        } else if (inSection) {
            const qsizetype equals = line.indexOf('=');
            if (equals >= 0 && keyName.matches(line.first(equals)))
                found = line.sliced(equals + 1);
        }
        start = end;
        if (start < content.size() && data[start] == '\r')
            ++start;
        if (start < content.size() && data[start] == '\n')
            ++start;
    }
    if (!found)
        return std::nullopt;
    QByteArray value = trimmedBlanks(found->toByteArray());
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

QByteArray withValue(const QByteArray& content, const QString& section, const QString& key,
                     const QString& value) {
    const bool utf8 = hasUtf8Bom(content);
    const QByteArray eol = lineEnding(content);
    QString cleanValue = value;
    cleanValue.remove(QLatin1Char('\r')).remove(QLatin1Char('\n')); // one line, always
    const QByteArray encodedValue = encode(cleanValue, utf8);
    const QList<Line> lines = splitLines(content, utf8 ? 3 : 0);
    const Location where = locate(content, lines, section, key, utf8);

    QByteArray result = content;
    if (where.keyLine >= 0) {
        const Line& line = lines[where.keyLine];
        const QByteArray text = content.mid(line.start, line.end - line.start);
        const QByteArray keyText = trimmedBlanks(text.left(text.indexOf('=')));
        result.replace(line.start, line.end - line.start, keyText + '=' + encodedValue);
    } else if (where.sectionLine >= 0) {
        const Line& last = lines[where.lastLine];
        QByteArray insertion = encode(key.trimmed(), utf8) + '=' + encodedValue + eol;
        if (last.nextLine == last.end) // the file ends without a line end
            insertion.prepend(eol);
        result.insert(last.nextLine, insertion);
    } else {
        if (!result.isEmpty() && !result.endsWith('\n') && !result.endsWith('\r') &&
            result != "\xEF\xBB\xBF")
            result += eol;
        result += '[' + encode(section.trimmed(), utf8) + ']' + eol + encode(key.trimmed(), utf8) +
                  '=' + encodedValue + eol;
    }
    return result;
}

QByteArray cutValue(const QByteArray& value, int maxBytes, bool utf8) {
    qsizetype end = 0;
    while (end < value.size()) {
        const uchar c = uchar(value.at(end));
        const int length = utf8 ? utf8Length(c) : (isGbkLead(c) ? 2 : 1);
        if (end + length > maxBytes || end + length > value.size())
            break;
        end += length;
    }
    return value.left(end);
}

} // namespace ini
