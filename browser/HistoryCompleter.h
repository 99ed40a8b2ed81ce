#pragma once

#include <QCompleter>

class QLineEdit;
class QStringListModel;
class UrlHistory;

// Completes a text box from the URL history. The list is read again whenever the box gains
// the focus, and while it has the focus whenever this process changes the history, so
// clearing the history empties the suggestions of every box.
class HistoryCompleter final : public QCompleter {
    Q_OBJECT
public:
    HistoryCompleter(UrlHistory* history, QLineEdit* box);

    static constexpr int kMaxSuggestions = 500;

    void reload();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    UrlHistory* m_history;
    QStringListModel* m_model;
};
