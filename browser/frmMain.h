#pragma once

#include "browser/Services.h"
#include "browser/WindowLayout.h"
#include "platform/PageView.h"

#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QPointer>

class FavoritesMenu;
class HistoryWindow;
class ImageButton;
class PictureBox;
class SolidSurface;
class QAction;
class QLabel;
class QMenu;
class TextBox;

// A browser window: one hosted page view with its address box, tool bar and menus. The first
// window is the process-wide default window; when it closes, the oldest remaining window
// takes its place.
class frmMain final : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(const Services& services, QWidget* parent = nullptr);
    ~frmMain() override;
    Q_DISABLE_COPY_MOVE(frmMain)

    static const QString kInitialCaption;
    static const QColor kStripColor;
    static const QColor kTextBoxColor;
    static constexpr int kBack = 1;
    static constexpr int kForward = 2;
    static constexpr int kStop = 3;
    static constexpr int kRefresh = 4;
    static constexpr int kSearch = 92;
    static constexpr int kSearchEngine = 93;
    // The most of a refused address a message shows.
    static constexpr int kMaxShownAddress = 200;

    // The default window (the oldest open window), or null when none is open.
    static frmMain* defaultWindow();
    // Open windows, oldest first.
    static QList<frmMain*> openWindows();

    // The address the window opens with; empty means the start page. Set before loading.
    QString mstrURLNewWindow;
    // The address did not come from the user's typing (the command line, another program):
    // it opens only if it is a web address, as the start page does.
    bool mblnURLGiven = false;

    // The load sequence; runs once, before the window is first shown.
    void Load();
    bool isLoaded() const { return m_loaded; }
    // Closed, though not yet deleted: it was closed while it still let other events run.
    bool isClosed() const { return m_closed; }
    // Loads if needed, then shows the window.
    void Show();
    // However it is shown, a window loads first; a window closed while loading stays hidden.
    void setVisible(bool visible) override;
    // A new window on the address, loaded and shown; the focus goes into its address box.
    static frmMain* OpenNewWindow(const Services& services, const QString& strURL,
                                  bool blnGiven = false);
    // A new window on this back and forward list, showing its current page.
    static frmMain* ReopenWindow(const Services& services, const PageHistory& history);
    // The page's back and forward list; a page still loading its first address has that one.
    PageHistory windowHistory() const;
    // An address the user did not type (the start page, a favorite, one another program
    // gave) opens only if it is a web address; otherwise the window says so, logs it and
    // returns false.
    bool CheckGivenAddress(const QString& strURL);

    void NavigateTo(const QString& strURL);
    // Searches for the search box's keyword in this window.
    void DoSearch();
    void DoAddNewWindow(const QString& strURL);
    void ApplySkin(QWidget* frm);

    // Menu and tool bar handlers; others (the tool bar, other windows) run them directly.
    void mnuMainFileNewLabel_Click();
    void mnuMainFileExit_Click();
    void mnuMainFileReopen_Click();
    void mnuMainViewGoBack_Click();
    void mnuMainViewGoForword_Click();
    void mnuMainViewGoHomePage_Click();
    void mnuMainViewRefresh_Click();
    void mnuMainViewStop_Click();
    void imgToolBar_Click(int index);
    // Save As, Print, Print Preview, Page Setup, Properties, Cut, Copy, Paste, Select All.
    void RunPageCommand(int command);
    void mnuMainFileOffLine_Click();
    void mnuMainEditFind_Click();
    void mnuMainFavoriteAdd_Click();
    void mnuMainFavoriteModify_Click();
    void mnuMainFavoriteImportExport_Click();
    void mnuMainFavoriteUser_Click(int index);
    void mnuMainFileOpen_Click();
    void mnuMainViewSourceCode_Click();
    void mnuMainViewZoomIn_Click();
    void mnuMainViewZoomOut_Click();
    void mnuMainViewZoomReset_Click();
    void mnuMainViewFullScreen_Click();
    void mnuMainViewHistory_Click();
    void mnuMainToolHistoryClearExplorer_Click();
    void mnuMainToolEXENotepad_Click();
    void mnuMainToolEXEExplorer_Click();
    void mnuMainToolInternetOption_Click();
    void mnuMainHelpSoftPage_Click();
    void mnuMainHelpAbout_Click();

    // Menus of the bar and their items, by their names (the favorites entries follow the
    // hidden template element mnuMainFavoriteUser).
    QMenu* mnuMainFile = nullptr;
    QMenu* mnuMainEdit = nullptr;
    QMenu* mnuMainView = nullptr;
    QMenu* mnuMainFavorite = nullptr;
    QMenu* mnuMainTool = nullptr;
    QMenu* mnuMainHelp = nullptr;
    QAction* mnuMainFileNewLabel = nullptr;
    QAction* mnuMainFileOpen = nullptr;
    QAction* mnuMainFileSaveAs = nullptr;
    QAction* mnuMainFilePageSet = nullptr;
    QAction* mnuMainFilePrint = nullptr;
    QAction* mnuMainFilePrintPreView = nullptr;
    QAction* mnuMainFileProperty = nullptr;
    QAction* mnuMainFileOffLine = nullptr;
    QAction* mnuMainFileExit = nullptr;
    QAction* mnuMainFileReopen = nullptr;
    QAction* mnuMainEditCut = nullptr;
    QAction* mnuMainEditCopy = nullptr;
    QAction* mnuMainEditPaste = nullptr;
    QAction* mnuMainEditSelectAll = nullptr;
    QAction* mnuMainEditFind = nullptr;
    QAction* mnuMainViewGoHomePage = nullptr;
    QAction* mnuMainViewGoBack = nullptr;
    QAction* mnuMainViewGoForword = nullptr;
    QAction* mnuMainViewStop = nullptr;
    QAction* mnuMainViewRefresh = nullptr;
    QAction* mnuMainViewSourceCode = nullptr;
    QMenu* mnuMainViewZoom = nullptr;
    QAction* mnuMainViewZoomIn = nullptr;
    QAction* mnuMainViewZoomOut = nullptr;
    QAction* mnuMainViewZoomReset = nullptr;
    QMenu* mnuMainViewEncoding = nullptr;
    QAction* mnuMainViewEncodingAuto = nullptr;
    QAction* mnuMainViewEncodingGb18030 = nullptr;
    QAction* mnuMainViewEncodingUtf8 = nullptr;
    QAction* mnuMainViewEncodingBig5 = nullptr;
    QAction* mnuMainViewFullScreen = nullptr;
    QAction* mnuMainViewHistory = nullptr;
    QAction* mnuMainFavoriteAdd = nullptr;
    QAction* mnuMainFavoriteModify = nullptr;
    QAction* mnuMainFavoriteImportExport = nullptr;
    QAction* mnuMainFavoriteUser = nullptr;
    QAction* mnuMainToolHistoryClearExplorer = nullptr;
    QAction* mnuMainToolEXENotepad = nullptr;
    QAction* mnuMainToolEXEExplorer = nullptr;
    QAction* mnuMainToolInternetOption = nullptr;
    QAction* mnuMainHelpSoftPage = nullptr;
    QAction* mnuMainHelpAbout = nullptr;

    // Controls, by their names.
    PictureBox* picMainToolBar = nullptr;
    PictureBox* picBar1 = nullptr;
    PictureBox* picBar2 = nullptr;
    PictureBox* picMainWeb = nullptr;
    TextBox* txtURL = nullptr;
    TextBox* txtSearch = nullptr;
    QMap<int, ImageButton*> imgToolBar;
    PageView* webMain = nullptr;
    // The address of the link under the mouse, over the page's bottom left corner.
    QLabel* lblLinkAddress = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createMenus();
    void createViewMenus();
    void webMain_StatusTextChange(const QString& text);
    void placeLinkAddress();
    void connectPageView();
    void connectPageCommands();
    void createShortcuts();
    void connectSession();
    void focusBox(TextBox* box);
    // The user is typing in one of the window's boxes; the page must not take the focus.
    bool isUserTyping() const;
    // Every navigation the window itself starts: the address box shows the page again.
    void windowNavigates();
    void maximise();
    void Form_Resize();
    void applyGeometry();
    void LoadAllFavorite();
    void refreshFavoritesMenu();

    void txtURL_KeyDown();
    void txtURL_Escape();
    void picMainWeb_DblClick();
    void webMain_CommandStateChange(int command, bool enable);
    void webMain_TitleChange(const QString& text);
    void webMain_BeforeNavigate2();
    void webMain_NewWindow2(PageView** ppDisp);
    void webMain_DocumentComplete(const QString& url);

    // Held by each of the window's frames that lets other events run (a yield, a new window's
    // load): a close meanwhile hides the window at once, and it is deleted only when the last
    // such frame has ended, never under one.
    class Busy {
    public:
        explicit Busy(frmMain* window);
        ~Busy();
        Q_DISABLE_COPY_MOVE(Busy)

    private:
        QPointer<frmMain> m_window;
    };
    int m_busy = 0;
    bool m_closed = false;

    Services m_services;
    bool m_loaded = false;
    bool m_maximiseOnShow = false;
    SolidSurface* m_client = nullptr;
    WindowGeometry m_geometry;
    FavoritesMenu* m_favoritesMenu = nullptr;
    PageHistory m_restore; // opened instead of mstrURLNewWindow when it has addresses
    // The engine hands this window a page's new window: it starts no page of its own.
    bool m_pageComing = false;
    QPointer<HistoryWindow> m_historyWindow;
    // The box whose Enter started the navigation under way: its page takes the focus when
    // complete, unless the user has typed in a box since.
    QPointer<TextBox> m_navigatedFrom;
};
