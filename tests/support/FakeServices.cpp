#include "tests/support/FakeServices.h"

#include "browser/frmMain.h"
#include "browser/frmOpen.h"
#include "core/modMain.h"
#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QTest>

const QString FakeServices::kStartPage = QStringLiteral("http://start.example/");

FakeServices::FakeServices()
    : favorites(shellFolders, profile, favoriteDialogs, boxes) {
    QDir(folder.path()).mkdir(QStringLiteral("Favorites"));
    QDir(folder.path()).mkdir(QStringLiteral("program"));
    shellFolders.favorites = favoritesPath();
    overrideProgramFolder(folder.path() + QStringLiteral("/program"));
    gstrStartPage.clear();
    setStartPage(kStartPage);
}

FakeServices::~FakeServices() {
    delete frmOpen::instance();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    while (frmMain* window = frmMain::defaultWindow())
        delete window;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    overrideProgramFolder(QString());
}

frmMain* FakeServices::newWindow(const QString& url) {
    auto* window = new frmMain(services);
    window->mstrURLNewWindow = url;
    return window;
}

frmMain* FakeServices::openWindow(const QString& url) {
    frmMain* window = newWindow(url);
    window->Show();
    window->activateWindow();
    EXPECT_TRUE(waitActive(window)); // keys reach active windows only
    return window;
}

bool FakeServices::waitActive(QWidget* window) {
    return QTest::qWaitForWindowActive(window, 2000);
}

FakePageView* FakeServices::page(frmMain* window) {
    return qobject_cast<FakePageView*>(window->webMain);
}

void FakeServices::setStartPage(const QString& url) {
    writeFileBytes(
        folder.path() + "/user.reg",
        toGbk("REGEDIT4\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Internet Explorer\\Main]"
              "\r\n\"Start Page\"=\"" +
              url + "\"\r\n"));
}

void FakeServices::shortcut(const QString& relativePath, const QString& url) {
    file(relativePath, "[InternetShortcut]\r\nURL=" + url.toUtf8() + "\r\n");
}

void FakeServices::file(const QString& relativePath, const QByteArray& bytes) {
    writeFileBytes(favoritesPath() + QLatin1Char('/') + relativePath, bytes);
}

QByteArray FakeServices::errorLog() const {
    return readFileBytes(folder.path() + QStringLiteral("/program/KQLog.txt"));
}
