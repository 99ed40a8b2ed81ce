#include "platform/RegFileStore.h"

#include "platform/RegFileParser.h"
#include "platform/XdgPaths.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace {
// What tells a changed file: size, modification and change times to the nanosecond, device
// and inode (a file replaced by a rename is another inode).
QByteArray stampOf(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return QByteArray();
    const qint64 fields[] = {qint64(info.st_size),         qint64(info.st_mtim.tv_sec),
                             qint64(info.st_mtim.tv_nsec), qint64(info.st_ctim.tv_sec),
                             qint64(info.st_ctim.tv_nsec), qint64(info.st_dev),
                             qint64(info.st_ino)};
    return QByteArray(reinterpret_cast<const char*>(fields), sizeof fields);
}
} // namespace

RegFileStore::RegFileStore(QHash<quint32, QString> filesByRoot)
    : m_files(std::move(filesByRoot)) {}

RegFileStore::~RegFileStore() = default;

std::unique_ptr<RegFileStore> RegFileStore::fromXdgFolders() {
    QHash<quint32, QString> files;
    files.insert(RegRoot::CurrentUser, userFilePath());
    files.insert(RegRoot::LocalMachine,
                 xdg::appFolder(xdg::firstConfigDir()) + QStringLiteral("/system.reg"));
    return std::make_unique<RegFileStore>(std::move(files));
}

QString RegFileStore::userFilePath() {
    return xdg::appFolder(xdg::configHome()) + QStringLiteral("/user.reg");
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
    Parsed& parsed = m_parsed[path];
    const QByteArray stamp = stampOf(file.handle());
    if (stamp.isEmpty() || stamp != parsed.stamp || !parsed.contents) {
        parsed.contents = std::make_shared<const RegFileContents>(parseRegFile(file.readAll()));
        parsed.stamp = stamp;
    }
    const RegFileContents::Values* values = parsed.contents->key(root, keyPath);
    if (!values)
        return result;
    const auto it = values->constFind(valueName.toLower());
    if (it == values->constEnd())
        return result;
    result.status = RegQuery::Present;
    result.value = *it;
    return result;
}
