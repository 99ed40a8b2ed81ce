// How a window shows its page: zoom, the text encoding of pages that declare none, full
// screen, and the address of the link under the mouse over the page's bottom left corner.
#include "browser/frmMain.h"

#include "browser/PictureBox.h"
#include "platform/ZoomSteps.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>

namespace {
struct EncodingItem {
    QAction* frmMain::*item;
    const char* encoding; // empty: detected
};

const EncodingItem kEncodings[] = {
    {&frmMain::mnuMainViewEncodingAuto, ""},
    {&frmMain::mnuMainViewEncodingGb18030, "GB18030"},
    {&frmMain::mnuMainViewEncodingUtf8, "UTF-8"},
    {&frmMain::mnuMainViewEncodingBig5, "Big5"},
};

constexpr int kLinkAddressMargin = 2;
} // namespace

void frmMain::createViewMenus() {
    auto* encodings = new QActionGroup(this);
    for (const EncodingItem& row : kEncodings) {
        QAction* action = this->*row.item;
        action->setCheckable(true);
        encodings->addAction(action);
        const QString encoding = QString::fromLatin1(row.encoding);
        connect(action, &QAction::triggered, this,
                [this, encoding] { webMain->setTextEncoding(encoding); });
    }
    // The check mark says what the page shown now is read as.
    connect(mnuMainViewEncoding, &QMenu::aboutToShow, this, [this] {
        const QString current = webMain->TextEncoding();
        for (const EncodingItem& row : kEncodings)
            (this->*row.item)
                ->setChecked(current.compare(QLatin1String(row.encoding), Qt::CaseInsensitive) ==
                             0);
    });
    mnuMainViewFullScreen->setCheckable(true);

    lblLinkAddress = new QLabel(picMainWeb);
    lblLinkAddress->setObjectName(QStringLiteral("lblLinkAddress"));
    lblLinkAddress->setTextFormat(Qt::PlainText); // a page chose it
    lblLinkAddress->setAutoFillBackground(true);
    lblLinkAddress->setFrameShape(QFrame::Box);
    lblLinkAddress->setMargin(kLinkAddressMargin);
    lblLinkAddress->setAttribute(Qt::WA_TransparentForMouseEvents);
    lblLinkAddress->hide();
    connect(webMain, &PageView::StatusTextChange, this, &frmMain::webMain_StatusTextChange);
}

void frmMain::mnuMainViewZoomIn_Click() {
    webMain->setZoomPercent(nextZoomStep(webMain->ZoomPercent(), 1));
}

void frmMain::mnuMainViewZoomOut_Click() {
    webMain->setZoomPercent(nextZoomStep(webMain->ZoomPercent(), -1));
}

void frmMain::mnuMainViewZoomReset_Click() {
    webMain->setZoomPercent(100);
}

// Full screen and back; every window opens maximised, so that is where it returns.
void frmMain::mnuMainViewFullScreen_Click() {
    if (isFullScreen())
        setWindowState((windowState() & ~Qt::WindowFullScreen) | Qt::WindowMaximized);
    else
        setWindowState(windowState() | Qt::WindowFullScreen);
    mnuMainViewFullScreen->setChecked(windowState() & Qt::WindowFullScreen);
}

void frmMain::webMain_StatusTextChange(const QString& text) {
    if (text.isEmpty()) {
        lblLinkAddress->hide();
        return;
    }
    // Half the page wide at most, cut in the middle: the host and the end both tell.
    const int room = qMax(picMainWeb->width() / 2, 100);
    lblLinkAddress->setText(lblLinkAddress->fontMetrics().elidedText(
        text, Qt::ElideMiddle, room - 2 * (kLinkAddressMargin + lblLinkAddress->frameWidth())));
    lblLinkAddress->adjustSize();
    placeLinkAddress();
    lblLinkAddress->show();
    lblLinkAddress->raise();
}

void frmMain::placeLinkAddress() {
    lblLinkAddress->move(0, picMainWeb->height() - lblLinkAddress->height());
}
