#pragma once

#include "favorites/BookmarkReading.h"

#include <QByteArray>

// The "Bookmarks" file of Chrome, Edge and the other Chromium browsers: a JSON object whose
// "roots" hold the folders "bookmark_bar", "other" and "synced"; each node has a "type"
// ("url" or "folder"), a "name", and a "url" or its "children". The three roots become the
// folders 书签栏, 其他书签 and 移动设备书签 (an empty root none).

// Whether the bytes are JSON with "roots" (checked roughly; the reader decides).
bool looksLikeChromiumBookmarks(const QByteArray& bytes);

BookmarkReading readChromiumBookmarks(const QByteArray& bytes);
