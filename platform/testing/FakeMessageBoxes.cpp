#include "platform/testing/FakeMessageBoxes.h"

bool FakeMessageBoxes::askYesNo(QWidget*, const QString& title, const QString& text, Icon icon) {
    shown.append({QStringLiteral("question"), title, text, icon});
    if (onShow)
        onShow();
    return answers.isEmpty() ? false : answers.takeFirst();
}

void FakeMessageBoxes::inform(QWidget*, const QString& title, const QString& text, Icon icon) {
    shown.append({QStringLiteral("inform"), title, text, icon});
    if (onShow)
        onShow();
}
