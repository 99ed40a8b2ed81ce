#include "platform/testing/FakeProcessLauncher.h"

bool FakeProcessLauncher::start(const QString& program, const QStringList& arguments,
                                const QString& workingFolder) {
    started.append({program, arguments, workingFolder});
    return succeed;
}

bool FakeProcessLauncher::startStandIn(StandIn tool, const QStringList& arguments,
                                       const QString& workingFolder) {
    const char* names[] = {"text-editor", "file-manager", "network-settings"};
    return start(QString::fromLatin1(names[int(tool)]), arguments, workingFolder);
}
