#pragma once

// What the fuzz targets for addresses, file names and command lines ask of one input.
#include "browser/StartAddress.h"
#include "platform/AddressText.h"
#include "platform/FileNames.h"
#include "platform/GbkText.h"
#include "platform/IniText.h"
#include "platform/SingleInstance.h"

#include <QUrl>

#include <unicode/uspoof.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

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
// The same for a name a server gives a download, within fewer bytes.
inline bool checkFileName(const QByteArray& bytes) {
    const QString text = QString::fromUtf8(bytes);
    constexpr qsizetype kFewer = 230;
    for (const auto& [name, most] :
         {std::pair(fileNameFromTitle(text, QStringLiteral("网页")), kMaxNameBytes),
          std::pair(downloadedFileName(text, QStringLiteral("下载"), kFewer), kFewer)}) {
        for (const QChar c : name) {
            if (QStringLiteral("\\/:*?\"<>|").contains(c) || c.unicode() < 0x20)
                return false;
        }
        if (name.isEmpty() || name.toUtf8().size() > most ||
            QString::fromUtf8(name.toUtf8()) != name || name.startsWith(QLatin1Char('.')) ||
            name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
            return false;
    }
    return true;
}

// Arguments a desktop or a person may pass (NUL-separated), and the same bytes as a request
// handed over by a second start: never a crash, and a request reads back as it was sent.
inline bool checkCommandLine(const QByteArray& bytes) {
    QList<QByteArray> arguments = bytes.split('\0');
    arguments.prepend("tarnvale");
    const QString address = startAddress(
        arguments, [](const std::filesystem::path&) { return QStringLiteral("http://s/"); });
    (void)isWebAddress(address);
    const auto request = SingleInstance::decodeRequest(bytes);
    if (!request)
        return true;
    const auto again = SingleInstance::decodeRequest(SingleInstance::encodeRequest(*request));
    return again && again->address == request->address && again->answerBy == request->answerBy;
}

namespace fuzz {
inline bool ascii(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// Judged apart from shownHost: Qt's script data, and a skeleton from a checker of our own.
inline bool mayShowInUnicode(const QString& label) {
    bool latin = false;
    bool lookalikeScript = false;
    for (const uint c : label.toUcs4()) {
        const QChar::Script script = QChar::script(c);
        latin = latin || script == QChar::Script_Latin;
        lookalikeScript = lookalikeScript || script == QChar::Script_Cyrillic ||
                          script == QChar::Script_Greek || script == QChar::Script_Armenian;
    }
    static const std::unique_ptr<USpoofChecker, void (*)(USpoofChecker*)> checker = [] {
        UErrorCode status = U_ZERO_ERROR;
        return std::unique_ptr<USpoofChecker, void (*)(USpoofChecker*)>(uspoof_open(&status),
                                                                        uspoof_close);
    }();
    const auto* text = reinterpret_cast<const UChar*>(label.utf16());
    UErrorCode status = U_ZERO_ERROR;
    std::u16string skeleton(
        uspoof_getSkeleton(checker.get(), 0, text, int32_t(label.size()), nullptr, 0, &status),
        u'\0');
    status = U_ZERO_ERROR;
    uspoof_getSkeleton(checker.get(), 0, text, int32_t(label.size()),
                       reinterpret_cast<UChar*>(skeleton.data()), int32_t(skeleton.size()),
                       &status);
    const bool looksAscii = U_FAILURE(status) || std::all_of(skeleton.begin(), skeleton.end(),
                                                             [](char16_t c) { return c < 0x80; });
    return !(latin && lookalikeScript) && !looksAscii;
}

// Each label shows as it came, or as the Unicode name that its xn-- form encodes, and then
// only when it can pass for no ASCII name.
inline bool labelsShowTruly(const QString& aceHost) {
    const QStringList in = aceHost.split(QLatin1Char('.'));
    const QStringList out = shownHost(aceHost).split(QLatin1Char('.'));
    if (in.size() != out.size())
        return false;
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (out[i] == in[i])
            continue;
        const QString back = QString::fromLatin1(QUrl::toAce(out[i]));
        if (ascii(out[i]) || back.compare(in[i], Qt::CaseInsensitive) != 0 ||
            !mayShowInUnicode(out[i]))
            return false;
    }
    return true;
}
} // namespace fuzz

// Any host as a page or a person writes it, after "http://": every label tells the truth
// about the host, and the address box shows the same host without a user name.
inline bool checkShownHost(const QByteArray& bytes) {
    const QString typed = QString::fromUtf8(bytes);
    if (fuzz::ascii(typed) && !fuzz::labelsShowTruly(typed)) // handed over as it is
        return false;
    const QUrl url(QStringLiteral("http://") + typed);
    const QString ace = url.host(QUrl::FullyEncoded);
    if (!url.isValid() || ace.isEmpty())
        return true;
    const QUrl shown(shownAddress(url.toString()));
    return fuzz::labelsShowTruly(ace) && shown.userInfo().isEmpty() &&
           shown.host(QUrl::FullyEncoded) == ace;
}
