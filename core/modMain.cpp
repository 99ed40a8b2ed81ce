#include "core/modMain.h"

#include "core/ErrorLog.h"
#include "core/modRegedit.h"
#include "platform/ProgramFolder.h"
#include "platform/RegistryStore.h"

#include <QDateTime>

QString gstrStartPage;
QString gstrTitleSuffix;
QString gstrSearchURL;

const QString kDefaultStartPage = QStringLiteral("http://www.baidu.com/");
const QString kBlankStartPage = QStringLiteral("About:Blank");
const QString kSearchTemplate =
    QStringLiteral("http://www.baidu.com/s?wd=<searchstring>&tn=mvrak_tp");
const QString kStartPageKey = QStringLiteral("SOFTWARE\\Microsoft\\Internet Explorer\\Main");
const QString kStartPageValue = QStringLiteral("Start Page");

namespace {
bool isUnusableStartPage(const QString& page) {
    // Exact and case-sensitive: "About:Blank" is a start page like any other.
    return page.isEmpty() || page == QLatin1String("about:blank");
}
} // namespace

QString ReadStartPage(const RegistryStore& registry, const QString& previous) {
    // A value the reader cannot render leaves the start page as the previous window left it.
    QString startPage = previous;
    if (const auto page =
            ReadRegValue(registry, RegRoot::CurrentUser, kStartPageKey, kStartPageValue))
        startPage = *page;
    if (isUnusableStartPage(startPage)) {
        if (const auto page =
                ReadRegValue(registry, RegRoot::LocalMachine, kStartPageKey, kStartPageValue))
            startPage = *page;
    }
    return isUnusableStartPage(startPage) ? kDefaultStartPage : startPage;
}

void InitSettings(const RegistryStore& registry) {
    gstrTitleSuffix = QStringLiteral(" - Tarnvale");
    gstrStartPage = ReadStartPage(registry, gstrStartPage);
    gstrSearchURL = kSearchTemplate;
}

void WriteErrorLog(const QString& strName, qint32 lngNumber, const QString& strDescription) {
    appendErrorLogEntry(programFolderFile(QStringLiteral("KQLog.txt")), strName, lngNumber,
                        strDescription, QDateTime::currentDateTime());
}
