#pragma once

#include <QString>

// What the add and organize dialogs do on disk below the favorites folder (the root). Nothing
// follows a symbolic link out of the root, and nothing replaces an existing entry: a link is
// renamed, moved or deleted as the link itself. Each returns false when it refused or the file
// system did; nothing is then half done.
namespace favoriteFiles {

// Whether the folder, with every link on the way resolved, is the root or lies below it.
bool folderIsInside(const QString& folder, const QString& root);
// A name that can stand for one entry of a folder: no "/", not "." or "..", not empty.
bool isPlainName(const QString& name);

bool remove(const QString& path, const QString& root);
bool rename(const QString& path, const QString& newName, const QString& root);
bool moveInto(const QString& path, const QString& folder, const QString& root);
bool createFolder(const QString& parent, const QString& name, const QString& root);

} // namespace favoriteFiles
