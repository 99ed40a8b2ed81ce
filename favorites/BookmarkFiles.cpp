#include "favorites/BookmarkFiles.h"

#include "favorites/ChromiumBookmarks.h"
#include "favorites/FirefoxPlaces.h"
#include "favorites/NetscapeBookmarks.h"

#include <QFile>
#include <QFileInfo>

namespace {
BookmarkReading refused(const QString& error) {
    BookmarkReading reading;
    reading.error = error;
    return reading;
}

QString tooLarge(qint64 limit) {
    return QStringLiteral("文件太大（超过 %1 MB），不像是书签文件。").arg(limit / (1024 * 1024));
}
} // namespace

BookmarkReading readBookmarkFile(const QString& path) {
    const QFileInfo info(path);
    QFile file(path);
    // Only a regular file: a pipe or device would never end.
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return refused(QStringLiteral("无法读取文件“%1”。").arg(path));
    if (looksLikeSqlite(file.peek(16)))
        return readFirefoxPlaces(path);
    // The size first, and the read bounded too: the file may grow meanwhile.
    if (info.size() > kMaxBookmarkHtmlBytes)
        return refused(tooLarge(kMaxBookmarkHtmlBytes));
    const QByteArray bytes = file.read(kMaxBookmarkHtmlBytes + 1);
    if (bytes.size() > kMaxBookmarkHtmlBytes)
        return refused(tooLarge(kMaxBookmarkHtmlBytes));
    if (looksLikeNetscapeBookmarks(bytes))
        return readNetscapeBookmarks(bytes);
    if (looksLikeChromiumBookmarks(bytes)) {
        if (bytes.size() > kMaxBookmarkJsonBytes)
            return refused(tooLarge(kMaxBookmarkJsonBytes));
        return readChromiumBookmarks(bytes);
    }
    return refused(QStringLiteral(
        "无法识别这个文件。请选择浏览器导出的书签文件（bookmarks.html）、Chrome 或 Edge 的 "
        "Bookmarks 文件，或 Firefox 的 places.sqlite。"));
}
