// Clearing browsing traces and viewing the source, on the real engine.
#include "EngineFixture.h"

#include "EngineUrlCacheBackend.h"
#include "FakeProcessLauncher.h"
#include "GbkText.h"
#include "PageView.h"
#include "ProgramFolder.h"
#include "ViewSource.h"
#include "WebEnginePageView.h"
#include "modHistory.h"

#include <QFile>
#include <QSignalSpy>

namespace {

class ToolsEngineTest : public EngineFixture {
protected:
    ToolsEngineTest()
        : view(profile(), history.get(), &dialogs) {
        view.resize(800, 600);
        view.show();
    }

    void visit(const QString& path, const char* when = "") {
        QSignalSpy complete(&view, &PageView::DocumentComplete);
        view.Navigate(server.url(path).toString());
        ASSERT_TRUE(waitFor([&] { return !complete.isEmpty(); }))
            << path.toStdString() << " " << when;
    }

    WebEnginePageView view;
};

TEST_F(ToolsEngineTest, ClearingEmptiesTheHistoryAndTheEngineCache) {
    LoopbackHttpServer::Response cached;
    cached.body = "<title>Cached</title>";
    cached.headers = {{"Cache-Control", "max-age=3600"}};
    server.route("/cached", cached);
    server.page("/other", "<title>Other</title>");
    visit("/cached");
    visit("/other");
    visit("/cached");
    ASSERT_EQ(server.hits("/cached"), 1); // the second visit came from the cache
    ASSERT_EQ(history->recentUrls(10).size(), 2);
    // A long address must not make the history impossible to clear.
    history->recordVisit(server.url("/other?q=" + QString(4000, 'x')).toString(), QString());

    EngineUrlCacheBackend cache(profile(), history.get());
    // The engine stalls loads started while it still clears its cache (no completion signal
    // in Qt 6.4); a person reading the success box gives it that second.
    boxes.onShow = [] {
        waitFor([] { return false; }, 1000);
    };
    ClearHistory(cache, boxes, nullptr);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("已经清除成功!"));
    EXPECT_TRUE(history->recentUrls(10).isEmpty());

    // The cache empties in the background: soon the page comes from the server again.
    for (int attempt = 0; attempt < 50 && server.hits("/cached") < 2; ++attempt) {
        visit("/other", "after clearing");
        visit("/cached", "after clearing");
    }
    EXPECT_GE(server.hits("/cached"), 2);
}

TEST_F(ToolsEngineTest, ViewSourceWritesThePagesMarkup) {
    QTemporaryDir program;
    overrideProgramFolder(program.path());
    server.page("/src", "<!DOCTYPE html><html><head><title>源</title></head><body><p>中文 "
                        "\xED\x95\x9C</p></body></html>");
    visit("/src");
    FakeProcessLauncher launcher;
    ShowPageSource(view, launcher, &view);
    ASSERT_TRUE(waitFor([&] { return !launcher.started.isEmpty(); }));
    overrideProgramFolder(QString());
    QFile file(program.path() + "/KQCode.txt");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "<head><title>" + toGbk("源") + "</title></head><body><p>" +
                                  toGbk("中文 ") + "?</p></body>\r\n");
    EXPECT_EQ(launcher.started[0].arguments, QStringList{program.path() + "/KQCode.txt"});
}

} // namespace
