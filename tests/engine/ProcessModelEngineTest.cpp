// How the engine is started: windows of one site share one renderer process and windows of two
// sites never do, with the switches the program gives the engine; pages are drawn without
// OpenGL only where no device draws in hardware and the person chose nothing.
#include "tests/engine/EngineFixture.h"

#include "browser/frmMain.h"
#include "engine/EngineStartup.h"
#include "engine/WebEnginePage.h"

#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace {

// Before main: the engine reads its switches once, when it starts.
const bool kSharingSwitches = [] {
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            withProcessSharing(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS")));
    return true;
}();

TEST(EngineStartupTest, ProcessSharingKeepsWhatThePersonGave) {
    const struct {
        const char* name;
        QByteArray given;
        QByteArray expected;
    } rows[] = {
        {"nothing given", "",
         "--disable-features=SpareRendererForSitePerProcess --site-per-process --process-per-site"},
        {"other switches stay", " --lang=zh-CN  --disable-features=Foo",
         "--lang=zh-CN --disable-features=Foo,SpareRendererForSitePerProcess --site-per-process "
         "--process-per-site"},
        {"own process model", "--process-per-tab", "--process-per-tab"},
        // Sharing by site without isolation would put every site in one process.
        {"isolation turned off", "--disable-site-isolation-trials",
         "--disable-site-isolation-trials"},
        {"process limit", "--renderer-process-limit=2", "--renderer-process-limit=2"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(withProcessSharing(row.given), row.expected) << row.name;
}

TEST(EngineStartupTest, DrawsWithoutOpenGlOnlyWithoutHardwareAndWithoutAChoice) {
    const struct {
        const char* name;
        const char* variable;
        const char* value;
        bool device;
        bool expected;
    } rows[] = {
        {"no device", nullptr, nullptr, false, true},
        {"a device", nullptr, nullptr, true, false},
        {"person's back end", "QT_QUICK_BACKEND", "opengl", false, false},
        {"person's engine switch", "QTWEBENGINE_CHROMIUM_FLAGS", "--ignore-gpu-blocklist", false,
         false},
        {"software OpenGL asked for", "LIBGL_ALWAYS_SOFTWARE", "1", true, true},
    };
    for (const auto& row : rows) {
        QProcessEnvironment environment;
        if (row.variable)
            environment.insert(row.variable, row.value);
        EXPECT_EQ(drawsWithoutOpenGl(environment, row.device), row.expected) << row.name;
    }
    QTemporaryDir dev;
    QDir(dev.path()).mkpath("dri");
    const auto touch = [&dev](const QString& name) {
        QFile(dev.filePath(name)).open(QIODevice::WriteOnly);
    };
    touch("dri/card0"); // a display without a render node draws on the processor
    EXPECT_FALSE(hasGraphicsDevice(dev.path()));
    touch("dri/renderD128");
    EXPECT_TRUE(hasGraphicsDevice(dev.path()));
}

class ProcessModelEngineTest : public EngineFixture {};

TEST_F(ProcessModelEngineTest, WindowsShareARendererWithTheirSiteOnly) {
    ASSERT_TRUE(kSharingSwitches);
    server.page("/a", "<title>A</title>");
    const auto renderer = [](frmMain* window) {
        return engineView(window)->page()->renderProcessPid();
    };
    frmMain* first = openOn("/a", "A");
    frmMain* second = openOn("/a", "A");
    // localhost is another site than 127.0.0.1; another port would not be.
    QUrl otherSite = server.url("/a");
    otherSite.setHost(QStringLiteral("localhost"));
    frmMain* third = openWindow(otherSite.toString());
    ASSERT_TRUE(waitFor([&] { return third->windowTitle() == caption("A"); }));
    EXPECT_EQ(renderer(first), renderer(second));
    EXPECT_NE(renderer(first), renderer(third));
}

} // namespace
