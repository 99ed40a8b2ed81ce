#include "platform/PlainText.h"

#include <QCheckBox>
#include <QLabel>

namespace plainText {

QString withoutDirectionControls(QString text) {
    text.removeIf([](QChar c) {
        const char16_t u = c.unicode();
        return u == 0x061C || u == 0x200E || u == 0x200F || (u >= 0x202A && u <= 0x202E) ||
               (u >= 0x2066 && u <= 0x2069);
    });
    return text;
}

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
                                QMessageBox::StandardButton defaultButton,
                                Qt::WindowModality modality, const QString& checkBox,
                                bool* checked) {
    QMessageBox box(icon, cut(title), cut(text), buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(modality);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    if (checked)
        box.setCheckBox(new QCheckBox(checkBox, &box));
    const auto answer = QMessageBox::StandardButton(box.exec());
    if (checked)
        *checked = box.checkBox()->isChecked();
    return answer;
}

} // namespace plainText
