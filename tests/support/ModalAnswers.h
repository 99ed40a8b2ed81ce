#pragma once

#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

// Answers the modal dialogs of real dialog code as a person would: each new modal window, as
// it opens, goes to the next answer in turn, which fills it in and closes it. An answer may open
// a further dialog (a button that asks something): the next answer gets that one.
class ModalAnswers {
public:
    using Answer = std::function<void(QWidget* dialog)>;
    explicit ModalAnswers(QList<Answer> answers);
    int answered() const { return m_next; }

    // Common answers: accept (OK, Yes) or reject (Cancel, No, Esc).
    static void accept(QWidget* dialog);
    static void reject(QWidget* dialog);
    // Clicks the dialog's button with this caption (without its "&" marker).
    static void click(QWidget* dialog, const QString& caption);

private:
    QList<Answer> m_answers;
    int m_next = 0;
    QList<QPointer<QWidget>> m_seen;
    QTimer m_poll;
};
