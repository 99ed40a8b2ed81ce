#include "ProgramFolder.h"

#include <QCoreApplication>

QString programFolder() {
    return QCoreApplication::applicationDirPath();
}

QString programFolderFile(const QString& fileName) {
    return programFolder() + QLatin1Char('/') + fileName;
}
