#pragma once

#include "platform/MessageBoxes.h"

class QtMessageBoxes final : public MessageBoxes {
public:
    bool askYesNo(QWidget* owner, const QString& title, const QString& text, Icon icon) override;
    bool askChoice(QWidget* owner, const QString& title, const QString& text, const QString& first,
                   const QString& second, Icon icon) override;
    void inform(QWidget* owner, const QString& title, const QString& text, Icon icon) override;
};
