// How clearing the URL cache ends, against a scripted back end.
#include "platform/testing/FakeMessageBoxes.h"
#include "platform/testing/FakeUrlCacheBackend.h"
#include "tools/modHistory.h"

namespace {

const QString kSuccess = QStringLiteral("提示|已经清除成功!|1");
QString error(const char* code) {
    return QStringLiteral("塔文浏览器(Tarnvale)|出错：%1|0").arg(QLatin1String(code));
}

TEST(ClearUrlCacheTest, WhatIsShownAndWhatIsLeft) {
    const QList<QByteArray> both = {"http://a/", "http://b/"};
    const QByteArray longUrl = "http://long/?q=" + QByteArray(5000, 'x');
    const struct {
        const char* name;
        QList<QByteArray> entries, undeletable;
        quint32 groupStepError; // every step to the next group fails with it
        bool stepRecovers;      // ... until the first message is shown
        QStringList shown;      // "title|text|icon"
        QList<QByteArray> left; // entries left afterwards
    } rows[] = {
        {"Full", both, {}, 0, false, {kSuccess}, {}},
        // An entry left behind must not end in "cleared successfully".
        {"Undeletable", both, {"http://a/"}, 0, false, {error("32")}, both},
        // Mended: one long address used to end every run with "出错：122".
        {"LongRecords", {longUrl, "http://b/", longUrl + "2"}, {}, 0, false, {kSuccess}, {}},
        // The step keeps failing while deleting keeps succeeding: bounded.
        {"GroupStepNeverSteps", both, {}, 6, false, {error(" 6"), error(" 6"), error("6")}, both},
        {"GroupStepRecovers", both, {}, 6, true, {error(" 6"), kSuccess}, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FakeUrlCacheBackend cache;
        FakeMessageBoxes boxes;
        cache.groups = {7, 8};
        cache.entries = row.entries;
        cache.undeletable = row.undeletable;
        cache.groupStepError = row.groupStepError;
        if (row.stepRecovers)
            boxes.onShow = [&cache] {
                cache.groupStepError = 0;
            };
        ClearHistory(cache, boxes, nullptr);
        QStringList shown;
        for (const auto& box : boxes.shown)
            shown << box.title + "|" + box.text + "|" + QString::number(int(box.icon));
        EXPECT_EQ(shown, row.shown);
        EXPECT_EQ(cache.entries, row.left);
        EXPECT_EQ(cache.openEnumerations(), 0);
        if (row.shown == QStringList{kSuccess}) {
            EXPECT_TRUE(cache.groups.isEmpty());
        }
    }
}

} // namespace
