// The session file and what it brings back: the open windows after a crash and the windows
// closed in this run. A damaged or planted file is refused whole and never stops a start.
#include "tests/support/FakeServices.h"

#include "browser/SessionFile.h"
#include "browser/StartWindows.h"
#include "tests/support/WaitUntil.h"

#include <sys/stat.h>

namespace {

// "current:url,url #state"
QString text(const PageHistory& history) {
    return QString::number(history.current) + ":" + history.urls.join(',') +
           (history.viewState.isEmpty() ? "" : " #" + history.viewState);
}

TEST(SessionFileTest, KeepsWebAddressesAroundTheCurrentPage) {
    QStringList sixty;
    for (int i = 0; i < 60; ++i)
        sixty << QStringLiteral("http://a/%1").arg(i);
    const QString tooLong = "http://b/" + QString(sessionFile::kMaxUrlLength, 'x');
    const QByteArray tooBig(sessionFile::kMaxViewState + 1, 's');
    const struct {
        const char* name;
        PageHistory live;
        PageHistory kept;
    } rows[] = {
        {"OtherSchemesAndOverlongAddressesGo",
         PageHistory{
             {"data:text/html,x", "http://a/", "javascript:1", tooLong, "about:blank"}, 2, "st"},
         PageHistory{{"http://a/", "about:blank"}, 0, "st"}},
        {"ALongListKeepsThePagesBeforeTheCurrentOne", PageHistory{sixty, 55, tooBig},
         PageHistory{sixty.mid(6, 50), 49, {}}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(text(sessionFile::keptHistory(row.live)), text(row.kept)) << row.name;
}

TEST(SessionFileTest, ADamagedOrPlantedFileIsRefusedWhole) {
    const auto file = [](const QByteArray& urls, const QByteArray& current, int windows = 1) {
        const QByteArray one = "{\"current\":" + current + ",\"urls\":[" + urls + "]}";
        return "{\"version\":1,\"windows\":[" + (one + ",").repeated(windows - 1) + one + "]}";
    };
    const QByteArray url = "\"http://a/\"";
    const QByteArray stated = sessionFile::encode({PageHistory{{"http://a/"}, 0, "state"}});
    const QByteArray tooBig(sessionFile::kMaxViewState + 1, 's');
    const struct {
        const char* name;
        QByteArray bytes;
        QString read; // empty: refused
    } rows[] = {
        {"ValidWithAState", stated, "0:http://a/ #state"},
        {"AStateAnotherQtWrote", QByteArray(stated).replace(qVersion(), "5.15.2"), "0:http://a/"},
        {"GarbageBytes", QByteArray("\x00\xff{\"version\":1", 14), ""},
        {"AnotherVersion", file(url, "0").replace("1,", "2,"), ""},
        {"CurrentPastTheEnd", file(url, "1"), ""},
        {"HugeCurrent", file(url, "1e300"), ""},
        {"FractionalCurrent", file(url + "," + url, "0.5"), ""},
        {"NoAddresses", file("", "0"), ""},
        {"TooManyAddresses", file((url + ",").repeated(50) + url, "0"), ""},
        {"TooManyWindows", file(url, "0", 51), ""},
        {"ScriptAddress", file("\"javascript:alert(1)\"", "0"), ""},
        {"StateAltered", QByteArray(stated).replace("c3RhdGU=", "c3RhdGY="), ""},
        {"StateTooBig", sessionFile::encode({PageHistory{{"http://a/"}, 0, tooBig}}), ""},
    };
    for (const auto& row : rows) {
        QString problem;
        QStringList read;
        for (const PageHistory& window :
             sessionFile::decode(row.bytes, &problem).value_or(QList<PageHistory>()))
            read << text(window);
        EXPECT_EQ(read.join(' '), row.read) << row.name;
        EXPECT_EQ(problem.isEmpty(), !row.read.isEmpty()) << row.name;
    }
}

// The most windows with the longest lists and records still make a file that reads back; the
// records past the budget are left out, the first windows' kept.
TEST(SessionFileTest, TheLargestSessionStaysReadable) {
    using namespace sessionFile;
    const QString longest = "http://a/" + QString(kMaxUrlLength - 9, 'x');
    const PageHistory full{QStringList(kMaxEntries, longest), 0, QByteArray(kMaxViewState, 's')};
    const QByteArray bytes = encode(QList<PageHistory>(kMaxWindows, full));
    EXPECT_LE(bytes.size(), kMaxFileBytes);
    QString problem;
    const auto read = decode(bytes, &problem);
    ASSERT_TRUE(read) << problem.toStdString();
    QList<bool> stated;
    for (const PageHistory& window : *read)
        stated << !window.viewState.isEmpty();
    EXPECT_EQ(stated.count(true), kMaxViewStates / kMaxViewState);
    EXPECT_TRUE(stated.first() && !stated.last());
}

// A FIFO would block the start, a huge file fill the memory.
TEST(SessionFileTest, OnlyAPlainFileOfBoundedSizeIsRead) {
    QTemporaryDir folder;
    const QString fifo = folder.path() + "/fifo", huge = folder.path() + "/huge";
    QFile file(huge);
    ASSERT_TRUE(::mkfifo(QFile::encodeName(fifo), 0600) == 0 && file.open(QIODevice::WriteOnly) &&
                file.resize(sessionFile::kMaxFileBytes + 1));
    QString problem;
    EXPECT_FALSE(sessionFile::read(fifo, &problem) || sessionFile::read(huge, &problem));
    EXPECT_EQ(sessionFile::read(folder.path() + "/none", &problem).value().size(), 0);
}

class SessionTest : public BrowserFixture {
public:
    QString sessionPath() const { return folder.path() + "/session.json"; }
    // What a run leaves when it ends with two windows open.
    static void crashWithTwoWindows(SessionTest* test) {
        page(test->openWindow())->history = PageHistory{{"http://a/1", "http://a/2"}, 1, "state"};
        page(test->openWindow())->history = PageHistory{{"file:///tmp/%E4%B8%AD.html"}, 0, {}};
        test->session.saveNow();
    }
    // What each window opened: "restored current:url,url #state" or "Navigate:url".
    static QStringList opened() {
        QStringList result;
        for (frmMain* window : frmMain::openWindows()) {
            const PageHistory& history = page(window)->history;
            result << (history.urls.isEmpty() ? page(window)->calls.filter("Navigate:").join(',')
                                              : "restored " + text(history));
        }
        return result;
    }
};

TEST_F(SessionTest, AStartAfterACrashOffersTheWindowsAgainWithTheirLists) {
    const QString start = "Navigate:" + kStartPage;
    const QStringList restored = {"restored 1:http://a/1,http://a/2 #state",
                                  "restored 0:file:///tmp/%E4%B8%AD.html"};
    const struct {
        const char* name;
        bool crashed;    // else the file holds these bytes
        QByteArray file; // damaged: named in the error log
        bool restore;
        QString address;
        QStringList opened;
    } rows[] = {
        {"Restored", true, "", true, "", restored},
        {"AndTheGivenAddress", true, "", true, "http://g/",
         restored + QStringList{"Navigate:http://g/"}},
        {"NotRestored", true, "", false, "", {start}},
        {"DamagedFile", false, "{\"windows\":[", true, "", {start}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QFile::remove(folder.path() + "/program/KQLog.txt");
        writeFileBytes(sessionPath(), row.file);
        if (row.crashed)
            crashWithTwoWindows(this);
        while (frmMain* window = frmMain::defaultWindow())
            delete window; // as a crash leaves them: not closed
        boxes.shown.clear();
        boxes.answers = {row.restore};
        OpenStartWindows(services, row.address);
        EXPECT_EQ(opened(), row.opened);
        QStringList asked;
        for (const auto& box : boxes.shown)
            asked << box.title + "|" + box.text + "|" + box.buttons;
        EXPECT_EQ(asked, row.crashed
                             ? QStringList{"塔文浏览器(Tarnvale)|塔文浏览器上次没有正常关闭。"
                                           "要恢复上次打开的 2 个窗口吗？|恢复(&R)|不恢复(&N)"}
                             : QStringList());
        EXPECT_EQ(fromGbk(errorLog()).contains(sessionPath()), !row.crashed);
        while (frmMain* window = frmMain::defaultWindow())
            delete window;
    }
}

// Up to ten closed windows come back, the latest first, each with its list; one closed while
// its first page loaded comes back on that page. Clearing the history forgets them.
TEST_F(SessionTest, ClosedWindowsReopenLatestFirstAndAddressesAreKeptSoon) {
    frmMain* window = openWindow();
    EXPECT_FALSE(window->mnuMainFileReopen->isEnabled());
    for (int i = 0; i < 11; ++i) {
        frmMain* closing = openWindow();
        page(closing)->history =
            PageHistory{{"http://c/" + QString::number(i), "http://d/"}, 1, {}};
        closing->close();
    }
    frmMain* loading = openWindow();
    page(loading)->locationUrl = QStringLiteral("http://loading/");
    loading->close();
    QStringList reopened;
    while (window->mnuMainFileReopen->isEnabled()) {
        window->mnuMainFileReopen->trigger();
        reopened << opened().constLast();
    }
    QStringList expected = {"restored 0:http://loading/"};
    for (int i = 10; i > 1; --i)
        expected << "restored 1:http://c/" + QString::number(i) + ",http://d/";
    EXPECT_EQ(reopened, expected);

    frmMain* another = openWindow();
    page(another)->history = PageHistory{{"http://e/"}, 0, {}};
    another->close();
    boxes.answers = {true};
    window->mnuMainToolHistoryClearExplorer->trigger();
    EXPECT_FALSE(window->mnuMainFileReopen->isEnabled());

    // A new address is written soon, once for a burst; a title alone writes nothing. A folder
    // the file cannot be written to is named in the error log once.
    QFile::remove(sessionPath());
    Q_EMIT page(window)->TitleChange(QStringLiteral("retitled"));
    EXPECT_FALSE(session.isSavePending());
    for (int i = 0; i < 5; ++i)
        Q_EMIT page(window)->locationChanged();
    EXPECT_TRUE(session.isSavePending() && !QFile::exists(sessionPath()));
    EXPECT_TRUE(waitUntil([&] { return QFile::exists(sessionPath()); }, 5000));

    ASSERT_TRUE(writeFileBytes(folder.path() + "/file", "x"));
    SessionKeeper blocked(folder.path() + "/file/session.json");
    blocked.saveNow();
    blocked.saveNow();
    EXPECT_EQ(fromGbk(errorLog()).count("不能写入会话文件"), 1);
}

} // namespace
