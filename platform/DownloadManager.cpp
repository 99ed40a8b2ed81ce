#include "DownloadManager.h"

#include "DownloadsWindow.h"
#include "PageDialogs.h"
#include "WebEnginePage.h"
#include "WebEnginePageView.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

DownloadManager::DownloadManager(QWebEngineProfile* profile, PageDialogs* dialogs, QObject* parent)
    : QObject(parent)
    , m_dialogs(dialogs)
    , m_window(new DownloadsWindow) {
    connect(profile, &QWebEngineProfile::downloadRequested, this, &DownloadManager::handle);
}

DownloadManager::~DownloadManager() {
    delete m_window.data();
}

QString DownloadManager::downloadFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    return folder.isEmpty() ? QDir::homePath() + QStringLiteral("/Downloads") : folder;
}

QString DownloadManager::uniquePath(const QString& folder, const QString& name) {
    const QFileInfo info(name);
    const QString base = info.completeBaseName().isEmpty() ? name : info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    const QDir dir(folder);
    QString candidate = dir.filePath(name);
    for (int n = 1;
         QFileInfo::exists(candidate) || QFileInfo::exists(candidate + QLatin1String(kPartSuffix));
         ++n)
        candidate = dir.filePath(QStringLiteral("%1 (%2)%3").arg(base).arg(n).arg(suffix));
    return candidate;
}

void DownloadManager::handle(QWebEngineDownloadRequest* download) {
    if (download->isSavePageDownload())
        return; // "Save As" accepted it already, with the user's own path
    auto* page = qobject_cast<WebEnginePage*>(download->page());
    WebEnginePageView* view = page ? page->view() : nullptr;
    const bool silent = !view || view->Silent() || !m_dialogs;
    const QString name = download->downloadFileName().isEmpty() ? QStringLiteral("下载")
                                                                : download->downloadFileName();

    QString target;
    if (silent) {
        QDir().mkpath(downloadFolder());
        target = uniquePath(downloadFolder(), name);
    } else {
        // A modal question is allowed here: the download must be accepted in this slot.
        const auto chosen =
            m_dialogs->chooseDownloadPath(view, QDir(downloadFolder()).filePath(name));
        if (!chosen) {
            download->cancel();
            return;
        }
        target = *chosen;
    }
    const QFileInfo info(target);
    download->setDownloadDirectory(info.absolutePath());
    download->setDownloadFileName(info.fileName() + QLatin1String(kPartSuffix));
    download->accept();
    if (m_window)
        m_window->add(download, target);
    connect(download, &QWebEngineDownloadRequest::stateChanged, this,
            [this, download, target, silent] { settle(download, target, !silent); });
}

void DownloadManager::settle(QWebEngineDownloadRequest* download, const QString& target,
                             bool replace) {
    const auto state = download->state();
    if (state != QWebEngineDownloadRequest::DownloadCompleted &&
        state != QWebEngineDownloadRequest::DownloadCancelled &&
        state != QWebEngineDownloadRequest::DownloadInterrupted)
        return;
    const QString part = QDir(download->downloadDirectory()).filePath(download->downloadFileName());
    if (state != QWebEngineDownloadRequest::DownloadCompleted) {
        QFile::remove(part);
        Q_EMIT downloadFailed(target);
        return;
    }
    QString finalPath = target;
    if (QFileInfo::exists(target)) {
        if (replace) // the user chose to replace it
            QFile::remove(target);
        else // something took the name meanwhile
            finalPath = uniquePath(QFileInfo(target).absolutePath(), QFileInfo(target).fileName());
    }
    if (!QFile::rename(part, finalPath)) {
        Q_EMIT downloadFailed(target);
        return;
    }
    if (m_window)
        m_window->finished(download, finalPath);
    Q_EMIT downloadFinished(finalPath);
}
