// Document commands on the real engine: print and preview to PDF, save, edit actions,
// properties, find and offline.
#include "EngineFixture.h"

#include "FindBar.h"
#include "PageView.h"
#include "WebEnginePage.h"
#include "WebEnginePageView.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrinter>
#include <QSignalSpy>
#include <QTest>

namespace {

class PageCommandsEngineTest : public EngineFixture {
protected:
    PageCommandsEngineTest()
        : view(profile(), history.get(), &dialogs) {
        view.resize(800, 600);
        view.show();
    }

    void load(const QString& path, const QByteArray& html, const QString& title) {
        server.page(path, html);
        QSignalSpy complete(&view, &PageView::DocumentComplete);
        view.Navigate(server.url(path).toString());
        ASSERT_TRUE(waitFor([&] { return !complete.isEmpty(); }));
        ASSERT_EQ(view.LocationName(), title);
    }

    static qint64 pdfSize(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || !file.read(5).startsWith("%PDF-"))
            return 0;
        return file.size();
    }

    QVariant evaluate(const QString& script) {
        QVariant value;
        bool done = false;
        view.page()->runJavaScript(script, [&](const QVariant& result) {
            value = result;
            done = true;
        });
        waitFor([&] { return done; });
        return value;
    }

    WebEnginePageView view;
};

const QByteArray kText = "<title>Doc</title><p id='p'>Needle one, needle two.</p>"
                         "<input id='field' value=''>";

TEST_F(PageCommandsEngineTest, WithoutADocumentNothingHappens) {
    for (int command : {4, 6, 7, 8, 10, 11, 12, 13, 17})
        view.ExecWB(command, PageView::OLECMDEXECOPT_DODEFAULT);
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(PageCommandsEngineTest, PrintWritesAPdfAndRefusesASecondJobMeanwhile) {
    load("/doc", kText, "Doc");
    dialogs.printToPdf = folder.path() + QStringLiteral("/printed.pdf");
    view.ExecWB(PageView::OLECMDID_PRINT, 0);
    view.ExecWB(PageView::OLECMDID_PRINT, 0); // while the first job runs
    EXPECT_EQ(dialogs.asked, QStringList{"print"});
    ASSERT_TRUE(waitFor([&] { return !view.isPrinting(); }));
    EXPECT_GT(pdfSize(dialogs.printToPdf), 500);

    dialogs.printToPdf.clear(); // cancelled: nothing printed, nothing busy
    view.ExecWB(PageView::OLECMDID_PRINT, 0);
    EXPECT_FALSE(view.isPrinting());
}

TEST_F(PageCommandsEngineTest, PreviewPaintsThroughTheEngineAndPageSetupIsKept) {
    load("/doc", kText, "Doc");
    dialogs.landscapeOnSetUp = true;
    view.ExecWB(PageView::OLECMDID_PAGESETUP, 0);
    EXPECT_EQ(view.printer()->pageLayout().orientation(), QPageLayout::Landscape);

    dialogs.previewToPdf = folder.path() + QStringLiteral("/preview.pdf");
    view.ExecWB(PageView::OLECMDID_PRINTPREVIEW, 0);
    EXPECT_GT(pdfSize(dialogs.previewToPdf), 500);
    EXPECT_EQ(view.printer()->pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_FALSE(view.isPrinting());
}

TEST_F(PageCommandsEngineTest, SaveAsWritesThePage) {
    load("/doc", kText, "Doc");
    const QString archive = folder.path() + QStringLiteral("/page.mht");
    dialogs.saveTo = PageDialogs::SaveTarget{archive, PageDialogs::SaveFormat::SingleFileMhtml};
    view.ExecWB(PageView::OLECMDID_SAVEAS, 0);
    EXPECT_EQ(dialogs.asked, QStringList{"save:Doc"});
    ASSERT_TRUE(waitFor([&] {
        QFile file(archive);
        return file.open(QIODevice::ReadOnly) && file.readAll().contains("Needle one");
    }));

    const QString complete = folder.path() + QStringLiteral("/page.html");
    dialogs.saveTo = PageDialogs::SaveTarget{complete, PageDialogs::SaveFormat::CompleteHtml};
    view.ExecWB(PageView::OLECMDID_SAVEAS, 0);
    ASSERT_TRUE(waitFor([&] {
        QFile file(complete);
        return file.open(QIODevice::ReadOnly) && file.readAll().contains("Needle one");
    }));

    dialogs.saveTo.reset(); // cancelled
    view.ExecWB(PageView::OLECMDID_SAVEAS, 0);
    EXPECT_EQ(QDir(folder.path()).entryList({"*.mht", "*.html"}).size(), 2);
}

TEST_F(PageCommandsEngineTest, SelectAllCopyAndPaste) {
    load("/doc", kText, "Doc");
    QApplication::clipboard()->clear();
    view.ExecWB(PageView::OLECMDID_SELECTALL, 0);
    view.ExecWB(PageView::OLECMDID_COPY, 0);
    ASSERT_TRUE(waitFor([] { return QApplication::clipboard()->text().contains("Needle one"); }));

    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    evaluate(QStringLiteral("document.getElementById('field').focus()"));
    view.ExecWB(PageView::OLECMDID_PASTE, 0);
    EXPECT_TRUE(waitFor(
        [&] { return evaluate("document.getElementById('field').value").toString() == "pasted"; }));
    view.ExecWB(PageView::OLECMDID_SELECTALL, 0);
    view.ExecWB(PageView::OLECMDID_CUT, 0);
    EXPECT_TRUE(waitFor(
        [&] { return evaluate("document.getElementById('field').value").toString().isEmpty(); }));
}

TEST_F(PageCommandsEngineTest, PropertiesDescribeThePage) {
    load("/doc", kText, "Doc");
    view.ExecWB(PageView::OLECMDID_PROPERTIES, 0);
    ASSERT_TRUE(waitFor([&] { return !dialogs.properties.isEmpty(); }));
    const PageProperties& shown = dialogs.properties.first();
    EXPECT_EQ(shown.title, QStringLiteral("Doc"));
    EXPECT_EQ(shown.address, server.url("/doc").toString());
    EXPECT_EQ(shown.protocol, QStringLiteral("超文本传输协议 (HTTP)"));
    EXPECT_EQ(shown.type, QStringLiteral("text/html"));
    EXPECT_EQ(shown.size, QStringLiteral("%1 字节").arg(kText.size()));
}

TEST_F(PageCommandsEngineTest, CtrlFInThePageOpensItsFindBar) {
    load("/doc", kText, "Doc");
    view.setFocus();
    QTest::keyClick(view.focusProxy() ? view.focusProxy() : &view, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(view.findBar()->isVisible());
    QTest::keyClicks(view.findBar()->field(), QStringLiteral("needle"));
    EXPECT_TRUE(waitFor([&] { return view.findBar()->countText() == "第 1 个，共 2 个"; }));
    view.findBar()->findNext();
    EXPECT_TRUE(waitFor([&] { return view.findBar()->countText() == "第 2 个，共 2 个"; }));
    view.findBar()->matchCase()->setChecked(true);
    EXPECT_TRUE(waitFor([&] { return view.findBar()->countText() == "第 1 个，共 1 个"; }));
    QTest::keyClick(view.findBar()->field(), Qt::Key_Escape);
    EXPECT_FALSE(view.findBar()->isVisible());
}

TEST_F(PageCommandsEngineTest, OfflineMakesNoNetworkRequests) {
    server.page("/net", "<title>Net</title>");
    view.setOffline(true);
    view.Navigate(server.url("/net").toString());
    QFile local(folder.path() + QStringLiteral("/local.html"));
    ASSERT_TRUE(local.open(QIODevice::WriteOnly));
    local.write("<title>Local</title>");
    local.close();
    waitFor([] { return false; }, 500);
    view.Navigate(local.fileName());
    EXPECT_TRUE(waitFor([&] { return view.LocationName() == QLatin1String("Local"); }));
    EXPECT_EQ(server.hits("/net"), 0);

    view.setOffline(false);
    view.Navigate(server.url("/net").toString());
    EXPECT_TRUE(waitFor([&] { return view.LocationName() == QLatin1String("Net"); }));
    EXPECT_EQ(server.hits("/net"), 1);
}

} // namespace
