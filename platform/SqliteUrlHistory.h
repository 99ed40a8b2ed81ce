#pragma once

#include "platform/UrlHistory.h"

#include <optional>

// URL history in an SQLite file shared by every Tarnvale process of the user: WAL journal
// and a busy timeout let two processes write at once. When the file cannot be opened the
// history is simply empty; the file is never deleted or rewritten to recover. The file is
// opened on first use, so a starting window need not wait for the disk before its first page.
class SqliteUrlHistory final : public UrlHistory {
    Q_OBJECT
public:
    explicit SqliteUrlHistory(const QString& databasePath, QObject* parent = nullptr);
    ~SqliteUrlHistory() override;
    Q_DISABLE_COPY_MOVE(SqliteUrlHistory)

    // $XDG_DATA_HOME/tarnvale/history.sqlite
    static QString defaultPath();

    bool isOpen() const;
    void recordVisit(const QString& url, const QString& title) override;
    QStringList recentUrls(int limit) const override;
    QList<UrlHistoryEntry> entries() const override;
    bool removeUrl(const QString& url) override;

    static constexpr int kMaxEntries = 2000;
    static constexpr int kMaxUrlLength = 64 * 1024;

private:
    bool open() const;
    void forgetRemoved();
    void compact();

    QString m_path;
    QString m_connection;
    mutable std::optional<bool> m_open; // unset until first used
    bool m_checkpointDue = false;
};
