#pragma once

#include "platform/ShellFolders.h"

// Answers with a given favorites folder, or fails with a given error when none is set.
class FakeShellFolders final : public ShellFolders {
public:
    Lookup folderPath(int csidl) override {
        if (csidl != CSIDL_FAVORITES || favorites.isEmpty())
            return Lookup{QString(), errorNumber, description};
        return Lookup{favorites, 0, QString()};
    }

    QString favorites;
    int errorNumber = 2;
    QString description = QStringLiteral("系统找不到指定的文件。");
};
