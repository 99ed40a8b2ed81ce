#pragma once

#include "FakeMessageBoxes.h"
#include "FakePageDialogs.h"
#include "FakeRegistryStore.h"
#include "LoopbackHttpServer.h"
#include "Services.h"
#include "SqliteUrlHistory.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class QWebEngineProfile;
class frmMain;

// Real Qt WebEngine views on one shared profile, pages from a loopback server the test
// starts itself. Windows left open are deleted after each test.
class EngineFixture : public ::testing::Test {
protected:
    EngineFixture();
    ~EngineFixture() override;

    static QWebEngineProfile* profile();
    static bool waitFor(const std::function<bool()>& condition, int timeoutMs = 20000);

    void setStartPage(const QString& url);
    frmMain* openWindow(const QString& url = QString());

    LoopbackHttpServer server;
    QTemporaryDir folder;
    std::unique_ptr<SqliteUrlHistory> history;
    FakeRegistryStore registry;
    FakeMessageBoxes boxes;
    FakePageDialogs dialogs;
    FakePageDialogs& pageDialogs = dialogs; // where a fixture of favorites has dialogs too
    Services services;
};
