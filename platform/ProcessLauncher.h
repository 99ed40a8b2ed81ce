#pragma once

#include <QString>
#include <QStringList>

// Starts other programs, never through a shell, and never waits for them.
class ProcessLauncher {
public:
    // The desktop's programs that stand in for the system tools the browser starts.
    enum class StandIn { TextEditor, FileManager };

    virtual ~ProcessLauncher() = default;
    // False when the program could not be started (missing, not executable).
    virtual bool start(const QString& program, const QStringList& arguments,
                       const QString& workingFolder) = 0;
    // Starts the desktop's program for the tool with the arguments given after its own;
    // false when the desktop has none.
    virtual bool startStandIn(StandIn tool, const QStringList& arguments,
                              const QString& workingFolder) = 0;
};
