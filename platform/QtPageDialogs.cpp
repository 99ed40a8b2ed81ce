#include "QtPageDialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {
const QString kCompleteFilter = QStringLiteral("网页，全部 (*.htm *.html)");
const QString kArchiveFilter = QStringLiteral("Web 档案，单个文件 (*.mht *.mhtml)");
} // namespace

std::optional<PageDialogs::SaveTarget> QtPageDialogs::chooseSaveTarget(QWidget* owner,
                                                                       const QString& name) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString filter = kArchiveFilter;
    const QString path = QFileDialog::getSaveFileName(
        owner, QStringLiteral("保存网页"), QDir(folder).filePath(name + QStringLiteral(".mht")),
        kArchiveFilter + QStringLiteral(";;") + kCompleteFilter, &filter);
    if (path.isEmpty())
        return std::nullopt;
    return SaveTarget{path, filter == kCompleteFilter ? SaveFormat::CompleteHtml
                                                      : SaveFormat::SingleFileMhtml};
}

bool QtPageDialogs::setUpPage(QWidget* owner, QPrinter* printer) {
    QPageSetupDialog dialog(printer, owner);
    dialog.setWindowTitle(QStringLiteral("页面设置"));
    return dialog.exec() == QDialog::Accepted;
}

bool QtPageDialogs::choosePrinter(QWidget* owner, QPrinter* printer) {
    QPrintDialog dialog(printer, owner);
    dialog.setWindowTitle(QStringLiteral("打印"));
    return dialog.exec() == QDialog::Accepted;
}

void QtPageDialogs::previewPrint(QWidget* owner, QPrinter* printer,
                                 const std::function<void(QPrinter*)>& paint) {
    QPrintPreviewDialog dialog(printer, owner);
    dialog.setWindowTitle(QStringLiteral("打印预览"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter* target) { paint(target); });
    dialog.exec();
}

void QtPageDialogs::showProperties(QWidget* owner, const PageProperties& properties) {
    QDialog dialog(owner);
    dialog.setWindowTitle(QStringLiteral("属性"));
    auto* form = new QFormLayout;
    const QList<QPair<QString, QString>> rows = {
        {QStringLiteral("标题："), properties.title},
        {QStringLiteral("协议："), properties.protocol},
        {QStringLiteral("类型："), properties.type},
        {QStringLiteral("地址："), properties.address},
        {QStringLiteral("大小："), properties.size},
        {QStringLiteral("修改日期："), properties.modified},
    };
    for (const auto& [label, value] : rows) {
        auto* field = new QLabel(value.isEmpty() ? QStringLiteral("不可用") : value);
        field->setTextInteractionFlags(Qt::TextSelectableByMouse);
        field->setWordWrap(true);
        form->addRow(label, field);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    dialog.setMinimumWidth(420);
    dialog.exec();
}
