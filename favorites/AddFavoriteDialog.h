#pragma once

#include <QDialog>

class FavoriteFolderTree;
class QLineEdit;

// Asks for the name of a new favorite and the folder, below the favorites folder, to put it
// in; a folder can be made on the spot. Replacing an existing favorite is asked first.
class AddFavoriteDialog final : public QDialog {
    Q_OBJECT
public:
    AddFavoriteDialog(const QString& favoritesFolder, const QString& proposedName,
                      QWidget* parent = nullptr);

    QString chosenPath() const { return m_path; }
    QString chosenName() const { return m_name; }

    // The shortcut file for a name in a folder, or empty when the name is unusable.
    static QString shortcutPath(const QString& folder, const QString& name);

public Q_SLOTS:
    void accept() override;

private:
    void createFolder();

    QLineEdit* m_nameField;
    FavoriteFolderTree* m_folders;
    QString m_path;
    QString m_name;
};
