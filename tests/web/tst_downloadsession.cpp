// The whole download session against a server on 127.0.0.1, on a real
// Session in a scratch data directory: the bytes of numeros.dat and of the
// saved pages, the boxes shown and what the download area displays.

#include "base/clock.h"
#include "core/session.h"
#include "store/oledate.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"
#include "support/searchpages.h"
#include "support/testhttpserver.h"
#include "web/downloadhost.h"
#include "web/downloadsession.h"
#include "web/networktransfer.h"
#include "web/prizereport.h"
#include "web/resultsparser.h"
#include "wording/outcomewording.h"
#include "wording/prizereportwording.h"
#include "wording/statuswording.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace
{
    const QDate kToday(2026, 12, 8); // a Tuesday
    const QString kSearchPath = QStringLiteral("/es/buscador");
    const QString kDrawPagePath = QStringLiteral("/es/gordo-primitiva/sorteos/2026/986001049");
    const QString kDocumentPath = QStringLiteral("/f/loterias/documentos/El Gordo/2026/ESCRUTINIO_LOTERÍA_ÁMBITO_20261206.pdf");
    const QString kConnectionTitle = QStringLiteral("Error de conexión");
    const QString kNotConnected = QStringLiteral("No conectado: Compruebe la conexión a internet...");
    const QString kFinished = QStringLiteral("TRANSFERENCIA FINALIZADA");

    std::vector<DrawRecord> firstDraws(int count)
    {
        const auto all = Fixtures::searchPageDraws();
        return {all.begin(), all.begin() + count};
    }

    class TestHost final : public DownloadHost
    {
    public:
        TestHost(Session &session, RecordingPrompter &prompter, FixedClock &clock)
            : m_session(session)
            , m_prompter(prompter)
            , m_clock(clock)
        {
        }

        Prompter &prompter() override { return m_prompter; }
        void tell(const Outcome &outcome) override { m_prompter.tell(outcome); }
        QDate today() const override { return m_clock.today(); }
        QString dataDir() const override { return m_session.dataDir(); }
        TypedRecordFile<DrawRecord> &drawFile() override { return m_session.draws().file(); }
        DrawRecord newestDraw() const override { return m_session.drawBuffer(); }
        void updateStatus() override
        {
            ++statusScans;
            m_session.updateStatus();
        }
        void scrutinizeSimpleSyndicates(int drawCount) override { scrutinies << drawCount; }
        void setDrawsToShow(int draws) override { drawsToShow << draws; }
        void loadDrawList() override
        {
            ++listLoads;
            m_session.loadDrawList();
        }
        void showPrizeReport(const PrizeReportView &view) override { reports << view; }
        bool pdfViewerAvailable() const override { return true; }
        bool newsOpen() const override { return newsShown; }
        // Each value as the window words it.
        void stageReached(DownloadStage stage) override { progress << int(stage); }
        void activityChanged(const DownloadActivity &activity) override
        {
            statusTexts << downloadActivityText(activity);
        }
        void drawsStored(int count) override { storedDrawsText = Wording::storedDrawsText(count); }
        void bytesReceived(qint64 bytes, bool complete) override
        {
            byteCounts << receivedBytesText(bytes, complete);
            if (onBytes)
                onBytes();
        }
        void prizeReportUnreadable(const ReportUnreadable &reason) override
        {
            reportMessage = Wording::reportUnreadableText(reason);
        }

        int statusScans = 0;
        int listLoads = 0;
        QList<int> scrutinies;
        QList<int> drawsToShow;
        QList<PrizeReportView> reports;
        QList<int> progress;
        QStringList statusTexts;
        QStringList byteCounts;
        QString storedDrawsText;
        QString reportMessage = QStringLiteral("(untouched)");
        bool newsShown = false;
        std::function<void()> onBytes;

    private:
        Session &m_session;
        RecordingPrompter &m_prompter;
        FixedClock &m_clock;
    };
}

class TestDownloadSession : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TestHttpServer> m_server;
    FixedClock m_clock {kToday};
    RecordingPrompter m_prompter;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<TestHost> m_host;
    std::unique_ptr<NetworkTransfer> m_transfer;
    std::unique_ptr<DownloadSession> m_download;

    QString path(const char *name) const { return m_dir->filePath(QString::fromLatin1(name)); }

    void startWith(const std::vector<DrawRecord> &stored, QUrl operatorSite = {})
    {
        QVERIFY(Fixtures::writeFile(path("numeros.dat"), Fixtures::bytesOf(stored)));
        QVERIFY(Fixtures::writeFile(path("www.txt"), "old search page"));
        QVERIFY(Fixtures::writeFile(path("www2.txt"), "old draw page"));
        Endpoints endpoints;
        endpoints.operatorSite = operatorSite.isEmpty() ? m_server->baseUrl() : operatorSite;
        m_session = std::make_unique<Session>(m_clock, m_prompter, endpoints);
        QVERIFY(m_session->start(m_dir->path()));
        m_prompter.boxes.clear();
        m_host = std::make_unique<TestHost>(*m_session, m_prompter, m_clock);
        m_transfer = std::make_unique<NetworkTransfer>();
        m_transfer->setTimeout(800);
        m_download = std::make_unique<DownloadSession>(*m_host, *m_transfer, endpoints);
        m_download->setTickInterval(5);
        // As the front ends do: how the session ended is told once it has.
        connect(m_download.get(), &DownloadSession::finished, this, [this] { m_prompter.report(m_download->result()); });
        // The classic pages alone; the service has its own tests.
        m_download->setSource(DownloadSession::Source::Pages);
    }

    // Runs one session the way the window does: the click, then the timer.
    void runWithTimer()
    {
        QSignalSpy finished(m_download.get(), &DownloadSession::finished);
        if (m_download->start())
            QVERIFY(finished.wait(5000));
        QVERIFY(!m_download->isRunning());
    }

    QByteArray drawFileBytes() const { return Fixtures::readFile(path("numeros.dat")); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_server = std::make_unique<TestHttpServer>();
        QVERIFY(m_server->listen());
        m_server->setPage(kSearchPath, SearchPages::fixture("busqueda.html"));
        m_server->setPage(kDrawPagePath, SearchPages::fixture("sorteo.html"));
        m_server->setPage(kDocumentPath, SearchPages::fixture("informe.pdf"));
        m_prompter.boxes.clear();
        m_clock.setToday(kToday);
    }

    void cleanup()
    {
        m_download.reset();
        m_transfer.reset();
        m_host.reset();
        m_session.reset();
        m_server.reset();
    }

    void fourNewDraws()
    {
        startWith(firstDraws(3));
        runWithTimer();

        QVERIFY2(m_prompter.boxes.isEmpty(), qPrintable(m_prompter.titles().join(QLatin1Char(','))));
        QCOMPARE(drawFileBytes(), Fixtures::bytesOf(Fixtures::searchPageDraws()));
        QCOMPARE(m_server->requests().first(),
                 QStringLiteral("/es/buscador?startDate=19/10/2026&gameId=05&type=search&endDate=08/12/2026"));
        QCOMPARE(m_server->requestsFor(kDrawPagePath), 1);
        QCOMPARE(Fixtures::readFile(path("www.txt")), SearchPages::fixture("busqueda.html"));
        QCOMPARE(Fixtures::readFile(path("www2.txt")), SearchPages::fixture("sorteo.html"));
        QCOMPARE(Fixtures::readFile(path("edu.pdf")), SearchPages::fixture("informe.pdf"));

        QCOMPARE(m_host->scrutinies, QList<int> {4});
        QCOMPARE(m_host->drawsToShow, QList<int> {4});
        QCOMPARE(m_host->storedDrawsText, QStringLiteral("4 sorteos"));
        QCOMPARE(m_host->statusTexts, (QStringList {QStringLiteral("CONECTANDO AL SERVIDOR"), QStringLiteral("BUSCANDO SORTEOS"), QStringLiteral("ANALIZANDO DATOS"), kFinished}));
        QCOMPARE(m_host->progress, (QList<int> {1, 2, 2, 3, 4, 5}));
        const qint64 total = SearchPages::fixture("busqueda.html").size() + SearchPages::fixture("sorteo.html").size();
        QCOMPARE(m_host->byteCounts.last(), QString::number(total) + QStringLiteral(" Bytes"));
        QVERIFY(m_host->byteCounts.contains(QString::number(SearchPages::fixture("busqueda.html").size())));
        QCOMPARE(m_host->reportMessage, QStringLiteral("(untouched)"));

        QCOMPARE(m_host->reports.size(), 1);
        const PrizeReportView &report = m_host->reports.first();
        QCOMPARE(Wording::reportHeading(report.drawDate), QStringLiteral("-Informe del Domingo, 6 de diciembre del 2026"));
        QCOMPARE(Wording::reportAmountText(report, 3), QStringLiteral("3.565,21"));
        QVERIFY(report.showDocument);
        QVERIFY(m_download->reportFetched());

        // The session's own view of the file follows.
        QCOMPARE(m_session->storedDraws(), 7);
        QCOMPARE(m_session->drawBuffer(), Fixtures::searchPageDraws().back());
        QVERIFY(m_download->outcome().succeeded());
        QCOMPARE(m_download->outcome().storedDraws, 4);
        QCOMPARE(m_download->statusText(), kFinished);
        QCOMPARE(m_download->drawPagePath(), QStringLiteral("2026/986001049"));
    }

    void headlessRunToCompletion()
    {
        startWith(firstDraws(1));
        QVERIFY(m_download->runToCompletion());
        QCOMPARE(drawFileBytes(), Fixtures::bytesOf(Fixtures::searchPageDraws()));
        QCOMPARE(m_host->scrutinies, QList<int> {6});
        QCOMPARE(m_host->drawsToShow, QList<int> {6});
        QCOMPARE(m_download->statusText(), kFinished);
        QVERIFY(!m_download->isRunning());
    }

    // No draw stored: nothing is asked of the operator (the service would be
    // asked for every year since the game began); the shipped history is
    // offered instead.
    void emptyDirectoryAsksNothing()
    {
        startWith({});
        QVERIFY(!m_download->runToCompletion());
        QVERIFY(m_download->outcome().noHistory);
        QVERIFY(m_server->requests().isEmpty());
        QCOMPARE(m_prompter.titles(), QStringList {QStringLiteral("Fichero de datos vacío")});
        QVERIFY(drawFileBytes().isEmpty());
    }

    void nothingNew()
    {
        startWith(Fixtures::searchPageDraws());
        runWithTimer();
        QCOMPARE(m_prompter.titles(), QStringList {QStringLiteral("Pruebe más tarde")});
        QCOMPARE(m_prompter.boxes.first().text, QStringLiteral("Todavía no hay sorteos nuevos."));
        QCOMPARE(drawFileBytes(), Fixtures::bytesOf(Fixtures::searchPageDraws()));
        // The newest stored draw is checked again, and its page is fetched.
        QCOMPARE(m_host->scrutinies, QList<int> {1});
        QCOMPARE(m_host->drawsToShow, QList<int> {1});
        QCOMPARE(m_server->requestsFor(kDrawPagePath), 1);
        QVERIFY(m_host->storedDrawsText.isEmpty());
        QVERIFY(m_download->outcome().succeeded());
    }

    void tenNewDrawsShowEight()
    {
        m_server->setPage(kSearchPath, SearchPages::build(SearchPages::weekly({2026, 12, 6}, 10)));
        startWith({Fixtures::draw({2026, 9, 27}, {1, 2, 3, 4, 5}, 0)});
        runWithTimer();
        QCOMPARE(drawFileBytes().size(), 11 * DrawRecord::kSize);
        QCOMPARE(m_host->scrutinies, QList<int> {10});
        QCOMPARE(m_host->drawsToShow, QList<int> {8});
        QCOMPARE(m_download->newDrawCount(), 8);
        QCOMPARE(m_host->storedDrawsText, QStringLiteral("10 sorteos"));
    }

    // Whatever goes wrong with the search page, the box says so and no file
    // changes.
    void searchPageFails_data()
    {
        QTest::addColumn<TestHttpServer::Route>("answer");
        TestHttpServer::Route serverError;
        serverError.status = 500;
        serverError.body = SearchPages::fixture("busqueda.html");
        TestHttpServer::Route closes;
        closes.behaviour = TestHttpServer::Behaviour::Close;
        TestHttpServer::Route stalls;
        stalls.behaviour = TestHttpServer::Behaviour::Stall;
        TestHttpServer::Route huge;
        huge.generatedBytes = 20 * 1024 * 1024;
        huge.declareLength = false;
        QTest::newRow("500") << serverError;
        QTest::newRow("closed connection") << closes;
        QTest::newRow("never answers") << stalls;
        QTest::newRow("20 MB page") << huge;
    }

    void searchPageFails()
    {
        QFETCH(TestHttpServer::Route, answer);
        m_server->setRoute(kSearchPath, answer);
        startWith(firstDraws(3));
        QVERIFY(!m_download->start());
        QCOMPARE(m_prompter.boxes.size(), 1);
        QCOMPARE(m_prompter.boxes[0].title, kConnectionTitle);
        QCOMPARE(m_prompter.boxes[0].text, kNotConnected);
        QCOMPARE(m_prompter.boxes[0].icon, Prompter::Icon::Warning);
        QCOMPARE(drawFileBytes(), Fixtures::bytesOf(firstDraws(3)));
        QCOMPARE(Fixtures::readFile(path("www.txt")), QByteArray("old search page"));
        QCOMPARE(Fixtures::readFile(path("www2.txt")), QByteArray("old draw page"));
        QVERIFY(!QFile::exists(path("edu.pdf")));
        QCOMPARE(m_host->progress.last(), 0);
        QCOMPARE(m_host->statusTexts.last(), QString());
        QVERIFY(m_host->scrutinies.isEmpty());
        QVERIFY(!m_download->isRunning());
        QVERIFY(m_download->outcome().connectionError);
        QVERIFY(!m_download->outcome().succeeded());
    }

    // An operator site whose certificate this machine does not trust is
    // refused like a site that cannot be reached.
    void untrustedOperatorCertificate()
    {
        TestHttpServer secure;
        QString whyNot;
        if (!secure.listenTlsSelfSigned(m_dir->path(), &whyNot))
            QSKIP(qPrintable(whyNot));
        secure.setPage(kSearchPath, SearchPages::fixture("busqueda.html"));
        startWith(firstDraws(3), secure.baseUrl());
        QVERIFY(!m_download->start());
        QCOMPARE(m_prompter.boxes.size(), 1);
        QCOMPARE(m_prompter.boxes[0].text, kNotConnected);
        QVERIFY(secure.requests().isEmpty());
        QCOMPARE(drawFileBytes(), Fixtures::bytesOf(firstDraws(3)));
        QCOMPARE(Fixtures::readFile(path("www.txt")), QByteArray("old search page"));
    }

    void plainServerBehindHttps()
    {
        startWith(firstDraws(3), QUrl(QStringLiteral("https://127.0.0.1:%1").arg(m_server->baseUrl().port())));
        QVERIFY(!m_download->start());
        QCOMPARE(m_prompter.boxes.size(), 1);
        QCOMPARE(m_prompter.boxes[0].text, kNotConnected);
        QCOMPARE(drawFileBytes(), Fixtures::bytesOf(firstDraws(3)));
    }

    void drawPageFails()
    {
        TestHttpServer::Route closes;
        closes.behaviour = TestHttpServer::Behaviour::Close;
        m_server->setRoute(kDrawPagePath, closes);
        startWith(firstDraws(3));
        runWithTimer();
        QCOMPARE(m_prompter.titles(), QStringList {kConnectionTitle});
        QCOMPARE(m_prompter.boxes[0].text,
                 QStringLiteral("No conectado: Compruebe la conexión a internet. Si es correcta, pruebe más tarde ya "
                                "que no es posible conectar con el servidor de ONLAE."));
        // The draws are in; they are checked and listed all the same.
        QCOMPARE(drawFileBytes(), Fixtures::bytesOf(Fixtures::searchPageDraws()));
        QCOMPARE(m_host->scrutinies, QList<int> {4});
        QCOMPARE(Fixtures::readFile(path("www2.txt")), SearchPages::fixture("busqueda.html"));
        QCOMPARE(m_host->reports.size(), 1);
        QVERIFY(!m_host->reports[0].showDocument);
        QVERIFY(Wording::reportMessage(m_host->reports[0]).contains(QStringLiteral("ATENCIÓN:")));
        QCOMPARE(m_download->statusText(), kFinished);
        QVERIFY(m_download->outcome().connectionError);
        QVERIFY(!m_download->outcome().succeeded());
    }

    void corruptPage()
    {
        m_server->setPage(kSearchPath, SearchPages::fixture("busqueda.html").replace("combi", "bolas"));
        startWith(firstDraws(3));
        runWithTimer();
        QCOMPARE(m_prompter.titles(), QStringList {QStringLiteral("Error crítico")});
        QCOMPARE(m_prompter.boxes[0].icon, Prompter::Icon::Critical);
        QCOMPARE(drawFileBytes(), Fixtures::bytesOf(firstDraws(3)));
        QVERIFY(m_download->parseFailed());
        QVERIFY(m_host->scrutinies.isEmpty());
        QVERIFY(m_host->reports.isEmpty());
        // No support address is configured: the report names none.
        QCOMPARE(m_host->reportMessage, QStringLiteral("\nERROR DE INTERPRETACIÓN DE DATOS:"));
        // The page of the newest heading is still fetched and saved.
        QCOMPARE(Fixtures::readFile(path("www2.txt")), SearchPages::fixture("sorteo.html"));
        QCOMPARE(m_download->statusText(), kFinished);
        QVERIFY(m_download->outcome().dataError);
        QVERIFY(!m_download->outcome().succeeded());
    }

    // A key number of 10 in the newest draw: the older new draws are stored,
    // and the draw file stays one the draw list accepts.
    void invalidNewestDraw()
    {
        QByteArray page = SearchPages::fixture("busqueda.html");
        page.replace(page.indexOf("q\"\">4<"), 6, "q\"\">10<");
        m_server->setPage(kSearchPath, page);
        startWith(firstDraws(3));
        runWithTimer();
        // The draw left out is missing, and the ways in are offered.
        QCOMPARE(m_prompter.titles(), (QStringList {QStringLiteral("Pruebe mas tarde"), QStringLiteral("Faltan sorteos")}));
        QCOMPARE(m_prompter.boxes[0].text, QStringLiteral("Aun no hay datos de sorteos del 2026."));
        QVERIFY(m_prompter.boxes[1].text.startsWith(QStringLiteral("Falta 1 sorteo (del 06/12/2026).")));
        QCOMPARE(drawFileBytes(), Fixtures::bytesOf(firstDraws(6)));
        QCOMPARE(m_session->rejectedDrawFiles(), 0);
        QCOMPARE(m_session->storedDraws(), 6);
        QCOMPARE(m_host->scrutinies, QList<int> {3});
        QCOMPARE(m_host->storedDrawsText, QStringLiteral("3 sorteos"));
        QVERIFY(m_download->outcome().dataError);
    }

    void pendingNewestDraw()
    {
        m_server->setPage(kSearchPath, SearchPages::fixture("busqueda_pendiente.html"));
        startWith(firstDraws(3));
        runWithTimer();
        // Two days after it, a draw without its numbers is a missing one.
        QCOMPARE(m_prompter.titles(), QStringList {QStringLiteral("Faltan sorteos")});
        QCOMPARE(m_download->outcome().missingDates, std::vector<QDate> {QDate(2026, 12, 6)});
        QCOMPARE(drawFileBytes(), Fixtures::bytesOf(firstDraws(6)));
        QCOMPARE(m_host->scrutinies, QList<int> {3});
        QVERIFY(m_download->outcome().succeeded());
    }

    void reportDocumentNotPdf()
    {
        m_server->setPage(kDocumentPath, "<html>Mantenimiento</html>");
        startWith(firstDraws(3));
        runWithTimer();
        QCOMPARE(m_host->reports.size(), 1);
        QVERIFY(!m_host->reports[0].showDocument);
        QCOMPARE(Wording::reportMessage(m_host->reports[0]),
                 QStringLiteral("\nATENCIÓN:\nLos datos del sorteo aún no están disponibles. Intente más tarde."));
        QVERIFY(m_download->outcome().reportMissing);
        QVERIFY(m_download->outcome().succeeded());
    }

    void computerDateBehind()
    {
        m_clock.setToday({2026, 12, 5});
        startWith(Fixtures::searchPageDraws());
        QVERIFY(!m_download->start());
        // The front end shows the refusal's box.
        QVERIFY(m_prompter.boxes.isEmpty());
        const std::vector<OutcomeBox> boxes = outcomeBoxes(m_download->refusal());
        QCOMPARE(boxes.size(), std::size_t(1));
        QCOMPARE(boxes[0].title, QStringLiteral("Error de fechas"));
        QCOMPARE(boxes[0].icon, Prompter::Icon::Information);
        QCOMPARE(boxes[0].text,
                 QStringLiteral("La fecha de tu ordenador parece incorrecta. Existen sorteos en la base de datos con "
                                "fechas porsteriores a la actual. Comprueba la fecha de tu ordenador."));
        QVERIFY(m_server->requests().isEmpty());
        QCOMPARE(drawFileBytes(), Fixtures::bytesOf(Fixtures::searchPageDraws()));
    }

    void newsWindowOpen()
    {
        startWith(firstDraws(3));
        m_host->newsShown = true;
        QVERIFY(!m_download->start());
        QVERIFY(m_server->requests().isEmpty());
        QVERIFY(m_prompter.boxes.isEmpty());
        QVERIFY(m_host->statusTexts.isEmpty());
    }

    // A second click while bytes arrive starts nothing.
    void noSecondSession()
    {
        startWith(firstDraws(3));
        QList<bool> secondStarts;
        m_host->onBytes = [&] { secondStarts << m_download->start(); };
        runWithTimer();
        QVERIFY(!secondStarts.isEmpty());
        QVERIFY(!secondStarts.contains(true));
        QCOMPARE(m_server->requestsFor(kSearchPath), 1);
        QCOMPARE(drawFileBytes(), Fixtures::bytesOf(Fixtures::searchPageDraws()));
    }
};

QTEST_GUILESS_MAIN(TestDownloadSession)
#include "tst_downloadsession.moc"
