// Time of importing 10,000 bookmarks (100 folders of 100, Chinese titles) into an empty
// favorites folder from each kind of file another browser leaves: reading the file alone, and
// the whole import (reading, writing every shortcut, the menus' rebuild). Median of 5 runs,
// each into a folder of its own. The yardstick is what the file system alone takes for as many
// files: each made under a temporary name, one flush, each renamed into place.
#include "favorites/BookmarkFiles.h"
#include "tests/support/FakeServices.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {
// 100 folders of 100; fewer folders when the command line names a count (a smoke run).
int gFolders = 100;
constexpr int kPerFolder = 100;

QString title(int folder, int i) {
    return QStringLiteral("收藏 %1-%2 - 示例网站的页面标题").arg(folder).arg(i);
}

QString address(int folder, int i) {
    return QStringLiteral("https://example.cn/%1/页面?id=%2&amp;from=书签").arg(folder).arg(i);
}

// As Chrome exports it: dates and an inlined icon with every bookmark.
QByteArray htmlFile() {
    const QString icon = QStringLiteral("data:image/png;base64,") + QString(300, QLatin1Char('A'));
    QString html = QStringLiteral("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<META HTTP-EQUIV="
                                  "\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
                                  "<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n<DL><p>\n");
    for (int f = 0; f < gFolders; ++f) {
        html += QStringLiteral("    <DT><H3 ADD_DATE=\"1700000000\" LAST_MODIFIED=\"0\">文件夹 %1"
                               "</H3>\n    <DL><p>\n")
                    .arg(f);
        for (int i = 0; i < kPerFolder; ++i)
            html += QStringLiteral("        <DT><A HREF=\"%1\" ADD_DATE=\"1700000000\" ICON=\"%2\">"
                                   "%3</A>\n")
                        .arg(address(f, i), icon, title(f, i));
        html += QStringLiteral("    </DL><p>\n");
    }
    return (html + QStringLiteral("</DL><p>\n")).toUtf8();
}

QByteArray jsonFile() {
    QString json = QStringLiteral("{\"checksum\": \"0\", \"roots\": {\"bookmark_bar\": {\"name\": "
                                  "\"书签栏\", \"type\": \"folder\", \"children\": [\n");
    for (int f = 0; f < gFolders; ++f) {
        json +=
            QStringLiteral("%1{\"type\": \"folder\", \"name\": \"文件夹 %2\", \"children\": [\n")
                .arg(f ? QStringLiteral(",") : QString())
                .arg(f);
        for (int i = 0; i < kPerFolder; ++i)
            json += QStringLiteral("%1{\"date_added\": \"13345678901234567\", \"guid\": "
                                   "\"a1b2c3d4-e5f6-7890-abcd-ef1234567890\", \"id\": \"%2\", "
                                   "\"name\": \"%3\", \"type\": \"url\", \"url\": \"%4\"}\n")
                        .arg(i ? QStringLiteral(",") : QString())
                        .arg(f * kPerFolder + i)
                        .arg(title(f, i), QString(address(f, i)).replace("&amp;", "&"));
        json += QStringLiteral("]}\n");
    }
    return (json + QStringLiteral("]}}, \"version\": 1}\n")).toUtf8();
}

void writePlaces(const QString& path) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "places");
        db.setDatabaseName(path);
        db.open();
        QSqlQuery query(db);
        query.exec("CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR)");
        query.exec("CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER,"
                   " parent INTEGER, position INTEGER, title LONGVARCHAR, guid TEXT)");
        db.transaction();
        query.exec("INSERT INTO moz_bookmarks VALUES (1, 2, NULL, 0, 0, '', 'root________'),"
                   " (2, 2, NULL, 1, 0, 'menu', 'menu________')");
        int id = 10;
        for (int f = 0; f < gFolders; ++f) {
            const int folder = id++;
            query.prepare("INSERT INTO moz_bookmarks VALUES (?, 2, NULL, 2, ?, ?, ?)");
            query.addBindValue(folder);
            query.addBindValue(f);
            query.addBindValue(QStringLiteral("文件夹 %1").arg(f));
            query.addBindValue(QString::number(folder));
            query.exec();
            for (int i = 0; i < kPerFolder; ++i, ++id) {
                query.prepare("INSERT INTO moz_places VALUES (?, ?)");
                query.addBindValue(id);
                query.addBindValue(QString(address(f, i)).replace("&amp;", "&"));
                query.exec();
                query.prepare("INSERT INTO moz_bookmarks VALUES (?, 1, ?, ?, ?, ?, ?)");
                for (const QVariant& value :
                     {QVariant(id), QVariant(id), QVariant(folder), QVariant(i),
                      QVariant(title(f, i)), QVariant(QString::number(id))})
                    query.addBindValue(value);
                query.exec();
            }
        }
        db.commit();
    }
    QSqlDatabase::removeDatabase("places");
}

double yardstickMs(QTemporaryDir& folder) {
    QElapsedTimer timer;
    timer.start();
    for (int f = 0; f < gFolders; ++f)
        QDir(folder.path()).mkdir(QString::number(f));
    const QByteArray content(60, 'x');
    for (int n = 0; n < gFolders * kPerFolder; ++n) {
        const QByteArray name = QFile::encodeName(
            QStringLiteral("%1/%2/.t%3").arg(folder.path()).arg(n % gFolders).arg(n));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        (void)!::write(fd, content.constData(), size_t(content.size()));
        ::close(fd);
    }
    const int fd = ::open(QFile::encodeName(folder.path()).constData(), O_RDONLY);
    ::syncfs(fd);
    ::close(fd);
    for (int n = 0; n < gFolders * kPerFolder; ++n) {
        const QString from =
            QStringLiteral("%1/%2/.t%3").arg(folder.path()).arg(n % gFolders).arg(n);
        ::rename(QFile::encodeName(from).constData(),
                 QFile::encodeName(QString(from).replace("/.t", "/n") + ".url").constData());
    }
    return double(timer.nsecsElapsed()) / 1e6;
}

double medianMs(QList<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples.at(samples.size() / 2);
}

void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}
} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qInstallMessageHandler(quiet);
    if (argc > 1)
        gFolders = qMax(1, QString::fromLocal8Bit(argv[1]).toInt());
    QTemporaryDir files;
    const QString html = files.filePath("bookmarks.html");
    const QString json = files.filePath("Bookmarks");
    const QString places = files.filePath("places.sqlite");
    writeFileBytes(html, htmlFile());
    writeFileBytes(json, jsonFile());
    writePlaces(places);

    // Nothing is deleted between runs: files made just after 10,000 were deleted nearby take
    // three times as long on ext4, which skips the inodes it freed a moment ago one by one.
    std::vector<std::unique_ptr<FakeServices>> kept;
    std::vector<std::unique_ptr<QTemporaryDir>> folders;
    std::printf("| file | size (KiB) | reading alone (ms) | import, menus rebuilt (ms) | "
                "yardstick (ms) |\n|---|---:|---:|---:|---:|\n");
    for (const QString& file : {html, json, places}) {
        QList<double> readings;
        QList<double> imports;
        QList<double> yardstick; // interleaved: the disk's load changes from run to run
        QString outcome;
        for (int run = 0; run < 5; ++run) {
            QElapsedTimer timer;
            timer.start();
            const BookmarkReading reading = readBookmarkFile(file);
            readings << double(timer.nsecsElapsed()) / 1e6;
            // An empty favorites folder of its own, kept with the yardstick's to the end.
            auto& fake = *kept.emplace_back(std::make_unique<FakeServices>());
            timer.restart();
            outcome = fake.favorites.ImportFavorites(file, modFavorite::kImportFolder).message;
            imports << double(timer.nsecsElapsed()) / 1e6;
            yardstick << yardstickMs(*folders.emplace_back(std::make_unique<QTemporaryDir>()));
        }
        std::printf("| %s | %lld | %.0f | %.0f | %.0f |\n", qPrintable(QFileInfo(file).fileName()),
                    QFileInfo(file).size() / 1024, medianMs(readings), medianMs(imports),
                    medianMs(yardstick));
        if (!outcome.startsWith(QStringLiteral("已导入 %1 个收藏").arg(gFolders * kPerFolder)))
            std::printf("(not imported: %s)\n", qPrintable(outcome));
    }
    return 0;
}
