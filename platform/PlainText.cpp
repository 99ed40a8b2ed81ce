#include "platform/PlainText.h"

#include <QLabel>

namespace plainText {

QString cut(const QString& text) {
    if (text.size() <= kMaxLength)
        return text;
    qsizetype end = kMaxLength;
    if (text.at(end - 1).isHighSurrogate())
        --end; // never half a character
    return text.left(end) + QStringLiteral("…");
}

QLabel* label(const QString& text, QWidget* parent) {
    auto* shown = new QLabel(parent);
    shown->setTextFormat(Qt::PlainText);
    shown->setText(cut(text));
    return shown;
}

QMessageBox::StandardButton ask(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                const QString& text, QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, cut(title), cut(text), buttons, parent);
    box.setTextFormat(Qt::PlainText);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

} // namespace plainText
