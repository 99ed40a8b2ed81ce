// The engine implementation of PageView raises the events the window is written against.
#include "EngineFixture.h"

#include "WebEnginePageView.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QUrl>

namespace {

class WebEnginePageViewTest : public EngineFixture {
protected:
    WebEnginePageViewTest()
        : view(profile(), history.get(), &dialogs) {
        view.resize(800, 600); // offscreen views are 0 x 0 until resized
        view.show();
    }

    QByteArray titled(const char* title, const QByteArray& body = {}) {
        return "<html><head><title>" + QByteArray(title) + "</title></head><body>" + body +
               "</body></html>";
    }

    WebEnginePageView view;
};

TEST_F(WebEnginePageViewTest, LoadRaisesTitleAndDocumentComplete) {
    server.page("/alpha", titled("Alpha"));
    QSignalSpy titles(&view, &PageView::TitleChange);
    QSignalSpy before(&view, &PageView::BeforeNavigate2);
    QSignalSpy complete(&view, &PageView::DocumentComplete);
    const QString url = server.url("/alpha").toString();

    view.Navigate(url);
    ASSERT_TRUE(waitFor([&] { return complete.count() > 0; }));
    EXPECT_EQ(complete.last().at(0).toString(), url);
    EXPECT_TRUE(waitFor([&] { return view.LocationName() == QLatin1String("Alpha"); }));
    EXPECT_EQ(titles.last().at(0).toString(), QStringLiteral("Alpha"));
    EXPECT_EQ(before.first().at(0).toString(), url);
    EXPECT_EQ(view.LocationURL(), url);
    EXPECT_EQ(history->recentUrls(1), QStringList{url});
}

TEST_F(WebEnginePageViewTest, BackAndForwardAreReportedAsTheHistoryChanges) {
    server.page("/one", titled("One"));
    server.page("/two", titled("Two"));
    QSignalSpy states(&view, &PageView::CommandStateChange);
    QSignalSpy complete(&view, &PageView::DocumentComplete);
    auto lastState = [&](int command) {
        for (qsizetype i = states.size() - 1; i >= 0; --i) {
            if (states.at(i).at(0).toInt() == command)
                return states.at(i).at(1).toBool() ? 1 : 0;
        }
        return -1;
    };

    view.Navigate(server.url("/one").toString());
    ASSERT_TRUE(waitFor([&] { return complete.count() == 1; }));
    EXPECT_EQ(lastState(PageView::CSC_NAVIGATEBACK), 0);
    view.Navigate(server.url("/two").toString());
    ASSERT_TRUE(waitFor([&] { return complete.count() == 2; }));
    EXPECT_EQ(lastState(PageView::CSC_NAVIGATEBACK), 1);
    EXPECT_EQ(lastState(PageView::CSC_NAVIGATEFORWARD), 0);

    view.GoBack();
    ASSERT_TRUE(waitFor([&] { return view.LocationName() == QLatin1String("One"); }));
    EXPECT_TRUE(waitFor([&] { return lastState(PageView::CSC_NAVIGATEFORWARD) == 1; }));
    EXPECT_EQ(lastState(PageView::CSC_NAVIGATEBACK), 0);
    view.GoForward();
    EXPECT_TRUE(waitFor([&] { return view.LocationName() == QLatin1String("Two"); }));
    view.GoForward(); // nothing further: nothing happens
    view.Refresh();
    EXPECT_TRUE(waitFor([&] { return server.hits("/two") == 2; }));
}

TEST_F(WebEnginePageViewTest, TypedAddressesAreFixedUpLikeAnAddressBox) {
    QFile file(folder.path() + QStringLiteral("/local page.html"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(titled("Local"));
    file.close();
    view.Navigate(file.fileName());
    EXPECT_TRUE(waitFor([&] { return view.LocationName() == QLatin1String("Local"); }));
    EXPECT_EQ(QUrl(view.LocationURL()), QUrl::fromLocalFile(file.fileName()));

    server.page("/noscheme", titled("NoScheme"));
    view.Navigate(server.url("/noscheme").toString().mid(7)); // "127.0.0.1:port/noscheme"
    EXPECT_TRUE(waitFor([&] { return view.LocationName() == QLatin1String("NoScheme"); }));
    EXPECT_TRUE(view.LocationURL().startsWith(QStringLiteral("http://127.0.0.1:")));
}

TEST_F(WebEnginePageViewTest, SilentViewAnswersScriptBoxesItself) {
    view.setSilent(true);
    server.page("/boxes", "<script>alert('a'); var c = confirm('c'); var p = prompt('p', 'd');"
                          "document.title = 'done ' + c + ' ' + p;</script>");
    view.Navigate(server.url("/boxes").toString());
    EXPECT_TRUE(waitFor([&] { return view.LocationName() == QLatin1String("done false null"); }));
}

} // namespace
