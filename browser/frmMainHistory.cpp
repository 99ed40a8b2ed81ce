// The history window of a browser window.
#include "browser/frmMain.h"

#include "browser/HistoryWindow.h"

void frmMain::mnuMainViewHistory_Click() {
    if (!m_historyWindow) {
        m_historyWindow = new HistoryWindow(m_services.urlHistory, this);
        // An address from the history file is checked as a favorite's is.
        connect(m_historyWindow, &HistoryWindow::openRequested, this, [this](const QString& url) {
            if (CheckGivenAddress(url))
                NavigateTo(url);
        });
        m_historyWindow->move(frameGeometry().center() - m_historyWindow->rect().center());
    }
    m_historyWindow->show();
    m_historyWindow->raise();
    m_historyWindow->activateWindow();
}
