#pragma once

#include "favorites/FavoriteTree.h"

#include <QHash>
#include <QObject>
#include <functional>
#include <optional>

class QAction;
class QMenu;

// The favorites entries of one window's Favorites menu, after its hidden template item:
// files as items named mnuMainFavoriteUser(N) with their address as data, sub-folders as
// sub-menus after them. A menu's items are made when it is about to show, so a rebuild of
// thousands of favorites costs every window nothing until its menu is opened. A folder level
// with more than kMaxMenuItems favorites shows them as one scrolling list instead (Qt's menus
// take time that grows with the square of their items, and nobody scrolls through thousands).
class FavoritesMenu final : public QObject {
    Q_OBJECT
public:
    using ClickHandler = std::function<void(int index, const QString& url)>;

    FavoritesMenu(QMenu* menu, QAction* templateItem, ClickHandler onClick);

    // Replaces the entries; shown at once when the menu is open, else when next opened.
    void setFavorites(const FavoriteFolder& folder);
    // The address of the entry with this element index, in sub-folders too.
    std::optional<QString> url(int index) const;

    static constexpr int kMaxMenuItems = 300;

private:
    void realize(QMenu* menu);
    void populate(QMenu* menu, const FavoriteFolder& folder);
    void clear();

    QMenu* m_menu;
    QAction* m_template;
    ClickHandler m_onClick;
    FavoriteFolder m_folder;
    QList<QAction*> m_entries; // what follows the template in the top menu
    // Menus whose items are still to be made, with the folder they show.
    QHash<QMenu*, const FavoriteFolder*> m_pending;
};
