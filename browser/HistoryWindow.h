#pragma once

#include <QWidget>

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class UrlHistory;

// 历史记录: the visited pages by day, with a search box for titles and addresses. Enter or a
// double click asks for an entry to open in the browser window the list belongs to; Del
// removes the address from the history, and so from every address box's suggestions; Esc
// closes it. The list follows the history as it changes.
class HistoryWindow final : public QWidget {
    Q_OBJECT
public:
    HistoryWindow(UrlHistory* history, QWidget* owner);
    Q_DISABLE_COPY_MOVE(HistoryWindow)

    QLineEdit* txtFind = nullptr;
    QTreeWidget* lstHistory = nullptr;

Q_SIGNALS:
    void openRequested(const QString& url);

private:
    void reload();
    void openItem(QTreeWidgetItem* item);
    void removeCurrent();

    UrlHistory* m_history;
};
