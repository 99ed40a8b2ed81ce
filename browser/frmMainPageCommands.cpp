// The page commands of the File and Edit menus: each hands one request to the page view.
#include "frmMain.h"

#include "PageView.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>

namespace {
struct PageCommand {
    const char* item;
    int command;
};

const PageCommand kPageCommands[] = {
    {"mnuMainFileSaveAs", PageView::OLECMDID_SAVEAS},
    {"mnuMainFilePrint", PageView::OLECMDID_PRINT},
    {"mnuMainFilePrintPreView", PageView::OLECMDID_PRINTPREVIEW},
    {"mnuMainFilePageSet", PageView::OLECMDID_PAGESETUP},
    {"mnuMainFileProperty", PageView::OLECMDID_PROPERTIES},
    {"mnuMainEditCut", PageView::OLECMDID_CUT},
    {"mnuMainEditCopy", PageView::OLECMDID_COPY},
    {"mnuMainEditPaste", PageView::OLECMDID_PASTE},
    {"mnuMainEditSelectAll", PageView::OLECMDID_SELECTALL},
};
} // namespace

void frmMain::connectPageCommands() {
    for (const PageCommand& spec : kPageCommands) {
        const int command = spec.command;
        connect(menuItem(QString::fromLatin1(spec.item)), &QAction::triggered, this,
                [this, command] { RunPageCommand(command); });
    }
    QAction* offline = menuItem(QStringLiteral("mnuMainFileOffLine"));
    connect(offline, &QAction::triggered, this, [this, offline] {
        // The menu has already flipped the check mark; the handler flips it itself.
        offline->setChecked(!offline->isChecked());
        mnuMainFileOffLine_Click();
    });
    connect(menuItem(QStringLiteral("mnuMainEditFind")), &QAction::triggered, this,
            &frmMain::mnuMainEditFind_Click);
}

void frmMain::RunPageCommand(int command) {
    webMain->ExecWB(command, PageView::OLECMDEXECOPT_DODEFAULT);
}

void frmMain::mnuMainFileOffLine_Click() {
    QAction* item = menuItem(QStringLiteral("mnuMainFileOffLine"));
    item->setChecked(!item->isChecked());
    webMain->setOffline(item->isChecked());
    webMain->setSilent(item->isChecked());
}

void frmMain::mnuMainEditFind_Click() {
    // Ctrl+F goes to whatever has the focus, without waiting for it to be handled: only the
    // page view answers it, with its own find bar.
    QWidget* target = QApplication::focusWidget();
    if (!target || target->window() != this)
        target = focusWidget();
    if (!target)
        return;
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, Qt::Key_F,
                                                      Qt::ControlModifier, QStringLiteral("\x06")));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, Qt::Key_F,
                                                      Qt::ControlModifier, QStringLiteral("\x06")));
}
