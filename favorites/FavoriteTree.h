#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One favorite of the menu: an element of mnuMainFavoriteUser. Bookmarks read from another
// browser's file are favorites too, named by their titles, with no index or caption yet.
struct FavoriteEntry {
    int index = 0;   // element index, 1 and up, in creation order
    QString caption; // shortened display name
    QString url;     // the address exactly as read from its shortcut file
    QString name;    // the whole name: the file's name without its ".url" ending
};

// A folder of favorites: its files first, then its sub-folders, each in listing order.
struct FavoriteFolder {
    QString caption;
    QList<FavoriteEntry> entries;
    QList<FavoriteFolder> folders;
    QString name; // the whole name

    bool isEmpty() const { return entries.isEmpty() && folders.isEmpty(); }
};

// The display name of a shortcut file: its name with every ".url" removed (lower-case only).
QString favoriteDisplayName(const QString& fileName);
// The whole name of a shortcut file: its name without a ".url" ending (in any letter case), as
// it is written again on import.
QString favoriteName(const QString& fileName);

// A name as a folder lists it: the native bytes and their text (UTF-8, else GBK).
struct ListedName {
    QString name;
    QString key; // what the listing order compares
    QByteArray native;
};
// The order Windows lists an NTFS folder in: by upper-case name, whatever order the file
// system hands them out in.
QList<ListedName> inListingOrder(const QList<QByteArray>& names);
