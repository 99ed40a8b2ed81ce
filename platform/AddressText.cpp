#include "platform/AddressText.h"

#include "platform/GbkText.h"

#include <QStringList>
#include <QUrl>

namespace {
// A character that may stand in a shortcut's address as it is: GBK holds it, and no reader
// trims, splits or hides it.
bool writtenAsIs(char32_t c) {
    if (c < 0x80 || c > 0xFFFF)
        return false;
    const QChar ch{char16_t(c)};
    if (ch.isSpace() || ch.category() == QChar::Other_Control ||
        ch.category() == QChar::Other_Format || ch.category() == QChar::Other_NotAssigned ||
        ch.isSurrogate())
        return false;
    return gbkCanHold(QString(ch));
}

int hexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

// The byte of "%XX" at text[at], or -1.
int escapedByte(const QString& text, qsizetype at) {
    if (at + 2 >= text.size() || text.at(at) != QLatin1Char('%'))
        return -1;
    const int high = hexValue(text.at(at + 1));
    const int low = hexValue(text.at(at + 2));
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

QString percentEncoded(const QString& character) {
    QString out;
    for (const char byte : character.toUtf8())
        out += QStringLiteral("%%1").arg(uint(uchar(byte)), 2, 16, QLatin1Char('0')).toUpper();
    return out;
}

// Decodes the escaped UTF-8 characters GBK can hold and encodes the raw characters it cannot.
QString gbkReadable(const QString& text) {
    QString out;
    qsizetype at = 0;
    while (at < text.size()) {
        const int lead = escapedByte(text, at);
        if (lead >= 0xC2 && lead <= 0xF4) {
            const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
            QByteArray bytes(1, char(lead));
            for (int i = 1; i < length; ++i) {
                const int next = escapedByte(text, at + 3 * i);
                if (next < 0x80 || next > 0xBF)
                    break;
                bytes += char(next);
            }
            const QString decoded = QString::fromUtf8(bytes);
            const QList<uint> points = decoded.toUcs4();
            if (bytes.size() == length && points.size() == 1 && decoded.toUtf8() == bytes &&
                writtenAsIs(points.first())) {
                out += decoded;
                at += 3 * length;
                continue;
            }
        }
        if (lead >= 0) {
            out += text.mid(at, 3);
            at += 3;
            continue;
        }
        const QChar c = text.at(at);
        const qsizetype width = c.isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(at, width);
        const QList<uint> points = character.toUcs4();
        const bool keep = c.unicode() < 0x80 || (points.size() == 1 && writtenAsIs(points[0]));
        out += keep ? character : percentEncoded(character);
        at += width;
    }
    return out;
}
} // namespace

QString storedAddress(const QString& address) {
    QUrl url(address);
    if (!url.isValid() || url.isRelative())
        return address;
    url.setUserInfo(QString());
    return url.toString(QUrl::FullyEncoded);
}

QString shownAddress(const QString& address) {
    const QUrl url(address);
    if (!url.isValid() || url.isRelative())
        return address;
    QString shown = url.toDisplayString();
    const QString qtHost = url.host(QUrl::PrettyDecoded); // as Qt's own rules show it
    const QString ours = shownHost(url.host(QUrl::FullyEncoded));
    const QString user = url.userName(QUrl::PrettyDecoded);
    const qsizetype at = url.scheme().size() + 3 + (user.isEmpty() ? 0 : user.size() + 1);
    if (!qtHost.isEmpty() && qtHost != ours && shown.mid(at, qtHost.size()) == qtHost)
        shown.replace(at, qtHost.size(), ours);
    return shown;
}

QString shownHost(const QString& aceHost) {
    // Lower-case Cyrillic and Greek letters that pass for Latin ones.
    static const QString lookalikes = QStringLiteral("аеорсухѕіјӏһԁԛԝүкьαεικνορτυχωγ");
    QStringList labels;
    for (const QString& ace : aceHost.split(QLatin1Char('.'))) {
        const QString label = QUrl::fromAce(ace.toLatin1(), QUrl::IgnoreIDNWhitelist);
        bool latin = false;
        bool other = false; // Cyrillic or Greek
        bool allLookalikes = true;
        for (const QChar c : label) {
            if (!c.isLetter())
                continue;
            const QChar::Script script = c.script();
            latin = latin || script == QChar::Script_Latin;
            const bool cyrillicOrGreek =
                script == QChar::Script_Cyrillic || script == QChar::Script_Greek;
            other = other || cyrillicOrGreek;
            allLookalikes = allLookalikes && cyrillicOrGreek && lookalikes.contains(c);
        }
        const bool deceptive = other && (latin || allLookalikes);
        labels << (deceptive || label.isEmpty() ? ace : label);
    }
    return labels.join(QLatin1Char('.'));
}

QString shortcutAddress(const QString& address) {
    QString stored = storedAddress(address);
    const QUrl url(stored);
    const QString aceHost = url.host(QUrl::FullyEncoded);
    const QString prefix = url.scheme() + QStringLiteral("://") + aceHost;
    if (!aceHost.isEmpty() && stored.startsWith(prefix)) {
        const QString host = QUrl::fromAce(aceHost.toLatin1(), QUrl::IgnoreIDNWhitelist);
        bool readable = !host.isEmpty();
        for (const uint c : host.toUcs4())
            readable = readable && (c < 0x80 || writtenAsIs(c));
        if (readable)
            stored.replace(url.scheme().size() + 3, aceHost.size(), host);
    }
    return gbkReadable(stored);
}

bool isWebAddress(const QString& address) {
    const QString text = address.trimmed();
    if (text.compare(QLatin1String("about:blank"), Qt::CaseInsensitive) == 0)
        return true;
    const QString scheme = QUrl::fromUserInput(text).scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("ftp") || scheme == QLatin1String("file");
}
