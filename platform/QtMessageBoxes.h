#pragma once

#include "platform/MessageBoxes.h"

class QtMessageBoxes final : public MessageBoxes {
public:
    bool askYesNo(QWidget* owner, const QString& title, const QString& text, Icon icon) override;
    void inform(QWidget* owner, const QString& title, const QString& text, Icon icon) override;
};
