#pragma once

#include "platform/PageProperties.h"

#include <QString>
#include <functional>
#include <optional>

class QPrinter;
class QUrl;
class QWidget;

// The dialogs a page view opens for its document commands. Tests answer them without a
// window appearing.
class PageDialogs {
public:
    enum class SaveFormat { CompleteHtml, SingleFileMhtml };
    struct SaveTarget {
        QString path;
        SaveFormat format = SaveFormat::CompleteHtml;
    };

    virtual ~PageDialogs() = default;
    // Where to save the page; nothing when cancelled. A document that is no web page (a PDF,
    // a picture: fileType is its MIME type) is saved as the file itself, under its own type.
    virtual std::optional<SaveTarget> chooseSaveTarget(QWidget* owner, const QString& suggestedName,
                                                       const QString& fileType = QString()) = 0;
    // Page set-up on the view's printer; true when confirmed.
    virtual bool setUpPage(QWidget* owner, QPrinter* printer) = 0;
    // Print dialog on the view's printer; true when the user chose to print.
    virtual bool choosePrinter(QWidget* owner, QPrinter* printer) = 0;
    // A preview that calls paint with the printer to render on, as often as it needs.
    virtual void previewPrint(QWidget* owner, QPrinter* printer,
                              const std::function<void(QPrinter*)>& paint) = 0;
    virtual void showProperties(QWidget* owner, const PageProperties& properties) = 0;

    // Only asked while the view is not silent.
    struct Credentials {
        QString user;
        QString password;
    };
    // Given noMore, the box also offers to keep the page from showing further boxes, and says
    // whether the person chose that.
    virtual void scriptAlert(QWidget* owner, const QUrl& origin, const QString& message,
                             bool* noMore) = 0;
    virtual bool scriptConfirm(QWidget* owner, const QUrl& origin, const QString& message,
                               bool* noMore) = 0;
    virtual std::optional<QString> scriptPrompt(QWidget* owner, const QUrl& origin,
                                                const QString& message, const QString& defaultValue,
                                                bool* noMore) = 0;
    virtual bool confirmLeavingPage(QWidget* owner) = 0;
    // Before a page a form sent data for is loaded again, which sends the data again.
    virtual bool confirmResubmit(QWidget* owner) = 0;
    // Nothing when the user cancelled signing in.
    virtual std::optional<Credentials> signIn(QWidget* owner, const QUrl& site,
                                              const QString& realm, bool proxy) = 0;
    // True to continue once despite the error (only asked for errors that may be overridden).
    virtual bool continueDespiteCertificateError(QWidget* owner, const QUrl& url,
                                                 const QString& description) = 0;
    // Where to save a download; nothing when cancelled.
    virtual std::optional<QString> chooseDownloadPath(QWidget* owner,
                                                      const QString& suggestedPath) = 0;
};
