#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

// What one transfer ended with. A failed transfer never hands over a body and
// never leaves a file behind.
struct TransferResult
{
    enum class Error
    {
        None,
        Busy, // another transfer is still running
        BadAddress, // not an absolute http or https address
        Network, // refused, closed, unreachable, unreadable answer
        Untrusted, // the server's certificate did not pass the checks
        HttpStatus, // the server answered with an error status
        TimedOut, // nothing arrived within the time-out, or the deadline passed
        TooLarge, // more than the size cap
        Cancelled, // cancel() was called
        FileError, // the downloaded file could not be written
        Redirected, // sent to another host, or from https to http
    };

    Error error = Error::None;
    int httpStatus = 0;
    QByteArray body; // fetch() only: the page, or the error page of an HTTP error status
    QString errorText;

    bool ok() const { return error == Error::None; }
    static TransferResult failure(Error error, const QString &text = {});
};

// Fetching pages and documents from the web. Calls are synchronous for the
// caller, but the thread's events keep flowing while bytes arrive, so a
// front end keeps drawing and can offer to cancel. One transfer at a
// time: a call made while another one runs fails with Busy.
class WebTransfer : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~WebTransfer() override;

    // The page's bytes as the server sent them.
    virtual TransferResult fetch(const QUrl &address) = 0;
    // Writes the document into filePath, replacing it only when the whole
    // document arrived.
    virtual TransferResult download(const QUrl &address, const QString &filePath) = 0;
    virtual void cancel() = 0;
    virtual bool isBusy() const = 0;

signals:
    // total is -1 while the size is unknown.
    void progress(qint64 received, qint64 total);
};

// The reason of a failure in a few words, for the command line and logs.
QString describeTransferError(const TransferResult &result);
