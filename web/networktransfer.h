#pragma once

#include "webtransfer.h"

#include <QNetworkAccessManager>
#include <QPointer>

class QIODevice;
class QNetworkReply;

// WebTransfer over QNetworkAccessManager: certificates are always checked,
// redirects stay on the host asked and never go from https to http, a
// transfer that stays silent for the time-out or outlasts the deadline is
// dropped, and an answer over the size cap fails without a byte of it
// reaching the caller or the disk.
class NetworkTransfer final : public WebTransfer
{
    Q_OBJECT

public:
    static constexpr int kDefaultTimeoutMs = 60'000;
    static constexpr int kDefaultDeadlineMs = 60'000;
    static constexpr qint64 kDefaultMaxBytes = 10 * 1024 * 1024;

    explicit NetworkTransfer(QObject *parent = nullptr);
    ~NetworkTransfer() override;

    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }
    int timeout() const { return m_timeoutMs; }
    // The longest a whole request may take, however steadily bytes arrive.
    void setDeadline(int milliseconds) { m_deadlineMs = milliseconds; }
    int deadline() const { return m_deadlineMs; }
    void setMaxBytes(qint64 bytes) { m_maxBytes = bytes; }
    qint64 maxBytes() const { return m_maxBytes; }

    TransferResult fetch(const QUrl &address) override;
    TransferResult download(const QUrl &address, const QString &filePath) override;
    void cancel() override;
    bool isBusy() const override { return !m_reply.isNull(); }
    // The program is going: the transfer under way stops now and every
    // later one fails at once (Cancelled).
    void close();

private:
    // Runs one GET to its end; the body goes to sink when given, else into
    // the result.
    TransferResult run(const QUrl &address, QIODevice *sink);
    void stop(TransferResult::Error reason);

    QNetworkAccessManager m_manager;
    QPointer<QNetworkReply> m_reply;
    // Why we aborted the reply ourselves: an abort and the transfer time-out
    // end the reply with the same error code.
    TransferResult::Error m_abortReason = TransferResult::Error::None;
    int m_timeoutMs = kDefaultTimeoutMs;
    int m_deadlineMs = kDefaultDeadlineMs;
    qint64 m_maxBytes = kDefaultMaxBytes;
    bool m_closed = false;
};
