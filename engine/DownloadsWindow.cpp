#include "engine/DownloadsWindow.h"

#include "platform/PlainText.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>

DownloadsWindow::DownloadsWindow()
    : QWidget(nullptr, Qt::Window)
    , m_list(new QVBoxLayout) {
    setWindowTitle(QStringLiteral("下载"));
    // The program still ends with its last browser window.
    setAttribute(Qt::WA_QuitOnClose, false);
    // It shows each download as it starts, but the keys stay with the window the person uses.
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* inner = new QWidget;
    m_list->addStretch(1);
    inner->setLayout(m_list);
    m_scroll = new QScrollArea;
    m_scroll->setWidgetResizable(true);
    m_scroll->setWidget(inner);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_scroll, 1);
    // The newest download, at the bottom, stays in sight as the list grows, until the person
    // scrolls the list themselves.
    QScrollBar* bar = m_scroll->verticalScrollBar();
    connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int maximum) {
        if (m_followNewest)
            bar->setValue(maximum);
    });
    connect(bar, &QScrollBar::actionTriggered, this, [this] { m_followNewest = false; });
    resize(480, 260);
}

DownloadsWindow::Row DownloadsWindow::addRow(const QString& name) {
    Row row;
    auto* box = new QWidget;
    auto* grid = new QVBoxLayout(box);
    auto* top = new QHBoxLayout;
    row.name = plainText::label(name); // the server chose it
    row.cancel = new QPushButton(QStringLiteral("取消"));
    row.openFolder = new QPushButton(QStringLiteral("打开文件夹"));
    top->addWidget(row.name, 1);
    top->addWidget(row.cancel);
    top->addWidget(row.openFolder);
    row.progress = new QProgressBar;
    row.status = plainText::label(QString());
    grid->addLayout(top);
    grid->addWidget(row.progress);
    grid->addWidget(row.status);
    m_list->insertWidget(m_list->count() - 1, box);
    m_followNewest = true;
    return row;
}

void DownloadsWindow::addBlocked(const QString& name, std::function<bool()> askAgain) {
    Row row = addRow(name);
    row.status->setText(
        QStringLiteral("已阻止：网页在短时间内多次要求下载。要下载这个文件，请单击“下载”。"));
    row.progress->hide();
    row.openFolder->hide();
    QPushButton* download = row.cancel;
    download->setText(QStringLiteral("下载"));
    connect(download, &QPushButton::clicked, this, [download, status = row.status, askAgain] {
        download->setEnabled(false);
        status->setText(askAgain() ? QStringLiteral("已请求下载")
                                   : QStringLiteral("网页已关闭，不能下载"));
    });
    ++m_blocked;
}

void DownloadsWindow::add(QWebEngineDownloadRequest* download, const QString& target) {
    Row row = addRow(QFileInfo(target).fileName());
    row.folder = QFileInfo(target).absolutePath();
    m_rows.insert(download, row);

    connect(row.cancel, &QPushButton::clicked, download, &QWebEngineDownloadRequest::cancel);
    const QString path = row.folder;
    connect(row.openFolder, &QPushButton::clicked, this,
            [path] { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); });
    connect(download, &QWebEngineDownloadRequest::receivedBytesChanged, this,
            [this, download] { update(download); });
    connect(download, &QWebEngineDownloadRequest::stateChanged, this,
            [this, download] { update(download); });
    connect(download, &QObject::destroyed, this, [this, download] { m_rows.remove(download); });
    update(download);
    show();
    raise();
}

void DownloadsWindow::finished(QWebEngineDownloadRequest* download, const QString& path) {
    const auto it = m_rows.find(download);
    if (it == m_rows.end())
        return;
    it->name->setText(plainText::cut(QFileInfo(path).fileName()));
    const QLocale locale(QLocale::Chinese, QLocale::China);
    it->status->setText(
        QStringLiteral("已完成，%1").arg(locale.formattedDataSize(download->receivedBytes())));
}

void DownloadsWindow::failed(QWebEngineDownloadRequest* download, const QString& reason) {
    const auto it = m_rows.find(download);
    if (it != m_rows.end())
        it->status->setText(QStringLiteral("出错：%1").arg(reason));
}

void DownloadsWindow::update(QWebEngineDownloadRequest* download) {
    const auto it = m_rows.find(download);
    if (it == m_rows.end())
        return;
    const QLocale locale(QLocale::Chinese, QLocale::China);
    const qint64 total = download->totalBytes();
    const qint64 received = download->receivedBytes();
    if (total > 0) {
        it->progress->setRange(0, 100);
        it->progress->setValue(int(received * 100 / total));
    } else {
        it->progress->setRange(0, 0);
    }
    switch (download->state()) {
    case QWebEngineDownloadRequest::DownloadCompleted: // said by finished() or failed()
        it->progress->setRange(0, 100);
        it->progress->setValue(100);
        it->cancel->setEnabled(false);
        break;
    case QWebEngineDownloadRequest::DownloadCancelled:
        it->status->setText(QStringLiteral("已取消"));
        it->cancel->setEnabled(false);
        break;
    case QWebEngineDownloadRequest::DownloadInterrupted:
        it->status->setText(QStringLiteral("失败：%1").arg(download->interruptReasonString()));
        it->cancel->setEnabled(false);
        break;
    default:
        it->status->setText(total > 0
                                ? QStringLiteral("%1 / %2").arg(locale.formattedDataSize(received),
                                                                locale.formattedDataSize(total))
                                : locale.formattedDataSize(received));
        break;
    }
}
