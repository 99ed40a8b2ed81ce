// Entry point of every test program: a QApplication on the offscreen platform, in Chinese as
// the browser runs, with the XDG folders and HOME pointed at a temporary folder so no test
// touches the user's real files.
#include "platform/ChineseLocale.h"
#include "tests/support/TestEnvironment.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
QtMessageHandler g_defaultHandler = nullptr;

// The offscreen platform reports every window operation it lacks; those lines hide real output.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    g_defaultHandler(type, context, message);
}
} // namespace

int main(int argc, char* argv[]) {
    // The engine refuses to start as root with its sandbox; any other user keeps it.
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    TestEnvironment environment;
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    g_defaultHandler = qInstallMessageHandler(quietMessages);
    QCoreApplication::setApplicationName(QStringLiteral("tarnvale-tests"));
    useChineseEverywhere(); // as the browser starts, whatever LANG says
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    environment.beforeExit();
    return result;
}
