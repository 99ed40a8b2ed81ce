#include "platform/ChineseLocale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool useChineseEverywhere() {
    const QLocale chinese(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China);
    // The engine takes its language from the default locale when it starts ("zh"), or from
    // --lang among its flags: zh-CN names the Simplified Chinese texts exactly.
    QLocale::setDefault(chinese);
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--lang="))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --lang=zh-CN").trimmed());
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool complete = true;
    for (const char* catalogue : {"qtbase", "qtwebengine"}) {
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(chinese, QString::fromLatin1(catalogue), QStringLiteral("_"), folder))
            QCoreApplication::installTranslator(translator);
        else {
            delete translator;
            complete = false;
        }
    }
    return complete;
}
