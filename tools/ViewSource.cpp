#include "tools/ViewSource.h"

#include "platform/GbkText.h"
#include "platform/MessageBoxes.h"
#include "platform/PageView.h"
#include "platform/PrivateFiles.h"
#include "platform/ProcessLauncher.h"
#include "platform/ProgramFolder.h"
#include "platform/XdgPaths.h"
#include "tools/ExternalTools.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QWidget>

namespace {
bool writeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // A page's source may hold what only this person may see (mail, accounts).
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    file.write(bytes);
    return file.commit();
}
} // namespace

QString fallbackPageSourcePath() {
    return xdg::appFolder(xdg::cacheHome()) + QStringLiteral("/KQCode.txt");
}

namespace {
// GBK, with every character GBK cannot hold (Arabic, Hebrew, emoji...) written as a character
// reference, as markup may: the editor shows "&#x5E9;" rather than a "?" for what was there.
QByteArray gbkMarkup(const QString& markup) {
    if (gbkCanHold(markup))
        return toGbk(markup);
    QString kept;
    kept.reserve(markup.size());
    QHash<char32_t, bool> holds; // a page repeats its few thousand characters
    for (const char32_t c : QStringView(markup).toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        auto found = holds.constFind(c);
        if (found == holds.constEnd())
            found = holds.insert(c, c < 0x80 || gbkCanHold(one));
        kept += *found ? one : QStringLiteral("&#x%1;").arg(QString::number(uint(c), 16).toUpper());
    }
    return toGbk(kept);
}
} // namespace

QString WritePageSource(const QString& markup) {
    const QByteArray bytes = gbkMarkup(markup) + "\r\n";
    const QString primary = programFolderFile(QStringLiteral("KQCode.txt"));
    if (writeFile(primary, bytes))
        return primary;
    // Opening the old file here would show an earlier page's source as this one's.
    const QString fallback = fallbackPageSourcePath();
    makePrivateFolder(QFileInfo(fallback).absolutePath());
    if (writeFile(fallback, bytes))
        return fallback;
    return QString();
}

void ShowPageSource(PageView& view, ProcessLauncher& launcher, MessageBoxes& boxes,
                    QObject* context) {
    view.DocumentMarkup(context, [&launcher, &boxes,
                                  context](const std::optional<QString>& markup) {
        const QString path = WritePageSource(markup.value_or(QString()));
        if (path.isEmpty() ||
            launcher.startStandIn(ProcessLauncher::StandIn::TextEditor, {path}, programFolder()))
            return;
        boxes.inform(qobject_cast<QWidget*>(context), QStringLiteral("提示"),
                     MissingProgramText(ProcessLauncher::StandIn::TextEditor) +
                         QStringLiteral("\n网页源文件已保存在：") + path,
                     MessageBoxes::Icon::Information);
    });
}
