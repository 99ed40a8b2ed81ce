#pragma once

#include "platform/ProcessLauncher.h"

// QProcess::startDetached, with each stand-in the first of a list of desktop programs that is
// installed: a text editor, the file manager (through xdg-open).
class QtProcessLauncher final : public ProcessLauncher {
public:
    bool start(const QString& program, const QStringList& arguments,
               const QString& workingFolder) override;
    bool startStandIn(StandIn tool, const QStringList& arguments,
                      const QString& workingFolder) override;

    struct Command {
        QString program;
        QStringList arguments;
    };
    // The command line that stands in for the tool on this desktop; empty program when none.
    static Command standInCommand(StandIn tool);
};
