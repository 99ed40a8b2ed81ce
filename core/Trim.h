#pragma once

#include <QString>
#include <QStringView>

// Removes leading and trailing characters that are in `blanks`, nothing else.
QString trimCharacters(const QString& text, QStringView blanks);

// Leading and trailing U+0020 only; tabs and other white space stay.
QString trimBlanks(const QString& text);
