#pragma once

#include <QString>

// Where the shell keeps the user's special folders.
class ShellFolders {
public:
    // Identifier of the favorites folder.
    static constexpr int CSIDL_FAVORITES = 6;

    struct Lookup {
        QString path;        // without a trailing separator; empty on failure
        int errorNumber = 0; // errno-style code on failure
        QString description;
    };

    virtual ~ShellFolders() = default;
    virtual Lookup folderPath(int csidl) = 0;
};
