#pragma once

#include "engine/WebEnginePageView.h"
#include "platform/testing/FakePageDialogs.h"
#include "tests/support/FakeServices.h"
#include "tests/support/LoopbackHttpServer.h"

#include <gtest/gtest.h>

class QWebEngineProfile;

// Real Qt WebEngine on one shared profile, pages from a loopback server of the test's own:
// windows on the fake services with engine page views, and a page view of its own (`view`,
// fake dialogs, 800 x 600) for tests of the view alone.
class EngineFixture : public ::testing::Test, public FakeServices {
protected:
    EngineFixture();

    static QWebEngineProfile* profile();
    static bool waitFor(const std::function<bool()>& condition, int timeoutMs = 20000);
    static QString caption(const QString& title) { return title + QStringLiteral(" - Tarnvale"); }
    static WebEnginePageView* engineView(frmMain* window);

    // Loads a path of the server, or a whole address, in `view`; true once the load ended.
    bool load(const QString& pathOrUrl, int timeoutMs = 20000);
    bool titleBecomes(const QString& title);
    // A script's answer in `view`.
    QVariant evaluate(const QString& script);
    frmMain* openOn(const QString& path, const QString& title);

    LoopbackHttpServer server;
    FakePageDialogs dialogs;
    WebEnginePageView view;
};
