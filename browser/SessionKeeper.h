#pragma once

#include "platform/PageView.h"

#include <QList>
#include <QObject>
#include <QTimer>
#include <optional>

// The browser's memory of its windows. The session file holds the open windows' back and
// forward lists, written soon after a window's address changes and at once when one closes,
// so that after a crash the next start can open them again; the last window closed leaves
// it empty (a clean exit). The windows closed in this run can be reopened, the latest first.
class SessionKeeper final : public QObject {
    Q_OBJECT
public:
    explicit SessionKeeper(const QString& path, QObject* parent = nullptr);

    static constexpr int kMaxClosed = 10;
    // Writes coalesce over this time: a burst of navigations is one write.
    static constexpr int kSaveDelayMs = 1000;

    // The windows the last run left open; none after a clean exit. A damaged file is named in
    // the error log and counts as none.
    QList<PageHistory> leftOpen() const;

    // An open window's address or list changed.
    void scheduleSave();
    bool isSavePending() const { return m_timer.isActive(); }
    void saveNow();
    // Remembers a window that closed (unless it had no page) and saves the rest at once.
    void windowClosed(const PageHistory& history);
    bool hasClosed() const { return !m_closed.isEmpty(); }
    // The latest closed window, forgotten here.
    std::optional<PageHistory> takeClosed();
    void forgetClosed();

Q_SIGNALS:
    void closedChanged();

private:
    QString m_path;
    QTimer m_timer;
    QList<PageHistory> m_closed; // latest last
    bool m_writeFailed = false;
};
