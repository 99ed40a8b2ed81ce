#pragma once

// What the fuzz targets for addresses, file names and command lines ask of one input.
#include "browser/StartAddress.h"
#include "platform/AddressText.h"
#include "platform/FileNames.h"
#include "platform/GbkText.h"
#include "platform/IniText.h"
#include "platform/SingleInstance.h"

#include <QUrl>

// An address in any Unicode, written into a shortcut file, reads back as written: every
// character GBK cannot hold is escaped, and it still names the same page.
inline bool checkShortcutAddress(const QByteArray& bytes) {
    const QString address = QString::fromUtf8(bytes);
    const QString written = shortcutAddress(address);
    const QUrl url(address);
    if (!url.isValid() || url.isRelative())
        return true; // no address: only never a crash
    const QString section = QStringLiteral("InternetShortcut");
    const QString key = QStringLiteral("URL");
    const auto back =
        ini::findValue(ini::withValue(QByteArray(), section, key, written), section, key);
    return gbkCanHold(written) && back && ini::decode(*back, false) == written &&
           storedAddress(written) == storedAddress(address);
}

// Any page title gives a name that shows, fits on disk and names nothing but one file.
inline bool checkFileName(const QByteArray& bytes) {
    const QString name = fileNameFromTitle(QString::fromUtf8(bytes), QStringLiteral("网页"));
    for (const QChar c : name) {
        if (QStringLiteral("\\/:*?\"<>|").contains(c) || c.unicode() < 0x20)
            return false;
    }
    return !name.isEmpty() && name.toUtf8().size() <= kMaxNameBytes &&
           QString::fromUtf8(name.toUtf8()) == name && !name.startsWith(QLatin1Char('.')) &&
           !name.endsWith(QLatin1Char('.')) && !name.endsWith(QLatin1Char(' '));
}

// Arguments a desktop or a person may pass (NUL-separated), and the same bytes as a request
// handed over by a second start: never a crash, and a request reads back as it was sent.
inline bool checkCommandLine(const QByteArray& bytes) {
    QStringList arguments = QString::fromUtf8(bytes).split(QChar(0));
    arguments.prepend(QStringLiteral("tarnvale"));
    const QString address =
        startAddress(arguments, [](const QString&) { return QStringLiteral("http://s/"); });
    (void)isWebAddress(address);
    const auto request = SingleInstance::decodeRequest(bytes);
    if (!request)
        return true;
    const auto again = SingleInstance::decodeRequest(SingleInstance::encodeRequest(*request));
    return again && again->address == request->address && again->answerBy == request->answerBy;
}
