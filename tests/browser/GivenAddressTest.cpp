// Addresses the user did not type (the command line, another program, a favorite, the start
// page) open only if they are web addresses; anything else is named in a message and logged.
#include "BrowserTestWindow.h"
#include "FavoritesFixture.h"

#include "GbkText.h"
#include "WaitUntil.h"

#include <QCoreApplication>

namespace {

class GivenAddressTest : public BrowserFixture, public FavoritesFixture {
protected:
    GivenAddressTest() { services.favorites = &favorites; }

    // The refusal the window shows, once its queued message has come.
    QStringList refusals() {
        QCoreApplication::processEvents();
        QStringList texts;
        for (const auto& box : BrowserFixture::boxes.shown)
            texts << box.title + "|" + box.text;
        return texts;
    }
};

struct GivenCase {
    const char* name;
    QString address;
    bool opens;
};

class GivenTableTest : public GivenAddressTest, public ::testing::WithParamInterface<GivenCase> {};

TEST_P(GivenTableTest, AGivenAddressOpensOrIsNamed) {
    frmMain* window = newWindow(GetParam().address);
    window->mblnURLGiven = true;
    window->Show();
    if (GetParam().opens) {
        EXPECT_EQ(page(window)->calls.filter("Navigate:"),
                  QStringList{"Navigate:" + GetParam().address});
        EXPECT_TRUE(refusals().isEmpty());
        return;
    }
    EXPECT_TRUE(page(window)->calls.filter("Navigate:").isEmpty());
    EXPECT_EQ(refusals(), QStringList{"提示|不能打开这个地址：" + GetParam().address.left(200)});
    EXPECT_TRUE(fromGbk(errorLog()).contains("CheckGivenAddress"));
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, GivenTableTest,
    ::testing::Values(GivenCase{"Web", "https://a.example/", true},
                      GivenCase{"File", "file:///tmp/a.html", true},
                      GivenCase{"Blank", "ABOUT:blank", true},
                      GivenCase{"Script", "javascript:document.cookie", false},
                      GivenCase{"Data", "data:text/html,<script>x()</script>", false},
                      GivenCase{"Long", "vbscript:" + QString(300, 'x'), false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GivenAddressTest, AScriptFavoriteAndAScriptStartPageAreRefused) {
    shortcut("evil.url", "javascript:alert(document.cookie)");
    setStartPage(registry, "data:text/html,start");
    frmMain* window = newWindow("http://typed.example/"); // typed in the open dialog
    window->Show();
    window->mnuMainFavoriteUser_Click(1);
    window->mnuMainViewGoHomePage_Click();
    EXPECT_EQ(page(window)->calls.filter("Navigate:"),
              QStringList{"Navigate:http://typed.example/"});
    EXPECT_EQ(refusals(), (QStringList{"提示|不能打开这个地址：javascript:alert(document.cookie)",
                                       "提示|不能打开这个地址：data:text/html,start"}));
}

} // namespace
