#include "platform/SingleInstance.h"

#include "platform/PrivateFiles.h"
#include "platform/XdgPaths.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>
#include <QTimer>
#include <QtEndian>
#include <cerrno>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr char kAccepted = 'K';

// The socket's folder, made with its parents. One of the user's own that others may enter
// (made by hand) is closed to them rather than given up.
bool socketFolder(const QString& path) {
    if (!makePrivateFolder(path))
        return false;
    if (isPrivateFolder(path))
        return true;
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    return ::lstat(native.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::getuid() && ::chmod(native.constData(), 0700) == 0;
}

// A socket in the user's own folder can still be another user's: root can put one there.
bool peerIsThisUser(const QLocalSocket& socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    const int fd = int(socket.socketDescriptor());
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::getuid();
}

// The folder with links resolved as far as it exists, so that two spellings of one data folder
// get one socket, as they get one lock.
QString resolvedFolder(const QString& path) {
    QString head = QDir::cleanPath(path);
    QString tail;
    while (true) {
        const QString canonical = QFileInfo(head).canonicalFilePath();
        if (!canonical.isEmpty())
            return canonical + tail;
        const qsizetype slash = head.lastIndexOf(QLatin1Char('/'));
        if (slash <= 0)
            return QDir::cleanPath(path);
        tail.prepend(head.mid(slash));
        head.truncate(slash);
    }
}

int remaining(const QDeadlineTimer& deadline) {
    return int(qMax<qint64>(deadline.remainingTime(), 0));
}
// Far longer than a start takes between making its lock file and writing its own PID in it.
constexpr qint64 kUnreadLockGraceMs = 250;
} // namespace

SingleInstance::SingleInstance(const QString& socketPath, const QString& lockPath, QObject* parent)
    : QObject(parent)
    , m_socketPath(socketPath)
    , m_lock(std::make_unique<QLockFile>(lockPath)) {
    // Only a lock whose process is gone is stale, however long the browser has run.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultSocketPath() {
    const QString runtime = xdg::runtimeDir();
    const QString folder = runtime.isEmpty()
                               ? xdg::appFolder(xdg::cacheHome()) + QStringLiteral("/run")
                               : xdg::appFolder(runtime);
    // A hash keeps the name short whatever the data folder is: a socket path holds 107 bytes.
    const QByteArray profile = QFile::encodeName(resolvedFolder(xdg::appFolder(xdg::dataHome())));
    const QByteArray hash = QCryptographicHash::hash(profile, QCryptographicHash::Sha256).toHex();
    return folder + QStringLiteral("/browser-%1.sock").arg(QString::fromLatin1(hash.left(16)));
}

QString SingleInstance::defaultLockPath() {
    return xdg::appFolder(xdg::dataHome()) + QStringLiteral("/engine.lock");
}

QByteArray SingleInstance::encodeRequest(const Request& request) {
    QByteArray text = request.address.toUtf8();
    if (text.size() > kMaxRequest) // never half a character
        text = request.address.left(kMaxRequest / 4).toUtf8();
    QByteArray bytes(kHeaderSize, '\0');
    qToBigEndian(request.answerBy, bytes.data());
    qToBigEndian(quint32(text.size()), bytes.data() + 8);
    return bytes + text;
}

std::optional<SingleInstance::Request> SingleInstance::decodeRequest(const QByteArray& bytes) {
    if (bytes.size() < kHeaderSize)
        return std::nullopt;
    const quint32 length = qFromBigEndian<quint32>(bytes.constData() + 8);
    if (length > quint32(kMaxRequest) || bytes.size() != qsizetype(length) + kHeaderSize)
        return std::nullopt;
    return Request{qFromBigEndian<qint64>(bytes.constData()),
                   QString::fromUtf8(bytes.constData() + kHeaderSize, qsizetype(length))};
}

SingleInstance::Role SingleInstance::start(const QString& address, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    m_problems.clear();
    m_lockUnread.invalidate();
    makePrivateFolder(QFileInfo(m_lock->fileName()).absolutePath()); // the profile's own folder
    while (true) {
        switch (handOver(address, deadline)) {
        case HandOver::Done:
            return Role::HandedOver;
        case HandOver::NoAnswer:
            return Role::NotAnswering;
        case HandOver::TryLock:
            break;
        }
        if (takeLock()) {
            listen(); // without the socket this process still runs, alone
            return Role::First;
        }
        // The lock's process lives: it is starting and will listen soon, it is ending and will
        // let the lock go, or it is stuck.
        if (deadline.hasExpired())
            return Role::NotAnswering;
        QThread::msleep(50);
    }
}

SingleInstance::HandOver SingleInstance::handOver(const QString& address,
                                                  const QDeadlineTimer& deadline) {
    // Where others can put a socket (a runtime folder every user may write to), whoever
    // listens would get every address.
    if (!isPrivateFolder(QFileInfo(m_socketPath).absolutePath()))
        return HandOver::TryLock;
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(remaining(deadline)) || !peerIsThisUser(socket))
        return HandOver::TryLock;
    socket.write(
        encodeRequest({QDateTime::currentMSecsSinceEpoch() + remaining(deadline), address}));
    while (socket.bytesAvailable() < 1) {
        // A browser that is ending lets go of the socket unanswered; its lock follows.
        if (socket.state() != QLocalSocket::ConnectedState)
            return HandOver::TryLock;
        if (deadline.hasExpired())
            return HandOver::NoAnswer;
        socket.waitForReadyRead(remaining(deadline));
    }
    return socket.read(1).at(0) == kAccepted ? HandOver::Done : HandOver::NoAnswer;
}

bool SingleInstance::takeLock() {
    if (m_lock->tryLock(0))
        return true;
    // Only a live holder means a browser runs; a full disk or a folder we may not write must
    // not keep the user from browsing.
    const auto withoutLock = [this](const QString& reason) {
        m_problems << QStringLiteral("不能锁定 %1（%2），浏览器不加锁启动")
                          .arg(QDir::toNativeSeparators(m_lock->fileName()), reason);
        return true;
    };
    if (m_lock->error() == QLockFile::LockFailedError) {
        // A lock naming this very process was left by a crash in another PID namespace (a
        // container's browser gets the same PID each time); QLockFile takes it for held.
        qint64 pid = 0;
        QString host, program;
        if (!m_lock->getLockInfo(&pid, &host, &program)) {
            // Another start may be writing it this instant; one that still names no process a
            // moment later is damaged or unreadable. Its holder's file lock, not its text, says
            // whether a browser lives: only a lock nobody holds is removed.
            if (!m_lockUnread.isValid())
                m_lockUnread.start();
            if (m_lockUnread.elapsed() < kUnreadLockGraceMs)
                return false;
            if (m_lock->removeStaleLockFile())
                return m_lock->tryLock(0); // false: another start took it meanwhile
            const QByteArray path = QFile::encodeName(m_lock->fileName());
            if (::access(path.constData(), R_OK | W_OK) == 0 || errno == ENOENT)
                return false; // held, or let go meanwhile
            return withoutLock(QStringLiteral("锁文件无法读取"));
        }
        m_lockUnread.invalidate();
        if (pid != QCoreApplication::applicationPid())
            return false;
        if (!m_lock->removeStaleLockFile())
            return withoutLock(QStringLiteral("过时的锁删不掉"));
        if (m_lock->tryLock(0))
            return true;
        if (m_lock->error() == QLockFile::LockFailedError)
            return false; // another start took it meanwhile
    }
    return withoutLock(m_lock->error() == QLockFile::PermissionError
                           ? QStringLiteral("没有权限")
                           : QStringLiteral("磁盘已满或文件夹不可用"));
}

bool SingleInstance::listen() {
    const QString folder = QFileInfo(m_socketPath).absolutePath();
    if (!socketFolder(folder)) {
        m_problems << QStringLiteral("%1 不是本用户专用的文件夹，第二次启动不能转交地址")
                          .arg(QDir::toNativeSeparators(folder));
        return false;
    }
    // A socket here belongs to a process that is gone: this process holds the lock.
    QLocalServer::removeServer(m_socketPath);
    m_server = new QLocalServer(this);
    if (!m_server->listen(m_socketPath)) {
        m_problems << QStringLiteral("不能在 %1 等候第二次启动（%2）")
                          .arg(QDir::toNativeSeparators(m_socketPath), m_server->errorString());
        return false;
    }
    ::chmod(QFile::encodeName(m_socketPath).constData(), 0600);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = m_server->nextPendingConnection())
            serve(client);
    });
    return true;
}

void SingleInstance::stopListening() {
    delete m_server; // closes the socket and removes its file; clients it took see them go
    m_server = nullptr;
}

void SingleInstance::serve(QLocalSocket* client) {
    connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    // A client that never finishes its request is let go.
    QTimer::singleShot(10000, client, &QLocalSocket::disconnectFromServer);
    connect(client, &QLocalSocket::readyRead, this, [this, client] {
        const QByteArray bytes = client->peek(client->bytesAvailable());
        if (bytes.size() > kMaxRequest + kHeaderSize ||
            (bytes.size() >= kHeaderSize &&
             qFromBigEndian<quint32>(bytes.constData() + 8) > kMaxRequest)) {
            client->disconnectFromServer(); // no request of ours
            return;
        }
        const auto request = decodeRequest(bytes);
        if (!request)
            return; // more to come
        client->readAll();
        // The other start has given up and told the user so (this process was stopped):
        // a window now would come out of nowhere.
        if (QDateTime::currentMSecsSinceEpoch() > request->answerBy) {
            client->disconnectFromServer();
            return;
        }
        client->write(QByteArray(1, kAccepted));
        client->flush();
        client->disconnectFromServer();
        Q_EMIT addressReceived(request->address);
    });
}
