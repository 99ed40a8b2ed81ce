#pragma once

// What each fuzz target asks of one input; every run starts from the saved inputs that once
// failed. Each returns false when an expectation does not hold (a crash is a crash).
#include "platform/IniText.h"
#include "platform/RegFileParser.h"
#include "platform/StyleSheetSkinEngine.h"

#include <QStringDecoder>

inline bool checkRegFile(const QByteArray& bytes) {
    const RegFileContents contents = parseRegFile(bytes);
    for (const quint32 root : {RegRoot::CurrentUser, RegRoot::LocalMachine}) {
        if (const auto* values =
                contents.key(root, QStringLiteral("SOFTWARE\\Microsoft\\Internet Explorer\\Main")))
            (void)values->value(QStringLiteral("start page")).data.size();
    }
    return true;
}

// Whatever the file held, the value written is the value read back.
inline bool checkProfileFile(const QByteArray& content) {
    const QString section = QStringLiteral("InternetShortcut");
    const QString key = QStringLiteral("URL");
    if (const auto value = ini::findValue(content, section, key))
        (void)ini::cutValue(*value, 2047, ini::hasUtf8Bom(content));
    const QString url = QStringLiteral("http://fuzz.example/\u4E2D");
    const QByteArray written = ini::withValue(content, section, key, url);
    const auto back = ini::findValue(written, section, key);
    return back && ini::decode(*back, ini::hasUtf8Bom(written)) == url;
}

inline bool checkSkinFile(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    (void)StyleSheetSkinEngine::looksLikeStyleSheet(utf8.decode(bytes));
    return true;
}
