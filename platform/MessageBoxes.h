#pragma once

#include <QString>

class QWidget;

// The message boxes the browser shows, with their exact title and text.
class MessageBoxes {
public:
    enum class Icon { None, Information, Question, Warning, Critical };

    virtual ~MessageBoxes() = default;
    // Yes/No question; true when the user answered Yes.
    virtual bool askYesNo(QWidget* owner, const QString& title, const QString& text,
                          Icon icon = Icon::Question) = 0;
    // A single OK button.
    virtual void inform(QWidget* owner, const QString& title, const QString& text,
                        Icon icon = Icon::Information) = 0;
};
