#include "browser/HistoryList.h"

#include "platform/AddressText.h"
#include "platform/PlainText.h"

#include <QSet>
#include <algorithm>

VisitDay visitDay(const QDate& visit, const QDate& today) {
    if (visit >= today)
        return VisitDay::Today;
    if (visit == today.addDays(-1))
        return VisitDay::Yesterday;
    if (visit >= today.addDays(1 - today.dayOfWeek()))
        return VisitDay::ThisWeek;
    return VisitDay::Earlier;
}

QString visitDayCaption(VisitDay day) {
    switch (day) {
    case VisitDay::Today:
        return QStringLiteral("今天");
    case VisitDay::Yesterday:
        return QStringLiteral("昨天");
    case VisitDay::ThisWeek:
        return QStringLiteral("本周");
    case VisitDay::Earlier:
        break;
    }
    return QStringLiteral("更早");
}

bool historyMatches(const UrlHistoryEntry& entry, const QString& text) {
    const QString wanted = text.trimmed();
    // As the list shows the title: a direction control inside would hide a word.
    return plainText::withoutDirectionControls(entry.title).contains(wanted, Qt::CaseInsensitive) ||
           shownAddress(entry.url).contains(wanted, Qt::CaseInsensitive);
}

QList<VisitGroup> groupVisits(const QList<UrlHistoryEntry>& entries, const QString& text,
                              const QDate& today) {
    QList<UrlHistoryEntry> found;
    for (const UrlHistoryEntry& entry : entries) {
        if (historyMatches(entry, text))
            found.append(entry);
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.lastVisit > b.lastVisit; });
    QList<VisitGroup> groups;
    QSet<QString> listed;
    for (const UrlHistoryEntry& entry : found) {
        const QString address = storedAddress(entry.url);
        if (listed.contains(address))
            continue;
        listed.insert(address);
        const VisitDay day = visitDay(entry.lastVisit.toLocalTime().date(), today);
        if (groups.isEmpty() || groups.last().day != day)
            groups.append({day, {}});
        groups.last().entries.append(entry);
    }
    return groups;
}
