#include "platform/QtPageDialogs.h"

#include "platform/AddressText.h"
#include "platform/PlainText.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const QString kCompleteFilter = QStringLiteral("网页，全部 (*.htm *.html)");
const QString kArchiveFilter = QStringLiteral("网页档案，单个文件 (*.mht *.mhtml)");

// The file name endings of a PDF or a picture's type, the usual one first.
QStringList fileSuffixesOf(const QString& fileType) {
    const QMimeType type = QMimeDatabase().mimeTypeForName(fileType);
    QStringList suffixes = type.suffixes();
    if (!type.preferredSuffix().isEmpty()) {
        suffixes.removeAll(type.preferredSuffix());
        suffixes.prepend(type.preferredSuffix());
    }
    if (suffixes.isEmpty()) // a type the system does not know
        suffixes << fileType.section(QLatin1Char('/'), 1).section(QLatin1Char('+'), 0, 0);
    return suffixes;
}
} // namespace

std::optional<PageDialogs::SaveTarget>
QtPageDialogs::chooseSaveTarget(QWidget* owner, const QString& name, const QString& fileType) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath(); // else the dialog opens wherever the program was started

    if (!fileType.isEmpty()) {
        // The file itself, offered under its own type: "doc.pdf", not "doc.pdf.mht"; a name
        // with an ending of the type ("photo.jpeg") keeps it.
        const QStringList suffixes = fileSuffixesOf(fileType);
        const bool ended = std::any_of(suffixes.begin(), suffixes.end(), [&](const QString& s) {
            return name.size() > s.size() + 1 &&
                   name.endsWith(QLatin1Char('.') + s, Qt::CaseInsensitive);
        });
        const QString proposed = ended ? name : name + QLatin1Char('.') + suffixes.first();
        const QString kind = fileType == QLatin1String("application/pdf")
                                 ? QStringLiteral("PDF 文档")
                                 : QStringLiteral("%1 图片").arg(suffixes.first().toUpper());
        QStringList patterns;
        for (const QString& suffix : suffixes)
            patterns << QStringLiteral("*.") + suffix;
        const QString path = QFileDialog::getSaveFileName(
            owner, QStringLiteral("保存网页"), QDir(folder).filePath(proposed),
            QStringLiteral("%1 (%2)").arg(kind, patterns.join(QLatin1Char(' '))));
        if (path.isEmpty())
            return std::nullopt;
        return SaveTarget{path, SaveFormat::CompleteHtml};
    }

    QString filter = kArchiveFilter;
    const QString path = QFileDialog::getSaveFileName(
        owner, QStringLiteral("保存网页"), QDir(folder).filePath(name + QStringLiteral(".mht")),
        kArchiveFilter + QStringLiteral(";;") + kCompleteFilter, &filter);
    if (path.isEmpty())
        return std::nullopt;
    return SaveTarget{path, filter == kCompleteFilter ? SaveFormat::CompleteHtml
                                                      : SaveFormat::SingleFileMhtml};
}

bool QtPageDialogs::setUpPage(QWidget* owner, QPrinter* printer) {
    QPageSetupDialog dialog(printer, owner);
    dialog.setWindowTitle(QStringLiteral("页面设置"));
    return dialog.exec() == QDialog::Accepted;
}

bool QtPageDialogs::choosePrinter(QWidget* owner, QPrinter* printer) {
    QPrintDialog dialog(printer, owner);
    dialog.setWindowTitle(QStringLiteral("打印"));
    return dialog.exec() == QDialog::Accepted;
}

void QtPageDialogs::previewPrint(QWidget* owner, QPrinter* printer,
                                 const std::function<void(QPrinter*)>& paint) {
    QPrintPreviewDialog dialog(printer, owner);
    dialog.setWindowTitle(QStringLiteral("打印预览"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter* target) { paint(target); });
    dialog.exec();
}

void QtPageDialogs::showProperties(QWidget* owner, const PageProperties& properties) {
    QDialog dialog(owner);
    dialog.setWindowTitle(QStringLiteral("属性"));
    auto* form = new QFormLayout;
    const QList<QPair<QString, QString>> rows = {
        {QStringLiteral("标题："), properties.title},
        {QStringLiteral("协议："), properties.protocol},
        {QStringLiteral("类型："), properties.type},
        {QStringLiteral("地址："), properties.address},
        {QStringLiteral("大小："), properties.size},
        {QStringLiteral("修改日期："), properties.modified},
    };
    for (const auto& [label, value] : rows) {
        QLabel* field = plainText::label(value.isEmpty() ? QStringLiteral("不可用") : value);
        field->setTextInteractionFlags(Qt::TextSelectableByMouse);
        field->setWordWrap(true);
        form->addRow(label, field);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    dialog.setMinimumWidth(420);
    dialog.exec();
}

namespace {
QString fromPage(const QUrl& origin) {
    const QString host = shownHost(origin.host(QUrl::FullyEncoded));
    return host.isEmpty() ? QStringLiteral("来自网页的消息")
                          : QStringLiteral("来自 %1 的消息").arg(host);
}

// While a page waits for its answer its window stays open. Its box blocks only that window, so
// another window's box may open over it; the answered box then returns only after that one,
// and a window closed meanwhile would be deleted under the page's call.
class WindowKeptOpen final : public QObject {
public:
    explicit WindowKeptOpen(QWidget* owner)
        : m_window(owner ? owner->window() : nullptr) {
        if (m_window)
            m_window->installEventFilter(this);
    }
    ~WindowKeptOpen() override {
        if (m_window)
            m_window->removeEventFilter(this);
    }
    Q_DISABLE_COPY_MOVE(WindowKeptOpen)

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Close)
            return false;
        event->ignore();
        return true;
    }

private:
    QPointer<QWidget> m_window;
};

// What a page asks blocks only its own window: a page showing one alert after another must not
// lock every window of the program.
// A page showing box after box holds its window until each is answered: from its second box
// on, the person may stop it (noMore).
const QString kNoMoreBoxes = QStringLiteral("禁止此网页再显示对话框(&P)");

QMessageBox::StandardButton askForPage(QWidget* owner, QMessageBox::Icon icon, const QString& title,
                                       const QString& text, QMessageBox::StandardButtons buttons,
                                       bool* noMore = nullptr) {
    const WindowKeptOpen kept(owner);
    return plainText::ask(owner, icon, title, text, buttons, QMessageBox::NoButton, Qt::WindowModal,
                          kNoMoreBoxes, noMore);
}

bool askOkCancel(QWidget* owner, const QString& title, const QString& text, QMessageBox::Icon icon,
                 bool* noMore = nullptr) {
    return askForPage(owner, icon, title, text, QMessageBox::Ok | QMessageBox::Cancel, noMore) ==
           QMessageBox::Ok;
}
} // namespace

void QtPageDialogs::scriptAlert(QWidget* owner, const QUrl& origin, const QString& message,
                                bool* noMore) {
    askForPage(owner, QMessageBox::Information, fromPage(origin), message, QMessageBox::Ok, noMore);
}

bool QtPageDialogs::scriptConfirm(QWidget* owner, const QUrl& origin, const QString& message,
                                  bool* noMore) {
    return askOkCancel(owner, fromPage(origin), message, QMessageBox::Question, noMore);
}

std::optional<QString> QtPageDialogs::scriptPrompt(QWidget* owner, const QUrl& origin,
                                                   const QString& message,
                                                   const QString& defaultValue, bool* noMore) {
    const WindowKeptOpen kept(owner);
    QInputDialog dialog(owner);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setWindowTitle(fromPage(origin));
    dialog.setLabelText(plainText::cut(message));
    dialog.setTextValue(defaultValue);
    for (QLabel* label : dialog.findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    QCheckBox* stop = nullptr;
    // Above the buttons, as in the message boxes. The dialog lays itself out when first asked
    // for its size.
    dialog.minimumSizeHint();
    if (auto* layout = qobject_cast<QBoxLayout*>(dialog.layout()); layout && noMore) {
        stop = new QCheckBox(kNoMoreBoxes, &dialog);
        layout->insertWidget(layout->count() - 1, stop);
        dialog.adjustSize();
    }
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (noMore)
        *noMore = stop && stop->isChecked();
    if (!accepted)
        return std::nullopt;
    return dialog.textValue();
}

bool QtPageDialogs::confirmLeavingPage(QWidget* owner) {
    return askOkCancel(owner, QStringLiteral("离开此页？"),
                       QStringLiteral("确实要离开此页吗？您所做的更改可能不会保存。"),
                       QMessageBox::Question);
}

bool QtPageDialogs::confirmResubmit(QWidget* owner) {
    return askOkCancel(owner, QStringLiteral("确认重新提交表单"),
                       QStringLiteral("这个网页是用您提交的表单得到的。刷新会再次发送这些内容"
                                      "（例如再次下单或付款）。要再次提交吗？"),
                       QMessageBox::Warning);
}

std::optional<PageDialogs::Credentials> QtPageDialogs::signIn(QWidget* owner, const QUrl& site,
                                                              const QString& realm, bool proxy) {
    QDialog dialog(owner);
    dialog.setWindowTitle(proxy ? QStringLiteral("代理服务器需要登录")
                                : QStringLiteral("需要登录"));
    auto* layout = new QVBoxLayout(&dialog);
    QLabel* intro = plainText::label(
        QStringLiteral("%1 要求提供用户名和密码。\n领域：%2")
            .arg(shownAddress(QString::fromLatin1(
                     site.toEncoded(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment))),
                 realm),
        &dialog);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* form = new QFormLayout;
    auto* user = new QLineEdit(&dialog);
    auto* password = new QLineEdit(&dialog);
    password->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("用户名(&U)："), user);
    form->addRow(QStringLiteral("密码(&P)："), password);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("登录"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return Credentials{user->text(), password->text()};
}

bool QtPageDialogs::continueDespiteCertificateError(QWidget* owner, const QUrl& url,
                                                    const QString& description) {
    QMessageBox box(
        QMessageBox::Warning, QStringLiteral("安全证书有问题"),
        plainText::cut(QStringLiteral("%1 的安全证书有问题：\n%2\n\n继续访问可能使您的信息被他人"
                                      "窃取。如果继续，在塔文浏览器退出之前，此网站的这个证书都将"
                                      "被接受，不再询问。仍要继续访问此网站吗？")
                           .arg(shownHost(url.host(QUrl::FullyEncoded)), description)),
        QMessageBox::Yes | QMessageBox::No, owner);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("继续访问(&C)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("不访问(&N)"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtPageDialogs::chooseDownloadPath(QWidget* owner,
                                                         const QString& suggestedPath) {
    const QString path =
        QFileDialog::getSaveFileName(owner, QStringLiteral("保存下载的文件"), suggestedPath);
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}
