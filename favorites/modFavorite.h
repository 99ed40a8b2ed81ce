#pragma once

#include "favorites/FavoriteTree.h"
#include "platform/ProfileFile.h"

#include <QObject>
#include <QString>
#include <filesystem>
#include <memory>

class FavoriteDialogs;
class FileChooser;
class MessageBoxes;
class ProfileFile;
class QTextStream;
class QWidget;
class ShellFolders;

// The favorites: the user's folder of Internet shortcut files, the entries built from it for
// every window's Favorites menu, and adding a page to it. One per process.
class modFavorite final : public QObject {
    Q_OBJECT
public:
    modFavorite(ShellFolders& shellFolders, ProfileFile& profile, FavoriteDialogs& dialogs,
                MessageBoxes& messageBoxes, QObject* parent = nullptr);
    ~modFavorite() override;

    // A shortcut's address is read whole: the reader's file limit is below this buffer.
    static constexpr int kValueBufferSize = kMaxProfileFileSize + 1;
    static constexpr int kMaxEntries = 32767;

    // The shell folder's path without a trailing separator; empty (and logged) on failure.
    QString GetFolderPath(qint32 nFolder);
    QString ReadIniValue(const QString& strSection, const QString& strKey,
                         const QString& strDefault, const QString& strFile);
    // The same for a native path, whose name need not be UTF-8.
    QString ReadIniValue(const QString& strSection, const QString& strKey,
                         const QString& strDefault, const std::filesystem::path& file);
    // False when nothing could be written.
    bool WriteIniValue(const QString& strSection, const QString& strKey, const QString& strValue,
                       const QString& strFile);
    // WriteIniValue for many files (path, value) at once: how many were written, in order.
    ProfileFile::Written WriteIniValues(const QString& strSection, const QString& strKey,
                                        const QList<QPair<QString, QString>>& values);
    // Asks for a name and folder and writes the shortcut. The path written, or empty when
    // cancelled or when the file could not be written (which the user is told, naming it).
    // On success strTitle holds the name the user confirmed.
    QString AddFavorite(QString& strTitle, const QString& strURL, QWidget* owner);
    void DoOrganizeFavDlg(QWidget* owner, const QString& strPath);

    // Import and export (FavoritesTransfer.cpp). The outcome in words for the person.
    struct TransferResult {
        bool ok = false;
        QString message;
    };
    static const QString kImportFolder;
    // Another browser's bookmarks into a folder below the favorites folder (one name; empty:
    // the favorites folder itself), each bookmark folder a folder; read whole before anything
    // is written. The entries are then rebuilt once, when something was written.
    TransferResult ImportFavorites(const QString& strFile, const QString& strFolder);
    // The favorites folder as a bookmark file (UTF-8), replacing the file whole.
    TransferResult ExportFavorites(const QString& strFile);
    // The 导入和导出 command: asks what to do and which file, does it and says how it went.
    void DoImportExportDlg(QWidget* owner, FileChooser& files);
    // "--import-favorites FILE" and "--export-favorites FILE", for a start without windows.
    static bool isFavoritesCommand(const QString& firstArgument);
    // Prints the outcome; the exit code.
    int RunFavoritesCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);

    // Rebuilds the entries from the folder; every window's menu follows.
    void LoadAllFavorite();
    static QString GetMenuCaption(const QString& strName);

    const FavoriteFolder& favorites() const { return m_root; }
    qint16 mintFavoriteCount = 0;

Q_SIGNALS:
    void favoritesRebuilt();

private:
    void LoadDirSubFavorite(const std::filesystem::path& folder, FavoriteFolder& into);

    ShellFolders& m_shellFolders;
    ProfileFile& m_profile;
    FavoriteDialogs& m_dialogs;
    MessageBoxes& m_messageBoxes;
    FavoriteFolder m_root;
    // Each folder's names as last listed and in menu order: a rebuild sorts again only the
    // folders whose names changed.
    struct ListingOrder;
    struct ListingOrders;
    std::unique_ptr<ListingOrders> m_orders;
};
