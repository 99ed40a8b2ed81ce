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
    const QByteArray longUrl = "http://long/?q=" + QByteArray(5000, 'x');
    using Cache = FakeUrlCacheBackend;
    const struct {
        const char* name;
        std::function<void(Cache&, FakeMessageBoxes&)> setUp;
        QStringList shown;      // "title|text|icon"
        QList<QByteArray> left; // entries left afterwards
    } rows[] = {
        {"Full", [](Cache&, auto&) {}, {kSuccess}, {}},
        // An entry left behind must not end in "cleared successfully".
        {"Undeletable",
         [](Cache& c, auto&) { c.undeletable = {"http://a/"}; },
         {error("32")},
         {"http://a/", "http://b/"}},
        // Mended: one long address used to end every run with "出错：122".
        {"LongRecords",
         [&](Cache& c, auto&) {
             c.entries = {longUrl, "http://b/", longUrl + "2"};
         },
         {kSuccess},
         {}},
        // The step keeps failing while deleting keeps succeeding: bounded.
        {"GroupStepNeverSteps",
         [](Cache& c, auto&) { c.groupStepError = 6; },
         {error(" 6"), error(" 6"), error("6")},
         {"http://a/", "http://b/"}},
        {"GroupStepRecovers",
         [](Cache& c, auto& b) {
             c.groupStepError = 6;
             b.onShow = [&c] {
                 c.groupStepError = 0;
             };
         },
         {error(" 6"), kSuccess},
         {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FakeUrlCacheBackend cache;
        FakeMessageBoxes boxes;
        cache.groups = {7, 8};
        cache.entries = {"http://a/", "http://b/"};
        row.setUp(cache, boxes);
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
