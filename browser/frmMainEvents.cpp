// What a browser window does when its page view raises an event, and the tool bar clicks.
#include "frmMain.h"

#include "ImageButton.h"
#include "PageView.h"
#include "TextBox.h"
#include "Yield.h"
#include "modMain.h"

#include <QPointer>

void frmMain::webMain_CommandStateChange(int command, bool enable) {
    if (command == PageView::CSC_NAVIGATEBACK)
        imgToolBar[kBack]->setEnabled(enable);
    if (command == PageView::CSC_NAVIGATEFORWARD)
        imgToolBar[kForward]->setEnabled(enable);
}

void frmMain::webMain_TitleChange(const QString& text) {
    // The engine's own "server not found" title never replaces the caption.
    if (text == QStringLiteral("找不到服务器"))
        return;
    setWindowTitle(text + gstrTitleSuffix);
    webMain->setFocus(Qt::OtherFocusReason);
}

void frmMain::webMain_BeforeNavigate2() {
    yieldToPendingEvents();
}

void frmMain::webMain_NewWindow2(PageView** ppDisp) {
    // The new window loads completely (settings, favorites, its start page) before the
    // engine hands it the requested page.
    auto* window = new frmMain(m_services);
    const QPointer<frmMain> guard(window);
    window->Load();
    if (!guard)
        return;
    if (ppDisp)
        *ppDisp = window->webMain;
    window->show();
}

void frmMain::webMain_DocumentComplete(const QString& url) {
    if (url.isEmpty())
        return;
    // Always the top-level address, whichever frame completed.
    txtURL->setText(webMain->LocationURL());
    webMain->setFocus(Qt::OtherFocusReason);
}

void frmMain::imgToolBar_Click(int index) {
    switch (index) {
    case kBack:
        mnuMainViewGoBack_Click();
        break;
    case kForward:
        mnuMainViewGoForword_Click();
        break;
    case kStop:
        mnuMainViewStop_Click();
        break;
    case kRefresh:
        mnuMainViewRefresh_Click();
        break;
    case kSearch:
        DoSearch();
        break;
    default:
        break;
    }
}
