// The real tarnvale executable as a person uses it, one journey per test, against pages served
// from loopback. Nothing here reaches the network: the search runs offline.
#include "tests/e2e/E2eFixture.h"

#include "platform/GbkText.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WaitUntil.h"

#include <QFile>
#include <QUrl>
#include <QUrlQuery>

namespace {

class JourneyTest : public E2eFixture {
protected:
    void TearDown() override {
        EXPECT_EQ(closeAll(), 0);
        EXPECT_FALSE(QFile::exists(browser.programFolder() + "/KQLog.txt"));
    }
};

TEST_F(JourneyTest, BrowseBackForwardHomeAndSearch) {
    server.page("/alpha", "<title>Alpha</title>");
    server.page("/beta", "<title>Beta</title>");
    // The user's start page is blank, so the machine-wide one opens.
    browser.writeUserReg("about:blank");
    browser.writeSystemReg(server.url("/alpha").toString());
    ASSERT_TRUE(browser.start());
    const QString main = Desktop::waitWindow(captionOf("Alpha"));
    ASSERT_FALSE(main.isEmpty());

    Desktop::enterAddress(main, server.url("/beta").toString().mid(7));
    ASSERT_FALSE(Desktop::waitWindow(captionOf("Beta")).isEmpty());
    for (const auto& [key, title] : {std::pair{"b", "Alpha"}, {"f", "Beta"}, {"h", "Alpha"}}) {
        Desktop::keys(main, {"alt+v", key});
        EXPECT_FALSE(Desktop::waitWindow(captionOf(title)).isEmpty()) << key;
    }

    // Offline, so that the search never leaves the machine: its address shows in the box.
    Desktop::keys(main, {"alt+f", "w"});
    Desktop::click(main, Desktop::searchX(main), Desktop::kStripY);
    Desktop::paste(main, QStringLiteral("AT&T 中文"));
    Desktop::keys(main, {"Return"});
    QUrl searched;
    EXPECT_TRUE(waitUntil([&] {
        Desktop::keys(main, {"ctrl+l", "ctrl+c"}); // the whole address, selected
        searched = QUrl(Desktop::clipboard());
        return searched.host() == QStringLiteral("www.baidu.com");
    })) << searched.toString().toStdString();
    const QUrlQuery query(searched);
    EXPECT_EQ(query.queryItemValue("wd", QUrl::FullyDecoded), QStringLiteral("AT&T 中文"));
    EXPECT_EQ(query.queryItemValue("tn"), QStringLiteral("mvrak_tp"));
}

TEST_F(JourneyTest, AddAFavoriteOpenItFromAnotherWindowAndOrganizeItAway) {
    server.page("/doc", "<title>Doc</title>");
    const QString main = startOn("/doc", "Doc");
    ASSERT_FALSE(main.isEmpty());
    Desktop::keys(main, {"alt+a", "Return"});
    const QString add = Desktop::waitWindow("^添加到收藏夹$");
    ASSERT_FALSE(add.isEmpty());
    Desktop::keys(add, {"Return"});
    const QString shortcut = browser.favoritesFolder() + "/Doc.url";
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(shortcut); }));
    EXPECT_EQ(readFileBytes(shortcut),
              "[InternetShortcut]\r\nURL=" + server.url("/doc").toEncoded() + "\r\n");

    Desktop::keys(main, {"alt+f", "n"});
    const QString second = Desktop::waitWindow(captionOf("about:blank"));
    ASSERT_FALSE(second.isEmpty());
    Desktop::keys(second, {"alt+a", "Down", "Down", "Return"});
    EXPECT_TRUE(Desktop::waitWindowCount(captionOf("Doc"), 2));

    Desktop::keys(main, {"alt+a", "Down", "Return"});
    const QString organize = Desktop::waitWindow("^整理收藏夹$");
    ASSERT_FALSE(organize.isEmpty());
    Desktop::keys(organize, {"Down", "alt+d"});
    const QString confirm = Desktop::waitWindow("^确认删除$");
    ASSERT_FALSE(confirm.isEmpty());
    Desktop::keys(confirm, {"Return"});
    EXPECT_TRUE(waitUntil([&] { return !QFile::exists(shortcut); }));
    Desktop::keys(organize, {"Escape"});
}

TEST_F(JourneyTest, ViewTheSourceThenClearTheHistory) {
    server.page("/doc", "<html><head><meta charset='utf-8'><title>Doc</title></head>"
                        "<body><p>needle 中文</p></body></html>");
    const QString main = startOn("/doc", "Doc");
    ASSERT_FALSE(main.isEmpty());
    Desktop::keys(main, {"alt+v", "o"});
    const QString source = browser.programFolder() + "/KQCode.txt";
    EXPECT_TRUE(waitUntil(
        [&] { return readFileBytes(source).contains("<p>needle " + toGbk("中文") + "</p>"); }));

    ASSERT_TRUE(waitUntil([&] { return browser.historyRows() > 0; }));
    Desktop::keys(main, {"alt+t", "Return"});
    const QString question = Desktop::waitWindow("^提示$");
    ASSERT_FALSE(question.isEmpty());
    Desktop::keys(question, {"Return"});
    EXPECT_TRUE(waitUntil([&] { return browser.historyRows() == 0; }));
    QString done; // the message saying so, once the question has gone
    ASSERT_TRUE(waitUntil([&] {
        const QStringList shown = Desktop::windows("^提示$");
        done = shown.value(0);
        return shown.size() == 1 && done != question;
    }));
    Desktop::keys(done, {"Return"});
}

} // namespace
