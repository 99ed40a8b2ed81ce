// What a browser window tells the session keeper, and the windows it brings back.
#include "browser/frmMain.h"

#include "browser/SessionKeeper.h"

#include <QAction>

void frmMain::connectSession() {
    SessionKeeper* session = m_services.session;
    // Titles change often and matter little; a new address or list is worth a write.
    connect(webMain, &PageView::locationChanged, session, &SessionKeeper::scheduleSave);
    connect(webMain, &PageView::DocumentComplete, session, &SessionKeeper::scheduleSave);
    const auto offerReopen = [this, session] {
        mnuMainFileReopen->setEnabled(session->hasClosed());
    };
    connect(session, &SessionKeeper::closedChanged, this, offerReopen);
    offerReopen();
}

PageHistory frmMain::windowHistory() const {
    PageHistory history = webMain->pageHistory();
    const QString loading = webMain->LocationURL();
    if (history.urls.isEmpty() && !loading.isEmpty())
        history = {{loading}, 0, {}};
    return history;
}

frmMain* frmMain::ReopenWindow(const Services& services, const PageHistory& history) {
    auto* window = new frmMain(services);
    window->m_restore = history;
    window->mstrURLNewWindow = history.urls.value(history.current);
    window->Show();
    if (window->m_closed)
        return nullptr;
    window->activateWindow();
    return window;
}

// Disabled while there is nothing to reopen, so the menu says so before it is chosen.
void frmMain::mnuMainFileReopen_Click() {
    if (const auto closed = m_services.session->takeClosed())
        ReopenWindow(m_services, *closed);
}
