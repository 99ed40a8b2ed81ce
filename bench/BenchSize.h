#pragma once

#include <QList>
#include <QStringList>

// A benchmark's size from its command line, PROGRAM [RUNS [COUNTS...]]: fewer runs and smaller
// counts (windows, tabs) for a smoke run; each at least 1.
struct BenchSize {
    int runs;
    QList<int> counts;
};

inline BenchSize benchSize(const QStringList& arguments, int runs, const QList<int>& counts) {
    BenchSize size{qMax(1, arguments.value(1, QString::number(runs)).toInt()), counts};
    if (arguments.size() > 2) {
        size.counts.clear();
        for (const QString& count : arguments.mid(2))
            size.counts << qMax(1, count.toInt());
    }
    return size;
}
