#pragma once

#include "platform/UrlHistory.h"

#include <QDate>
#include <QList>

// What the history window lists: the visited pages by the day of their last visit, newest
// first, and which of them a search finds.
enum class VisitDay { Today, Yesterday, ThisWeek, Earlier };

// Weeks begin on Monday, as Chinese calendars have them; a visit dated after today (a clock
// set back since) counts as today.
VisitDay visitDay(const QDate& visit, const QDate& today);
// 今天, 昨天, 本周, 更早
QString visitDayCaption(VisitDay day);

// Whether the title or the address, as the address box shows it, holds the text, in any letter
// case; blanks around the text do not count, and every entry holds the empty text.
bool historyMatches(const UrlHistoryEntry& entry, const QString& text);

struct VisitGroup {
    VisitDay day;
    QList<UrlHistoryEntry> entries;
};
// The entries the text finds, one per address whatever form an older history file keeps it
// in (see storedAddress; the latest visit counts), in groups from today to earlier, each
// newest first; groups without entries are left out.
QList<VisitGroup> groupVisits(const QList<UrlHistoryEntry>& entries, const QString& text,
                              const QDate& today);
