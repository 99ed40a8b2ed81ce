#pragma once

#include "PageDialogs.h"

class QtPageDialogs final : public PageDialogs {
public:
    std::optional<SaveTarget> chooseSaveTarget(QWidget* owner,
                                               const QString& suggestedName) override;
    bool setUpPage(QWidget* owner, QPrinter* printer) override;
    bool choosePrinter(QWidget* owner, QPrinter* printer) override;
    void previewPrint(QWidget* owner, QPrinter* printer,
                      const std::function<void(QPrinter*)>& paint) override;
    void showProperties(QWidget* owner, const PageProperties& properties) override;
};
