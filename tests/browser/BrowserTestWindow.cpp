#include "tests/browser/BrowserTestWindow.h"

#include <QTest>

bool BrowserFixture::waitActive(QWidget* window) {
    return QTest::qWaitForWindowActive(window, 2000);
}
