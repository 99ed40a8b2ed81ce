#include "core/BrowserOptions.h"

#include "platform/PrivateFiles.h"
#include "platform/XdgPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QUrl>

namespace {
const QString kEncoding = QStringLiteral("Pages/DefaultEncoding");
const QString kZoom = QStringLiteral("Pages/DefaultZoom");
const QString kProxyMode = QStringLiteral("Connection/ProxyMode");
const QString kProxyKind = QStringLiteral("Connection/ProxyKind");
const QString kProxyHost = QStringLiteral("Connection/ProxyHost");
const QString kProxyPort = QStringLiteral("Connection/ProxyPort");

// Hosts as keys: the ASCII form in lower case, so that one host is one key; "/" and "\" would
// be read as groups, and no host holds them.
QString hostKey(const QString& group, const QString& host) {
    const QString ace = QString::fromLatin1(QUrl::toAce(host)).toLower();
    if (ace.isEmpty() || ace.contains(QLatin1Char('/')) || ace.contains(QLatin1Char('\\')))
        return QString();
    return group + QLatin1Char('/') + ace;
}

int clampedZoom(int percent) {
    return qBound(BrowserOptions::kMinZoom, percent, BrowserOptions::kMaxZoom);
}
} // namespace

const QString BrowserOptions::kAutoEncoding = QStringLiteral("auto");

bool ProxyOption::operator==(const ProxyOption& other) const {
    return mode == other.mode && kind == other.kind && host == other.host && port == other.port;
}

BrowserOptions::BrowserOptions(const QString& path, QObject* parent)
    : QObject(parent)
    , m_settings(std::make_unique<QSettings>(path, QSettings::IniFormat)) {}

BrowserOptions::~BrowserOptions() = default;

QString BrowserOptions::defaultPath() {
    return xdg::appFolder(xdg::configHome()) + QStringLiteral("/tarnvale.conf");
}

QString BrowserOptions::fileName() const {
    return m_settings->fileName();
}

QString BrowserOptions::defaultEncoding() const {
    const QString encoding = m_settings->value(kEncoding).toString();
    return encoding.isEmpty() ? kAutoEncoding : encoding;
}

void BrowserOptions::setDefaultEncoding(const QString& encoding) {
    set(kEncoding, encoding);
}

int BrowserOptions::defaultZoom() const {
    bool ok = false;
    const int percent = m_settings->value(kZoom).toInt(&ok);
    return ok ? clampedZoom(percent) : 100;
}

void BrowserOptions::setDefaultZoom(int percent) {
    set(kZoom, clampedZoom(percent));
}

ProxyOption BrowserOptions::proxy() const {
    ProxyOption proxy;
    const QString mode = m_settings->value(kProxyMode).toString();
    proxy.mode = mode == QLatin1String("none")     ? ProxyOption::Mode::None
                 : mode == QLatin1String("manual") ? ProxyOption::Mode::Manual
                                                   : ProxyOption::Mode::System;
    proxy.kind = m_settings->value(kProxyKind).toString() == QLatin1String("socks5")
                     ? ProxyOption::Kind::Socks5
                     : ProxyOption::Kind::Http;
    proxy.host = m_settings->value(kProxyHost).toString().trimmed();
    const uint port = m_settings->value(kProxyPort).toUInt();
    proxy.port = port <= 65535 ? quint16(port) : 0;
    if (proxy.mode == ProxyOption::Mode::Manual && (proxy.host.isEmpty() || proxy.port == 0))
        proxy.mode = ProxyOption::Mode::System; // half a proxy is none
    return proxy;
}

void BrowserOptions::setProxy(const ProxyOption& proxy) {
    m_settings->setValue(kProxyMode, proxy.mode == ProxyOption::Mode::None     ? "none"
                                     : proxy.mode == ProxyOption::Mode::Manual ? "manual"
                                                                               : "system");
    m_settings->setValue(kProxyKind, proxy.kind == ProxyOption::Kind::Socks5 ? "socks5" : "http");
    m_settings->setValue(kProxyHost, proxy.host.trimmed());
    set(kProxyPort, proxy.port);
}

int BrowserOptions::hostZoom(const QString& host) const {
    const QString key = hostKey(QStringLiteral("Zoom"), host);
    bool ok = false;
    const int percent = key.isEmpty() ? 0 : m_settings->value(key).toInt(&ok);
    return ok && percent > 0 ? clampedZoom(percent) : 0;
}

void BrowserOptions::setHostZoom(const QString& host, int percent) {
    const QString key = hostKey(QStringLiteral("Zoom"), host);
    if (key.isEmpty())
        return;
    if (percent <= 0)
        m_settings->remove(key);
    set(key, percent <= 0 ? QVariant() : QVariant(clampedZoom(percent)));
}

QString BrowserOptions::hostEncoding(const QString& host) const {
    const QString key = hostKey(QStringLiteral("Encoding"), host);
    return key.isEmpty() ? QString() : m_settings->value(key).toString();
}

void BrowserOptions::setHostEncoding(const QString& host, const QString& encoding) {
    const QString key = hostKey(QStringLiteral("Encoding"), host);
    if (key.isEmpty())
        return;
    if (encoding.isEmpty())
        m_settings->remove(key);
    set(key, encoding.isEmpty() ? QVariant() : QVariant(encoding));
}

void BrowserOptions::set(const QString& key, const QVariant& value) {
    if (value.isValid())
        m_settings->setValue(key, value);
    keepPrivate();
    m_settings->sync();
    Q_EMIT changed();
}

bool BrowserOptions::save() {
    keepPrivate();
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

void BrowserOptions::keepPrivate() {
    // The hosts zoomed or read in another encoding are a trace of the person's browsing: the
    // file is made 0600 before the first write, and the writes, which replace it, keep that.
    const QString path = m_settings->fileName();
    if (m_settings->allKeys().isEmpty() && !QFileInfo::exists(path))
        return; // nothing to write: no file is made
    QDir().mkpath(QFileInfo(path).path());
    makePrivateFile(path);
}
