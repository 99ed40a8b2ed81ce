#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <filesystem>
#include <functional>

// What a window opens when the desktop hands Tarnvale an address, a file or an Internet
// shortcut (.url) file: the address itself, the file's address (a relative path is a file in
// the working folder) or the shortcut's URL, read by shortcutUrl. Empty: the start page. The
// arguments are the command line's own bytes, so that a file named in GBK (copied from
// Windows) is found.
QString startAddress(const QList<QByteArray>& arguments,
                     const std::function<QString(const std::filesystem::path& file)>& shortcutUrl);
