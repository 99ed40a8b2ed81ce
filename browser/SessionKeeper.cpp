#include "browser/SessionKeeper.h"

#include "browser/SessionFile.h"
#include "browser/frmMain.h"
#include "core/modMain.h"

SessionKeeper::SessionKeeper(const QString& path, QObject* parent)
    : QObject(parent)
    , m_path(path) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(kSaveDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &SessionKeeper::saveNow);
}

QList<PageHistory> SessionKeeper::leftOpen() const {
    QString problem;
    if (const auto windows = sessionFile::read(m_path, &problem))
        return *windows;
    WriteErrorLog(QStringLiteral("SessionKeeper"), -1,
                  QStringLiteral("忽略损坏的会话文件 ") + m_path + QStringLiteral("：") + problem);
    return {};
}

void SessionKeeper::scheduleSave() {
    // Not restarted by later changes: a page that keeps navigating is still saved.
    if (!m_timer.isActive())
        m_timer.start();
}

void SessionKeeper::saveNow() {
    m_timer.stop();
    QList<PageHistory> windows;
    for (const frmMain* window : frmMain::openWindows()) {
        const PageHistory kept = sessionFile::keptHistory(window->windowHistory());
        if (!kept.urls.isEmpty())
            windows.append(kept);
    }
    const bool written = sessionFile::write(m_path, sessionFile::encode(windows));
    if (!written && !m_writeFailed) // once, not at every page, until a write succeeds again
        WriteErrorLog(QStringLiteral("SessionKeeper"), -1,
                      QStringLiteral("不能写入会话文件 ") + m_path);
    m_writeFailed = !written;
}

void SessionKeeper::windowClosed(const PageHistory& history) {
    const PageHistory kept = sessionFile::keptHistory(history);
    if (!kept.urls.isEmpty()) {
        m_closed.append(kept);
        while (m_closed.size() > kMaxClosed)
            m_closed.removeFirst();
        Q_EMIT closedChanged();
    }
    saveNow();
}

std::optional<PageHistory> SessionKeeper::takeClosed() {
    if (m_closed.isEmpty())
        return std::nullopt;
    const PageHistory latest = m_closed.takeLast();
    Q_EMIT closedChanged();
    return latest;
}

void SessionKeeper::forgetClosed() {
    m_closed.clear();
    Q_EMIT closedChanged();
}
