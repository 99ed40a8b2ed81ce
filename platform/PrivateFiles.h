#pragma once

#include <QString>

// Folders and files of the user's own that other users on the machine may not read: history,
// page sources, the hand-over socket's folder.

// Makes the folder with its parents; every level this call makes is 0700. A folder that exists
// is left as the user set it. True when the folder is there afterwards.
bool makePrivateFolder(const QString& path);

// Whether the path is a folder (not a link) owned by this user that nobody else may enter:
// mode 0700 exactly.
bool isPrivateFolder(const QString& path);

// Makes the file empty with mode 0600 if it does not exist, so that whatever writes it later
// (SQLite, a QFile) keeps it private; an existing file loses its group and other permissions.
// A link or anything but a regular file there is left alone. True when a private regular file
// is there afterwards.
bool makePrivateFile(const QString& path);
