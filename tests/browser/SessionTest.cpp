// The session file and what it brings back: the open windows after a crash and the windows
// closed in this run. A damaged or planted file is refused whole and never stops a start.
#include "tests/support/FakeServices.h"

#include "browser/SessionFile.h"
#include "browser/StartWindows.h"
#include "tests/support/WaitUntil.h"

#include <QRegularExpression>
#include <sys/stat.h>

namespace {

PageHistory pages(const QStringList& urls, int current, const QByteArray& state = {}) {
    return {urls, current, state};
}

// "current:url,url #state"
QString text(const PageHistory& history) {
    return QString::number(history.current) + ":" + history.urls.join(',') +
           (history.viewState.isEmpty() ? "" : " #" + history.viewState);
}

TEST(SessionFileTest, KeepsWebAddressesAroundTheCurrentPageAndReadsBackWhatItWrote) {
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
         pages({"data:text/html,x", "http://a/", "javascript:1", tooLong, "about:blank"}, 2, "st"),
         pages({"http://a/", "about:blank"}, 0, "st")},
        {"NothingLoaded", {}, {}},
        {"ALongListKeepsThePagesBeforeTheCurrentOne", pages(sixty, 55, tooBig),
         pages(sixty.mid(6, 50), 49)},
        {"ALongListAtItsStart", pages(sixty, 0), pages(sixty.mid(0, 50), 0)},
    };
    for (const auto& row : rows)
        EXPECT_EQ(text(sessionFile::keptHistory(row.live)), text(row.kept)) << row.name;

    const QList<PageHistory> windows = {
        pages({"http://a/", "file:///tmp/K%C3%B6ln"}, 1, QByteArray("\0\1", 2)),
        pages({"http://t/%E4%B8%AD"}, 0)};
    QString problem;
    const auto read = sessionFile::decode(sessionFile::encode(windows), &problem);
    ASSERT_TRUE(read) << problem.toStdString();
    ASSERT_EQ(read->size(), 2);
    EXPECT_EQ(text(read->at(0)) + text(read->at(1)), text(windows[0]) + text(windows[1]));
    // Another Qt could not read the state: the addresses stay.
    const QByteArray older = sessionFile::encode(windows).replace(qVersion(), "5.15.2");
    EXPECT_EQ(text(sessionFile::decode(older, &problem).value().at(0)),
              "1:http://a/,file:///tmp/K%C3%B6ln");
}

TEST(SessionFileTest, ADamagedOrPlantedFileIsRefusedWhole) {
    const auto window = [](const QByteArray& urls, const QByteArray& current) {
        return "{\"current\":" + current + ",\"urls\":[" + urls + "]}";
    };
    const auto file = [](const QByteArray& windows) {
        return "{\"version\":1,\"windows\":[" + windows + "]}";
    };
    const QByteArray url = "\"http://a/\"";
    const QByteArray one = window(url, "0");
    const QByteArray stated = sessionFile::encode({pages({"http://a/"}, 0, "state")});
    const QByteArray tooBig(sessionFile::kMaxViewState + 1, 's');
    const struct {
        const char* name;
        QByteArray bytes;
        bool valid;
    } rows[] = {
        {"Valid", file(one + "," + one), true},
        {"ValidWithAState", stated, true},
        {"GarbageBytes", QByteArray("\x00\xff{\"version\":1", 14), false},
        {"AnotherVersion", QByteArray(file(one)).replace("1,", "2,"), false},
        {"CurrentPastTheEnd", file(window(url, "1")), false},
        {"HugeCurrent", file(window(url, "1e300")), false},
        {"FractionalCurrent", file(window(url + "," + url, "0.5")), false},
        {"NoAddresses", file(window("", "0")), false},
        {"TooManyAddresses", file(window((url + ",").repeated(50) + url, "0")), false},
        {"TooManyWindows", file((one + ",").repeated(50) + one), false},
        {"ScriptAddress", file(window("\"javascript:alert(1)\"", "0")), false},
        {"AddressNoText", file(window("5", "0")), false},
        {"StateAltered", QByteArray(stated).replace("c3RhdGU=", "c3RhdGY="), false},
        {"StateNoBase64", QByteArray(stated).replace("c3RhdGU=", "!!!!"), false},
        {"StateTooBig", sessionFile::encode({pages({"http://a/"}, 0, tooBig)}), false},
    };
    for (const auto& row : rows) {
        QString problem;
        EXPECT_EQ(sessionFile::decode(row.bytes, &problem).has_value(), row.valid) << row.name;
        EXPECT_EQ(problem.isEmpty(), row.valid) << row.name;
    }
}

class SessionTest : public BrowserFixture {
public:
    QString sessionPath() const { return folder.path() + "/session.json"; }
    // What a run leaves when it ends with two windows open.
    static void crashWithTwoWindows(SessionTest* test) {
        page(test->openWindow())->history = pages({"http://a/1", "http://a/2"}, 1, "state");
        page(test->openWindow())->history = pages({"file:///tmp/%E4%B8%AD.html"}, 0);
        test->session.saveNow();
        while (frmMain* window = frmMain::defaultWindow())
            delete window; // not closed
    }
    // What each window opened: "restoreHistory:N=N:url,url #state" or "Navigate:url".
    static QStringList opened() {
        QStringList result;
        for (frmMain* window : frmMain::openWindows()) {
            QString did =
                page(window)->calls.filter(QRegularExpression("^(Navigate|restore)")).join(',');
            const PageHistory& history = page(window)->history;
            result << did + (history.urls.isEmpty() ? "" : "=" + text(history));
        }
        return result;
    }
};

TEST_F(SessionTest, AStartAfterACrashOffersTheWindowsAgainWithTheirLists) {
    const QString start = "Navigate:" + kStartPage;
    const QString restoredA = "restoreHistory:1=1:http://a/1,http://a/2 #state";
    const QString restoredB = "restoreHistory:0=0:file:///tmp/%E4%B8%AD.html";
    const auto damaged = [](const QByteArray& bytes) {
        return [bytes](SessionTest* test) {
            writeFileBytes(test->sessionPath(), bytes);
        };
    };
    const struct {
        const char* name;
        std::function<void(SessionTest*)> before;
        bool restore;
        QString address;
        bool asked;
        bool logged; // the file named in the error log
        QStringList opened;
    } rows[] = {
        {"Restored", crashWithTwoWindows, true, "", true, false, {restoredA, restoredB}},
        {"RestoredAndTheGivenAddress",
         crashWithTwoWindows,
         true,
         "http://given/",
         true,
         false,
         {restoredA, restoredB, "Navigate:http://given/"}},
        {"NotRestored", crashWithTwoWindows, false, "", true, false, {start}},
        {"ACleanExitAsksNothing",
         [](SessionTest* t) { t->openWindow()->close(); },
         true,
         "",
         false,
         false,
         {start}},
        {"DamagedFile",
         damaged("{\"version\":1,\"windows\":[{\"current\":7"),
         true,
         "",
         false,
         true,
         {start}},
        {"Fifo",
         [](SessionTest* t) { ::mkfifo(QFile::encodeName(t->sessionPath()), 0600); },
         true,
         "",
         false,
         true,
         {start}},
        {"HugeFile",
         [](SessionTest* t) {
             QFile file(t->sessionPath());
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.resize(sessionFile::kMaxFileBytes + 1);
         },
         true,
         "",
         false,
         true,
         {start}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        while (frmMain* window = frmMain::defaultWindow())
            delete window;
        QFile::remove(sessionPath());
        QFile::remove(folder.path() + "/program/KQLog.txt");
        row.before(this);
        while (frmMain* window = frmMain::defaultWindow())
            delete window;
        boxes.shown.clear();
        boxes.answers = {row.restore};
        OpenStartWindows(services, row.address);
        EXPECT_EQ(opened(), row.opened);
        QStringList asked;
        for (const auto& box : boxes.shown)
            asked << box.title + "|" + box.text + "|" + box.buttons;
        EXPECT_EQ(asked, row.asked
                             ? QStringList{"塔文浏览器(Tarnvale)|塔文浏览器上次没有正常关闭。"
                                           "要恢复上次打开的 2 个窗口吗？|恢复(&R)|不恢复(&N)"}
                             : QStringList());
        EXPECT_EQ(fromGbk(errorLog()).contains(sessionPath()), row.logged);
    }
}

// Up to ten closed windows come back, the latest first, each with its list; one closed while
// its first page loaded comes back on that page. Clearing the history forgets them.
TEST_F(SessionTest, ClosedWindowsReopenLatestFirst) {
    frmMain* window = openWindow();
    EXPECT_FALSE(window->mnuMainFileReopen->isEnabled());
    for (int i = 0; i < 11; ++i) {
        frmMain* closing = openWindow();
        page(closing)->history = pages({"http://c/" + QString::number(i), "http://d/"}, 1);
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
    QStringList expected = {"restoreHistory:0=0:http://loading/"};
    for (int i = 10; i > 1; --i)
        expected << "restoreHistory:1=1:http://c/" + QString::number(i) + ",http://d/";
    EXPECT_EQ(reopened, expected);

    frmMain* another = openWindow();
    page(another)->history = pages({"http://e/"}, 0);
    another->close();
    boxes.answers = {true};
    window->mnuMainToolHistoryClearExplorer->trigger();
    EXPECT_FALSE(window->mnuMainFileReopen->isEnabled());
}

// A new address is written soon, once for a burst; a title alone writes nothing. The file is
// private; a folder it cannot be written to is named in the error log once.
TEST_F(SessionTest, TheFileFollowsAddressesSoonAndPrivately) {
    frmMain* window = openWindow();
    page(window)->history = pages({"http://a/"}, 0);
    Q_EMIT page(window)->TitleChange(QStringLiteral("retitled"));
    EXPECT_FALSE(session.isSavePending());
    for (int i = 0; i < 5; ++i)
        Q_EMIT page(window)->locationChanged();
    EXPECT_TRUE(session.isSavePending() && !QFile::exists(sessionPath()));
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(sessionPath()); }, 5000));
    EXPECT_EQ(fileMode(sessionPath()), 0600);
    QString problem;
    EXPECT_EQ(text(sessionFile::read(sessionPath(), &problem).value().value(0)), "0:http://a/");

    ASSERT_TRUE(writeFileBytes(folder.path() + "/file", "x"));
    SessionKeeper blocked(folder.path() + "/file/session.json");
    blocked.saveNow();
    blocked.saveNow();
    EXPECT_EQ(fromGbk(errorLog()).count("不能写入会话文件"), 1);
}

} // namespace
