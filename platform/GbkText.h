#pragma once

#include <QByteArray>
#include <QString>

// The GBK code page is what every file and "system" boundary of the browser speaks
// (error log, page source, shortcut files, registry text).
QByteArray toGbk(const QString& text);
QString fromGbk(const QByteArray& bytes);
// Whether GBK holds every character of the text (it reads back the same).
bool gbkCanHold(const QString& text);
