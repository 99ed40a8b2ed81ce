#pragma once

#include "PageProperties.h"

#include <QString>
#include <functional>
#include <optional>

class QPrinter;
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
    // Where to save the page; nothing when cancelled.
    virtual std::optional<SaveTarget> chooseSaveTarget(QWidget* owner,
                                                       const QString& suggestedName) = 0;
    // Page set-up on the view's printer; true when confirmed.
    virtual bool setUpPage(QWidget* owner, QPrinter* printer) = 0;
    // Print dialog on the view's printer; true when the user chose to print.
    virtual bool choosePrinter(QWidget* owner, QPrinter* printer) = 0;
    // A preview that calls paint with the printer to render on, as often as it needs.
    virtual void previewPrint(QWidget* owner, QPrinter* printer,
                              const std::function<void(QPrinter*)>& paint) = 0;
    virtual void showProperties(QWidget* owner, const PageProperties& properties) = 0;
};
