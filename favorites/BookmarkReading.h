#pragma once

#include "favorites/FavoriteTree.h"

#include <QString>

// What a reader of another browser's bookmarks found: a tree of favorites named by the
// bookmarks' titles, with their addresses as the file gives them (any scheme; the import
// decides what comes in), or why nothing was read.
struct BookmarkReading {
    FavoriteFolder tree;
    QString error; // empty when the file was read
};

// The bounds every reader keeps, so that a hostile file costs time and memory in proportion to
// its size and no more. A file past them is refused whole.
namespace bookmarkLimits {
constexpr int kMaxDepth = 32;         // folders inside folders
constexpr int kMaxItems = 100000;     // folders and bookmarks
constexpr qsizetype kMaxTitle = 1000; // characters of a title kept
// A longer address could not be read back from a shortcut (a file over 64 KiB is none even
// with every character percent-encoded); such a bookmark is skipped.
constexpr qsizetype kMaxAddressBytes = 16 * 1024;
} // namespace bookmarkLimits

// Builds the tree as a reader meets folders and bookmarks, within the bounds: a call that
// passes them sets the error and returns false, and the reader stops.
class BookmarkTreeBuilder final {
public:
    BookmarkTreeBuilder();
    Q_DISABLE_COPY_MOVE(BookmarkTreeBuilder)

    bool openFolder(const QString& title);
    void closeFolder();
    bool addBookmark(const QString& title, const QString& address);
    // Ends the reading with this error (the tree is dropped).
    bool fail(const QString& error);
    int depth() const { return int(m_open.size()) - 1; }
    bool failed() const { return !m_reading.error.isEmpty(); }
    BookmarkReading take();

private:
    bool count();

    BookmarkReading m_reading;
    QList<FavoriteFolder*> m_open; // the root, then each open folder
    int m_items = 0;
};

// A title as it is kept: blanks and line breaks made single blanks, trimmed, and cut after
// kMaxTitle characters (never inside one).
QString bookmarkTitle(const QString& title);

// What a reader says of a file that ends too early, and of one nested too deep.
QString truncatedBookmarkFile();
QString tooDeepBookmarkFile();
