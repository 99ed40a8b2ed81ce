#include "tools/InternetOptions.h"

#include "core/BrowserOptions.h"
#include "core/modMain.h"
#include "platform/AddressText.h"
#include "platform/RegFileWriter.h"

#include <QDir>

namespace {
// Long enough to recognise, short enough for a message box.
constexpr int kMaxShownText = 200;

bool hasControl(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20; });
}
} // namespace

QString StartPageProblem(const QString& address) {
    if (!hasControl(address) && isWebAddress(address))
        return QString();
    return QStringLiteral("“%1”不能作为主页。主页可以是以 http、https、ftp 或 file 开头的网址，"
                          "或者 about:blank。")
        .arg(address.left(kMaxShownText).simplified());
}

QString ProxyProblem(const ProxyOption& proxy) {
    if (proxy.mode != ProxyOption::Mode::Manual)
        return QString();
    const QString& host = proxy.host;
    const bool plainHost = !host.isEmpty() && std::none_of(host.begin(), host.end(), [](QChar c) {
        return c.isSpace() || c.unicode() < 0x20 || c == QLatin1Char('/') || c == QLatin1Char('@');
    });
    if (plainHost && proxy.port > 0)
        return QString();
    return QStringLiteral("请填写代理服务器的地址（主机名或 IP 地址，例如 127.0.0.1）和端口。");
}

QString StoredStartPage(const QString& address) {
    return address == QLatin1String("about:blank") ? kBlankStartPage : address;
}

QString SaveStartPage(const QString& userRegistryFile, const QString& address) {
    const QString file = QDir::toNativeSeparators(userRegistryFile);
    const QString unchanged = QStringLiteral("主页没有更改。");
    const QString key = QStringLiteral("HKEY_CURRENT_USER\\") + kStartPageKey;
    switch (writeRegString(userRegistryFile, key, kStartPageValue, StoredStartPage(address))) {
    case RegWrite::Written:
        return QString();
    case RegWrite::BadValue:
        return StartPageProblem(address);
    case RegWrite::NotAFile:
        return QStringLiteral("“%1”不是普通文件（也许是链接或文件夹），塔文浏览器不改写它。")
                   .arg(file) +
               unchanged;
    case RegWrite::TooLarge:
        return QStringLiteral("“%1”太大，不是注册表导出文件，塔文浏览器不改写它。").arg(file) +
               unchanged;
    case RegWrite::Unreadable:
        return QStringLiteral("无法读取“%1”。").arg(file) + unchanged;
    case RegWrite::NotRegistryFile:
        return QStringLiteral("“%1”不是注册表导出文件（开头没有 REGEDIT4 或 Windows Registry "
                              "Editor Version 5.00），塔文浏览器不改写它。")
                   .arg(file) +
               unchanged;
    case RegWrite::Unwritable:
        return QStringLiteral("无法写入“%1”（文件夹不可写或磁盘已满）。").arg(file) + unchanged;
    }
    return unchanged;
}
