#pragma once

#include <QString>

class QDateTime;
class QLocale;

// The time stamp of a log entry: the locale's short date, a space and the time with seconds
// (no time zone); at exactly midnight the date alone.
QString errorLogTimeText(const QDateTime& when, const QLocale& locale);

// Appends one entry, GBK, as two writes:
//   "T：" time "   In   " name LF CR LF   and   "L：" number " - " description CR LF CR LF.
// Failures (folder not writable, disk full) lose the entry or its rest, silently.
void appendErrorLogEntry(const QString& logPath, const QString& name, qint32 number,
                         const QString& description, const QDateTime& when);
