#include "core/Trim.h"

QString trimCharacters(const QString& text, QStringView blanks) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && blanks.contains(text.at(begin)))
        ++begin;
    while (end > begin && blanks.contains(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

QString trimBlanks(const QString& text) {
    return trimCharacters(text, u" ");
}
