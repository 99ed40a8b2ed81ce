#include "platform/FileNames.h"

#include "platform/PlainText.h"

namespace {
// Without the leading dots that would hide the file and the trailing dots and blanks Windows
// drops from names.
QString trimmedName(QString name) {
    name = name.trimmed();
    while (name.startsWith(QLatin1Char('.')) || name.startsWith(QLatin1Char(' ')))
        name.remove(0, 1);
    while (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    return name.trimmed();
}
} // namespace

QString fileNameFromTitle(const QString& title, const QString& fallback) {
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    QString name;
    for (const QChar c : plainText::withoutDirectionControls(title))
        name += (forbidden.contains(c) || c.unicode() < 0x20 || c.unicode() == 0x7F)
                    ? QLatin1Char('_')
                    : c;
    name = trimmedName(name);
    // Whole characters only, within the bytes a name may take on disk.
    qsizetype bytes = 0;
    qsizetype kept = 0;
    while (kept < name.size()) {
        const qsizetype width = name.at(kept).isHighSurrogate() && kept + 1 < name.size() ? 2 : 1;
        const qsizetype size = name.mid(kept, width).toUtf8().size();
        if (bytes + size > kMaxNameBytes)
            break;
        bytes += size;
        kept += width;
    }
    if (kept < name.size())
        name = trimmedName(name.left(kept));
    return name.isEmpty() ? fallback : name;
}
