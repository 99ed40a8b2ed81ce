#include "browser/StartAddress.h"

#include <QFileInfo>
#include <QUrl>

QString startAddress(const QStringList& arguments,
                     const std::function<QString(const QString& path)>& shortcutUrl) {
    if (arguments.size() < 2)
        return QString();
    const QString given = arguments.at(1);
    const QFileInfo file(given); // a relative path is a file in the working folder
    if (given.endsWith(QLatin1String(".url"), Qt::CaseInsensitive) && file.isFile())
        return shortcutUrl(file.absoluteFilePath());
    const bool isPath = QUrl(given).scheme().size() < 2; // no scheme, or only a drive letter
    if (isPath && file.isFile())
        return QUrl::fromLocalFile(file.absoluteFilePath()).toString(QUrl::FullyEncoded);
    return given;
}
