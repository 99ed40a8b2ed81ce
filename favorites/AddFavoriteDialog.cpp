#include "favorites/AddFavoriteDialog.h"

#include "favorites/FavoriteFiles.h"
#include "favorites/FavoriteFolderTree.h"
#include "platform/FileNames.h"
#include "platform/PlainText.h"
#include "platform/ProfileFile.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

AddFavoriteDialog::AddFavoriteDialog(const QString& favoritesFolder, const QString& proposedName,
                                     QWidget* parent)
    : QDialog(parent)
    , m_nameField(new QLineEdit(proposedName, this))
    , m_folders(new FavoriteFolderTree(favoritesFolder, false, this)) {
    setWindowTitle(QStringLiteral("添加到收藏夹"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("将该网页添加到收藏夹。"), this));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("名称(&N)："), m_nameField);
    layout->addLayout(form);
    auto* foldersLabel =
        new QLabel(QStringLiteral("创建到(&I)：（不选择文件夹即为“收藏夹”）"), this);
    foldersLabel->setBuddy(m_folders); // Alt+I goes to the folders; without a buddy "&" shows
    layout->addWidget(foldersLabel);
    layout->addWidget(m_folders, 1);

    auto* buttons = new QDialogButtonBox(this);
    auto* newFolder =
        buttons->addButton(QStringLiteral("新建文件夹(&W)..."), QDialogButtonBox::ActionRole);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    newFolder->setAutoDefault(false);
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(newFolder, &QPushButton::clicked, this, &AddFavoriteDialog::createFolder);
    connect(buttons, &QDialogButtonBox::accepted, this, &AddFavoriteDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &AddFavoriteDialog::reject);
    m_nameField->selectAll();
    resize(420, 360);
}

QString AddFavoriteDialog::shortcutPath(const QString& folder, const QString& name) {
    const QString safe = fileNameFromTitle(name.trimmed(), QString());
    if (safe.isEmpty())
        return QString();
    return QDir(folder).filePath(safe + QStringLiteral(".url"));
}

void AddFavoriteDialog::accept() {
    const std::filesystem::path selected = m_folders->selectedFolder();
    const QString folder = QFile::decodeName(nativeBytes(selected));
    // A folder that links elsewhere: the favorite would land outside the favorites.
    if (!favoriteFiles::folderIsInside(selected, m_folders->rootPath())) {
        plainText::ask(this, QMessageBox::Warning, QStringLiteral("添加到收藏夹"),
                       QStringLiteral("不能在该文件夹中创建收藏夹项目。"), QMessageBox::Ok);
        return;
    }
    // A folder named in GBK (copied from Windows) cannot be named as text to write the shortcut.
    if (nativePath(folder) != selected) {
        plainText::ask(this, QMessageBox::Warning, QStringLiteral("添加到收藏夹"),
                       QStringLiteral("不能在该文件夹中创建收藏夹项目：它的名称是从 Windows "
                                      "复制来的 GBK 编码。请先在“整理收藏夹”中为它重命名。"),
                       QMessageBox::Ok);
        return;
    }
    const QString path = shortcutPath(folder, m_nameField->text());
    if (path.isEmpty()) {
        plainText::ask(this, QMessageBox::Information, QStringLiteral("添加到收藏夹"),
                       QStringLiteral("请输入收藏夹项目的名称。"), QMessageBox::Ok);
        return;
    }
    // A link under the name counts as taken too (replacing it replaces only the link).
    const bool taken = QFileInfo(path).exists() || QFileInfo(path).isSymLink();
    if (taken &&
        plainText::ask(
            this, QMessageBox::Question, QStringLiteral("添加到收藏夹"),
            QStringLiteral("“%1”已存在。要替换它吗？").arg(QFileInfo(path).completeBaseName()),
            QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    m_path = path;
    m_name = QFileInfo(path).completeBaseName();
    QDialog::accept();
}

void AddFavoriteDialog::createFolder() {
    const QString title = QStringLiteral("新建文件夹");
    const std::filesystem::path created = m_folders->askToCreateFolder(title, title);
    if (!created.empty())
        m_folders->selectPath(created);
}
