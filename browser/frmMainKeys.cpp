// The keys a browser user expects, as window shortcuts beside the menus (whose captions stay
// without shortcut text), and the mouse's back and forward buttons (the page handles its own).
#include "frmMain.h"

#include "TextBox.h"

#include <QAction>
#include <QMouseEvent>
#include <QShortcut>

namespace {
// Keys that do exactly what a menu item does.
struct MenuKeys {
    const char* item;
    QList<QKeySequence> keys;
};

const MenuKeys kMenuKeys[] = {
    {"mnuMainViewRefresh", {Qt::Key_F5, Qt::CTRL | Qt::Key_R}},
    {"mnuMainViewGoBack", {Qt::ALT | Qt::Key_Left}},
    {"mnuMainViewGoForword", {Qt::ALT | Qt::Key_Right}},
    {"mnuMainViewGoHomePage", {Qt::ALT | Qt::Key_Home}},
    {"mnuMainFileNewLabel", {Qt::CTRL | Qt::Key_N}},
    {"mnuMainFileOpen", {Qt::CTRL | Qt::Key_O}},
    {"mnuMainFileExit", {Qt::CTRL | Qt::Key_W}},
    {"mnuMainFavoriteAdd", {Qt::CTRL | Qt::Key_D}},
    {"mnuMainFileSaveAs", {Qt::CTRL | Qt::Key_S}},
    {"mnuMainFilePrint", {Qt::CTRL | Qt::Key_P}},
    {"mnuMainViewSourceCode", {Qt::CTRL | Qt::Key_U}},
};
} // namespace

// Window shortcuts act only while the window itself is active, so never behind a modal
// dialog. Esc stops the page from inside it (see connectPageView), so that pages get it too.
void frmMain::createShortcuts() {
    for (const MenuKeys& row : kMenuKeys) {
        QAction* item = menuItem(QString::fromLatin1(row.item));
        auto* shortcut = new QShortcut(this);
        shortcut->setKeys(row.keys);
        connect(shortcut, &QShortcut::activated, item, &QAction::trigger);
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
