#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QDeadlineTimer;
class QLocalServer;
class QLocalSocket;
class QLockFile;

// One browser process per user and profile. A second start hands its address to the running
// process over a local socket only the user can reach (folder 0700, socket 0600, its listener
// checked to be the user), and a lock file on the profile keeps two page engines off the same
// cookies, cache and history.
class SingleInstance final : public QObject {
    Q_OBJECT
public:
    enum class Role {
        First,       // this process runs the browser: it holds the lock and listens, unless
                     // problem() says otherwise
        HandedOver,  // the running process took the address
        NotAnswering // a process runs but did not answer in time
    };

    SingleInstance(const QString& socketPath, const QString& lockPath, QObject* parent = nullptr);
    ~SingleInstance() override;
    Q_DISABLE_COPY_MOVE(SingleInstance)

    // $XDG_RUNTIME_DIR/tarnvale/browser-HASH.sock, else $XDG_CACHE_HOME/tarnvale/run/...; HASH
    // (16 hex digits) names the data folder, so each profile has a browser of its own.
    static QString defaultSocketPath();
    // $XDG_DATA_HOME/tarnvale/engine.lock, beside the engine's profile.
    static QString defaultLockPath();

    // Hands the address (empty: a new window on the start page) to the running process, or
    // becomes it. A socket left by a process that is gone is replaced. A lock that cannot be
    // made or read for any reason but a live holder does not stop the browser: it runs without
    // it.
    Role start(const QString& address, int timeoutMs = 5000);

    // Why the browser runs without the lock or without its socket, for the error log; empty
    // when it has both (or is no Role::First).
    QString problem() const { return m_problems.join(QStringLiteral("；")); }

    // Called as the event loop ends: later starts then wait for the lock instead of handing
    // their address to a process that will never open it.
    void stopListening();

    // One hand-over on the wire: the time it must be answered by (milliseconds since the
    // epoch, 8 bytes), then the address in UTF-8 after its length (4 bytes); big-endian.
    struct Request {
        qint64 answerBy = 0;
        QString address;
    };
    static QByteArray encodeRequest(const Request& request);
    // A complete request; nothing while incomplete or when it is no request.
    static std::optional<Request> decodeRequest(const QByteArray& bytes);
    static constexpr qsizetype kHeaderSize = 12;
    static constexpr qsizetype kMaxRequest = 1024 * 1024;

Q_SIGNALS:
    // Another start handed this address over (empty: the start page).
    void addressReceived(const QString& address);

private:
    enum class HandOver { Done, TryLock, NoAnswer };
    HandOver handOver(const QString& address, const QDeadlineTimer& deadline);
    bool takeLock();
    bool listen();
    void serve(QLocalSocket* client);

    QString m_socketPath;
    QStringList m_problems;
    std::unique_ptr<QLockFile> m_lock;
    QElapsedTimer m_lockUnread; // since the lock file was first found naming no process
    QLocalServer* m_server = nullptr;
};
