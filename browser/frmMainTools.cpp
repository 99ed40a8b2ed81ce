// The Tools and Help menus, View Source and File Open of a browser window.
#include "browser/frmMain.h"

#include "browser/SessionKeeper.h"
#include "browser/frmOpen.h"
#include "core/modMain.h"
#include "platform/AddressText.h"
#include "platform/MessageBoxes.h"
#include "platform/PageView.h"
#include "tools/ExternalTools.h"
#include "tools/InternetOptionsDialog.h"
#include "tools/ViewSource.h"
#include "tools/modHistory.h"

void frmMain::mnuMainFileOpen_Click() {
    frmOpen::ShowShared(m_services);
}

void frmMain::mnuMainViewSourceCode_Click() {
    ShowPageSource(*webMain, *m_services.launcher, *m_services.messageBoxes, this);
}

void frmMain::mnuMainToolHistoryClearExplorer_Click() {
    if (!m_services.messageBoxes->askYesNo(this, QStringLiteral("提示"),
                                           QStringLiteral("确实要删除所有IE记录吗？"),
                                           MessageBoxes::Icon::Question))
        return;
    ClearHistory(*m_services.urlCache, *m_services.messageBoxes, this);
    // The closed windows' lists are traces too; the open windows' stay as the pages do.
    m_services.session->forgetClosed();
}

void frmMain::mnuMainToolEXENotepad_Click() {
    StartNotepad(*m_services.launcher, *m_services.messageBoxes, this);
}

void frmMain::mnuMainToolEXEExplorer_Click() {
    StartExplorer(*m_services.launcher, *m_services.messageBoxes, this);
}

void frmMain::mnuMainToolInternetOption_Click() {
    const Busy busy(this); // the dialog lets other events run
    InternetOptionsDialog dialog({ReadStartPage(*m_services.registry, gstrStartPage),
                                  shortcutAddress(webMain->LocationURL()),
                                  m_services.userRegistryFile, m_services.options,
                                  m_services.messageBoxes,
                                  [this] {
                                      mnuMainToolHistoryClearExplorer_Click();
                                  }},
                                 this);
    // Home goes to the new start page at once, in every window, as a new window's load would
    // make it.
    if (dialog.exec() == QDialog::Accepted && dialog.startPageWritten())
        InitSettings(*m_services.registry);
}

void frmMain::mnuMainHelpSoftPage_Click() {
    DoAddNewWindow(kSoftwareHomePage + QLatin1Char('/'));
}

void frmMain::mnuMainHelpAbout_Click() {
    m_services.messageBoxes->inform(this, QStringLiteral("关于..."), AboutText(),
                                    MessageBoxes::Icon::Information);
}
