#pragma once

#include "browser/frmMain.h"
#include "tests/support/FakeServices.h"

#include <gtest/gtest.h>

// Browser windows on fake services, offscreen.
class BrowserFixture : public ::testing::Test, public FakeServices {
protected:
    static bool waitActive(QWidget* window);
};
