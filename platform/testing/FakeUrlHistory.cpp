#include "FakeUrlHistory.h"

void FakeUrlHistory::recordVisit(const QString& url, const QString& title) {
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
    for (const UrlHistoryEntry& entry : m_entries) {
        if (urls.size() >= limit)
            break;
        urls << entry.url;
    }
    return urls;
}

bool FakeUrlHistory::removeUrl(const QString& url) {
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].url == url) {
            m_entries.removeAt(i);
            Q_EMIT changed();
            return true;
        }
    }
    return false;
}
