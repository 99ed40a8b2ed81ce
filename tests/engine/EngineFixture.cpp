#include "tests/engine/EngineFixture.h"

#include "browser/frmMain.h"
#include "engine/EngineProfile.h"
#include "engine/EngineStartup.h"
#include "engine/WebEnginePage.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WaitUntil.h"

#include <QCoreApplication>
#include <QWebEngineProfile>

namespace {
// Before main: the engine reads its switches once, when it starts, and every test meets the
// process model the browser runs with.
[[maybe_unused]] const bool kSharingSwitches = [] {
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            withProcessSharing(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS")));
    return true;
}();
} // namespace

EngineFixture::EngineFixture()
    : view(profile(), &history, &dialogs, nullptr, &options) {
    EXPECT_TRUE(server.start());
    services.createPageView = [this](QWidget* parent) {
        return new WebEnginePageView(profile(), &history, &dialogs, parent, &options);
    };
    view.resize(800, 600); // offscreen views are 0 x 0 until resized
    view.show();
}

QWebEngineProfile* EngineFixture::profile() {
    static QWebEngineProfile* shared = nullptr;
    if (!shared) {
        shared = createSharedProfile();
        atTestExit([] {
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

WebEnginePageView* EngineFixture::engineView(frmMain* window) {
    return static_cast<WebEnginePageView*>(window->webMain);
}

bool EngineFixture::load(const QString& pathOrUrl, int timeoutMs) {
    QSignalSpy complete(&view, &PageView::DocumentComplete);
    view.Navigate(pathOrUrl.startsWith(QLatin1Char('/')) ? server.url(pathOrUrl).toString()
                                                         : pathOrUrl);
    return waitFor([&] { return !complete.isEmpty(); }, timeoutMs);
}

bool EngineFixture::titleBecomes(const QString& title) {
    return waitFor([&] { return view.LocationName() == title; });
}

QVariant EngineFixture::evaluate(const QString& script) {
    QVariant value;
    bool done = false;
    view.page()->runJavaScript(script, [&](const QVariant& result) {
        value = result;
        done = true;
    });
    waitFor([&] { return done; });
    return value;
}

frmMain* EngineFixture::openOn(const QString& path, const QString& title) {
    setStartPage(server.url(path).toString());
    frmMain* window = openWindow();
    EXPECT_TRUE(waitFor([&] { return window->windowTitle() == caption(title); }))
        << window->windowTitle().toStdString();
    return window;
}
