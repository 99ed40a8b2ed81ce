#include "platform/SqliteUrlHistory.h"

#include "platform/AddressText.h"
#include "platform/PrivateFiles.h"
#include "platform/XdgPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>
#include <QUuid>

namespace {
bool exec(QSqlDatabase db, const QString& statement) {
    QSqlQuery query(db);
    return query.exec(statement);
}
} // namespace

SqliteUrlHistory::SqliteUrlHistory(const QString& databasePath, QObject* parent)
    : UrlHistory(parent)
    , m_path(databasePath)
    , m_connection(QStringLiteral("urlhistory-") + QUuid::createUuid().toString(QUuid::Id128)) {}

bool SqliteUrlHistory::open() const {
    if (m_open)
        return *m_open;
    m_open = false;
    // What a person visited is theirs alone; SQLite gives its journal the file's mode.
    makePrivateFolder(QFileInfo(m_path).absolutePath());
    makePrivateFile(m_path);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open())
        return false;
    // With a write-ahead log a visit is safe once written, even if the program then dies;
    // waiting for the disk on every page load would stall the window, and only a power cut could
    // cost the last few visits. Without one (a file system that refuses it) every commit waits.
    QSqlQuery journal(db);
    if (journal.exec(QStringLiteral("PRAGMA journal_mode=WAL")) && journal.next() &&
        journal.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0)
        exec(db, QStringLiteral("PRAGMA synchronous=NORMAL"));
    // A removed address must not stay readable in the file's free pages.
    exec(db, QStringLiteral("PRAGMA secure_delete=ON"));
    m_open = exec(db, QStringLiteral("CREATE TABLE IF NOT EXISTS history ("
                                     " url TEXT PRIMARY KEY NOT NULL,"
                                     " title TEXT NOT NULL DEFAULT '',"
                                     " last_visit INTEGER NOT NULL,"
                                     " visit_count INTEGER NOT NULL DEFAULT 1)")) &&
             exec(db, QStringLiteral("CREATE INDEX IF NOT EXISTS history_by_visit"
                                     " ON history(last_visit DESC)"));
    return *m_open;
}

bool SqliteUrlHistory::isOpen() const {
    return open();
}

SqliteUrlHistory::~SqliteUrlHistory() {
    if (!m_open.has_value()) // never used: no connection was made
        return;
    if (m_checkpointDue)
        compact(); // removed just before the end
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

QString SqliteUrlHistory::defaultPath() {
    return xdg::appFolder(xdg::dataHome()) + QStringLiteral("/history.sqlite");
}

void SqliteUrlHistory::recordVisit(const QString& visited, const QString& title) {
    const QString url = storedAddress(visited);
    if (url.isEmpty() || url.size() > kMaxUrlLength || !open())
        return;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    // One commit for the visit and the pruning.
    const bool grouped = db.transaction();
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    // A visit recorded while the clock ran ahead (a wrong hardware clock, a copied profile)
    // happened no later than now: left in the future, it would date every later visit after
    // it, and outrank them all when the history is cut to its bound.
    QSqlQuery clamp(db);
    clamp.prepare(QStringLiteral("UPDATE history SET last_visit = ? WHERE last_visit > ?"));
    clamp.addBindValue(now);
    clamp.addBindValue(now + 1000);
    clamp.exec();
    QSqlQuery upsert(db);
    upsert.prepare(QStringLiteral(
        // A visit is always later than every recorded one, even within the same millisecond.
        "INSERT INTO history(url, title, last_visit, visit_count) VALUES(?, ?,"
        " MAX(?, (SELECT COALESCE(MAX(last_visit), 0) + 1 FROM history)), 1)"
        " ON CONFLICT(url) DO UPDATE SET title = excluded.title,"
        " last_visit = excluded.last_visit, visit_count = visit_count + 1"));
    upsert.addBindValue(url);
    upsert.addBindValue(title.isNull() ? QStringLiteral("") : title); // a null string binds NULL
    upsert.addBindValue(now);
    if (!upsert.exec()) {
        if (grouped)
            db.rollback();
        return;
    }
    QSqlQuery prune(db);
    prune.prepare(QStringLiteral("DELETE FROM history WHERE url NOT IN"
                                 " (SELECT url FROM history ORDER BY last_visit DESC LIMIT ?)"));
    prune.addBindValue(kMaxEntries);
    prune.exec();
    if (grouped && !db.commit()) {
        db.rollback();
        return;
    }
    Q_EMIT changed();
}

QStringList SqliteUrlHistory::recentUrls(int limit) const {
    QStringList urls;
    if (!open())
        return urls;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(
        QStringLiteral("SELECT url FROM history ORDER BY last_visit DESC, rowid DESC LIMIT ?"));
    query.addBindValue(limit);
    if (query.exec()) {
        while (query.next())
            urls.append(query.value(0).toString());
    }
    return urls;
}

QList<UrlHistoryEntry> SqliteUrlHistory::entries() const {
    QList<UrlHistoryEntry> result;
    if (!open())
        return result;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!query.exec(QStringLiteral("SELECT url, title, last_visit, visit_count FROM history"
                                   " ORDER BY last_visit DESC, rowid DESC")))
        return result;
    while (query.next()) {
        result.append({query.value(0).toString(), query.value(1).toString(),
                       QDateTime::fromMSecsSinceEpoch(query.value(2).toLongLong()),
                       query.value(3).toInt()});
    }
    return result;
}

bool SqliteUrlHistory::removeUrl(const QString& url) {
    if (!open())
        return false;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("DELETE FROM history WHERE url = ?"));
    query.addBindValue(url);
    if (!query.exec())
        return false; // a row already gone counts as removed
    if (query.numRowsAffected() > 0) {
        forgetRemoved();
        Q_EMIT changed();
    }
    return true;
}

void SqliteUrlHistory::forgetRemoved() {
    if (m_checkpointDue)
        return;
    m_checkpointDue = true;
    QTimer::singleShot(0, this, &SqliteUrlHistory::compact);
}

void SqliteUrlHistory::compact() {
    // Once the removals in hand are done: the file is written anew without free pages (which
    // hold what was removed before deletes overwrote), and the log, which still holds the pages
    // as they were, is emptied.
    m_checkpointDue = false;
    const QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    exec(db, QStringLiteral("VACUUM"));
    exec(db, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
}
