#pragma once

#include "tests/e2e/BrowserProcess.h"
#include "tests/e2e/Desktop.h"
#include "tests/support/LoopbackHttpServer.h"

#include <gtest/gtest.h>

// The real program in folders of its own, its pages from a loopback server.
class E2eFixture : public ::testing::Test {
protected:
    // A pattern matching the caption of a window showing a page of this title.
    static QString captionOf(const QString& title);
    // The processes below pid (its children, theirs...), as /proc numbers them.
    static QStringList descendants(qint64 pid);

    void SetUp() override { ASSERT_TRUE(server.start()); }
    // Starts the browser with the page at path as the user's start page; the window showing
    // it, empty when none came.
    QString startOn(const QString& path, const QString& title);
    // Closes every browser window with File, Close; the program's exit code once it ended.
    int closeAll();

    LoopbackHttpServer server;
    BrowserProcess browser;
};
