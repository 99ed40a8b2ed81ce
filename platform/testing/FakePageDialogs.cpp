#include "platform/testing/FakePageDialogs.h"

#include <QPageLayout>
#include <QPrinter>
#include <QUrl>

std::optional<PageDialogs::SaveTarget> FakePageDialogs::chooseSaveTarget(QWidget*,
                                                                         const QString& name) {
    asked << QStringLiteral("save:") + name;
    return saveTo;
}

bool FakePageDialogs::setUpPage(QWidget*, QPrinter* printer) {
    asked << QStringLiteral("setup");
    if (landscapeOnSetUp)
        printer->setPageOrientation(QPageLayout::Landscape);
    return landscapeOnSetUp;
}

bool FakePageDialogs::choosePrinter(QWidget*, QPrinter* printer) {
    asked << QStringLiteral("print");
    if (printToPdf.isEmpty())
        return false;
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(printToPdf);
    return true;
}

void FakePageDialogs::previewPrint(QWidget*, QPrinter* printer,
                                   const std::function<void(QPrinter*)>& paint) {
    asked << QStringLiteral("preview");
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(previewToPdf);
    paint(printer);
}

void FakePageDialogs::showProperties(QWidget*, const PageProperties& shown) {
    asked << QStringLiteral("properties");
    properties.append(shown);
}

void FakePageDialogs::scriptAlert(QWidget*, const QUrl&, const QString& message) {
    asked << QStringLiteral("alert:") + message;
}

bool FakePageDialogs::scriptConfirm(QWidget*, const QUrl&, const QString& message) {
    asked << QStringLiteral("confirm:") + message;
    return confirmAnswer;
}

std::optional<QString> FakePageDialogs::scriptPrompt(QWidget*, const QUrl&, const QString& message,
                                                     const QString&) {
    asked << QStringLiteral("prompt:") + message;
    return promptAnswer;
}

bool FakePageDialogs::confirmLeavingPage(QWidget*) {
    asked << QStringLiteral("leave");
    return confirmAnswer;
}

std::optional<PageDialogs::Credentials> FakePageDialogs::signIn(QWidget*, const QUrl&,
                                                                const QString& realm, bool proxy) {
    asked << (proxy ? QStringLiteral("proxySignIn:") : QStringLiteral("signIn:")) + realm;
    return credentials;
}

bool FakePageDialogs::continueDespiteCertificateError(QWidget*, const QUrl&, const QString&) {
    asked << QStringLiteral("certificate");
    return continueAnswer;
}

std::optional<QString> FakePageDialogs::chooseDownloadPath(QWidget*, const QString& suggestedPath) {
    asked << QStringLiteral("download:") + suggestedPath;
    return downloadPath;
}
