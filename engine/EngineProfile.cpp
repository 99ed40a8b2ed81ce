#include "engine/EngineProfile.h"

#include "engine/LocalPageGuard.h"
#include "platform/PrivateFiles.h"
#include "platform/XdgPaths.h"

#include <QFontDatabase>
#include <QStringList>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

void applyChineseFonts(QWebEngineSettings* settings) {
    const QStringList installed = QFontDatabase::families();
    const auto first = [&installed](const QStringList& wanted) {
        for (const QString& family : wanted) {
            if (installed.contains(family, Qt::CaseInsensitive))
                return family;
        }
        return QString();
    };
    const QString sans = first({"Noto Sans CJK SC", "Source Han Sans SC", "WenQuanYi Micro Hei",
                                "WenQuanYi Zen Hei", "Droid Sans Fallback"});
    const QString serif =
        first({"Noto Serif CJK SC", "Source Han Serif SC", "AR PL UMing CN", "AR PL SungtiL GB"});
    if (!sans.isEmpty()) {
        settings->setFontFamily(QWebEngineSettings::StandardFont, sans);
        settings->setFontFamily(QWebEngineSettings::SansSerifFont, sans);
    }
    if (!serif.isEmpty())
        settings->setFontFamily(QWebEngineSettings::SerifFont, serif);
}

QWebEngineProfile* createSharedProfile(QObject* parent) {
    // Cookies, storage and the cache are the person's alone.
    makePrivateFolder(xdg::appFolder(xdg::dataHome()));
    makePrivateFolder(xdg::appFolder(xdg::cacheHome()));
    auto* profile = new QWebEngineProfile(QStringLiteral("tarnvale"), parent);
    profile->setPersistentStoragePath(xdg::appFolder(xdg::dataHome()) + QStringLiteral("/engine"));
    profile->setCachePath(xdg::appFolder(xdg::cacheHome()) + QStringLiteral("/engine"));
    profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
    profile->setHttpAcceptLanguage(QStringLiteral("zh-CN,zh;q=0.9,en;q=0.6"));
    QWebEngineSettings* settings = profile->settings();
    // Script windows only after a person's click or key, as the hosted control's pop-up
    // blocker did: links with a target and window.open in a click handler still open.
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    // PDFs show in the window with the engine's own viewer; saving one stays a choice.
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, true);
    settings->setAttribute(QWebEngineSettings::PdfViewerEnabled, true);
    // Chinese pages that declare no character set are GBK far more often than Latin-1.
    settings->setDefaultTextEncoding(QStringLiteral("GBK"));
    applyChineseFonts(settings);
    installLocalPageGuard(profile);
    return profile;
}
