#pragma once

#include <QString>
#include <filesystem>

// What the add and organize dialogs do on disk below the favorites folder (the root). Nothing
// follows a symbolic link out of the root, and nothing replaces an existing entry: a link is
// renamed, moved or deleted as the link itself. Paths are native, as the folder lists them: a
// name copied from Windows may be GBK. Each returns false when it refused or the file system
// did; nothing is then half done.
namespace favoriteFiles {

// Whether the folder, with every link on the way resolved, is the root or lies below it.
bool folderIsInside(const std::filesystem::path& folder, const std::filesystem::path& root);
// A name that can stand for one entry of a folder: no "/", not "." or "..", not empty.
bool isPlainName(const QString& name);
// A refusal for the person ("无法删除“x”"), with the file system's reason (errno) when it gave
// one: "无法删除“x”（没有权限）。"
QString refusal(const QString& what, int error);

bool remove(const std::filesystem::path& path, const std::filesystem::path& root);
bool rename(const std::filesystem::path& path, const QString& newName,
            const std::filesystem::path& root);
bool moveInto(const std::filesystem::path& path, const std::filesystem::path& folder,
              const std::filesystem::path& root);
bool createFolder(const std::filesystem::path& parent, const QString& name,
                  const std::filesystem::path& root);

} // namespace favoriteFiles
