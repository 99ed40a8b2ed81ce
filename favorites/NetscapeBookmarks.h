#pragma once

#include "favorites/BookmarkReading.h"

#include <QByteArray>

// The Netscape bookmark file (bookmarks.html), as every browser exports it and as Microsoft
// describes it ("Netscape Bookmark File Format"): <DT><H3>folder</H3> followed by the folder's
// <DL>...</DL>, and <DT><A HREF="address">title</A> for a bookmark; separators (<HR>),
// descriptions (<DD>) and the other attributes are left out.

// Whether the bytes start as a bookmark file does (its DOCTYPE).
bool looksLikeNetscapeBookmarks(const QByteArray& bytes);

// The bookmarks of the file, in the character set its META tag declares; without one, UTF-8
// when the bytes are valid UTF-8 and GBK otherwise. A file that ends inside a tag, a title or
// a folder (a <DL> never closed) is refused as truncated.
BookmarkReading readNetscapeBookmarks(const QByteArray& bytes);

// A UTF-8 bookmark file of the tree: each folder nested, bookmarks by their names and
// addresses as given.
QByteArray writeNetscapeBookmarks(const FavoriteFolder& tree);
