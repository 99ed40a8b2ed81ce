#pragma once

#include "platform/MessageBoxes.h"

#include <QList>
#include <functional>

// Records every box asked for and answers questions as scripted (No when nothing is left).
class FakeMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        QString kind; // "question" or "inform"
        QString title;
        QString text;
        Icon icon = Icon::None;
    };

    bool askYesNo(QWidget* owner, const QString& title, const QString& text, Icon icon) override;
    void inform(QWidget* owner, const QString& title, const QString& text, Icon icon) override;

    QList<bool> answers;
    QList<Shown> shown;
    std::function<void()> onShow; // runs while a box is "open"
};
