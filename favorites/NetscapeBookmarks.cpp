#include "favorites/NetscapeBookmarks.h"

#include "platform/GbkText.h"

#include <QStringDecoder>
#include <optional>

using namespace bookmarkLimits;

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool isAlnum(char c) {
    return (c >= '0' && c <= '9') || (lower(c) >= 'a' && lower(c) <= 'z');
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// Whether the bytes at `at` are `word` (lower-case ASCII) in any letter case.
bool hasWordAt(const QByteArray& bytes, qsizetype at, const char* word) {
    for (; *word; ++word, ++at) {
        if (at >= bytes.size() || lower(bytes.at(at)) != *word)
            return false;
    }
    return true;
}

bool isValidUtf8(const QByteArray& bytes) {
    // In pieces, so that checking a large file needs no copy of it as text.
    constexpr qsizetype kPiece = 1 << 20;
    QStringDecoder utf8(QStringDecoder::Utf8);
    for (qsizetype at = 0; at < bytes.size() && !utf8.hasError(); at += kPiece)
        (void)QString(
            utf8.decode(QByteArrayView(bytes).sliced(at, qMin(kPiece, bytes.size() - at))));
    return !utf8.hasError();
}

// &amp; &lt; &gt; &quot; &apos; &nbsp; and numeric references; anything else stays as written.
QString withEntitiesDecoded(const QString& text) {
    if (!text.contains(QLatin1Char('&')))
        return text;
    QString out;
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype amp = text.indexOf(QLatin1Char('&'), at);
        const qsizetype semicolon = amp < 0 ? -1 : text.indexOf(QLatin1Char(';'), amp);
        if (amp < 0 || semicolon < 0) {
            out += QStringView(text).mid(at);
            break;
        }
        out += QStringView(text).mid(at, amp - at);
        const QStringView name = QStringView(text).mid(amp + 1, semicolon - amp - 1);
        char32_t decoded = 0;
        if (name.size() > 1 && name.size() < 10 && name.at(0) == QLatin1Char('#')) {
            bool ok = false;
            const bool hex = name.at(1) == QLatin1Char('x') || name.at(1) == QLatin1Char('X');
            const uint value = name.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
            if (ok && value > 0 && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF))
                decoded = value;
        } else {
            static const QList<QPair<QString, char32_t>> named = {
                {QStringLiteral("amp"), '&'},   {QStringLiteral("lt"), '<'},
                {QStringLiteral("gt"), '>'},    {QStringLiteral("quot"), '"'},
                {QStringLiteral("apos"), '\''}, {QStringLiteral("nbsp"), ' '}};
            for (const auto& [entity, character] : named) {
                if (name.compare(entity, Qt::CaseInsensitive) == 0)
                    decoded = character;
            }
        }
        if (decoded) {
            out += QString::fromUcs4(&decoded, 1);
            at = semicolon + 1;
        } else {
            out += QLatin1Char('&');
            at = amp + 1;
        }
    }
    return out;
}

class Parser {
public:
    explicit Parser(const QByteArray& bytes);
    BookmarkReading read();

private:
    // Just after the ">" that ends the tag whose inside starts at `from`, or -1.
    qsizetype tagEnd(qsizetype from) const;
    // Where "</name" starts at or after `from`, or -1.
    qsizetype closingTag(qsizetype from, const char* name) const;
    // The value of the attribute in the tag's inside [from, to); nothing when missing.
    std::optional<QByteArray> attribute(qsizetype from, qsizetype to, const char* name) const;
    QString decoded(QByteArrayView raw) const;
    // The text of [from, to) as a title: tags inside it dropped, entities decoded.
    QString text(qsizetype from, qsizetype to) const;
    // A folder whose <DL> has not come yet ends: it is empty.
    void endWaitingFolder();

    const QByteArray& m_bytes;
    qsizetype m_start = 0;
    enum class Charset { Utf8, Gbk, Declared } m_charset = Charset::Utf8;
    mutable std::optional<QStringDecoder> m_declared; // any other declared character set
    BookmarkTreeBuilder m_builder;
    bool m_folderWaiting = false;
};

Parser::Parser(const QByteArray& bytes)
    : m_bytes(bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        m_start = 3;
        return;
    }
    // The META tag, if any, stands before the first list.
    qsizetype list = 0;
    while ((list = bytes.indexOf('<', list)) >= 0 && list < 64 * 1024 &&
           !hasWordAt(bytes, list + 1, "dl"))
        ++list;
    const QByteArray head =
        bytes.left(qMin<qsizetype>(list < 0 ? bytes.size() : list, 64 * 1024)).toLower();
    qsizetype at = head.indexOf("charset");
    QByteArray name;
    if (at >= 0) {
        at += 7;
        while (at < head.size() && (isBlank(head.at(at)) || head.at(at) == '=' ||
                                    head.at(at) == '"' || head.at(at) == '\''))
            ++at;
        while (at < head.size() &&
               (isAlnum(head.at(at)) || QByteArray("-_.:").contains(head.at(at))))
            name += head.at(at++);
    }
    static const QList<QByteArray> gbkNames = {"gbk", "gb2312",      "x-gbk",      "cp936",
                                               "936", "windows-936", "gb_2312-80", "euc-cn"};
    if (name == "utf-8" || name == "utf8")
        return;
    if (gbkNames.contains(name)) {
        m_charset = Charset::Gbk;
        return;
    }
    // Others that keep ASCII as it is, which the tags are read as.
    static const QList<QByteArray> asciiBased = {
        "gb18030",      "big5",         "big5-hkscs",   "shift_jis",    "euc-jp",
        "euc-kr",       "koi8-r",       "koi8-u",       "iso-8859-1",   "iso-8859-2",
        "iso-8859-5",   "iso-8859-15",  "windows-1250", "windows-1251", "windows-1252",
        "windows-1253", "windows-1254", "windows-1257"};
    if (asciiBased.contains(name)) {
        QStringDecoder declared(name.constData(), QStringDecoder::Flag::Stateless);
        if (declared.isValid()) {
            m_charset = Charset::Declared;
            m_declared = std::move(declared);
            return;
        }
    }
    m_charset = isValidUtf8(bytes) ? Charset::Utf8 : Charset::Gbk;
}

qsizetype Parser::tagEnd(qsizetype from) const {
    char quote = 0;
    for (qsizetype at = from; at < m_bytes.size(); ++at) {
        const char c = m_bytes.at(at);
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return at + 1;
        }
    }
    return -1;
}

qsizetype Parser::closingTag(qsizetype from, const char* name) const {
    const qsizetype length = qsizetype(qstrlen(name));
    for (qsizetype at = from; (at = m_bytes.indexOf("</", at)) >= 0; at += 2) {
        if (hasWordAt(m_bytes, at + 2, name) &&
            (at + 2 + length >= m_bytes.size() || !isAlnum(m_bytes.at(at + 2 + length))))
            return at;
    }
    return -1;
}

std::optional<QByteArray> Parser::attribute(qsizetype from, qsizetype to, const char* name) const {
    const qsizetype nameLength = qsizetype(qstrlen(name));
    qsizetype at = from;
    while (at < to) {
        while (at < to && (isBlank(m_bytes.at(at)) || m_bytes.at(at) == '/'))
            ++at;
        const qsizetype nameStart = at;
        while (at < to && !isBlank(m_bytes.at(at)) && m_bytes.at(at) != '=')
            ++at;
        const bool wanted = at - nameStart == nameLength && hasWordAt(m_bytes, nameStart, name);
        while (at < to && isBlank(m_bytes.at(at)))
            ++at;
        if (at >= to || m_bytes.at(at) != '=')
            continue; // an attribute without a value (FOLDED)
        ++at;
        while (at < to && isBlank(m_bytes.at(at)))
            ++at;
        qsizetype valueStart = at;
        qsizetype valueEnd = at;
        if (at < to && (m_bytes.at(at) == '"' || m_bytes.at(at) == '\'')) {
            const char quote = m_bytes.at(at);
            valueStart = at + 1;
            valueEnd = valueStart;
            while (valueEnd < to && m_bytes.at(valueEnd) != quote)
                ++valueEnd;
            at = valueEnd + 1;
        } else {
            while (valueEnd < to && !isBlank(m_bytes.at(valueEnd)))
                ++valueEnd;
            at = valueEnd;
        }
        if (wanted)
            return m_bytes.mid(valueStart, valueEnd - valueStart);
    }
    return std::nullopt;
}

QString Parser::decoded(QByteArrayView raw) const {
    switch (m_charset) {
    case Charset::Utf8:
        return QString::fromUtf8(raw);
    case Charset::Gbk:
        return fromGbk(raw.toByteArray());
    case Charset::Declared:
        break;
    }
    m_declared->resetState();
    return m_declared->decode(raw);
}

QString Parser::text(qsizetype from, qsizetype to) const {
    // Enough bytes for any title that is kept, however long the one in the file.
    const QByteArrayView window =
        QByteArrayView(m_bytes).sliced(from, qMin(to - from, 16 * kMaxTitle));
    QByteArray raw;
    raw.reserve(window.size());
    for (qsizetype at = 0; at < window.size();) {
        if (window.at(at) != '<') {
            raw += window.at(at++);
            continue;
        }
        const qsizetype gt = window.indexOf('>', at);
        if (gt < 0)
            break;
        at = gt + 1;
    }
    // A byte order mark inside a title is no character of it (a file pasted into another).
    return withEntitiesDecoded(decoded(raw)).remove(QChar(0xFEFF));
}

void Parser::endWaitingFolder() {
    if (m_folderWaiting)
        m_builder.closeFolder();
    m_folderWaiting = false;
}

BookmarkReading Parser::read() {
    const auto refuse = [this](const QString& error) {
        m_builder.fail(error);
        return m_builder.take();
    };
    // Per open <DL>: whether it is the list of a folder the builder has open.
    QList<bool> lists;
    bool sawList = false;
    qsizetype at = m_start;
    while (!m_builder.failed()) {
        const qsizetype lt = m_bytes.indexOf('<', at);
        if (lt < 0)
            break;
        if (hasWordAt(m_bytes, lt, "<!--")) {
            const qsizetype end = m_bytes.indexOf("-->", lt + 4);
            if (end < 0)
                return refuse(truncatedBookmarkFile());
            at = end + 3;
            continue;
        }
        const bool closing = lt + 1 < m_bytes.size() && m_bytes.at(lt + 1) == '/';
        const qsizetype nameStart = lt + 1 + (closing ? 1 : 0);
        qsizetype nameEnd = nameStart;
        while (nameEnd < m_bytes.size() && isAlnum(m_bytes.at(nameEnd)))
            ++nameEnd;
        const bool declaration = nameStart < m_bytes.size() &&
                                 (m_bytes.at(nameStart) == '!' || m_bytes.at(nameStart) == '?');
        if (nameEnd == nameStart && !declaration) {
            at = lt + 1; // a "<" in the text
            continue;
        }
        const qsizetype end = tagEnd(nameEnd);
        if (end < 0)
            return refuse(truncatedBookmarkFile());
        at = end;
        const QByteArray name = m_bytes.mid(nameStart, nameEnd - nameStart).toLower();
        if (name == "dl" && closing) {
            endWaitingFolder();
            if (!lists.isEmpty() && lists.takeLast())
                m_builder.closeFolder();
        } else if (name == "dl") {
            if (lists.size() > kMaxDepth)
                return refuse(tooDeepBookmarkFile());
            lists.append(m_folderWaiting);
            m_folderWaiting = false;
            sawList = true;
        } else if ((name == "h3" || name == "a") && !closing) {
            endWaitingFolder();
            const qsizetype close = closingTag(end, name.constData());
            const qsizetype after = close < 0 ? -1 : tagEnd(close + 2);
            if (after < 0)
                return refuse(truncatedBookmarkFile());
            const QString title = text(end, close);
            if (name == "h3") {
                m_folderWaiting = m_builder.openFolder(title);
            } else {
                const auto href = attribute(nameEnd, end - 1, "href");
                // An address too long to keep is not decoded; the bookmark is then skipped.
                const bool keep = href && href->size() <= 4 * kMaxAddressBytes;
                m_builder.addBookmark(title,
                                      keep ? withEntitiesDecoded(decoded(*href)) : QString());
            }
            at = after;
        }
    }
    if (!m_builder.failed()) {
        endWaitingFolder();
        if (!lists.isEmpty() || !sawList)
            m_builder.fail(truncatedBookmarkFile());
    }
    return m_builder.take();
}

QByteArray escaped(const QString& text) {
    QString out = text;
    out.replace(QLatin1Char('&'), QStringLiteral("&amp;"))
        .replace(QLatin1Char('<'), QStringLiteral("&lt;"))
        .replace(QLatin1Char('>'), QStringLiteral("&gt;"))
        .replace(QLatin1Char('"'), QStringLiteral("&quot;"));
    return out.toUtf8();
}

void writeFolder(QByteArray& out, const FavoriteFolder& folder, const QByteArray& indent) {
    out += indent + "<DL><p>\n";
    for (const FavoriteEntry& entry : folder.entries)
        out += indent + "    <DT><A HREF=\"" + escaped(entry.url) + "\">" + escaped(entry.name) +
               "</A>\n";
    for (const FavoriteFolder& child : folder.folders) {
        out += indent + "    <DT><H3>" + escaped(child.name) + "</H3>\n";
        writeFolder(out, child, indent + "    ");
    }
    out += indent + "</DL><p>\n";
}

} // namespace

bool looksLikeNetscapeBookmarks(const QByteArray& bytes) {
    return bytes.left(1024).toLower().contains("<!doctype netscape-bookmark-file-1");
}

BookmarkReading readNetscapeBookmarks(const QByteArray& bytes) {
    return Parser(bytes).read();
}

QByteArray writeNetscapeBookmarks(const FavoriteFolder& tree) {
    QByteArray out = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
                     "<!-- This is an automatically generated file.\n"
                     "     It will be read and overwritten.\n"
                     "     DO NOT EDIT! -->\n"
                     "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
                     "<TITLE>Bookmarks</TITLE>\n"
                     "<H1>收藏夹</H1>\n";
    writeFolder(out, tree, QByteArray());
    return out;
}
