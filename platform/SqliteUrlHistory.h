#pragma once

#include "UrlHistory.h"

// URL history in an SQLite file shared by every Tarnvale process of the user: WAL journal
// and a busy timeout let two processes write at once. When the file cannot be opened the
// history is simply empty; the file is never deleted or rewritten to recover.
class SqliteUrlHistory final : public UrlHistory {
    Q_OBJECT
public:
    explicit SqliteUrlHistory(const QString& databasePath, QObject* parent = nullptr);
    ~SqliteUrlHistory() override;
    Q_DISABLE_COPY_MOVE(SqliteUrlHistory)

    // $XDG_DATA_HOME/tarnvale/history.sqlite
    static QString defaultPath();

    bool isOpen() const { return m_open; }
    void recordVisit(const QString& url, const QString& title) override;
    QStringList recentUrls(int limit) const override;
    QList<UrlHistoryEntry> entries() const override;
    bool removeUrl(const QString& url) override;

    static constexpr int kMaxEntries = 2000;
    static constexpr int kMaxUrlLength = 64 * 1024;

private:
    QString m_connection;
    bool m_open = false;
};
