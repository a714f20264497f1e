// The maintenance commands of quorvale-cli, a process killed in the middle
// of them, and a user who may not write the data files.

#include "store/syndicaterecord.h"
#include "support/fixtures.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <unistd.h>

namespace
{
    struct Run
    {
        int code = -1;
        QString err;
    };

    Run runCli(const QStringList &arguments, const QString &program = QStringLiteral(QUORVALE_CLI),
               const QStringList &prefix = {})
    {
        QProcess process;
        process.start(prefix.isEmpty() ? program : prefix.first(), prefix.isEmpty() ? arguments : prefix.mid(1) + QStringList {program} + arguments);
        Run run;
        if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
            run.code = process.exitCode();
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    std::vector<DrawRecord> weeks(int count)
    {
        std::vector<DrawRecord> draws;
        for (int i = 0; i < count; ++i)
            draws.push_back(Fixtures::draw(QDate(2026, 1, 4).addDays(7 * i), {1, 2, 3, 4, 5 + i % 40}, i % 10));
        return draws;
    }
}

class TestMaintenanceCli : public QObject
{
    Q_OBJECT

private slots:
    void commands()
    {
        QTemporaryDir dir, elsewhere;
        const QString data = dir.path();
        const QString dat = dir.filePath(QStringLiteral("numeros.dat"));
        const QByteArray old = Fixtures::bytesOf(weeks(3));
        Fixtures::writeFile(dat, old);
        Fixtures::writeFile(dir.filePath(QStringLiteral("apuestas.dat")), Fixtures::bytesOf({
                                                                              Fixtures::simpleSyndicate(QStringLiteral("UNO"), {{1, 2, 3, 4, 5}}, 1, QDate(2026, 1, 1)),
                                                                              Fixtures::simpleSyndicate(QStringLiteral("DOS"), {{1, 2, 3, 4, 5}}, 1, QDate(2026, 1, 1)),
                                                                          }));

        const QString bad = elsewhere.filePath(QStringLiteral("malo.dat"));
        Fixtures::writeFile(bad, "not draws");
        Run run = runCli({QStringLiteral("--data-dir"), data, QStringLiteral("import"), bad});
        QCOMPARE(run.code, 1);
        QVERIFY(run.err.startsWith(QStringLiteral("¡Vaya hombre!: Fichero de sorteos no válido.")));
        QCOMPARE(Fixtures::readFile(dat), old);

        const QString good = elsewhere.filePath(QStringLiteral("NUMEROS.DAT"));
        const QByteArray history = Fixtures::bytesOf(Fixtures::realDraws());
        Fixtures::writeFile(good, history);
        run = runCli({QStringLiteral("import"), good, QStringLiteral("--data-dir"), data});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.err, QStringLiteral("Todos los sorteos: Archivo de sorteos importado con éxito\n"));
        QCOMPARE(Fixtures::readFile(dat), history);
        QCOMPARE(Fixtures::readFile(dir.filePath(QStringLiteral("numeros.bak"))), old);

        // A position not in the list changes nothing.
        QCOMPARE(runCli({QStringLiteral("--data-dir"), data, QStringLiteral("delete-draw"), QStringLiteral("1115"), QStringLiteral("--yes")}).code, 1);
        // Without --yes the answer is No, which has its own exit status.
        QCOMPARE(runCli({QStringLiteral("--data-dir"), data, QStringLiteral("delete-draw"), QStringLiteral("1")}).code, 3);
        QCOMPARE(Fixtures::readFile(dat), history);
        QCOMPARE(runCli({QStringLiteral("--data-dir"), data, QStringLiteral("delete-draw"), QStringLiteral("1"), QStringLiteral("--yes")}).code, 0);
        QCOMPARE(Fixtures::readFile(dat), history.left(history.size() - 24));

        QCOMPARE(runCli({QStringLiteral("--data-dir"), data, QStringLiteral("delete-draws")}).code, 3);
        QCOMPARE(Fixtures::readFile(dat).size(), history.size() - 24);
        QCOMPARE(runCli({QStringLiteral("--data-dir"), data, QStringLiteral("delete-draws"), QStringLiteral("--yes-draws")}).code, 0);
        QCOMPARE(Fixtures::readFile(dat), QByteArray());

        run = runCli({QStringLiteral("--data-dir"), data, QStringLiteral("delete-syndicate"), QStringLiteral("1"), QStringLiteral("--yes")});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.err, QStringLiteral("Borrar...: ¿Seguro que quieres eliminar la Peña UNO?\n"));
        QCOMPARE(Fixtures::readFile(dir.filePath(QStringLiteral("apuestas.dat"))).size(), 645);
    }

    // create and print reach their commands through the real process, their
    // options before or after the command name.
    void createAndPrint()
    {
        QTemporaryDir dir;
        const QString data = dir.path();
        QProcess create;
        create.start(QStringLiteral(QUORVALE_CLI), {QStringLiteral("--data-dir"), data, QStringLiteral("--today"), QStringLiteral("2026-12-08"), QStringLiteral("create"), QStringLiteral("--name"), QStringLiteral("Peña del bar"), QStringLiteral("--key"), QStringLiteral("7"), QStringLiteral("--bet"), QStringLiteral("5,4,3,2,1"), QStringLiteral("--bet"), QStringLiteral("10,20,30,40,50")});
        QVERIFY(create.waitForFinished(60000));
        QCOMPARE(create.exitCode(), 0);
        QCOMPARE(create.readAllStandardOutput(), QByteArray("1\n"));
        const auto stored = SyndicateRecord::fromBytes(Fixtures::readFile(dir.filePath(QStringLiteral("apuestas.dat"))));
        QCOMPARE(stored.name(), QStringLiteral("PEÑA DEL BAR"));
        QCOMPARE(stored.kind, std::int16_t(2));
        QCOMPARE(stored.key(), 7);
        QCOMPARE(stored.bets[0][0], std::int16_t(1));
        QCOMPARE(stored.bets[0][4], std::int16_t(5));

        // A bet the slip cannot hold writes nothing.
        Run refused = runCli({QStringLiteral("create"), QStringLiteral("--data-dir"), data, QStringLiteral("--name"), QStringLiteral("X"),
                              QStringLiteral("--key"), QStringLiteral("1"), QStringLiteral("--bet"), QStringLiteral("1,1,2,3,4")});
        QCOMPARE(refused.code, 2);
        QVERIFY(!refused.err.isEmpty());
        QCOMPARE(Fixtures::readFile(dir.filePath(QStringLiteral("apuestas.dat"))).size(), 645);
        // A bet typed twice is a question; without --yes it is answered No.
        refused = runCli({QStringLiteral("create"), QStringLiteral("--data-dir"), data, QStringLiteral("--name"), QStringLiteral("X"),
                          QStringLiteral("--key"), QStringLiteral("1"), QStringLiteral("--bet"), QStringLiteral("1,2,3,4,5"),
                          QStringLiteral("--bet"), QStringLiteral("5,4,3,2,1")});
        QCOMPARE(refused.code, 3);
        QVERIFY(refused.err.startsWith(QStringLiteral("Apuesta repetida: ")));
        QCOMPARE(Fixtures::readFile(dir.filePath(QStringLiteral("apuestas.dat"))).size(), 645);

        QTemporaryDir elsewhere;
        const QString pdf = elsewhere.filePath(QStringLiteral("peña.pdf"));
        Run print = runCli({QStringLiteral("--data-dir"), data, QStringLiteral("print"), QStringLiteral("--syndicate"), QStringLiteral("1"),
                            QStringLiteral("--plain"), QStringLiteral("--pdf"), pdf});
        QCOMPARE(print.code, 0);
        QVERIFY(Fixtures::readFile(pdf).startsWith("%PDF"));
    }

    // Killed at any moment, an import leaves the old file or the new one.
    void killedMidImport()
    {
        QTemporaryDir dir, elsewhere;
        const QString dat = dir.filePath(QStringLiteral("numeros.dat"));
        const QByteArray old = Fixtures::bytesOf(weeks(500));
        const QByteArray history = Fixtures::bytesOf(Fixtures::realDraws());
        const QString chosen = elsewhere.filePath(QStringLiteral("NUMEROS.DAT"));
        Fixtures::writeFile(chosen, history);
        int sawOld = 0, sawNew = 0;
        for (int round = 0; round < 40; ++round) {
            Fixtures::writeFile(dat, old);
            QFile::remove(dir.filePath(QStringLiteral("numeros.bak")));
            QProcess process;
            process.start(QStringLiteral(QUORVALE_CLI), {QStringLiteral("--data-dir"), dir.path(), QStringLiteral("import"), chosen});
            QVERIFY(process.waitForStarted());
            QThread::usleep(QRandomGenerator::global()->bounded(1000, 40000));
            process.kill();
            process.waitForFinished();
            const QByteArray now = Fixtures::readFile(dat);
            QVERIFY2(now == old || now == history, qPrintable(QStringLiteral("round %1: %2 bytes").arg(round).arg(now.size())));
            (now == old ? sawOld : sawNew)++;
        }
        qInfo("old file %d times, new file %d times", sawOld, sawNew);
    }

    // Root ignores permissions: the check runs as an unprivileged user.
    void userWhoMayNotWrite()
    {
        if (geteuid() != 0)
            QSKIP("needs root to run the program as another user");
        const QString runuser = QStandardPaths::findExecutable(QStringLiteral("runuser"));
        if (runuser.isEmpty())
            QSKIP("runuser is not installed");
        if (QProcess::execute(runuser, {QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--"), QStringLiteral("test"), QStringLiteral("-x"), QStringLiteral(QUORVALE_CLI)}) != 0)
            QSKIP("the build directory is not reachable by an unprivileged user");
        QTemporaryDir dir;
        const QString dat = dir.filePath(QStringLiteral("numeros.dat"));
        const QByteArray old = Fixtures::bytesOf(weeks(4));
        Fixtures::writeFile(dat, old);
        for (const char *name : {"apuestas.dat", "nums.ini", "www.txt", "www2.txt"})
            Fixtures::writeFile(dir.filePath(QString::fromLatin1(name)), name == QByteArray("nums.ini") ? QByteArray(12, '\0') : QByteArray());
        // The directory belongs to the user; the files stay root's, read-only to them.
        QVERIFY(QProcess::execute(QStringLiteral("chown"), {QStringLiteral("nobody"), dir.path()}) == 0);

        const QStringList asNobody = {runuser, QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--")};
        Run run = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("delete-draws"), QStringLiteral("--yes-draws")},
                         QStringLiteral(QUORVALE_CLI), asNobody);
        QVERIFY2(run.err.contains(QStringLiteral("Error de permiso: Para modificar el archivo necesita permiso de Administrador.")),
                 qPrintable(run.err));
        QCOMPARE(run.code, 1);
        QCOMPARE(Fixtures::readFile(dat), old);

        run = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("delete-draw"), QStringLiteral("2"), QStringLiteral("--yes")},
                     QStringLiteral(QUORVALE_CLI), asNobody);
        QCOMPARE(run.code, 1);
        QVERIFY(run.err.contains(QStringLiteral("Error de permiso:")));
        QCOMPARE(Fixtures::readFile(dat), old);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("numeros.tmp"))));
    }

    // The ways in on the command line: export's CSV back into an empty
    // directory, byte for byte; a draw and its prize report typed by hand.
    void waysIn()
    {
        QTemporaryDir from, to, elsewhere;
        const QByteArray history = Fixtures::bytesOf(Fixtures::realDraws());
        Fixtures::writeFile(from.filePath(QStringLiteral("numeros.dat")), history);
        const auto output = [](const QStringList &arguments, const QByteArray &input = {}) {
            QProcess process;
            process.start(QStringLiteral(QUORVALE_CLI), arguments);
            process.write(input);
            process.closeWriteChannel();
            process.waitForFinished(60000);
            return std::make_pair(process.exitCode(), process.readAllStandardOutput() + process.readAllStandardError());
        };
        const auto [exported, csv] = output({QStringLiteral("--data-dir"), from.path(), QStringLiteral("export"), QStringLiteral("--csv")});
        QCOMPARE(exported, 0);
        const QString csvFile = elsewhere.filePath(QStringLiteral("sorteos.csv"));
        Fixtures::writeFile(csvFile, csv);
        const QString data = to.path();
        const QString dat = to.filePath(QStringLiteral("numeros.dat"));
        Run run = runCli({QStringLiteral("--data-dir"), data, QStringLiteral("import"), csvFile});
        QCOMPARE(run.code, 0);
        QCOMPARE(Fixtures::readFile(dat), history);
        QVERIFY(!QFile::exists(to.filePath(QStringLiteral("numeros.bak"))));

        const QStringList at = {QStringLiteral("--data-dir"), data, QStringLiteral("--today"), QStringLiteral("2026-08-30")};
        const auto addDraw = [&](const QString &date, const QString &numbers, const QString &key, bool yes) {
            QStringList arguments = at + QStringList {QStringLiteral("add-draw"), QStringLiteral("--date"), date, QStringLiteral("--numbers"), numbers, QStringLiteral("--key"), key};
            if (yes)
                arguments << QStringLiteral("--yes");
            return runCli(arguments);
        };
        QCOMPARE(addDraw(QStringLiteral("2026-08-23"), QStringLiteral("5,4,3,2,1"), QStringLiteral("7"), false).code, 3);
        QCOMPARE(addDraw(QStringLiteral("2026-08-23"), QStringLiteral("1,2,3"), QStringLiteral("7"), true).code, 2);
        run = addDraw(QStringLiteral("2026-08-24"), QStringLiteral("5,4,3,2,1"), QStringLiteral("7"), true);
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains(QStringLiteral("no hay sorteo")), qPrintable(run.err));
        run = addDraw(QStringLiteral("2026-08-16"), QStringLiteral("5,4,3,2,1"), QStringLiteral("7"), true);
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains(QStringLiteral("Ya hay un sorteo guardado el 16/08/2026")), qPrintable(run.err));
        QCOMPARE(Fixtures::readFile(dat), history);
        QCOMPARE(addDraw(QStringLiteral("2026-08-23"), QStringLiteral("5,4,3,2,1"), QStringLiteral("7"), true).code, 0);
        QCOMPARE(Fixtures::readFile(dat), history + Fixtures::bytesOf({Fixtures::draw({2026, 8, 23}, {1, 2, 3, 4, 5}, 7)}));

        // Its report, typed in the form prizes --json writes, from stdin.
        QByteArray report = R"({"date": "2026-08-23", "status": "final", "rows": [)";
        for (int category = 1; category <= 9; ++category)
            report += QStringLiteral(R"(%1{"category": %2, "winners": %3, "prizeCents": %4})")
                          .arg(category > 1 ? "," : "")
                          .arg(category)
                          .arg(category * 10)
                          .arg(category == 9 ? 150 : 100000 / category)
                          .toUtf8();
        report += "]}";
        const QStringList setReport = at + QStringList {QStringLiteral("prizes"), QStringLiteral("--date"), QStringLiteral("2026-08-23"), QStringLiteral("--set"), QStringLiteral("-")};
        QCOMPARE(output(at + QStringList {QStringLiteral("prizes"), QStringLiteral("--set"), QStringLiteral("-")}).first, 2);
        QCOMPARE(output(setReport, QByteArray(report).replace("\"category\": 9", "\"category\": 8")).first, 1);
        QCOMPARE(output(setReport, report).first, 0);
        const auto [shown, json] = output(at + QStringList {QStringLiteral("prizes"), QStringLiteral("--date"), QStringLiteral("2026-08-23"), QStringLiteral("--json")});
        QCOMPARE(shown, 0);
        QVERIFY2(json.contains("\"status\": \"final\"") && json.contains("\"winners\": 90"), json.constData());
    }
};

QTEST_GUILESS_MAIN(TestMaintenanceCli)
#include "tst_maintenance_cli.moc"
