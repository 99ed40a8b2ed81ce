#pragma once

#include "platform/ShellFolders.h"

// The favorites folder is $XDG_DATA_HOME/tarnvale/Favorites, created when first asked for.
class XdgShellFolders final : public ShellFolders {
public:
    Lookup folderPath(int csidl) override;
    static QString favoritesPath();
};
