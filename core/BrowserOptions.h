#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QSettings;

// How pages reach the network, set in Internet 选项 and applied when Tarnvale starts (the engine
// takes its proxy once per process).
struct ProxyOption {
    enum class Mode { System, None, Manual };
    enum class Kind { Http, Socks5 };
    Mode mode = Mode::System;
    Kind kind = Kind::Http;
    QString host;
    quint16 port = 0;
    bool operator==(const ProxyOption& other) const;
};

// What the person chose in Internet 选项 and what the windows remember per host (zoom, text
// encoding), kept in $XDG_CONFIG_HOME/tarnvale/tarnvale.conf (INI, UTF-8). One per process,
// shared by every window; changes are written at once and announced with changed().
class BrowserOptions final : public QObject {
    Q_OBJECT
public:
    explicit BrowserOptions(const QString& path = defaultPath(), QObject* parent = nullptr);
    ~BrowserOptions() override;
    Q_DISABLE_COPY_MOVE(BrowserOptions)

    static QString defaultPath();
    // The file the options are kept in.
    QString fileName() const;

    // Text encoding for pages that declare none: kAutoEncoding, or an encoding name.
    static const QString kAutoEncoding;
    QString defaultEncoding() const;
    void setDefaultEncoding(const QString& encoding);

    // Zoom of hosts not seen before, in percent (25 to 500).
    int defaultZoom() const;
    void setDefaultZoom(int percent);

    ProxyOption proxy() const;
    void setProxy(const ProxyOption& proxy);

    // Per host (its ASCII form): the zoom in percent and the encoding the person chose; 0 and
    // an empty text where nothing is remembered, which also forgets.
    int hostZoom(const QString& host) const;
    void setHostZoom(const QString& host, int percent);
    QString hostEncoding(const QString& host) const;
    void setHostEncoding(const QString& host, const QString& encoding);

    // False when the file could not be written (folder not writable, disk full).
    bool save();

    static constexpr int kMinZoom = 25;
    static constexpr int kMaxZoom = 500;

Q_SIGNALS:
    void changed();

private:
    void set(const QString& key, const QVariant& value);
    void keepPrivate();

    std::unique_ptr<QSettings> m_settings;
};
