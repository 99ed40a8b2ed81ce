#include "platform/RegFileStore.h"

#include "platform/RegFileParser.h"
#include "platform/XdgPaths.h"

#include <QFile>
#include <QFileInfo>

RegFileStore::RegFileStore(QHash<quint32, QString> filesByRoot)
    : m_files(std::move(filesByRoot)) {}

std::unique_ptr<RegFileStore> RegFileStore::fromXdgFolders() {
    QHash<quint32, QString> files;
    files.insert(RegRoot::CurrentUser,
                 xdg::appFolder(xdg::configHome()) + QStringLiteral("/user.reg"));
    files.insert(RegRoot::LocalMachine,
                 xdg::appFolder(xdg::firstConfigDir()) + QStringLiteral("/system.reg"));
    return std::make_unique<RegFileStore>(std::move(files));
}

RegQuery RegFileStore::query(quint32 root, const QString& keyPath, const QString& valueName) const {
    RegQuery result;
    const QString path = m_files.value(root);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return result;

    QFile file(path);
    if (!QFileInfo(path).isFile() || file.size() > kMaxFileSize ||
        !file.open(QIODevice::ReadOnly)) {
        result.status = RegQuery::NotAccessible;
        return result;
    }
    const RegFileContents contents = parseRegFile(file.readAll());
    const RegFileContents::Values* values = contents.key(root, keyPath);
    if (!values)
        return result;
    const auto it = values->constFind(valueName.toLower());
    if (it == values->constEnd())
        return result;
    result.status = RegQuery::Present;
    result.value = *it;
    return result;
}
