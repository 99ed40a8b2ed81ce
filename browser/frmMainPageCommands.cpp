// The page commands of the File and Edit menus: each hands one request to the page view.
#include "browser/frmMain.h"

#include "platform/PageView.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>

namespace {
struct PageCommand {
    QAction* frmMain::*item;
    int command;
};

const PageCommand kPageCommands[] = {
    {&frmMain::mnuMainFileSaveAs, PageView::OLECMDID_SAVEAS},
    {&frmMain::mnuMainFilePrint, PageView::OLECMDID_PRINT},
    {&frmMain::mnuMainFilePrintPreView, PageView::OLECMDID_PRINTPREVIEW},
    {&frmMain::mnuMainFilePageSet, PageView::OLECMDID_PAGESETUP},
    {&frmMain::mnuMainFileProperty, PageView::OLECMDID_PROPERTIES},
    {&frmMain::mnuMainEditCut, PageView::OLECMDID_CUT},
    {&frmMain::mnuMainEditCopy, PageView::OLECMDID_COPY},
    {&frmMain::mnuMainEditPaste, PageView::OLECMDID_PASTE},
    {&frmMain::mnuMainEditSelectAll, PageView::OLECMDID_SELECTALL},
};
} // namespace

void frmMain::connectPageCommands() {
    for (const PageCommand& row : kPageCommands) {
        const int command = row.command;
        connect(this->*row.item, &QAction::triggered, this,
                [this, command] { RunPageCommand(command); });
    }
    connect(mnuMainFileOffLine, &QAction::triggered, this, [this] {
        // The menu has already flipped the check mark; the handler flips it itself.
        mnuMainFileOffLine->setChecked(!mnuMainFileOffLine->isChecked());
        mnuMainFileOffLine_Click();
    });
}

void frmMain::RunPageCommand(int command) {
    webMain->ExecWB(command, PageView::OLECMDEXECOPT_DODEFAULT);
}

void frmMain::mnuMainFileOffLine_Click() {
    mnuMainFileOffLine->setChecked(!mnuMainFileOffLine->isChecked());
    webMain->setOffline(mnuMainFileOffLine->isChecked());
    webMain->setSilent(mnuMainFileOffLine->isChecked());
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
