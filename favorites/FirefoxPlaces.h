#pragma once

#include "favorites/BookmarkReading.h"

#include <QByteArray>
#include <QString>

// Firefox's bookmarks database, places.sqlite in the profile folder, as Mozilla describes it
// ("The Places database"): the table moz_bookmarks holds folders (type 2), bookmarks (type 1,
// their address in the moz_places row that fk names) and separators (type 3), each under its
// parent in the order of its position; the root folders are known by their GUIDs. The menu,
// toolbar, other and mobile roots become the folders 书签菜单, 书签工具栏, 其他书签 and
// 移动设备书签 (an empty one none); tags are left out.

// Whether the bytes start as an SQLite database does.
bool looksLikeSqlite(const QByteArray& start);

// Read from a copy of the file and its write-ahead log, opened read-only: Firefox keeps the
// database locked while it runs, and its latest changes may still be in the log.
BookmarkReading readFirefoxPlaces(const QString& path);
