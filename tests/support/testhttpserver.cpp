#include "testhttpserver.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSslServer>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace
{
    constexpr qint64 kChunk = 256 * 1024;

    QByteArray reason(int status)
    {
        switch (status) {
        case 200: return "OK";
        case 301: return "Moved Permanently";
        case 302: return "Found";
        case 403: return "Forbidden";
        case 404: return "Not Found";
        case 406: return "Not Acceptable";
        case 500: return "Internal Server Error";
        default: return "Status";
        }
    }
}

TestHttpServer::TestHttpServer(QObject *parent)
    : QObject(parent)
{
}

TestHttpServer::~TestHttpServer()
{
    if (!m_server)
        return;
    m_server->close();
    // The open connections go with the server; they must not call back
    // into a server half destroyed.
    for (QTcpSocket *socket : m_server->findChildren<QTcpSocket *>())
        socket->disconnect(this);
    m_server.reset();
}

bool TestHttpServer::listen()
{
    m_server = std::make_unique<QTcpServer>();
    connect(m_server.get(), &QTcpServer::pendingConnectionAvailable, this, &TestHttpServer::accept);
    return m_server->listen(QHostAddress::LocalHost);
}

bool TestHttpServer::listenTls(const QSslCertificate &certificate, const QSslKey &key)
{
    auto server = std::make_unique<QSslServer>();
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificate(certificate);
    configuration.setPrivateKey(key);
    configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
    server->setSslConfiguration(configuration);
    m_server = std::move(server);
    m_tls = true;
    connect(m_server.get(), &QTcpServer::pendingConnectionAvailable, this, &TestHttpServer::accept);
    return m_server->listen(QHostAddress::LocalHost);
}

bool TestHttpServer::listenTlsSelfSigned(const QString &workDir, QString *whyNot)
{
    if (!QSslSocket::supportsSsl()) {
        *whyNot = QStringLiteral("no TLS backend");
        return false;
    }
    const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
    if (openssl.isEmpty()) {
        *whyNot = QStringLiteral("openssl is not installed (scripts/install-deps.sh installs it)");
        return false;
    }
    QProcess make;
    make.setWorkingDirectory(workDir);
    make.start(openssl, {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-keyout"), QStringLiteral("key.pem"), QStringLiteral("-out"), QStringLiteral("cert.pem"), QStringLiteral("-days"), QStringLiteral("1"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1")});
    if (!make.waitForFinished(60'000) || make.exitCode() != 0) {
        *whyNot = QStringLiteral("openssl failed: ") + QString::fromLocal8Bit(make.readAllStandardError());
        return false;
    }
    const auto certificates = QSslCertificate::fromPath(QDir(workDir).filePath(QStringLiteral("cert.pem")));
    QFile keyFile(QDir(workDir).filePath(QStringLiteral("key.pem")));
    if (certificates.size() != 1 || !keyFile.open(QIODevice::ReadOnly)) {
        *whyNot = QStringLiteral("openssl wrote no certificate");
        return false;
    }
    const QSslKey key(&keyFile, QSsl::Rsa);
    if (key.isNull()) {
        *whyNot = QStringLiteral("unreadable key");
        return false;
    }
    return listenTls(certificates.first(), key);
}

QUrl TestHttpServer::baseUrl() const
{
    QUrl url;
    url.setScheme(m_tls ? QStringLiteral("https") : QStringLiteral("http"));
    url.setHost(QStringLiteral("127.0.0.1"));
    url.setPort(m_server ? m_server->serverPort() : 0);
    return url;
}

void TestHttpServer::setRoute(const QString &path, const Route &route)
{
    m_routes.insert(path, route);
}

void TestHttpServer::setPage(const QString &path, const QByteArray &body, int status)
{
    Route route;
    route.body = body;
    route.status = status;
    setRoute(path, route);
}

void TestHttpServer::setHandler(const QString &path, Handler handler)
{
    m_handlers.insert(path, std::move(handler));
}

void TestHttpServer::clearRoutes()
{
    m_routes.clear();
    m_handlers.clear();
}

int TestHttpServer::requestsFor(const QString &path) const
{
    int count = 0;
    for (const QString &target : m_requests) {
        if (QUrl(target).path() == path)
            ++count;
    }
    return count;
}

QByteArray TestHttpServer::readFixture(const QString &relativePath)
{
    QFile file(QStringLiteral(QUORVALE_TEST_DATA "/") + relativePath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestHttpServer::accept()
{
    while (m_server->hasPendingConnections()) {
        QTcpSocket *socket = m_server->nextPendingConnection();
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_pending.remove(socket);
            socket->deleteLater();
        });
        if (socket->bytesAvailable() > 0)
            readRequest(socket);
    }
}

void TestHttpServer::readRequest(QTcpSocket *socket)
{
    QByteArray &buffer = m_pending[socket];
    buffer += socket->readAll();
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;
    const QList<QByteArray> requestLine = buffer.left(buffer.indexOf("\r\n")).split(' ');
    m_heads << buffer.left(headerEnd + 2);
    buffer.clear();
    const QString target = requestLine.size() >= 2 ? QString::fromLatin1(requestLine[1]) : QString();
    m_requests << target;
    const QString path = QUrl(target).path();
    Route notFound;
    notFound.status = 404;
    notFound.body = "not found";
    if (const auto handler = m_handlers.constFind(path); handler != m_handlers.constEnd()) {
        answer(socket, (*handler)(QUrl(target)));
        return;
    }
    answer(socket, m_routes.value(path, notFound));
}

void TestHttpServer::answer(QTcpSocket *socket, const Route &route)
{
    if (route.behaviour == Behaviour::Stall)
        return;
    if (route.behaviour == Behaviour::Close) {
        socket->disconnectFromHost();
        return;
    }
    const qint64 length = route.generatedBytes > 0 ? route.generatedBytes : route.body.size();
    QByteArray head = "HTTP/1.1 " + QByteArray::number(route.status) + ' ' + reason(route.status) + "\r\n";
    head += "Content-Type: " + route.contentType + "\r\n";
    if (!route.location.isEmpty())
        head += "Location: " + route.location + "\r\n";
    head += route.headers;
    if (route.chunked)
        head += "Transfer-Encoding: chunked\r\n";
    else if (route.declareLength && route.behaviour != Behaviour::Trickle)
        head += "Content-Length: " + QByteArray::number(length) + "\r\n";
    head += "Connection: close\r\n\r\n";
    socket->write(head);
    if (route.behaviour == Behaviour::Trickle) {
        // Never silent long enough for a silence time-out, never done.
        auto *timer = new QTimer(socket);
        connect(timer, &QTimer::timeout, socket, [socket] { socket->write("x"); });
        timer->start(route.trickleMs);
        return;
    }
    if (route.generatedBytes == 0) {
        socket->write(route.body);
        socket->disconnectFromHost();
        return;
    }
    // A large body goes out a chunk at a time, as the client takes it.
    auto remaining = std::make_shared<qint64>(route.generatedBytes);
    const bool chunked = route.chunked;
    auto feed = [socket, remaining, chunked] {
        while (*remaining > 0 && socket->bytesToWrite() < kChunk) {
            const qint64 n = std::min(kChunk, *remaining);
            if (chunked)
                socket->write(QByteArray::number(n, 16) + "\r\n" + QByteArray(n, 'x') + "\r\n");
            else
                socket->write(QByteArray(n, 'x'));
            *remaining -= n;
            if (chunked && *remaining == 0)
                socket->write("0\r\n\r\n");
        }
        if (*remaining == 0 && socket->bytesToWrite() == 0)
            socket->disconnectFromHost();
    };
    connect(socket, &QTcpSocket::bytesWritten, socket, feed);
    feed();
}
