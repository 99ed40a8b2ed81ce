#include "tests/support/LoopbackHttpServer.h"

#include <QFile>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpSocket>

LoopbackHttpServer::LoopbackHttpServer(QObject* parent, bool tls)
    : QObject(parent)
    , m_tls(tls) {
    if (tls) {
        auto* server = new QSslServer;
        QSslConfiguration config = QSslConfiguration::defaultConfiguration();
        QFile certificate(QStringLiteral(TARNVALE_TEST_DATA "/tls/loopback.crt"));
        QFile key(QStringLiteral(TARNVALE_TEST_DATA "/tls/loopback.key"));
        if (certificate.open(QIODevice::ReadOnly) && key.open(QIODevice::ReadOnly)) {
            config.setLocalCertificate(QSslCertificate(certificate.readAll()));
            config.setPrivateKey(QSslKey(key.readAll(), QSsl::Rsa));
        }
        server->setSslConfiguration(config);
        m_server.reset(server);
    } else {
        m_server = std::make_unique<QTcpServer>();
    }
    // Emitted once a connection is ready to use (for TLS: after the handshake).
    connect(m_server.get(), &QTcpServer::pendingConnectionAvailable, this, [this] {
        while (QTcpSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

bool LoopbackHttpServer::start() {
    return m_server->listen(QHostAddress::LocalHost, 0);
}

QUrl LoopbackHttpServer::url(const QString& pathAndQuery) const {
    return QUrl(QStringLiteral("%1://127.0.0.1:%2%3")
                    .arg(m_tls ? QStringLiteral("https") : QStringLiteral("http"))
                    .arg(m_server->serverPort())
                    .arg(pathAndQuery));
}

void LoopbackHttpServer::route(const QString& path, const Response& response) {
    m_routes.insert(path, response);
}

void LoopbackHttpServer::page(const QString& path, const QByteArray& html) {
    Response response;
    response.body = html;
    route(path, response);
}

void LoopbackHttpServer::handle(const QString& path, Handler handler) {
    m_handlers.insert(path, std::move(handler));
}

void LoopbackHttpServer::serve(QTcpSocket* socket) {
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    const qsizetype headersEnd = request.indexOf("\r\n\r\n");
    if (headersEnd < 0)
        return;
    // A form's data too: closing with it unread would reset the connection under the reply.
    const QByteArray lower = request.left(headersEnd).toLower();
    const qsizetype length = lower.indexOf("\r\ncontent-length:");
    if (length >= 0) {
        const qsizetype end = lower.indexOf("\r\n", length + 2);
        const qsizetype bodySize =
            lower.mid(length + 17, end < 0 ? -1 : end - length - 17).trimmed().toLongLong();
        if (request.size() < headersEnd + 4 + bodySize)
            return;
    }
    const QList<QByteArray> requestLine = request.left(request.indexOf("\r\n")).split(' ');
    const QString target = requestLine.size() > 1 ? QString::fromLatin1(requestLine[1]) : QString();
    const QString path = target.section(QLatin1Char('?'), 0, 0);
    m_hits[path] += 1;

    Response response;
    if (m_handlers.contains(path))
        response = m_handlers.value(path)(request);
    else if (m_routes.contains(target))
        response = m_routes.value(target);
    else if (m_routes.contains(path))
        response = m_routes.value(path);
    else
        response = Response{404, "text/plain", "not found", {}};

    QByteArray reply = "HTTP/1.0 " + QByteArray::number(response.status) + " X\r\n";
    reply += "Content-Type: " + response.contentType + "\r\n";
    reply += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    for (const auto& [name, value] : response.headers)
        reply += name + ": " + value + "\r\n";
    reply += "Connection: close\r\n\r\n";
    socket->write(reply + response.body);
    socket->disconnectFromHost();
}
