#include "core/ErrorLog.h"

#include <QDateTime>
#include <QLocale>

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

TEST_F(ErrorLogTest, EntriesFollowEachOtherAndAreNeverTruncated) {
    ASSERT_TRUE(writeFileBytes(log(), "kept\r\n"));
    appendErrorLogEntry(log(), QStringLiteral("GetFolderPath"), -2147024894, QString(), kWhen);
    appendErrorLogEntry(log(), QStringLiteral("LoadAllFavorite"), 53, QStringLiteral("文件未找到"),
                        kWhen);
    EXPECT_EQ(readFileBytes(log()),
              "kept\r\n" + expectedEntry("GetFolderPath", -2147024894, QString(), kWhen) +
                  expectedEntry("LoadAllFavorite", 53, "文件未找到", kWhen));
    // A path below a plain file cannot be created, even by root: the entry is lost quietly.
    appendErrorLogEntry(log() + "/KQLog.txt", QStringLiteral("x"), 1, QStringLiteral("x"), kWhen);
    EXPECT_FALSE(QFile::exists(log() + "/KQLog.txt"));
}

} // namespace
