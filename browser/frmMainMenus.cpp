// The window's menu bar: one table in display order, each row naming the member it fills and
// the handler its item runs, so that the compiler checks every name.
#include "browser/frmMain.h"

#include "platform/PageView.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {
using Handler = void (frmMain::*)();

// A menu of the bar (menu set) or one of its items (item set; a caption of "-" is a separator).
// Items without a handler are wired with the page commands, or are the favorites template.
struct MenuRow {
    const char* name;
    const char* caption;
    QMenu* frmMain::*menu;
    QAction* frmMain::*item;
    Handler handler;
    bool submenu = false; // a menu inside the current one, up to the next END_SUBMENU
};

// clang-format off
#define MENU(name, caption) {#name, caption, &frmMain::name, nullptr, nullptr}
#define ITEM(name, caption, handler) {#name, caption, nullptr, &frmMain::name, handler}
#define SEPARATOR(name) {#name, "-", nullptr, nullptr, nullptr}
#define SUBMENU(name, caption) {#name, caption, &frmMain::name, nullptr, nullptr, true}
#define END_SUBMENU {nullptr, nullptr, nullptr, nullptr, nullptr}
// clang-format on

const MenuRow kMenuBar[] = {
    MENU(mnuMainFile, "文件(&F)"),
    ITEM(mnuMainFileNewLabel, "新建(&N)", &frmMain::mnuMainFileNewLabel_Click),
    ITEM(mnuMainFileOpen, "打开(&O)...", &frmMain::mnuMainFileOpen_Click),
    ITEM(mnuMainFileSaveAs, "另存为(&S)...", nullptr),
    SEPARATOR(mnuLinelasdagq),
    ITEM(mnuMainFilePageSet, "页面设置(&U)...", nullptr),
    ITEM(mnuMainFilePrint, "打印(&P)...", nullptr),
    ITEM(mnuMainFilePrintPreView, "打印预览(&V)...", nullptr),
    SEPARATOR(mnuLineladsgfaegq),
    ITEM(mnuMainFileProperty, "属性(&R)", nullptr),
    ITEM(mnuMainFileOffLine, "脱机工作(&W)", nullptr),
    ITEM(mnuMainFileExit, "关闭(&C)", &frmMain::mnuMainFileExit_Click),
    ITEM(mnuMainFileReopen, "重新打开关闭的窗口(&L)", &frmMain::mnuMainFileReopen_Click),
    MENU(mnuMainEdit, "编辑(&E)"),
    ITEM(mnuMainEditCut, "剪切(&T)", nullptr),
    ITEM(mnuMainEditCopy, "复制(&C)", nullptr),
    ITEM(mnuMainEditPaste, "粘贴(&P)", nullptr),
    SEPARATOR(mnuLineawegallksa),
    ITEM(mnuMainEditSelectAll, "全选(&A)", nullptr),
    ITEM(mnuMainEditFind, "查找(在当前页)(&F)", &frmMain::mnuMainEditFind_Click),
    MENU(mnuMainView, "查看(&V)"),
    ITEM(mnuMainViewGoHomePage, "主页(&H)", &frmMain::mnuMainViewGoHomePage_Click),
    SEPARATOR(mnuLinekkkkasdga),
    ITEM(mnuMainViewGoBack, "后退(&B)", &frmMain::mnuMainViewGoBack_Click),
    ITEM(mnuMainViewGoForword, "向前(&F)", &frmMain::mnuMainViewGoForword_Click),
    ITEM(mnuMainViewStop, "停止(&P)", &frmMain::mnuMainViewStop_Click),
    ITEM(mnuMainViewRefresh, "刷新(&R)", &frmMain::mnuMainViewRefresh_Click),
    SEPARATOR(mnuLinedadsgf),
    ITEM(mnuMainViewSourceCode, "查看源文件(&O)", &frmMain::mnuMainViewSourceCode_Click),
    SEPARATOR(mnuLineViewLook),
    SUBMENU(mnuMainViewZoom, "缩放(&Z)"),
    ITEM(mnuMainViewZoomIn, "放大(&I)", &frmMain::mnuMainViewZoomIn_Click),
    ITEM(mnuMainViewZoomOut, "缩小(&O)", &frmMain::mnuMainViewZoomOut_Click),
    ITEM(mnuMainViewZoomReset, "100%", &frmMain::mnuMainViewZoomReset_Click),
    END_SUBMENU,
    SUBMENU(mnuMainViewEncoding, "编码(&D)"),
    ITEM(mnuMainViewEncodingAuto, "自动检测(&A)", nullptr),
    ITEM(mnuMainViewEncodingGb18030, "简体中文(GB18030)(&G)", nullptr),
    ITEM(mnuMainViewEncodingUtf8, "Unicode(UTF-8)(&U)", nullptr),
    ITEM(mnuMainViewEncodingBig5, "繁体中文(Big5)(&B)", nullptr),
    END_SUBMENU,
    ITEM(mnuMainViewFullScreen, "全屏显示(&U)", &frmMain::mnuMainViewFullScreen_Click),
    SEPARATOR(mnuLinehistvw),
    ITEM(mnuMainViewHistory, "历史记录(&I)", &frmMain::mnuMainViewHistory_Click),
    MENU(mnuMainFavorite, "收藏夹(&A)"),
    ITEM(mnuMainFavoriteAdd, "添加到收藏夹", &frmMain::mnuMainFavoriteAdd_Click),
    ITEM(mnuMainFavoriteModify, "整理收藏夹", &frmMain::mnuMainFavoriteModify_Click),
    ITEM(mnuMainFavoriteImportExport, "导入和导出(&I)...",
         &frmMain::mnuMainFavoriteImportExport_Click),
    SEPARATOR(mnuLinedasgghh),
    {"mnuMainFavoriteUser(0)", "用户链接...", nullptr, &frmMain::mnuMainFavoriteUser, nullptr},
    MENU(mnuMainTool, "工具(&T)"),
    ITEM(mnuMainToolHistoryClearExplorer, "清除历史记录",
         &frmMain::mnuMainToolHistoryClearExplorer_Click),
    SEPARATOR(mnuLinekibf),
    ITEM(mnuMainToolEXENotepad, "记事本", &frmMain::mnuMainToolEXENotepad_Click),
    ITEM(mnuMainToolEXEExplorer, "资源浏览器", &frmMain::mnuMainToolEXEExplorer_Click),
    SEPARATOR(mnuLinekdiggg),
    ITEM(mnuMainToolInternetOption, "Internet 选项", &frmMain::mnuMainToolInternetOption_Click),
    MENU(mnuMainHelp, "帮助(&H)"),
    ITEM(mnuMainHelpSoftPage, "浏览器主页(&H)", &frmMain::mnuMainHelpSoftPage_Click),
    SEPARATOR(mnuLinekop),
    ITEM(mnuMainHelpAbout, "关于(&A)...", &frmMain::mnuMainHelpAbout_Click),
};

#undef MENU
#undef ITEM
#undef SEPARATOR
#undef SUBMENU
#undef END_SUBMENU
} // namespace

// Captions with their access keys, no shortcut text, nothing checked; only the favorites
// template is hidden, Work Offline is checkable, and Reopen is disabled while no window closed.
void frmMain::createMenus() {
    QMenu* top = nullptr;
    QMenu* current = nullptr;
    for (const MenuRow& row : kMenuBar) {
        if (!row.name) { // the end of a menu inside another
            current = top;
            continue;
        }
        const QString name = QString::fromLatin1(row.name);
        const QString caption = QString::fromUtf8(row.caption);
        if (row.menu) {
            current = row.submenu ? current->addMenu(caption) : menuBar()->addMenu(caption);
            if (!row.submenu)
                top = current;
            current->setObjectName(name);
            current->menuAction()->setObjectName(name);
            this->*row.menu = current;
            continue;
        }
        QAction* action = row.item ? current->addAction(caption) : current->addSeparator();
        action->setObjectName(name);
        if (row.item)
            this->*row.item = action;
        if (row.handler)
            connect(action, &QAction::triggered, this, row.handler);
    }
    mnuMainFileOffLine->setCheckable(true);
    mnuMainFavoriteUser->setVisible(false);
    createViewMenus();
}
