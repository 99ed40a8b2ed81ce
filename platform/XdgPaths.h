#pragma once

#include <QString>

// The XDG base folders, read from the environment on every call so that tests (and a second
// profile) can point them elsewhere. Relative values are ignored, as the XDG rules require.
namespace xdg {
QString configHome();     // $XDG_CONFIG_HOME or ~/.config
QString firstConfigDir(); // first of $XDG_CONFIG_DIRS or /etc/xdg
QString dataHome();       // $XDG_DATA_HOME or ~/.local/share
QString cacheHome();      // $XDG_CACHE_HOME or ~/.cache
QString runtimeDir();     // $XDG_RUNTIME_DIR, or empty when it is not set

// <base>/tarnvale, the folder of this program below one of the bases above.
QString appFolder(const QString& base);
} // namespace xdg
