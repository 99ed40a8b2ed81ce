#pragma once

#include <QList>
#include <QString>

class XWindowWatch;

// Falkon (Debian's falkon), a Qt WebEngine browser people choose, beside Tarnvale: its
// executable, or empty when it is not installed.
QString falkonExecutable();

// Prints the memory of Falkon's processes with each count of tabs on the same page, the tabs
// opened as a person opens them (Ctrl+T, the address, Enter, through xdotool), each loaded
// before the next. A step that fails is named and ends the table.
void printFalkonTabsMemory(XWindowWatch& x, const QString& url, const QString& caption,
                           const QString& home, const QList<int>& counts);
