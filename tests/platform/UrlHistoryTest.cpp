// The history file: one row per page, newest first, shared by two processes, bounded, and
// left alone when it is not a database.
#include "platform/SqliteUrlHistory.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <sys/stat.h>

namespace {

TEST(UrlHistoryTest, OneRowPerPageStoredEncodedAndWithoutPasswords) {
    QTemporaryDir folder;
    const QString db = folder.path() + "/home/app/history.sqlite";
    const mode_t umaskBefore = ::umask(022); // a usual one, under which folders are others' too
    SqliteUrlHistory history(db);
    ::umask(umaskBefore);
    const QString longUrl = "http://long/?q=" + QString(5000, 'x');
    const QStringList visits = {"http://a/", "http://b/", "http://u:secret@a/",
                                "http://b/K%C3%B6ln", "http://b/Köln"};
    for (qsizetype i = 0; i < visits.size(); ++i)
        history.recordVisit(visits[i], QStringLiteral("t%1").arg(i)); // the latest title stays
    history.recordVisit(longUrl, QString());
    // What a person visited is private: the folders made for it, and the file.
    EXPECT_EQ(fileMode(folder.path() + "/home"), 0700);
    EXPECT_EQ(fileMode(folder.path() + "/home/app"), 0700);
    EXPECT_EQ(fileMode(db), 0600);
    EXPECT_EQ(history.recentUrls(3), (QStringList{longUrl, "http://b/K%C3%B6ln", "http://a/"}));
    const auto entries = history.entries();
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(entries[2].title + QString::number(entries[2].visitCount), "t22");
    {
        // One removed by an older version, whose deletes did not overwrite.
        QSqlDatabase older = QSqlDatabase::addDatabase("QSQLITE", "older");
        older.setDatabaseName(db);
        ASSERT_TRUE(older.open());
        QSqlQuery query(older);
        ASSERT_TRUE(query.exec("PRAGMA secure_delete=OFF") &&
                    query.exec("INSERT INTO history VALUES('http://stale/" + QString(900, 's') +
                               "','',1,1)") &&
                    query.exec("DELETE FROM history WHERE url LIKE 'http://stale/%'"));
    }
    QSqlDatabase::removeDatabase("older");
    EXPECT_TRUE(history.removeUrl(longUrl));
    EXPECT_EQ(history.recentUrls(10).size(), 3);
    // Nothing of a removed address is left to read in the file or its log.
    QCoreApplication::processEvents();
    for (const char* removed : {"http://long/", "http://stale/"}) {
        EXPECT_FALSE(readFileBytes(db).contains(removed) ||
                     readFileBytes(db + "-wal").contains(removed))
            << removed;
    }
    EXPECT_FALSE(isRecordableUrl("about:blank") || isRecordableUrl("data:text/html,x"));
    EXPECT_TRUE(isRecordableUrl("https://a/") && isRecordableUrl("file:///tmp/a.html"));

    {
        // A full history visited while the clock ran a year ahead (a copied profile): later
        // visits keep the time they happen at, and the bound keeps them.
        QSqlDatabase ahead = QSqlDatabase::addDatabase("QSQLITE", "ahead");
        ahead.setDatabaseName(db);
        ASSERT_TRUE(ahead.open());
        const qint64 yearAhead = QDateTime::currentMSecsSinceEpoch() + 365LL * 24 * 3600 * 1000;
        QSqlQuery insert(ahead);
        ASSERT_TRUE(ahead.transaction() &&
                    insert.prepare("INSERT INTO history VALUES(?, '', ?, 1)"));
        for (int i = 0; i < SqliteUrlHistory::kMaxEntries; ++i) {
            insert.addBindValue(QStringLiteral("http://ahead/%1").arg(i));
            insert.addBindValue(yearAhead + i);
            ASSERT_TRUE(insert.exec());
        }
        ASSERT_TRUE(ahead.commit());
    }
    QSqlDatabase::removeDatabase("ahead");
    history.recordVisit("http://now/", QString());
    history.recordVisit("http://then/", QString()); // still in order within one millisecond
    EXPECT_EQ(history.recentUrls(2), (QStringList{"http://then/", "http://now/"}));
    for (const UrlHistoryEntry& entry : history.entries())
        EXPECT_LE(qAbs(entry.lastVisit.secsTo(QDateTime::currentDateTime())), 5);

    SqliteUrlHistory second(db); // another process
    for (int i = 0; i < SqliteUrlHistory::kMaxEntries + 5; ++i)
        history.recordVisit(QStringLiteral("http://h/%1").arg(i), QString());
    second.recordVisit("http://two/", QString());
    const QStringList urls = history.recentUrls(SqliteUrlHistory::kMaxEntries + 100);
    EXPECT_EQ(urls.size(), SqliteUrlHistory::kMaxEntries);
    EXPECT_EQ(urls.first(), QStringLiteral("http://two/"));

    const QByteArray garbage(4096, '\x5A');
    ASSERT_TRUE(writeFileBytes(folder.path() + "/garbage.sqlite", garbage));
    SqliteUrlHistory unusable(folder.path() + "/garbage.sqlite");
    unusable.recordVisit(QStringLiteral("http://a/"), QString());
    EXPECT_TRUE(unusable.recentUrls(10).isEmpty());
    EXPECT_EQ(readFileBytes(folder.path() + "/garbage.sqlite"), garbage);
}

} // namespace
