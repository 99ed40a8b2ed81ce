// The keys a browser user expects, as window shortcuts beside the menus (whose captions stay
// without shortcut text), and the mouse's back and forward buttons (the page handles its own).
#include "browser/frmMain.h"

#include "browser/TextBox.h"

#include <QAction>
#include <QMouseEvent>
#include <QShortcut>

namespace {
// Keys that do exactly what a menu item does.
struct MenuKeys {
    QAction* frmMain::*item;
    QList<QKeySequence> keys;
};

const MenuKeys kMenuKeys[] = {
    {&frmMain::mnuMainViewRefresh, {Qt::Key_F5, Qt::CTRL | Qt::Key_R}},
    {&frmMain::mnuMainViewGoBack, {Qt::ALT | Qt::Key_Left}},
    {&frmMain::mnuMainViewGoForword, {Qt::ALT | Qt::Key_Right}},
    {&frmMain::mnuMainViewGoHomePage, {Qt::ALT | Qt::Key_Home}},
    {&frmMain::mnuMainFileNewLabel, {Qt::CTRL | Qt::Key_N}},
    {&frmMain::mnuMainFileOpen, {Qt::CTRL | Qt::Key_O}},
    {&frmMain::mnuMainFileExit, {Qt::CTRL | Qt::Key_W}},
    {&frmMain::mnuMainFileReopen, {Qt::CTRL | Qt::SHIFT | Qt::Key_T}},
    {&frmMain::mnuMainViewHistory, {Qt::CTRL | Qt::Key_H}},
    {&frmMain::mnuMainFavoriteAdd, {Qt::CTRL | Qt::Key_D}},
    {&frmMain::mnuMainFileSaveAs, {Qt::CTRL | Qt::Key_S}},
    {&frmMain::mnuMainFilePrint, {Qt::CTRL | Qt::Key_P}},
    {&frmMain::mnuMainViewSourceCode, {Qt::CTRL | Qt::Key_U}},
    {&frmMain::mnuMainViewZoomIn, {Qt::CTRL | Qt::Key_Equal, Qt::CTRL | Qt::Key_Plus}},
    {&frmMain::mnuMainViewZoomOut, {Qt::CTRL | Qt::Key_Minus}},
    {&frmMain::mnuMainViewZoomReset, {Qt::CTRL | Qt::Key_0}},
    {&frmMain::mnuMainViewFullScreen, {Qt::Key_F11}},
};
} // namespace

// Window shortcuts act only while the window itself is active, so never behind a modal
// dialog. Esc stops the page from inside it (see connectPageView), so that pages get it too.
void frmMain::createShortcuts() {
    for (const MenuKeys& row : kMenuKeys) {
        auto* shortcut = new QShortcut(this);
        shortcut->setKeys(row.keys);
        connect(shortcut, &QShortcut::activated, this->*row.item, &QAction::trigger);
    }
    auto* address = new QShortcut(this);
    address->setKeys({Qt::CTRL | Qt::Key_L, Qt::Key_F6, Qt::ALT | Qt::Key_D});
    connect(address, &QShortcut::activated, this, [this] { focusBox(txtURL); });
    auto* search = new QShortcut(this);
    search->setKeys({Qt::CTRL | Qt::Key_K, Qt::CTRL | Qt::Key_E});
    connect(search, &QShortcut::activated, this, [this] { focusBox(txtSearch); });
}

void frmMain::focusBox(TextBox* box) {
    box->setFocus(Qt::ShortcutFocusReason);
    box->selectAll();
}

void frmMain::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::BackButton)
        mnuMainViewGoBack_Click();
    else if (event->button() == Qt::ForwardButton)
        mnuMainViewGoForword_Click();
    else
        QMainWindow::mousePressEvent(event);
}
