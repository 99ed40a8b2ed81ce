// The history window: visits by day, the search, an entry opened in the window the list
// belongs to, and Del removing an address from the history whatever form it is stored in.
#include "tests/support/FakeServices.h"

#include "browser/HistoryList.h"
#include "browser/HistoryWindow.h"

#include <QLineEdit>
#include <QTreeWidget>

namespace {

const QDateTime kNoon(QDate(2026, 5, 6), QTime(12, 0)); // a Wednesday

// "day:url,url day:url"
QString listed(const QList<VisitGroup>& groups) {
    QStringList result;
    for (const VisitGroup& group : groups) {
        QStringList urls;
        for (const UrlHistoryEntry& entry : group.entries)
            urls << entry.url;
        result << visitDayCaption(group.day) + ":" + urls.join(',');
    }
    return result.join(' ');
}

TEST(HistoryListTest, VisitsByDayNewestFirstAndWhatASearchFinds) {
    const QDate wednesday = kNoon.date(), monday = wednesday.addDays(-2);
    const struct {
        const char* name;
        QDate visit;
        QDate today;
        VisitDay day;
    } days[] = {
        {"AfterTodayAClockSetBack", wednesday.addDays(3), wednesday, VisitDay::Today},
        {"Yesterday", wednesday.addDays(-1), wednesday, VisitDay::Yesterday},
        {"MondayOfThisWeek", monday, wednesday, VisitDay::ThisWeek},
        {"SundayBefore", monday.addDays(-1), wednesday, VisitDay::Earlier},
        {"OnMondaySundayIsYesterday", monday.addDays(-1), monday, VisitDay::Yesterday},
        {"OnMondaySaturdayIsEarlier", monday.addDays(-2), monday, VisitDay::Earlier},
    };
    for (const auto& row : days)
        EXPECT_EQ(visitDay(row.visit, row.today), row.day) << row.name;

    const QList<UrlHistoryEntry> entries = {
        {"http://b/K%C3%B6ln", "Köln", kNoon.addSecs(-60), 1},
        {"http://xn--fiqs8s.example/", "", kNoon.addDays(-10), 1},
        {"http://b/Köln", "an older form", kNoon.addDays(-20), 1},
        {"http://news.example/", "<b>新闻</b>", kNoon.addSecs(-5), 1},
    };
    const struct {
        const char* name;
        QString text;
        QString found;
    } searches[] = {
        {"EverythingOnceNewestFirst", "",
         "今天:http://news.example/,http://b/K%C3%B6ln 更早:http://xn--fiqs8s.example/"},
        {"ByTitleInAnyCase", " KÖLN ", "今天:http://b/K%C3%B6ln"},
        {"ByTheAddressAsShown", "中国", "更早:http://xn--fiqs8s.example/"},
        {"ByTitleMarkupAsText", "<b>", "今天:http://news.example/"},
        {"Nothing", "missing", ""},
    };
    for (const auto& row : searches)
        EXPECT_EQ(listed(groupVisits(entries, row.text, kNoon.date())), row.found) << row.name;
}

// A history holding what a test says, an address in two stored forms included.
class ListedHistory final : public UrlHistory {
public:
    void recordVisit(const QString&, const QString&) override {}
    QStringList recentUrls(int) const override { return {}; }
    QList<UrlHistoryEntry> entries() const override { return list; }
    bool removeUrl(const QString& url) override {
        list.removeIf([&url](const UrlHistoryEntry& entry) { return entry.url == url; });
        Q_EMIT changed();
        return true;
    }
    QList<UrlHistoryEntry> list;
};

QStringList rows(QTreeWidget* tree) {
    QStringList result;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        result << ((*it)->parent() ? "  " : "") + (*it)->text(0) + "|" + (*it)->text(1);
    return result;
}

TEST(HistoryWindowTest, TheSearchFiltersAndDelRemovesEveryFormOfTheAddress) {
    ListedHistory history;
    const QDateTime now(QDate::currentDate(), QTime(12, 0));
    history.list = {{"http://b/K%C3%B6ln", "Köln", now, 2},
                    {"http://a/", "", now.addSecs(-1), 1},
                    {"http://b/Köln", "old", now.addSecs(-2), 1}};
    HistoryWindow window(&history, nullptr);
    EXPECT_EQ(rows(window.lstHistory),
              (QStringList{"今天|", "  Köln|http://b/Köln", "  http://a/|http://a/"}));
    QSignalSpy opened(&window, &HistoryWindow::openRequested);
    window.txtFind->setText(QStringLiteral("KÖL"));
    EXPECT_EQ(rows(window.lstHistory), (QStringList{"今天|", "  Köln|http://b/Köln"}));
    QTest::keyClick(window.txtFind, Qt::Key_Return); // the first found
    EXPECT_EQ(opened.value(0), QVariantList{"http://b/K%C3%B6ln"});

    window.txtFind->clear();
    window.show(); // Del is the list's key while it has the focus
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.lstHistory->setFocus();
    window.lstHistory->setCurrentItem(window.lstHistory->topLevelItem(0)->child(0));
    QTest::keyClick(window.lstHistory, Qt::Key_Delete);
    EXPECT_EQ(history.list.size(), 1);
    EXPECT_EQ(rows(window.lstHistory), (QStringList{"今天|", "  http://a/|http://a/"}));
    EXPECT_EQ(window.lstHistory->currentItem()->text(1), "http://a/"); // Del again removes it
}

class HistoryMenuTest : public BrowserFixture {};

// Opened from the owner's menu; its entries open there, if they are web addresses.
TEST_F(HistoryMenuTest, EntriesOpenInTheWindowTheListBelongsTo) {
    history.recordVisit(QStringLiteral("javascript:alert(1)"), QString());
    history.recordVisit(QStringLiteral("http://news.example/"), QStringLiteral("新闻"));
    frmMain* other = openWindow();
    frmMain* window = openWindow();
    window->mnuMainViewHistory->trigger();
    auto* list = window->findChild<HistoryWindow*>();
    ASSERT_TRUE(list && list->isVisible());
    page(window)->calls.clear();
    for (int row : {0, 1}) {
        list->lstHistory->setCurrentItem(list->lstHistory->topLevelItem(0)->child(row));
        QTest::keyClick(list->lstHistory, Qt::Key_Return);
    }
    QCoreApplication::processEvents(); // the refusal's message comes out of the event
    EXPECT_EQ(page(window)->calls, QStringList{"Navigate:http://news.example/"});
    EXPECT_EQ(page(other)->calls.filter("news"), QStringList());
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, "不能打开这个地址：javascript:alert(1)");
}

} // namespace
