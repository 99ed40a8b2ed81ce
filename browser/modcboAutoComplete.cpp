#include "browser/modcboAutoComplete.h"

#include "browser/HistoryCompleter.h"

#include <QLineEdit>

void EnableAutoComplete(QLineEdit* box, int dwFlags, UrlHistory* history) {
    if (!box || !history || !(dwFlags & SHACF_URLHISTORY))
        return;
    box->setCompleter(new HistoryCompleter(history, box));
}
