#pragma once

#include "platform/PageDialogs.h"

#include <QStringList>

// Answers the page view's dialogs as a test scripts them: saving to a given path, printing
// to a PDF file, previewing into a PDF file. Every dialog asked for is recorded.
class FakePageDialogs final : public PageDialogs {
public:
    std::optional<SaveTarget> chooseSaveTarget(QWidget* owner,
                                               const QString& suggestedName) override;
    bool setUpPage(QWidget* owner, QPrinter* printer) override;
    bool choosePrinter(QWidget* owner, QPrinter* printer) override;
    void previewPrint(QWidget* owner, QPrinter* printer,
                      const std::function<void(QPrinter*)>& paint) override;
    void showProperties(QWidget* owner, const PageProperties& properties) override;
    void scriptAlert(QWidget* owner, const QUrl& origin, const QString& message) override;
    bool scriptConfirm(QWidget* owner, const QUrl& origin, const QString& message) override;
    std::optional<QString> scriptPrompt(QWidget* owner, const QUrl& origin, const QString& message,
                                        const QString& defaultValue) override;
    bool confirmLeavingPage(QWidget* owner) override;
    std::optional<Credentials> signIn(QWidget* owner, const QUrl& site, const QString& realm,
                                      bool proxy) override;
    bool continueDespiteCertificateError(QWidget* owner, const QUrl& url,
                                         const QString& description) override;
    std::optional<QString> chooseDownloadPath(QWidget* owner,
                                              const QString& suggestedPath) override;

    QStringList asked;                // "save:<suggested name>", "setup", "print", ...
    std::optional<SaveTarget> saveTo; // nothing: the save dialog is cancelled
    QString printToPdf;               // empty: the print dialog is cancelled
    QString previewToPdf;             // where the preview's pages are rendered
    bool landscapeOnSetUp = false;    // page set-up answer: landscape, confirmed
    QList<PageProperties> properties;
    bool confirmAnswer = true;              // script confirm and leaving a page
    std::optional<QString> promptAnswer;    // nothing: prompt cancelled
    std::optional<Credentials> credentials; // nothing: sign-in cancelled
    bool continueAnswer = false;            // certificate errors
    std::optional<QString> downloadPath;    // nothing: download cancelled
};
