// A page's back and forward list, read from the engine and handed back to it.
#include "engine/WebEnginePage.h"
#include "engine/WebEnginePageView.h"

#include <QDataStream>
#include <QIODevice>
#include <QWebEngineHistory>

PageHistory WebEnginePageView::pageHistory() const {
    PageHistory result;
    QWebEngineHistory* history = m_page->history();
    for (const QWebEngineHistoryItem& item : history->items())
        result.urls << item.url().toString(QUrl::FullyEncoded);
    if (result.urls.isEmpty())
        return result;
    result.current = history->currentItemIndex();
    QDataStream out(&result.viewState, QIODevice::WriteOnly);
    out << *history;
    return result;
}

// The engine's reader is handed only what this build of the engine wrote (the session file
// makes sure of that). A list of addresses alone cannot be handed over: entries without their
// page states open as blank pages.
void WebEnginePageView::restoreHistory(const PageHistory& restored) {
    if (restored.current < 0 || restored.current >= restored.urls.size())
        return;
    if (!restored.viewState.isEmpty()) {
        QDataStream in(restored.viewState);
        in >> *m_page->history();
        // An accepted list comes in contents of their own, as an opened window's do; a refused
        // one leaves the page as it was.
        if (m_page->history()->count() > 0)
            adoptedContents();
    }
    if (m_page->history()->count() == 0)
        Navigate(restored.urls.at(restored.current));
    reportHistoryState();
}
