#pragma once

#include "FakeFileChooser.h"
#include "FakeMessageBoxes.h"
#include "FakePageView.h"
#include "FakeProcessLauncher.h"
#include "FakeRegistryStore.h"
#include "FakeUrlCacheBackend.h"
#include "FakeUrlHistory.h"
#include "Services.h"
#include "frmMain.h"

#include <gtest/gtest.h>

// Browser windows on fake services, offscreen. Every window still open at the end of a test
// is deleted.
class BrowserFixture : public ::testing::Test {
public:
    static FakePageView* page(frmMain* window);

protected:
    BrowserFixture();
    ~BrowserFixture() override;

    static const QString kStartPage;

    // A window that is constructed but not loaded.
    frmMain* newWindow(const QString& url = QString());
    // A window loaded, shown and active.
    frmMain* openWindow(const QString& url = QString());
    static void setStartPage(FakeRegistryStore& registry, const QString& url);
    static bool waitActive(QWidget* window);

    FakeRegistryStore registry;
    FakeUrlHistory history;
    FakeMessageBoxes boxes;
    FakeUrlCacheBackend urlCache;
    FakeProcessLauncher launcher;
    FakeFileChooser fileChooser;
    Services services;
};
