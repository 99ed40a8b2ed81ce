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
    // A question with two buttons of these captions, the first the default one (Enter); Esc
    // or closing the box chooses the second. True when the user chose the first.
    virtual bool askChoice(QWidget* owner, const QString& title, const QString& text,
                           const QString& first, const QString& second,
                           Icon icon = Icon::Question) = 0;
    // A single OK button.
    virtual void inform(QWidget* owner, const QString& title, const QString& text,
                        Icon icon = Icon::Information) = 0;
};
