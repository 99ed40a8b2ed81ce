// What a browser window does when its page view raises an event, and the tool bar clicks.
#include "browser/frmMain.h"

#include "browser/ImageButton.h"
#include "browser/TextBox.h"
#include "core/modMain.h"
#include "platform/AddressText.h"
#include "platform/PageView.h"
#include "platform/PlainText.h"
#include "platform/Yield.h"

#include <QLineEdit>
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
    setWindowTitle(plainText::cut(plainText::withoutDirectionControls(text)) + gstrTitleSuffix);
    if (!isUserTyping())
        webMain->setFocus(Qt::OtherFocusReason);
}

void frmMain::webMain_BeforeNavigate2() {
    const Busy busy(this);
    yieldToPendingEvents();
}

void frmMain::webMain_NewWindow2(PageView** ppDisp) {
    const Busy busy(this);
    // The new window loads completely (settings, favorites) before the engine hands it the
    // requested page; closed meanwhile, it takes none. The engine waits inside its request,
    // and crashes if the page's new contents meanwhile see other events or a page of the
    // window's own (the opener may already have written into them): no start page, no yields.
    const YieldsHeld held;
    auto* window = new frmMain(m_services);
    window->m_pageComing = true;
    window->Load();
    if (window->m_closed)
        return;
    if (ppDisp)
        *ppDisp = window->webMain;
    window->show();
}

void frmMain::webMain_DocumentComplete(const QString& url) {
    if (url.isEmpty())
        return;
    // Always the top-level address, whichever frame completed; never over what the user
    // typed into the box since the window last navigated.
    if (!txtURL->isModified()) {
        txtURL->setText(shownAddress(webMain->LocationURL()));
        if (focusWidget() == txtURL)
            txtURL->selectAll(); // typing replaces it, as after a click into the box
    }
    // The page of an address or search the user entered takes the focus; other pages do not
    // take it from a box the user is typing in.
    const bool enteredHere = m_navigatedFrom && focusWidget() == m_navigatedFrom;
    m_navigatedFrom = nullptr;
    if (enteredHere || !isUserTyping())
        webMain->setFocus(Qt::OtherFocusReason);
}

bool frmMain::isUserTyping() const {
    if (txtURL->isHeld() || txtSearch->isHeld())
        return true;
    // The page view's own boxes (its find bar) have the focus only when the user asked.
    QWidget* focus = focusWidget();
    return qobject_cast<QLineEdit*>(focus) && webMain->isAncestorOf(focus);
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
