#include "platform/QtMessageBoxes.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

namespace {
QMessageBox::Icon toQt(MessageBoxes::Icon icon) {
    switch (icon) {
    case MessageBoxes::Icon::Information:
        return QMessageBox::Information;
    case MessageBoxes::Icon::Question:
        return QMessageBox::Question;
    case MessageBoxes::Icon::Warning:
        return QMessageBox::Warning;
    case MessageBoxes::Icon::Critical:
        return QMessageBox::Critical;
    case MessageBoxes::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

bool QtMessageBoxes::askYesNo(QWidget* owner, const QString& title, const QString& text,
                              Icon icon) {
    QMessageBox box(toQt(icon), title, text, QMessageBox::Yes | QMessageBox::No, owner);
    box.setTextFormat(Qt::PlainText); // texts may carry addresses and names from pages
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
    return box.exec() == QMessageBox::Yes;
}

bool QtMessageBoxes::askChoice(QWidget* owner, const QString& title, const QString& text,
                               const QString& first, const QString& second, Icon icon) {
    QMessageBox box(toQt(icon), title, text, QMessageBox::NoButton, owner);
    box.setTextFormat(Qt::PlainText);
    QPushButton* chosen = box.addButton(first, QMessageBox::AcceptRole);
    box.setEscapeButton(box.addButton(second, QMessageBox::RejectRole));
    box.setDefaultButton(chosen);
    box.exec();
    return box.clickedButton() == chosen;
}

void QtMessageBoxes::inform(QWidget* owner, const QString& title, const QString& text, Icon icon) {
    QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}
