#include "browser/HistoryCompleter.h"

#include "platform/AddressText.h"
#include "platform/UrlHistory.h"

#include <QEvent>
#include <QLineEdit>
#include <QStringListModel>

HistoryCompleter::HistoryCompleter(UrlHistory* history, QLineEdit* box)
    : QCompleter(box)
    , m_history(history)
    , m_model(new QStringListModel(this)) {
    setModel(m_model);
    setCaseSensitivity(Qt::CaseInsensitive);
    setFilterMode(Qt::MatchContains);
    setCompletionMode(QCompleter::PopupCompletion);
    setMaxVisibleItems(10);
    box->installEventFilter(this);
    // A box without the focus reads the list when it gains it: a window does not wait on the
    // history file before its first page, nor does every window read it on every visit.
    connect(history, &UrlHistory::changed, this, [this, box] {
        if (box->hasFocus())
            reload();
    });
    if (box->hasFocus())
        reload();
}

void HistoryCompleter::reload() {
    // As the address box shows them; one stored in an older form and again now is one entry.
    QStringList shown;
    for (const QString& url : m_history->recentUrls(kMaxSuggestions))
        shown << shownAddress(url);
    shown.removeDuplicates();
    m_model->setStringList(shown);
}

bool HistoryCompleter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        reload();
    return QCompleter::eventFilter(watched, event);
}
