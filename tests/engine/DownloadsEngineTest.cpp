// Downloads on the real engine: silent ones land under a fresh name, others where the person
// chooses, a page gets one automatic download, and a download writes only its own ".part" until
// it takes its name in one step.
#include "tests/engine/EngineFixture.h"

#include "engine/DownloadManager.h"
#include "engine/DownloadsWindow.h"
#include "platform/FileNames.h"
#include "tests/support/WaitUntil.h"

#include <QBuffer>
#include <QImage>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWebEngineView>

namespace {

class DownloadsEngineTest : public EngineFixture {
protected:
    DownloadsEngineTest() {
        QDir(DownloadManager::downloadFolder()).removeRecursively();
        QDir().mkpath(DownloadManager::downloadFolder());
    }

    void serveReport(const QByteArray& body, const QByteArray& name = "report.txt") {
        LoopbackHttpServer::Response response;
        response.contentType = "application/octet-stream";
        response.headers = {{"Content-Disposition", "attachment; filename=\"" + name + "\""}};
        response.body = body;
        server.route("/report", response);
    }

    static QStringList downloaded() {
        return QDir(DownloadManager::downloadFolder())
            .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    DownloadManager downloads{profile(), &dialogs};
    QSignalSpy finished{&downloads, &DownloadManager::downloadFinished};
};

TEST_F(DownloadsEngineTest, SilentDownloadLandsCompleteUnderAFreshName) {
    const QByteArray body(200 * 1024, 'd');
    serveReport(body);
    ASSERT_TRUE(writeFileBytes(DownloadManager::downloadFolder() + "/report.txt", "kept"));
    view.setSilent(true);
    view.Navigate(server.url("/report").toString());
    ASSERT_TRUE(waitFor([&] { return !finished.isEmpty(); }));
    EXPECT_EQ(finished.first().first().toString(),
              DownloadManager::downloadFolder() + "/report (1).txt");
    EXPECT_EQ(readFileBytes(DownloadManager::downloadFolder() + "/report (1).txt"), body);
    EXPECT_EQ(downloaded(), (QStringList{"report (1).txt", "report.txt"}));
    EXPECT_EQ(readFileBytes(DownloadManager::downloadFolder() + "/report.txt"), "kept");
    EXPECT_TRUE(dialogs.asked.isEmpty());
    EXPECT_EQ(downloads.window()->count(), 1);
}

// The cancelled one asked first: had it written anything, it would be there once the second
// one is done.
TEST_F(DownloadsEngineTest, NotSilentThePersonChoosesWhereOrCancels) {
    serveReport("content");
    view.setSilent(false);
    view.Navigate(server.url("/report").toString());
    ASSERT_TRUE(waitFor([&] { return dialogs.asked.size() == 1; }));
    dialogs.downloadPath = folder.path() + "/chosen.txt";
    view.Navigate(server.url("/report").toString());
    ASSERT_TRUE(waitFor([&] { return !finished.isEmpty(); }));
    EXPECT_EQ(finished.first().first().toString(), folder.path() + "/chosen.txt");
    EXPECT_EQ(readFileBytes(folder.path() + "/chosen.txt"), "content");
    EXPECT_EQ(dialogs.asked,
              QStringList(2, "download:" + DownloadManager::downloadFolder() + "/report.txt"));
    EXPECT_TRUE(downloaded().isEmpty());
    // The name a server gives is never that of a hidden file, which nobody would find.
    serveReport("content", ".bashrc");
    dialogs.downloadPath.reset();
    view.Navigate(server.url("/report").toString());
    ASSERT_TRUE(waitFor([&] { return dialogs.asked.size() == 3; }));
    EXPECT_EQ(dialogs.asked.last(), "download:" + DownloadManager::downloadFolder() + "/bashrc");
}

TEST_F(DownloadsEngineTest, APageGetsOneAutomaticDownloadNotThree) {
    serveReport("data");
    server.page("/three", "<title>Three</title><body><script>for (var i = 0; i < 3; ++i) {"
                          " var f = document.createElement('iframe'); f.src = '/report?' + i;"
                          " document.body.appendChild(f); }</script></body>");
    view.setSilent(true);
    QSignalSpy blocked(&downloads, &DownloadManager::downloadBlocked);
    ASSERT_TRUE(load("/three"));
    ASSERT_TRUE(waitFor([&] { return finished.size() == 1 && blocked.size() == 2; }));
    // The engine removes the temporary files of the refused ones a moment later.
    EXPECT_TRUE(waitFor([] { return downloaded() == QStringList{"report.txt"}; }))
        << downloaded().join(", ").toStdString();
    EXPECT_EQ(downloads.window()->count(), 3);
    // A blocked one still comes when the person asks for it, as often as the page refuses.
    QList<QPushButton*> again;
    for (QPushButton* button : downloads.window()->findChildren<QPushButton*>()) {
        if (button->text() == "下载")
            again << button;
    }
    ASSERT_EQ(again.size(), 2);
    again.first()->click();
    again.last()->click(); // before the first has arrived
    ASSERT_TRUE(waitFor([&] { return finished.size() == 3; }));
    EXPECT_FALSE(again.first()->isEnabled());
    EXPECT_EQ(downloaded().size(), 3);

    // After a key of the person's in the page, one more download comes at once, not two.
    QTest::keyClick(view.view()->focusProxy(), Qt::Key_Shift);
    evaluate(QStringLiteral("for (var i = 3; i < 5; ++i) { var f = document.createElement("
                            "'iframe'); f.src = '/report?' + i; document.body.appendChild(f); }"));
    ASSERT_TRUE(waitFor([&] { return finished.size() == 4 && blocked.size() == 3; }));
}

// 另存为 on a picture or a PDF offers the file under its own name and type (not "红.png.mht",
// a web archive) and writes the file itself where the person chose, byte for byte, even from
// a silent window. Engines differ in what their own saving makes of it: Qt 6.4's downloaded it
// to where it was told, newer ones write a web archive under the name chosen.
TEST_F(DownloadsEngineTest, SaveAsOfAPictureOrAPdfWritesTheFileWhereThePersonChose) {
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QBuffer png;
    ASSERT_TRUE(png.open(QIODevice::WriteOnly) && picture.save(&png, "PNG"));
    const QByteArray pdf = "%PDF-1.1\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n2 0 obj<</Type"
                           "/Pages/Kids[3 0 R]/Count 1>>endobj\n3 0 obj<</Type/Page/Parent 2 0 R"
                           "/MediaBox[0 0 200 200]>>endobj\ntrailer<</Root 1 0 R>>\n%%EOF\n";
    const struct {
        const char* path;
        const char* type;
        QByteArray body;
        const char* chosen;
        const char* asked;
    } rows[] = {
        {"/red.png", "image/png", png.data(), "/红.png", "save:red.png|image/png"},
        {"/doc.pdf", "application/pdf", pdf, "/我的文档.pdf", "save:doc.pdf|application/pdf"},
    };
    view.setSilent(true);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        LoopbackHttpServer::Response response;
        response.contentType = row.type;
        response.body = row.body;
        server.route(row.path, response);
        ASSERT_TRUE(load(row.path));
        const QString chosen = folder.path() + QString::fromUtf8(row.chosen);
        dialogs.saveTo = PageDialogs::SaveTarget{chosen, PageDialogs::SaveFormat::SingleFileMhtml};
        view.ExecWB(PageView::OLECMDID_SAVEAS, 0);
        const auto asked = [&] {
            return dialogs.asked.value(dialogs.asked.size() - 1);
        };
        EXPECT_TRUE(waitFor([&] { return asked() == QString::fromUtf8(row.asked); }))
            << asked().toStdString();
        EXPECT_TRUE(waitFor([&] { return readFileBytes(chosen) == row.body; }));
    }
    EXPECT_TRUE(downloaded().isEmpty());
}

// The newest download is in sight, however many came before it.
TEST(DownloadsWindowTest, ANewDownloadScrollsIntoView) {
    DownloadsWindow window;
    window.show();
    for (int i = 0; i < 12; ++i)
        window.addBlocked(QStringLiteral("文件%1.zip").arg(i), [] { return true; });
    auto* scroll = window.findChild<QScrollArea*>();
    EXPECT_TRUE(waitUntil([&] {
        return scroll->verticalScrollBar()->value() > 0 &&
               scroll->verticalScrollBar()->value() == scroll->verticalScrollBar()->maximum();
    })) << scroll->verticalScrollBar()->value()
        << " of " << scroll->verticalScrollBar()->maximum();
}

TEST(DownloadFilesTest, ADownloadSavedAsChosenKeepsItsOwnExtension) {
    const struct {
        const char* chosen;
        const char* download;
        const char* path;
    } rows[] = {
        {"/d/doc.pdf.mht", "doc.pdf", "/d/doc.pdf"}, {"/d/我的.mht", "doc.PDF", "/d/我的.PDF"},
        {"/d/我的", "doc.pdf", "/d/我的.pdf"},       {"/d/a.pdf", "doc.pdf", "/d/a.pdf"},
        {"/d/a.mht", "download", "/d/a.mht"},        {"/d/.mht", "doc.pdf", "/d/doc.pdf"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(DownloadManager::savedDownloadPath(row.chosen, row.download), row.path)
            << row.chosen;
}

// What a server calls a file: never hidden, never beyond what its ".part" and " (1)" leave
// room for (a longer one could not be written at all), its extension kept when cut.
TEST(DownloadFilesTest, ServerNamesFitTheDisk) {
    const qsizetype most = DownloadManager::kMaxDownloadNameBytes;
    const QString longest = QString(300, QChar(0x4E2D)) + ".pdf";
    const struct {
        const char* name;
        QString suggested;
        QString made;
    } rows[] = {
        {"Hidden", ".bashrc", "bashrc"},
        {"ForbiddenAndTrailingDot", "a:b.txt.", "a_b.txt"},
        {"Nothing", "", "下载"},
        {"LongKeepsItsExtension", longest, QString((most - 4) / 3, QChar(0x4E2D)) + ".pdf"},
        {"LongWithoutExtension", QString(300, 'x'), QString(most, 'x')},
    };
    for (const auto& row : rows) {
        const QString made = downloadedFileName(row.suggested, "下载", most);
        EXPECT_EQ(made, row.made) << row.name;
        EXPECT_LE(made.toUtf8().size(), most) << row.name;
    }
}

TEST(DownloadFilesTest, EachDownloadWritesOnlyAPartFileOfItsOwn) {
    QTemporaryDir folder;
    const QString target = folder.path() + "/report.txt";
    // Another program's file under the usual name stays untouched.
    ASSERT_TRUE(writeFileBytes(target + ".part", "theirs"));
    EXPECT_EQ(DownloadManager::reservePartFile(target), target + ".1.part");
    EXPECT_EQ(DownloadManager::reservePartFile(target), target + ".2.part"); // the same at once
    EXPECT_EQ(readFileBytes(target + ".part"), "theirs");
    // Never through a link: the link's name counts as taken.
    ASSERT_TRUE(QFile::link(folder.path() + "/elsewhere", folder.path() + "/x.part"));
    EXPECT_EQ(DownloadManager::reservePartFile(folder.path() + "/x"), folder.path() + "/x.1.part");
    EXPECT_FALSE(QFileInfo::exists(folder.path() + "/elsewhere"));
}

TEST(DownloadFilesTest, AFinishedFileTakesItsNameInOneStep) {
    QTemporaryDir folder;
    const QString target = folder.path() + "/report.txt";
    ASSERT_TRUE(writeFileBytes(target, "old"));
    // Chosen to replace: the old file is there until the new one is.
    ASSERT_TRUE(writeFileBytes(target + ".part", "new"));
    EXPECT_EQ(DownloadManager::settleFile(target + ".part", target, true), target);
    EXPECT_EQ(readFileBytes(target), "new");
    // Silent: never over a file, whatever took the name meanwhile.
    ASSERT_TRUE(writeFileBytes(target + ".part", "newer"));
    EXPECT_EQ(DownloadManager::settleFile(target + ".part", target, false),
              folder.path() + "/report (1).txt");
    EXPECT_EQ(readFileBytes(target), "new");
    // A replace that cannot happen leaves the old file.
    ASSERT_TRUE(writeFileBytes(folder.path() + "/taken/inside", "kept"));
    ASSERT_TRUE(writeFileBytes(target + ".part", "x"));
    EXPECT_TRUE(
        DownloadManager::settleFile(target + ".part", folder.path() + "/taken", true).isEmpty());
    EXPECT_EQ(readFileBytes(folder.path() + "/taken/inside"), "kept");
}

// NFS, eCryptfs and many FUSE file systems refuse the no-replace flag: the file still lands,
// and still never over another.
TEST(DownloadFilesTest, AFileSystemWithoutNoReplaceRenameStillGetsTheFile) {
    QTemporaryDir folder;
    const QString target = folder.path() + "/report.txt";
    const RenameAt2 refused = [](int, const char*, int, const char*, unsigned int) {
        errno = EINVAL;
        return -1;
    };
    ASSERT_TRUE(writeFileBytes(target + ".part", "new"));
    EXPECT_EQ(DownloadManager::settleFile(target + ".part", target, false, refused), target);
    EXPECT_EQ(readFileBytes(target), "new");
    ASSERT_TRUE(writeFileBytes(target + ".part", "newer"));
    EXPECT_EQ(DownloadManager::settleFile(target + ".part", target, false, refused),
              folder.path() + "/report (1).txt");
    EXPECT_EQ(readFileBytes(target), "new");
    EXPECT_FALSE(QFileInfo::exists(target + ".part"));
}

} // namespace
