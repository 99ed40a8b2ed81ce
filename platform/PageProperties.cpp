#include "platform/PageProperties.h"

#include <QDateTime>
#include <QLocale>

QString protocolDescription(const QString& scheme) {
    const QString lower = scheme.toLower();
    if (lower == QLatin1String("http"))
        return QStringLiteral("超文本传输协议 (HTTP)");
    if (lower == QLatin1String("https"))
        return QStringLiteral("安全超文本传输协议 (HTTPS)");
    if (lower == QLatin1String("file"))
        return QStringLiteral("文件协议 (file)");
    if (lower == QLatin1String("ftp"))
        return QStringLiteral("文件传输协议 (FTP)");
    return scheme.isEmpty() ? QString() : scheme.toUpper();
}

QString sizeDescription(qint64 bytes) {
    if (bytes < 0)
        return QString();
    return QLocale(QLocale::English).toString(bytes) + QStringLiteral(" 字节");
}

QString modifiedDescription(const QString& documentLastModified) {
    const QDateTime when =
        QDateTime::fromString(documentLastModified, QStringLiteral("MM/dd/yyyy HH:mm:ss"));
    return when.isValid() ? when.toString(QStringLiteral("yyyy年M月d日 HH:mm:ss"))
                          : documentLastModified;
}
