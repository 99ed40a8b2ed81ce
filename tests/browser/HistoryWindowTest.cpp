// The history window: visits by day, the search, an entry opened in the window the list
// belongs to, and Del removing an address from the history whatever form it is stored in.
#include "tests/support/FakeServices.h"

#include "browser/HistoryList.h"
#include "browser/HistoryWindow.h"

#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTreeWidget>

namespace {

TEST(HistoryListTest, VisitsByDay) {
    const QDate wednesday(2026, 5, 6), monday(2026, 5, 4);
    const QList<std::tuple<const char*, QDate, QDate, VisitDay>> days = {
        {"AfterTodayAClockSetBack", wednesday.addDays(3), wednesday, VisitDay::Today},
        {"Yesterday", wednesday.addDays(-1), wednesday, VisitDay::Yesterday},
        {"MondayOfThisWeek", monday, wednesday, VisitDay::ThisWeek},
        {"SundayBefore", monday.addDays(-1), wednesday, VisitDay::Earlier},
        {"OnMondaySundayIsYesterday", monday.addDays(-1), monday, VisitDay::Yesterday},
    };
    for (const auto& [name, visit, today, day] : days)
        EXPECT_EQ(visitDay(visit, today), day) << name;
}

QStringList rows(QTreeWidget* tree) {
    QStringList result;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        result << ((*it)->parent() ? "  " : "") + (*it)->text(0) + "|" + (*it)->text(1);
    return result;
}

class HistoryWindowTest : public BrowserFixture {};

// Entries open in the window whose menu showed the list, if they are web addresses.
TEST_F(HistoryWindowTest, SearchOpenInItsWindowAndDelRemovesEveryForm) {
    // A title's direction override would turn what follows it around, and hide it from search.
    history.recordVisit(QStringLiteral("http://b/K%C3%B6ln"), QStringLiteral("科\u202E隆"));
    history.recordVisit(QStringLiteral("javascript:alert(1)"), QString());
    {
        QSqlDatabase older = QSqlDatabase::addDatabase("QSQLITE", "older");
        older.setDatabaseName(folder.path() + "/history.sqlite");
        ASSERT_TRUE(older.open() && QSqlQuery(older).exec("INSERT INTO history VALUES"
                                                          "('http://b/Köln','',1,1),"
                                                          "('http://xn--fiqs8s.example/','',2,1)"));
    }
    QSqlDatabase::removeDatabase("older");
    openWindow(); // the default window
    frmMain* window = openWindow();
    window->mnuMainViewHistory->trigger();
    auto* list = window->findChild<HistoryWindow*>();
    ASSERT_TRUE(list && QTest::qWaitForWindowActive(list));
    EXPECT_EQ(
        rows(list->lstHistory),
        (QStringList{"今天|", "  javascript:alert(1)|javascript:alert(1)", "  科隆|http://b/Köln",
                     "更早|", "  http://中国.example/|http://中国.example/"}));
    list->txtFind->setText(QStringLiteral(" 中国 ")); // as the address box shows it
    EXPECT_EQ(rows(list->lstHistory),
              (QStringList{"更早|", "  http://中国.example/|http://中国.example/"}));
    page(window)->calls.clear();
    list->txtFind->setText(QStringLiteral("科隆"));
    QTest::keyClick(list->txtFind, Qt::Key_Return); // the first found
    list->txtFind->clear();
    list->lstHistory->setFocus();
    list->lstHistory->setCurrentItem(list->lstHistory->topLevelItem(0)->child(0));
    QTest::keyClick(list->lstHistory, Qt::Key_Return);
    QCoreApplication::processEvents(); // the refusal's message comes out of the event
    EXPECT_EQ(page(window)->calls, QStringList{"Navigate:http://b/K%C3%B6ln"});
    EXPECT_EQ(boxes.shown.value(0).text, "不能打开这个地址：javascript:alert(1)");

    list->lstHistory->setCurrentItem(list->lstHistory->topLevelItem(0)->child(1));
    QTest::keyClick(list->lstHistory, Qt::Key_Delete);
    EXPECT_EQ(history.recentUrls(10).filter("b/K"), QStringList());
    // The list follows, the next row chosen for another Del.
    EXPECT_EQ(list->lstHistory->currentItem()->text(1), "javascript:alert(1)");
}

} // namespace
