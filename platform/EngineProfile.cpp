#include "EngineProfile.h"

#include "XdgPaths.h"

#include <QWebEngineProfile>
#include <QWebEngineSettings>

QWebEngineProfile* createSharedProfile(QObject* parent) {
    auto* profile = new QWebEngineProfile(QStringLiteral("tarnvale"), parent);
    profile->setPersistentStoragePath(xdg::appFolder(xdg::dataHome()) + QStringLiteral("/engine"));
    profile->setCachePath(xdg::appFolder(xdg::cacheHome()) + QStringLiteral("/engine"));
    profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
    profile->setHttpAcceptLanguage(QStringLiteral("zh-CN,zh;q=0.9,en;q=0.6"));
    // Pages may open windows from script, as they could in the hosted browser control.
    profile->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    return profile;
}
