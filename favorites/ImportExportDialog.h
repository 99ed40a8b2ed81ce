#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;

// Asks whether to import bookmarks from a file or to export the favorites to one, and for an
// import the folder below the favorites folder to put them in.
class ImportExportDialog final : public QDialog {
    Q_OBJECT
public:
    explicit ImportExportDialog(const QString& proposedFolder, QWidget* parent = nullptr);

    bool exporting() const;
    QString folder() const;

private:
    QRadioButton* m_import;
    QRadioButton* m_export;
    QLineEdit* m_folder;
};
