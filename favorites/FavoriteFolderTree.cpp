#include "favorites/FavoriteFolderTree.h"

#include "favorites/FavoriteEntriesModel.h"
#include "favorites/FavoriteFiles.h"
#include "platform/FileNames.h"
#include "platform/PlainText.h"
#include "platform/ProfileFile.h"

#include <QFile>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScrollBar>
#include <cerrno>
#include <functional>

namespace fs = std::filesystem;

FavoriteFolderTree::FavoriteFolderTree(const QString& root, bool withFiles, QWidget* parent)
    : QTreeView(parent)
    , m_root(root)
    , m_rootPath(nativePath(root)) {
    m_model = new FavoriteEntriesModel(m_rootPath, withFiles, this);
    m_model->canReload = [this] {
        return state() != QAbstractItemView::EditingState;
    };
    connect(m_model, &FavoriteEntriesModel::aboutToReload, this, [this] {
        m_expanded.clear();
        std::function<void(const QModelIndex&)> keepOpen = [&](const QModelIndex& parent) {
            for (int row = 0; row < m_model->rowCount(parent); ++row) {
                const QModelIndex index = m_model->index(row, 0, parent);
                if (isExpanded(index)) {
                    m_expanded << nativeBytes(m_model->pathOf(index));
                    keepOpen(index);
                }
            }
        };
        keepOpen(QModelIndex());
        const QModelIndex current = chosen();
        m_current = current.isValid() ? nativeBytes(selectedPath()) : QByteArray();
        m_currentParent = nativeBytes(m_model->pathOf(current.parent()));
        m_currentRow = current.row();
        m_scrolled = verticalScrollBar()->value();
    });
    connect(m_model, &FavoriteEntriesModel::reloaded, this, [this] {
        expand(m_model->indexOf(m_rootPath));
        for (const QByteArray& path : std::as_const(m_expanded))
            expand(m_model->indexOf(pathFromBytes(path)));
        verticalScrollBar()->setValue(m_scrolled);
        if (m_current.isEmpty())
            return;
        selectPath(pathFromBytes(m_current));
        if (chosen().isValid())
            return;
        // Gone (deleted, moved): its neighbour, as a list does, else its folder.
        const QModelIndex parent = m_model->indexOf(pathFromBytes(m_currentParent));
        const int rows = m_model->rowCount(parent);
        if (rows > 0)
            setCurrentIndex(m_model->index(qMin(m_currentRow, rows - 1), 0, parent));
        else if (parent.isValid())
            setCurrentIndex(parent);
    });
    connect(m_model, &FavoriteEntriesModel::renamed, this,
            [this](const QByteArray& path) { selectPath(pathFromBytes(path)); });
    setModel(m_model);
    expand(m_model->indexOf(m_rootPath));
    header()->hide();
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

QModelIndex FavoriteFolderTree::chosen() const {
    // The selection, not the current row: the view makes the first row current as it takes the
    // keys, unseen, and "no choice" must stay the favorites folder itself.
    return selectionModel() ? selectionModel()->selectedIndexes().value(0) : QModelIndex();
}

fs::path FavoriteFolderTree::selectedPath() const {
    return m_model->pathOf(chosen());
}

fs::path FavoriteFolderTree::selectedFolder() const {
    const QModelIndex current = chosen();
    return m_model->isFolder(current) ? m_model->pathOf(current)
                                      : m_model->pathOf(current.parent());
}

QString FavoriteFolderTree::selectedName() const {
    return chosen().data().toString();
}

void FavoriteFolderTree::selectPath(const fs::path& path) {
    const QModelIndex index = m_model->indexOf(path);
    if (!index.isValid())
        return;
    setCurrentIndex(index);
    scrollTo(index); // opens the folders above it
}

void FavoriteFolderTree::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Delete)) {
        Q_EMIT deletePressed();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void FavoriteFolderTree::reload() {
    m_model->reload();
}

fs::path FavoriteFolderTree::askToCreateFolder(const QString& askTitle,
                                               const QString& failureTitle) {
    bool ok = false;
    const QString name = fileNameFromTitle(
        QInputDialog::getText(window(), askTitle, QStringLiteral("文件夹名称："), QLineEdit::Normal,
                              QStringLiteral("新建文件夹"), &ok),
        QString());
    if (!ok || name.isEmpty())
        return fs::path();
    const fs::path parent = selectedFolder();
    errno = 0;
    const bool created = favoriteFiles::createFolder(parent, name, m_rootPath);
    const int error = errno;
    if (!created) {
        plainText::ask(
            window(), QMessageBox::Warning, failureTitle,
            favoriteFiles::refusal(QStringLiteral("无法创建文件夹“%1”").arg(name), error),
            QMessageBox::Ok);
        return fs::path();
    }
    reload();
    return parent / QFile::encodeName(name).toStdString();
}
