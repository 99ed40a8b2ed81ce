#include "EngineFixture.h"

#include "EngineProfile.h"
#include "TestEnvironment.h"
#include "WaitUntil.h"
#include "WebEnginePageView.h"
#include "frmMain.h"
#include "modMain.h"

#include <QCoreApplication>
#include <QWebEngineProfile>

EngineFixture::EngineFixture() {
    EXPECT_TRUE(server.start());
    history = std::make_unique<SqliteUrlHistory>(folder.path() + QStringLiteral("/history.sqlite"));
    gstrStartPage.clear();
    services.registry = &registry;
    services.messageBoxes = &boxes;
    services.urlHistory = history.get();
    services.createPageView = [this](QWidget* parent) {
        return new WebEnginePageView(profile(), history.get(), &dialogs, parent);
    };
}

EngineFixture::~EngineFixture() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    while (frmMain* window = frmMain::defaultWindow())
        delete window;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QWebEngineProfile* EngineFixture::profile() {
    static QWebEngineProfile* shared = nullptr;
    if (!shared) {
        shared = createSharedProfile();
        TestEnvironment::atExit([] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            delete shared;
            shared = nullptr;
        });
    }
    return shared;
}

bool EngineFixture::waitFor(const std::function<bool()>& condition, int timeoutMs) {
    return waitUntil(condition, timeoutMs);
}

void EngineFixture::setStartPage(const QString& url) {
    registry.setString(RegRoot::CurrentUser,
                       QStringLiteral("SOFTWARE\\Microsoft\\Internet Explorer\\Main"),
                       QStringLiteral("Start Page"), url);
}

frmMain* EngineFixture::openWindow(const QString& url) {
    auto* window = new frmMain(services);
    window->mstrURLNewWindow = url;
    window->Show();
    return window;
}
