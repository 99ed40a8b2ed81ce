#include "platform/SingleInstance.h"

#include "platform/XdgPaths.h"

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
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr char kAccepted = 'K';

// A folder of the user's own that nobody else may enter; false when it cannot be had.
bool privateFolder(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    ::mkdir(native.constData(), 0700);
    struct stat info {};
    if (::lstat(native.constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::getuid())
        return false;
    return (info.st_mode & 0777) == 0700 || ::chmod(native.constData(), 0700) == 0;
}
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
    return folder + QStringLiteral("/browser.sock");
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
    QDir().mkpath(QFileInfo(m_lock->fileName()).absolutePath());
    while (true) {
        switch (handOver(address, int(deadline.remainingTime()))) {
        case HandOver::Done:
            return Role::HandedOver;
        case HandOver::NoAnswer:
            return Role::NotAnswering;
        case HandOver::NoServer:
            break;
        }
        if (m_lock->tryLock(0)) {
            listen(); // without the socket this process still runs, alone
            return Role::First;
        }
        // The lock's process lives: it is starting and will listen soon, or it is stuck.
        if (deadline.hasExpired())
            return Role::NotAnswering;
        QThread::msleep(50);
    }
}

SingleInstance::HandOver SingleInstance::handOver(const QString& address, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(qMax(timeoutMs, 0)))
        return HandOver::NoServer;
    socket.write(
        encodeRequest({QDateTime::currentMSecsSinceEpoch() + qMax(timeoutMs, 0), address}));
    const QDeadlineTimer deadline(qMax(timeoutMs, 0));
    while (socket.bytesAvailable() < 1) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return HandOver::NoAnswer;
    }
    return socket.read(1).at(0) == kAccepted ? HandOver::Done : HandOver::NoAnswer;
}

bool SingleInstance::listen() {
    if (!privateFolder(QFileInfo(m_socketPath).absolutePath()))
        return false;
    // A socket here belongs to a process that is gone: this process holds the lock.
    QLocalServer::removeServer(m_socketPath);
    m_server = new QLocalServer(this);
    if (!m_server->listen(m_socketPath))
        return false;
    ::chmod(QFile::encodeName(m_socketPath).constData(), 0600);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = m_server->nextPendingConnection())
            serve(client);
    });
    return true;
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
