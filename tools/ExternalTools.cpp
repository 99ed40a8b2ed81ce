#include "tools/ExternalTools.h"

#include "platform/MessageBoxes.h"
#include "platform/ProgramFolder.h"

namespace {
void startStandIn(ProcessLauncher& launcher, MessageBoxes& boxes, QWidget* owner,
                  ProcessLauncher::StandIn tool) {
    if (launcher.startStandIn(tool, {}, programFolder()))
        return;
    boxes.inform(owner, QStringLiteral("提示"), MissingProgramText(tool),
                 MessageBoxes::Icon::Information);
}
} // namespace

const QString kSoftwareHomePage = QStringLiteral("http://www.tarnvale.com");

QString AboutText() {
    return QStringLiteral("塔文浏览器(Tarnvale) ") + QStringLiteral(TARNVALE_VERSION) +
           QStringLiteral("\r\n软件主页：") + kSoftwareHomePage;
}

QString MissingProgramText(ProcessLauncher::StandIn tool) {
    if (tool == ProcessLauncher::StandIn::FileManager)
        return QStringLiteral("没有找到文件管理器。请安装一个文件管理器，例如 Debian 软件包 "
                              "thunar 或 nautilus（sudo apt install thunar）。");
    return QStringLiteral("没有找到文本编辑器。请安装一个文本编辑器，例如 Debian 软件包 "
                          "gnome-text-editor 或 mousepad（sudo apt install mousepad）。");
}

void StartNotepad(ProcessLauncher& launcher, MessageBoxes& boxes, QWidget* owner) {
    startStandIn(launcher, boxes, owner, ProcessLauncher::StandIn::TextEditor);
}

void StartExplorer(ProcessLauncher& launcher, MessageBoxes& boxes, QWidget* owner) {
    startStandIn(launcher, boxes, owner, ProcessLauncher::StandIn::FileManager);
}
