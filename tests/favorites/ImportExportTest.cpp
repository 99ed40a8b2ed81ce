// Importing other browsers' bookmarks into the favorites folder, each format from files written
// as its public description has them, checked as the shortcut files' bytes; exporting and
// importing again; files that must change nothing.
#include "favorites/NetscapeBookmarks.h"
#include "platform/AddressText.h"
#include "tests/support/FakeServices.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QMenu>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTextStream>
#include <cerrno>

namespace {

// Every entry below the folder, sorted: "folder/", and "path=address" for a shortcut that is
// exactly what Windows writes ("[InternetShortcut]", then the address in GBK); anything else
// shows its bytes.
QStringList favoritesTree(const QString& root) {
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    const QByteArray head = "[InternetShortcut]\r\nURL=";
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = path.mid(root.size() + 1);
        const QByteArray bytes = readFileBytes(path);
        if (QFileInfo(path).isDir())
            lines << relative + '/';
        else if (bytes.startsWith(head) && bytes.endsWith("\r\n") && bytes.count('\n') == 2)
            lines << relative + '=' + fromGbk(bytes.mid(head.size()).chopped(2));
        else
            lines << relative + '?' + QString::fromLatin1(bytes.toHex());
    }
    lines.sort();
    return lines;
}

struct Row {
    const char* name;
    QByteArray file;
    QStringList tree; // below 导入的收藏
    QString message;
};

class ImportExportTest : public BrowserFixture {
protected:
    QString import(const QString& name, const QByteArray& bytes,
                   const QString& into = modFavorite::kImportFolder) {
        const QString path = folder.path() + "/in/" + name;
        writeFileBytes(path, bytes);
        return favorites.ImportFavorites(path, into).message;
    }
    void checkRows(const char* fileName, const QList<Row>& rows) {
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            QDir(favoritesPath()).removeRecursively();
            QDir().mkpath(favoritesPath());
            EXPECT_EQ(import(fileName, row.file), row.message);
            QStringList tree;
            for (const QString& line : row.tree)
                tree << "导入的收藏/" + line;
            tree << "导入的收藏/";
            tree.sort();
            EXPECT_EQ(favoritesTree(favoritesPath()), tree);
        }
    }
};

const QByteArray kHead = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<!-- This is an automatically "
                         "generated file.\n It will be read and overwritten.\n DO NOT EDIT! -->\n";

TEST_F(ImportExportTest, NetscapeBookmarkFiles) {
    const QString nested =
        "<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n<DL><p>\n"
        "<DT><H3 ADD_DATE=\"1700000000\" PERSONAL_TOOLBAR_FOLDER=\"true\">书签栏</H3>\n<DL><p>\n"
        "<DT><A HREF=\"https://www.baidu.com/\" ADD_DATE=\"1\" ICON=\"data:image/png;base64,AA\">"
        "百度一下，你就知道</A>\n"
        "<DT><A HREF=\"https://www.baidu.com/\">百度一下，你就知道</A>\n"
        "<DT><A HREF=\"https://news.baidu.com/\">百度一下，你就知道</A>\n"
        "<DT><A HREF=\"javascript:alert(1)\">书签小工具</A>\n<HR>\n"
        "<DT><H3>新闻</H3>\n<DD>文件夹的说明\n<DL><p>\n"
        "<DT><A HREF=\"http://news.sina.com.cn/?a=1&amp;b=2\">新浪 &amp; <b>新闻</b>: "
        "&quot;头条&quot;</A>\n<DT><H3>空文件夹</H3>\n<DL><p>\n</DL><p>\n</DL><p>\n</DL><p>\n"
        "<DT><A HREF=\"https://de.wikipedia.org/wiki/Köln\">Köln – Wikipedia</A>\n"
        "<DT><A HREF=\"place:sort=8&amp;maxResults=10\">最常访问</A>\n</DL><p>\n";
    const QStringList nestedTree = {
        "书签栏/",
        "书签栏/新闻/",
        "书签栏/新闻/新浪 & 新闻_ _头条_.url=http://news.sina.com.cn/?a=1&b=2",
        "书签栏/新闻/空文件夹/",
        "书签栏/百度一下，你就知道.url=https://www.baidu.com/",
        "书签栏/百度一下，你就知道 (2).url=https://news.baidu.com/",
        "Köln – Wikipedia.url=https://de.wikipedia.org/wiki/K%C3%B6ln"};
    const QString windows =
        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=%1\">\r\n<dl><p>\r\n"
        "<DT><H3 FOLDED ADD_DATE=\"1\">链接</H3>\r\n<DL><p>\r\n"
        "<DT><A HREF=\"http://www.sina.com.cn/新闻/\" LAST_VISIT=\"2\">朱镕基答记者问</A>\r\n"
        "</DL><p>\r\n</dl><p>\r\n";
    const QStringList windowsTree = {"链接/",
                                     "链接/朱镕基答记者问.url=http://www.sina.com.cn/新闻/"};
    const QString meta =
        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n";
    checkRows("bookmarks.html",
              {{"UTF-8: nested, duplicates, bookmarklets, separators, an empty folder",
                kHead + (meta + nested).toUtf8(), nestedTree, "已导入 4 个收藏，跳过 3 个"},
               {"GBK named gb2312, as Internet Explorer exports",
                kHead + toGbk(windows.arg("gb2312")), windowsTree, "已导入 1 个收藏，跳过 0 个"},
               {"GBK undeclared", kHead + toGbk(windows.arg("")), windowsTree,
                "已导入 1 个收藏，跳过 0 个"},
               {"UTF-8 undeclared", "\xEF\xBB\xBF" + kHead + nested.toUtf8(), nestedTree,
                "已导入 4 个收藏，跳过 3 个"}});
}

TEST_F(ImportExportTest, ChromiumBookmarksFiles) {
    const QByteArray file = R"json({"checksum": "0", "roots": {
        "bookmark_bar": {"name": "Bookmarks bar", "type": "folder", "children": [
            {"type": "url", "name": "百度", "url": "https://www.baidu.com/", "date_added": "1"},
            {"type": "url", "name": "百度", "url": "https://www.baidu.com/"},
            {"type": "url", "name": "\u767e\u5ea6", "url": "https://www.baidu.com/s?wd=中文"},
            {"type": "url", "name": "小工具", "url": "javascript:void(0)"},
            {"type": "folder", "name": "工作", "children": [
                {"type": "folder", "name": "空", "children": []},
                {"type": "url", "name": "内网/OA", "url": "http://10.0.0.1/"}]}]},
        "other": {"name": "Other bookmarks", "type": "folder", "children": [
            {"type": "url", "name": "한국어", "url": "https://한국.kr/"}]},
        "synced": {"name": "Mobile bookmarks", "type": "folder", "children": []}},
        "version": 1})json";
    checkRows("Bookmarks", {{"roots, nested, duplicates, a bookmarklet, an empty folder and root",
                             file,
                             {"书签栏/", "书签栏/百度.url=https://www.baidu.com/",
                              "书签栏/百度 (2).url=https://www.baidu.com/s?wd=中文", "书签栏/工作/",
                              "书签栏/工作/空/", "书签栏/工作/内网_OA.url=http://10.0.0.1/",
                              "其他书签/", "其他书签/한국어.url=https://xn--3e0b707e.kr/"},
                             "已导入 4 个收藏，跳过 2 个"}});
}

// A places.sqlite as Firefox keeps it while it runs: in WAL mode, held by an exclusive lock,
// the rows after `checkpointed` still only in its log. Rows: id, type, parent, position,
// title, url, guid.
using Place = std::tuple<int, int, int, int, QString, QString, QString>;
void withPlaces(const QString& path, const QList<Place>& rows, int checkpointed,
                const std::function<void()>& whileOpen) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "firefox");
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        for (const char* statement :
             {"PRAGMA journal_mode=WAL", "PRAGMA locking_mode=EXCLUSIVE",
              "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR,"
              " url_hash INTEGER DEFAULT 0 NOT NULL)",
              "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT"
              " NULL, parent INTEGER, position INTEGER, title LONGVARCHAR, keyword_id INTEGER,"
              " folder_type TEXT, dateAdded INTEGER, lastModified INTEGER, guid TEXT, syncStatus"
              " INTEGER NOT NULL DEFAULT 0, syncChangeCounter INTEGER NOT NULL DEFAULT 1)"})
            ASSERT_TRUE(query.exec(statement));
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const auto& [id, type, parent, position, title, url, guid] = rows[i];
            if (!url.isEmpty()) {
                query.prepare("INSERT INTO moz_places (id, url) VALUES (?, ?)");
                query.addBindValue(id);
                query.addBindValue(url);
                ASSERT_TRUE(query.exec());
            }
            query.prepare("INSERT INTO moz_bookmarks (id, type, fk, parent, position, title, guid)"
                          " VALUES (?, ?, ?, ?, ?, ?, ?)");
            for (const QVariant& value :
                 {QVariant(id), QVariant(type), url.isEmpty() ? QVariant() : QVariant(id),
                  QVariant(parent), QVariant(position), QVariant(title),
                  QVariant(guid.isEmpty() ? QString::number(id) : guid)})
                query.addBindValue(value);
            ASSERT_TRUE(query.exec());
            if (i + 1 == checkpointed) {
                ASSERT_TRUE(query.exec("PRAGMA wal_checkpoint(TRUNCATE)"));
            }
        }
        ASSERT_TRUE(QFileInfo(path + "-wal").size() > 0);
        whileOpen();
    }
    QSqlDatabase::removeDatabase("firefox");
}

const QList<Place> kPlaces = {
    {1, 2, 0, 0, "", "", "root________"},
    {2, 2, 1, 0, "menu", "", "menu________"},
    {3, 2, 1, 1, "toolbar", "", "toolbar_____"},
    {4, 2, 1, 2, "tags", "", "tags________"},
    {5, 2, 1, 3, "unfiled", "", "unfiled_____"},
    {6, 2, 1, 4, "mobile", "", "mobile______"},
    {10, 1, 2, 0, "Mozilla", "https://www.mozilla.org/", ""},
    {11, 3, 2, 1, "", "", ""},
    {12, 1, 2, 2, "最近使用的书签", "place:type=6&sort=14", ""},
    {13, 2, 2, 3, "开发", "", ""},
    {14, 1, 13, 1, "MDN Web 文档", "https://developer.mozilla.org/zh-CN/", ""},
    {15, 1, 13, 0, "MDN Web 文档", "https://developer.mozilla.org/zh-CN/", ""},
    {16, 2, 13, 2, "空文件夹", "", ""},
    {30, 2, 4, 0, "工作", "", ""},
    {31, 1, 30, 0, "", "https://tagged.example/", ""},
    {20, 1, 3, 1, "淘宝", "https://www.taobao.com/?spm=1", ""},
    {21, 1, 3, 0, "淘宝", "https://www.taobao.com/", ""}};

TEST_F(ImportExportTest, FirefoxPlacesWhileFirefoxHoldsIt) {
    const QString places = folder.path() + "/profile/places.sqlite";
    QDir().mkpath(folder.path() + "/profile");
    withPlaces(places, kPlaces, 14, [&] {
        EXPECT_EQ(favorites.ImportFavorites(places, modFavorite::kImportFolder).message,
                  "已导入 4 个收藏，跳过 2 个");
    });
    EXPECT_EQ(
        favoritesTree(favoritesPath()),
        (QStringList{
            "导入的收藏/", "导入的收藏/书签工具栏/",
            "导入的收藏/书签工具栏/淘宝 (2).url=https://www.taobao.com/?spm=1",
            "导入的收藏/书签工具栏/淘宝.url=https://www.taobao.com/", "导入的收藏/书签菜单/",
            "导入的收藏/书签菜单/Mozilla.url=https://www.mozilla.org/", "导入的收藏/书签菜单/开发/",
            "导入的收藏/书签菜单/开发/MDN Web 文档.url=https://developer.mozilla.org/zh-CN/",
            "导入的收藏/书签菜单/开发/空文件夹/"}));
    // Importing again finds every favorite there already.
    EXPECT_EQ(favorites.ImportFavorites(places, modFavorite::kImportFolder).message,
              "已导入 0 个收藏，跳过 6 个");
}

TEST_F(ImportExportTest, ExportThenImportGivesTheSameTree) {
    for (const auto& [path, url] : QList<QPair<QString, QString>>{
             {"新闻/新浪 R&D.url", "http://news.sina.com.cn/新闻/?a=1&b=2"},
             {"Köln.url", "https://de.wikipedia.org/wiki/Köln"},
             {"한국.url", "https://한국.kr/"},
             {"a/b/c/深.url", "https://例子.中国/"}}) {
        QDir().mkpath(QFileInfo(favoritesPath() + '/' + path).path());
        favorites.WriteIniValue("InternetShortcut", "URL", shortcutAddress(url),
                                favoritesPath() + '/' + path);
    }
    QDir(favoritesPath()).mkpath("空/更空");
    const QString exported = folder.path() + "/收藏夹.html";
    EXPECT_EQ(favorites.ExportFavorites(exported).message, "已导出 4 个收藏到“" + exported + "”");
    const QByteArray html = readFileBytes(exported);
    EXPECT_TRUE(html.startsWith("<!DOCTYPE NETSCAPE-Bookmark-file-1>") &&
                html.contains("charset=UTF-8") && html.contains("新浪 R&amp;D"));

    FakeShellFolders otherFolder;
    otherFolder.favorites = folder.path() + "/other";
    QDir().mkpath(otherFolder.favorites);
    modFavorite other(otherFolder, profile, favoriteDialogs, boxes);
    EXPECT_EQ(other.ImportFavorites(exported, QString()).message, "已导入 4 个收藏，跳过 0 个");
    EXPECT_EQ(favoritesTree(otherFolder.favorites), favoritesTree(favoritesPath()));
    EXPECT_EQ(favoritesTree(favoritesPath()).size(), 10);
}

// Whatever a file holds, nothing is written unless all of it was read, and reading it stays
// within seconds.
TEST_F(ImportExportTest, BadFilesChangeNothing) {
    QByteArray deepHtml = kHead + "<DL>";
    QByteArray deepJson = R"({"roots": {"other": {"children": [)";
    for (int i = 0; i < 33; ++i) {
        deepHtml += "<DT><H3>层</H3><DL>";
        deepJson += R"({"type": "folder", "name": "层", "children": [)";
    }
    deepJson += QByteArray("]}").repeated(33) + "]}}}";
    QByteArray many = kHead + "<DL>";
    many.reserve(30'000'000);
    for (int i = 0; i < 1'000'000; ++i)
        many += "<DT><A HREF=\"http://a/\">a</A>\n";
    const QString places = folder.path() + "/places.sqlite";
    withPlaces(places, kPlaces, 0, [] {});
    const QByteArray database = readFileBytes(places);
    {
        SqliteUrlHistory other(folder.path() + "/other.sqlite");
        other.recordVisit("http://a/", "a");
    }
    const QString wholeHtml = "<DL><DT><A HREF=\"http://a/\">" + QString(1000, 'a') + "</A></DL>";
    const QList<std::tuple<const char*, QString, QByteArray, QString>> rows = {
        {"a picture", "a.png", "\x89PNG\r\n\x1A\n", "无法识别这个文件。"},
        {"a folder", "folder", QByteArray(), "无法读取文件"},
        {"truncated bookmarks.html", "bookmarks.html", (kHead + wholeHtml.toUtf8()).chopped(10),
         "书签文件不完整（可能只复制或下载了一部分）。"},
        {"truncated Bookmarks", "Bookmarks",
         R"({"roots": {"other": {"children": [{"type": "url", "name": "a", "url": "http)",
         "书签文件不完整（可能只复制或下载了一部分）。"},
        {"truncated places.sqlite", "places.sqlite", database.left(4096 + 100),
         "Firefox 的书签数据库已损坏或无法读取。"},
        {"another database", "other.sqlite", readFileBytes(folder.path() + "/other.sqlite"),
         "这不是 Firefox 的书签数据库（places.sqlite）。"},
        {"deep bookmarks.html", "deep.html", deepHtml,
         "书签文件中的文件夹嵌套太深（超过 32 层）。"},
        {"deep Bookmarks", "Bookmarks", deepJson, "书签文件中的文件夹嵌套太深（超过 32 层）。"},
        {"JSON nested 100,000 deep", "Bookmarks", R"({"roots": )" + QByteArray(100'000, '['),
         "书签文件中的文件夹嵌套太深（超过 32 层）。"},
        {"a million bookmarks", "many.html", many, "书签文件中的项目太多（超过 100000 个）。"},
        {"a 100 MB name in Bookmarks", "Bookmarks",
         R"({"roots": {"other": {"children": [{"type": "url", "url": "http://a/", "name": ")" +
             QByteArray(100'000'000, 'a') + R"("}]}}})",
         "文件太大（超过 64 MB），不像是书签文件。"}};
    QDir(folder.path()).mkpath("in/folder"); // the file "folder" cannot be written there
    for (const auto& [name, file, bytes, message] : rows) {
        SCOPED_TRACE(name);
        QElapsedTimer timer;
        timer.start();
        EXPECT_TRUE(import(file, bytes).startsWith(message));
        EXPECT_LT(timer.elapsed(), 5000);
        EXPECT_TRUE(QDir(favoritesPath()).isEmpty());
    }
    // A title of 100 MB makes a name of whole characters that fits on disk.
    const QByteArray title = QByteArray("中").repeated(33'400'000);
    EXPECT_EQ(
        import("long.html", kHead + "<DL><DT><A HREF=\"http://a/\">" + title + "</A></DL>", ""),
        "已导入 1 个收藏，跳过 0 个");
    EXPECT_EQ(favoritesTree(favoritesPath()),
              QStringList{QString(83, QChar(0x4E2D)) + ".url=http://a/"});
}

// Mended before it shipped: a disk that fills while the shortcuts are written is reported
// with what was written, and the menus show it.
TEST_F(ImportExportTest, AWriteThatFailsMidwaySaysWhatWasWritten) {
    class FullDisk final : public ProfileFile {
    public:
        QString readValue(const QString& s, const QString& k, const std::filesystem::path& f,
                          int size) override {
            return real.readValue(s, k, f, size);
        }
        QStringList readValues(const QString& s, const QString& k, const std::filesystem::path& f,
                               const QList<QByteArray>& names, int size) override {
            return real.readValues(s, k, f, names, size);
        }
        bool writeValue(const QString& s, const QString& k, const QString& v,
                        const std::filesystem::path& f) override {
            return real.writeValue(s, k, v, f);
        }
        Written writeValues(const QString& s, const QString& k,
                            const QList<std::pair<std::filesystem::path, QString>>& v) override {
            return {real.writeValues(s, k, v.mid(0, 2)).count, ENOSPC};
        }
        IniProfileFile real;
    } disk;
    modFavorite full(shellFolders, disk, favoriteDialogs, boxes);
    QSignalSpy rebuilt(&full, &modFavorite::favoritesRebuilt);
    const QString file = folder.path() + "/bookmarks.html";
    writeFileBytes(file, kHead + "<DL><DT><A HREF=\"http://a/\">a</A><DT><A HREF=\"http://b/\">b"
                                 "</A><DT><A HREF=\"http://c/\">c</A></DL>");
    EXPECT_EQ(full.ImportFavorites(file, "").message,
              "导入未完成：无法写入“" + favoritesPath() +
                  "/c.url”（磁盘空间不足）。已导入 2 个收藏。");
    EXPECT_EQ(favoritesTree(favoritesPath()), (QStringList{"a.url=http://a/", "b.url=http://b/"}));
    EXPECT_EQ(rebuilt.count(), 1);
}

TEST_F(ImportExportTest, FromTheMenuOfAnyWindowAndFromTheCommandLine) {
    frmMain* first = openWindow();
    frmMain* second = openWindow();
    QSignalSpy rebuilt(&favorites, &modFavorite::favoritesRebuilt);
    const QString file = folder.path() + "/bookmarks.html";
    writeFileBytes(file, kHead + "<DL><DT><A HREF=\"http://a/\">甲</A></DL>");
    favoriteDialogs.transferAnswer = FavoriteDialogs::Transfer{false, "从火狐导入"};
    fileChooser.answer = file;
    second->mnuMainFavoriteImportExport->trigger();
    EXPECT_EQ(boxes.shown.value(0).text, "已导入 1 个收藏，跳过 0 个");
    EXPECT_EQ(rebuilt.count(), 1);
    for (frmMain* window : {first, second}) {
        Q_EMIT window->mnuMainFavorite->aboutToShow(); // items are made as a menu opens
        EXPECT_EQ(window->mnuMainFavorite->actions().last()->text(), "从火狐导入");
    }
    favoriteDialogs.transferAnswer = FavoriteDialogs::Transfer{true, QString()};
    fileChooser.saveAnswer = folder.path() + "/out.html";
    first->mnuMainFavoriteImportExport->trigger();
    EXPECT_EQ(boxes.shown.value(1).text, "已导出 1 个收藏到“" + folder.path() + "/out.html”");
    EXPECT_EQ(favoriteDialogs.asked, QStringList(2, "importExport:导入的收藏"));
    EXPECT_EQ(fileChooser.asked, (QStringList{"导入收藏|书签文件|" + QDir::homePath(),
                                              "save:导出收藏夹|网页文件 (*.html *.htm)|" +
                                                  QDir::home().filePath("bookmarks.html")}));

    QString printed;
    QTextStream out(&printed);
    const auto run = [&](const QStringList& arguments) {
        printed.clear();
        const int code =
            favorites.RunFavoritesCommand(QStringList{"tarnvale"} + arguments, out, out);
        out.flush();
        return QString::number(code) + ' ' + printed;
    };
    EXPECT_EQ(run({"--import-favorites", file}),
              "0 已导入 1 个收藏，跳过 0 个\n"); // into 导入的收藏
    EXPECT_EQ(run({"--export-favorites", folder.path() + "/out.html"}),
              "0 已导出 2 个收藏到“" + folder.path() + "/out.html”\n");
    EXPECT_EQ(run({"--import-favorites", folder.path() + "/none"}),
              "1 无法读取文件“" + folder.path() + "/none”。\n");
    EXPECT_TRUE(run({"--import-favorites"}).startsWith("2 用法：tarnvale --import-favorites 文件"));
}

} // namespace
