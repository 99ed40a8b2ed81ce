#pragma once

#include <QHash>
#include <QWidget>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QVBoxLayout;
class QWebEngineDownloadRequest;

// The list of this session's downloads: progress, cancel, and the folder to open. Not modal;
// it comes forward when a download starts.
class DownloadsWindow final : public QWidget {
    Q_OBJECT
public:
    DownloadsWindow();

    void add(QWebEngineDownloadRequest* download, const QString& target);
    // A download refused before it began: listed as blocked, with a button that asks for it
    // again (once; askAgain says false when it no longer can); the window does not come
    // forward for it.
    void addBlocked(const QString& name, std::function<bool()> askAgain);
    // The engine's "completed" is not yet done: the file is done once it is in place.
    void finished(QWebEngineDownloadRequest* download, const QString& path);
    void failed(QWebEngineDownloadRequest* download, const QString& reason);
    int count() const { return int(m_rows.size()) + m_blocked; }

private:
    struct Row {
        QLabel* name = nullptr;
        QProgressBar* progress = nullptr;
        QLabel* status = nullptr;
        QPushButton* cancel = nullptr;
        QPushButton* openFolder = nullptr;
        QString folder;
    };
    void update(QWebEngineDownloadRequest* download);
    Row addRow(const QString& name);

    QVBoxLayout* m_list;
    QScrollArea* m_scroll;
    bool m_followNewest = false;
    QHash<QWebEngineDownloadRequest*, Row> m_rows;
    int m_blocked = 0;
};
