// The real tarnvale executable as a person uses it, on an X display (xvfb-run), against pages
// served from loopback. Nothing here reaches the network: the search runs offline.
#include "tests/e2e/BrowserProcess.h"
#include "tests/e2e/Desktop.h"
#include "platform/GbkText.h"
#include "tests/support/LoopbackHttpServer.h"
#include "tests/support/WaitUntil.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>
#include <gtest/gtest.h>

namespace {

const QString kCaption = QStringLiteral(" - Tarnvale$");

QString captionOf(const QString& title) {
    return QLatin1Char('^') + QRegularExpression::escape(title) + kCaption;
}

class JourneyTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.start()); }

    QString navigate(const QString& window, const QString& address, const QString& title) {
        Desktop::enterAddress(window, address);
        const QString found = Desktop::waitWindow(captionOf(title));
        Desktop::pause(500); // see above
        return found;
    }

    // Each browser window closed with File, Close; the program must then end by itself.
    int closeEveryWindow() {
        for (int i = 0; i < 10; ++i) {
            const QStringList open = Desktop::windows(kCaption);
            if (open.isEmpty())
                break;
            Desktop::keys(open.last(), {"alt+f", "c"});
            Desktop::pause(300);
        }
        return browser.waitForExit();
    }

    LoopbackHttpServer server;
    BrowserProcess browser;
};

TEST_F(JourneyTest, StartPageAddressesHistoryNewWindowsAndSearch) {
    server.page("/alpha", "<title>Alpha</title><a href='/blank-target' target='_blank'>new</a>");
    server.page("/beta", "<title>Beta</title>");
    server.page("/blank-target", "<title>BlankTarget</title>");
    server.page("/popup", "<title>Popup</title><script>window.open('/opened')</script>");
    server.page("/opened", "<title>Opened</title>");
    // The user's start page is blank, so the machine-wide one opens.
    browser.writeUserReg("about:blank");
    browser.writeSystemReg(server.url("/alpha").toString());
    ASSERT_TRUE(browser.start());
    const QString main = Desktop::waitWindow(captionOf("Alpha"));
    ASSERT_FALSE(main.isEmpty());
    // A finishing page takes the focus to itself; let it finish before typing.
    Desktop::pause(1000);

    ASSERT_FALSE(navigate(main, server.url("/beta").toString().mid(7), "Beta").isEmpty());
    Desktop::keys(main, {"alt+v", "b"});
    EXPECT_FALSE(Desktop::waitWindow(captionOf("Alpha")).isEmpty());
    Desktop::keys(main, {"alt+v", "f"});
    EXPECT_FALSE(Desktop::waitWindow(captionOf("Beta")).isEmpty());
    Desktop::keys(main, {"alt+v", "h"});
    EXPECT_FALSE(Desktop::waitWindow(captionOf("Alpha")).isEmpty());

    Desktop::click(main, Desktop::kPageX, Desktop::kPageY);
    Desktop::keys(main, {"Tab", "Return"}); // the target=_blank link
    EXPECT_FALSE(Desktop::waitWindow(captionOf("BlankTarget")).isEmpty());
    EXPECT_EQ(Desktop::title(main), QStringLiteral("Alpha - Tarnvale"));

    // A window a script opens without a click is refused: the next page loads, none opened.
    navigate(main, server.url("/popup").toString(), "Popup");
    navigate(main, server.url("/beta").toString(), "Beta");
    EXPECT_EQ(server.hits("/opened"), 0);
    EXPECT_EQ(Desktop::windows(kCaption).size(), 2);

    // Offline, so that the search never leaves the machine.
    Desktop::keys(main, {"alt+f", "w"});
    Desktop::click(main, Desktop::searchX(main), Desktop::kStripY);
    Desktop::paste(main, QStringLiteral("AT&T 中文"));
    Desktop::keys(main, {"Return"});
    Desktop::pause(1500);
    Desktop::click(main, Desktop::kAddressX, Desktop::kStripY); // selects the whole address
    Desktop::keys(main, {"ctrl+c"});
    const QUrl searched(Desktop::clipboard());
    EXPECT_EQ(searched.host(), QStringLiteral("www.baidu.com"))
        << searched.toString().toStdString();
    const QUrlQuery query(searched);
    EXPECT_EQ(query.queryItemValue("wd", QUrl::FullyDecoded), QStringLiteral("AT&T 中文"));
    EXPECT_EQ(query.queryItemValue("tn"), QStringLiteral("mvrak_tp"));

    EXPECT_EQ(closeEveryWindow(), 0);
    EXPECT_FALSE(QFile::exists(browser.programFolder() + "/KQLog.txt"));
}

TEST_F(JourneyTest, FavoritesSourceClearingAndTheOpenDialog) {
    server.page("/doc", "<html><head><meta charset='utf-8'><title>Doc</title></head>"
                        "<body><p>needle 中文</p></body></html>");
    browser.writeUserReg(server.url("/doc").toString());
    QFile local(browser.path("local.html"));
    ASSERT_TRUE(local.open(QIODevice::WriteOnly));
    local.write("<title>Local</title>");
    local.close();
    ASSERT_TRUE(browser.start());
    const QString main = Desktop::waitWindow(captionOf("Doc"));
    ASSERT_FALSE(main.isEmpty());

    // Add to favorites through the real dialog.
    Desktop::keys(main, {"alt+a", "Return"});
    const QString add = Desktop::waitWindow("^添加到收藏夹$");
    ASSERT_FALSE(add.isEmpty());
    Desktop::keys(add, {"Return"});
    const QString shortcut = browser.favoritesFolder() + "/Doc.url";
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(shortcut); }));
    QFile written(shortcut);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(),
              "[InternetShortcut]\r\nURL=" + server.url("/doc").toEncoded() + "\r\n");

    // A second window lists it too: its Favorites menu takes it back to the page.
    Desktop::keys(main, {"alt+f", "n"});
    const QString second = Desktop::waitWindow(captionOf("about:blank"));
    ASSERT_FALSE(second.isEmpty());
    Desktop::keys(second, {"alt+a", "Down", "Down", "Return"});
    EXPECT_TRUE(Desktop::waitWindowCount(captionOf("Doc"), 2));

    // Organize it away.
    Desktop::keys(main, {"alt+a", "Down", "Return"});
    const QString organize = Desktop::waitWindow("^整理收藏夹$");
    ASSERT_FALSE(organize.isEmpty());
    Desktop::keys(organize, {"Down", "alt+d"});
    const QString confirm = Desktop::waitWindow("^确认删除$");
    ASSERT_FALSE(confirm.isEmpty());
    Desktop::keys(confirm, {"Return"});
    EXPECT_TRUE(waitUntil([&] { return !QFile::exists(shortcut); }));
    Desktop::keys(organize, {"Escape"});

    // View source writes the page's markup.
    Desktop::keys(main, {"alt+v", "o"});
    const QString source = browser.programFolder() + "/KQCode.txt";
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(source); }));
    QFile markup(source);
    ASSERT_TRUE(markup.open(QIODevice::ReadOnly));
    EXPECT_TRUE(markup.readAll().contains("<p>needle " + toGbk("中文") + "</p>"));

    // Clearing the traces empties what the address boxes suggest.
    ASSERT_GT(browser.historyRows(), 0);
    Desktop::keys(main, {"alt+t", "Return"});
    const QString question = Desktop::waitWindow("^提示$");
    ASSERT_FALSE(question.isEmpty());
    Desktop::keys(question, {"Return"});
    ASSERT_TRUE(Desktop::waitWindowCount("^提示$", 1));
    Desktop::pause(500);
    Desktop::keys(Desktop::waitWindow("^提示$"), {"Return"});
    EXPECT_EQ(browser.historyRows(), 0);

    // The open dialog opens a local file in a new window.
    Desktop::keys(main, {"alt+f", "o"});
    const QString open = Desktop::waitWindow("^打开$");
    ASSERT_FALSE(open.isEmpty());
    Desktop::keys(open, {"Tab", "Tab", "Tab"});
    Desktop::type(open, local.fileName());
    Desktop::keys(open, {"shift+Tab", "Return"});
    EXPECT_FALSE(Desktop::waitWindow(captionOf("Local")).isEmpty());

    EXPECT_EQ(closeEveryWindow(), 0);
    EXPECT_FALSE(QFile::exists(browser.programFolder() + "/KQLog.txt"));
}

} // namespace
