#include "tests/e2e/E2eFixture.h"

#include "tests/support/TestFiles.h"

#include <QDir>
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

QStringList E2eFixture::descendants(qint64 pid) {
    QStringList found{QString::number(pid)};
    const QStringList all = QDir("/proc").entryList(QDir::Dirs);
    for (qsizetype i = 0; i < found.size(); ++i) {
        for (const QString& entry : all) {
            if (readFileBytes("/proc/" + entry + "/status")
                    .contains("\nPPid:\t" + found[i].toUtf8() + "\n"))
                found << entry;
        }
    }
    return found.mid(1);
}
