#include "platform/testing/FakeShellFolders.h"

ShellFolders::Lookup FakeShellFolders::folderPath(int csidl) {
    ++lookups;
    if (csidl != CSIDL_FAVORITES || favorites.isEmpty())
        return Lookup{QString(), errorNumber, description};
    return Lookup{favorites, 0, QString()};
}
