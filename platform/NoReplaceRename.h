#pragma once

#include <QString>
#include <filesystem>

// The file system's rename that refuses to replace (renameat2 with RENAME_NOREPLACE), as a
// parameter so that tests can stand in for a file system without it.
using RenameAt2 = int (*)(int, const char*, int, const char*, unsigned int);

// Gives the entry at `from` the name `to` without ever replacing what is at `to`. File systems
// that refuse the flag (NFS, eCryptfs, many FUSE ones answer EINVAL) get a hard link at the
// new name and then lose the old one; a folder cannot be moved there. False with errno set
// when nothing was renamed.
bool renameNoReplace(const QString& from, const QString& to, RenameAt2 rename = nullptr);
// The same for native paths, whose names need not be UTF-8.
bool renameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to,
                     RenameAt2 rename = nullptr);

// Why a file operation failed, in words for the person (errno).
QString fileErrorText(int error);
