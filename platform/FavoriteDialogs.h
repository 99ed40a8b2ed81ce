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
};
