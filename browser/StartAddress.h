#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// What a window opens when the desktop hands Tarnvale an address, a file or an Internet
// shortcut (.url) file: the address itself, the file's address (a relative path is a file in
// the working folder) or the shortcut's URL, read by shortcutUrl. Empty: the start page.
QString startAddress(const QStringList& arguments,
                     const std::function<QString(const QString& path)>& shortcutUrl);
