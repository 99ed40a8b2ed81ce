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

#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

class BrowserWindowEngineTest : public EngineFixture {
protected:
    // Makes the page's last element cover it all, so that a click anywhere hits it; marks the
    // title with "+" once the page draws frames (the engine drops input before) and with "*"
    // when the page has seen the button go down.
    static inline const QByteArray kWholePage =
        "<style>body>*:last-child{position:fixed;left:0;top:0;width:100%;height:100%}</style>"
        "<script>requestAnimationFrame(function() { requestAnimationFrame(function() {"
        " document.title += '+'; }); });"
        "document.addEventListener('mousedown', function() { document.title += '*'; }, true);"
        "</script>";

    frmMain* openOn(const QString& path, const QString& title) {
        setStartPage(server.url(path).toString());
        frmMain* window = openWindow();
        EXPECT_TRUE(waitFor([&] { return window->windowTitle() == title + " - Tarnvale"; }));
        return window;
    }

    // A person's click in the middle of the page: the engine lets pages open windows then.
    // The button comes up once the page has seen it go down, as a hand's click would.
    static void click(frmMain* window) {
        QWidget* surface = static_cast<WebEnginePageView*>(window->webMain)->view()->focusProxy();
        const QString before = window->windowTitle();
        QTest::mousePress(surface, Qt::LeftButton, {}, surface->rect().center());
        EXPECT_TRUE(waitFor([&] { return window->windowTitle() != before; }));
        QTest::mouseRelease(surface, Qt::LeftButton, {}, surface->rect().center());
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
    server.page("/start", "<title>Start</title>" + kWholePage +
                              "<a href='/closing' "
                              "target='_blank'>x</a>");
    server.page("/closing", "<title>Closing</title><script>setTimeout(function() {"
                            " window.close(); document.title = 'Asked'; }, 50);</script>");
    frmMain* window = openOn("/start", "Start+");
    click(window); // a window a script opened may be closed
    ASSERT_TRUE(waitFor([] { return frmMain::openWindows().size() == 2; }));
    frmMain* opened = frmMain::openWindows().last();
    ASSERT_TRUE(
        waitFor([&] { return opened->windowTitle() == QLatin1String("Asked - Tarnvale"); }));
    waitFor([] { return false; }, 300);
    EXPECT_TRUE(opened->isVisible());
    EXPECT_EQ(frmMain::openWindows().size(), 2);
}

TEST_F(BrowserWindowEngineTest, NamedTargetsReachTheWindowCarryingThatName) {
    // A click on the page opens the named window; a second one, now a link, reaches it.
    server.page("/start", "<title>Start</title>" + kWholePage +
                              "<a id='link' href='/one' "
                              "target='named' onclick=\"setTimeout(function() { var a ="
                              " document.getElementById('link'); a.href = '/two'; }, 0)\">x</a>");
    server.page("/one", "<title>One</title>");
    server.page("/two", "<title>Two</title>");
    frmMain* window = openOn("/start", "Start+");
    click(window);
    ASSERT_TRUE(waitFor([] { return frmMain::openWindows().size() == 2; }));
    frmMain* named = frmMain::openWindows().last();
    ASSERT_TRUE(waitFor([&] { return named->windowTitle() == QLatin1String("One - Tarnvale"); }));

    click(window);
    EXPECT_TRUE(waitFor([&] { return named->windowTitle() == QLatin1String("Two - Tarnvale"); }));
    EXPECT_EQ(frmMain::openWindows().size(), 2);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Start+** - Tarnvale"));
}

struct PopupCase {
    const char* name;
    const char* page; // the whole page is the element clicked
};

class PopupTest : public BrowserWindowEngineTest,
                  public ::testing::WithParamInterface<PopupCase> {};

TEST_P(PopupTest, AClickOpensASecondTarnvaleWindowOnTheRequestedPage) {
    server.page("/start", "<title>Start</title>" + kWholePage + GetParam().page);
    server.page("/target", "<title>Target</title>");
    frmMain* window = openOn("/start", "Start+");
    click(window);
    ASSERT_TRUE(waitFor([] { return frmMain::openWindows().size() == 2; }));
    frmMain* opened = frmMain::openWindows().last();
    EXPECT_TRUE(opened->isVisible());
    EXPECT_TRUE(
        waitFor([&] { return opened->windowTitle() == QLatin1String("Target - Tarnvale"); }));
    EXPECT_TRUE(waitFor(
        [&] { return opened->txtURL->text().startsWith(server.url("/target").toString()); }));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Start+* - Tarnvale"));
}

INSTANTIATE_TEST_SUITE_P(
    Requests, PopupTest,
    ::testing::Values(PopupCase{"TargetBlankLink", "<a href='/target' target='_blank'>open</a>"},
                      PopupCase{"WindowOpenInAClickHandler",
                                "<div onclick=\"window.open('/target')\">open</div>"},
                      PopupCase{"FormTarget",
                                "<form action='/target' target='_blank'><button style="
                                "'position:fixed;left:0;top:0;width:100%;height:100%'>open"
                                "</button></form>"}),
    [](const auto& info) { return std::string(info.param.name); });

// Nothing a page's script opens without a person's click or key: no window, no cost.
TEST_F(BrowserWindowEngineTest, ScriptWindowsWithoutAClickAreRefused) {
    server.page("/start", "<title>Start</title><script>for (var i = 0; i < 50; ++i)"
                          " window.open('/target?' + i); document.title = 'Tried';</script>");
    server.page("/target", "<title>Target</title>");
    frmMain* window = openOn("/start", "Tried");
    // A later page of the same window loads: the refused windows would have come first.
    window->NavigateTo(server.url("/later").toString());
    server.page("/later", "<title>Later</title>");
    ASSERT_TRUE(
        waitFor([&] { return window->windowTitle() == QLatin1String("Later - Tarnvale"); }));
    EXPECT_EQ(frmMain::openWindows().size(), 1);
    EXPECT_EQ(server.hits("/target"), 0);
}

} // namespace
