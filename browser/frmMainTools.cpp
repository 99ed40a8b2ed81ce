// The Tools and Help menus, View Source and File Open of a browser window.
#include "frmMain.h"

#include "ExternalTools.h"
#include "MessageBoxes.h"
#include "PageView.h"
#include "ViewSource.h"
#include "frmOpen.h"
#include "modHistory.h"

void frmMain::mnuMainFileOpen_Click() {
    frmOpen::ShowShared(m_services);
}

void frmMain::mnuMainViewSourceCode_Click() {
    if (m_services.launcher)
        ShowPageSource(*webMain, *m_services.launcher, this);
}

void frmMain::mnuMainToolHistoryClearExplorer_Click() {
    if (!m_services.messageBoxes || !m_services.urlCache)
        return;
    if (!m_services.messageBoxes->askYesNo(this, QStringLiteral("提示"),
                                           QStringLiteral("确实要删除所有IE记录吗？"),
                                           MessageBoxes::Icon::Question))
        return;
    ClearHistory(*m_services.urlCache, *m_services.messageBoxes, this);
}

void frmMain::mnuMainToolEXENotepad_Click() {
    if (m_services.launcher)
        StartNotepad(*m_services.launcher);
}

void frmMain::mnuMainToolEXEExplorer_Click() {
    if (m_services.launcher)
        StartExplorer(*m_services.launcher);
}

void frmMain::mnuMainToolInternetOption_Click() {
    if (m_services.launcher)
        StartInternetOptions(*m_services.launcher);
}

void frmMain::mnuMainHelpSoftPage_Click() {
    DoAddNewWindow(kSoftwareHomePage + QLatin1Char('/'));
}

void frmMain::mnuMainHelpAbout_Click() {
    if (m_services.messageBoxes)
        m_services.messageBoxes->inform(this, QStringLiteral("关于..."), AboutText(),
                                        MessageBoxes::Icon::Information);
}
