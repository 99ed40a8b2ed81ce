#include "BrowserTestWindow.h"

#include "frmOpen.h"
#include "modMain.h"

#include <QApplication>
#include <QTest>

const QString BrowserFixture::kStartPage = QStringLiteral("http://start.example/");

BrowserFixture::BrowserFixture() {
    gstrStartPage.clear();
    setStartPage(registry, kStartPage);
    services.registry = &registry;
    services.messageBoxes = &boxes;
    services.urlHistory = &history;
    services.urlCache = &urlCache;
    services.launcher = &launcher;
    services.fileChooser = &fileChooser;
    services.createPageView = [](QWidget* parent) {
        return new FakePageView(parent);
    };
}

BrowserFixture::~BrowserFixture() {
    if (frmOpen* dialog = frmOpen::instance())
        delete dialog;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    while (frmMain* window = frmMain::defaultWindow())
        delete window;
}

frmMain* BrowserFixture::newWindow(const QString& url) {
    auto* window = new frmMain(services);
    window->mstrURLNewWindow = url;
    return window;
}

frmMain* BrowserFixture::openWindow(const QString& url) {
    frmMain* window = newWindow(url);
    window->Show();
    window->activateWindow();
    EXPECT_TRUE(waitActive(window));
    return window;
}

FakePageView* BrowserFixture::page(frmMain* window) {
    return static_cast<FakePageView*>(window->webMain);
}

void BrowserFixture::setStartPage(FakeRegistryStore& store, const QString& url) {
    store.setString(RegRoot::CurrentUser,
                    QStringLiteral("SOFTWARE\\Microsoft\\Internet Explorer\\Main"),
                    QStringLiteral("Start Page"), url);
}

bool BrowserFixture::waitActive(QWidget* window) {
    return QTest::qWaitForWindowActive(window, 2000);
}
