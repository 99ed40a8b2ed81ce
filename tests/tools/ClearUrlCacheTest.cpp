// Every branch of clearing the URL cache, against a scripted back end.
#include "platform/testing/FakeMessageBoxes.h"
#include "platform/testing/FakeUrlCacheBackend.h"
#include "tools/modHistory.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

const QString kSuccess = QStringLiteral("提示|已经清除成功!|1");
QString error(const char* code) {
    return QStringLiteral("塔文浏览器(Tarnvale)|出错：%1|0").arg(QLatin1String(code));
}

TEST(ClearUrlCacheTest, WhatIsShownAndWhatIsLeft) {
    const QByteArray longUrl = "http://long/?q=" + QByteArray(5000, 'x');
    const struct {
        const char* name;
        std::function<void(FakeUrlCacheBackend&, FakeMessageBoxes&)> setUp;
        QStringList shown;          // "title|text|icon"
        QList<QByteArray> left;     // entries left afterwards
    } rows[] = {
        {"Empty", [](auto&, auto&) {}, {kSuccess}, {}},
        {"NoGroupFunctions", [](auto& c, auto&) { c.groupFunctionsMissing = true; }, {kSuccess}, {}},
        {"FailingFirstGroup", [](auto& c, auto&) { c.firstGroupError = 5; }, {error("5")},
         {"http://a/", "http://b/"}},
        // An entry left behind must not end in "cleared successfully".
        {"Undeletable", [](auto& c, auto&) { c.undeletable = {"http://a/"}; }, {error("32")},
         {"http://a/", "http://b/"}},
        {"FailingFirstEntry", [](auto& c, auto&) { c.firstEntryError = 87; }, {error("87")},
         {"http://a/", "http://b/"}},
        {"FailingEntryStep", [](auto& c, auto&) { c.entryStepError = 6; }, {error("6")},
         {"http://b/"}},
        // Mended: one long address used to end every run with "出错：122".
        {"LongRecords", [&](auto& c, auto&) { c.entries = {longUrl, "http://b/", longUrl + "2"}; }, {kSuccess},
         {}},
        // The step keeps failing while deleting keeps succeeding: bounded.
        {"GroupStepNeverSteps", [](auto& c, auto&) { c.groupStepError = 6; },
         {error(" 6"), error(" 6"), error("6")}, {"http://a/", "http://b/"}},
        {"GroupStepRecovers",
         [](auto& c, auto& b) {
             c.groupStepError = 6;
             b.onShow = [&c] { c.groupStepError = 0; };
         },
         {error(" 6"), kSuccess}, {}},
    };
    for (const auto& row : rows) {
        FakeUrlCacheBackend cache;
        FakeMessageBoxes boxes;
        cache.groups = {7, 8};
        cache.entries = {"http://a/", "http://b/"};
        row.setUp(cache, boxes);
        ClearHistory(cache, boxes, nullptr);
        QStringList shown;
        for (const auto& box : boxes.shown)
            shown << box.title + "|" + box.text + "|" + QString::number(int(box.icon));
        EXPECT_EQ(shown, row.shown) << row.name;
        EXPECT_EQ(cache.entries, row.left) << row.name;
        if (QLatin1String(row.name) == QLatin1String("Empty")) {
            EXPECT_EQ(cache.calls, (QStringList{"FindFirstGroup", "DeleteGroup:7/2",
                                                "FindNextGroup:2048", "DeleteGroup:8/2",
                                                "FindNextGroup:2048", "Close:10",
                                                "FindFirstEntry:2048", "DeleteEntry:http://a/",
                                                "FindNextEntry:2048", "DeleteEntry:http://b/",
                                                "FindNextEntry:2048", "Close:20"}));
        }
        if (QLatin1String(row.name) == QLatin1String("LongRecords")) {
            EXPECT_TRUE(cache.calls.contains("FindFirstEntry:5096"));
        }
    }
}

} // namespace
