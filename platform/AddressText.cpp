#include "platform/AddressText.h"

#include "platform/GbkText.h"

#include <QDir>
#include <QStringList>

#include <unicode/uset.h>
#include <unicode/uspoof.h>

#include <algorithm>
#include <memory>
#include <optional>

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
    // A user name never shows: "https://www.icbc.com.cn@evil.example/" would read as the bank,
    // and a long one pushes the real host out of sight.
    QString shown = url.toDisplayString(QUrl::RemoveUserInfo);
    const QString qtHost = url.host(QUrl::PrettyDecoded); // as Qt's own rules show it
    const QString ours = shownHost(url.host(QUrl::FullyEncoded));
    const qsizetype at = url.scheme().size() + 3;
    if (!qtHost.isEmpty() && qtHost != ours && shown.mid(at, qtHost.size()) == qtHost)
        shown.replace(at, qtHost.size(), ours);
    return shown;
}

namespace {
struct SpoofCheckerClose {
    void operator()(USpoofChecker* checker) const { uspoof_close(checker); }
};
using SpoofChecker = std::unique_ptr<USpoofChecker, SpoofCheckerClose>;

// Configured once; ICU allows concurrent checks on a checker no one configures any more.
// Nothing (every IDN label then keeps its xn-- form) if ICU cannot open one.
const USpoofChecker* spoofChecker() {
    static const SpoofChecker checker = [] {
        UErrorCode status = U_ZERO_ERROR;
        SpoofChecker opened(uspoof_open(&status));
        if (U_FAILURE(status))
            return SpoofChecker();
        // Latin may go with Han, kana or Hangul (Chinese, Japanese and Korean names); never
        // with Cyrillic, Greek, Armenian or any other script.
        uspoof_setRestrictionLevel(opened.get(), USPOOF_HIGHLY_RESTRICTIVE);
        USet* allowed = uset_openEmpty();
        uset_addAll(allowed, uspoof_getRecommendedSet(&status));
        uset_addAll(allowed, uspoof_getInclusionSet(&status));
        // Modifier letters that read as an apostrophe.
        uset_remove(allowed, 0x02BB);
        uset_remove(allowed, 0x02BC);
        uspoof_setAllowedChars(opened.get(), allowed, &status);
        uset_close(allowed);
        uspoof_setChecks(opened.get(),
                         USPOOF_RESTRICTION_LEVEL | USPOOF_CHAR_LIMIT | USPOOF_INVISIBLE |
                             USPOOF_MIXED_NUMBERS | USPOOF_HIDDEN_OVERLAY,
                         &status);
        return U_SUCCESS(status) ? std::move(opened) : SpoofChecker();
    }();
    return checker.get();
}

bool isAscii(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// What the label looks like, each character replaced by the one it is confused with.
std::optional<QString> skeleton(const USpoofChecker* checker, const QString& label) {
    const auto* text = reinterpret_cast<const UChar*>(label.utf16());
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        uspoof_getSkeleton(checker, 0, text, int32_t(label.size()), nullptr, 0, &status);
    if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status))
        return std::nullopt;
    QString out(length, Qt::Uninitialized);
    status = U_ZERO_ERROR;
    uspoof_getSkeleton(checker, 0, text, int32_t(label.size()),
                       reinterpret_cast<UChar*>(out.data()), length, &status);
    return U_SUCCESS(status) ? std::optional<QString>(out) : std::nullopt;
}

// Whether a decoded IDN label may show as it is: one script (or Latin with Chinese, Japanese
// or Korean), only characters recommended for names, and nothing that could pass for another
// name.
bool readable(const QString& label) {
    const USpoofChecker* checker = spoofChecker();
    if (!checker)
        return false;
    UErrorCode status = U_ZERO_ERROR;
    const int32_t failed = uspoof_check2(checker, reinterpret_cast<const UChar*>(label.utf16()),
                                         int32_t(label.size()), nullptr, &status);
    if (U_FAILURE(status) || failed != 0)
        return false;
    // Looks like an ASCII name (аррӏе, ѕсоре, ıbm): whole-script and Latin lookalikes.
    const std::optional<QString> looks = skeleton(checker, label);
    if (!looks || isAscii(*looks))
        return false;
    // Kana and Han marks that read as a slash, a dot or "=" pass among Japanese letters only:
    // beside Latin ones "googleノcom中" reads as a path.
    static const QString delimiters = QStringLiteral("\u30FB\u30A0\u30CE\u4E3F\u4E36\u4E40\u4E41");
    const bool hasDelimiter =
        std::any_of(label.begin(), label.end(), [](QChar c) { return delimiters.contains(c); });
    const bool hasAsciiLetterOrDigit = std::any_of(label.begin(), label.end(), [](QChar c) {
        return c.unicode() < 0x80 && c.isLetterOrNumber();
    });
    return !(hasDelimiter && hasAsciiLetterOrDigit);
}

QString shownLabel(const QString& ace) {
    if (!isAscii(ace)) // not an ACE label: no unchecked character shows
        return QString::fromLatin1(QUrl::toPercentEncoding(ace));
    const QString label = QUrl::fromAce(ace.toLatin1(), QUrl::IgnoreIDNWhitelist);
    // Only the label that encodes back to this very ACE form, so the box names that host.
    const bool decodes =
        !isAscii(label) &&
        QString::fromLatin1(QUrl::toAce(label)).compare(ace, Qt::CaseInsensitive) == 0;
    return decodes && readable(label) ? label : ace;
}
} // namespace

QString shownHost(const QString& aceHost) {
    QStringList labels;
    for (const QString& ace : aceHost.split(QLatin1Char('.')))
        labels << shownLabel(ace);
    return labels.join(QLatin1Char('.'));
}

QString shortcutAddress(const QString& address) {
    return gbkAddress(storedAddress(address));
}

QString gbkAddress(const QString& address) {
    const QUrl url(address);
    QString stored =
        url.isValid() && !url.isRelative() ? url.toString(QUrl::FullyEncoded) : address;
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

QUrl typedAddress(const QString& text) {
    QString typed = text.trimmed();
    if (typed == QLatin1String("~") || typed.startsWith(QLatin1String("~/")))
        typed = QDir::cleanPath(QDir(QDir::homePath()).filePath(typed.mid(2)));
    QUrl url = QUrl::fromUserInput(typed);
    if (url.scheme() == QLatin1String("about"))
        url.setPath(url.path().toLower());
    return url;
}

bool isWordBeyondAscii(const QString& text) {
    const QString typed = text.trimmed();
    bool beyondAscii = false;
    for (const QChar c : typed) {
        if (c.isSpace() || QStringView(u".\u3002\uFF0E\uFF61:\uFF1A/\\").contains(c))
            return false;
        beyondAscii = beyondAscii || c.unicode() > 0x7F;
    }
    return beyondAscii;
}

bool isWebAddress(const QString& address) {
    const QString text = address.trimmed();
    if (text.compare(QLatin1String("about:blank"), Qt::CaseInsensitive) == 0)
        return true;
    // Not typedAddress: "~" means the home of whoever reads the address, which no stored or
    // handed-over address may mean.
    const QString scheme = QUrl::fromUserInput(text).scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("ftp") || scheme == QLatin1String("file");
}
