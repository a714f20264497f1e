// The real transfer against a real server on 127.0.0.1: pages, documents,
// error statuses, a closed connection, a server that never answers or
// trickles, answers over the size cap, redirects, an untrusted certificate;
// then the report document and the news document fetched through it.

#include "store/oledate.h"
#include "support/fixtures.h"
#include "support/searchpages.h"
#include "support/testhttpserver.h"
#include "web/networktransfer.h"
#include "web/news.h"
#include "web/prizereport.h"
#include "wording/prizereportwording.h"

#include <QScopeGuard>
#include <QSignalSpy>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace
{
    using Error = TransferResult::Error;
    const QString kDocumentPath = QStringLiteral("/f/loterias/documentos/El Gordo/2026/ESCRUTINIO_LOTERÍA_ÁMBITO_20261206.pdf");

    TestHttpServer::Route route(TestHttpServer::Behaviour behaviour)
    {
        TestHttpServer::Route r;
        r.behaviour = behaviour;
        return r;
    }

    TestHttpServer::Route generated(qint64 bytes, bool declareLength)
    {
        TestHttpServer::Route r;
        r.generatedBytes = bytes;
        r.declareLength = declareLength;
        return r;
    }
}

class TestWebTransfer : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHttpServer> m_server;
    std::unique_ptr<QTemporaryDir> m_dir;

    QUrl at(const QString &path) const
    {
        QUrl url = m_server->baseUrl();
        url.setPath(path);
        return url;
    }
    QString file(const char *name) const { return m_dir->filePath(QString::fromLatin1(name)); }

private slots:
    void init()
    {
        m_server = std::make_unique<TestHttpServer>();
        QVERIFY(m_server->listen());
        m_dir = std::make_unique<QTemporaryDir>();
    }

    void fetchesThePage()
    {
        const QByteArray page = SearchPages::fixture("busqueda.html");
        m_server->setPage(QStringLiteral("/es/buscador"), page);
        NetworkTransfer transfer;
        QSignalSpy progress(&transfer, &WebTransfer::progress);
        const TransferResult result = transfer.fetch(at(QStringLiteral("/es/buscador")));
        QVERIFY2(result.ok(), qPrintable(describeTransferError(result)));
        QCOMPARE(result.body, page);
        QCOMPARE(result.httpStatus, 200);
        QVERIFY(!transfer.isBusy());
        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.last().at(0).toLongLong(), qint64(page.size()));
    }

    void failures_data()
    {
        QTest::addColumn<TestHttpServer::Route>("answer");
        QTest::addColumn<qint64>("cap");
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("status");

        TestHttpServer::Route serverError;
        serverError.status = 500;
        serverError.body = "<html>Error interno</html>";
        TestHttpServer::Route notFound;
        notFound.status = 404;
        const qint64 cap = NetworkTransfer::kDefaultMaxBytes;

        QTest::newRow("500") << serverError << cap << int(Error::HttpStatus) << 500;
        QTest::newRow("404") << notFound << cap << int(Error::HttpStatus) << 404;
        QTest::newRow("closed connection") << route(TestHttpServer::Behaviour::Close) << cap << int(Error::Network) << 0;
        QTest::newRow("never answers") << route(TestHttpServer::Behaviour::Stall) << cap << int(Error::TimedOut) << 0;
        QTest::newRow("20 MB declared") << generated(20 * 1024 * 1024, true) << cap << int(Error::TooLarge) << 200;
        QTest::newRow("20 MB streamed") << generated(20 * 1024 * 1024, false) << cap << int(Error::TooLarge) << 200;
        auto chunked = generated(20 * 1024 * 1024, false);
        chunked.chunked = true;
        QTest::newRow("20 MB chunked") << chunked << cap << int(Error::TooLarge) << 200;
        QTest::newRow("one byte over a small cap") << generated(1001, false) << qint64(1000) << int(Error::TooLarge) << 200;
        QTest::newRow("declared one byte over") << generated(1001, true) << qint64(1000) << int(Error::TooLarge) << 200;
    }

    void failures()
    {
        QFETCH(TestHttpServer::Route, answer);
        QFETCH(qint64, cap);
        QFETCH(int, error);
        QFETCH(int, status);
        m_server->setRoute(QStringLiteral("/p"), answer);
        NetworkTransfer transfer;
        transfer.setTimeout(700);
        transfer.setMaxBytes(cap);

        const TransferResult fetched = transfer.fetch(at(QStringLiteral("/p")));
        QCOMPARE(int(fetched.error), error);
        // Only an error status keeps what the server sent with it.
        if (TransferResult::Error(error) != TransferResult::Error::HttpStatus)
            QVERIFY(fetched.body.isEmpty());
        if (status != 200)
            QCOMPARE(fetched.httpStatus, status);

        // The same through a download: the file that was there stays.
        const QString target = file("edu.pdf");
        QVERIFY(Fixtures::writeFile(target, "%PDF-old"));
        const TransferResult downloaded = transfer.download(at(QStringLiteral("/p")), target);
        QCOMPARE(int(downloaded.error), error);
        QCOMPARE(Fixtures::readFile(target), QByteArray("%PDF-old"));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList {QStringLiteral("edu.pdf")});
    }

    // Bytes keep coming, never a silence long enough for the time-out: the
    // deadline ends it, and the file that was there stays.
    void tricklingServerMeetsTheDeadline()
    {
        auto trickle = route(TestHttpServer::Behaviour::Trickle);
        trickle.trickleMs = 50;
        m_server->setRoute(QStringLiteral("/p"), trickle);
        NetworkTransfer transfer;
        transfer.setTimeout(1000);
        transfer.setDeadline(1500);
        QCOMPARE(transfer.fetch(at(QStringLiteral("/p"))).error, Error::TimedOut);
        const QString target = file("edu.pdf");
        QVERIFY(Fixtures::writeFile(target, "%PDF-old"));
        QCOMPARE(transfer.download(at(QStringLiteral("/p")), target).error, Error::TimedOut);
        QCOMPARE(Fixtures::readFile(target), QByteArray("%PDF-old"));
        QVERIFY(!transfer.isBusy());
    }

    void redirects_data()
    {
        QTest::addColumn<QByteArray>("location"); // PORT is the server's port
        QTest::addColumn<int>("error");
        QTest::newRow("relative") << QByteArray("/destino") << int(Error::None);
        QTest::newRow("same host") << QByteArray("http://127.0.0.1:PORT/destino") << int(Error::None);
        QTest::newRow("another host") << QByteArray("http://localhost:PORT/destino") << int(Error::Redirected);
        // Qt refuses this one itself, before asking.
        QTest::newRow("not the web") << QByteArray("file:///etc/passwd") << int(Error::Network);
    }

    void redirects()
    {
        QFETCH(QByteArray, location);
        QFETCH(int, error);
        const bool followed = error == int(Error::None);
        TestHttpServer::Route moved;
        moved.status = 302;
        moved.location = location.replace("PORT", QByteArray::number(m_server->baseUrl().port()));
        m_server->setRoute(QStringLiteral("/p"), moved);
        m_server->setPage(QStringLiteral("/destino"), "destino");
        NetworkTransfer transfer;
        const TransferResult result = transfer.fetch(at(QStringLiteral("/p")));
        QCOMPARE(int(result.error), error);
        QCOMPARE(result.body, followed ? QByteArray("destino") : QByteArray());
        QCOMPARE(m_server->requestsFor(QStringLiteral("/destino")), followed ? 1 : 0);
    }

    // From a trusted https page, a redirect to the same host stays on https
    // and is followed; one down to plain http is refused unfetched.
    void noRedirectFromHttpsToHttp()
    {
        TestHttpServer secure;
        QString whyNot;
        if (!secure.listenTlsSelfSigned(m_dir->path(), &whyNot))
            QSKIP(qPrintable(whyNot));
        const QSslConfiguration previous = QSslConfiguration::defaultConfiguration();
        QSslConfiguration trusting = previous;
        trusting.addCaCertificates(QSslCertificate::fromPath(m_dir->filePath(QStringLiteral("cert.pem"))));
        QSslConfiguration::setDefaultConfiguration(trusting);
        const auto restore = qScopeGuard([&] { QSslConfiguration::setDefaultConfiguration(previous); });

        TestHttpServer::Route up;
        up.status = 302;
        up.location = "/destino";
        TestHttpServer::Route down = up;
        down.location = m_server->baseUrl().toEncoded() + "/destino";
        secure.setRoute(QStringLiteral("/up"), up);
        secure.setRoute(QStringLiteral("/down"), down);
        secure.setPage(QStringLiteral("/destino"), "seguro");
        m_server->setPage(QStringLiteral("/destino"), "en claro");
        NetworkTransfer transfer;
        QUrl address = secure.baseUrl();
        address.setPath(QStringLiteral("/up"));
        QCOMPARE(transfer.fetch(address).body, QByteArray("seguro"));
        address.setPath(QStringLiteral("/down"));
        QCOMPARE(transfer.fetch(address).error, Error::Redirected);
        QCOMPARE(m_server->requestsFor(QStringLiteral("/destino")), 0);
    }

    void exactlyTheCapPasses()
    {
        m_server->setRoute(QStringLiteral("/p"), generated(1000, false));
        NetworkTransfer transfer;
        transfer.setMaxBytes(1000);
        const TransferResult result = transfer.fetch(at(QStringLiteral("/p")));
        QVERIFY(result.ok());
        QCOMPARE(result.body, QByteArray(1000, 'x'));
    }

    void refusedConnectionAndBadAddresses()
    {
        auto closed = std::make_unique<TestHttpServer>();
        QVERIFY(closed->listen());
        const QUrl gone = closed->baseUrl();
        closed.reset();
        NetworkTransfer transfer;
        QCOMPARE(transfer.fetch(gone).error, Error::Network);
        QCOMPARE(transfer.fetch(QUrl(QStringLiteral("ftp://127.0.0.1/x"))).error, Error::BadAddress);
        QCOMPARE(transfer.fetch(QUrl(QStringLiteral("/es/buscador"))).error, Error::BadAddress);
        QCOMPARE(transfer.fetch(QUrl()).error, Error::BadAddress);
        QVERIFY(m_server->requests().isEmpty());
    }

    void downloadsIntoTheFile()
    {
        const QByteArray pdf = SearchPages::fixture("informe.pdf");
        TestHttpServer::Route document;
        document.body = pdf;
        document.contentType = "application/pdf";
        m_server->setRoute(QStringLiteral("/doc.pdf"), document);
        NetworkTransfer transfer;
        QVERIFY(transfer.download(at(QStringLiteral("/doc.pdf")), file("edu.pdf")).ok());
        QCOMPARE(Fixtures::readFile(file("edu.pdf")), pdf);

        const TransferResult nowhere = transfer.download(at(QStringLiteral("/doc.pdf")), file("no/such/dir/edu.pdf"));
        QCOMPARE(nowhere.error, Error::FileError);
    }

    // One transfer at a time; cancel ends the running one as cancelled, not
    // as timed out.
    void busyAndCancel()
    {
        m_server->setRoute(QStringLiteral("/slow"), route(TestHttpServer::Behaviour::Stall));
        m_server->setPage(QStringLiteral("/other"), "x");
        NetworkTransfer transfer;
        transfer.setTimeout(20'000);
        TransferResult second;
        bool wasBusy = false;
        QTimer::singleShot(200, this, [&] {
            wasBusy = transfer.isBusy();
            second = transfer.fetch(at(QStringLiteral("/other")));
            transfer.cancel();
        });
        const TransferResult first = transfer.fetch(at(QStringLiteral("/slow")));
        QVERIFY(wasBusy);
        QCOMPARE(second.error, Error::Busy);
        QCOMPARE(first.error, Error::Cancelled);
        QVERIFY(!transfer.isBusy());
        QCOMPARE(m_server->requestsFor(QStringLiteral("/other")), 0);
        // And the transfer is usable again.
        QCOMPARE(transfer.fetch(at(QStringLiteral("/other"))).body, QByteArray("x"));
    }

    void untrustedCertificate()
    {
        TestHttpServer secure;
        QString whyNot;
        if (!secure.listenTlsSelfSigned(m_dir->path(), &whyNot))
            QSKIP(qPrintable(whyNot));
        secure.setPage(QStringLiteral("/es/buscador"), SearchPages::fixture("busqueda.html"));
        QUrl address = secure.baseUrl();
        address.setPath(QStringLiteral("/es/buscador"));
        QCOMPARE(address.scheme(), QStringLiteral("https"));
        NetworkTransfer transfer;
        const TransferResult result = transfer.fetch(address);
        QCOMPARE(result.error, Error::Untrusted);
        QVERIFY(result.body.isEmpty());
        QVERIFY(secure.requests().isEmpty());
    }

    // --- the report document -----------------------------------------------------

    void reportDocument_data()
    {
        QTest::addColumn<TestHttpServer::Route>("answer");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("fileLeft");
        TestHttpServer::Route pdf;
        pdf.body = SearchPages::fixture("informe.pdf");
        TestHttpServer::Route html;
        html.body = "<html><body>Documento no disponible</body></html>";
        TestHttpServer::Route missing;
        missing.status = 404;
        const QString attention = QStringLiteral("\nATENCIÓN:\nLos datos del sorteo aún no están disponibles. Intente más tarde.");
        const QString noConnection = QStringLiteral("No se encuentra conexión a internet.... :(");
        QTest::newRow("pdf") << pdf << true << QString() << true;
        QTest::newRow("not a pdf") << html << false << attention << true;
        QTest::newRow("404") << missing << false << noConnection << false;
        QTest::newRow("closed") << route(TestHttpServer::Behaviour::Close) << false << noConnection << false;
    }

    void reportDocument()
    {
        QFETCH(TestHttpServer::Route, answer);
        QFETCH(bool, shown);
        QFETCH(QString, message);
        QFETCH(bool, fileLeft);
        m_server->setRoute(kDocumentPath, answer);

        PrizeReportRequest request;
        request.drawPage = SearchPages::fixture("sorteo.html");
        request.newestDrawDate = OleDate::fromDate({2026, 12, 6});
        request.documentFile = file("edu.pdf");
        request.download = true;
        request.endpoints.operatorSite = m_server->baseUrl();
        // An older draw's document must not survive a failed download.
        QVERIFY(Fixtures::writeFile(request.documentFile, SearchPages::fixture("informe.pdf")));
        NetworkTransfer transfer;
        const PrizeReportView view = buildPrizeReport(request, &transfer);

        // Qt asks again once when a connection closes without an answer.
        QStringList requests = m_server->requests();
        requests.removeDuplicates();
        QCOMPARE(requests, QStringList {QStringLiteral("/f/loterias/documentos/El%20Gordo/2026/ESCRUTINIO_LOTER%C3%8DA_%C3%81MBITO_20261206.pdf")});
        QCOMPARE(view.reportUrl.host(), QStringLiteral("127.0.0.1"));
        QVERIFY(view.reportFetched);
        QCOMPARE(view.showDocument, shown);
        QCOMPARE(view.showDocument ? QString() : Wording::reportMessage(view), message);
        QCOMPARE(QFile::exists(request.documentFile), fileLeft);
        QCOMPARE(Wording::reportAmountText(view, 8), QStringLiteral("1,50"));
    }

    // --- the news document ----------------------------------------------------------

    void news_data()
    {
        QTest::addColumn<int>("daysBehind");
        QTest::addColumn<int>("syndicates");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("served");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<bool>("requested");
        QTest::addColumn<bool>("configured");
        const QByteArray news = SearchPages::fixture("noticias.html");
        QTest::newRow("new document") << 3 << 1 << QByteArray() << 200 << news << int(News::Outcome::Offer) << true << true;
        QTest::newRow("same length") << 5 << 1 << QByteArray(news.size(), 'n') << 200 << news
                                     << int(News::Outcome::NothingNew) << true << true;
        QTest::newRow("300 bytes") << 3 << 1 << QByteArray() << 200 << QByteArray(300, 'n')
                                   << int(News::Outcome::NothingNew) << true << true;
        QTest::newRow("301 bytes") << 3 << 1 << QByteArray() << 200 << QByteArray(301, 'n') << int(News::Outcome::Offer)
                                   << true << true;
        QTest::newRow("server error keeps the old one") << 3 << 1 << QByteArray("antiguo") << 500 << news
                                                        << int(News::Outcome::Unreachable) << true << true;
        QTest::newRow("two days behind") << 2 << 1 << QByteArray("antiguo") << 200 << news
                                         << int(News::Outcome::NotDue) << false << true;
        QTest::newRow("no syndicate") << 3 << 0 << QByteArray("antiguo") << 200 << news
                                      << int(News::Outcome::NoSyndicate) << false << true;
        // No news server configured: nothing fetched, informe.dat untouched.
        QTest::newRow("no news server") << 3 << 1 << QByteArray("antiguo") << 200 << news
                                        << int(News::Outcome::Off) << false << false;
    }

    void news()
    {
        QFETCH(int, daysBehind);
        QFETCH(int, syndicates);
        QFETCH(QByteArray, before);
        QFETCH(int, status);
        QFETCH(QByteArray, served);
        QFETCH(int, outcome);
        QFETCH(bool, requested);
        QFETCH(bool, configured);
        m_server->setPage(QStringLiteral("/noticias/ginforme.dat"), served, status);
        const QString path = file(News::kFileName);
        if (!before.isEmpty())
            QVERIFY(Fixtures::writeFile(path, before));

        News::CheckInput input;
        input.today = QDate(2026, 12, 9);
        input.newestDrawDate = OleDate::fromDate(input.today.addDays(-daysBehind));
        input.syndicates = syndicates;
        input.dataDir = m_dir->path();
        if (configured)
            input.endpoints.makerServer = m_server->baseUrl().resolved(QUrl(QStringLiteral("/noticias")));
        NetworkTransfer transfer;
        QCOMPARE(int(News::checkNews(input, transfer)), outcome);
        QCOMPARE(m_server->requestsFor(QStringLiteral("/noticias/ginforme.dat")), requested ? 1 : 0);
        const bool replaced = requested && status == 200;
        QCOMPARE(Fixtures::readFile(path), replaced ? served : before);
        QVERIFY(QFile::exists(path) || daysBehind < 3);
        QCOMPARE(News::worthShowing(path), Fixtures::readFile(path).size() > 10);
    }
};

QTEST_GUILESS_MAIN(TestWebTransfer)
#include "tst_webtransfer.moc"
