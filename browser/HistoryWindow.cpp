#include "browser/HistoryWindow.h"

#include "browser/HistoryList.h"
#include "platform/AddressText.h"
#include "platform/PlainText.h"
#include "platform/UrlHistory.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QShortcut>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {
constexpr int kAddressRole = Qt::UserRole; // the stored form; day rows have none

QString addressOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, kAddressRole).toString() : QString();
}
} // namespace

HistoryWindow::HistoryWindow(UrlHistory* history, QWidget* owner)
    : QWidget(owner, Qt::Window)
    , m_history(history) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("历史记录"));
    resize(720, 520);
    txtFind = new QLineEdit(this);
    txtFind->setObjectName(QStringLiteral("txtFind"));
    txtFind->setPlaceholderText(QStringLiteral("搜索标题或地址"));
    txtFind->setAccessibleName(QStringLiteral("搜索历史记录"));
    txtFind->setClearButtonEnabled(true);
    lstHistory = new QTreeWidget(this);
    lstHistory->setObjectName(QStringLiteral("lstHistory"));
    lstHistory->setAccessibleName(QStringLiteral("历史记录"));
    lstHistory->setHeaderLabels(
        {QStringLiteral("标题"), QStringLiteral("地址"), QStringLiteral("访问时间")});
    lstHistory->header()->resizeSection(0, 280);
    lstHistory->header()->resizeSection(1, 280);
    lstHistory->setUniformRowHeights(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtFind);
    layout->addWidget(lstHistory);

    connect(txtFind, &QLineEdit::textChanged, this, &HistoryWindow::reload);
    // Enter in the search box opens the chosen entry, else the first one found.
    connect(txtFind, &QLineEdit::returnPressed, this, [this] {
        QTreeWidgetItem* item = lstHistory->currentItem();
        if (addressOf(item).isEmpty() && lstHistory->topLevelItemCount() > 0)
            item = lstHistory->topLevelItem(0)->child(0);
        openItem(item);
    });
    connect(lstHistory, &QTreeWidget::itemActivated, this, &HistoryWindow::openItem);
    auto* remove = new QShortcut(QKeySequence::Delete, lstHistory);
    remove->setContext(Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, &HistoryWindow::removeCurrent);
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this,
            &QWidget::close);
    connect(history, &UrlHistory::changed, this, &HistoryWindow::reload);
    reload();
}

void HistoryWindow::reload() {
    const QString chosen = addressOf(lstHistory->currentItem());
    lstHistory->clear();
    const auto groups = groupVisits(m_history->entries(), txtFind->text(), QDate::currentDate());
    for (const VisitGroup& group : groups) {
        auto* day = new QTreeWidgetItem(lstHistory, {visitDayCaption(group.day)});
        day->setFirstColumnSpanned(true);
        for (const UrlHistoryEntry& entry : group.entries) {
            const QString shown = shownAddress(entry.url);
            // Titles are the pages' own text: plain (an item never reads markup), cut, and
            // without the direction overrides that would show "lmth.exe" as "exe.html".
            const QString plain = plainText::withoutDirectionControls(entry.title);
            const QString title = plain.trimmed().isEmpty() ? shown : plain;
            auto* item = new QTreeWidgetItem(
                day, {plainText::cut(title), shown,
                      entry.lastVisit.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"))});
            item->setData(0, kAddressRole, storedAddress(entry.url));
            if (item->data(0, kAddressRole) == chosen)
                lstHistory->setCurrentItem(item);
        }
        day->setExpanded(true);
    }
}

void HistoryWindow::openItem(QTreeWidgetItem* item) {
    const QString address = addressOf(item);
    if (!address.isEmpty())
        Q_EMIT openRequested(address);
}

void HistoryWindow::removeCurrent() {
    QTreeWidgetItem* item = lstHistory->currentItem();
    const QString address = addressOf(item);
    if (address.isEmpty())
        return;
    // The row below (else above) is chosen next, so Del can be pressed again and again.
    QTreeWidgetItem* next = lstHistory->itemBelow(item);
    if (addressOf(next).isEmpty())
        next = lstHistory->itemAbove(item);
    const QString nextAddress = addressOf(next);
    // Every record of the address goes, whatever form an older history file keeps it in.
    for (const UrlHistoryEntry& entry : m_history->entries()) {
        if (storedAddress(entry.url) == address)
            m_history->removeUrl(entry.url);
    }
    reload();
    for (QTreeWidgetItemIterator it(lstHistory); *it; ++it) {
        if (addressOf(*it) == nextAddress && !nextAddress.isEmpty())
            lstHistory->setCurrentItem(*it);
    }
}
