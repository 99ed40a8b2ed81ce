#pragma once

#include <QString>

// What the properties dialog shows of a page; empty fields are not known.
struct PageProperties {
    QString title;
    QString address;
    QString protocol;
    QString type;
    QString size;
    QString modified;
};

// "超文本传输协议 (HTTP)" and the like, for an address's scheme.
QString protocolDescription(const QString& scheme);
// "12,345 字节"; empty for a negative or unknown size.
QString sizeDescription(qint64 bytes);
// The page's last change as a Chinese reader writes a date ("2026年12月7日 17:58:23"), from the
// document's own "MM/DD/YYYY hh:mm:ss"; anything else is shown as it came.
QString modifiedDescription(const QString& documentLastModified);
