#pragma once

#include "platform/ProcessLauncher.h"

// Records every start; starting succeeds unless the test says otherwise.
class FakeProcessLauncher final : public ProcessLauncher {
public:
    bool start(const QString& program, const QStringList& arguments,
               const QString& workingFolder) override {
        started.append({program, arguments, workingFolder});
        return succeed;
    }
    bool startStandIn(StandIn tool, const QStringList& arguments,
                      const QString& workingFolder) override {
        const char* names[] = {"text-editor", "file-manager"};
        return start(QString::fromLatin1(names[int(tool)]), arguments, workingFolder);
    }

    struct Started {
        QString program; // "text-editor", "file-manager" for stand-ins
        QStringList arguments;
        QString workingFolder;
    };
    QList<Started> started;
    bool succeed = true;
};
