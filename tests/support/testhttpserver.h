#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSslCertificate>
#include <QSslKey>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>

class QTcpServer;
class QTcpSocket;

// A small HTTP/1.1 server on 127.0.0.1 for the transfer tests: it answers
// each path with a fixture body and a status, or misbehaves on purpose
// (closes the connection, never answers, sends far more than any page,
// trickles its answer, redirects elsewhere).
// Runs on the test's own thread; the transfer's event loop serves it.
class TestHttpServer : public QObject
{
    Q_OBJECT

public:
    enum class Behaviour
    {
        Answer, // status line, headers, body
        Close, // reads the request and closes the connection
        Stall, // reads the request and never answers
        Trickle, // answers, then sends one body byte per trickleMs, forever
    };

    struct Route
    {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "text/html";
        Behaviour behaviour = Behaviour::Answer;
        // A generated body of this many bytes instead of body.
        qint64 generatedBytes = 0;
        // Without a Content-Length the body runs until the connection closes.
        bool declareLength = true;
        // The generated body in chunked transfer encoding (no Content-Length).
        bool chunked = false;
        // Sent as the Location header (give a 3xx status with it).
        QByteArray location;
        int trickleMs = 100;
        // More header lines, each ending in CRLF ("Set-Cookie: a=b\r\n").
        QByteArray headers;
    };

    explicit TestHttpServer(QObject *parent = nullptr);
    ~TestHttpServer() override;

    bool listen();
    // HTTPS with the given certificate and key.
    bool listenTls(const QSslCertificate &certificate, const QSslKey &key);
    // HTTPS with a certificate for 127.0.0.1 that openssl makes in workDir
    // now, signed by nobody this machine trusts. False with the reason when
    // there is no TLS backend or no openssl.
    bool listenTlsSelfSigned(const QString &workDir, QString *whyNot);

    // http://127.0.0.1:PORT or https://...
    QUrl baseUrl() const;

    // Answers for a path (query ignored). Unknown paths get 404.
    void setRoute(const QString &path, const Route &route);
    void setPage(const QString &path, const QByteArray &body, int status = 200);
    // Answers for a path made per request from its target (path and query),
    // for services that answer by query.
    using Handler = std::function<Route(const QUrl &target)>;
    void setHandler(const QString &path, Handler handler);
    void clearRoutes();

    // Every request target (path and query) in order of arrival.
    QStringList requests() const { return m_requests; }
    int requestsFor(const QString &path) const;
    // The request line and headers of every request, in order of arrival.
    QList<QByteArray> requestHeads() const { return m_heads; }
    QByteArray lastRequestHead() const { return m_heads.isEmpty() ? QByteArray() : m_heads.last(); }

    static QByteArray readFixture(const QString &relativePath);

private:
    void accept();
    void readRequest(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const Route &route);

    std::unique_ptr<QTcpServer> m_server;
    bool m_tls = false;
    QHash<QString, Route> m_routes;
    QHash<QString, Handler> m_handlers;
    QHash<QTcpSocket *, QByteArray> m_pending;
    QStringList m_requests;
    QList<QByteArray> m_heads;
};

Q_DECLARE_METATYPE(TestHttpServer::Route)
