// How the engine is started: windows of one site share one renderer process and windows of two
// sites never do, with the switches the program gives the engine; pages are drawn without
// OpenGL only where no device draws in hardware and the person chose nothing.
#include "tests/engine/EngineFixture.h"

#include "browser/frmMain.h"
#include "engine/EngineStartup.h"
#include "engine/WebEnginePage.h"

#include <QProcessEnvironment>

namespace {

TEST(EngineStartupTest, ThePersonsSwitchesAndChoicesStay) {
    const QByteArray ours = "--site-per-process --process-per-site";
    EXPECT_EQ(withProcessSharing("--lang=zh-CN --disable-features=Foo"),
              "--lang=zh-CN --disable-features=Foo,SpareRendererForSitePerProcess " + ours);
    EXPECT_EQ(withProcessSharing("--process-per-tab"), "--process-per-tab");
    // Sharing by site without isolation would put every site in one process.
    EXPECT_EQ(withProcessSharing("--disable-site-isolation-trials"),
              "--disable-site-isolation-trials");
    QProcessEnvironment chosen;
    chosen.insert("QT_QUICK_BACKEND", "opengl");
    EXPECT_FALSE(drawsWithoutOpenGl(chosen, false));
    chosen.insert("QT_QUICK_BACKEND", "software"); // asked for, with a device there
    EXPECT_TRUE(drawsWithoutOpenGl(chosen, true));
    EXPECT_TRUE(drawsWithoutOpenGl(QProcessEnvironment(), false));
    EXPECT_FALSE(drawsWithoutOpenGl(QProcessEnvironment(), true));
    QTemporaryDir dev;
    QDir(dev.path()).mkpath("dri");
    QFile(dev.filePath("dri/card0")).open(QIODevice::WriteOnly); // no render node: no hardware
    EXPECT_FALSE(hasGraphicsDevice(dev.path()));
    QFile(dev.filePath("dri/renderD128")).open(QIODevice::WriteOnly);
    EXPECT_TRUE(hasGraphicsDevice(dev.path()));
}

class ProcessModelEngineTest : public EngineFixture {};

TEST_F(ProcessModelEngineTest, WindowsShareARendererWithTheirSiteOnly) {
    server.page("/a", "<title>A</title>");
    const auto renderer = [](frmMain* window) {
        return engineView(window)->page()->renderProcessPid();
    };
    frmMain* first = openOn("/a", "A");
    frmMain* second = openOn("/a", "A");
    // localhost is another site than 127.0.0.1; another port would not be.
    frmMain* third = openWindow(server.url("/a").toString().replace("127.0.0.1", "localhost"));
    ASSERT_TRUE(waitFor([&] { return third->windowTitle() == caption("A"); }));
    EXPECT_EQ(renderer(first), renderer(second));
    EXPECT_NE(renderer(first), renderer(third));
}

} // namespace
