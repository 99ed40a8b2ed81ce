#include "browser/StartAddress.h"

#include <QUrl>

namespace fs = std::filesystem;

QString startAddress(const QList<QByteArray>& arguments,
                     const std::function<QString(const fs::path& file)>& shortcutUrl) {
    if (arguments.size() < 2)
        return QString();
    const QByteArray& given = arguments.at(1);
    std::error_code error;
    const fs::path file = fs::absolute(fs::path(given.toStdString()), error);
    const bool isFile = !given.isEmpty() && !error && fs::is_regular_file(file, error);
    if (given.toLower().endsWith(".url") && isFile)
        return shortcutUrl(file);
    const QString text = QString::fromUtf8(given);
    const bool isPath = QUrl(text).scheme().size() < 2; // no scheme, or only a drive letter
    if (isPath && isFile) // the name's own bytes, so that a GBK name is the same file
        return QUrl::fromEncoded("file://" + QByteArray(file.c_str()).toPercentEncoding("/"))
            .toString(QUrl::FullyEncoded);
    return text;
}
