#pragma once

#include "browser/Services.h"
#include "favorites/modFavorite.h"
#include "platform/IniProfileFile.h"
#include "platform/StyleSheetSkinEngine.h"
#include "platform/testing/FakeFavoriteDialogs.h"
#include "platform/testing/FakeFileChooser.h"
#include "platform/testing/FakeMessageBoxes.h"
#include "platform/testing/FakePageView.h"
#include "platform/testing/FakeProcessLauncher.h"
#include "platform/testing/FakeRegistryStore.h"
#include "platform/testing/FakeShellFolders.h"
#include "platform/testing/FakeUrlCacheBackend.h"
#include "platform/testing/FakeUrlHistory.h"

#include <QTemporaryDir>

class frmMain;

// Every service a browser window needs, on fakes: a favorites folder and a program folder (for
// the error log and page source) of the test's own, the start page kStartPage, fake page views
// (a test may hand createPageView the real engine's). Windows left open are deleted after.
class FakeServices {
public:
    FakeServices();
    ~FakeServices();
    Q_DISABLE_COPY_MOVE(FakeServices)

    static const QString kStartPage;

    // A window that is constructed but not loaded; one loaded, shown and active.
    frmMain* newWindow(const QString& url = QString());
    frmMain* openWindow(const QString& url = QString());
    static FakePageView* page(frmMain* window);

    void setStartPage(const QString& url);
    // Writes a shortcut (or any file) below the favorites folder, making folders on the way.
    void shortcut(const QString& relativePath, const QString& url);
    void file(const QString& relativePath, const QByteArray& bytes);
    QString favoritesPath() const { return folder.path() + QStringLiteral("/Favorites"); }
    QByteArray errorLog() const;
    // "caption=url" of the root entries, then "[folder]" lines with their entries indented.
    static QStringList describe(const FavoriteFolder& folder, const QString& indent = QString());

    QTemporaryDir folder;
    FakeRegistryStore registry;
    FakeMessageBoxes boxes;
    FakeUrlHistory history;
    FakeUrlCacheBackend urlCache;
    FakeProcessLauncher launcher;
    FakeFileChooser fileChooser;
    StyleSheetSkinEngine skin;
    FakeShellFolders shellFolders;
    IniProfileFile profile;
    FakeFavoriteDialogs favoriteDialogs;
    modFavorite favorites;
    Services services;
};
