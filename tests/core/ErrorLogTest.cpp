#include "ErrorLog.h"
#include "GbkText.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QDateTime kWhen(QDate(2026, 12, 6), QTime(19, 5, 7));

QByteArray expectedEntry(const QString& name, qint32 number, const QString& description,
                         const QDateTime& when) {
    // "T：" is T A3 BA in GBK; the first line ends LF CR LF, the second CR LF CR LF.
    return "T\xA3\xBA" + toGbk(errorLogTimeText(when, QLocale::system())) + "   In   " +
           toGbk(name) + "\n\r\n" + "L\xA3\xBA" + QByteArray::number(number) + " - " +
           toGbk(description) + "\r\n\r\n";
}

class ErrorLogTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString log() const { return folder.path() + QStringLiteral("/KQLog.txt"); }
};

TEST_F(ErrorLogTest, FirstEntryCreatesTheFileWithExactBytes) {
    appendErrorLogEntry(log(), QStringLiteral("LoadAllFavorite"), 53, QStringLiteral("文件未找到"),
                        kWhen);
    EXPECT_EQ(readFileBytes(log()), expectedEntry("LoadAllFavorite", 53, "文件未找到", kWhen));
}

TEST_F(ErrorLogTest, EntriesFollowEachOtherAndAreNeverTruncated) {
    QFile existing(log());
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("kept\r\n");
    existing.close();

    appendErrorLogEntry(log(), QStringLiteral("GetFolderPath"), -2147024894, QString(), kWhen);
    appendErrorLogEntry(log(), QStringLiteral("GetMenuCaption"), 5, QStringLiteral("x"), kWhen);

    const QByteArray expected = "kept\r\n" +
                                expectedEntry("GetFolderPath", -2147024894, QString(), kWhen) +
                                expectedEntry("GetMenuCaption", 5, "x", kWhen);
    EXPECT_EQ(readFileBytes(log()), expected);
    // An empty description leaves " - " right before the two line ends; the sign follows "L：".
    EXPECT_TRUE(expected.contains("L\xA3\xBA-2147024894 - \r\n\r\n"));
}

TEST_F(ErrorLogTest, UnwritableFolderLosesTheEntryQuietly) {
    // A path below a plain file cannot be created, even by root.
    QFile blocker(folder.path() + QStringLiteral("/not-a-folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = blocker.fileName() + QStringLiteral("/KQLog.txt");
    appendErrorLogEntry(path, QStringLiteral("LoadDirSubFavorite"), 1, QStringLiteral("x"), kWhen);
    EXPECT_FALSE(QFile::exists(path));
}

TEST(ErrorLogTimeText, ShortDateTimeWithSecondsAndNoZone) {
    const QLocale c = QLocale::c();
    const QString text = errorLogTimeText(kWhen, c);
    EXPECT_EQ(text, c.toString(kWhen.date(), QLocale::ShortFormat) + QStringLiteral(" 19:05:07"));

    const QLocale china(QLocale::Chinese, QLocale::China);
    const QString chinese = errorLogTimeText(kWhen, china);
    EXPECT_TRUE(chinese.startsWith(china.toString(kWhen.date(), QLocale::ShortFormat)));
    EXPECT_TRUE(chinese.contains(QStringLiteral(":05:07"))) << chinese.toStdString();
}

TEST(ErrorLogTimeText, MidnightIsTheDateAlone) {
    const QDateTime midnight(QDate(2026, 1, 2), QTime(0, 0, 0));
    const QLocale c = QLocale::c();
    EXPECT_EQ(errorLogTimeText(midnight, c), c.toString(midnight.date(), QLocale::ShortFormat));
    EXPECT_NE(errorLogTimeText(midnight.addSecs(1), c),
              c.toString(midnight.date(), QLocale::ShortFormat));
}

} // namespace
