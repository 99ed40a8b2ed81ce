#include "MenuTree.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

const QString kFavoriteUserTemplate = QStringLiteral("mnuMainFavoriteUser(0)");

const std::vector<MenuItemSpec>& menuTree() {
    static const std::vector<MenuItemSpec> tree = {
        {"mnuMainFile", "文件(&F)", 0},
        {"mnuMainFileNewLabel", "新建(&N)", 1},
        {"mnuMainFileOpen", "打开(&O)...", 1},
        {"mnuMainFileSaveAs", "另存为(&S)...", 1},
        {"mnuLinelasdagq", "-", 1},
        {"mnuMainFilePageSet", "页面设置(&U)...", 1},
        {"mnuMainFilePrint", "打印(&P)...", 1},
        {"mnuMainFilePrintPreView", "打印预览(&V)...", 1},
        {"mnuLineladsgfaegq", "-", 1},
        {"mnuMainFileProperty", "属性(&R)", 1},
        {"mnuMainFileOffLine", "脱机工作(&W)", 1},
        {"mnuMainFileExit", "关闭(&C)", 1},
        {"mnuMainEdit", "编辑(&E)", 0},
        {"mnuMainEditCut", "剪切(&T)", 1},
        {"mnuMainEditCopy", "复制(&C)", 1},
        {"mnuMainEditPaste", "粘贴(&P)", 1},
        {"mnuLineawegallksa", "-", 1},
        {"mnuMainEditSelectAll", "全选(&A)", 1},
        {"mnuMainEditFind", "查找(在当前页)(&F)", 1},
        {"mnuMainView", "查看(&V)", 0},
        {"mnuMainViewGoHomePage", "主页(&H)", 1},
        {"mnuLinekkkkasdga", "-", 1},
        {"mnuMainViewGoBack", "后退(&B)", 1},
        {"mnuMainViewGoForword", "向前(&F)", 1},
        {"mnuMainViewStop", "停止(&P)", 1},
        {"mnuMainViewRefresh", "刷新(&R)", 1},
        {"mnuLinedadsgf", "-", 1},
        {"mnuMainViewSourceCode", "查看源文件(&O)", 1},
        {"mnuMainFavorite", "收藏夹(&A)", 0},
        {"mnuMainFavoriteAdd", "添加到收藏夹", 1},
        {"mnuMainFavoriteModify", "整理收藏夹", 1},
        {"mnuLinedasgghh", "-", 1},
        {"mnuMainFavoriteUser(0)", "用户链接...", 1},
        {"mnuMainTool", "工具(&T)", 0},
        {"mnuMainToolHistoryClearExplorer", "清除历史记录", 1},
        {"mnuLinekibf", "-", 1},
        {"mnuMainToolEXENotepad", "记事本", 1},
        {"mnuMainToolEXEExplorer", "资源浏览器", 1},
        {"mnuLinekdiggg", "-", 1},
        {"mnuMainToolInternetOption", "Internet 选项", 1},
        {"mnuMainHelp", "帮助(&H)", 0},
        {"mnuMainHelpSoftPage", "浏览器主页(&H)", 1},
        {"mnuLinekop", "-", 1},
        {"mnuMainHelpAbout", "关于(&A)...", 1},
    };
    return tree;
}

BuiltMenus buildMenuBar(QMenuBar* bar) {
    BuiltMenus built;
    QMenu* current = nullptr;
    for (const MenuItemSpec& spec : menuTree()) {
        const QString name = QString::fromUtf8(spec.name);
        const QString caption = QString::fromUtf8(spec.caption);
        if (spec.level == 0) {
            current = bar->addMenu(caption);
            current->setObjectName(name);
            current->menuAction()->setObjectName(name);
            built.menus.insert(name, current);
            continue;
        }
        QAction* action =
            caption == QLatin1String("-") ? current->addSeparator() : current->addAction(caption);
        action->setObjectName(name);
        if (name == QLatin1String("mnuMainFileOffLine"))
            action->setCheckable(true);
        if (name == kFavoriteUserTemplate)
            action->setVisible(false);
        built.items.insert(name, action);
    }
    return built;
}
