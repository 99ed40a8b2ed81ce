#pragma once

#include "FakeFavoriteDialogs.h"
#include "FakeMessageBoxes.h"
#include "FakeShellFolders.h"
#include "IniProfileFile.h"
#include "modFavorite.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A favorites folder and a program folder (for the error log) of the test's own.
class FavoritesFixture {
public:
    FavoritesFixture();
    ~FavoritesFixture();

    // Writes a shortcut (or any file) below the favorites folder, making folders on the way.
    void shortcut(const QString& relativePath, const QString& url);
    void file(const QString& relativePath, const QByteArray& bytes);
    QString favoritesPath() const { return folder.path() + QStringLiteral("/Favorites"); }
    QByteArray errorLog() const;
    // "caption=url" of the root entries, then "[folder]" lines with their entries indented.
    static QStringList describe(const FavoriteFolder& folder, const QString& indent = QString());

    QTemporaryDir folder;
    FakeShellFolders shellFolders;
    IniProfileFile profile;
    FakeFavoriteDialogs dialogs;
    FakeMessageBoxes boxes;
    modFavorite favorites;
};
