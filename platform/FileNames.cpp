#include "platform/FileNames.h"

#include "platform/PlainText.h"

#include <QFileInfo>

#include <limits>

namespace {
constexpr qsizetype kMaxSuffixBytes = 16; // longer is no extension worth keeping

// Without the leading dots that would hide the file and the trailing dots and blanks Windows
// drops from names. Dots and blanks of any kind go together: a no-break space between two dots
// must not leave a dot in front once the blanks are gone.
QString trimmedName(const QString& name) {
    const auto dropped = [](QChar c) {
        return c == QLatin1Char('.') || c.isSpace();
    };
    qsizetype start = 0;
    qsizetype end = name.size();
    while (start < end && dropped(name.at(start)))
        ++start;
    while (end > start && dropped(name.at(end - 1)))
        --end;
    return name.mid(start, end - start);
}
} // namespace

QString fileNameFromTitle(const QString& title, const QString& fallback, qsizetype maxBytes) {
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    QString name;
    const QString text = plainText::withoutDirectionControls(title);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            name += c;
            name += text.at(++i);
            continue;
        }
        if (c.unicode() == 0xFEFF)
            continue; // a byte order mark: unseen, and read as no character at a name's start
        // Half a pair (from a character reference) has no UTF-8 form a disk could take.
        name +=
            (forbidden.contains(c) || c.unicode() < 0x20 || c.unicode() == 0x7F || c.isSurrogate())
                ? QLatin1Char('_')
                : c;
    }
    name = trimmedName(name);
    // Whole characters only, within the bytes a name may take on disk.
    qsizetype bytes = 0;
    qsizetype kept = 0;
    while (kept < name.size()) {
        const qsizetype width = name.at(kept).isHighSurrogate() && kept + 1 < name.size() ? 2 : 1;
        const qsizetype size = name.mid(kept, width).toUtf8().size();
        if (bytes + size > maxBytes)
            break;
        bytes += size;
        kept += width;
    }
    if (kept < name.size())
        name = trimmedName(name.left(kept));
    return name.isEmpty() ? fallback : name;
}

QString downloadedFileName(const QString& suggested, const QString& fallback, qsizetype maxBytes) {
    const QString whole =
        fileNameFromTitle(suggested, fallback, std::numeric_limits<qsizetype>::max());
    if (whole.toUtf8().size() <= maxBytes)
        return whole;
    const QString suffix = QFileInfo(whole).suffix();
    const qsizetype suffixBytes = suffix.toUtf8().size() + 1;
    if (suffix.isEmpty() || suffixBytes > kMaxSuffixBytes)
        return fileNameFromTitle(whole, fallback, maxBytes);
    return fileNameFromTitle(whole.chopped(suffix.size() + 1), fallback, maxBytes - suffixBytes) +
           QLatin1Char('.') + suffix;
}
