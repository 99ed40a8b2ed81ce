#include "tools/ExternalTools.h"

#include "platform/ProcessLauncher.h"
#include "platform/ProgramFolder.h"

const QString kSoftwareHomePage = QStringLiteral("http://www.tarnvale.com");

QString AboutText() {
    return QStringLiteral("塔文浏览器(Tarnvale) ") + QStringLiteral(TARNVALE_VERSION) +
           QStringLiteral("\r\n软件主页：") + kSoftwareHomePage;
}

void StartNotepad(ProcessLauncher& launcher) {
    launcher.startStandIn(ProcessLauncher::StandIn::TextEditor, {}, programFolder());
}

void StartExplorer(ProcessLauncher& launcher) {
    launcher.startStandIn(ProcessLauncher::StandIn::FileManager, {}, programFolder());
}

void StartInternetOptions(ProcessLauncher& launcher) {
    launcher.startStandIn(ProcessLauncher::StandIn::NetworkSettings, {}, QString());
}
