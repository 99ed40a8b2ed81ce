#include "favorites/OrganizeFavoritesDialog.h"

#include "favorites/FavoriteFiles.h"
#include "favorites/FavoriteFolderTree.h"
#include "platform/PlainText.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <cerrno>

namespace {
const QString kTitle = QStringLiteral("整理收藏夹");

// Asks for a folder below the favorites folder; empty when cancelled.
std::filesystem::path chooseFolder(QWidget* parent, const QString& root) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("浏览文件夹"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("请选择目标文件夹：（不选择即为“收藏夹”）")));
    auto* tree = new FavoriteFolderTree(root, false, &dialog);
    layout->addWidget(tree, 1);
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(360, 320);
    return dialog.exec() == QDialog::Accepted ? tree->selectedFolder() : std::filesystem::path();
}
} // namespace

OrganizeFavoritesDialog::OrganizeFavoritesDialog(const QString& favoritesFolder, QWidget* parent)
    : QDialog(parent)
    , m_tree(new FavoriteFolderTree(favoritesFolder, true, this)) {
    setWindowTitle(kTitle);
    auto* layout = new QHBoxLayout(this);
    auto* side = new QVBoxLayout;
    side->addWidget(new QLabel(QStringLiteral("要创建新文件夹，请单击“创建文件夹”按钮。要重命名"
                                              "或删除项目，请选择该项目并单击相应按钮。"),
                               this));
    const QList<QPair<QString, void (OrganizeFavoritesDialog::*)()>> actions = {
        {QStringLiteral("创建文件夹(&C)"), &OrganizeFavoritesDialog::createFolder},
        {QStringLiteral("重命名(&R)"), &OrganizeFavoritesDialog::rename},
        {QStringLiteral("移至文件夹(&M)..."), &OrganizeFavoritesDialog::move},
        {QStringLiteral("删除(&D)"), &OrganizeFavoritesDialog::removeSelected},
    };
    for (const auto& [caption, handler] : actions) {
        auto* button = new QPushButton(caption, this);
        connect(button, &QPushButton::clicked, this, handler);
        side->addWidget(button);
    }
    side->addStretch(1);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    side->addWidget(close);
    side->itemAt(0)->widget()->setProperty("wordWrap", true);
    layout->addLayout(side);
    layout->addWidget(m_tree, 1);
    connect(m_tree, &FavoriteFolderTree::deletePressed, this,
            &OrganizeFavoritesDialog::removeSelected);
    resize(560, 380);
}

void OrganizeFavoritesDialog::createFolder() {
    const std::filesystem::path created =
        m_tree->askToCreateFolder(QStringLiteral("创建文件夹"), kTitle);
    if (!created.empty())
        m_tree->selectPath(created);
}

void OrganizeFavoritesDialog::rename() {
    if (m_tree->chosen().isValid())
        m_tree->edit(m_tree->chosen());
}

void OrganizeFavoritesDialog::move() {
    if (!m_tree->chosen().isValid())
        return;
    const std::filesystem::path path = m_tree->selectedPath();
    const QString name = m_tree->selectedName();
    const std::filesystem::path folder = chooseFolder(this, m_tree->root());
    if (folder.empty())
        return;
    errno = 0;
    const bool moved = favoriteFiles::moveInto(path, folder, m_tree->rootPath());
    const int error = errno;
    if (!moved)
        plainText::ask(
            this, QMessageBox::Warning, kTitle,
            favoriteFiles::refusal(QStringLiteral("无法将“%1”移至该文件夹").arg(name), error),
            QMessageBox::Ok);
    m_tree->reload();
    if (moved)
        m_tree->selectPath(folder / path.filename());
}

void OrganizeFavoritesDialog::removeSelected() {
    if (!m_tree->chosen().isValid())
        return;
    const std::filesystem::path path = m_tree->selectedPath();
    const QString name = m_tree->selectedName();
    if (plainText::ask(this, QMessageBox::Question, QStringLiteral("确认删除"),
                       QStringLiteral("确实要删除“%1”吗？").arg(name),
                       QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    errno = 0;
    const bool removed = favoriteFiles::remove(path, m_tree->rootPath());
    const int error = errno;
    if (!removed)
        plainText::ask(this, QMessageBox::Warning, kTitle,
                       favoriteFiles::refusal(QStringLiteral("无法删除“%1”").arg(name), error),
                       QMessageBox::Ok);
    m_tree->reload();
}
