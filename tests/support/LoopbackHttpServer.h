#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QTcpServer>
#include <QUrl>

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

    explicit LoopbackHttpServer(QObject* parent = nullptr);

    bool start();
    QUrl url(const QString& pathAndQuery) const;
    void route(const QString& path, const Response& response);
    void page(const QString& path, const QByteArray& html);
    int hits(const QString& path) const { return m_hits.value(path); }

private:
    void serve(QTcpSocket* socket);

    QTcpServer m_server;
    QHash<QString, Response> m_routes;
    QHash<QString, int> m_hits;
};
