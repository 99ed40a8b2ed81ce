#pragma once

#include <QList>
#include <QString>

// One favorite of the menu: an element of mnuMainFavoriteUser.
struct FavoriteEntry {
    int index = 0;   // element index, 1 and up, in creation order
    QString caption; // shortened display name
    QString url;     // the address exactly as read from its shortcut file
};

// A folder of favorites: its files first, then its sub-folders, each in listing order.
struct FavoriteFolder {
    QString caption;
    QList<FavoriteEntry> entries;
    QList<FavoriteFolder> folders;

    bool isEmpty() const { return entries.isEmpty() && folders.isEmpty(); }
};

// The display name of a shortcut file: its name with every ".url" removed (lower-case only).
QString favoriteDisplayName(const QString& fileName);
