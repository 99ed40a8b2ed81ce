#include "platform/QtFileChooser.h"

#include <QFileDialog>

std::optional<QString> QtFileChooser::chooseExistingFile(QWidget* owner, const QString& title,
                                                         const QString& filterName,
                                                         const QString& startFolder) {
    QFileDialog dialog(owner, title, startFolder, filterName + QStringLiteral(" (*)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtFileChooser::chooseFileToSave(QWidget* owner, const QString& title,
                                                       const QString& filter,
                                                       const QString& proposedPath) {
    QFileDialog dialog(owner, title, proposedPath, filter);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave); // asks before replacing a file
    dialog.selectFile(proposedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
