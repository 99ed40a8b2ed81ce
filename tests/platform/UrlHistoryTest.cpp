// The same expectations against the in-memory fake and the SQLite history, then what only the
// file can get wrong.
#include "platform/SqliteUrlHistory.h"
#include "platform/testing/FakeUrlHistory.h"
#include "tests/support/TestFiles.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class UrlHistoryTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString db() const { return folder.path() + QStringLiteral("/sub/history.sqlite"); }
};

TEST_F(UrlHistoryTest, FakeAndSqliteKeepTheSameRows) {
    FakeUrlHistory fake;
    SqliteUrlHistory sqlite(db());
    const QString longUrl = "http://long/?q=" + QString(5000, 'x');
    for (UrlHistory* history : {static_cast<UrlHistory*>(&fake), static_cast<UrlHistory*>(&sqlite)}) {
        QSignalSpy changed(history, &UrlHistory::changed);
        history->recordVisit("http://a/", "A");
        history->recordVisit("http://b/", "B");
        // The same page with a password or written decoded is the same row, stored encoded.
        history->recordVisit("http://u:secret@a/", "A again");
        history->recordVisit("http://b/K%C3%B6ln", "K");
        history->recordVisit("http://b/Köln", "K again");
        history->recordVisit(longUrl, QString());
        EXPECT_EQ(history->recentUrls(3), (QStringList{longUrl, "http://b/K%C3%B6ln", "http://a/"}));
        const auto entries = history->entries();
        ASSERT_EQ(entries.size(), 4);
        EXPECT_EQ(entries[2].title + QString::number(entries[2].visitCount), "A again2");
        EXPECT_EQ(entries[1].visitCount, 2);
        EXPECT_TRUE(history->removeUrl(longUrl));
        EXPECT_TRUE(history->removeUrl("http://never/")); // nothing left to remove
        EXPECT_EQ(history->recentUrls(10).size(), 3);
        EXPECT_EQ(changed.count(), 7);
    }
    EXPECT_FALSE(isRecordableUrl("about:blank") || isRecordableUrl("data:text/html,x") ||
                 isRecordableUrl(QString()));
    EXPECT_TRUE(isRecordableUrl("https://a/") && isRecordableUrl("file:///tmp/a.html"));
}

// Starting must not wait on the disk: nothing is opened or created until the history is used;
// two processes share the file, which keeps only the newest entries.
TEST_F(UrlHistoryTest, TheFileIsMadeWhenFirstUsedSharedAndBounded) {
    { SqliteUrlHistory unused(db()); }
    EXPECT_FALSE(QFile::exists(db()));
    SqliteUrlHistory first(db());
    SqliteUrlHistory second(db());
    for (int i = 0; i < SqliteUrlHistory::kMaxEntries + 5; ++i)
        first.recordVisit(QStringLiteral("http://h/%1").arg(i), QString());
    second.recordVisit("http://two/", QString());
    const QStringList urls = first.recentUrls(SqliteUrlHistory::kMaxEntries + 100);
    EXPECT_EQ(urls.size(), SqliteUrlHistory::kMaxEntries);
    EXPECT_EQ(urls.first(), QStringLiteral("http://two/"));
}

TEST_F(UrlHistoryTest, AnUnusableFileMeansAnEmptyHistoryAndIsLeftAlone) {
    const QString path = folder.path() + QStringLiteral("/garbage.sqlite");
    const QByteArray garbage(4096, '\x5A');
    ASSERT_TRUE(writeFileBytes(path, garbage));
    {
        SqliteUrlHistory history(path);
        history.recordVisit(QStringLiteral("http://a/"), QString());
        EXPECT_TRUE(history.recentUrls(10).isEmpty());
    }
    EXPECT_EQ(readFileBytes(path), garbage);
}

} // namespace
