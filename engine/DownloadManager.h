#pragma once

#include <QObject>
#include <QPointer>

#include "engine/DownloadsWindow.h"
#include "platform/NoReplaceRename.h"

class DownloadsWindow;
class PageDialogs;
class QWebEngineDownloadRequest;
class QWebEngineProfile;

// Saves what pages download. A silent page's download goes into the Downloads folder under a
// name that never replaces an existing file; otherwise the user chooses where first. The data
// arrives in a ".part" file of its own (made exclusively, so no other program's file is ever
// written or deleted), is flushed to disk and then takes its final name in one rename. A silent
// page that starts a download within kMinSilentInterval of its previous one is refused, unless
// the person clicked or typed in it just before (one download each time): the download is
// listed as blocked. Each download shows in a small window.
class DownloadManager final : public QObject {
    Q_OBJECT
public:
    DownloadManager(QWebEngineProfile* profile, PageDialogs* dialogs, QObject* parent = nullptr);
    ~DownloadManager() override;

    static QString downloadFolder();
    // folder/name, or "name (1).ext", "name (2).ext"... when taken (with its ".part" too).
    static QString uniquePath(const QString& folder, const QString& name);
    // Where a page saved as chosen goes when the engine downloads it instead: the chosen name
    // with the downloaded file's own extension ("doc.pdf.mht" for doc.pdf: "doc.pdf").
    static QString savedDownloadPath(const QString& chosen, const QString& downloadName);
    static constexpr const char* kPartSuffix = ".part";
    // A name's bytes, with room for " (999)" and ".999.part" within the file system's 255.
    static constexpr qsizetype kMaxDownloadNameBytes = 255 - 6 - 9;
    static constexpr qint64 kMinSilentInterval = 10000; // ms
    static constexpr qint64 kPersonsActionMs = 5000;    // a click's download may take that long

    // Makes "<path>.part" (else "<path>.1.part", ...) that did not exist; empty on failure.
    static QString reservePartFile(const QString& path);
    // Flushes the part to disk and gives it the final name: over an existing file (replace),
    // or else never over one, taking the next free name. The name it took, or empty with errno
    // telling why (the part then stays as it is).
    static QString settleFile(const QString& part, const QString& target, bool replace,
                              RenameAt2 rename = nullptr);

    DownloadsWindow* window() const { return m_window; }

Q_SIGNALS:
    // The file is complete under its final name.
    void downloadFinished(const QString& path);
    void downloadFailed(const QString& path);
    void downloadBlocked(const QString& name);

private:
    void handle(QWebEngineDownloadRequest* download);
    void settle(QWebEngineDownloadRequest* download, const QString& part, const QString& target,
                bool replace);

    PageDialogs* m_dialogs;
    QPointer<DownloadsWindow> m_window;
};
