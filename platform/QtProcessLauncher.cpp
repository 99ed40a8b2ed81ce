#include "platform/QtProcessLauncher.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace {
QtProcessLauncher::Command firstInstalled(const QList<QtProcessLauncher::Command>& candidates) {
    for (const auto& candidate : candidates) {
        const QString found = QStandardPaths::findExecutable(candidate.program);
        if (!found.isEmpty())
            return {found, candidate.arguments};
    }
    return {};
}
} // namespace

bool QtProcessLauncher::start(const QString& program, const QStringList& arguments,
                              const QString& workingFolder) {
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, arguments, workingFolder);
}

bool QtProcessLauncher::startStandIn(StandIn tool, const QStringList& arguments,
                                     const QString& workingFolder) {
    const Command command = standInCommand(tool);
    if (command.program.isEmpty())
        return false;
    return start(command.program, command.arguments + arguments, workingFolder);
}

QtProcessLauncher::Command QtProcessLauncher::standInCommand(StandIn tool) {
    switch (tool) {
    case StandIn::TextEditor:
        return firstInstalled({{"gnome-text-editor", {}},
                               {"gedit", {}},
                               {"mousepad", {}},
                               {"kate", {}},
                               {"kwrite", {}},
                               {"pluma", {}},
                               {"xed", {}},
                               {"featherpad", {}},
                               {"xdg-open", {}}});
    case StandIn::FileManager:
        return firstInstalled({{"xdg-open", {QDir::homePath()}}});
    }
    return {};
}
