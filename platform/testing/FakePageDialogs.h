#pragma once

#include "platform/PageDialogs.h"

#include <QPageLayout>
#include <QPrinter>
#include <QStringList>

// Answers the page view's dialogs as a test scripts them: saving to a given path, printing
// to a PDF file, previewing into a PDF file. Every dialog asked for is recorded.
class FakePageDialogs final : public PageDialogs {
public:
    std::optional<SaveTarget> chooseSaveTarget(QWidget*, const QString& name,
                                               const QString& fileType = QString()) override {
        asked << QStringLiteral("save:") + name + (fileType.isEmpty() ? QString() : "|" + fileType);
        return saveTo;
    }
    bool setUpPage(QWidget*, QPrinter* printer) override {
        asked << QStringLiteral("setup");
        if (landscapeOnSetUp)
            printer->setPageOrientation(QPageLayout::Landscape);
        return landscapeOnSetUp;
    }
    bool choosePrinter(QWidget*, QPrinter* printer) override {
        asked << QStringLiteral("print");
        if (printToPdf.isEmpty())
            return false;
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(printToPdf);
        return true;
    }
    void previewPrint(QWidget*, QPrinter* printer,
                      const std::function<void(QPrinter*)>& paint) override {
        asked << QStringLiteral("preview");
        previewResolution = printer->resolution();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(previewToPdf);
        paint(printer);
    }
    void showProperties(QWidget*, const PageProperties& shown) override {
        asked << QStringLiteral("properties");
        properties.append(shown);
    }
    void scriptAlert(QWidget*, const QUrl&, const QString& message, bool* noMore) override {
        asked << QStringLiteral("alert:") + message + offered(noMore);
    }
    bool scriptConfirm(QWidget*, const QUrl&, const QString& message, bool* noMore) override {
        asked << QStringLiteral("confirm:") + message + offered(noMore);
        return confirmAnswer;
    }
    // " +": the box offered to stop the page's boxes, and was told to when noMoreAnswer.
    QString offered(bool* noMore) const {
        if (!noMore)
            return QString();
        *noMore = noMoreAnswer;
        return QStringLiteral(" +");
    }
    std::optional<QString> scriptPrompt(QWidget*, const QUrl&, const QString& message,
                                        const QString&, bool* noMore) override {
        asked << QStringLiteral("prompt:") + message + offered(noMore);
        return promptAnswer;
    }
    bool confirmLeavingPage(QWidget*) override {
        asked << QStringLiteral("leave");
        return confirmAnswer;
    }
    bool confirmResubmit(QWidget*) override {
        asked << QStringLiteral("resubmit");
        return resubmitAnswer;
    }
    std::optional<Credentials> signIn(QWidget*, const QUrl&, const QString& realm,
                                      bool proxy) override {
        asked << (proxy ? QStringLiteral("proxySignIn:") : QStringLiteral("signIn:")) + realm;
        return credentials;
    }
    bool continueDespiteCertificateError(QWidget*, const QUrl&, const QString&) override {
        asked << QStringLiteral("certificate");
        return continueAnswer;
    }
    std::optional<QString> chooseDownloadPath(QWidget*, const QString& suggested) override {
        asked << QStringLiteral("download:") + suggested;
        return downloadPath;
    }

    QStringList asked;                // "save:<suggested name>", "setup", "print", ...
    std::optional<SaveTarget> saveTo; // nothing: the save dialog is cancelled
    QString printToPdf;               // empty: the print dialog is cancelled
    QString previewToPdf;             // where the preview's pages are rendered
    bool landscapeOnSetUp = false;    // page set-up answer: landscape, confirmed
    QList<PageProperties> properties;
    int previewResolution = 0;              // dots per inch
    bool confirmAnswer = true;              // script confirm and leaving a page
    bool noMoreAnswer = false;              // stop a page's further boxes, where offered
    std::optional<QString> promptAnswer;    // nothing: prompt cancelled
    std::optional<Credentials> credentials; // nothing: sign-in cancelled
    bool continueAnswer = false;            // certificate errors
    bool resubmitAnswer = false;            // loading a posted page again
    std::optional<QString> downloadPath;    // nothing: download cancelled
};
