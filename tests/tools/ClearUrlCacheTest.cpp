// Every branch of clearing the URL cache, against a scripted back end.
#include "FakeMessageBoxes.h"
#include "FakeUrlCacheBackend.h"
#include "modHistory.h"

#include <gtest/gtest.h>

namespace {

const QString kApp = QStringLiteral("塔文浏览器(Tarnvale)");

struct Outcome {
    QStringList boxes; // "title|text|icon"
};

QStringList shown(const FakeMessageBoxes& boxes) {
    QStringList lines;
    for (const auto& box : boxes.shown)
        lines << box.title + "|" + box.text + "|" + QString::number(int(box.icon));
    return lines;
}

const QString kSuccess = QStringLiteral("提示|已经清除成功!|1");

class ClearUrlCacheTest : public ::testing::Test {
protected:
    QStringList run() {
        ClearHistory(cache, boxes, nullptr);
        return shown(boxes);
    }
    FakeUrlCacheBackend cache;
    FakeMessageBoxes boxes;
};

TEST_F(ClearUrlCacheTest, EmptyCacheOnlySaysSuccess) {
    EXPECT_EQ(run(), QStringList{kSuccess});
}

TEST_F(ClearUrlCacheTest, DeletesEveryGroupWithItsEntriesThenEveryEntry) {
    cache.groups = {7, 8};
    cache.entries = {"http://a/", "http://b/"};
    EXPECT_EQ(run(), QStringList{kSuccess});
    EXPECT_TRUE(cache.groups.isEmpty());
    EXPECT_TRUE(cache.entries.isEmpty());
    EXPECT_EQ(cache.calls,
              (QStringList{"FindFirstGroup", "DeleteGroup:7/2", "FindNextGroup:2048",
                           "DeleteGroup:8/2", "FindNextGroup:2048", "Close:10",
                           "FindFirstEntry:2048", "DeleteEntry:http://a/", "FindNextEntry:2048",
                           "DeleteEntry:http://b/", "FindNextEntry:2048", "Close:20"}));
}

TEST_F(ClearUrlCacheTest, WithoutGroupFunctionsTheEntriesAreStillCleared) {
    cache.groupFunctionsMissing = true;
    cache.entries = {"http://a/"};
    EXPECT_EQ(run(), QStringList{kSuccess});
    EXPECT_TRUE(cache.entries.isEmpty());
}

TEST_F(ClearUrlCacheTest, AFailingFirstGroupStopsBeforeTheEntries) {
    cache.firstGroupError = 5;
    cache.entries = {"http://a/"};
    EXPECT_EQ(run(), QStringList{kApp + "|出错：5|0"});
    EXPECT_EQ(cache.entries.size(), 1);
    EXPECT_FALSE(cache.calls.join(',').contains("Entry"));
}

// An entry left behind must not end in "cleared successfully".
TEST_F(ClearUrlCacheTest, AnEntryThatCannotBeDeletedIsShownAndStops) {
    cache.entries = {"http://busy/", "http://free/"};
    cache.undeletable = {"http://busy/"};
    EXPECT_EQ(run(), QStringList{kApp + "|出错：32|0"});
    EXPECT_EQ(cache.entries, (QList<QByteArray>{"http://busy/", "http://free/"}));
}

TEST_F(ClearUrlCacheTest, FailingEntryEnumerationIsShownAndStops) {
    cache.firstEntryError = 87;
    EXPECT_EQ(run(), QStringList{kApp + "|出错：87|0"});

    boxes.shown.clear();
    cache.firstEntryError = 0;
    cache.entries = {"http://a/", "http://b/"};
    cache.entryStepError = 6;
    EXPECT_EQ(run(), QStringList{kApp + "|出错：6|0"});
    EXPECT_EQ(cache.entries, QList<QByteArray>{"http://b/"});
}

// Mended: one long address used to end every run with "出错：122", so it could never be cleared.
TEST_F(ClearUrlCacheTest, LongRecordsGetALargerBufferInsteadOfError122) {
    const QByteArray longUrl = "http://long/?q=" + QByteArray(5000, 'x');
    cache.entries = {longUrl, "http://short/", longUrl + "2"};
    EXPECT_EQ(run(), QStringList{kSuccess});
    EXPECT_TRUE(cache.entries.isEmpty());
    EXPECT_TRUE(cache.calls.contains("FindFirstEntry:5096"));
}

TEST_F(ClearUrlCacheTest, AGroupLoopThatNeverStepsIsBounded) {
    cache.groups = {7};
    cache.groupStepError = 6; // the step keeps failing while deleting keeps succeeding
    cache.entries = {"http://a/"};
    EXPECT_EQ(run(),
              (QStringList{kApp + "|出错： 6|0", kApp + "|出错： 6|0", kApp + "|出错：6|0"}));
    EXPECT_EQ(cache.calls.filter("DeleteGroup").size(), kMaxGroupStepFailures);
    EXPECT_EQ(cache.entries.size(), 1);
}

TEST_F(ClearUrlCacheTest, AGroupStepThatRecoversCarriesOn) {
    cache.groups = {7};
    cache.groupStepError = 6;
    boxes.onShow = [&] {
        cache.groupStepError = 0;
    }; // fails once, then runs out of groups
    EXPECT_EQ(run(), (QStringList{kApp + "|出错： 6|0", kSuccess}));
}

} // namespace
