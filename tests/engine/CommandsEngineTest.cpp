// The page commands on the real engine: print and preview to PDF, page set-up, save, the edit
// commands, properties, offline and clearing the traces.
#include "tests/engine/EngineFixture.h"

#include "engine/DownloadManager.h"

#include "engine/EngineUrlCacheBackend.h"
#include "engine/WebEnginePage.h"
#include "tools/modHistory.h"

#include <QApplication>
#include <QClipboard>
#include <QPageLayout>
#include <QPrinter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

class CommandsEngineTest : public EngineFixture {
protected:
    void SetUp() override {
        server.page("/doc", kText);
        ASSERT_TRUE(load("/doc"));
        ASSERT_TRUE(titleBecomes("Doc"));
    }

    static bool isPdf(const QString& path) {
        const QByteArray bytes = readFileBytes(path);
        return bytes.startsWith("%PDF-") && bytes.size() > 500;
    }

    QString field() { return evaluate("document.getElementById('field').value").toString(); }

    static inline const QByteArray kText = "<title>Doc</title><p>Needle one, needle two.</p>"
                                           "<input id='field' value=''>";
};

TEST_F(CommandsEngineTest, WithoutADocumentNothingIsAsked) {
    WebEnginePageView empty(profile(), &history, &dialogs);
    for (int command : {4, 6, 7, 8, 10, 11, 12, 13, 17})
        empty.ExecWB(command, PageView::OLECMDEXECOPT_DODEFAULT);
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(CommandsEngineTest, PrintPreviewAndPageSetUp) {
    dialogs.printToPdf = folder.path() + "/printed.pdf";
    view.ExecWB(PageView::OLECMDID_PRINT, 0);
    view.ExecWB(PageView::OLECMDID_PRINT, 0); // refused while the first job runs
    EXPECT_EQ(dialogs.asked, QStringList{"print"});
    ASSERT_TRUE(waitFor([&] { return !view.isPrinting(); }));
    EXPECT_TRUE(isPdf(dialogs.printToPdf));
    // Written by the engine with the page's text, not a picture of each sheet.
    EXPECT_TRUE(readFileBytes(dialogs.printToPdf).contains("/ToUnicode"));
    dialogs.printToPdf.clear(); // cancelled: nothing printed, nothing busy
    view.ExecWB(PageView::OLECMDID_PRINT, 0);
    EXPECT_FALSE(view.isPrinting());

    dialogs.landscapeOnSetUp = true;
    view.ExecWB(PageView::OLECMDID_PAGESETUP, 0);
    dialogs.previewToPdf = folder.path() + "/preview.pdf";
    view.ExecWB(PageView::OLECMDID_PRINTPREVIEW, 0);
    EXPECT_TRUE(isPdf(dialogs.previewToPdf));
    EXPECT_LE(dialogs.previewResolution, 150); // a picture of each sheet is kept
    EXPECT_EQ(view.printer()->pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_FALSE(view.isPrinting());
}

TEST_F(CommandsEngineTest, SaveAsWritesThePageInEitherFormat) {
    const QString archive = folder.path() + "/page.mht";
    const QString complete = folder.path() + "/page.html";
    dialogs.saveTo = PageDialogs::SaveTarget{archive, PageDialogs::SaveFormat::SingleFileMhtml};
    view.ExecWB(PageView::OLECMDID_SAVEAS, 0);
    EXPECT_TRUE(waitFor([&] { return dialogs.asked == QStringList{"save:Doc"}; }));
    EXPECT_TRUE(waitFor([&] { return readFileBytes(archive).contains("Needle one"); }));
    dialogs.saveTo = PageDialogs::SaveTarget{complete, PageDialogs::SaveFormat::CompleteHtml};
    view.ExecWB(PageView::OLECMDID_SAVEAS, 0);
    EXPECT_TRUE(waitFor([&] { return readFileBytes(complete).contains("Needle one"); }));
    dialogs.saveTo.reset(); // cancelled
    view.ExecWB(PageView::OLECMDID_SAVEAS, 0);
    EXPECT_TRUE(waitFor([&] { return dialogs.asked.size() == 3; }));
    EXPECT_EQ(QDir(folder.path()).entryList({"page.*"}).size(), 2);
    // The engine's own menu saves the same way; it used to do nothing.
    const DownloadManager downloads(profile(), &dialogs);
    const QString fromMenu = folder.path() + "/menu.mht";
    dialogs.saveTo = PageDialogs::SaveTarget{fromMenu, PageDialogs::SaveFormat::SingleFileMhtml};
    view.page()->triggerAction(QWebEnginePage::SavePage);
    EXPECT_TRUE(waitFor([&] { return readFileBytes(fromMenu).contains("Needle one"); }));
}

TEST_F(CommandsEngineTest, SelectAllCopyPasteAndCut) {
    QApplication::clipboard()->clear();
    view.ExecWB(PageView::OLECMDID_SELECTALL, 0);
    view.ExecWB(PageView::OLECMDID_COPY, 0);
    ASSERT_TRUE(waitFor([] { return QApplication::clipboard()->text().contains("Needle one"); }));

    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    evaluate(QStringLiteral("document.getElementById('field').focus()"));
    view.ExecWB(PageView::OLECMDID_PASTE, 0);
    EXPECT_TRUE(waitFor([&] { return field() == "pasted"; }));
    view.ExecWB(PageView::OLECMDID_SELECTALL, 0);
    view.ExecWB(PageView::OLECMDID_CUT, 0);
    EXPECT_TRUE(waitFor([&] { return field().isEmpty(); }));
}

TEST_F(CommandsEngineTest, PropertiesDescribeThePage) {
    view.ExecWB(PageView::OLECMDID_PROPERTIES, 0);
    ASSERT_TRUE(waitFor([&] { return !dialogs.properties.isEmpty(); }));
    const PageProperties& shown = dialogs.properties.first();
    EXPECT_EQ(shown.title, QStringLiteral("Doc"));
    EXPECT_EQ(shown.address, server.url("/doc").toString());
    EXPECT_EQ(shown.protocol, QStringLiteral("超文本传输协议 (HTTP)"));
    EXPECT_EQ(shown.type, QStringLiteral("text/html"));
    EXPECT_EQ(shown.size, QStringLiteral("%1 字节").arg(kText.size()));
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^\\d{4}年\\d{1,2}月\\d{1,2}日 \\d\\d:\\d\\d:\\d\\d$"))
            .match(shown.modified)
            .hasMatch())
        << shown.modified.toStdString();
    // A title cannot reorder itself to pass for another name.
    evaluate(QStringLiteral("document.title = '报告\\u202Efdp.exe\\u202C'"));
    ASSERT_TRUE(titleBecomes(QStringLiteral("报告\u202Efdp.exe\u202C")));
    view.ExecWB(PageView::OLECMDID_PROPERTIES, 0);
    ASSERT_TRUE(waitFor([&] { return dialogs.properties.size() == 2; }));
    EXPECT_EQ(dialogs.properties.last().title, QStringLiteral("报告fdp.exe"));

    // A local file gives its own size, however it is named; a folder's listing gives none.
    const QString local = folder.path() + QStringLiteral("/한국어 页.html");
    ASSERT_TRUE(writeFileBytes(local, "<title>Local</title>" + QByteArray(1234, 'x')));
    for (const auto& [address, size] :
         {std::pair{QUrl::fromLocalFile(local), QStringLiteral("1,254 字节")},
          std::pair{QUrl::fromLocalFile(folder.path() + "/"), QString()}}) {
        ASSERT_TRUE(load(address.toString()));
        const qsizetype asked = dialogs.properties.size();
        view.ExecWB(PageView::OLECMDID_PROPERTIES, 0);
        ASSERT_TRUE(waitFor([&] { return dialogs.properties.size() == asked + 1; }));
        EXPECT_EQ(dialogs.properties.last().size, size) << address.toString().toStdString();
    }
}

TEST_F(CommandsEngineTest, OfflineMakesNoNetworkRequests) {
    server.page("/net", "<title>Net</title>");
    ASSERT_TRUE(writeFileBytes(folder.path() + "/local.html", "<title>Local</title>"));
    view.setOffline(true);
    ASSERT_TRUE(load("/net"));
    // Our page says why, under the refused address, and is no visit.
    EXPECT_TRUE(titleBecomes(QStringLiteral("脱机工作")));
    EXPECT_EQ(view.LocationURL(), server.url("/net").toString());
    // Our page's load can still be ending: about:blank itself is not taken for it.
    view.Navigate(QStringLiteral("about:blank"));
    EXPECT_TRUE(waitFor([&] { return view.LocationURL() == QLatin1String("about:blank"); }));
    ASSERT_TRUE(load(QUrl::fromLocalFile(folder.path() + "/local.html").toString()));
    EXPECT_TRUE(titleBecomes("Local"));
    EXPECT_EQ(server.hits("/net"), 0);
    const QString otherSite = QStringLiteral("http://127.0.0.2:1/");
    for (const QString& refused : {server.url("/net").toString(), otherSite}) {
        ASSERT_TRUE(load(refused));
        ASSERT_TRUE(titleBecomes(QStringLiteral("脱机工作")));
    }
    // Back walks past our pages, which still name their addresses, to the last page shown.
    // Each step is seen as it begins, when the address box still shows the page being left.
    QStringList walked, left;
    const auto leaving = QObject::connect(&view, &PageView::BeforeNavigate2, &view,
                                          [&] { left << view.LocationURL(); });
    for (int step = 0; step < 8 && view.LocationName() != QLatin1String("Local"); ++step) {
        QSignalSpy complete(&view, &PageView::DocumentComplete);
        view.GoBack();
        ASSERT_TRUE(waitFor([&] { return !complete.isEmpty(); }));
        walked << view.LocationURL();
    }
    QObject::disconnect(leaving);
    EXPECT_EQ(view.LocationName(), QStringLiteral("Local"));
    // How many entries the engine keeps for a refused page varies (Qt 6.8 sometimes keeps
    // one less): each one walked past or left names a refused address, never about:blank.
    ASSERT_GE(walked.size(), 2) << walked.join(' ').toStdString();
    for (const QString& address : walked.mid(0, walked.size() - 1) + left)
        EXPECT_TRUE(address == server.url("/net").toString() || address == otherSite)
            << walked.join(' ').toStdString() << " / " << left.join(' ').toStdString();
    ASSERT_TRUE(load("/net"));
    ASSERT_TRUE(titleBecomes(QStringLiteral("脱机工作")));
    {
        // Brought back in another window, our page still names the refused address.
        WebEnginePageView restored(profile(), &history, &dialogs);
        QSignalSpy complete(&restored, &PageView::DocumentComplete);
        restored.restoreHistory(view.pageHistory());
        ASSERT_TRUE(waitFor([&] { return !complete.isEmpty(); }));
        EXPECT_EQ(restored.LocationURL(), server.url("/net").toString());
    }

    // Back online, Refresh opens the address, not our page again.
    view.setOffline(false);
    view.Refresh();
    EXPECT_TRUE(titleBecomes("Net"));
    EXPECT_EQ(server.hits("/net"), 1);
    ASSERT_TRUE(waitFor([&] { return history.entries().first().title == "Net"; }));
    for (const auto& entry : history.entries())
        EXPECT_NE(entry.title, QStringLiteral("脱机工作"));
}

TEST_F(CommandsEngineTest, ClearingEmptiesTheHistoryAndTheEngineCache) {
    LoopbackHttpServer::Response cached;
    cached.body = "<title>Cached</title>";
    cached.headers = {{"Cache-Control", "max-age=3600"}};
    server.route("/cached", cached);
    ASSERT_TRUE(load("/cached"));
    ASSERT_TRUE(load("/doc"));
    ASSERT_TRUE(load("/cached"));
    ASSERT_EQ(server.hits("/cached"), 1); // the second visit came from the cache
    // A long address must not make the history impossible to clear, nor rows an older Tarnvale
    // wrote (decided, with a password), nor an address GBK cannot hold.
    history.recordVisit(server.url("/doc?q=" + QString(4000, 'x')).toString(), QString());
    server.page("/K%C3%B6ln", "<title>Koeln</title>");
    ASSERT_TRUE(load(server.url("/Köln").toString()));
    EXPECT_EQ(history.entries().constFirst().url,
              server.url("/K%C3%B6ln").toString(QUrl::FullyEncoded));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "older");
        db.setDatabaseName(folder.path() + "/history.sqlite");
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec("INSERT INTO history(url, title, last_visit) VALUES"
                                       " ('http://old.example/Köln', '', 1),"
                                       " ('http://u:pw@old.example/한국', '', 2)"));
    }
    QSqlDatabase::removeDatabase("older");

    EngineUrlCacheBackend cache(profile(), &history);
    ClearHistory(cache, boxes, nullptr);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("已经清除成功!"));
    EXPECT_TRUE(history.entries().isEmpty());

    // The cache empties in the background, and a load started meanwhile stalls (Qt 6.4 tells
    // no completion): each try is given a while, and soon the page comes from the server again.
    for (int attempt = 0; attempt < 30 && server.hits("/cached") < 2; ++attempt) {
        load("/doc", 2000);
        load("/cached", 2000);
    }
    EXPECT_GE(server.hits("/cached"), 2);
}

} // namespace
