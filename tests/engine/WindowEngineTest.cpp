// Browser windows on the real engine: what a page may do after a person's click (open
// Tarnvale windows, ask before being left, go full screen) and never without one, Find
// reaches only the page, and a favorite opens the page it was saved on.
#include "tests/engine/EngineFixture.h"

#include "browser/TextBox.h"
#include "browser/frmMain.h"
#include "engine/FindBar.h"
#include "engine/WebEnginePage.h"

#include <QCheckBox>
#include <QImage>
#include <QMenuBar>
#include <QShortcut>
#include <QTest>
#include <QWebEngineView>

namespace {

class WindowEngineTest : public EngineFixture {
protected:
    // Opens a window on a page whose last element covers it all, so that a click anywhere
    // hits it (it needs some content: the engine takes no input on a page that drew nothing).
    // The title gets "+" once the page draws frames (the engine drops input before)
    // and "*" whenever the page has seen the button go down.
    static QByteArray wholePage(const QByteArray& body) {
        return "<title>Start</title><style>body>*:last-child{position:fixed;left:0;top:0;"
               "width:100%;height:100%}</style><script>requestAnimationFrame(function() {"
               " requestAnimationFrame(function() { document.title += '+'; }); });"
               "document.addEventListener('mousedown', function() { document.title += '*';"
               " }, true);</script>" +
               body;
    }
    frmMain* openOnWholePage(const QByteArray& body) {
        server.page("/start", wholePage(body));
        return openOn("/start", "Start+");
    }

    // A person's click in the middle of the page: the engine lets pages open windows then.
    // The button comes up once the page has seen it go down, as a hand's click would.
    static void click(frmMain* window) {
        QWidget* surface = engineView(window)->view()->focusProxy();
        const QString before = window->windowTitle();
        QTest::mousePress(surface, Qt::LeftButton, {}, surface->rect().center());
        EXPECT_TRUE(waitFor([&] { return window->windowTitle() != before; }));
        QTest::mouseRelease(surface, Qt::LeftButton, {}, surface->rect().center());
    }
};

struct PopupCase {
    const char* name;
    const char* page; // the whole page is the element clicked
};

class PopupTest : public WindowEngineTest, public ::testing::WithParamInterface<PopupCase> {};

TEST_P(PopupTest, AClickOpensASecondTarnvaleWindowOnTheRequestedPage) {
    server.page("/target", "<title>Target</title>");
    click(openOnWholePage(GetParam().page));
    ASSERT_TRUE(waitFor([] { return frmMain::openWindows().size() == 2; }));
    frmMain* opened = frmMain::openWindows().value(1);
    EXPECT_TRUE(opened->isVisible());
    // The title comes before the load completes; the address box shows the page once it has.
    EXPECT_TRUE(waitFor([&] {
        return opened->windowTitle() == caption("Target") &&
               opened->txtURL->text().startsWith(server.url("/target").toString());
    }));
}

INSTANTIATE_TEST_SUITE_P(
    Requests, PopupTest,
    ::testing::Values(PopupCase{"WindowOpenInAClickHandler",
                                "<div onclick=\"window.open('/target')\">open</div>"},
                      PopupCase{"FormTarget", "<form action='/target' target='_blank'><button "
                                              "style='width:100%;height:100%'>open</button>"
                                              "</form>"}),
    [](const auto& info) { return std::string(info.param.name); });

// The opener writes the new window's first document itself, at once and later.
TEST_F(WindowEngineTest, AWindowThePageWritesIntoShowsWhatWasWritten) {
    frmMain* window =
        openOnWholePage("<div onclick=\"var w = window.open('about:blank');"
                        " w.document.write('<p>x</p>');"
                        " setTimeout(function() { w.document.title = 'Later'; }, 300)\">"
                        "open</div>");
    click(window);
    ASSERT_TRUE(waitFor([] { return frmMain::openWindows().size() == 2; }));
    frmMain* opened = frmMain::openWindows().value(1);
    EXPECT_TRUE(waitFor([&] { return opened->windowTitle() == caption("Later"); }))
        << opened->windowTitle().toStdString();
}

// A later page of the same window loads: the refused windows would have come first.
TEST_F(WindowEngineTest, ScriptWindowsWithoutAClickAreRefused) {
    server.page("/start", "<title>Start</title><script>for (var i = 0; i < 50; ++i)"
                          " window.open('/target?' + i); document.title = 'Tried';</script>");
    server.page("/later", "<title>Later</title>");
    frmMain* window = openOn("/start", "Tried");
    window->NavigateTo(server.url("/later").toString());
    ASSERT_TRUE(waitFor([&] { return window->windowTitle() == caption("Later"); }));
    EXPECT_EQ(frmMain::openWindows().size(), 1);
    EXPECT_EQ(server.hits("/target"), 0);
}

// Windows start silent: a page asking before it is left is left without a question until
// the window is no longer silent. Full screen covers the screen until Escape.
TEST_F(WindowEngineTest, AfterAClickAPageMayAskBeforeItIsLeftAndGoFullScreen) {
    frmMain* window = openOnWholePage(
        "<script>window.onbeforeunload = function(e) { e.preventDefault(); return ''; };"
        "</script><div onclick='document.documentElement.requestFullscreen()'>x</div>");
    WebEnginePageView* page = engineView(window);
    click(window);
    ASSERT_TRUE(waitFor([&] { return page->isFullScreen(); }));
    QTest::keyClick(page->view()->focusProxy(), Qt::Key_Escape);
    EXPECT_TRUE(waitFor([&] { return !page->isFullScreen(); }));
    server.page("/other", "<title>Other</title>");
    window->NavigateTo(server.url("/other").toString());
    ASSERT_TRUE(waitFor([&] { return window->windowTitle() == caption("Other"); }));
    EXPECT_TRUE(dialogs.asked.isEmpty());

    page->setSilent(false);
    window->NavigateTo(server.url("/start").toString());
    ASSERT_TRUE(waitFor([&] { return window->windowTitle().startsWith("Start+"); }));
    click(window);
    window->NavigateTo(server.url("/other").toString());
    EXPECT_TRUE(waitFor([&] { return window->windowTitle() == caption("Other"); }));
    EXPECT_EQ(dialogs.asked, QStringList{"leave"});
}

// The window's Find sends Ctrl+F to the focus: only the page answers it.
TEST_F(WindowEngineTest, FindSearchesOnlyThePage) {
    // The engine finds nothing on a page that has not drawn yet: the title says when it has.
    server.page("/doc", "<title>Doc</title><p>Needle one, needle two.</p><script>"
                        "requestAnimationFrame(function() { requestAnimationFrame(function() {"
                        " document.title = 'Drawn'; }); });</script>");
    frmMain* window = openOn("/doc", "Drawn");
    FindBar* bar = engineView(window)->findBar();
    window->txtURL->setFocus();
    window->mnuMainEditFind_Click();
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(bar->isVisible());
    window->webMain->setFocus();
    window->mnuMainEditFind_Click();
    ASSERT_TRUE(waitFor([&] { return bar->isVisible(); }));
    QTest::keyClicks(bar->field(), QStringLiteral("needle"));
    EXPECT_TRUE(waitFor([&] { return bar->countText() == "第 1 个，共 2 个"; }));
    bar->findNext();
    EXPECT_TRUE(waitFor([&] { return bar->countText() == "第 2 个，共 2 个"; }));
    bar->matchCase()->setChecked(true);
    EXPECT_TRUE(waitFor([&] { return bar->countText() == "第 1 个，共 1 个"; }));
    bar->matchCase()->setFocus();
    QTest::keyClick(bar, Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(bar->field()->hasFocus());
    // Its access keys leave the menu bar's and the window's keys alone (Alt+F is 文件, Alt+D
    // the address box): a key both claim does neither.
    QList<QKeySequence> windowKeys;
    for (const QAction* menu : window->menuBar()->actions())
        windowKeys << QKeySequence::mnemonic(menu->text());
    for (const QShortcut* shortcut : window->findChildren<QShortcut*>())
        windowKeys << shortcut->keys();
    for (const QAbstractButton* button : bar->findChildren<QAbstractButton*>())
        EXPECT_FALSE(windowKeys.contains(QKeySequence::mnemonic(button->text())))
            << button->text().toStdString();
    QTest::keyClick(bar->field(), Qt::Key_Escape);
    EXPECT_FALSE(bar->isVisible());
}

// The engine shows an address GBK cannot hold (accented Latin, emoji) encoded: the shortcut
// keeps it so and opens the same page. Chinese stays readable.
TEST_F(WindowEngineTest, AFavoriteOpensThePageItWasSavedOn) {
    const QString site = "http://127.0.0.1:" + QString::number(server.url("/").port());
    int saved = 0;
    for (const QString& path : {QStringLiteral("/K%C3%B6ln.html"), QStringLiteral("/%F0%9F%98%80"),
                                QStringLiteral("/中文?q=1")}) {
        QString title = QStringLiteral("Saved%1").arg(++saved);
        server.page(QUrl(path).path(QUrl::FullyEncoded), "<title>" + title.toUtf8() + "</title>");
        const QString file = favoritesPath() + "/" + title + ".url";
        favoriteDialogs.addAnswer = FavoriteDialogs::Added{file, title};
        ASSERT_FALSE(favorites.AddFavorite(title, QUrl(site + path).toString(), nullptr).isEmpty());
        EXPECT_EQ(readFileBytes(file), "[InternetShortcut]\r\nURL=" + toGbk(site + path) + "\r\n");
        ASSERT_TRUE(load(favorites.ReadIniValue("InternetShortcut", "URL", QString(), file)));
        EXPECT_TRUE(titleBecomes(title));
    }
}

} // namespace

namespace {
struct OpenerCase {
    const char* name;
    const char* element; // clicked; opens "TARGET" in a new window
};

class OpenedWindowTest : public WindowEngineTest, public ::testing::WithParamInterface<OpenerCase> {
protected:
    frmMain* openedWindow(const QByteArray& opener) {
        click(openOnWholePage(opener));
        if (!waitFor([] { return frmMain::openWindows().size() == 2; }))
            return nullptr;
        return frmMain::openWindows().value(1);
    }
    static QByteArray element(const QString& target) {
        return QString::fromLatin1(GetParam().element).replace("TARGET", target).toUtf8();
    }
};

// Whatever opened it, a window a page opened keeps the rules of every window from its first
// request: offline means no request at all.
TEST_P(OpenedWindowTest, OfflineHoldsInIt) {
    server.page("/target", "<title>Target</title>");
    frmMain* opened = openedWindow(element(server.url("/target").toString()));
    ASSERT_TRUE(opened);
    ASSERT_TRUE(waitFor([&] { return opened->windowTitle() == caption("Target"); }));
    opened->mnuMainFileOffLine_Click();
    server.page("/later", "<title>Later</title>");
    opened->NavigateTo(server.url("/later").toString());
    EXPECT_TRUE(waitFor([&] { return opened->windowTitle() != caption("Target"); }));
    EXPECT_EQ(server.hits("/later"), 0);
}

// From a page on disk, a window it opens reads no other local file either.
TEST_P(OpenedWindowTest, FromAPageOnDiskNoOtherFileIsRead) {
    QTemporaryDir folder;
    ASSERT_TRUE(writeFileBytes(folder.path() + "/secret.txt", "secret"));
    ASSERT_TRUE(
        writeFileBytes(folder.path() + "/a.html",
                       "<title>A</title><script>var x = new XMLHttpRequest();"
                       "x.open('GET', 'secret.txt'); x.onload = function() {"
                       " document.title = 'A read ' + x.responseText; }; x.onerror ="
                       " function() { document.title = 'A refused'; }; x.send();</script>"));
    ASSERT_TRUE(writeFileBytes(folder.path() + "/start.html", wholePage(element("a.html"))));
    setStartPage(QUrl::fromLocalFile(folder.path() + "/start.html").toString());
    frmMain* window = openWindow();
    ASSERT_TRUE(waitFor([&] { return window->windowTitle() == caption("Start+"); }));
    click(window);
    ASSERT_TRUE(waitFor([] { return frmMain::openWindows().size() == 2; }));
    frmMain* opened = frmMain::openWindows().value(1);
    QWebEnginePage* page = engineView(opened)->page();
    // Refused, the window shows the address; opened, the page says what its reading gave.
    EXPECT_TRUE(waitFor([&] {
        return !page->isLoading() && (opened->windowTitle() == caption(page->url().toString()) ||
                                      opened->windowTitle().startsWith("A "));
    }));
    EXPECT_FALSE(opened->windowTitle().contains("secret"));
}

INSTANTIATE_TEST_SUITE_P(
    Openers, OpenedWindowTest,
    ::testing::Values(
        OpenerCase{"BlankTarget", "<a href='TARGET' target='_blank'>open</a>"},
        OpenerCase{"NamedTarget", "<a href='TARGET' target='other'>open</a>"},
        OpenerCase{"FormTarget", "<form action='TARGET' target='_blank'><button "
                                 "style='width:100%;height:100%'>open</button></form>"},
        OpenerCase{"WindowOpenInAClick", "<div onclick=\"window.open('TARGET')\">open</div>"}),
    [](const auto& info) { return std::string(info.param.name); });
} // namespace

namespace {
// A page from disk reads no other local file: not through a window it opens (by a link or
// by script, whose document it could reach), not through a canvas.
TEST_F(WindowEngineTest, APageFromDiskReadsNoOtherFileThroughWindowsOrCanvas) {
    QTemporaryDir folder;
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(folder.path() + "/pic.png"));
    ASSERT_TRUE(writeFileBytes(folder.path() + "/secret.txt", "secret"));
    const QByteArray secret = QUrl::fromLocalFile(folder.path() + "/secret.txt").toEncoded();
    ASSERT_TRUE(
        writeFileBytes(folder.path() + "/a.html",
                       "<title>A</title><script>var x = new XMLHttpRequest();"
                       "x.open('GET', 'secret.txt'); x.onload = function() {"
                       " document.title = 'A read ' + x.responseText; }; x.onerror ="
                       " function() { document.title = 'A refused'; }; x.send();</script>"));
    ASSERT_TRUE(writeFileBytes(
        folder.path() + "/page.html",
        "<title>Page</title><style>body>*:last-child{position:fixed;left:0;top:0;"
        "width:100%;height:100%}</style><script>"
        "requestAnimationFrame(function() { requestAnimationFrame(function() {"
        " document.title += '+'; }); });"
        "document.addEventListener('mousedown', function() { document.title += '*'; }, true);"
        "function probe() { var w = open('" +
            secret +
            "'); setInterval(function() {"
            " try { var t = w.document.body ? w.document.body.innerText : '';"
            " if (t) document.title = 'handle read ' + t; } catch (e) {"
            " document.title = 'handle refused'; } }, 50); }</script>"
            "<img src='pic.png' onload=\"var c = document.createElement('canvas');"
            " try { var f = document.body.insertBefore(document.createElement('iframe'), this);"
            " var fc = f.contentDocument.createElement('canvas');"
            " fc.getContext('2d').drawImage(this, 0, 0);"
            " f.contentWindow.HTMLCanvasElement.prototype.toDataURL.call(fc);"
            " document.title += ' frame read'; } catch (e) { document.title += ' frame refused'; }"
            " c.getContext('2d').drawImage(this, 0, 0); try { c.getContext('2d').getImageData(0, "
            "0, 1,"
            " 1); c.toDataURL(); document.title += ' canvas read'; } catch (e) {"
            " document.title += ' canvas refused'; }\">"
            "<div onclick='probe()'>x</div>"));
    setStartPage(QUrl::fromLocalFile(folder.path() + "/page.html").toString());
    frmMain* window = openWindow();
    ASSERT_TRUE(waitFor([&] {
        return window->windowTitle().contains("+") && window->windowTitle().contains("canvas");
    })) << window->windowTitle().toStdString();
    EXPECT_EQ(window->windowTitle(), caption("Page frame refused canvas refused+"));
    click(window);
    EXPECT_TRUE(waitFor([&] { return window->windowTitle().startsWith("handle"); }));
    EXPECT_EQ(window->windowTitle(), caption("handle refused"));
}
} // namespace
