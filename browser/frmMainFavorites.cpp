// The Favorites menu of a browser window: its entries, Add, Organize, Import and Export.
#include "browser/frmMain.h"

#include "browser/FavoritesMenu.h"
#include "favorites/modFavorite.h"
#include "platform/PageView.h"
#include "platform/ShellFolders.h"

#include <QAction>
#include <QMenu>

void frmMain::refreshFavoritesMenu() {
    if (!m_favoritesMenu) {
        m_favoritesMenu = new FavoritesMenu(
            mnuMainFavorite, mnuMainFavoriteUser,
            [this](int index, const QString&) { mnuMainFavoriteUser_Click(index); });
    }
    m_favoritesMenu->setFavorites(m_services.favorites->favorites());
}

void frmMain::mnuMainFavoriteUser_Click(int index) {
    if (!m_favoritesMenu)
        return;
    if (const auto url = m_favoritesMenu->url(index); url && CheckGivenAddress(*url))
        NavigateTo(*url);
}

void frmMain::mnuMainFavoriteAdd_Click() {
    const Busy busy(this);
    QString title = webMain->LocationName();
    const QString url = webMain->LocationURL();
    // The add dialog belongs to the default window, whichever window asked for it.
    QWidget* owner = defaultWindow() ? static_cast<QWidget*>(defaultWindow()) : this;
    const QString path = m_services.favorites->AddFavorite(title, url, owner);
    // The window manager raised the owner with the dialog: the person goes on in this window,
    // where a next 添加到收藏夹 must add this page again, not the owner's.
    if (owner != this && !m_closed) {
        raise();
        activateWindow();
    }
    if (!path.isEmpty())
        m_services.favorites->LoadAllFavorite();
}

void frmMain::mnuMainFavoriteModify_Click() {
    const QString folder = m_services.favorites->GetFolderPath(ShellFolders::CSIDL_FAVORITES);
    if (!folder.isEmpty())
        m_services.favorites->DoOrganizeFavDlg(this, folder);
    // Whatever happened in the dialog, the menus show the folder as it is now.
    m_services.favorites->LoadAllFavorite();
}

void frmMain::mnuMainFavoriteImportExport_Click() {
    m_services.favorites->DoImportExportDlg(this, *m_services.fileChooser);
}
