#pragma once

#include "favorites/FavoriteTree.h"

#include <QListView>

// The favorites of one folder level, when there are too many for menu items, as a scrolling
// list inside the menu: it opens at once whatever the count (the list draws only the rows in
// sight), and a click or Enter on a row opens that favorite.
class FavoritesList final : public QListView {
    Q_OBJECT
public:
    FavoritesList(const QList<FavoriteEntry>& entries, QWidget* parent = nullptr);

    static constexpr int kVisibleRows = 20;

Q_SIGNALS:
    void chosen(int index, const QString& url);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void choose(const QModelIndex& row);

    QList<FavoriteEntry> m_entries;
};
