#include "engine/EngineStartup.h"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <algorithm>
#include <cstdio>

namespace {
const char kEngineFlags[] = "QTWEBENGINE_CHROMIUM_FLAGS";
const char kXcbOpenGl[] = "QT_XCB_GL_INTEGRATION";

bool openGlWithheld = false;
QtMessageHandler handlerBefore = nullptr;

// The engine's start looks for OpenGL (and, in newer engines, for a device to name) all the
// same, and says what it could not make.
void quietWithoutOpenGl(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    static const char* const expected[] = {
        "QXcbIntegration: Cannot create platform OpenGL context", "QRhiGles2: Failed to create",
        "Failed to create Vulkan instance", "Failed to create platform Vulkan instance",
        "Unable to detect GPU vendor"};
    for (const char* said : expected) {
        if (text.startsWith(QLatin1String(said)))
            return;
    }
    if (handlerBefore)
        handlerBefore(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

bool givesSwitch(const QList<QByteArray>& switches, const QByteArray& name) {
    for (const QByteArray& given : switches) {
        if (given == name || given.startsWith(name + '='))
            return true;
    }
    return false;
}
} // namespace

QByteArray withProcessSharing(const QByteArray& given) {
    QList<QByteArray> switches = given.simplified().split(' ');
    switches.removeAll(QByteArray());
    // Sharing by site is safe only while every site is isolated: without isolation the engine
    // puts all sites in one "default" process, and that would be shared by every window.
    for (const char* model :
         {"--process-per-site", "--site-per-process", "--process-per-tab", "--single-process",
          "--disable-site-isolation-trials", "--renderer-process-limit"}) {
        if (givesSwitch(switches, model))
            return given;
    }
    // A window of a site with a renderer never needs the spare process the engine keeps ready
    // for the next site, which holds about 20 MiB. The engine reads one list of features.
    const QByteArray disabled = "--disable-features=";
    auto features = std::find_if(switches.begin(), switches.end(),
                                 [&](const QByteArray& item) { return item.startsWith(disabled); });
    if (features == switches.end())
        switches << disabled + "SpareRendererForSitePerProcess";
    else
        *features += ",SpareRendererForSitePerProcess";
    switches << "--site-per-process"
             << "--process-per-site";
    return switches.join(' ');
}

bool hasGraphicsDevice(const QString& deviceFolder) {
    const QDir dri(deviceFolder + QStringLiteral("/dri"));
    return !dri.entryList({QStringLiteral("renderD*")}, QDir::System | QDir::Files).isEmpty() ||
           QFile::exists(deviceFolder + QStringLiteral("/nvidia0"));
}

bool drawsWithoutOpenGl(const QProcessEnvironment& environment, bool graphicsDevice) {
    // A back end the person chose decides: software is drawing without OpenGL.
    const QString backend = environment.value(QStringLiteral("QT_QUICK_BACKEND"));
    if (!backend.isEmpty())
        return backend == QLatin1String("software");
    if (!environment.value(QStringLiteral("QSG_RHI_BACKEND")).isEmpty())
        return false;
    const QList<QByteArray> switches =
        environment.value(QString::fromLatin1(kEngineFlags)).toLocal8Bit().simplified().split(' ');
    for (const char* gpu : {"--ignore-gpu-blocklist", "--use-gl", "--use-angle"}) {
        if (givesSwitch(switches, gpu))
            return false;
    }
    const QString software = environment.value(QStringLiteral("LIBGL_ALWAYS_SOFTWARE"));
    return !graphicsDevice || (!software.isEmpty() && software != QLatin1String("0"));
}

void prepareEngine() {
    if (drawsWithoutOpenGl(QProcessEnvironment::systemEnvironment(),
                           hasGraphicsDevice(QStringLiteral("/dev")))) {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        // The engine's start makes an OpenGL context to share, and on X11 that loads the
        // processor's OpenGL emulation and its compiler, although nothing draws with it.
        if (!qEnvironmentVariableIsSet(kXcbOpenGl)) {
            qputenv(kXcbOpenGl, "none");
            openGlWithheld = true;
            handlerBefore = qInstallMessageHandler(quietWithoutOpenGl);
        }
    }
    qputenv(kEngineFlags, withProcessSharing(qgetenv(kEngineFlags)));
}

void engineStarted() {
    if (!openGlWithheld)
        return;
    qunsetenv(kXcbOpenGl); // read once, as the application was made
    qInstallMessageHandler(handlerBefore);
    openGlWithheld = false;
}
