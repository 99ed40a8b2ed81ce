// The files a download makes: its own ".part", flushed and renamed into place in one step.
#include "DownloadManager.h"
#include "TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(DownloadFilesTest, EachDownloadWritesOnlyAPartFileOfItsOwn) {
    QTemporaryDir folder;
    const QString target = folder.path() + "/report.txt";
    // Another program's file under the usual name stays untouched.
    ASSERT_TRUE(writeFileBytes(target + ".part", "theirs"));
    const QString first = DownloadManager::reservePartFile(target);
    const QString second = DownloadManager::reservePartFile(target); // the same name at once
    EXPECT_EQ(first, target + ".1.part");
    EXPECT_EQ(second, target + ".2.part");
    EXPECT_EQ(readFileBytes(target + ".part"), "theirs");
    // Never through a link: the link's name counts as taken.
    ASSERT_TRUE(QFile::link(folder.path() + "/elsewhere", folder.path() + "/x.part"));
    EXPECT_EQ(DownloadManager::reservePartFile(folder.path() + "/x"), folder.path() + "/x.1.part");
    EXPECT_FALSE(QFileInfo::exists(folder.path() + "/elsewhere"));
}

TEST(DownloadFilesTest, AFinishedFileTakesItsNameInOneStep) {
    QTemporaryDir folder;
    const QString target = folder.path() + "/report.txt";
    ASSERT_TRUE(writeFileBytes(target, "old"));

    // Chosen to replace: the old file is there until the new one is.
    ASSERT_TRUE(writeFileBytes(target + ".part", "new"));
    EXPECT_EQ(DownloadManager::settleFile(target + ".part", target, true), target);
    EXPECT_EQ(readFileBytes(target), "new");

    // Silent: never over a file, whatever took the name meanwhile.
    ASSERT_TRUE(writeFileBytes(target + ".part", "newer"));
    EXPECT_EQ(DownloadManager::settleFile(target + ".part", target, false),
              folder.path() + "/report (1).txt");
    EXPECT_EQ(readFileBytes(target), "new");

    // A replace that cannot happen leaves the old file.
    ASSERT_TRUE(QDir(folder.path()).mkdir("taken"));
    ASSERT_TRUE(writeFileBytes(folder.path() + "/taken/inside", "kept"));
    ASSERT_TRUE(writeFileBytes(target + ".part", "x"));
    EXPECT_TRUE(
        DownloadManager::settleFile(target + ".part", folder.path() + "/taken", true).isEmpty());
    EXPECT_EQ(readFileBytes(folder.path() + "/taken/inside"), "kept");
}

} // namespace
