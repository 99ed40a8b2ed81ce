#include "browser/frmOpen.h"

#include "browser/SolidSurface.h"
#include "browser/WindowLayout.h"
#include "browser/frmMain.h"
#include "browser/modcboAutoComplete.h"
#include "core/Trim.h"
#include "platform/FileChooser.h"
#include "platform/ProgramFolder.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

namespace {
QPointer<frmOpen>& shared() {
    static QPointer<frmOpen> dialog;
    return dialog;
}

QRect twips(float left, float top, float width, float height) {
    return toPixels({left, top, width, height});
}
} // namespace

frmOpen::frmOpen(const Services& services)
    : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_services(services) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("打开"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tarnvale.svg")));
    setFixedSize(twips(0, 0, 5295, 1740).size());

    m_surface = new SolidSurface(this);
    m_surface->setObjectName(QStringLiteral("formSurface"));
    m_surface->setGeometry(rect());

    QFont labelFont(QStringLiteral("MS Sans Serif"));
    labelFont.setPointSizeF(8.25);
    SkinLabel1 = new QLabel(
        QStringLiteral("键入文档或者文件夹的Internet地址，Tarnvale将为您打开它："), this);
    SkinLabel1->setObjectName(QStringLiteral("SkinLabel1"));
    SkinLabel1->setWordWrap(true);
    SkinLabel1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SkinLabel1->setGeometry(twips(225, 135, 4920, 555));
    SkinLabel2 = new QLabel(QStringLiteral("打开:"), this);
    SkinLabel2->setObjectName(QStringLiteral("SkinLabel2"));
    SkinLabel2->setGeometry(twips(225, 765, 645, 285));
    for (QLabel* label : {SkinLabel1, SkinLabel2})
        label->setFont(labelFont);

    txtURL = new QLineEdit(this);
    txtURL->setObjectName(QStringLiteral("txtURL"));
    txtURL->setGeometry(twips(990, 765, 4155, 285));
    cmdConfirm = new QPushButton(QStringLiteral("确定"), this);
    cmdConfirm->setObjectName(QStringLiteral("cmdConfirm"));
    cmdConfirm->setGeometry(twips(1620, 1215, 1080, 375));
    cmdCancel = new QPushButton(QStringLiteral("取消"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(twips(2790, 1215, 1080, 375));
    cmdOpen = new QPushButton(QStringLiteral("浏览(&R)..."), this);
    cmdOpen->setObjectName(QStringLiteral("cmdOpen"));
    cmdOpen->setGeometry(twips(3960, 1215, 1170, 375));
    // Enter on a focused button presses it; no button answers Enter elsewhere.
    for (QPushButton* button : {cmdConfirm, cmdCancel, cmdOpen})
        button->setAutoDefault(true);

    connect(cmdConfirm, &QPushButton::clicked, this, &frmOpen::cmdConfirm_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOpen::cmdCancel_Click);
    connect(cmdOpen, &QPushButton::clicked, this, &frmOpen::cmdOpen_Click);

    setTabOrder(cmdOpen, cmdCancel);
    setTabOrder(cmdCancel, cmdConfirm);
    setTabOrder(cmdConfirm, txtURL);
    cmdOpen->setFocus(Qt::OtherFocusReason);
}

frmOpen::~frmOpen() = default;

frmOpen* frmOpen::instance() {
    return shared().data();
}

frmOpen* frmOpen::ShowShared(const Services& services) {
    if (frmOpen* open = shared().data()) {
        open->show();
        open->raise();
        open->activateWindow();
        return open;
    }
    auto* dialog = new frmOpen(services);
    shared() = dialog;
    dialog->Form_Load();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        dialog->move(screen->availableGeometry().center() - dialog->rect().center());
    dialog->show();
    dialog->activateWindow();
    dialog->cmdOpen->setFocus(Qt::OtherFocusReason);
    return dialog;
}

void frmOpen::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    // A closed dialog is gone for the process at once; the next Open makes a fresh one.
    if (event->isAccepted() && shared() == this)
        shared() = nullptr;
}

void frmOpen::Form_Load() {
    EnableAutoComplete(txtURL, SHACF_URLHISTORY, m_services.urlHistory);
    // The default window's skin control skins the dialog too.
    if (frmMain* main = frmMain::defaultWindow())
        main->ApplySkin(this);
}

void frmOpen::cmdConfirm_Click() {
    const QString address = trimBlanks(txtURL->text());
    if (!address.isEmpty()) {
        if (frmMain* main = frmMain::defaultWindow())
            main->DoAddNewWindow(address);
        else
            frmMain::OpenNewWindow(m_services, address);
    }
    close();
}

void frmOpen::cmdCancel_Click() {
    close();
}

void frmOpen::cmdOpen_Click() {
    const auto chosen = m_services.fileChooser->chooseExistingFile(
        this, QStringLiteral("打开文件"), QStringLiteral("所有文件"), programFolder());
    if (chosen)
        txtURL->setText(*chosen);
}
