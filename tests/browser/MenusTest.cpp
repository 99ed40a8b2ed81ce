// The menu bar as the user meets it, what its items and the window's keys do, the names
// screen readers announce and the layout in pixels as designed; on fake services.
#include "tests/support/FakeServices.h"

#include <QAccessible>
#include <QLabel>
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
            EXPECT_TRUE(item->shortcut().isEmpty() && !item->isChecked());
            // Nothing to reopen yet.
            EXPECT_EQ(item->isEnabled(), item != window->mnuMainFileReopen);
        }
    }
    EXPECT_EQ(seen.join('|'),
              "[文件(&F)]|新建(&N)|打开(&O)...|另存为(&S)...|-|页面设置(&U)...|打印(&P)...|"
              "打印预览(&V)...|-|属性(&R)|脱机工作(&W)|关闭(&C)|重新打开关闭的窗口(&L)|[编辑(&E)]|"
              "剪切(&T)|复制(&C)|"
              "粘贴(&P)|-|全选(&A)|查找(在当前页)(&F)|[查看(&V)]|主页(&H)|-|后退(&B)|向前(&F)|"
              "停止(&P)|刷新(&R)|-|查看源文件(&O)|-|缩放(&Z)|编码(&D)|全屏显示(&U)|-|历史记录(&I)|["
              "收藏夹(&A)]|添加到收藏夹|整理收藏夹|导入和导出(&I)...|-|[工具(&T)]|"
              "清除历史记录|-|记事本|资源浏览器|-|Internet 选项|[帮助(&H)]|浏览器主页(&H)|-|"
              "关于(&A)...");
    QStringList inner;
    for (QMenu* menu : {window->mnuMainViewZoom, window->mnuMainViewEncoding})
        for (QAction* item : menu->actions())
            inner << item->text();
    EXPECT_EQ(inner.join('|'), "放大(&I)|缩小(&O)|100%|自动检测(&A)|简体中文(GB18030)(&G)|"
                               "Unicode(UTF-8)(&U)|繁体中文(Big5)(&B)");
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

// Every menu item that asks the page something asks it once, and so does its tool bar picture.
TEST_F(MenusTest, MenuItemsAndPicturesAskThePageOnceAndOfflineIsPerWindow) {
    frmMain* window = openWindow();
    const QList<std::tuple<QAction*, int, QString>> rows = {
        {window->mnuMainViewGoBack, 1, "GoBack"},
        {window->mnuMainViewGoForword, 2, "GoForward"},
        {window->mnuMainViewStop, 3, "Stop"},
        {window->mnuMainViewRefresh, 4, "Refresh"},
        {window->mnuMainFileSaveAs, 0, "ExecWB:4"},
        {window->mnuMainFilePrint, 0, "ExecWB:6"},
        {window->mnuMainFilePrintPreView, 0, "ExecWB:7"},
        {window->mnuMainFilePageSet, 0, "ExecWB:8"},
        {window->mnuMainFileProperty, 0, "ExecWB:10"},
        {window->mnuMainEditCut, 0, "ExecWB:11"},
        {window->mnuMainEditCopy, 0, "ExecWB:12"},
        {window->mnuMainEditPaste, 0, "ExecWB:13"},
        {window->mnuMainEditSelectAll, 0, "ExecWB:17"}};
    for (const auto& [item, picture, call] : rows) {
        page(window)->calls.clear();
        item->trigger();
        if (picture)
            QTest::mouseClick(window->imgToolBar[picture], Qt::LeftButton);
        EXPECT_EQ(page(window)->calls, QStringList(picture ? 2 : 1, call));
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
    EXPECT_EQ(urlCache.entries.size(), 1);
    window->mnuMainToolHistoryClearExplorer->trigger();
    EXPECT_TRUE(urlCache.entries.isEmpty());
    EXPECT_EQ(boxes.shown.value(0).title + "|" + boxes.shown.value(0).text,
              "提示|确实要删除所有IE记录吗？");
    page(window)->markup = QStringLiteral("<body>中文 \uD55C</body>"); // Hangul is not in GBK
    window->mnuMainViewSourceCode->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !launcher.started.isEmpty(); }, 2000));
    const QString program = folder.path() + "/program";
    EXPECT_EQ(readFileBytes(program + "/KQCode.txt"),
              "<body>" + toGbk("中文 ") + "&#xD55C;</body>\r\n");
    for (QAction* tool : {window->mnuMainToolEXENotepad, window->mnuMainToolEXEExplorer})
        tool->trigger();
    QStringList programs;
    for (const auto& one : launcher.started)
        programs << one.program + "(" + one.arguments.join(' ') + ")@" + one.workingFolder;
    EXPECT_EQ(programs, (QStringList{"text-editor(" + program + "/KQCode.txt)@" + program,
                                     "text-editor()@" + program, "file-manager()@" + program}));

    window->mnuMainHelpSoftPage->trigger();
    ASSERT_EQ(frmMain::openWindows().size(), 2);
    EXPECT_EQ(page(frmMain::openWindows().last())->calls.filter("Navigate"),
              QStringList{"Navigate:http://www.tarnvale.com/"});
    window->mnuMainHelpAbout->trigger();
    EXPECT_EQ(boxes.shown.last().title, QStringLiteral("关于..."));
    EXPECT_TRUE(boxes.shown.last().text.endsWith("\r\n软件主页：http://www.tarnvale.com"));
}

// Each key does what its menu item does (the items' own effects are checked above, so here
// the items only note that they ran), or selects a box whole.
TEST_F(MenusTest, KeysOfTheWindow) {
    frmMain* window = openWindow();
    QString did;
    for (QAction* item : window->findChildren<QAction*>()) {
        QObject::disconnect(item, &QAction::triggered, nullptr, nullptr);
        QObject::connect(item, &QAction::triggered, [&did, item] { did = item->objectName(); });
    }
    const QList<QPair<QKeyCombination, QString>> rows = {
        {QKeyCombination(Qt::Key_F5), "mnuMainViewRefresh"},
        {Qt::CTRL | Qt::Key_R, "mnuMainViewRefresh"},
        {QKeyCombination(Qt::Key_Escape), "Stop"},
        {Qt::ALT | Qt::Key_Left, "mnuMainViewGoBack"},
        {Qt::ALT | Qt::Key_Right, "mnuMainViewGoForword"},
        {Qt::ALT | Qt::Key_Home, "mnuMainViewGoHomePage"},
        {Qt::CTRL | Qt::Key_S, "mnuMainFileSaveAs"},
        {Qt::CTRL | Qt::Key_P, "mnuMainFilePrint"},
        {Qt::CTRL | Qt::Key_U, "mnuMainViewSourceCode"},
        {Qt::CTRL | Qt::Key_D, "mnuMainFavoriteAdd"},
        {Qt::CTRL | Qt::Key_O, "mnuMainFileOpen"},
        {Qt::CTRL | Qt::Key_N, "mnuMainFileNewLabel"},
        {Qt::CTRL | Qt::Key_W, "mnuMainFileExit"},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_T, "mnuMainFileReopen"},
        {Qt::CTRL | Qt::Key_H, "mnuMainViewHistory"},
        {Qt::CTRL | Qt::Key_Equal, "mnuMainViewZoomIn"},
        {Qt::CTRL | Qt::Key_Plus, "mnuMainViewZoomIn"},
        {Qt::CTRL | Qt::Key_Minus, "mnuMainViewZoomOut"},
        {Qt::CTRL | Qt::Key_0, "mnuMainViewZoomReset"},
        {QKeyCombination(Qt::Key_F11), "mnuMainViewFullScreen"},
        {Qt::CTRL | Qt::Key_L, "txtURL"},
        {QKeyCombination(Qt::Key_F6), "txtURL"},
        {Qt::ALT | Qt::Key_D, "txtURL"},
        {Qt::CTRL | Qt::Key_K, "txtSearch"},
        {Qt::CTRL | Qt::Key_E, "txtSearch"}};
    window->mnuMainFileReopen->setEnabled(true); // as after a window closed
    window->txtURL->setText(QStringLiteral("http://shown.example/"));
    window->txtSearch->setText(QStringLiteral("keyword"));
    for (const auto& [keys, done] : rows) {
        window->webMain->setFocus();
        page(window)->calls.clear();
        did.clear();
        QTest::keyClick(window->webMain, keys.key(), keys.keyboardModifiers());
        if (auto* box = qobject_cast<TextBox*>(QApplication::focusWidget()))
            did = box->selectedText() == box->text() ? box->objectName() : "part of a box";
        EXPECT_EQ(did + page(window)->calls.join(','), done)
            << QKeySequence(keys).toString().toStdString();
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
}

} // namespace

namespace {
// The View menu's zoom steps, encodings and full screen reach the page view; a link's address
// shows over the page while the mouse is on it, as plain text.
TEST_F(MenusTest, ZoomEncodingFullScreenAndTheLinkAddress) {
    frmMain* window = openWindow();
    FakePageView* view = page(window);
    view->calls.clear();
    for (QAction* item : {window->mnuMainViewZoomIn, window->mnuMainViewZoomOut,
                          window->mnuMainViewZoomOut, window->mnuMainViewZoomReset})
        item->trigger();
    view->encoding = QStringLiteral("big5");
    Q_EMIT window->mnuMainViewEncoding->aboutToShow();
    EXPECT_TRUE(window->mnuMainViewEncodingBig5->isChecked());
    window->mnuMainViewEncodingUtf8->trigger();
    window->mnuMainViewEncodingAuto->trigger();
    EXPECT_EQ(view->calls,
              (QStringList{"setZoomPercent:110", "setZoomPercent:100", "setZoomPercent:90",
                           "setZoomPercent:100", "setTextEncoding:UTF-8", "setTextEncoding:"}));

    window->mnuMainViewFullScreen->trigger();
    EXPECT_TRUE(window->isFullScreen() && window->mnuMainViewFullScreen->isChecked());
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_TRUE(!window->isFullScreen() && window->windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(window->mnuMainViewFullScreen->isChecked());

    Q_EMIT view->StatusTextChange(QStringLiteral("<b>http://a.example/链接</b>"));
    EXPECT_TRUE(window->lblLinkAddress->isVisible());
    EXPECT_EQ(window->lblLinkAddress->text(), QStringLiteral("<b>http://a.example/链接</b>"));
    EXPECT_EQ(window->lblLinkAddress->textFormat(), Qt::PlainText);
    Q_EMIT view->StatusTextChange(QString());
    EXPECT_FALSE(window->lblLinkAddress->isVisible());
}
} // namespace
