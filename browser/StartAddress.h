#pragma once

#include <QString>
#include <QStringList>

class modFavorite;

// What the first window opens when the desktop hands Tarnvale an address or an Internet
// shortcut (.url) file: the address itself, or the shortcut's URL. Empty: the start page.
QString startAddress(const QStringList& arguments, modFavorite& favorites);
