// Where the page source goes when the program folder cannot take it, on fakes.
#include "tools/ViewSource.h"
#include "platform/GbkText.h"
#include "platform/ProgramFolder.h"
#include "platform/testing/FakeMessageBoxes.h"
#include "platform/testing/FakePageView.h"
#include "platform/testing/FakeProcessLauncher.h"
#include "tests/support/WaitUntil.h"

#include <QTimer>

namespace {

class ViewSourceTest : public ::testing::Test {
protected:
    ViewSourceTest() {
        QDir(folder.path()).mkdir(QStringLiteral("程序 目录"));
        overrideProgramFolder(folder.path() + QStringLiteral("/程序 目录"));
    }
    ~ViewSourceTest() override {
        overrideProgramFolder(QString());
        QFile::remove(fallbackPageSourcePath());
    }
    // The file the editor was started on for this markup (nothing: no document).
    QString show(const std::optional<QString>& markup, QObject* context = nullptr) {
        view.markup = markup;
        const qsizetype before = launcher.started.size();
        ShowPageSource(view, launcher, boxes, context ? context : &view);
        if (!waitUntil([&] { return launcher.started.size() > before; }, 5000))
            return QString();
        return launcher.started.last().arguments.join('|');
    }
    QString source() const { return programFolder() + QStringLiteral("/KQCode.txt"); }

    QTemporaryDir folder;
    FakePageView view;
    FakeProcessLauncher launcher;
    FakeMessageBoxes boxes;
};

// Mended: with an unwritable program folder the old file was opened as this page's source.
// Where nothing can be written, or the window closed meanwhile, nothing starts: the next
// source shown is the first the editor opens.
TEST_F(ViewSourceTest, UnwritableProgramFolderFallsBackToTheCacheFolderOrNothingStarts) {
    overrideProgramFolder(QStringLiteral("/proc")); // not writable, even for root
    EXPECT_EQ(show(QStringLiteral("<body>fresh</body>")), fallbackPageSourcePath());
    EXPECT_EQ(readFileBytes(fallbackPageSourcePath()), QByteArray("<body>fresh</body>\r\n"));
    EXPECT_EQ(fileMode(fallbackPageSourcePath()), 0600); // a page's source may be private

    const QByteArray cache = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", "/proc/none");
    view.markup = QStringLiteral("x");
    ShowPageSource(view, launcher, boxes, &view);
    // Answers come in the order asked: the folder is back once that one was answered.
    QTimer::singleShot(0, [cache] { qputenv("XDG_CACHE_HOME", cache); });
    auto* closing = new QObject;
    ShowPageSource(view, launcher, boxes, closing);
    delete closing;
    const QString opened = show(QStringLiteral("last"));
    EXPECT_EQ(opened, fallbackPageSourcePath());
    EXPECT_EQ(launcher.started.size(), 2);
}

// GBK keeps Chinese as it is; what it cannot hold is written as a character reference, not lost.
TEST_F(ViewSourceTest, WhatGbkCannotHoldIsWrittenAsACharacterReference) {
    ASSERT_EQ(show(QStringLiteral("<p>中文 שלום 😀 &amp;</p>")), source());
    EXPECT_EQ(
        readFileBytes(source()),
        toGbk(QStringLiteral("<p>中文 &#x5E9;&#x5DC;&#x5D5;&#x5DD; &#x1F600; &amp;</p>\r\n")));
}

} // namespace
