#pragma once

#include <QString>
#include <optional>

class QWidget;

// The add-to-favorites and organize-favorites dialogs, rooted at the favorites folder.
class FavoriteDialogs {
public:
    struct Added {
        QString path; // full path of the shortcut file to write: folder, name, ".url"
        QString name; // the name the user confirmed
    };

    virtual ~FavoriteDialogs() = default;
    // Nothing when the user cancelled.
    virtual std::optional<Added> addFavorite(QWidget* owner, const QString& favoritesFolder,
                                             const QString& proposedName) = 0;
    // Returns when the user closed it.
    virtual void organizeFavorites(QWidget* owner, const QString& favoritesFolder) = 0;

    struct Transfer {
        bool exporting = false;
        QString folder; // an import's folder below the favorites folder; empty: the folder itself
    };
    // Whether to import or to export, and where an import goes (proposed: proposedFolder).
    // Nothing when the user cancelled.
    virtual std::optional<Transfer> importExport(QWidget* owner, const QString& proposedFolder) = 0;
};
