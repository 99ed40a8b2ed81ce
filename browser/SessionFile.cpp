#include "browser/SessionFile.h"

#include "platform/PrivateFiles.h"
#include "platform/UrlHistory.h"
#include "platform/XdgPaths.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QUrl>
#include <cmath>

namespace {
constexpr int kVersion = 1;

// Read as the engine reads the list, not as an address box reads typing ("javascript:1" is
// no host and port here).
bool isKeptUrl(const QString& url) {
    return url.size() <= sessionFile::kMaxUrlLength && QUrl(url).isValid() &&
           (url == QLatin1String("about:blank") || isRecordableUrl(url));
}

QString sha256(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

// A JSON number that is a whole index below the count.
std::optional<int> indexBelow(const QJsonValue& value, qsizetype count) {
    const double number = value.toDouble(-1);
    if (number < 0 || number >= double(count) || std::floor(number) != number)
        return std::nullopt;
    return int(number);
}

// The view state, if it is intact; one of another Qt version is no damage, but left out.
bool decodeViewState(const QJsonValue& value, QByteArray* state) {
    if (value.isUndefined())
        return true;
    const auto bytes =
        QByteArray::fromBase64Encoding(value[QLatin1String("bytes")].toString().toLatin1(),
                                       QByteArray::AbortOnBase64DecodingErrors);
    if (!bytes || bytes.decoded.size() > sessionFile::kMaxViewState ||
        sha256(bytes.decoded) != value[QLatin1String("sha256")].toString())
        return false;
    if (value[QLatin1String("qt")].toString() == QLatin1String(qVersion()))
        *state = bytes.decoded;
    return true;
}

std::optional<PageHistory> decodeWindow(const QJsonValue& value, QString* problem) {
    const QJsonArray urls = value[QLatin1String("urls")].toArray();
    PageHistory history;
    for (const QJsonValue& url : urls) {
        if (!url.isString() || !isKeptUrl(url.toString())) {
            *problem = QStringLiteral("无效的地址");
            return std::nullopt;
        }
        history.urls << url.toString();
    }
    const auto current = indexBelow(value[QLatin1String("current")], urls.size());
    if (urls.size() > sessionFile::kMaxEntries || !current) {
        *problem = QStringLiteral("无效的当前项，或历史超过 %1 项").arg(sessionFile::kMaxEntries);
        return std::nullopt;
    }
    history.current = *current;
    if (!decodeViewState(value[QLatin1String("state")], &history.viewState)) {
        *problem = QStringLiteral("页面状态已损坏");
        return std::nullopt;
    }
    return history;
}
} // namespace

namespace sessionFile {

QString defaultPath() {
    return xdg::appFolder(xdg::dataHome()) + QStringLiteral("/session.json");
}

PageHistory keptHistory(const PageHistory& history) {
    PageHistory kept;
    for (qsizetype i = 0; i < history.urls.size(); ++i) {
        if (!isKeptUrl(history.urls.at(i)))
            continue;
        if (i <= history.current)
            kept.current = int(kept.urls.size());
        kept.urls << history.urls.at(i);
    }
    if (kept.urls.isEmpty())
        return {};
    kept.current = qMax(kept.current, 0);
    // A long list keeps the entries nearest the current one, those before it first.
    if (kept.urls.size() > kMaxEntries) {
        const qsizetype first = qMax(qsizetype(0), kept.current - kMaxEntries + 1);
        kept.urls = kept.urls.mid(first, kMaxEntries);
        kept.current -= int(first);
    }
    if (history.viewState.size() <= kMaxViewState)
        kept.viewState = history.viewState;
    return kept;
}

QByteArray encode(const QList<PageHistory>& windows) {
    QJsonArray list;
    qsizetype states = 0;
    for (const PageHistory& window : windows.mid(0, kMaxWindows)) {
        QJsonObject object{{QStringLiteral("current"), window.current},
                           {QStringLiteral("urls"), QJsonArray::fromStringList(window.urls)}};
        // Past the budget a window opens its current page alone, as one of another Qt does.
        if (!window.viewState.isEmpty() && states + window.viewState.size() <= kMaxViewStates) {
            states += window.viewState.size();
            object.insert(QStringLiteral("state"),
                          QJsonObject{{QStringLiteral("qt"), QLatin1String(qVersion())},
                                      {QStringLiteral("sha256"), sha256(window.viewState)},
                                      {QStringLiteral("bytes"),
                                       QString::fromLatin1(window.viewState.toBase64())}});
        }
        list.append(object);
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("version"), kVersion},
                                     {QStringLiteral("windows"), list}})
        .toJson(QJsonDocument::Compact);
}

std::optional<QList<PageHistory>> decode(const QByteArray& bytes, QString* problem) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    const QJsonValue windows = document[QLatin1String("windows")];
    if (error.error != QJsonParseError::NoError ||
        document[QLatin1String("version")].toInt(-1) != kVersion || !windows.isArray() ||
        windows.toArray().size() > kMaxWindows) {
        *problem = QStringLiteral("不是会话文件，或超过 %1 个窗口").arg(kMaxWindows);
        return std::nullopt;
    }
    QList<PageHistory> result;
    for (const QJsonValue& window : windows.toArray()) {
        const auto history = decodeWindow(window, problem);
        if (!history)
            return std::nullopt;
        result.append(*history);
    }
    return result;
}

std::optional<QList<PageHistory>> read(const QString& path, QString* problem) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return QList<PageHistory>();
    QFile file(path);
    // Anything but a plain file (a FIFO would block the start) is no session.
    if (!info.isFile() || info.size() > kMaxFileBytes || !file.open(QIODevice::ReadOnly)) {
        *problem = QStringLiteral("不能读取，或不是普通文件，或超过 %1 字节").arg(kMaxFileBytes);
        return std::nullopt;
    }
    return decode(file.read(kMaxFileBytes), problem);
}

bool write(const QString& path, const QByteArray& bytes) {
    if (!makePrivateFolder(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    // The replacement is private from its first byte; a new file would get the umask's mode.
    return file.open(QIODevice::WriteOnly) &&
           file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) &&
           file.write(bytes) == bytes.size() && file.commit();
}

} // namespace sessionFile
