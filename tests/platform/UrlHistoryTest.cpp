#include "SqliteUrlHistory.h"

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

TEST_F(UrlHistoryTest, MostRecentFirstWithoutDuplicates) {
    SqliteUrlHistory history(db());
    ASSERT_TRUE(history.isOpen());
    QSignalSpy changed(&history, &UrlHistory::changed);
    history.recordVisit(QStringLiteral("http://a/"), QStringLiteral("A"));
    history.recordVisit(QStringLiteral("http://b/"), QStringLiteral("B"));
    // The same page with a password and written decoded is the same row, stored encoded.
    history.recordVisit(QStringLiteral("http://u:secret@a/"), QStringLiteral("A again"));
    history.recordVisit(QStringLiteral("http://b/K%C3%B6ln"), QStringLiteral("K"));
    history.recordVisit(QStringLiteral("http://b/Köln"), QStringLiteral("K again"));
    EXPECT_EQ(history.recentUrls(10),
              (QStringList{"http://b/K%C3%B6ln", "http://a/", "http://b/"}));
    const auto entries = history.entries();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[1].title, QStringLiteral("A again"));
    EXPECT_EQ(entries[1].visitCount, 2);
    EXPECT_EQ(entries[0].visitCount, 2);
    EXPECT_EQ(changed.count(), 5);
}

// Starting must not wait on the disk: nothing is opened or created until the history is used,
// and a history never used leaves no file behind.
TEST_F(UrlHistoryTest, TheFileIsMadeOnlyWhenFirstUsed) {
    { SqliteUrlHistory unused(db()); }
    EXPECT_FALSE(QFile::exists(db()));
    SqliteUrlHistory history(db());
    EXPECT_FALSE(QFile::exists(db()));
    EXPECT_TRUE(history.recentUrls(10).isEmpty());
    EXPECT_TRUE(QFile::exists(db()));
    history.recordVisit(QStringLiteral("http://a/"), QString());
    EXPECT_EQ(SqliteUrlHistory(db()).recentUrls(10), QStringList{QStringLiteral("http://a/")});
}

TEST_F(UrlHistoryTest, KeepsOnlyTheNewestEntries) {
    SqliteUrlHistory history(db());
    for (int i = 0; i < SqliteUrlHistory::kMaxEntries + 5; ++i)
        history.recordVisit(QStringLiteral("http://h/%1").arg(i), QString());
    const QStringList urls = history.recentUrls(SqliteUrlHistory::kMaxEntries + 100);
    EXPECT_EQ(urls.size(), SqliteUrlHistory::kMaxEntries);
    EXPECT_EQ(urls.first(), QStringLiteral("http://h/%1").arg(SqliteUrlHistory::kMaxEntries + 4));
}

TEST_F(UrlHistoryTest, TwoProcessesShareTheFile) {
    SqliteUrlHistory first(db());
    SqliteUrlHistory second(db());
    first.recordVisit(QStringLiteral("http://one/"), QString());
    second.recordVisit(QStringLiteral("http://two/"), QString());
    EXPECT_EQ(first.recentUrls(10).size(), 2);
    EXPECT_TRUE(second.removeUrl(QStringLiteral("http://one/")));
    EXPECT_EQ(first.recentUrls(10), QStringList{QStringLiteral("http://two/")});
    EXPECT_TRUE(first.removeUrl(QStringLiteral("http://never/"))); // nothing left to remove
}

TEST_F(UrlHistoryTest, LongAddressesAreKept) {
    SqliteUrlHistory history(db());
    const QString longUrl = QStringLiteral("http://long/?q=") + QString(5000, QLatin1Char('x'));
    history.recordVisit(longUrl, QString());
    EXPECT_EQ(history.recentUrls(1), QStringList{longUrl});
}

TEST_F(UrlHistoryTest, UnusableFileMeansEmptyHistoryAndIsLeftAlone) {
    const QString path = folder.path() + QStringLiteral("/garbage.sqlite");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray garbage(4096, '\x5A');
    file.write(garbage);
    file.close();
    {
        SqliteUrlHistory history(path);
        history.recordVisit(QStringLiteral("http://a/"), QString());
        EXPECT_TRUE(history.recentUrls(10).isEmpty());
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), garbage);
}

TEST(UrlHistoryRecordable, OnlyAddressesWorthOfferingAgain) {
    EXPECT_TRUE(isRecordableUrl(QStringLiteral("https://a/")));
    EXPECT_TRUE(isRecordableUrl(QStringLiteral("file:///tmp/a.html")));
    EXPECT_FALSE(isRecordableUrl(QStringLiteral("about:blank")));
    EXPECT_FALSE(isRecordableUrl(QStringLiteral("data:text/html,x")));
    EXPECT_FALSE(isRecordableUrl(QString()));
}

} // namespace
