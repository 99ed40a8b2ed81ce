// The menu bar as the user meets it, what its items and the window's keys do, the names
// screen readers announce, the skin and the layout in pixels as designed; on fake services.
#include "tests/support/FakeServices.h"

#include "browser/WindowLayout.h"
#include "tests/support/TestFiles.h"

#include "browser/frmOpen.h"

#include <QAccessible>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>

namespace {

class MenusTest : public BrowserFixture {};

TEST_F(MenusTest, TheMenuBarAsTheUserSeesIt) {
    frmMain* window = openWindow();
    QStringList seen;
    for (QAction* top : window->menuBar()->actions()) {
        seen << "[" + top->text() + "]";
        for (QAction* item : top->menu()->actions()) {
            if (!item->isVisible())
                continue;
            seen << (item->isSeparator() ? QStringLiteral("-") : item->text());
            EXPECT_TRUE(item->shortcut().isEmpty() && !item->isChecked() && item->isEnabled());
        }
    }
    EXPECT_EQ(
        seen.join('|'),
        "[文件(&F)]|新建(&N)|打开(&O)...|另存为(&S)...|-|页面设置(&U)...|打印(&P)...|"
        "打印预览(&V)...|-|属性(&R)|脱机工作(&W)|关闭(&C)|[编辑(&E)]|剪切(&T)|复制(&C)|"
        "粘贴(&P)|-|全选(&A)|查找(在当前页)(&F)|[查看(&V)]|主页(&H)|-|后退(&B)|向前(&F)|"
        "停止(&P)|刷新(&R)|-|查看源文件(&O)|[收藏夹(&A)]|添加到收藏夹|整理收藏夹|-|[工具(&T)]|"
        "清除历史记录|-|记事本|资源浏览器|-|Internet 选项|[帮助(&H)]|浏览器主页(&H)|-|"
        "关于(&A)...");
    EXPECT_TRUE(window->mnuMainFileOffLine->isCheckable());
    EXPECT_EQ(window->mnuMainFavoriteUser->text(), QStringLiteral("用户链接..."));
    EXPECT_EQ(window->mnuMainFavorite->actions().last(), window->mnuMainFavoriteUser);
    // Screen readers announce the boxes and the tool bar pictures by the names they are tipped by.
    QStringList names;
    for (QWidget* widget : std::initializer_list<QWidget*>{
             window->txtURL, window->txtSearch, window->webMain, window->imgToolBar[1],
             window->imgToolBar[2], window->imgToolBar[3], window->imgToolBar[4],
             window->imgToolBar[92], window->imgToolBar[93]})
        names << QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name) + "|" +
                     widget->toolTip();
    EXPECT_EQ(names,
              (QStringList{"地址|", "百度搜索|", "网页|", "向后|向后", "向前|向前", "停止|停止",
                           "刷新|刷新", "搜索|搜索", "选择搜索引擎|选择搜索引擎"}));
    EXPECT_FALSE(window->imgToolBar[93]->isEnabled()); // offers nothing
}

TEST_F(MenusTest, PageCommandsAskThePageViewOnceAndOfflineIsPerWindow) {
    frmMain* window = openWindow();
    const QList<QPair<QAction*, int>> commands = {
        {window->mnuMainFileSaveAs, 4},       {window->mnuMainFilePrint, 6},
        {window->mnuMainFilePrintPreView, 7}, {window->mnuMainFilePageSet, 8},
        {window->mnuMainFileProperty, 10},    {window->mnuMainEditCut, 11},
        {window->mnuMainEditCopy, 12},        {window->mnuMainEditPaste, 13},
        {window->mnuMainEditSelectAll, 17}};
    for (const auto& [item, command] : commands) {
        page(window)->calls.clear();
        item->trigger();
        EXPECT_EQ(page(window)->calls, QStringList{QStringLiteral("ExecWB:%1").arg(command)});
    }
    page(window)->calls.clear();
    window->mnuMainFileOffLine->trigger(); // as the menu does it
    EXPECT_TRUE(window->mnuMainFileOffLine->isChecked() && window->webMain->Offline());
    EXPECT_FALSE(openWindow()->webMain->Offline());
    window->mnuMainFileOffLine_Click(); // as another caller does it
    EXPECT_FALSE(window->mnuMainFileOffLine->isChecked());
    EXPECT_EQ(page(window)->calls, (QStringList{"setOffline:true", "setSilent:true",
                                                "setOffline:false", "setSilent:false"}));
}

TEST_F(MenusTest, ToolsAndHelp) {
    frmMain* window = openWindow();
    urlCache.entries = {"http://a/"};
    boxes.answers = {false, true};
    window->mnuMainToolHistoryClearExplorer->trigger(); // No: nothing
    window->mnuMainToolHistoryClearExplorer->trigger();
    EXPECT_TRUE(urlCache.entries.isEmpty());
    ASSERT_EQ(boxes.shown.size(), 3);
    EXPECT_EQ(boxes.shown[0].title + "|" + boxes.shown[0].text, "提示|确实要删除所有IE记录吗？");
    EXPECT_EQ(boxes.shown[2].text, QStringLiteral("已经清除成功!"));

    page(window)->markup = QStringLiteral("<body>x</body>");
    window->mnuMainViewSourceCode->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !launcher.started.isEmpty(); }, 2000));
    for (QAction* tool : {window->mnuMainToolEXENotepad, window->mnuMainToolEXEExplorer,
                          window->mnuMainToolInternetOption})
        tool->trigger();
    QStringList programs;
    for (const auto& one : launcher.started)
        programs << one.program + "(" + one.arguments.join(' ') + ")@" + one.workingFolder;
    const QString program = folder.path() + "/program";
    EXPECT_EQ(programs, (QStringList{"text-editor(" + program + "/KQCode.txt)@" + program,
                                     "text-editor()@" + program, "file-manager()@" + program,
                                     "network-settings()@"}));

    window->mnuMainHelpSoftPage->trigger();
    ASSERT_EQ(frmMain::openWindows().size(), 2);
    EXPECT_EQ(page(frmMain::openWindows().last())->calls.filter("Navigate"),
              QStringList{"Navigate:http://www.tarnvale.com/"});
    window->mnuMainHelpAbout->trigger();
    EXPECT_EQ(boxes.shown.last().title, QStringLiteral("关于..."));
    EXPECT_TRUE(boxes.shown.last().text.endsWith("\r\n软件主页：http://www.tarnvale.com"));
}

// Each key does what its menu item does: the page view's call, or a box selected whole.
TEST_F(MenusTest, KeysOfTheWindow) {
    const QList<QPair<QKeyCombination, QString>> rows = {
        {QKeyCombination(Qt::Key_F5), "Refresh"},
        {Qt::CTRL | Qt::Key_R, "Refresh"},
        {QKeyCombination(Qt::Key_Escape), "Stop"},
        {Qt::ALT | Qt::Key_Left, "GoBack"},
        {Qt::ALT | Qt::Key_Right, "GoForward"},
        {Qt::ALT | Qt::Key_Home, "Navigate:http://start.example/"},
        {Qt::CTRL | Qt::Key_S, "ExecWB:4"},
        {Qt::CTRL | Qt::Key_P, "ExecWB:6"},
        {Qt::CTRL | Qt::Key_U, "DocumentMarkup"},
        {Qt::CTRL | Qt::Key_L, "txtURL"},
        {QKeyCombination(Qt::Key_F6), "txtURL"},
        {Qt::ALT | Qt::Key_D, "txtURL"},
        {Qt::CTRL | Qt::Key_K, "txtSearch"},
        {Qt::CTRL | Qt::Key_E, "txtSearch"},
        {Qt::CTRL | Qt::Key_D, "add favorite"},
        {Qt::CTRL | Qt::Key_O, "open dialog"},
        {Qt::CTRL | Qt::Key_N, "new window"},
        {Qt::CTRL | Qt::Key_W, "closed"}};
    frmMain* window = openWindow();
    window->txtURL->setText(QStringLiteral("http://shown.example/"));
    window->txtSearch->setText(QStringLiteral("keyword"));
    for (const auto& [keys, done] : rows) {
        window->webMain->setFocus();
        page(window)->calls.clear();
        favoriteDialogs.asked.clear();
        QTest::keyClick(window->webMain, keys.key(), keys.keyboardModifiers());
        QString did = page(window)->calls.join(',');
        if (auto* box = qobject_cast<TextBox*>(QApplication::focusWidget()))
            did = box->selectedText() == box->text() ? box->objectName() : "part of a box";
        if (favoriteDialogs.asked.size() == 1)
            did = "add favorite";
        if (frmOpen::instance() && frmOpen::instance()->isVisible()) {
            did = "open dialog";
            frmOpen::instance()->close();
        }
        if (frmMain::openWindows().size() == 2) {
            did = "new window";
            delete frmMain::openWindows().last();
            window->activateWindow(); // keys reach the active window only
            ASSERT_TRUE(waitActive(window));
        }
        if (frmMain::openWindows().isEmpty())
            did = "closed";
        EXPECT_EQ(did, done) << QKeySequence(keys).toString().toStdString();
    }
}

// Over the page the engine takes its own mouse buttons; elsewhere the window does.
TEST_F(MenusTest, TheMouseButtonsGoBackAndForward) {
    frmMain* window = openWindow();
    page(window)->calls.clear();
    QTest::mousePress(window->picMainToolBar, Qt::BackButton);
    QTest::mousePress(window->picBar2, Qt::ForwardButton);
    EXPECT_EQ(page(window)->calls, (QStringList{"GoBack", "GoForward"}));
}

// Strips stay grey and text boxes light whatever the skin file holds; it is read again for
// every window, and a file that is no style sheet is passed over without a word.
TEST_F(MenusTest, StripsStayGreyAndTextBoxesLightWhateverTheSkin) {
    for (const QByteArray& skin :
         {QByteArray(
              "* { background-color: #FF0000; } QWidget, PictureBox, QLineEdit, TextBox {"
              " background-color: #0000FF; background: #00FF00; } QMenuBar { color: #123456; }"),
          QByteArray("\x89PNG\r\n\x1a\n\0\0{{{", 13)}) {
        ASSERT_TRUE(writeFileBytes(folder.path() + "/program/skin.skn", skin));
        frmMain* window = openWindow();
        QStringList colors; // inside each, away from its frame and its text
        for (QWidget* widget : std::initializer_list<QWidget*>{
                 window->findChild<SolidSurface*>("formSurface"), window->picMainToolBar,
                 window->picBar1, window->picBar2, window->txtURL, window->txtSearch})
            colors << widget->grab()
                          .toImage()
                          .pixelColor(widget->width() - 5, widget->height() / 2)
                          .name();
        EXPECT_EQ(colors.join(' '), "#adadad #adadad #adadad #adadad #e0e0e0 #e0e0e0");
        EXPECT_EQ(window->picMainWeb->backColor().name(), "#adadad");
    }
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_TRUE(frmMain::openWindows().at(0)->styleSheet().contains("#123456"));
    EXPECT_FALSE(frmMain::openWindows().at(1)->styleSheet().contains("#123456"));
}

TEST_F(MenusTest, ResizingLaysTheControlsOutAgain) {
    frmMain* window = openWindow();
    window->showNormal();
    window->resize(900, 500);
    QWidget* client = window->centralWidget();
    ASSERT_TRUE(QTest::qWaitFor([&] { return client->width() == 900; }, 2000));
    const int height = client->height();
    EXPECT_EQ(window->picMainToolBar->geometry(), QRect(0, 0, 900, 31));
    EXPECT_EQ(window->imgToolBar[1]->geometry(), QRect(5, 3, 24, 24));
    EXPECT_EQ(window->picBar1->geometry(), QRect(58, 3, 544, 28));
    EXPECT_EQ(window->txtURL->geometry(), QRect(3, 2, 488, 22));
    EXPECT_EQ(window->imgToolBar[4]->geometry(), QRect(495, 6, 16, 16));
    EXPECT_EQ(window->picBar2->geometry(), QRect(602, 3, 298, 28));
    EXPECT_EQ(window->picMainWeb->geometry(), QRect(0, 31, 899, height - 31));
    EXPECT_EQ(window->webMain->geometry(), QRect(0, 0, 899, height - 31));
    // Narrow and minimised windows keep the last valid layout.
    WindowGeometry g = designGeometry();
    layoutWindow(g, 7000, 5000);
    layoutWindow(g, 6000, 5000);
    EXPECT_FLOAT_EQ(g.txtURL.width, 820);  // 7000 - 6180, the last valid width
    EXPECT_FLOAT_EQ(g.picBar1.width, 655); // the strips and buttons still follow
    EXPECT_FLOAT_EQ(g.imgStop.left, 215);
    const WindowGeometry before = g;
    layoutWindow(g, 0, 0); // minimised
    layoutWindow(g, 6000, 5000);
    EXPECT_EQ(std::memcmp(&g, &before, sizeof g), 0);
}

} // namespace
