#pragma once

#include "platform/MessageBoxes.h"

#include <QList>
#include <functional>

// Records every box asked for and answers questions as scripted (No when nothing is left).
class FakeMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        QString title;
        QString text;
        Icon icon = Icon::None;
        QString buttons; // of askChoice: "first|second"
    };

    bool askYesNo(QWidget*, const QString& title, const QString& text, Icon icon) override {
        show(title, text, icon);
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    bool askChoice(QWidget*, const QString& title, const QString& text, const QString& first,
                   const QString& second, Icon icon) override {
        show(title, text, icon);
        shown.last().buttons = first + '|' + second;
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    void inform(QWidget*, const QString& title, const QString& text, Icon icon) override {
        show(title, text, icon);
    }

    QList<bool> answers;
    QList<Shown> shown;
    std::function<void()> onShow; // runs while a box is "open"

private:
    void show(const QString& title, const QString& text, Icon icon) {
        shown.append({title, text, icon, QString()});
        if (onShow)
            onShow();
    }
};
