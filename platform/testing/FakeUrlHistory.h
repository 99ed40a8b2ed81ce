#pragma once

#include "platform/UrlHistory.h"

// URL history in memory, most recent first.
class FakeUrlHistory final : public UrlHistory {
    Q_OBJECT
public:
    using UrlHistory::UrlHistory;

    void recordVisit(const QString& url, const QString& title) override;
    QStringList recentUrls(int limit) const override;
    QList<UrlHistoryEntry> entries() const override { return m_entries; }
    bool removeUrl(const QString& url) override;

private:
    QList<UrlHistoryEntry> m_entries;
};
