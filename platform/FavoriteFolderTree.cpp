#include "FavoriteFolderTree.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>

FavoriteFolderTree::FavoriteFolderTree(const QString& root, bool withFiles, QWidget* parent)
    : QTreeView(parent)
    , m_model(new QFileSystemModel(this))
    , m_root(root) {
    m_model->setFilter(withFiles ? QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot
                                 : QDir::AllDirs | QDir::NoDotAndDotDot);
    m_model->setReadOnly(!withFiles);
    setModel(m_model);
    setRootIndex(m_model->setRootPath(root));
    for (int column = 1; column < m_model->columnCount(); ++column)
        hideColumn(column);
    header()->hide();
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

QString FavoriteFolderTree::selectedPath() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? m_model->filePath(current) : m_root;
}

QString FavoriteFolderTree::selectedFolder() const {
    const QString path = selectedPath();
    return QFileInfo(path).isDir() ? path : QFileInfo(path).absolutePath();
}

void FavoriteFolderTree::selectPath(const QString& path) {
    const QModelIndex index = m_model->index(path);
    if (index.isValid())
        setCurrentIndex(index);
}
