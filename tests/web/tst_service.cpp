// The operator's results service: reading its answers, planning the
// requests, and whole downloads against it on 127.0.0.1 over a real Session,
// asserting numeros.dat, premios.json, the requests made and the boxes.

#include "base/calendar.h"
#include "base/clock.h"
#include "core/session.h"
#include "core/sessiondownloadhost.h"
#include "store/cents.h"
#include "store/oledate.h"
#include "support/fakeservice.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"
#include "support/searchpages.h"
#include "web/downloadsession.h"
#include "web/networktransfer.h"
#include "web/servicesource.h"
#include "wording/outcomewording.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

namespace
{
    const QDate kToday(2026, 12, 8); // a Tuesday

    QByteArray realExample()
    {
        return TestHttpServer::readFixture(QStringLiteral("service/buscadorSorteos-2025-01.json"));
    }

    QByteArray arrayOf(const QJsonObject &draw)
    {
        return QJsonDocument(QJsonArray {draw}).toJson();
    }

    QJsonObject with(QJsonObject draw, const char *key, const QJsonValue &value)
    {
        draw.insert(QLatin1String(key), value);
        return draw;
    }
}

class TestService : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TestHttpServer> m_server;
    std::unique_ptr<FakeService> m_service;
    FixedClock m_clock {kToday};
    RecordingPrompter m_prompter;
    std::unique_ptr<Session> m_session;

    QString path(const char *name) const { return m_dir->filePath(QString::fromLatin1(name)); }

    void startSession(const std::vector<DrawRecord> &stored)
    {
        QVERIFY(Fixtures::writeFile(path("numeros.dat"), Fixtures::bytesOf(stored)));
        Endpoints endpoints;
        endpoints.operatorSite = m_server->baseUrl();
        m_session = std::make_unique<Session>(m_clock, m_prompter, endpoints);
        QVERIFY(m_session->start(m_dir->path()));
        m_prompter.boxes.clear();
    }

    // One download as quorvale-cli update runs it.
    DownloadSession::Outcome download(DownloadSession::Source source = DownloadSession::Source::Auto, bool quiet = false)
    {
        NetworkTransfer transfer;
        transfer.setTimeout(800);
        SessionDownloadHost host(*m_session);
        host.setQuiet(quiet);
        DownloadSession session(host, transfer, m_session->endpoints());
        session.setTickInterval(5);
        session.setSource(source);
        session.runToCompletion();
        m_prompter.report(session.result());
        return session.outcome();
    }

    QStringList serviceRequests() const
    {
        QStringList list;
        for (const QString &target : m_server->requests()) {
            if (target.startsWith(QLatin1String("/servicios/")))
                list << target;
        }
        return list;
    }

    // Stored Sundays from `from`, one a week, with made-up numbers.
    static std::vector<DrawRecord> sundays(QDate from, int count)
    {
        std::vector<DrawRecord> draws;
        for (int i = 0; i < count; ++i)
            draws.push_back(Fixtures::draw(from.addDays(7 * i), {1 + i % 40, 10 + i % 40, 20 + i % 30, 51, 54 - i % 2}, i % 10));
        return draws;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_server = std::make_unique<TestHttpServer>();
        QVERIFY(m_server->listen());
        m_service = std::make_unique<FakeService>(*m_server);
        m_server->setPage(QStringLiteral("/es/buscador"), SearchPages::fixture("busqueda.html"));
        m_clock.setToday(kToday);
        m_prompter.boxes.clear();
    }

    void cleanup()
    {
        m_session.reset();
        m_service.reset();
        m_server.reset();
    }

    void amounts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("plain"); // Cents::parse, -1 refused
        QTest::addColumn<qint64>("grouped"); // Cents::parseGrouped
        QTest::newRow("comma") << "11509,11" << qint64(1150911) << qint64(1150911);
        QTest::newRow("point") << "11509.11" << qint64(1150911) << qint64(-1);
        QTest::newRow("one decimal") << "3,5" << qint64(350) << qint64(350);
        QTest::newRow("whole") << " 150 " << qint64(15000) << qint64(15000);
        QTest::newRow("grouped") << "1.234.567,89" << qint64(-1) << qint64(123456789);
        QTest::newRow("bad group") << "12.34,00" << qint64(-1) << qint64(-1);
        QTest::newRow("three decimals") << "1,234" << qint64(-1) << qint64(-1);
        QTest::newRow("sign") << "-3,00" << qint64(-1) << qint64(-1);
        QTest::newRow("empty") << "" << qint64(-1) << qint64(-1);
        QTest::newRow("beyond exact") << "90071992547409,92" << qint64(-1) << qint64(-1);
    }

    void amounts()
    {
        QFETCH(QString, text);
        QFETCH(qint64, plain);
        QFETCH(qint64, grouped);
        QCOMPARE(Cents::parse(text).value_or(-1), plain);
        QCOMPARE(Cents::parseGrouped(text).value_or(-1), grouped);
        if (grouped >= 0)
            QCOMPARE(Cents::parseGrouped(Cents::format(grouped)).value_or(-1), grouped);
    }

    void reader_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<int>("draws");
        QTest::addColumn<QDate>("firstInvalid");
        QTest::addColumn<bool>("undated");
        QTest::addColumn<bool>("finalReports");

        const QDate d(2025, 1, 12);
        const QJsonObject good = FakeService::draw(d, {34, 6, 39, 27, 33}, 8);
        QTest::newRow("real example") << realExample() << false << 4 << QDate() << false << true;
        QTest::newRow("empty array") << QByteArray("[]") << false << 0 << QDate() << false << true;
        QTest::newRow("nothing found") << QByteArray("\"No se ha encontrado\"") << false << 0 << QDate() << false << true;
        QTest::newRow("html") << QByteArray("<html><body>Mantenimiento</body></html>") << true << 0 << QDate() << false << true;
        QTest::newRow("empty body") << QByteArray() << true << 0 << QDate() << false << true;
        QTest::newRow("object") << QByteArray("{\"error\": 1}") << true << 0 << QDate() << false << true;
        QTest::newRow("not objects") << QByteArray("[1, 2]") << true << 0 << QDate() << false << true;
        QTest::newRow("draw night") << arrayOf(FakeService::draw(d, {1, 2, 3, 4, 5}, 0, false)) << false << 1 << QDate() << false << false;
        QTest::newRow("decimal point") << arrayOf(good).replace("6923,14", "6923.14") << false << 1 << QDate() << false << true;
        QTest::newRow("row missing") << arrayOf(good).replace("\"categoria\": 9", "\"categoria\": 8") << false << 1 << QDate() << false << false;
        QTest::newRow("other game") << arrayOf(with(good, "game_id", QStringLiteral("LAPR"))) << false << 0 << d << false << true;
        QTest::newRow("number 55") << arrayOf(with(good, "combinacion", QStringLiteral("06 - 27 - 33 - 34 - 55 R(8)"))) << false << 0 << d << false << true;
        QTest::newRow("repeat") << arrayOf(with(good, "combinacion", QStringLiteral("06 - 27 - 33 - 34 - 34 R(8)"))) << false << 0 << d << false << true;
        QTest::newRow("key 10") << arrayOf(with(good, "combinacion", QStringLiteral("06 - 27 - 33 - 34 - 39 R(10)"))) << false << 0 << d << false << true;
        QTest::newRow("saturday") << arrayOf(with(good, "fecha_sorteo", QStringLiteral("2025-01-11 21:30:00"))) << false << 0 << QDate(2025, 1, 11) << false << true;
        QTest::newRow("not asked") << arrayOf(with(good, "fecha_sorteo", QStringLiteral("2025-02-02 21:30:00"))) << false << 0 << QDate() << true << true;
        QTest::newRow("undated") << arrayOf(with(good, "fecha_sorteo", QStringLiteral("ayer"))) << false << 0 << QDate() << true << true;
    }

    void reader()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, refused);
        QFETCH(int, draws);
        QFETCH(QDate, firstInvalid);
        QFETCH(bool, undated);
        QFETCH(bool, finalReports);

        const ServiceAnswer answer = readServiceAnswer(body, {2025, 1, 1}, {2025, 1, 31}, {2025, 2, 1});
        QCOMPARE(answer.refused, refused);
        QCOMPARE(int(answer.draws.size()), draws);
        QCOMPARE(answer.firstInvalid, firstInvalid);
        QCOMPARE(answer.undatedInvalid, undated);
        for (const ServiceDraw &draw : answer.draws)
            QCOMPARE(draw.report.isFinal(), finalReports);
    }

    // The real January 2025: numbers sorted, rows by category, exact cents.
    void realFigures()
    {
        const ServiceAnswer answer = readServiceAnswer(realExample(), {2025, 1, 1}, {2025, 1, 31}, {2025, 2, 1});
        QCOMPARE(answer.draws.size(), std::size_t(4));
        const ServiceDraw &third = answer.draws[2];
        QCOMPARE(third.date, QDate(2025, 1, 19));
        QCOMPARE(third.draw, Fixtures::draw({2025, 1, 19}, {6, 9, 13, 30, 36}, 5));
        QCOMPARE(third.report.row(2), (PrizeRow {1, 15091101}));
        QCOMPARE(third.report.row(PrizeReport::kReintegro).prizeCents, 150);
    }

    void plan()
    {
        const QDate sunday(2026, 12, 6);
        // One week behind: one date, by fechav3.
        auto plan = ServiceSource::plan(sunday.addDays(-7), kToday, {});
        QCOMPARE(plan.requests.size(), std::size_t(1));
        QCOMPARE(plan.requests[0].url(Endpoints {}).toString(),
                 QStringLiteral("https://www.loteriasyapuestas.es/servicios/fechav3?game_id=ELGR&fecha_sorteo=20261206"));
        // Eight dates still go one by one; nine go by range.
        QCOMPARE(ServiceSource::plan(sunday.addDays(-56), kToday, {}).requests.size(), std::size_t(8));
        plan = ServiceSource::plan(sunday.addDays(-63), kToday, {});
        QCOMPARE(plan.requests.size(), std::size_t(1));
        QVERIFY(plan.requests[0].url(Endpoints {}).toString().endsWith(QStringLiteral("buscadorSorteos?game_id=ELGR&celebrados=true&fechaInicioInclusiva=20261011&fechaFinInclusiva=20261208")));
        // Two years behind: ranges of one year at most, end to end.
        plan = ServiceSource::plan(sunday.addYears(-2), kToday, {});
        QCOMPARE(plan.requests.size(), std::size_t(2));
        QCOMPARE(plan.requests[1].from, plan.requests[0].to.addDays(7));
        for (const auto &request : plan.requests)
            QVERIFY(request.to < request.from.addYears(1));
    }

    // Done when: a year-old directory comes up to date in one download,
    // every report stored; a draw-night report is completed the next time.
    void yearBehind()
    {
        const QDate newest(2025, 12, 7);
        startSession(sundays(newest.addDays(-21), 4));
        const auto due = expectedDrawDates(newest, kToday);
        QCOMPARE(due.size(), std::size_t(52));
        for (std::size_t i = 0; i < due.size(); ++i)
            m_service->add(due[i], {int(i % 50) + 1, 51, 52, 53, 54}, int(i % 10), i + 1 < due.size());

        const auto first = download();
        QVERIFY(first.succeeded());
        QVERIFY(first.fromService);
        QVERIFY(serviceRequests().size() <= 3);
        QCOMPARE(m_server->requestsFor(QStringLiteral("/es/buscador")), 0);
        QCOMPARE(first.newDraws, due);
        QCOMPARE(first.pendingReports, std::vector<QDate>(1, due.back()));
        QCOMPARE(first.missing, 0);
        QCOMPARE(m_session->storedDraws(), 56);
        QCOMPARE(m_prompter.boxes.size(), 0);

        // What is on disk reads back as stored.
        DiskFileOps files;
        PrizeReportFile file(files);
        QCOMPARE(file.load(path("premios.json")), PrizeReportFile::Load::Ok);
        QCOMPARE(file.report(due.front()).row(3), (PrizeRow {29, 692314}));
        QCOMPARE(file.report(due.back()).status, PrizeReport::Status::Pending);

        // The report comes out: the next download asks for it alone.
        m_service->add(due.back(), {int((due.size() - 1) % 50) + 1, 51, 52, 53, 54}, int((due.size() - 1) % 10));
        const QByteArray draws = Fixtures::readFile(path("numeros.dat"));
        const int before = int(serviceRequests().size());
        const auto second = download();
        QVERIFY(second.succeeded());
        QCOMPARE(serviceRequests().size(), before + 1);
        QVERIFY(second.newDraws.empty());
        QVERIFY(second.pendingReports.empty());
        QCOMPARE(Fixtures::readFile(path("numeros.dat")), draws);
        QVERIFY(m_session->newestDrawReport().isFinal());
    }

    // No draw on a Sunday, however the service says it, is no hole; an
    // invalid draw keeps only the older ones.
    void gaps_data()
    {
        QTest::addColumn<int>("empty");
        QTest::addColumn<bool>("invalidMiddle");
        QTest::newRow("404") << int(FakeService::Empty::NotFound) << false;
        QTest::newRow("[]") << int(FakeService::Empty::EmptyArray) << false;
        QTest::newRow("string") << int(FakeService::Empty::Message) << false;
        QTest::newRow("invalid in the middle") << int(FakeService::Empty::NotFound) << true;
    }

    void gaps()
    {
        QFETCH(int, empty);
        QFETCH(bool, invalidMiddle);
        startSession(sundays({2026, 11, 8}, 1));
        m_service->empty = FakeService::Empty(empty);
        m_service->add({2026, 11, 15}, {1, 2, 3, 4, 5}, 1);
        // 22 November: no draw (or an invalid one).
        if (invalidMiddle)
            m_service->add(with(FakeService::draw({2026, 11, 22}, {1, 2, 3, 4, 5}, 1), "game_id", QStringLiteral("LAPR")));
        m_service->add({2026, 11, 29}, {6, 7, 8, 9, 10}, 2);
        m_service->add({2026, 12, 6}, {11, 12, 13, 14, 15}, 3);

        const auto outcome = download();
        // The four Sundays due, and the stored draw's missing report.
        QCOMPARE(serviceRequests().size(), 5);
        QCOMPARE(int(outcome.newDraws.size()), invalidMiddle ? 1 : 3);
        QCOMPARE(m_session->storedDraws(), 1 + int(outcome.newDraws.size()));
        QCOMPARE(outcome.missing, invalidMiddle ? 3 : 0);
        QCOMPARE(outcome.succeeded(), !invalidMiddle);
        // The draws left out are missing, and the user is offered the ways in.
        if (invalidMiddle)
            QCOMPARE(m_prompter.titles(), (QStringList {QStringLiteral("Pruebe mas tarde"), QStringLiteral("Faltan sorteos")}));
    }

    // Every download fills the reports of every draw a peña played, further
    // back than 52 weeks, a year a request; a download that brings only
    // reports says so instead of "Pruebe más tarde".
    void reportsSinceTheOldestSyndicate()
    {
        const QDate created(2025, 3, 2);
        std::vector<DrawRecord> stored;
        for (QDate date = created; date <= QDate(2026, 12, 6); date = date.addDays(7)) {
            const int i = int(stored.size());
            stored.push_back(Fixtures::draw(date, {1 + i % 10, 11 + i % 10, 21 + i % 10, 31 + i % 10, 41 + i % 10}, i % 10));
            m_service->add(date, {1 + i % 10, 11 + i % 10, 21 + i % 10, 31 + i % 10, 41 + i % 10}, i % 10);
        }
        QVERIFY(Fixtures::writeFile(path("apuestas.dat"), Fixtures::bytesOf(std::vector {Fixtures::simpleSyndicate(QStringLiteral("VIEJA"), {{1, 2, 3, 4, 5}}, 0, created)})));
        startSession(stored);

        const auto outcome = download();
        QVERIFY(outcome.succeeded());
        QCOMPARE(serviceRequests().size(), 2);
        QCOMPARE(outcome.storedReports, int(stored.size()));
        for (const DrawRecord &draw : stored)
            QVERIFY(m_session->prizeReports().report(draw.qdate()).isComplete());
        QCOMPARE(m_prompter.titles(), QStringList {QStringLiteral("Informes de premios")});
        QCOMPARE(m_prompter.boxes.first().text, QStringLiteral("Se han guardado %1 informes de premios").arg(stored.size()));
        QCOMPARE(m_prompter.boxes.first().icon, Prompter::Icon::Information);
        QCOMPARE(m_session->money().totals(1).unpricedDraws, 0);

        // Nothing left to ask for but today's week.
        m_prompter.boxes.clear();
        const auto again = download();
        QCOMPARE(again.storedReports, 0);
        QCOMPARE(m_prompter.titles(), QStringList {QStringLiteral("Pruebe más tarde")});

        // While the program closes, the same run tells nothing.
        m_prompter.boxes.clear();
        download(DownloadSession::Source::Auto, true);
        QVERIFY(m_prompter.boxes.isEmpty());
    }

    // The pages' amounts lack winners and the reintegro: the service is
    // asked for the whole report, which takes their place.
    void pageReportCompleted()
    {
        const auto stored = sundays({2026, 11, 29}, 2);
        startSession(stored);
        PrizeReport pages;
        pages.date = {2026, 12, 6};
        pages.status = PrizeReport::Status::Final;
        pages.source = PrizeReport::Source::Pages;
        for (int category = 1; category < PrizeReport::kReintegro; ++category)
            pages.row(category) = {PrizeRow::kUnknown, 300};
        pages.row(PrizeReport::kReintegro) = {PrizeRow::kUnknown, PrizeRow::kUnknown};
        m_session->prizeReports().put(pages);
        QCOMPARE(m_session->prizeReports().save(), FileOps::Result::Ok);
        m_service->add({2026, 12, 6}, {2, 11, 21, 51, 53}, 1);

        const auto outcome = download(DownloadSession::Source::Service);
        QVERIFY(outcome.succeeded());
        QVERIFY(serviceRequests().contains(QStringLiteral("/servicios/fechav3?game_id=ELGR&fecha_sorteo=20261206")));
        QVERIFY(m_session->newestDrawReport().isComplete());
        QCOMPARE(m_session->newestDrawReport().row(PrizeReport::kReintegro).prizeCents, 150);
    }

    // A year answered with nothing, then a year of draws: the service is
    // failing, and the later year must not be stored over the hole. Nothing
    // newer found: the Sundays simply had no draw.
    void unvouchedSundays()
    {
        const QDate newest(2024, 12, 1);
        startSession(sundays(newest.addDays(-21), 4));
        const QByteArray before = Fixtures::readFile(path("numeros.dat"));
        const auto due = expectedDrawDates(newest, kToday);
        const ServiceSource::Plan plan = ServiceSource::plan(newest, kToday, {});
        QCOMPARE(plan.requests.size(), std::size_t(2));
        for (const QDate &date : due) {
            if (date > plan.requests[0].to)
                m_service->add(date, {1, 2, 3, 4, 5}, 1);
        }
        const auto outcome = download(DownloadSession::Source::Service);
        QVERIFY(outcome.newDraws.empty());
        QCOMPARE(outcome.missing, int(due.size()));
        QCOMPARE(Fixtures::readFile(path("numeros.dat")), before);
        QCOMPARE(m_prompter.titles(), QStringList {QStringLiteral("Faltan sorteos")});

        const auto answer = [&](std::size_t i, const QByteArray &body) {
            return readServiceAnswer(body, plan.requests[i].from, plan.requests[i].to, kToday);
        };
        const QByteArray secondYear = QJsonDocument(QJsonArray {FakeService::draw(due.back(), {1, 2, 3, 4, 5}, 1)}).toJson();
        auto concluded = ServiceSource::conclude(plan, {answer(0, "[]"), answer(1, secondYear)}, {});
        QCOMPARE(concluded.unvouched, due.front());
        QVERIFY(concluded.newDraws.empty());
        // Silence everywhere proves nothing: no due Sunday is taken for a
        // Sunday without a draw unless a later draw is listed.
        concluded = ServiceSource::conclude(plan, {answer(0, "[]"), answer(1, "[]")}, {});
        QCOMPARE(concluded.unvouched, due.front());
        QVERIFY(concluded.noDraw.empty());
        // A draw dated outside the range asked for: where it belongs is
        // unknown, so nothing of its range is new.
        const QJsonObject stray = with(FakeService::draw(due[60], {1, 2, 3, 4, 5}, 1), "fecha_sorteo", QStringLiteral("2031-01-05 21:30:00"));
        const QByteArray withStray = QJsonDocument(QJsonArray {FakeService::draw(due.back(), {1, 2, 3, 4, 5}, 1), stray}).toJson();
        QJsonArray firstYearDraws;
        for (const QDate &date : due) {
            if (date <= plan.requests[0].to)
                firstYearDraws.append(FakeService::draw(date, {1, 2, 3, 4, 5}, 1));
        }
        const QByteArray firstYear = QJsonDocument(firstYearDraws).toJson();
        concluded = ServiceSource::conclude(plan, {answer(0, firstYear), answer(1, withStray)}, {});
        QVERIFY(concluded.invalid);
        QCOMPARE(concluded.newDraws.size(), std::size_t(firstYearDraws.size()));
    }

    // Every refusal stops the service at once and keeps nothing of it; in
    // auto mode the classic pages take over.
    void refusals_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("behaviour");
        QTest::addColumn<int>("failFrom");
        const int answer = int(TestHttpServer::Behaviour::Answer);
        QTest::newRow("403") << 403 << QByteArray("<html>denied</html>") << answer << 1;
        QTest::newRow("406 on the second") << 406 << QByteArray() << answer << 2;
        QTest::newRow("html with 200") << 200 << QByteArray("<!DOCTYPE html><html></html>") << answer << 2;
        QTest::newRow("other shape") << 200 << QByteArray("{\"sorteos\": []}") << answer << 1;
        QTest::newRow("500") << 500 << QByteArray("[]") << answer << 1;
        QTest::newRow("404 page") << 404 << QByteArray("<html>Not Found</html>") << answer << 1;
        QTest::newRow("connection closed") << 200 << QByteArray() << int(TestHttpServer::Behaviour::Close) << 2;
        QTest::newRow("time-out") << 200 << QByteArray() << int(TestHttpServer::Behaviour::Stall) << 1;
    }

    void refusals()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(int, behaviour);
        QFETCH(int, failFrom);
        const auto stored = sundays({2026, 11, 15}, 1);
        for (auto source : {DownloadSession::Source::Service, DownloadSession::Source::Auto}) {
            init();
            startSession(stored);
            m_service->add({2026, 11, 22}, {1, 2, 3, 4, 5}, 1);
            m_service->add({2026, 11, 29}, {6, 7, 8, 9, 10}, 2);
            m_service->add({2026, 12, 6}, {11, 12, 13, 14, 15}, 3);
            m_service->failFrom = failFrom;
            m_service->failure.status = status;
            m_service->failure.body = body;
            m_service->failure.behaviour = TestHttpServer::Behaviour(behaviour);

            const auto outcome = download(source);
            // Qt's network layer sends a request once more, by itself, when
            // a reused connection closes before answering; it is one transfer.
            const bool resent = behaviour == int(TestHttpServer::Behaviour::Close) && serviceRequests().size() == failFrom + 1;
            QVERIFY2(serviceRequests().size() == failFrom || resent, qPrintable(serviceRequests().join(QLatin1Char(' '))));
            QVERIFY(!QFile::exists(path("premios.json")) || source == DownloadSession::Source::Auto);
            if (source == DownloadSession::Source::Service) {
                QVERIFY(!outcome.succeeded());
                QVERIFY(outcome.connectionError);
                QCOMPARE(Fixtures::readFile(path("numeros.dat")), Fixtures::bytesOf(stored));
                // The edge's refusals are told as such, not as a network failure.
                const bool blocked = status == 403 || status == 406;
                QCOMPARE(outcome.blocked, blocked);
                QCOMPARE(m_prompter.titles(), QStringList {blocked ? QStringLiteral("Descarga rechazada") : QStringLiteral("Error de conexión")});
            } else {
                // The pages list 22 November to 6 December.
                QVERIFY(!outcome.fromService);
                QCOMPARE(m_server->requestsFor(QStringLiteral("/es/buscador")), 1);
                QCOMPARE(outcome.newDraws.size(), std::size_t(3));
                // The stored draw's report is wanted too.
                QCOMPARE(outcome.pendingReports.size(), std::size_t(4));
            }
            cleanup();
        }
    }

    // The site's front page first, its cookie kept: a service that answers
    // only a client carrying it is answered. Every service request carries
    // the headers a browser on the site sends.
    void warmUpCookie()
    {
        startSession(sundays({2026, 11, 22}, 1));
        TestHttpServer::Route front;
        front.body = "<html>Loterias</html>";
        front.headers = "Set-Cookie: ak_bmsc=c0ffee; Path=/\r\n";
        m_server->setRoute(QStringLiteral("/"), front);
        m_service->requiredCookie = "ak_bmsc=c0ffee";
        m_service->add({2026, 11, 29}, {6, 7, 8, 9, 10}, 2);
        m_service->add({2026, 12, 6}, {11, 12, 13, 14, 15}, 3);

        const auto outcome = download(DownloadSession::Source::Service);
        QVERIFY2(outcome.succeeded(), qPrintable(m_prompter.titles().join(QLatin1Char(','))));
        QCOMPARE(outcome.newDraws.size(), std::size_t(2));
        QCOMPARE(outcome.missing, 0);
        QCOMPARE(m_server->requests().first(), QStringLiteral("/"));
        const QByteArray origin = "Origin: " + m_server->baseUrl().toEncoded(QUrl::StripTrailingSlash);
        for (const QByteArray &head : m_server->requestHeads()) {
            if (!head.startsWith("GET /servicios/"))
                continue;
            for (const QByteArray &header : {QByteArray("Accept-Language: es-ES"), QByteArray("Cache-Control: no-cache"),
                                             QByteArray("User-Agent: Quorvale/"), origin, QByteArray("Referer: http://127.0.0.1")})
                QVERIFY2(head.contains(header), head.constData());
        }
        // Without the front page's cookie the same service refuses.
        m_server->setRoute(QStringLiteral("/"), TestHttpServer::Route {});
        m_service->requiredCookie = "other=1";
        m_prompter.boxes.clear();
        QVERIFY(download(DownloadSession::Source::Service).blocked);
    }

    // The edge's block page on every request: the operator refused the
    // program. Nothing stored, the draws still missing counted, and the
    // browser's address of the missing range offered.
    void akamaiBlock()
    {
        startSession(sundays({2026, 11, 15}, 1));
        m_service->failFrom = 1;
        m_service->failure.status = 403;
        m_service->failure.body = TestHttpServer::readFixture(QStringLiteral("service/blocked-403.html"));
        // The classic pages are gone too.
        m_server->setPage(QStringLiteral("/es/buscador"), "not found", 404);
        const auto outcome = download();
        QVERIFY(outcome.blocked);
        QVERIFY(!outcome.succeeded());
        QCOMPARE(outcome.missing, 3);
        QCOMPARE(outcome.browserUrl.path(), QStringLiteral("/servicios/buscadorSorteos"));
        QVERIFY(outcome.browserUrl.query().contains(QStringLiteral("fechaInicioInclusiva=20261122&fechaFinInclusiva=20261206")));
        QCOMPARE(m_prompter.titles(), QStringList {QStringLiteral("Descarga rechazada")});
        QVERIFY(m_prompter.boxes.first().text.contains(QStringLiteral("ha rechazado al programa")));
        QCOMPARE(m_session->storedDraws(), 1);

        // A refused front page is no refusal of the service.
        cleanup();
        init();
        startSession(sundays({2026, 11, 22}, 1));
        m_server->setPage(QStringLiteral("/"), TestHttpServer::readFixture(QStringLiteral("service/blocked-403.html")), 403);
        m_service->add({2026, 11, 29}, {6, 7, 8, 9, 10}, 2);
        m_service->add({2026, 12, 6}, {11, 12, 13, 14, 15}, 3);
        QVERIFY(download(DownloadSession::Source::Service).succeeded());
        QCOMPARE(m_session->storedDraws(), 3);
    }

    // A service that says "nothing" to every request while Sundays are due
    // is no proof that they had no draw: the draws are missing, and never
    // "no new draws". On draw night the newest Sunday is pending instead.
    void silenceIsNoAnswer_data()
    {
        QTest::addColumn<int>("empty");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("missing");
        QTest::newRow("404, six due") << int(FakeService::Empty::NotFound) << QDate(2026, 12, 8) << 6;
        QTest::newRow("[], six due") << int(FakeService::Empty::EmptyArray) << QDate(2026, 12, 8) << 6;
        QTest::newRow("draw night") << int(FakeService::Empty::NotFound) << QDate(2026, 12, 6) << 5;
        QTest::newRow("the day after") << int(FakeService::Empty::Message) << QDate(2026, 12, 7) << 5;
        QTest::newRow("only tonight's due") << int(FakeService::Empty::NotFound) << QDate(2026, 11, 1) << 0;
    }

    void silenceIsNoAnswer()
    {
        QFETCH(int, empty);
        QFETCH(QDate, today);
        QFETCH(int, missing);
        m_clock.setToday(today);
        startSession(sundays({2026, 10, 25}, 1));
        m_service->empty = FakeService::Empty(empty);
        const QByteArray before = Fixtures::readFile(path("numeros.dat"));
        const auto outcome = download(DownloadSession::Source::Service);
        QCOMPARE(outcome.missing, missing);
        QCOMPARE(Fixtures::readFile(path("numeros.dat")), before);
        if (missing == 0) {
            QCOMPARE(m_prompter.titles(), QStringList {QStringLiteral("Pruebe más tarde")});
            return;
        }
        QCOMPARE(m_prompter.titles(), QStringList {QStringLiteral("Faltan sorteos")});
        QVERIFY2(m_prompter.boxes.first().text.startsWith(QStringLiteral("Faltan %1 sorteos (del 01/11/2026 al %2)")
                                                              .arg(missing)
                                                              .arg(outcome.missingDates.back().toString(QStringLiteral("dd/MM/yyyy")))),
                 qPrintable(m_prompter.boxes.first().text));
        QVERIFY(!outcome.browserUrl.isEmpty());

        // Tonight's draw, published: stored, and nothing else is missing.
        if (today == QDate(2026, 12, 6)) {
            m_prompter.boxes.clear();
            const auto due = expectedDrawDates({2026, 10, 25}, today);
            for (std::size_t i = 0; i < due.size(); ++i)
                m_service->add(due[i], {int(i) + 1, 20, 30, 40, 50}, 1, i + 1 < due.size());
            const auto night = download(DownloadSession::Source::Service);
            QVERIFY(night.succeeded());
            QCOMPARE(night.missing, 0);
            QCOMPARE(night.pendingReports.back(), today);
        }
    }

    // A Sunday a range answer leaves out while listing later draws is asked
    // for on its own before anything after it is stored. Only fechav3
    // saying "no draw" makes it a day without a draw: kept in premios.json,
    // never asked again, never a hole. Otherwise storing stops before it.
    void serviceHoles_data()
    {
        QTest::addColumn<int>("empty"); // how fechav3 says "no draw"
        QTest::addColumn<bool>("heldDraw"); // fechav3 gives the draw
        QTest::addColumn<int>("failure"); // fechav3's status for that date; 0: answered
        QTest::addColumn<int>("stored"); // of the 13 Sundays due
        const int notFound = int(FakeService::Empty::NotFound);
        QTest::newRow("404") << notFound << false << 0 << 12;
        QTest::newRow("[]") << int(FakeService::Empty::EmptyArray) << false << 0 << 12;
        QTest::newRow("string") << int(FakeService::Empty::Message) << false << 0 << 12;
        QTest::newRow("fechav3 gives the draw") << notFound << true << 0 << 13;
        QTest::newRow("fechav3 refused") << notFound << false << 403 << 9;
        QTest::newRow("fechav3 fails") << notFound << false << 500 << 9;
    }

    void serviceHoles()
    {
        QFETCH(int, empty);
        QFETCH(bool, heldDraw);
        QFETCH(int, failure);
        QFETCH(int, stored);
        const QDate newest(2026, 9, 6);
        const QDate hole(2026, 11, 15);
        startSession(sundays(newest, 1));
        m_service->empty = FakeService::Empty(empty);
        m_service->leftOutOfRanges = {hole};
        const auto due = expectedDrawDates(newest, kToday);
        QCOMPARE(due.size(), std::size_t(13));
        for (std::size_t i = 0; i < due.size(); ++i) {
            if (due[i] != hole || heldDraw)
                m_service->add(due[i], {int(i) + 1, 20, 30, 40, 50}, 1);
        }
        const QString single = QStringLiteral("/servicios/fechav3?game_id=ELGR&fecha_sorteo=20261115");
        if (failure != 0) {
            TestHttpServer::Route route;
            route.status = failure;
            route.body = "<html>Access Denied</html>";
            m_service->raw[single] = route;
        }

        const auto outcome = download(DownloadSession::Source::Service);
        QVERIFY2(serviceRequests().contains(single), qPrintable(serviceRequests().join(QLatin1Char(' '))));
        QCOMPARE(int(outcome.newDraws.size()), stored);
        QCOMPARE(m_session->storedDraws(), 1 + stored);
        const bool noDraw = stored == 12;
        QCOMPARE(outcome.missing, 13 - stored - (noDraw ? 1 : 0));
        QCOMPARE(m_session->prizeReports().noDrawDates().count(hole) == 1, noDraw);
        QCOMPARE(Fixtures::readFile(path("premios.json")).contains("\"sinSorteo\""), noDraw);
        QVERIFY(m_session->drawStatus().holeDates.empty());
        if (!noDraw)
            return;

        // Read back by the next start: not asked again, no hole, nothing missing.
        const Endpoints endpoints = m_session->endpoints();
        m_session.reset();
        m_session = std::make_unique<Session>(m_clock, m_prompter, endpoints);
        QVERIFY(m_session->start(m_dir->path()));
        QVERIFY(m_session->drawStatus().holeDates.empty());
        const auto again = download(DownloadSession::Source::Service);
        QCOMPARE(serviceRequests().count(single), 1);
        QCOMPARE(again.missing, 0);
    }

    // Reports are judged like draws: an answer listing a date twice is
    // taken for nothing; figures no draw ever had leave that report
    // pending (asked for again), and the box names the date, the category
    // and why.
    void hostileReports_data()
    {
        QTest::addColumn<QByteArray>("body"); // fechav3's answer for 6 December
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("named");
        const QJsonObject good = FakeService::draw({2026, 12, 6}, {1, 2, 3, 4, 5}, 1);
        const QByteArray real = arrayOf(good);
        const QJsonArray twice {good, QJsonDocument::fromJson(QByteArray(real).replace("\"6923,14\"", "\"9999999,99\"")).array().first()};
        QTest::newRow("same date twice") << QJsonDocument(twice).toJson() << 0
                                         << QStringLiteral("trae dos veces el sorteo del 06/12/2026");
        QTest::newRow("reintegro of 2^53 - 1 cents")
            << QByteArray(real).replace("\"1,50\"", "\"90071992547409,91\"") << 1
            << QStringLiteral("del 06/12/2026 no es válido (reintegro de 90.071.992.547.409,91 €, fuera de 0,50 € a 3,00 €");
        QTest::newRow("reintegro too cheap") << QByteArray(real).replace("\"1,50\"", "\"0,40\"") << 1
                                             << QStringLiteral("(reintegro de 0,40 €");
        QTest::newRow("over 200 million") << QByteArray(real).replace("\"6923,14\"", "\"200000000,01\"") << 1
                                          << QStringLiteral("(categoría 3: premio de 200.000.000,01 €");
        QTest::newRow("more winners than bets") << QByteArray(real).replace("\"320787\"", "\"2580908\"") << 1
                                                << QStringLiteral("(reintegro: 2.580.908 acertantes, más que las 2.580.907");
    }

    void hostileReports()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, stored);
        QFETCH(QString, named);
        startSession(sundays({2026, 11, 29}, 1));
        TestHttpServer::Route route;
        route.body = body;
        route.contentType = "application/json";
        m_service->raw[QStringLiteral("/servicios/fechav3?game_id=ELGR&fecha_sorteo=20261206")] = route;

        const auto outcome = download(DownloadSession::Source::Service);
        QCOMPARE(m_session->storedDraws(), 1 + stored);
        QVERIFY(!m_session->prizeReports().report({2026, 12, 6}).isFinal());
        QCOMPARE(std::count(outcome.pendingReports.begin(), outcome.pendingReports.end(), QDate(2026, 12, 6)), stored);
        QStringList texts;
        for (const auto &box : m_prompter.boxes)
            texts << box.title + QLatin1String(": ") + box.text;
        QVERIFY2(texts.join(QLatin1Char('\n')).contains(QStringLiteral("Informe de premios no válido: ") + (stored ? QStringLiteral("El informe de premios ") : QString())),
                 qPrintable(texts.join(QLatin1Char('\n'))));
        QVERIFY2(texts.join(QLatin1Char('\n')).contains(named), qPrintable(texts.join(QLatin1Char('\n'))));
    }

    // The premios.json save failure names the reports, then the days
    // without a draw (a long list ends in how many more), then the file's
    // error.
    void reportsNotSavedBox()
    {
        Outcome notSaved(Outcome::Status::Failed, Outcome::Command::Download, Outcome::Cause::DownloadedReportsNotSaved);
        notSaved.file = FileOps::Result::DiskFull;
        notSaved.path = QStringLiteral("/datos/premios.json");
        const QString error = QLatin1Char('\n') + fileErrorText(notSaved.file, notSaved.path);
        const QString noDraw = QStringLiteral("Tampoco se ha podido guardar que no hubo sorteo el 08/11/2026; no se "
                                              "guarda ningún sorteo posterior.");
        notSaved.noDrawDates = {{2026, 11, 8}};
        QCOMPARE(outcomeBox(notSaved).text, noDraw + error);
        for (int i = 0; i < 9; ++i)
            notSaved.dates.push_back(QDate(2026, 10, 4).addDays(7 * i));
        const OutcomeBox box = outcomeBox(notSaved);
        QCOMPARE(box.title, QStringLiteral("Error de escritura"));
        QCOMPARE(box.icon, Prompter::Icon::Warning);
        QCOMPARE(box.text, QStringLiteral("No se han podido guardar en premios.json los informes de premios del 04/10/2026, "
                                          "11/10/2026, 18/10/2026, 25/10/2026, 01/11/2026, 08/11/2026, 15/11/2026, "
                                          "22/11/2026 y 1 más; se volverán a pedir en la próxima descarga. ")
                     + noDraw + error);
    }

    // What counts as the edge refusing the program, and what is only the
    // network or the service failing.
    void blockPages_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("blocked");
        const int http = int(TransferResult::Error::HttpStatus);
        const int none = int(TransferResult::Error::None);
        QTest::newRow("akamai 403") << http << 403 << TestHttpServer::readFixture(QStringLiteral("service/blocked-403.html")) << true;
        QTest::newRow("bare 406") << http << 406 << QByteArray() << true;
        QTest::newRow("429") << http << 429 << QByteArray("[]") << true;
        QTest::newRow("pardon, with 200") << none << 200 << QByteArray("<html><title>Pardon Our Interruption</title></html>") << true;
        QTest::newRow("edgesuite 503") << http << 503 << QByteArray("<p>errors&#46;edgesuite&#46;net</p>") << true;
        QTest::newRow("plain 500") << http << 500 << QByteArray("<html>Internal error</html>") << false;
        QTest::newRow("no draw, 404") << http << 404 << QByteArray("\"No se ha encontrado\"") << false;
        QTest::newRow("json naming the words") << none << 200 << QByteArray("[\"Access Denied\"]") << false;
        QTest::newRow("network") << int(TransferResult::Error::Network) << 0 << QByteArray() << false;
    }

    void blockPages()
    {
        QFETCH(int, error);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(bool, blocked);
        TransferResult result;
        result.error = TransferResult::Error(error);
        result.httpStatus = status;
        result.body = body;
        QCOMPARE(ServiceSource::looksBlocked(result), blocked);
    }
};

QTEST_GUILESS_MAIN(TestService)
#include "tst_service.moc"
