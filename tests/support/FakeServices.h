#pragma once

#include "browser/ImageButton.h"
#include "browser/PictureBox.h"
#include "browser/Services.h"
#include "browser/SessionKeeper.h"
#include "browser/TextBox.h"
#include "browser/frmMain.h"
#include "core/BrowserOptions.h"
#include "favorites/modFavorite.h"
#include "platform/IniProfileFile.h"
#include "platform/RegFileStore.h"
#include "platform/SqliteUrlHistory.h"
#include "platform/StyleSheetSkinEngine.h"
#include "platform/testing/FakeFavoriteDialogs.h"
#include "platform/testing/FakeFileChooser.h"
#include "platform/testing/FakeMessageBoxes.h"
#include "platform/testing/FakePageView.h"
#include "platform/testing/FakeProcessLauncher.h"
#include "platform/testing/FakeShellFolders.h"
#include "platform/testing/FakeUrlCacheBackend.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// Every service a browser window needs, in a folder of the test's own: the favorites folder,
// the program folder (error log, page source), the history file and the user's .reg file with
// the start page kStartPage; fakes where a person would answer or a program would start, and
// fake page views (a test may hand createPageView the real engine's). Windows left open are
// deleted after.
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
    static bool waitActive(QWidget* window);

    void setStartPage(const QString& url);
    // Writes a shortcut (or any file) below the favorites folder, making folders on the way.
    void shortcut(const QString& relativePath, const QString& url);
    void file(const QString& relativePath, const QByteArray& bytes);
    QString favoritesPath() const { return folder.path() + QStringLiteral("/Favorites"); }
    QByteArray errorLog() const;

    QTemporaryDir folder;
    RegFileStore registry{{{RegRoot::CurrentUser, folder.path() + QStringLiteral("/user.reg")}}};
    FakeMessageBoxes boxes;
    SqliteUrlHistory history{folder.path() + QStringLiteral("/history.sqlite")};
    FakeUrlCacheBackend urlCache;
    FakeProcessLauncher launcher;
    FakeFileChooser fileChooser;
    StyleSheetSkinEngine skin;
    FakeShellFolders shellFolders;
    IniProfileFile profile;
    FakeFavoriteDialogs favoriteDialogs;
    modFavorite favorites;
    BrowserOptions options{folder.path() + QStringLiteral("/tarnvale.conf")};
    SessionKeeper session{folder.path() + QStringLiteral("/session.json")};
    Services services{&registry, &boxes,       &history,
                      &skin,     &favorites,   &urlCache,
                      &launcher, &fileChooser, &FakePageView::create,
                      &session,  &options,     folder.path() + QStringLiteral("/user.reg")};
};

// Browser windows on fake services, offscreen.
class BrowserFixture : public ::testing::Test, public FakeServices {};
