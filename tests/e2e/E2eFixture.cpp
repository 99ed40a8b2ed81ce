#include "tests/e2e/E2eFixture.h"

#include <QRegularExpression>

QString E2eFixture::captionOf(const QString& title) {
    return '^' + QRegularExpression::escape(title) + QStringLiteral(" - Tarnvale$");
}

QString E2eFixture::startOn(const QString& path, const QString& title) {
    browser.writeUserReg(server.url(path).toString());
    return browser.start() ? Desktop::waitWindow(captionOf(title)) : QString();
}

int E2eFixture::closeAll() {
    const QString any = QStringLiteral(" - Tarnvale$");
    for (QStringList open = Desktop::windows(any); !open.isEmpty(); open = Desktop::windows(any)) {
        Desktop::keys(open.last(), {"alt+f", "c"});
        if (!Desktop::waitWindowCount(any, int(open.size()) - 1))
            break;
    }
    return browser.waitForExit();
}
