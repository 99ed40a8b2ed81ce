#pragma once

#include "platform/ProcessLauncher.h"

// QProcess::startDetached, with each stand-in the first of a list of desktop programs that is
// installed: a text editor, a file manager.
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
    // The command line that stands in for the tool on this desktop, to open a file or none;
    // empty program when there is none.
    static Command standInCommand(StandIn tool, bool forAFile);
};
