// The search box and button of a window, on fakes.
#include "BrowserTestWindow.h"

#include "ImageButton.h"
#include "TextBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

namespace {

class SearchBoxTest : public BrowserFixture {};

// QTest cannot type Shift+Tab; this is the event the keyboard sends.
void backTab(QWidget* widget) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier);
    QApplication::sendEvent(widget, &press);
}

TEST_F(SearchBoxTest, EnterAndTheButtonSearchInThisWindow) {
    frmMain* window = openWindow();
    page(window)->calls.clear();
    // Unchanged, the initial text is a keyword like any other.
    QTest::mouseClick(window->imgToolBar[92], Qt::LeftButton);
    window->txtSearch->setText(QStringLiteral(" AT&T 中文 "));
    QTest::keyClick(window->txtSearch, Qt::Key_Return);
    EXPECT_EQ(page(window)->calls,
              (QStringList{"Navigate:http://www.baidu.com/s?wd=%E7%99%BE%E5%BA%A6%E6%90%9C%E7%B4%A2"
                           "&tn=mvrak_tp",
                           "Navigate:http://www.baidu.com/s?wd=AT%26T%20%E4%B8%AD%E6%96%87"
                           "&tn=mvrak_tp"}));
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(SearchBoxTest, BlankKeywordIsRefusedAndTheFocusComesBack) {
    frmMain* window = openWindow();
    page(window)->calls.clear();
    window->txtSearch->setText(QStringLiteral("  \u3000 "));
    window->txtURL->setFocus();
    boxes.onShow = [&] {
        window->txtURL->setFocus();
    };
    window->imgToolBar_Click(92);

    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].kind, QStringLiteral("inform"));
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("提示"));
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("请输入搜索关键字!"));
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Information);
    EXPECT_TRUE(window->txtSearch->hasFocus());
    EXPECT_EQ(window->txtSearch->text(), QStringLiteral("  \u3000 "));
    EXPECT_TRUE(page(window)->calls.isEmpty());
}

TEST_F(SearchBoxTest, SearchBoxSelectsAllWhenFocused) {
    frmMain* window = openWindow();
    window->txtSearch->setText(QStringLiteral("上次的关键字"));
    window->txtURL->setFocus();
    backTab(window->txtURL);  // address box -> page
    backTab(window->webMain); // page -> search box
    ASSERT_TRUE(window->txtSearch->hasFocus());
    QTest::keyClicks(window->txtSearch, QStringLiteral("new"));
    EXPECT_EQ(window->txtSearch->text(), QStringLiteral("new"));
}

} // namespace
