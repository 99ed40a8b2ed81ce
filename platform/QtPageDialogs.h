#pragma once

#include "platform/PageDialogs.h"

class QtPageDialogs final : public PageDialogs {
public:
    std::optional<SaveTarget> chooseSaveTarget(QWidget* owner, const QString& suggestedName,
                                               const QString& fileType = QString()) override;
    bool setUpPage(QWidget* owner, QPrinter* printer) override;
    bool choosePrinter(QWidget* owner, QPrinter* printer) override;
    void previewPrint(QWidget* owner, QPrinter* printer,
                      const std::function<void(QPrinter*)>& paint) override;
    void showProperties(QWidget* owner, const PageProperties& properties) override;
    void scriptAlert(QWidget* owner, const QUrl& origin, const QString& message,
                     bool* noMore) override;
    bool scriptConfirm(QWidget* owner, const QUrl& origin, const QString& message,
                       bool* noMore) override;
    std::optional<QString> scriptPrompt(QWidget* owner, const QUrl& origin, const QString& message,
                                        const QString& defaultValue, bool* noMore) override;
    bool confirmLeavingPage(QWidget* owner) override;
    bool confirmResubmit(QWidget* owner) override;
    std::optional<Credentials> signIn(QWidget* owner, const QUrl& site, const QString& realm,
                                      bool proxy) override;
    bool continueDespiteCertificateError(QWidget* owner, const QUrl& url,
                                         const QString& description) override;
    std::optional<QString> chooseDownloadPath(QWidget* owner,
                                              const QString& suggestedPath) override;
};
