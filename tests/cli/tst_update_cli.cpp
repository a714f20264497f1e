// quorvale-cli update: the real program against a server on 127.0.0.1, with
// the bytes of numeros.dat and edu.pdf, stdout, stderr and the exit code.

#include "store/printcalibration.h"
#include "support/fakeservice.h"
#include "support/fixtures.h"
#include "support/searchpages.h"
#include "support/smalldisk.h"
#include "support/testhttpserver.h"

#include <QDBusConnection>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace
{
    const QString kSearchPath = QStringLiteral("/es/buscador");
    const QString kDrawPagePath = QStringLiteral("/es/gordo-primitiva/sorteos/2026/986001049");
    const QString kDocumentPath = QStringLiteral("/f/loterias/documentos/El Gordo/2026/ESCRUTINIO_LOTERÍA_ÁMBITO_20261206.pdf");

    std::vector<DrawRecord> firstDraws(int count)
    {
        const auto all = Fixtures::searchPageDraws();
        return {all.begin(), all.begin() + count};
    }

    enum class Serve
    {
        Fixtures,
        SearchCloses,
        CorruptSearch,
        DrawPageCloses
    };

    // What a desktop's notification service receives.
    class NotificationService : public QObject
    {
        Q_OBJECT
        Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

    public slots:
        uint Notify(const QString &application, uint, const QString &, const QString &summary, const QString &body,
                    const QStringList &, const QVariantMap &, int)
        {
            calls.append({application, summary, body});
            return uint(calls.size());
        }

    public:
        QList<QStringList> calls;
    };

    struct UpdateRun
    {
        int code = -1;
        QByteArray err;
    };

    // update --notify on the service's draw that gives the peña "BAR" 3 + 1
    // and the reintegro, with the session bus at busAddress.
    UpdateRun updateWithNotice(const QString &busAddress)
    {
        TestHttpServer server;
        if (!server.listen())
            return {};
        FakeService service(server);
        service.add({2026, 11, 29}, {3, 12, 28, 40, 45}, 0);
        QTemporaryDir dir;
        Fixtures::writeFile(dir.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(firstDraws(5)));
        Fixtures::writeFile(dir.filePath(QStringLiteral("apuestas.dat")), Fixtures::bytesOf({Fixtures::simpleSyndicate(QStringLiteral("BAR"), {{3, 12, 28, 1, 2}}, 0, QDate(2026, 11, 1))}));
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
        process.setProcessEnvironment(environment);
        QSignalSpy done(&process, &QProcess::finished);
        process.start(QStringLiteral(QUORVALE_CLI),
                      {QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--today"), QStringLiteral("2026-12-01"),
                       QStringLiteral("--operator-url"), server.baseUrl().toString(), QStringLiteral("--source"),
                       QStringLiteral("service"), QStringLiteral("update"), QStringLiteral("--notify"),
                       QStringLiteral("--exit-code-on-prize")});
        // The bus delivers the call to this process's service while it waits.
        if (!done.wait(60000))
            return {};
        return {process.exitCode(), process.readAllStandardError()};
    }
}

Q_DECLARE_METATYPE(Serve)

class TestUpdateCli : public QObject
{
    Q_OBJECT

private slots:
    void update_data()
    {
        QTest::addColumn<Serve>("serve");
        QTest::addColumn<int>("storedBefore");
        QTest::addColumn<int>("storedAfter");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::addColumn<bool>("document");

        const QString finished = QStringLiteral("TRANSFERENCIA FINALIZADA\n");
        QTest::newRow("four new draws") << Serve::Fixtures << 3 << 7 << 0 << finished << QString() << true;
        // Nothing is asked with no draw stored: the shipped history first.
        QTest::newRow("empty file") << Serve::Fixtures << 0 << 0 << 1 << QStringLiteral("\n")
                                    << QStringLiteral("Fichero de datos vacío: No hay ningún sorteo guardado.") << false;
        QTest::newRow("nothing new") << Serve::Fixtures << 7 << 7 << 0 << finished
                                     << QStringLiteral("Pruebe más tarde: Todavía no hay sorteos nuevos.\n") << true;
        // The service answered with the edge's block page: that is what the
        // user hears, with the commands that put the draws in.
        QTest::newRow("connection closed") << Serve::SearchCloses << 3 << 3 << 1 << QStringLiteral("\n")
                                           << QStringLiteral("Descarga rechazada: El servidor de Loterías y Apuestas ha "
                                                             "rechazado al programa")
                                           << false;
        QTest::newRow("data error") << Serve::CorruptSearch << 3 << 3 << 1 << finished
                                    << QStringLiteral("Error crítico: ") << false;
        // The draws are stored; the page of the newest one is missing.
        QTest::newRow("draw page closes") << Serve::DrawPageCloses << 3 << 7 << 1 << finished
                                          << QStringLiteral("Error de conexión: No conectado: Compruebe la conexión a internet. "
                                                            "Si es correcta, pruebe más tarde ya que no es posible conectar con "
                                                            "el servidor de ONLAE.\n")
                                          << false;
    }

    void update()
    {
        QFETCH(Serve, serve);
        QFETCH(int, storedBefore);
        QFETCH(int, storedAfter);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QFETCH(bool, document);

        TestHttpServer server;
        QVERIFY(server.listen());
        QByteArray search = SearchPages::fixture("busqueda.html");
        if (serve == Serve::CorruptSearch)
            search.replace("combi", "bolas");
        server.setPage(kSearchPath, search);
        server.setPage(kDrawPagePath, SearchPages::fixture("sorteo.html"));
        server.setPage(kDocumentPath, SearchPages::fixture("informe.pdf"));
        FakeService::refuse(server);
        TestHttpServer::Route closes;
        closes.behaviour = TestHttpServer::Behaviour::Close;
        if (serve == Serve::SearchCloses)
            server.setRoute(kSearchPath, closes);
        if (serve == Serve::DrawPageCloses)
            server.setRoute(kDrawPagePath, closes);

        QTemporaryDir dir;
        const QString dat = dir.filePath(QStringLiteral("numeros.dat"));
        QVERIFY(Fixtures::writeFile(dat, Fixtures::bytesOf(firstDraws(storedBefore))));

        // The server answers from this thread's events: the program runs
        // beside them, never waited for in a blocking call.
        QProcess process;
        QSignalSpy done(&process, &QProcess::finished);
        process.start(QStringLiteral(QUORVALE_CLI),
                      {QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--today"), QStringLiteral("2026-12-08"),
                       QStringLiteral("--operator-url"), server.baseUrl().toString(), QStringLiteral("update")});
        QVERIFY(done.wait(60000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);

        const QString stderrText = QString::fromUtf8(process.readAllStandardError());
        QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), out);
        if (err.endsWith(QLatin1Char('\n')) || err.isEmpty())
            QCOMPARE(stderrText, err);
        else
            QVERIFY2(stderrText.startsWith(err), qPrintable(stderrText));
        QCOMPARE(process.exitCode(), exitCode);
        QCOMPARE(Fixtures::readFile(dat), Fixtures::bytesOf(firstDraws(storedAfter)));
        const QByteArray pdf = Fixtures::readFile(dir.filePath(QStringLiteral("edu.pdf")));
        if (document)
            QCOMPARE(pdf, SearchPages::fixture("informe.pdf"));
        else
            QVERIFY(pdf.isEmpty());
        if (serve != Serve::SearchCloses && storedBefore > 0)
            QCOMPARE(Fixtures::readFile(dir.filePath(QStringLiteral("www.txt"))), search);
        if (serve == Serve::SearchCloses) {
            for (const char *command : {"import FICHERO.json", "add-draw --date"})
                QVERIFY2(stderrText.contains(QLatin1String(command)), qPrintable(stderrText));
        }
        if (storedBefore == 0) {
            QVERIFY(server.requests().isEmpty());
            QVERIFY2(stderrText.contains(QStringLiteral("quorvale-cli import")), qPrintable(stderrText));
        }
    }

    // --json: one object on stdout; the service brings the draws and their
    // reports, the draw-night one stays pending.
    void serviceJson()
    {
        TestHttpServer server;
        QVERIFY(server.listen());
        FakeService service(server);
        service.add({2026, 11, 29}, {3, 12, 28, 40, 45}, 0);
        service.add({2026, 12, 6}, {2, 7, 19, 33, 51}, 4, false);
        QTemporaryDir dir;
        QVERIFY(Fixtures::writeFile(dir.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(firstDraws(5))));
        // A peña that hits three numbers and the key on 29 November.
        QVERIFY(Fixtures::writeFile(dir.filePath(QStringLiteral("apuestas.dat")), Fixtures::bytesOf({Fixtures::simpleSyndicate(QStringLiteral("BAR"), {{3, 12, 28, 1, 2}}, 0, QDate(2026, 11, 1))})));

        QProcess process;
        QSignalSpy done(&process, &QProcess::finished);
        process.start(QStringLiteral(QUORVALE_CLI),
                      {QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--today"), QStringLiteral("2026-12-08"),
                       QStringLiteral("--operator-url"), server.baseUrl().toString(), QStringLiteral("--json"),
                       QStringLiteral("--source"), QStringLiteral("service"), QStringLiteral("update"),
                       QStringLiteral("--exit-code-on-prize")});
        QVERIFY(done.wait(60000));
        QCOMPARE(process.exitCode(), 10);
        const QByteArray out = process.readAllStandardOutput();
        QVERIFY2(out.startsWith("{\"blocked\":false,\"browserUrl\":null,\"missing\":0,\"newDraws\":[\"2026-11-29\",\"2026-12-06\"],"
                                "\"pendingReports\":[\"2026-10-25\",\"2026-11-01\",\"2026-11-08\",\"2026-11-15\",\"2026-11-22\",\"2026-12-06\"],"),
                 out.constData());
        QVERIFY2(out.endsWith(",\"source\":\"service\"}\n"), out.constData());
        // 3 + 1 pays 40,98 € and the key gives the 1,50 € back.
        const QJsonArray prizes = QJsonDocument::fromJson(out).object()[QStringLiteral("prizes")].toArray();
        QCOMPARE(prizes.size(), 2);
        QCOMPARE(prizes[0].toObject(), (QJsonObject {{"syndicate", 1}, {"name", "BAR"}, {"date", "2026-11-29"}, {"category", 5}, {"count", 1}, {"amountCents", 4098}}));
        QCOMPARE(prizes[1].toObject()[QStringLiteral("category")].toInt(), 9);
        QCOMPARE(prizes[1].toObject()[QStringLiteral("amountCents")].toInt(), 150);
        // The window's box after the download, on stderr: every prize with its euros.
        QVERIFY2(QString::fromUtf8(process.readAllStandardError())
                     .endsWith(QStringLiteral("Premios: Premios de esta descarga:\n"
                                              "29/11/2026  BAR: 40,98 € (5ª) + 1,50 € de reintegro\n\n"
                                              "Total: 42,48 €\n")),
                 "the prizes box");
        QCOMPARE(Fixtures::readFile(dir.filePath(QStringLiteral("numeros.dat"))), Fixtures::bytesOf(firstDraws(7)));
        QVERIFY(Fixtures::readFile(dir.filePath(QStringLiteral("premios.json"))).contains("\"fecha\": \"2026-11-29\""));

        QProcess bad;
        bad.start(QStringLiteral(QUORVALE_CLI), {QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--source"), QStringLiteral("web"), QStringLiteral("update")});
        QVERIFY(bad.waitForFinished(30000));
        QCOMPARE(bad.exitCode(), 2);
    }

    // --reports-since: the reports of old stored draws, fetched by ranges
    // and kept only where the service's numbers match the stored draw.
    void reportsSince()
    {
        TestHttpServer server;
        QVERIFY(server.listen());
        FakeService service(server);
        std::vector<DrawRecord> stored;
        for (QDate day(2024, 12, 29); day <= QDate(2026, 12, 6); day = day.addDays(7)) {
            stored.push_back(Fixtures::draw(day, {1, 2, 3, 4, 5 + int(stored.size() % 40)}, 1));
            service.add(day, {1, 2, 3, 4, 5 + int((stored.size() - 1) % 40)}, 1);
        }
        service.add({2025, 1, 5}, {9, 10, 11, 12, 13}, 1); // another draw's numbers: refused for that date
        QTemporaryDir dir;
        QVERIFY(Fixtures::writeFile(dir.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(stored)));

        const auto update = [&](QByteArray *err) {
            QProcess process;
            QSignalSpy done(&process, &QProcess::finished);
            process.start(QStringLiteral(QUORVALE_CLI),
                          {QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--today"), QStringLiteral("2026-12-08"),
                           QStringLiteral("--operator-url"), server.baseUrl().toString(), QStringLiteral("--source"),
                           QStringLiteral("service"), QStringLiteral("update"), QStringLiteral("--reports-since"), QStringLiteral("2025-01-01")});
            // The service answers from this process: its events must flow.
            if (!done.wait(60000))
                return -1;
            *err = process.readAllStandardError();
            return process.exitCode();
        };
        // Refused at the second year: the first year's reports stay, and the
        // steps were told on the way.
        service.failFrom = 2;
        service.failure.status = 500;
        QByteArray err;
        QCOMPARE(update(&err), 1);
        QVERIFY2(err.contains("BUSCANDO SORTEOS (1 de 2)"), err.constData());
        QVERIFY(Fixtures::readFile(dir.filePath(QStringLiteral("premios.json"))).contains("\"fecha\": \"2025-06-01\""));
        // The next run brings the rest.
        service.failFrom = 0;
        QCOMPARE(update(&err), 0);
        const QByteArray reports = Fixtures::readFile(dir.filePath(QStringLiteral("premios.json")));
        QVERIFY(reports.contains("\"fecha\": \"2026-06-07\""));
        QVERIFY(reports.contains("\"fecha\": \"2025-01-12\""));
        QVERIFY(reports.contains("\"fecha\": \"2025-06-01\""));
        QVERIFY(!reports.contains("\"fecha\": \"2025-01-05\""));
        QCOMPARE(Fixtures::readFile(dir.filePath(QStringLiteral("numeros.dat"))), Fixtures::bytesOf(stored));
    }

    // --notify: one notice per peña over the session bus; without a bus a
    // warning, and the exit status is that of the download.
    void notifyPrizes()
    {
        const UpdateRun noBus = updateWithNotice(QStringLiteral("unix:path=/nonexistent/quorvale-bus"));
        QCOMPARE(noBus.code, 10);
        QVERIFY2(noBus.err.contains("Aviso: no se ha podido avisar del premio en el escritorio"), noBus.err.constData());

        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            QSKIP("dbus-daemon is not installed");
        QProcess daemon;
        daemon.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (!daemon.waitForStarted(10000) || !daemon.waitForReadyRead(10000))
            QSKIP("no private session bus could be started");
        const QString address = QString::fromUtf8(daemon.readLine().trimmed());
        QDBusConnection bus = QDBusConnection::connectToBus(address, QStringLiteral("notices"));
        QVERIFY(bus.isConnected());
        NotificationService service;
        QVERIFY(bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &service, QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.Notifications")));

        const UpdateRun run = updateWithNotice(address);
        QDBusConnection::disconnectFromBus(QStringLiteral("notices"));
        daemon.kill();
        daemon.waitForFinished(10000);
        QCOMPARE(run.code, 10);
        QVERIFY2(!run.err.contains("Aviso"), run.err.constData());
        QCOMPARE(service.calls.size(), 1);
        QCOMPARE(service.calls[0], (QStringList {QStringLiteral("Quorvale"), QStringLiteral("Premio en la peña BAR"), QStringLiteral("29/11/2026, 5ª categoría (3 + 1): 40,98 €\n"
                                                                                                                                     "29/11/2026, reintegro: 1,50 €")}));
    }

    // The operator's address must be one the program can use.
    void badOperatorUrl()
    {
        QTemporaryDir dir;
        QProcess process;
        process.start(QStringLiteral(QUORVALE_CLI), {QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--operator-url"), QStringLiteral("ftp://127.0.0.1/"), QStringLiteral("update")});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 2);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("www.txt"))));
    }

    // --json when the operator refuses the program, and when the service
    // says nothing about Sundays that are due: never "missing 0", exit 1.
    // A nearly full disk: the draws still fit in numeros.dat's last block,
    // premios.json does not. The reports are not counted as received: exit
    // 1, "pendingReports" lists them, and the box names them.
    void reportsOnAFullDisk()
    {
        SmallDisk disk(256);
        if (!disk.mounted())
            QSKIP("mounting a tmpfs needs root");
        TestHttpServer server;
        QVERIFY(server.listen());
        FakeService service(server);
        QStringList all;
        for (const DrawRecord &draw : Fixtures::searchPageDraws()) {
            service.add(FakeService::draw(draw.qdate(), {draw.numbers[0], draw.numbers[1], draw.numbers[2], draw.numbers[3], draw.numbers[4]}, draw.clave));
            all << draw.qdate().toString(Qt::ISODate);
        }
        QVERIFY(Fixtures::writeFile(disk.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(firstDraws(5))));
        QVERIFY(Fixtures::writeFile(disk.filePath(QStringLiteral("nums.ini")), QByteArray(PrintCalibration::kSize, '\0')));
        // Room for the lock and little else: seven reports take more.
        disk.fill(8192);

        QProcess process;
        QSignalSpy done(&process, &QProcess::finished);
        process.start(QStringLiteral(QUORVALE_CLI),
                      {QStringLiteral("--data-dir"), disk.path(), QStringLiteral("--today"), QStringLiteral("2026-12-08"),
                       QStringLiteral("--operator-url"), server.baseUrl().toString(), QStringLiteral("--json"),
                       QStringLiteral("--source"), QStringLiteral("service"), QStringLiteral("update")});
        QVERIFY(done.wait(60000));
        const QString err = QString::fromUtf8(process.readAllStandardError());
        QCOMPARE(process.exitCode(), 1);
        const QJsonObject out = QJsonDocument::fromJson(process.readAllStandardOutput()).object();
        QCOMPARE(out[QStringLiteral("pendingReports")].toArray().toVariantList(), QVariant(all).toList());
        QCOMPARE(out[QStringLiteral("reportsStored")].toInt(), 0);
        QVERIFY2(err.contains(QStringLiteral("Error de escritura: No se han podido guardar en premios.json los informes de "
                                             "premios del 25/10/2026, 01/11/2026")),
                 qPrintable(err));
        QVERIFY(!QFile::exists(disk.filePath(QStringLiteral("premios.json"))));
    }

    void blockedOrSilentJson_data()
    {
        QTest::addColumn<bool>("blocked");
        QTest::newRow("block page") << true;
        QTest::newRow("empty answers") << false;
    }

    void blockedOrSilentJson()
    {
        QFETCH(bool, blocked);
        TestHttpServer server;
        QVERIFY(server.listen());
        FakeService service(server);
        if (blocked) {
            service.failFrom = 1;
            service.failure.status = 403;
            service.failure.body = TestHttpServer::readFixture(QStringLiteral("service/blocked-403.html"));
        }
        QTemporaryDir dir;
        QVERIFY(Fixtures::writeFile(dir.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(firstDraws(4))));
        QProcess process;
        QSignalSpy done(&process, &QProcess::finished);
        process.start(QStringLiteral(QUORVALE_CLI),
                      {QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--today"), QStringLiteral("2026-12-08"),
                       QStringLiteral("--operator-url"), server.baseUrl().toString(), QStringLiteral("--json"),
                       QStringLiteral("--source"), QStringLiteral("service"), QStringLiteral("update")});
        QVERIFY(done.wait(60000));
        QCOMPARE(process.exitCode(), 1);
        const QJsonObject out = QJsonDocument::fromJson(process.readAllStandardOutput()).object();
        const QString err = QString::fromUtf8(process.readAllStandardError());
        QCOMPARE(out[QStringLiteral("blocked")].toBool(), blocked);
        QCOMPARE(out[QStringLiteral("missing")].toInt(), 3);
        const QUrl browser(out[QStringLiteral("browserUrl")].toString());
        QCOMPARE(browser.path(), QStringLiteral("/servicios/buscadorSorteos"));
        QVERIFY(browser.query().contains(QStringLiteral("fechaInicioInclusiva=20261122&fechaFinInclusiva=20261206")));
        QVERIFY2(err.startsWith(blocked ? QStringLiteral("Descarga rechazada: ")
                                        : QStringLiteral("Faltan sorteos: Faltan 3 sorteos (del 22/11/2026 al 06/12/2026).")),
                 qPrintable(err));
        QVERIFY(!err.contains(QStringLiteral("Todavía no hay sorteos nuevos")));
    }
};

QTEST_GUILESS_MAIN(TestUpdateCli)
#include "tst_update_cli.moc"
