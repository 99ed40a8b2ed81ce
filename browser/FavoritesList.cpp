#include "browser/FavoritesList.h"

#include <QAbstractListModel>
#include <QKeyEvent>

namespace {
// The rows of the list straight from the entries: no item objects, whatever the count.
class EntriesModel final : public QAbstractListModel {
public:
    EntriesModel(const QList<FavoriteEntry>& entries, QObject* parent)
        : QAbstractListModel(parent)
        , m_entries(entries) {}

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : int(m_entries.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= m_entries.size())
            return QVariant();
        const FavoriteEntry& entry = m_entries.at(index.row());
        if (role == Qt::DisplayRole)
            return entry.caption;
        if (role == Qt::ToolTipRole)
            return entry.url;
        return QVariant();
    }

private:
    QList<FavoriteEntry> m_entries;
};
} // namespace

FavoritesList::FavoritesList(const QList<FavoriteEntry>& entries, QWidget* parent)
    : QListView(parent)
    , m_entries(entries) {
    setObjectName(QStringLiteral("favoritesList"));
    setModel(new EntriesModel(entries, this));
    setUniformItemSizes(true);
    setFrameShape(QFrame::NoFrame);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int row = qMax(sizeHintForRow(0), fontMetrics().height() + 4);
    setFixedHeight(row * int(qMin<qsizetype>(kVisibleRows, entries.size())) + 2 * frameWidth());
    setMinimumWidth(fontMetrics().averageCharWidth() * 34);
    connect(this, &QListView::clicked, this, &FavoritesList::choose);
}

void FavoritesList::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        currentIndex().isValid()) {
        choose(currentIndex());
        return;
    }
    QListView::keyPressEvent(event);
}

void FavoritesList::choose(const QModelIndex& row) {
    if (!row.isValid() || row.row() >= m_entries.size())
        return;
    const FavoriteEntry& entry = m_entries.at(row.row());
    Q_EMIT chosen(entry.index, entry.url);
}
