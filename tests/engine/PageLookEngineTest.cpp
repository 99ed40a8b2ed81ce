// How pages read and look on the real engine: text in whatever encoding a page declares or not,
// PDFs shown in the window, and the zoom each host keeps across windows.
#include "tests/engine/EngineFixture.h"

#include "browser/frmMain.h"
#include "engine/WebEnginePage.h"

#include <QTest>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWheelEvent>

namespace {

class PageLookEngineTest : public EngineFixture {
protected:
    // What the page shows: its title, or the text of a page without one.
    QString shown() { return evaluate("document.title || document.body.innerText").toString(); }
};

const QString kTitle = QStringLiteral("中文标题测试页面");

struct CharsetCase {
    const char* name;
    QByteArray contentType;
    bool gbk;         // the page's bytes: GBK, else UTF-8
    bool titled;      // in a <title>, else plain text
    const char* meta; // markup before the title
    QString title = kTitle;
};

TEST_F(PageLookEngineTest, TextReadsRightDeclaredOrNot) {
    const CharsetCase rows[] = {
        // Runs of an odd byte count: GBK cannot pair each run's last byte.
        {"UndeclaredUtf8OddRuns", "text/html", false, true, "", QStringLiteral("한국어 ✓ 页面")},
        {"UndeclaredGbk", "text/html", true, true, ""},
        {"UndeclaredUtf8", "text/html", false, true, ""},
        {"UndeclaredGbkAfterUtf8", "text/html", true, true, ""},
        {"DeclaredUtf8InMarkup", "text/html", false, true, "<meta charset='utf-8'>"},
        {"DeclaredGbkInHeader", "text/html; charset=gbk", true, true, ""},
        {"PlainTextUtf8", "text/plain", false, false, ""},
    };
    for (const CharsetCase& row : rows) {
        const QByteArray text = row.gbk ? toGbk(row.title) : row.title.toUtf8();
        const QString path = QStringLiteral("/") + row.name;
        const QByteArray body =
            row.titled ? QByteArray(row.meta) + "<title>" + text + "</title>" : text + "\n";
        server.route(path, {200, row.contentType, body, {}});
        ASSERT_TRUE(load(path));
        EXPECT_TRUE(waitFor([&] { return shown().trimmed() == row.title; }))
            << row.name << ": " << shown().toStdString();
    }
}

// One character is too little to tell UTF-8 from GBK by; the person's choice reads the page
// again and holds for the host's other pages. (The engine itself tells GBK, Big5 and the
// like apart on pages of some length; the choice is what it starts from.)
TEST_F(PageLookEngineTest, AnEncodingChosenFromTheMenuHoldsForTheHost) {
    server.route("/one",
                 {200, "text/html", "<title>" + QStringLiteral("中").toUtf8() + "</title>", {}});
    server.route("/two",
                 {200, "text/html", "<title>" + QStringLiteral("文").toUtf8() + "</title>", {}});
    ASSERT_TRUE(load("/one"));
    EXPECT_NE(shown(), QStringLiteral("中"));
    view.setTextEncoding(QStringLiteral("UTF-8"));
    EXPECT_TRUE(waitFor([&] { return shown() == QStringLiteral("中"); }));
    ASSERT_TRUE(load("/two"));
    EXPECT_EQ(shown(), QStringLiteral("文"));
    EXPECT_EQ(view.TextEncoding(), QStringLiteral("UTF-8"));
    EXPECT_EQ(options.hostEncoding("127.0.0.1"), QStringLiteral("UTF-8"));
}

// A PDF shows in the window with the engine's own viewer: nothing is downloaded.
TEST_F(PageLookEngineTest, APdfShowsInTheWindow) {
    QSignalSpy downloads(profile(), &QWebEngineProfile::downloadRequested);
    server.route("/doc.pdf",
                 {200,
                  "application/pdf",
                  "%PDF-1.1\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n2 0 obj<</Type/Pages"
                  "/Kids[3 0 R]/Count 1>>endobj\n3 0 obj<</Type/Page/Parent 2 0 R/MediaBox[0 0 "
                  "200 200]>>endobj\ntrailer<</Root 1 0 R>>\n%%EOF\n",
                  {}});
    QSignalSpy loaded(view.page(), &QWebEnginePage::loadFinished);
    ASSERT_TRUE(load("/doc.pdf"));
    ASSERT_FALSE(loaded.isEmpty());
    EXPECT_TRUE(loaded.last().at(0).toBool());
    EXPECT_TRUE(downloads.isEmpty());
}

// Keys, the menu and Ctrl+wheel zoom; the host keeps its zoom in every window, later ones too.
TEST_F(PageLookEngineTest, AHostKeepsItsZoomInEveryWindow) {
    server.page("/a", "<title>A</title>");
    server.page("/b", "<title>B</title>");
    frmMain* first = openOn("/a", "A");
    WebEnginePageView* page = engineView(first);
    QTest::keyClick(first, Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(page->ZoomPercent(), 110);
    QWidget* surface = page->view()->focusProxy();
    QWheelEvent wheel(QPointF(10, 10), surface->mapToGlobal(QPointF(10, 10)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(surface, &wheel);
    EXPECT_EQ(page->ZoomPercent(), 125);
    frmMain* second = openOn("/b", "B");
    EXPECT_EQ(engineView(second)->ZoomPercent(), 125);
    QTest::keyClick(second, Qt::Key_0, Qt::ControlModifier);
    EXPECT_TRUE(waitFor([&] { return page->ZoomPercent() == 100; })); // the first follows
    EXPECT_EQ(options.hostZoom("127.0.0.1"), 100);
}

} // namespace
