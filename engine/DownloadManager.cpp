#include "engine/DownloadManager.h"

#include "engine/DownloadsWindow.h"
#include "engine/WebEnginePage.h"
#include "engine/WebEnginePageView.h"
#include "platform/FileNames.h"
#include "platform/NoReplaceRename.h"
#include "platform/PageDialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {
QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}
} // namespace

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

QString DownloadManager::reservePartFile(const QString& path) {
    for (int n = 0; n < 1000; ++n) {
        const QString part =
            path + (n ? QStringLiteral(".%1").arg(n) : QString()) + QLatin1String(kPartSuffix);
        const int fd = ::open(native(part).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd >= 0) {
            ::close(fd);
            return part;
        }
        if (errno != EEXIST)
            return QString();
    }
    return QString();
}

QString DownloadManager::settleFile(const QString& part, const QString& target, bool replace,
                                    RenameAt2 rename) {
    const int fd = ::open(native(part).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return QString();
    const bool flushed = ::fsync(fd) == 0;
    ::close(fd);
    if (!flushed)
        return QString();
    if (replace) // the user chose to replace it: the old file stays until the new one is there
        return ::rename(native(part).constData(), native(target).constData()) == 0 ? target
                                                                                   : QString();
    QString finalPath = target;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        if (renameNoReplace(part, finalPath, rename))
            return finalPath;
        if (errno != EEXIST)
            return QString();
        // Something took the name meanwhile.
        finalPath = uniquePath(QFileInfo(target).absolutePath(), QFileInfo(target).fileName());
    }
    return QString();
}

QString DownloadManager::savedDownloadPath(const QString& chosen, const QString& downloadName) {
    const QFileInfo file(chosen);
    const QString suffix = QFileInfo(downloadName).suffix();
    if (suffix.isEmpty() || file.suffix().compare(suffix, Qt::CaseInsensitive) == 0)
        return chosen;
    QString name = file.suffix().isEmpty() ? file.fileName() : file.completeBaseName();
    if (name.isEmpty()) // nothing chosen but an extension: never a hidden file
        name = QFileInfo(downloadName).completeBaseName();
    if (!name.endsWith(QLatin1Char('.') + suffix, Qt::CaseInsensitive))
        name += QLatin1Char('.') + suffix;
    return file.dir().filePath(name);
}

void DownloadManager::handle(QWebEngineDownloadRequest* download) {
    auto* page = qobject_cast<WebEnginePage*>(download->page());
    WebEnginePageView* view = page ? page->view() : nullptr;
    const std::optional<QString> saveTarget =
        view ? view->takeSaveTarget(download->url()) : std::nullopt;
    if (download->isSavePageDownload()) {
        // "另存为" accepted it already, with the person's own path; the engine's own menu did
        // not: it is asked the same way.
        if (download->state() == QWebEngineDownloadRequest::DownloadRequested && view)
            view->acceptSavePage(download);
        return;
    }
    // What 另存为 could not save as a web page comes as a download, to where it was told.
    const bool silent = !saveTarget && (!view || view->Silent() || !m_dialogs);
    // The server names the file: never a hidden one, nor one a Windows disk cannot take, and
    // short enough for its ".part" and " (1)".
    const QString name = downloadedFileName(download->downloadFileName(), QStringLiteral("下载"),
                                            kMaxDownloadNameBytes);

    if (silent && page && !page->takeAskedDownload(download->url()) &&
        page->msSinceLastDownload() < kMinSilentInterval &&
        !page->takePersonsAction(kPersonsActionMs)) {
        // Nobody asked for this one, by a click or a key in the page just before: a page must
        // not fill the disk with downloads. The person may still ask for it.
        download->cancel();
        if (m_window) {
            const QPointer<WebEnginePage> from(page);
            m_window->addBlocked(name, [from, url = download->url()] {
                if (from)
                    from->downloadAsked(url);
                return !from.isNull();
            });
        }
        Q_EMIT downloadBlocked(name);
        return;
    }
    if (page)
        page->downloadStarted();

    QString target;
    bool replace = !silent;
    if (saveTarget) {
        // The person agreed to replace the file chosen, not one of another name.
        target = savedDownloadPath(*saveTarget, name);
        replace = target == *saveTarget;
    } else if (silent) {
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
    const QString part = reservePartFile(target);
    if (part.isEmpty()) {
        download->cancel();
        Q_EMIT downloadFailed(target);
        return;
    }
    const QFileInfo info(part);
    download->setDownloadDirectory(info.absolutePath());
    download->setDownloadFileName(info.fileName());
    download->accept();
    if (m_window)
        m_window->add(download, target);
    connect(download, &QWebEngineDownloadRequest::stateChanged, this,
            [this, download, part, target, replace] { settle(download, part, target, replace); });
}

void DownloadManager::settle(QWebEngineDownloadRequest* download, const QString& part,
                             const QString& target, bool replace) {
    const auto state = download->state();
    if (state != QWebEngineDownloadRequest::DownloadCompleted &&
        state != QWebEngineDownloadRequest::DownloadCancelled &&
        state != QWebEngineDownloadRequest::DownloadInterrupted)
        return;
    if (state != QWebEngineDownloadRequest::DownloadCompleted) {
        QFile::remove(part); // made by this download, nobody else's
        Q_EMIT downloadFailed(target);
        return;
    }
    const QString finalPath = settleFile(part, target, replace);
    if (finalPath.isEmpty()) {
        // The data stays in its part file, where the person can still take it.
        const QString reason = fileErrorText(errno);
        if (m_window)
            m_window->failed(download, reason);
        Q_EMIT downloadFailed(target);
        return;
    }
    if (m_window)
        m_window->finished(download, finalPath);
    Q_EMIT downloadFinished(finalPath);
}
