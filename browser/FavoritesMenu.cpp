#include "browser/FavoritesMenu.h"

#include "browser/FavoritesList.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QWidgetAction>

namespace {

// A name shows as it is: "&" is no access key here.
QString menuText(const QString& caption) {
    QString text = caption;
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

const QString kEntryPrefix = QStringLiteral("mnuMainFavoriteUser(");

QString entryName(int index) {
    return kEntryPrefix + QString::number(index) + QLatin1Char(')');
}
} // namespace

FavoritesMenu::FavoritesMenu(QMenu* menu, QAction* templateItem, ClickHandler onClick)
    : QObject(menu)
    , m_menu(menu)
    , m_template(templateItem)
    , m_onClick(std::move(onClick)) {
    // One connection serves every entry, those of sub-menus included.
    connect(menu, &QMenu::triggered, this, [this](QAction* action) {
        const QString name = action->objectName();
        if (name.startsWith(kEntryPrefix) && action != m_template)
            m_onClick(name.mid(kEntryPrefix.size()).chopped(1).toInt(), action->data().toString());
    });
    connect(menu, &QMenu::aboutToShow, this, [this] { realize(m_menu); });
    // Entries that do not fit the screen scroll, here and in every sub-menu; in columns, the
    // last ones would run off a small screen out of reach.
    menu->setStyleSheet(QStringLiteral("QMenu { menu-scrollable: 1; }"));
}

void FavoritesMenu::setFavorites(const FavoriteFolder& folder) {
    m_folder = folder;
    clear();
    m_pending.clear(); // the old sub-menus are on their way out
    m_pending.insert(m_menu, &m_folder);
    if (m_menu->isVisible())
        realize(m_menu);
}

std::optional<QString> FavoritesMenu::url(int index) const {
    QList<const FavoriteFolder*> pending{&m_folder};
    while (!pending.isEmpty()) {
        const FavoriteFolder* folder = pending.takeFirst();
        for (const FavoriteEntry& entry : folder->entries) {
            if (entry.index == index)
                return entry.url;
        }
        for (const FavoriteFolder& child : folder->folders)
            pending << &child;
    }
    return std::nullopt;
}

void FavoritesMenu::clear() {
    for (QAction* action : std::as_const(m_entries)) {
        m_menu->removeAction(action);
        // Deleted later (a click on it may still be on the stack): until then, unnamed.
        QObject* doomed = action->menu() ? static_cast<QObject*>(action->menu()) : action;
        const QList<QAction*> inside = doomed->findChildren<QAction*>();
        for (QAction* child : inside)
            child->setObjectName(QString());
        action->setObjectName(QString());
        doomed->deleteLater();
    }
    m_entries.clear();
}

void FavoritesMenu::realize(QMenu* menu) {
    const FavoriteFolder* folder = m_pending.take(menu);
    if (folder)
        populate(menu, *folder);
}

void FavoritesMenu::populate(QMenu* menu, const FavoriteFolder& folder) {
    QList<QAction*> added;
    added.reserve(folder.entries.size() + folder.folders.size());
    if (folder.entries.size() > kMaxMenuItems) {
        auto* list = new QWidgetAction(menu);
        auto* view = new FavoritesList(folder.entries);
        connect(view, &FavoritesList::chosen, this, [this](int index, const QString& url) {
            // As a click on a menu item does: every open menu closes first.
            while (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
            m_onClick(index, url);
        });
        list->setDefaultWidget(view);
        added << list;
    } else {
        for (const FavoriteEntry& entry : folder.entries) {
            auto* action = new QAction(menuText(entry.caption), menu);
            action->setObjectName(entryName(entry.index));
            action->setData(entry.url);
            added << action;
        }
    }
    for (const FavoriteFolder& child : folder.folders) {
        auto* sub = new QMenu(menuText(child.caption), menu);
        if (child.isEmpty()) {
            sub->addAction(QStringLiteral("(空)"))->setEnabled(false);
        } else {
            // The folder lives in m_folder until the next rebuild, which replaces this menu.
            m_pending.insert(sub, &child);
            connect(sub, &QMenu::aboutToShow, this, [this, sub] { realize(sub); });
        }
        added << sub->menuAction();
    }
    menu->addActions(added);
    if (menu == m_menu)
        m_entries = added;
}
