#include "favorites/ImportExportDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

ImportExportDialog::ImportExportDialog(const QString& proposedFolder, QWidget* parent)
    : QDialog(parent)
    , m_import(new QRadioButton(QStringLiteral("从文件导入收藏(&I)"), this))
    , m_export(new QRadioButton(QStringLiteral("将收藏夹导出到文件(&E)"), this))
    , m_folder(new QLineEdit(proposedFolder, this)) {
    setWindowTitle(QStringLiteral("导入和导出收藏夹"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        QStringLiteral("可以导入其他浏览器导出的书签文件（bookmarks.html）、Chrome 或 Edge 的 "
                       "Bookmarks 文件和 Firefox 的 places.sqlite。"),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    layout->addWidget(m_import);
    auto* form = new QFormLayout;
    auto* folderLabel = new QLabel(QStringLiteral("导入到文件夹(&F)："), this);
    folderLabel->setBuddy(m_folder);
    form->addRow(folderLabel, m_folder);
    form->addRow(QString(), new QLabel(QStringLiteral("（留空即导入到“收藏夹”本身）"), this));
    layout->addLayout(form);
    layout->addWidget(m_export);
    m_import->setChecked(true);
    connect(m_import, &QRadioButton::toggled, m_folder, &QLineEdit::setEnabled);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool ImportExportDialog::exporting() const {
    return m_export->isChecked();
}

QString ImportExportDialog::folder() const {
    return m_folder->text().trimmed();
}
