#include "browser/frmMain.h"

#include "browser/HandCursor.h"
#include "browser/ImageButton.h"
#include "browser/PictureBox.h"
#include "browser/SessionKeeper.h"
#include "browser/SolidSurface.h"
#include "browser/TextBox.h"
#include "browser/modcboAutoComplete.h"
#include "core/Trim.h"
#include "core/modMain.h"
#include "favorites/modFavorite.h"
#include "platform/AddressText.h"
#include "platform/MessageBoxes.h"
#include "platform/PageView.h"
#include "platform/ProgramFolder.h"
#include "platform/SkinEngine.h"
#include "platform/Yield.h"
#include "search/SearchUrl.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <QWindow>

namespace {
QList<frmMain*>& windows() {
    static QList<frmMain*> list;
    return list;
}

struct ToolBarImage {
    int index;
    const char* picture;
    const char* toolTip;
    int sizeTwips; // square
};

const ToolBarImage kToolBarImages[] = {
    {frmMain::kBack, ":/icons/back.svg", "向后", 360},
    {frmMain::kForward, ":/icons/forward.svg", "向前", 360},
    {frmMain::kRefresh, ":/icons/refresh.svg", "刷新", 240},
    {frmMain::kStop, ":/icons/stop.svg", "停止", 240},
    {frmMain::kSearch, ":/icons/search.svg", "搜索", 240},
    {frmMain::kSearchEngine, ":/icons/search-engine.svg", "选择搜索引擎", 195},
};

// The window's client area at design time, in twips.
constexpr int kDesignClientWidth = 12585;
constexpr int kDesignClientHeight = 8205;
} // namespace

frmMain::Busy::Busy(frmMain* window)
    : m_window(window) {
    ++window->m_busy;
}

frmMain::Busy::~Busy() {
    if (m_window && --m_window->m_busy == 0 && m_window->m_closed)
        m_window->deleteLater();
}

const QString frmMain::kInitialCaption = QStringLiteral("塔文浏览器(Tarnvale)");
const QColor frmMain::kStripColor(0xAD, 0xAD, 0xAD);
const QColor frmMain::kTextBoxColor(0xE0, 0xE0, 0xE0);

frmMain::frmMain(const Services& services, QWidget* parent)
    : QMainWindow(parent)
    , m_services(services)
    , m_geometry(designGeometry()) {
    Q_ASSERT(services.registry && services.messageBoxes && services.urlHistory && services.skin &&
             services.favorites && services.urlCache && services.launcher && services.fileChooser &&
             services.createPageView && services.session);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kInitialCaption);
    windows().append(this);
    // The page view first: its engine page starts its renderer while the rest is built.
    createControls();
    createMenus();
    connectPageView();
    connectPageCommands();
    createShortcuts();
    connectSession();
    connect(m_services.favorites, &modFavorite::favoritesRebuilt, this,
            &frmMain::refreshFavoritesMenu);
    refreshFavoritesMenu();
    resize(int(kDesignClientWidth / kTwipsPerPixel),
           int(kDesignClientHeight / kTwipsPerPixel) + menuBar()->sizeHint().height());
}

frmMain::~frmMain() {
    windows().removeAll(this);
}

frmMain* frmMain::defaultWindow() {
    return windows().isEmpty() ? nullptr : windows().constFirst();
}

QList<frmMain*> frmMain::openWindows() {
    return windows();
}

void frmMain::createControls() {
    m_client = new SolidSurface(this);
    m_client->setObjectName(QStringLiteral("formSurface"));
    m_client->installEventFilter(this);
    setCentralWidget(m_client);

    picMainToolBar = new PictureBox(m_client);
    picMainToolBar->setObjectName(QStringLiteral("picMainToolBar"));
    picBar1 = new PictureBox(picMainToolBar);
    picBar1->setObjectName(QStringLiteral("picBar1"));
    picBar2 = new PictureBox(picMainToolBar);
    picBar2->setObjectName(QStringLiteral("picBar2"));
    picMainWeb = new PictureBox(m_client);
    picMainWeb->setObjectName(QStringLiteral("picMainWeb"));
    picMainWeb->setToolTip(QStringLiteral("双击退出该窗口"));
    connect(picMainWeb, &PictureBox::doubleClicked, this, &frmMain::picMainWeb_DblClick);
    webMain = m_services.createPageView(picMainWeb);
    webMain->setObjectName(QStringLiteral("webMain"));
    webMain->setAccessibleName(QStringLiteral("网页"));

    txtURL = new TextBox(picBar1);
    txtURL->setObjectName(QStringLiteral("txtURL"));
    txtURL->setAccessibleName(QStringLiteral("地址"));
    connect(txtURL, &TextBox::enterPressed, this, &frmMain::txtURL_KeyDown);
    connect(txtURL, &TextBox::escapePressed, this, &frmMain::txtURL_Escape);
    txtSearch = new TextBox(picBar2);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    txtSearch->setAccessibleName(QStringLiteral("百度搜索"));
    txtSearch->setText(QStringLiteral("百度搜索"));
    connect(txtSearch, &TextBox::enterPressed, this, &frmMain::DoSearch);
    for (TextBox* box : {txtURL, txtSearch}) {
        box->setBackColor(kTextBoxColor);
        // Typing anew after Enter: the page that completes leaves the boxes alone.
        connect(box, &TextBox::textEdited, this, [this] { m_navigatedFrom = nullptr; });
    }

    const QHash<int, QWidget*> containers = {{kBack, picMainToolBar}, {kForward, picMainToolBar},
                                             {kRefresh, picBar1},     {kStop, picBar1},
                                             {kSearch, picBar2},      {kSearchEngine, picBar2}};
    const QCursor hand = handCursor();
    for (const ToolBarImage& row : kToolBarImages) {
        auto* image = new ImageButton(row.index, containers.value(row.index));
        image->setObjectName(QStringLiteral("imgToolBar(%1)").arg(row.index));
        image->setToolTip(QString::fromUtf8(row.toolTip));
        image->setAccessibleName(image->toolTip());
        image->setCursor(hand);
        const int side = int(float(row.sizeTwips) / kTwipsPerPixel);
        image->setPicture(QString::fromUtf8(row.picture), QSize(side, side));
        image->setFocusPolicy(Qt::NoFocus);
        connect(image, &ImageButton::clicked, this, &frmMain::imgToolBar_Click);
        imgToolBar.insert(row.index, image);
    }
    // The search-engine button offers no choice: it stays disabled and does nothing.
    imgToolBar[kSearchEngine]->setEnabled(false);

    // Focus travels search box, page, address box; the strips themselves take no focus.
    for (QWidget* strip : {static_cast<QWidget*>(picMainToolBar), static_cast<QWidget*>(picBar1),
                           static_cast<QWidget*>(picBar2), static_cast<QWidget*>(picMainWeb)})
        strip->setFocusPolicy(Qt::NoFocus);
    setTabOrder(txtSearch, webMain);
    setTabOrder(webMain, txtURL);
    applyGeometry();
}

void frmMain::connectPageView() {
    connect(webMain, &PageView::CommandStateChange, this, &frmMain::webMain_CommandStateChange);
    connect(webMain, &PageView::TitleChange, this, &frmMain::webMain_TitleChange);
    connect(webMain, &PageView::BeforeNavigate2, this, &frmMain::webMain_BeforeNavigate2);
    connect(webMain, &PageView::NewWindow2, this, &frmMain::webMain_NewWindow2);
    connect(webMain, &PageView::DocumentComplete, this, &frmMain::webMain_DocumentComplete);
    connect(webMain, &PageView::EscapePressed, this, &frmMain::mnuMainViewStop_Click);
    connect(webMain, &PageView::EscapePressed, this, [this] {
        if (isFullScreen())
            mnuMainViewFullScreen_Click();
    });
}

void frmMain::Load() {
    if (m_loaded)
        return;
    m_loaded = true;
    const Busy busy(this);
    maximise();
    InitSettings(*m_services.registry);
    webMain->setRegisterAsBrowser(true);
    webMain->setSilent(true);
    const bool given = mblnURLGiven || mstrURLNewWindow.isEmpty();
    if (mstrURLNewWindow.isEmpty())
        mstrURLNewWindow = gstrStartPage;
    EnableAutoComplete(txtURL, SHACF_URLHISTORY, m_services.urlHistory);
    LoadAllFavorite();
    if (!m_restore.urls.isEmpty())
        webMain->restoreHistory(m_restore);
    else if (!m_pageComing && (!given || CheckGivenAddress(mstrURLNewWindow)))
        NavigateTo(mstrURLNewWindow);
    ApplySkin(this);
}

void frmMain::maximise() {
    // Maximising makes the native window; a window not made yet is maximised as it is shown, so
    // that its first navigation does not wait for the window system.
    if (testAttribute(Qt::WA_WState_Created))
        setWindowState(windowState() | Qt::WindowMaximized);
    else
        m_maximiseOnShow = true;
}

void frmMain::Show() {
    Load();
    if (!m_closed)
        show();
}

void frmMain::setVisible(bool visible) {
    if (visible && !isVisible()) {
        if (!m_loaded)
            Load(); // its first navigation gives the page its surface, in its site's renderer
        if (m_closed)
            return;
        // The page's drawing surface arrives before the native window is made (maximising makes
        // it). Drawn with OpenGL, its arrival makes a native window made before it again, and
        // the new one forgets that it was maximised.
        webMain->prepareSurface();
        if (m_maximiseOnShow) {
            m_maximiseOnShow = false;
            setWindowState(windowState() | Qt::WindowMaximized);
        }
        QWindow* native = windowHandle();
        const Qt::WindowStates states = windowState() & ~Qt::WindowActive;
        if (native && native->windowStates() != states)
            native->setWindowStates(states);
    }
    QMainWindow::setVisible(visible);
}

void frmMain::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (!event->isAccepted())
        return;
    // A closing window stops being the default window at once, not when it is deleted.
    windows().removeAll(this);
    m_closed = true;
    m_services.session->windowClosed(windowHistory());
    if (m_busy > 0)
        setAttribute(Qt::WA_DeleteOnClose, false); // the last Busy deletes it
}

void frmMain::windowNavigates() {
    txtURL->setModified(false);
}

void frmMain::NavigateTo(const QString& strURL) {
    const Busy busy(this);
    windowNavigates();
    yieldToPendingEvents();
    webMain->Navigate(strURL);
    yieldToPendingEvents();
}

void frmMain::DoAddNewWindow(const QString& strURL) {
    OpenNewWindow(m_services, strURL);
}

frmMain* frmMain::OpenNewWindow(const Services& services, const QString& strURL, bool blnGiven) {
    auto* window = new frmMain(services);
    window->mstrURLNewWindow = strURL;
    window->mblnURLGiven = blnGiven;
    window->Show();
    if (window->m_closed)
        return nullptr;
    window->activateWindow();
    window->txtURL->holdFocus();
    return window;
}

void frmMain::ApplySkin(QWidget* frm) {
    if (!frm)
        return;
    const Busy busy(this);
    const QPointer<QWidget> guard(frm); // the open dialog is no window of ours
    m_services.skin->LoadSkin(programFolderFile(QStringLiteral("skin.skn")));
    m_services.skin->ApplySkin(frm);
    if (auto* surface = frm->findChild<SolidSurface*>(QStringLiteral("formSurface")))
        surface->setBackColor(kStripColor);
    // Other handlers of the window may run between two controls.
    const QList<QWidget*> controls = frm->findChildren<QWidget*>();
    for (const QPointer<QWidget> control : controls) {
        if (!guard)
            return;
        if (auto* picture = qobject_cast<PictureBox*>(control.data()))
            picture->setBackColor(kStripColor);
        yieldToPendingEvents();
    }
}

void frmMain::LoadAllFavorite() {
    m_services.favorites->LoadAllFavorite();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize)
        Form_Resize();
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::Form_Resize() {
    layoutWindow(m_geometry, float(m_client->width()) * kTwipsPerPixel,
                 float(m_client->height()) * kTwipsPerPixel);
    applyGeometry();
}

void frmMain::applyGeometry() {
    const WindowGeometry& g = m_geometry;
    picMainToolBar->setGeometry(toPixels(g.picMainToolBar));
    imgToolBar[kBack]->setGeometry(toPixels(g.imgBack));
    imgToolBar[kForward]->setGeometry(toPixels(g.imgForward));
    picBar1->setGeometry(toPixels(g.picBar1));
    txtURL->setGeometry(toPixels(g.txtURL));
    imgToolBar[kRefresh]->setGeometry(toPixels(g.imgRefresh));
    imgToolBar[kStop]->setGeometry(toPixels(g.imgStop));
    picBar2->setGeometry(toPixels(g.picBar2));
    txtSearch->setGeometry(toPixels(g.txtSearch));
    imgToolBar[kSearch]->setGeometry(toPixels(g.imgSearch));
    imgToolBar[kSearchEngine]->setGeometry(toPixels(g.imgSearchEngine));
    picMainWeb->setGeometry(toPixels(g.picMainWeb));
    webMain->setGeometry(toPixels(g.webMain));
}

void frmMain::mnuMainFileNewLabel_Click() {
    DoAddNewWindow(QStringLiteral("about:blank"));
}

void frmMain::mnuMainFileExit_Click() {
    close();
}

void frmMain::picMainWeb_DblClick() {
    close();
}

void frmMain::mnuMainViewGoBack_Click() {
    windowNavigates();
    webMain->GoBack();
}

void frmMain::mnuMainViewGoForword_Click() {
    windowNavigates();
    webMain->GoForward();
}

void frmMain::mnuMainViewGoHomePage_Click() {
    if (CheckGivenAddress(gstrStartPage))
        NavigateTo(gstrStartPage);
}

bool frmMain::CheckGivenAddress(const QString& strURL) {
    if (isWebAddress(strURL))
        return true;
    const QString text = QStringLiteral("不能打开这个地址：") + strURL.left(kMaxShownAddress);
    WriteErrorLog(QStringLiteral("CheckGivenAddress"), -1, text);
    // Out of whatever event this came from: a window may load inside the engine's own.
    QTimer::singleShot(0, this, [this, text] {
        m_services.messageBoxes->inform(this, QStringLiteral("提示"), text,
                                        MessageBoxes::Icon::Warning);
    });
    return false;
}

void frmMain::mnuMainViewRefresh_Click() {
    windowNavigates();
    webMain->Refresh();
}

void frmMain::mnuMainViewStop_Click() {
    webMain->Stop();
}

void frmMain::txtURL_KeyDown() {
    m_navigatedFrom = txtURL;
    const QString typed = trimBlanks(txtURL->text());
    // Words that make no address ("苹果 香蕉", "北京") are looked up, as in the search box.
    const QString keyword = searchKeyword(typed);
    if (!keyword.isEmpty() && (!typedAddress(typed).isValid() || isWordBeyondAscii(typed))) {
        NavigateTo(buildSearchUrl(gstrSearchURL, keyword));
        return;
    }
    NavigateTo(typed);
}

// Escape gives up what was typed or chosen from the suggestions, showing the page's address
// again; pressed again, it stops the page, as it does inside the page.
void frmMain::txtURL_Escape() {
    const QString address = shownAddress(webMain->LocationURL());
    if (txtURL->text() == address) {
        mnuMainViewStop_Click();
        return;
    }
    txtURL->setText(address);
    txtURL->setModified(false);
    txtURL->selectAll();
}
