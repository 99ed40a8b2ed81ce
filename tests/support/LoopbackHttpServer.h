#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QTcpServer>
#include <QUrl>
#include <functional>
#include <memory>

// A small HTTP/1.0 server on 127.0.0.1 for tests: fixed responses by path, a count of the
// requests each path received. Unknown paths answer 404.
class LoopbackHttpServer final : public QObject {
    Q_OBJECT
public:
    struct Response {
        int status = 200;
        QByteArray contentType = "text/html; charset=utf-8";
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
    };
    // Answers from the whole request (request line and headers).
    using Handler = std::function<Response(const QByteArray& request)>;

    // With tls, it speaks HTTPS with the self-signed certificate of tests/data/tls.
    explicit LoopbackHttpServer(QObject* parent = nullptr, bool tls = false);

    bool start();
    QUrl url(const QString& pathAndQuery) const;
    void route(const QString& path, const Response& response);
    void page(const QString& path, const QByteArray& html);
    void handle(const QString& path, Handler handler);
    int hits(const QString& path) const { return m_hits.value(path); }

private:
    void serve(QTcpSocket* socket);

    std::unique_ptr<QTcpServer> m_server;
    bool m_tls = false;
    QHash<QString, Response> m_routes;
    QHash<QString, Handler> m_handlers;
    QHash<QString, int> m_hits;
};
