// Browser windows on the real engine: the caption follows the page, and pages that open
// windows get Tarnvale windows.
#include "EngineFixture.h"

#include "FindBar.h"
#include "ImageButton.h"
#include "PageView.h"
#include "TextBox.h"
#include "WebEnginePage.h"
#include "WebEnginePageView.h"
#include "frmMain.h"

#include <QWebEnginePage>

namespace {

class BrowserWindowEngineTest : public EngineFixture {
protected:
    static void runScript(frmMain* window, const QString& script) {
        static_cast<WebEnginePageView*>(window->webMain)->page()->runJavaScript(script);
    }
};

TEST_F(BrowserWindowEngineTest, StartPageTitleBecomesTheCaption) {
    server.page("/alpha", "<title>Alpha</title><p>start</p>");
    setStartPage(server.url("/alpha").toString());
    frmMain* window = openWindow();
    EXPECT_TRUE(
        waitFor([&] { return window->windowTitle() == QLatin1String("Alpha - Tarnvale"); }));
    EXPECT_TRUE(waitFor([&] { return window->txtURL->text() == server.url("/alpha").toString(); }));
}

TEST_F(BrowserWindowEngineTest, BackButtonFollowsTheHistory) {
    server.page("/one", "<title>One</title>");
    server.page("/two", "<title>Two</title>");
    setStartPage(server.url("/one").toString());
    frmMain* window = openWindow();
    ASSERT_TRUE(waitFor([&] { return window->windowTitle() == QLatin1String("One - Tarnvale"); }));
    EXPECT_FALSE(window->imgToolBar[1]->isEnabled());

    window->txtURL->setText(server.url("/two").toString());
    window->NavigateTo(window->txtURL->text());
    ASSERT_TRUE(waitFor([&] { return window->windowTitle() == QLatin1String("Two - Tarnvale"); }));
    EXPECT_TRUE(waitFor([&] { return window->imgToolBar[1]->isEnabled(); }));
    EXPECT_FALSE(window->imgToolBar[2]->isEnabled());

    window->imgToolBar_Click(1);
    ASSERT_TRUE(waitFor([&] { return window->windowTitle() == QLatin1String("One - Tarnvale"); }));
    EXPECT_TRUE(waitFor([&] { return window->imgToolBar[2]->isEnabled(); }));
    EXPECT_FALSE(window->imgToolBar[1]->isEnabled());
}

TEST_F(BrowserWindowEngineTest, FindOpensTheFindBarOnlyFromThePage) {
    server.page("/doc", "<title>Doc</title><p>needle</p>");
    setStartPage(server.url("/doc").toString());
    frmMain* window = openWindow();
    ASSERT_TRUE(waitFor([&] { return window->txtURL->text() == server.url("/doc").toString(); }));
    auto* view = static_cast<WebEnginePageView*>(window->webMain);

    window->txtURL->setFocus();
    window->mnuMainEditFind_Click();
    waitFor([] { return false; }, 200);
    EXPECT_FALSE(view->findBar()->isVisible());

    window->webMain->setFocus();
    window->mnuMainEditFind_Click();
    EXPECT_TRUE(waitFor([&] { return view->findBar()->isVisible(); }));
}

TEST_F(BrowserWindowEngineTest, AScriptClosingItsWindowLeavesTheWindowOpen) {
    server.page("/start", "<title>Start</title>");
    server.page("/closing", "<title>Closing</title><script>setTimeout(function() {"
                            " window.close(); document.title = 'Asked'; }, 50);</script>");
    setStartPage(server.url("/start").toString());
    frmMain* window = openWindow();
    ASSERT_TRUE(
        waitFor([&] { return window->windowTitle() == QLatin1String("Start - Tarnvale"); }));
    runScript(window, "window.open('/closing')"); // a window a script opened may be closed
    ASSERT_TRUE(waitFor([] { return frmMain::openWindows().size() == 2; }));
    frmMain* opened = frmMain::openWindows().last();
    ASSERT_TRUE(
        waitFor([&] { return opened->windowTitle() == QLatin1String("Asked - Tarnvale"); }));
    waitFor([] { return false; }, 300);
    EXPECT_TRUE(opened->isVisible());
    EXPECT_EQ(frmMain::openWindows().size(), 2);
}

TEST_F(BrowserWindowEngineTest, NamedTargetsReachTheWindowCarryingThatName) {
    server.page("/start", "<title>Start</title><a id='second' href='/two' target='named'>2</a>");
    server.page("/one", "<title>One</title>");
    server.page("/two", "<title>Two</title>");
    setStartPage(server.url("/start").toString());
    frmMain* window = openWindow();
    ASSERT_TRUE(
        waitFor([&] { return window->windowTitle() == QLatin1String("Start - Tarnvale"); }));
    runScript(window, "window.open('/one', 'named')");
    ASSERT_TRUE(waitFor([] { return frmMain::openWindows().size() == 2; }));
    frmMain* named = frmMain::openWindows().last();
    ASSERT_TRUE(waitFor([&] { return named->windowTitle() == QLatin1String("One - Tarnvale"); }));

    runScript(window, "document.getElementById('second').click()");
    EXPECT_TRUE(waitFor([&] { return named->windowTitle() == QLatin1String("Two - Tarnvale"); }));
    EXPECT_EQ(frmMain::openWindows().size(), 2);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Start - Tarnvale"));
}

struct PopupCase {
    const char* name;
    const char* script;
};

class PopupTest : public BrowserWindowEngineTest,
                  public ::testing::WithParamInterface<PopupCase> {};

TEST_P(PopupTest, OpensASecondTarnvaleWindowOnTheRequestedPage) {
    server.page("/start", "<title>Start</title><a id='blank' href='/target' "
                          "target='_blank'>open</a>");
    server.page("/target", "<title>Target</title>");
    setStartPage(server.url("/start").toString());
    frmMain* window = openWindow();
    ASSERT_TRUE(
        waitFor([&] { return window->windowTitle() == QLatin1String("Start - Tarnvale"); }));

    runScript(window, QString::fromUtf8(GetParam().script));
    ASSERT_TRUE(waitFor([] { return frmMain::openWindows().size() == 2; }));
    frmMain* opened = frmMain::openWindows().last();
    EXPECT_TRUE(opened->isVisible());
    EXPECT_TRUE(
        waitFor([&] { return opened->windowTitle() == QLatin1String("Target - Tarnvale"); }));
    EXPECT_TRUE(
        waitFor([&] { return opened->txtURL->text() == server.url("/target").toString(); }));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Start - Tarnvale"));
}

INSTANTIATE_TEST_SUITE_P(Requests, PopupTest,
                         ::testing::Values(PopupCase{"TargetBlankLink",
                                                     "document.getElementById('blank').click()"},
                                           PopupCase{"WindowOpen", "window.open('/target')"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
