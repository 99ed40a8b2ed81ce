#include "favorites/ChromiumBookmarks.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

bool readChildren(const QJsonArray& children, BookmarkTreeBuilder& builder) {
    for (const QJsonValue& value : children) {
        const QJsonObject node = value.toObject();
        const QString type = node.value(QLatin1String("type")).toString();
        const QString name = node.value(QLatin1String("name")).toString();
        if (type == QLatin1String("url")) {
            if (!builder.addBookmark(name, node.value(QLatin1String("url")).toString()))
                return false;
        } else if (type == QLatin1String("folder")) {
            if (!builder.openFolder(name) ||
                !readChildren(node.value(QLatin1String("children")).toArray(), builder))
                return false;
            builder.closeFolder();
        }
    }
    return true;
}

} // namespace

bool looksLikeChromiumBookmarks(const QByteArray& bytes) {
    const QByteArray start = bytes.left(4096).trimmed();
    return start.startsWith('{') && bytes.contains("\"roots\"");
}

BookmarkReading readChromiumBookmarks(const QByteArray& bytes) {
    BookmarkTreeBuilder builder;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        const bool cut = error.error == QJsonParseError::UnterminatedObject ||
                         error.error == QJsonParseError::UnterminatedArray ||
                         error.error == QJsonParseError::UnterminatedString ||
                         error.offset >= bytes.size() - 1;
        builder.fail(cut ? truncatedBookmarkFile()
                     : error.error == QJsonParseError::DeepNesting
                         ? tooDeepBookmarkFile()
                         : QStringLiteral("Bookmarks 文件已损坏（不是有效的 JSON）。"));
        return builder.take();
    }
    const QJsonObject roots = document.object().value(QLatin1String("roots")).toObject();
    if (roots.isEmpty()) {
        builder.fail(QStringLiteral("这不是 Chromium 系浏览器的 Bookmarks 文件（没有 roots）。"));
        return builder.take();
    }
    static const QList<QPair<QLatin1String, QString>> kRoots = {
        {QLatin1String("bookmark_bar"), QStringLiteral("书签栏")},
        {QLatin1String("other"), QStringLiteral("其他书签")},
        {QLatin1String("synced"), QStringLiteral("移动设备书签")}};
    for (const auto& [key, name] : kRoots) {
        const QJsonArray children =
            roots.value(key).toObject().value(QLatin1String("children")).toArray();
        if (children.isEmpty())
            continue;
        if (!builder.openFolder(name) || !readChildren(children, builder))
            break;
        builder.closeFolder();
    }
    return builder.take();
}
