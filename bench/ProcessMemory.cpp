#include "bench/ProcessMemory.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QList>

namespace {
// Kilobytes of one field ("Rss:", "Pss:") of a process's smaps_rollup.
qint64 memoryField(qint64 pid, const QByteArray& field) {
    QFile file(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').first().toLongLong();
    }
    return 0;
}

qint64 parentOf(qint64 pid) {
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = file.readAll();
    const QList<QByteArray> after = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return after.size() > 1 ? after.at(1).toLongLong() : -1;
}
} // namespace

QPair<qint64, qint64> treeMemoryMiB(qint64 root) {
    QHash<qint64, qint64> parents;
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (isPid)
            parents.insert(pid, parentOf(pid));
    }
    qint64 rss = 0;
    qint64 pss = 0;
    for (auto it = parents.cbegin(); it != parents.cend(); ++it) {
        qint64 ancestor = it.key();
        while (ancestor > 1 && ancestor != root)
            ancestor = parents.value(ancestor, -1);
        if (ancestor != root)
            continue;
        rss += memoryField(it.key(), "Rss:");
        pss += memoryField(it.key(), "Pss:");
    }
    return {rss / 1024, pss / 1024};
}
