#include "favorites/FirefoxPlaces.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <QVariant>
#include <algorithm>
#include <optional>

using namespace bookmarkLimits;

namespace {

// A profile's places.sqlite holds the history too, and grows to tens of megabytes.
constexpr qint64 kMaxDatabaseBytes = 1024LL * 1024 * 1024;

enum Type { kBookmark = 1, kFolder = 2 };

struct Row {
    qint64 id = 0;
    int type = 0;
    qint64 parent = 0;
    qint64 position = 0;
    QString title;
    QString url;
    QString guid;
};

QString notPlaces() {
    return QStringLiteral("这不是 Firefox 的书签数据库（places.sqlite）。");
}

QString damaged() {
    return QStringLiteral("Firefox 的书签数据库已损坏或无法读取。");
}

qint64 number(const QSqlDatabase& database, const char* statement) {
    QSqlQuery query(database);
    return query.exec(QString::fromLatin1(statement)) && query.next() ? query.value(0).toLongLong()
                                                                      : -1;
}

// Every row of moz_bookmarks with its address, or the error.
std::optional<QList<Row>> readRows(const QSqlDatabase& database, QString& error) {
    QSqlQuery query(database);
    // Nothing the file defines runs with side effects; what is read is two plain tables.
    query.exec(QStringLiteral("PRAGMA trusted_schema = OFF"));
    const qint64 tables = number(database, "SELECT count(*) FROM sqlite_master WHERE type = 'table'"
                                           " AND name IN ('moz_bookmarks', 'moz_places')");
    if (tables < 0) {
        error = damaged();
        return std::nullopt;
    }
    // A column computed as it is read could cost anything.
    const qint64 computed = number(
        database, "SELECT (SELECT count(*) FROM pragma_table_xinfo('moz_bookmarks')"
                  " WHERE hidden > 1) + (SELECT count(*) FROM pragma_table_xinfo('moz_places')"
                  " WHERE hidden > 1)");
    if (tables != 2 || computed != 0) {
        error = notPlaces();
        return std::nullopt;
    }
    // Tags and separators count too, so more rows than items may come.
    const int limit = 2 * kMaxItems;
    if (!query.exec(
            QStringLiteral("SELECT b.id, b.type, b.parent, b.position, substr(b.title, 1, %1),"
                           " CASE WHEN length(p.url) <= %2 THEN p.url END, b.guid"
                           " FROM moz_bookmarks b LEFT JOIN moz_places p ON p.id = b.fk LIMIT %3")
                .arg(kMaxTitle)
                .arg(kMaxAddressBytes)
                .arg(limit + 1))) {
        error = damaged();
        return std::nullopt;
    }
    QList<Row> rows;
    while (query.next()) {
        if (rows.size() == limit) {
            error = QStringLiteral("书签文件中的项目太多（超过 %1 个）。").arg(kMaxItems);
            return std::nullopt;
        }
        rows.append({query.value(0).toLongLong(), query.value(1).toInt(),
                     query.value(2).toLongLong(), query.value(3).toLongLong(),
                     query.value(4).toString(), query.value(5).toString(),
                     query.value(6).toString()});
    }
    if (query.lastError().isValid()) {
        error = damaged();
        return std::nullopt;
    }
    return rows;
}

class PlacesTree {
public:
    explicit PlacesTree(const QList<Row>& rows);
    BookmarkReading read();

private:
    bool readFolder(qint64 id);

    const QList<Row>& m_rows;
    QHash<qint64, QList<int>> m_children; // row indexes by parent id, in position order
    QSet<qint64> m_seen;                  // folders read; a parent loop is not followed
    BookmarkTreeBuilder m_builder;
};

PlacesTree::PlacesTree(const QList<Row>& rows)
    : m_rows(rows) {
    for (int i = 0; i < rows.size(); ++i)
        m_children[rows[i].parent].append(i);
    for (QList<int>& children : m_children)
        std::sort(children.begin(), children.end(), [&rows](int a, int b) {
            return rows[a].position != rows[b].position ? rows[a].position < rows[b].position
                                                        : rows[a].id < rows[b].id;
        });
}

bool PlacesTree::readFolder(qint64 id) {
    for (const int i : m_children.value(id)) {
        const Row& row = m_rows[i];
        if (row.type == kBookmark && !m_builder.addBookmark(row.title, row.url))
            return false;
        if (row.type != kFolder || m_seen.contains(row.id))
            continue;
        m_seen.insert(row.id);
        if (!m_builder.openFolder(row.title) || !readFolder(row.id))
            return false;
        m_builder.closeFolder();
    }
    return true;
}

BookmarkReading PlacesTree::read() {
    const auto root = std::find_if(m_rows.begin(), m_rows.end(), [](const Row& row) {
        return row.guid == QLatin1String("root________");
    });
    if (root == m_rows.end()) {
        m_builder.fail(notPlaces());
        return m_builder.take();
    }
    static const QHash<QString, QString> kRoots = {
        {QStringLiteral("menu________"), QStringLiteral("书签菜单")},
        {QStringLiteral("toolbar_____"), QStringLiteral("书签工具栏")},
        {QStringLiteral("unfiled_____"), QStringLiteral("其他书签")},
        {QStringLiteral("mobile______"), QStringLiteral("移动设备书签")}};
    m_seen.insert(root->id);
    for (const int i : m_children.value(root->id)) {
        const Row& row = m_rows[i];
        if (row.type != kFolder || row.guid == QLatin1String("tags________") ||
            !m_children.contains(row.id) || m_seen.contains(row.id))
            continue;
        m_seen.insert(row.id);
        if (!m_builder.openFolder(kRoots.value(row.guid, row.title)) || !readFolder(row.id))
            break;
        m_builder.closeFolder();
    }
    return m_builder.take();
}

} // namespace

bool looksLikeSqlite(const QByteArray& start) {
    return start.startsWith(QByteArrayLiteral("SQLite format 3\0"));
}

BookmarkReading readFirefoxPlaces(const QString& path) {
    BookmarkTreeBuilder builder;
    const QFileInfo file(path);
    const QFileInfo log(path + QStringLiteral("-wal"));
    if (file.size() + (log.isFile() ? log.size() : 0) > kMaxDatabaseBytes) {
        builder.fail(QStringLiteral("文件太大（超过 1 GB），不像是 Firefox 的书签数据库。"));
        return builder.take();
    }
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("places.sqlite"));
    if (!folder.isValid() || !QFile::copy(path, copy) ||
        (log.isFile() && !QFile::copy(log.filePath(), copy + QStringLiteral("-wal")))) {
        builder.fail(QStringLiteral("无法复制 Firefox 的书签数据库，不能读取它。"));
        return builder.take();
    }
    const QString connection =
        QStringLiteral("firefox-places-") + QUuid::createUuid().toString(QUuid::Id128);
    std::optional<QList<Row>> rows;
    QString error;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        database.setDatabaseName(copy);
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (database.open())
            rows = readRows(database, error);
        else
            error = damaged();
        database.close();
    }
    QSqlDatabase::removeDatabase(connection);
    if (!rows) {
        builder.fail(error);
        return builder.take();
    }
    return PlacesTree(*rows).read();
}
