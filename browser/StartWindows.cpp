#include "browser/StartWindows.h"

#include "browser/SessionKeeper.h"
#include "browser/frmMain.h"
#include "platform/MessageBoxes.h"

void OpenStartWindows(const Services& services, const QString& address) {
    const QList<PageHistory> leftOpen = services.session->leftOpen();
    bool restored = false;
    if (!leftOpen.isEmpty() &&
        services.messageBoxes->askChoice(
            nullptr, frmMain::kInitialCaption,
            QStringLiteral("塔文浏览器上次没有正常关闭。要恢复上次打开的 %1 个窗口吗？")
                .arg(leftOpen.size()),
            QStringLiteral("恢复(&R)"), QStringLiteral("不恢复(&N)"))) {
        for (const PageHistory& window : leftOpen)
            restored = frmMain::ReopenWindow(services, window) || restored;
    }
    if (restored && address.isEmpty())
        return;
    auto* window = new frmMain(services);
    window->mstrURLNewWindow = address;
    window->mblnURLGiven = true;
    window->Show();
}
