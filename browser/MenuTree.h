#pragma once

#include <QHash>
#include <QString>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

// One row of the window's menu tree, in display order. Level 0 rows are the menus of the
// bar; level 1 rows are their items. A caption of "-" is a separator.
struct MenuItemSpec {
    const char* name;
    const char* caption;
    int level;
};

const std::vector<MenuItemSpec>& menuTree();

// The hidden template element behind which the favorites entries are placed.
extern const QString kFavoriteUserTemplate;

struct BuiltMenus {
    QHash<QString, QMenu*> menus;   // level 0, by name
    QHash<QString, QAction*> items; // level 1, separators included, by name
};

// Fills the bar from the table: captions with their access keys, no shortcuts, nothing
// checked or disabled; only the favorites template is hidden; Work Offline is checkable.
BuiltMenus buildMenuBar(QMenuBar* bar);
