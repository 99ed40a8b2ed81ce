#include "platform/ProgramFolder.h"

#include <QCoreApplication>

namespace {
QString& overridden() {
    static QString path;
    return path;
}
} // namespace

QString programFolder() {
    return overridden().isEmpty() ? QCoreApplication::applicationDirPath() : overridden();
}

void overrideProgramFolder(const QString& path) {
    overridden() = path;
}

QString programFolderFile(const QString& fileName) {
    return programFolder() + QLatin1Char('/') + fileName;
}
