// How a window follows its page's events (caption, focus and address, new windows), windows
// closed at any moment, and the addresses it opens without the user typing them; on fakes.
#include "tests/support/FakeServices.h"

#include "browser/StartAddress.h"
#include "core/modMain.h"

#include <QPointer>
#include <QTimer>
#include <fstream>

namespace {

class WindowTest : public BrowserFixture {
protected:
    // Runs the step from the application's event loop, as every user action runs, and lets the
    // loop go on until nothing is left to delete.
    static void fromEventLoop(const std::function<void()>& step) {
        QEventLoop loop;
        QTimer::singleShot(0, &loop, [&] {
            step();
            QTimer::singleShot(0, &loop, &QEventLoop::quit);
        });
        loop.exec();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static QStringList navigations(frmMain* window) {
        return page(window)->calls.filter("Navigate:");
    }
    static void typeInto(TextBox* box, const QString& text) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::keyClicks(box, text);
    }
};

// The caption follows the title as plain text, but not a server-not-found page's.
TEST_F(WindowTest, TheCaptionFollowsTheTitleButNotAServerNotFound) {
    frmMain* window = openWindow();
    const QList<QPair<QString, QString>> rows = {
        {"A", "A - Tarnvale"},
        {"", " - Tarnvale"},
        {"<b>x</b>", "<b>x</b> - Tarnvale"},
        {"找不到服务器", "<b>x</b> - Tarnvale"},
        {"为何找不到服务器？", "为何找不到服务器？ - Tarnvale"},
        {"报告\u202Efdp.exe\u202C", "报告fdp.exe - Tarnvale"},      // shown in its own order
        {QString(5000, 'T'), QString(1000, 'T') + "… - Tarnvale"}}; // cut, with the suffix
    for (const auto& [title, caption] : rows) {
        Q_EMIT page(window)->TitleChange(title);
        EXPECT_EQ(window->windowTitle(), caption);
    }
}

// Who has the keyboard after the page retitles itself or completes, and what the address box
// then shows. A page never takes a box the user is typing in.
TEST_F(WindowTest, PagesTakeTheFocusOnlyFromNobodyTyping) {
    const QString shown = QStringLiteral("http://top.example/Köln"); // readable, the top page's
    const auto typeAddress = [](frmMain* w) {
        typeInto(w->txtURL, QStringLiteral("half-typ"));
    };
    const auto typeKeyword = [](frmMain* w) {
        typeInto(w->txtSearch, QStringLiteral("key"));
    };
    const auto enterAddress = [](frmMain* w) {
        typeInto(w->txtURL, QStringLiteral("entered"));
        QTest::keyClick(w->txtURL, Qt::Key_Return);
    };
    const struct {
        const char* name;
        std::function<void(frmMain*)> before; // what the user did
        bool complete;                        // DocumentComplete, else TitleChange
        QString focused;                      // object name afterwards
        QString address;                      // the address box afterwards
    } rows[] = {
        {"TitleWhenIdle", [](frmMain*) {}, false, "webMain", ""},
        {"TitleWhileTypingAnAddress", typeAddress, false, "txtURL", "half-typ"},
        {"TitleWhileTypingAKeyword", typeKeyword, false, "txtSearch", ""},
        {"TitleAfterAClickIntoTheBox",
         [](frmMain* w) { QTest::mouseClick(w->txtURL, Qt::LeftButton); }, false, "txtURL", ""},
        {"TitleAfterFocusFromCode", [](frmMain* w) { w->txtURL->setFocus(Qt::OtherFocusReason); },
         false, "webMain", ""},
        {"CompleteWhenIdle", [](frmMain*) {}, true, "webMain", shown},
        {"CompleteKeepsATypedAddress", typeAddress, true, "txtURL", "half-typ"},
        {"CompleteOfTheEnteredAddress", enterAddress, true, "webMain", shown},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        frmMain* window = openWindow();
        page(window)->locationUrl = QStringLiteral("http://top.example/K%C3%B6ln");
        row.before(window);
        if (row.complete)
            Q_EMIT page(window)->DocumentComplete(QStringLiteral("http://frame.example/inner"));
        else
            Q_EMIT page(window)->TitleChange(QStringLiteral("T"));
        QWidget* focused = QApplication::focusWidget();
        EXPECT_EQ(focused ? focused->objectName() : "nothing", row.focused);
        EXPECT_EQ(window->txtURL->text(), row.address);
        // A document without address changes nothing.
        Q_EMIT page(window)->DocumentComplete(QString());
        EXPECT_EQ(window->txtURL->text(), row.address);
        window->close();
    }
}

// A page's new window runs its load first, the settings read again, but starts no page of its
// own and lets no other event run until it is handed over: the engine waits meanwhile. Unlike
// New, it does not take the focus into its address box. Other windows may be closed at any
// moment, also while they still let other events run: nothing is used after it is freed (the
// sanitizer build runs this).
TEST_F(WindowTest, NewWindowsOfAPageAndWindowsClosedWhileTheyLoad) {
    frmMain* opener = openWindow();
    setStartPage(QStringLiteral("http://newer-start.example/"));
    frmMain* opened = nullptr;
    PageView* handedOver = nullptr;
    fromEventLoop([&] {
        QTimer::singleShot(0, opener, [opener] { opener->close(); });
        handedOver = page(opener)->raiseNewWindow2();
        opened = frmMain::openWindows().last();
        EXPECT_EQ(frmMain::openWindows().size(), 2); // the opener's close waited
    });
    EXPECT_EQ(handedOver, opened->webMain);
    ASSERT_EQ(frmMain::openWindows(), QList<frmMain*>{opened});
    EXPECT_TRUE(opened->isVisible() && (opened->windowState() & Qt::WindowMaximized));
    EXPECT_EQ(page(opened)->calls, (QStringList{"setRegisterAsBrowser:true", "setSilent:true"}));
    EXPECT_EQ(gstrStartPage, "http://newer-start.example/");
    EXPECT_NE(opened->focusWidget(), opened->txtURL);

    frmMain* loading = newWindow("http://a.example/");
    const QPointer<frmMain> loadingGuard(loading);
    page(loading)->onNavigate = [loading](const QString&) {
        loading->close();
    };
    fromEventLoop([loading] { loading->Show(); });
    EXPECT_TRUE(loadingGuard.isNull());
    const QPointer<frmMain> checking(openWindow());
    fromEventLoop([&checking] {
        QTimer::singleShot(0, checking, [&checking] { checking->close(); });
        Q_EMIT page(checking)->BeforeNavigate2(QStringLiteral("http://b.example/"));
        checking->NavigateTo(QStringLiteral("http://b.example/")); // usable until it ends
    });
    EXPECT_TRUE(checking.isNull());
}

// Addresses the user did not type (command line, favorites, start page) open only if they are
// web addresses; anything else is named in a message and logged.
TEST_F(WindowTest, GivenAddressesOpenOnlyIfTheyAreWebAddresses) {
    const QString refused = "vbscript:" + QString(300, 'x');
    for (const QString& address :
         {QStringLiteral("https://a.example/"), QStringLiteral("file:///tmp/a.html"),
          QStringLiteral("ABOUT:blank"), refused}) {
        frmMain* window = newWindow(address);
        window->mblnURLGiven = true;
        window->Show();
    }
    QCoreApplication::processEvents(); // the message comes out of the load
    QStringList opened;
    for (frmMain* window : frmMain::openWindows())
        opened << navigations(window);
    EXPECT_EQ(opened, (QStringList{"Navigate:https://a.example/", "Navigate:file:///tmp/a.html",
                                   "Navigate:ABOUT:blank"}));
    shortcut("evil.url", "javascript:alert(document.cookie)");
    setStartPage("data:text/html,start");
    frmMain* typed = newWindow("http://typed.example/"); // typed in the open dialog
    typed->Show();
    typed->mnuMainFavoriteUser_Click(1);
    typed->mnuMainViewGoHomePage_Click();
    QCoreApplication::processEvents();
    EXPECT_EQ(navigations(typed), QStringList{"Navigate:http://typed.example/"});
    QStringList shown;
    for (const auto& box : boxes.shown)
        shown << box.title + "|" + box.text;
    EXPECT_EQ(shown, (QStringList{"提示|不能打开这个地址：" + refused.left(200),
                                  "提示|不能打开这个地址：javascript:alert(document.cookie)",
                                  "提示|不能打开这个地址：data:text/html,start"}));
    EXPECT_EQ(fromGbk(errorLog()).count("CheckGivenAddress"), 3);
}

TEST(StartAddressTest, AnAddressAFileInTheWorkingFolderOrAShortcutsUrl) {
    QTemporaryDir folder;
    ASSERT_TRUE(writeFileBytes(folder.path() + "/站点.URL", "x"));
    ASSERT_TRUE(writeFileBytes(folder.path() + "/page.html", "<title>p</title>"));
    const QByteArray gbkName = "\xD6\xD0\xCE\xC4.url"; // 中文, as Windows names it
    std::ofstream(QFile::encodeName(folder.path() + "/").toStdString() + gbkName.toStdString())
        << "x";
    const QString before = QDir::currentPath();
    QDir::setCurrent(folder.path());
    QList<QByteArray> read;
    const auto reader = [&read](const std::filesystem::path& file) {
        read << QByteArray(file.filename().c_str());
        return QStringLiteral("http://from-shortcut/");
    };
    EXPECT_TRUE(startAddress({"tarnvale"}, reader).isEmpty());
    EXPECT_EQ(startAddress({"tarnvale", "http://given/"}, reader), "http://given/");
    EXPECT_EQ(startAddress({"tarnvale", "站点.URL"}, reader), "http://from-shortcut/");
    EXPECT_EQ(startAddress({"tarnvale", QFile::encodeName(folder.path()) + "/" + gbkName}, reader),
              "http://from-shortcut/");
    EXPECT_EQ(read, (QList<QByteArray>{"站点.URL", gbkName}));
    EXPECT_EQ(startAddress({"tarnvale", "page.html"}, reader),
              QUrl::fromLocalFile(folder.path() + "/page.html").toString(QUrl::FullyEncoded));
    EXPECT_EQ(startAddress({"tarnvale", "missing.url"}, reader), "missing.url");
    const QByteArray gbkPage = "\xD6\xD0.html";
    std::ofstream(QFile::encodeName(folder.path() + "/").toStdString() + gbkPage.toStdString());
    EXPECT_EQ(startAddress({"tarnvale", gbkPage}, reader),
              QUrl::fromLocalFile(folder.path()).toString(QUrl::FullyEncoded) + "/%D6%D0.html");
    QDir::setCurrent(before);
}

} // namespace
