#pragma once

#include <QObject>
#include <QPointer>

#include "DownloadsWindow.h"

class DownloadsWindow;
class PageDialogs;
class QWebEngineDownloadRequest;
class QWebEngineProfile;

// Saves what pages download. A silent page's download goes into the Downloads folder under a
// name that never replaces an existing file; otherwise the user chooses where first. The
// data arrives in "<name>.part" and takes its final name only when complete, so a cancelled
// or failed download leaves nothing under that name. Each download shows in a small window.
class DownloadManager final : public QObject {
    Q_OBJECT
public:
    DownloadManager(QWebEngineProfile* profile, PageDialogs* dialogs, QObject* parent = nullptr);
    ~DownloadManager() override;

    static QString downloadFolder();
    // folder/name, or "name (1).ext", "name (2).ext"... when taken (with its ".part" too).
    static QString uniquePath(const QString& folder, const QString& name);
    static constexpr const char* kPartSuffix = ".part";

    DownloadsWindow* window() const { return m_window; }

Q_SIGNALS:
    // The file is complete under its final name.
    void downloadFinished(const QString& path);
    void downloadFailed(const QString& path);

private:
    void handle(QWebEngineDownloadRequest* download);
    void settle(QWebEngineDownloadRequest* download, const QString& target, bool replace);

    PageDialogs* m_dialogs;
    QPointer<DownloadsWindow> m_window;
};
