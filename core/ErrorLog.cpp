#include "core/ErrorLog.h"

#include "platform/GbkText.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>

namespace {
// The locale's long time format with its time-zone fields removed.
QString timeFormatWithSeconds(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        result += c;
    }
    return result.simplified();
}
} // namespace

QString errorLogTimeText(const QDateTime& when, const QLocale& locale) {
    const QString date = locale.toString(when.date(), QLocale::ShortFormat);
    if (when.time() == QTime(0, 0, 0))
        return date;
    return date + QLatin1Char(' ') + locale.toString(when.time(), timeFormatWithSeconds(locale));
}

void appendErrorLogEntry(const QString& logPath, const QString& name, qint32 number,
                         const QString& description, const QDateTime& when) {
    QFile file(logPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    const QString first = QStringLiteral("T：") + errorLogTimeText(when, QLocale::system()) +
                          QStringLiteral("   In   ") + name + QStringLiteral("\n\r\n");
    const QString second = QStringLiteral("L：") + QString::number(number) + QStringLiteral(" - ") +
                           description + QStringLiteral("\r\n\r\n");
    file.write(toGbk(first));
    file.write(toGbk(second));
}
