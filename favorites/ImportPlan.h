#pragma once

#include "favorites/FavoriteTree.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// What an import writes into the favorites folder, decided whole before anything is written.
// Paths are relative to the favorites folder, with "/" between names.
struct ImportPlan {
    struct Shortcut {
        QString path;    // the shortcut file: folder, name, ".url"
        QString address; // as the shortcut holds it
    };
    QString error;             // not empty: the import cannot be done, and nothing is written
    QStringList folders;       // to make, each after its parent
    QList<Shortcut> shortcuts; // to write
    int skipped = 0;           // bookmarks that are no web address, or are there already
};

// What a path names in the favorites folder now, as far as an import needs to know.
struct ExistingEntry {
    enum class Kind { None, Folder, Other };
    Kind kind = Kind::None;
    QString address; // Other: the address it holds, when it is a shortcut
};
using ExistingLookup = std::function<ExistingEntry(const QString& relativePath)>;

// The bookmarks, each folder a sub-folder, go into the folder `into` (one name; empty: the
// favorites folder itself). Names come from titles as Add makes them. A folder of the same name
// is used as it is; a shortcut of the same name and address is there already and skipped, one
// with another address makes the name "名称 (2)", then (3)...; a name taken by anything else
// (a file, a link) is numbered too. Only web addresses come in; the rest are skipped.
ImportPlan planImport(const FavoriteFolder& bookmarks, const QString& into,
                      const ExistingLookup& existing);

// The longest path below the favorites folder an import makes, in bytes: room for the
// favorites folder's own path within the system's 4,096.
constexpr qsizetype kMaxImportPathBytes = 3072;
