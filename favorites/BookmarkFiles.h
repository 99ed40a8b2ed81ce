#pragma once

#include "favorites/BookmarkReading.h"

#include <QString>

// The bookmarks of a file another browser wrote, whatever its kind: a bookmark file
// (bookmarks.html), a Chromium "Bookmarks" file or Firefox's places.sqlite, told apart by
// their content. A file of another kind, too large, unreadable or damaged gives the reason.
BookmarkReading readBookmarkFile(const QString& path);

// The largest bookmark file read: every bookmark with its icon inlined, for a hundred thousand
// bookmarks. A Chromium file holds no icons.
constexpr qint64 kMaxBookmarkHtmlBytes = 256 * 1024 * 1024;
constexpr qint64 kMaxBookmarkJsonBytes = 64 * 1024 * 1024;
