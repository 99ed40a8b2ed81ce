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
    const Command command = standInCommand(tool, !arguments.isEmpty());
    if (command.program.isEmpty())
        return false;
    return start(command.program, command.arguments + arguments, workingFolder);
}

QtProcessLauncher::Command QtProcessLauncher::standInCommand(StandIn tool, bool forAFile) {
    switch (tool) {
    case StandIn::TextEditor: {
        QList<Command> editors = {{"gnome-text-editor", {}},
                                  {"gedit", {}},
                                  {"mousepad", {}},
                                  {"kate", {}},
                                  {"kwrite", {}},
                                  {"pluma", {}},
                                  {"xed", {}},
                                  {"featherpad", {}},
                                  {"l3afpad", {}},
                                  {"geany", {}}};
        // xdg-open opens a file in the program chosen for it, but starts nothing without one.
        if (forAFile)
            editors.append(Command{"xdg-open", {}});
        return firstInstalled(editors);
    }
    case StandIn::FileManager: {
        // File managers by name first: the desktop's choice for folders is a web browser on
        // some systems.
        const QStringList home = {QDir::homePath()};
        return firstInstalled({{"nautilus", home},
                               {"thunar", home},
                               {"pcmanfm-qt", home},
                               {"pcmanfm", home},
                               {"dolphin", home},
                               {"nemo", home},
                               {"caja", home},
                               {"xdg-open", home}});
    }
    }
    return {};
}
