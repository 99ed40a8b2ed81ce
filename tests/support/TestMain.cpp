// Entry point of every test program: a QApplication on the offscreen platform, in Chinese as
// the browser runs, with HOME and the XDG folders in a temporary folder so no test touches
// the user's real files.
#include "platform/ChineseLocale.h"
#include "tests/support/TestEnvironment.h"

#include <QApplication>
#include <unistd.h>

namespace {
QtMessageHandler g_defaultHandler = nullptr;
QList<std::function<void()>> g_cleanUps;

// The offscreen platform reports every window operation it lacks; those lines hide real output.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.startsWith(QLatin1String("This plugin does not support")))
        g_defaultHandler(type, context, message);
}
} // namespace

void atTestExit(std::function<void()> cleanUp) {
    g_cleanUps.append(std::move(cleanUp));
}

int main(int argc, char* argv[]) {
    // The engine refuses to start as root with its sandbox; any other user keeps it.
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    const QTemporaryDir root;
    const QString home = root.path() + "/home";
    QDir().mkpath(home);
    for (const auto& [name, path] : {std::pair{"HOME", home},
                                     {"XDG_CONFIG_HOME", home + "/.config"},
                                     {"XDG_DATA_HOME", home + "/.local/share"},
                                     {"XDG_CACHE_HOME", home + "/.cache"},
                                     {"XDG_CONFIG_DIRS", root.path() + "/etc/xdg"}})
        qputenv(name, QFile::encodeName(path));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    g_defaultHandler = qInstallMessageHandler(quietMessages);
    QCoreApplication::setApplicationName(QStringLiteral("tarnvale-tests"));
    useChineseEverywhere(); // as the browser starts, whatever LANG says
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    for (const auto& cleanUp : g_cleanUps)
        cleanUp();
    return result;
}
