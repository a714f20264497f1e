#include "networktransfer.h"

#include "store/fileops.h"

#include <QEventLoop>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>

#include <memory>

namespace
{
    struct LaterDeleter
    {
        void operator()(QNetworkReply *reply) const
        {
            if (reply)
                reply->deleteLater();
        }
    };

    // What Qt may hold of an answer between two of our reads: the cap must
    // bound memory, not only what reaches the caller.
    constexpr qint64 kReadBufferBytes = 256 * 1024;

    bool isCertificateFailure(QNetworkReply::NetworkError error)
    {
        return error == QNetworkReply::SslHandshakeFailedError;
    }

    bool isWebScheme(const QString &scheme)
    {
        return scheme == QLatin1String("https") || scheme == QLatin1String("http");
    }

    // A redirect may move within the host asked for, and from http to https,
    // never to another host or down to plain http.
    bool isAcceptableRedirect(const QUrl &from, const QUrl &to)
    {
        if (!to.isValid() || !isWebScheme(to.scheme()) || to.host().compare(from.host(), Qt::CaseInsensitive) != 0)
            return false;
        return !(from.scheme() == QLatin1String("https") && to.scheme() == QLatin1String("http"));
    }
}

NetworkTransfer::NetworkTransfer(QObject *parent)
    : WebTransfer(parent)
{
    m_manager.setRedirectPolicy(QNetworkRequest::UserVerifiedRedirectPolicy);
    // The cookies a site sets (its front page's, before the results service
    // is asked) go back with every later request of this run.
    m_manager.setCookieJar(new QNetworkCookieJar(&m_manager));
}

NetworkTransfer::~NetworkTransfer()
{
    cancel();
}

TransferResult NetworkTransfer::fetch(const QUrl &address)
{
    return run(address, nullptr);
}

TransferResult NetworkTransfer::download(const QUrl &address, const QString &filePath)
{
    if (isBusy())
        return TransferResult::failure(TransferResult::Error::Busy);
    // QSaveFile would write through any link; a data file's follows the rule.
    if (const QString refused = linkRefusalText(filePath); !refused.isEmpty())
        return TransferResult::failure(TransferResult::Error::FileError, refused);
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return TransferResult::failure(TransferResult::Error::FileError, file.errorString());
    TransferResult result = run(address, &file);
    if (!result.ok()) {
        file.cancelWriting();
        return result;
    }
    // commit() alone reports success when its final flush hit a full disk.
    if (!file.flush() || file.error() != QFileDevice::NoError || !file.commit())
        return TransferResult::failure(TransferResult::Error::FileError, file.errorString());
    return result;
}

void NetworkTransfer::cancel()
{
    stop(TransferResult::Error::Cancelled);
}

void NetworkTransfer::close()
{
    m_closed = true;
    cancel();
}

void NetworkTransfer::stop(TransferResult::Error reason)
{
    if (m_reply.isNull() || m_reply->isFinished())
        return;
    if (m_abortReason == TransferResult::Error::None)
        m_abortReason = reason;
    m_reply->abort();
}

TransferResult NetworkTransfer::run(const QUrl &address, QIODevice *sink)
{
    using E = TransferResult::Error;
    if (m_closed)
        return TransferResult::failure(E::Cancelled);
    if (isBusy())
        return TransferResult::failure(E::Busy);
    if (!address.isValid() || address.host().isEmpty() || !isWebScheme(address.scheme()))
        return TransferResult::failure(E::BadAddress, address.toString());

    QNetworkRequest request(address);
    request.setTransferTimeout(m_timeoutMs);
    // Every page is wanted as the server has it now.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QStringLiteral("Quorvale/" QUORVALE_VERSION " (El Gordo de la Primitiva; escritorio)"));
    // What a browser on the site sends; the operator's edge refuses bare clients more often.
    request.setRawHeader("Accept", "application/json, text/plain, */*");
    request.setRawHeader("Accept-Language", "es-ES");
    const QUrl site = address.resolved(QUrl(QStringLiteral("/")));
    request.setRawHeader("Referer", site.toEncoded());
    request.setRawHeader("Origin", site.toEncoded(QUrl::RemovePath | QUrl::StripTrailingSlash));
    request.setRawHeader("Cache-Control", "no-cache");

    m_abortReason = E::None;
    std::unique_ptr<QNetworkReply, LaterDeleter> reply(m_manager.get(request));
    m_reply = reply.get();
    reply->setReadBufferSize(kReadBufferBytes);

    TransferResult result;
    qint64 received = 0;
    QUrl current = address;

    connect(reply.get(), &QNetworkReply::redirected, this, [&](const QUrl &target) {
        const QUrl next = current.resolved(target);
        if (!isAcceptableRedirect(current, next)) {
            result.errorText = next.toString();
            stop(E::Redirected);
            return;
        }
        current = next;
        emit m_reply->redirectAllowed();
    });
    // A declared length over the cap is refused before the body comes.
    connect(reply.get(), &QNetworkReply::metaDataChanged, this, [&] {
        const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > m_maxBytes)
            stop(E::TooLarge);
    });
    connect(reply.get(), &QNetworkReply::readyRead, this, [&] {
        if (m_abortReason != E::None)
            return;
        const QByteArray chunk = m_reply->readAll();
        received += chunk.size();
        if (received > m_maxBytes) {
            stop(E::TooLarge);
            return;
        }
        if (!sink) {
            result.body += chunk;
        } else if (sink->write(chunk) != chunk.size()) {
            result.errorText = sink->errorString();
            stop(E::FileError);
        }
    });
    connect(reply.get(), &QNetworkReply::downloadProgress, this, [this](qint64 got, qint64 total) {
        emit progress(got, total);
    });

    if (!reply->isFinished()) {
        QEventLoop loop;
        connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
        // The silence time-out never fires for a server that trickles bytes.
        QTimer deadline;
        deadline.setSingleShot(true);
        connect(&deadline, &QTimer::timeout, this, [this] { stop(E::TimedOut); });
        deadline.start(m_deadlineMs);
        loop.exec();
    }
    // The handlers above hold references to this frame.
    disconnect(reply.get(), nullptr, this, nullptr);

    // Whatever the last readyRead left behind.
    if (m_abortReason == E::None && reply->error() == QNetworkReply::NoError && reply->bytesAvailable() > 0) {
        const QByteArray rest = reply->readAll();
        received += rest.size();
        if (received > m_maxBytes)
            m_abortReason = E::TooLarge;
        else if (!sink)
            result.body += rest;
        else if (sink->write(rest) != rest.size()) {
            m_abortReason = E::FileError;
            result.errorText = sink->errorString();
        }
    }

    result.httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError error = reply->error();
    m_reply.clear();

    if (m_abortReason != E::None) {
        result.error = m_abortReason;
    } else if (error == QNetworkReply::OperationCanceledError) {
        // Nobody here aborted it: the transfer time-out did.
        result.error = E::TimedOut;
    } else if (isCertificateFailure(error)) {
        result.error = E::Untrusted;
        result.errorText = reply->errorString();
    } else if (error != QNetworkReply::NoError) {
        result.error = result.httpStatus >= 400 ? E::HttpStatus : E::Network;
        result.errorText = reply->errorString();
    } else if (result.httpStatus != 0 && (result.httpStatus < 200 || result.httpStatus > 299)) {
        result.error = E::HttpStatus;
    }
    m_abortReason = E::None;
    // An error status keeps the server's page, which may say what it meant
    // (the results service answers 404 with JSON for "no draw").
    if (!result.ok() && result.error != E::HttpStatus)
        result.body.clear();
    return result;
}
