// The real tarnvale executable as a person uses it, against pages served from loopback.
// Nothing here reaches the network: the search runs offline.
#include "tests/e2e/E2eFixture.h"

#include "tests/support/TestFiles.h"
#include "tests/support/WaitUntil.h"

#include <QFile>
#include <QUrl>
#include <QUrlQuery>

namespace {

using JourneyTest = E2eFixture;

TEST_F(JourneyTest, BrowseKeepAFavoriteAndSearch) {
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

    Desktop::keys(main, {"alt+a", "Return"});
    const QString add = Desktop::waitWindow("^添加到收藏夹$");
    ASSERT_FALSE(add.isEmpty());
    Desktop::keys(add, {"Return"});
    const QString shortcut = browser.favoritesFolder() + "/Alpha.url";
    EXPECT_TRUE(waitUntil([&] { return QFile::exists(shortcut); }));
    EXPECT_EQ(readFileBytes(shortcut),
              "[InternetShortcut]\r\nURL=" + server.url("/alpha").toEncoded() + "\r\n");

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
    EXPECT_EQ(closeAll(), 0);
    EXPECT_FALSE(QFile::exists(browser.programFolder() + "/KQLog.txt"));
}

} // namespace
