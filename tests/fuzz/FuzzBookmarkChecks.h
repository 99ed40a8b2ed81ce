#pragma once

// What the fuzz targets for other browsers' bookmark files ask of one input: the reader stays
// within its bounds, and what an import would write is only web addresses under plain names.
#include "favorites/ChromiumBookmarks.h"
#include "favorites/ImportPlan.h"
#include "favorites/NetscapeBookmarks.h"
#include "platform/AddressText.h"
#include "platform/GbkText.h"

#include <QSet>

namespace fuzz {
// Folders and bookmarks; the deepest folder's depth.
inline int countItems(const FavoriteFolder& folder, int depth, int& deepest) {
    deepest = qMax(deepest, depth);
    int items = int(folder.entries.size() + folder.folders.size());
    for (const FavoriteFolder& child : folder.folders)
        items += countItems(child, depth + 1, deepest);
    return items;
}

inline bool sameTree(const FavoriteFolder& a, const FavoriteFolder& b) {
    if (a.name != b.name || a.entries.size() != b.entries.size() ||
        a.folders.size() != b.folders.size())
        return false;
    for (qsizetype i = 0; i < a.entries.size(); ++i) {
        if (a.entries[i].name != b.entries[i].name || a.entries[i].url != b.entries[i].url)
            return false;
    }
    for (qsizetype i = 0; i < a.folders.size(); ++i) {
        if (!sameTree(a.folders[i], b.folders[i]))
            return false;
    }
    return true;
}

// A path of names that each name one visible file or folder in its folder, and fit on disk.
inline bool plainPath(const QString& path) {
    if (path.toUtf8().size() > kMaxImportPathBytes)
        return false;
    for (const QString& name : path.split(QLatin1Char('/'))) {
        if (name.isEmpty() || name.startsWith(QLatin1Char('.')) || name.contains(QChar(0)) ||
            name.toUtf8().size() > 255 || QString::fromUtf8(name.toUtf8()) != name)
            return false;
    }
    return true;
}

inline bool planIsSound(const BookmarkReading& reading) {
    if (!reading.error.isEmpty())
        return reading.tree.isEmpty();
    int deepest = 0;
    const int items = countItems(reading.tree, 0, deepest);
    if (items > bookmarkLimits::kMaxItems || deepest > bookmarkLimits::kMaxDepth)
        return false;
    const ImportPlan plan = planImport(reading.tree, QStringLiteral("导入的收藏"),
                                       [](const QString&) { return ExistingEntry(); });
    if (!plan.error.isEmpty())
        return plan.folders.isEmpty() && plan.shortcuts.isEmpty();
    if (plan.folders.size() + plan.shortcuts.size() + plan.skipped > items + 1)
        return false;
    QSet<QString> paths;
    for (const QString& folder : plan.folders) {
        if (!plainPath(folder) || paths.contains(folder))
            return false;
        paths.insert(folder);
    }
    for (const ImportPlan::Shortcut& shortcut : plan.shortcuts) {
        if (!plainPath(shortcut.path) || !shortcut.path.endsWith(QLatin1String(".url")) ||
            paths.contains(shortcut.path) || !isWebAddress(shortcut.address) ||
            !gbkCanHold(shortcut.address) ||
            toGbk(shortcut.address).size() > 3 * bookmarkLimits::kMaxAddressBytes)
            return false;
        paths.insert(shortcut.path);
    }
    return true;
}
} // namespace fuzz

// Any bytes as a bookmark file: a sound import, and a tree that, written as a bookmark file,
// reads back the same.
inline bool checkBookmarksHtml(const QByteArray& bytes) {
    const BookmarkReading reading = readNetscapeBookmarks(bytes);
    if (!fuzz::planIsSound(reading))
        return false;
    if (!reading.error.isEmpty())
        return true;
    const BookmarkReading again = readNetscapeBookmarks(writeNetscapeBookmarks(reading.tree));
    return again.error.isEmpty() && fuzz::sameTree(again.tree, reading.tree);
}

// Any bytes as a Chromium "Bookmarks" file: a sound import.
inline bool checkBookmarksJson(const QByteArray& bytes) {
    return fuzz::planIsSound(readChromiumBookmarks(bytes));
}
