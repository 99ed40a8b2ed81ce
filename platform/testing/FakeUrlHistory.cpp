#include "platform/testing/FakeUrlHistory.h"

#include "platform/AddressText.h"

// Keeps rows as the SQLite history does: by stored form, so that tests on the fake see the
// rows a person's history would hold.
void FakeUrlHistory::recordVisit(const QString& visited, const QString& title) {
    const QString url = storedAddress(visited);
    if (url.isEmpty())
        return;
    int count = 1;
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].url == url) {
            count += m_entries.takeAt(i).visitCount;
            break;
        }
    }
    m_entries.prepend({url, title, QDateTime::currentDateTime(), count});
    Q_EMIT changed();
}

QStringList FakeUrlHistory::recentUrls(int limit) const {
    QStringList urls;
    for (const UrlHistoryEntry& entry : m_entries.mid(0, limit))
        urls << entry.url;
    return urls;
}

bool FakeUrlHistory::removeUrl(const QString& url) {
    if (m_entries.removeIf([&url](const UrlHistoryEntry& entry) { return entry.url == url; }))
        Q_EMIT changed();
    return true; // a row already gone counts as removed
}
