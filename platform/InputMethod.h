#pragma once

#include <QByteArray>

// The Qt input method module to use for typing Chinese, from the environment: QT_IM_MODULE
// when set, else the framework that GTK_IM_MODULE or XMODIFIERS name (fcitx, ibus), else
// empty (Qt's own choice).
QByteArray inputMethodModule(const QByteArray& qtImModule, const QByteArray& gtkImModule,
                             const QByteArray& xModifiers);

// Sets QT_IM_MODULE from the other variables when it is not set; before QApplication.
void chooseInputMethod();
