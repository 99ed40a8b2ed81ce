#include "tests/support/ModalAnswers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>

ModalAnswers::ModalAnswers(QList<Answer> answers)
    : m_answers(std::move(answers)) {
    m_poll.setInterval(5);
    QObject::connect(&m_poll, &QTimer::timeout, [this] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || m_seen.contains(dialog) || m_next >= m_answers.size())
            return;
        m_seen << dialog;
        // Answered from a timer of its own: Qt does not fire a timer again inside its own slot,
        // and a further dialog the answer opens must still be seen.
        QTimer::singleShot(0, dialog, [answer = m_answers[m_next++], dialog] { answer(dialog); });
    });
    m_poll.start();
}

void ModalAnswers::accept(QWidget* dialog) {
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        for (QAbstractButton* button : box->buttons()) {
            const QMessageBox::ButtonRole role = box->buttonRole(button);
            if (role == QMessageBox::AcceptRole || role == QMessageBox::YesRole)
                return button->click();
        }
    }
    if (auto* plain = qobject_cast<QDialog*>(dialog))
        plain->accept();
}

void ModalAnswers::reject(QWidget* dialog) {
    if (auto* plain = qobject_cast<QDialog*>(dialog))
        plain->reject();
}

void ModalAnswers::click(QWidget* dialog, const QString& caption) {
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (button->text().remove(QLatin1Char('&')) == caption)
            return button->click();
    }
    ADD_FAILURE() << "no button " << caption.toStdString();
}
