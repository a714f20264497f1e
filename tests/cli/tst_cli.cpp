// The command-line front end as a user runs it: a real process, real files.

#include "store/oledate.h"
#include "support/fixtures.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace
{
    struct Run
    {
        int code = -1;
        QByteArray out;
        QByteArray err;
        QJsonObject json() const { return QJsonDocument::fromJson(out).object(); }
    };

    Run runCli(const QStringList &arguments)
    {
        QProcess process;
        process.start(QStringLiteral(QUORVALE_CLI), arguments);
        Run run;
        if (!process.waitForFinished(60000))
            return run;
        run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = process.readAllStandardOutput();
        run.err = process.readAllStandardError();
        return run;
    }
}

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void statusOfAnEmptyDirectory()
    {
        QTemporaryDir dir;
        // Options may stand after the command as well as before.
        const Run run = runCli({QStringLiteral("status"), QStringLiteral("--json"),
                                QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--today"), QStringLiteral("2026-12-13")});
        QCOMPARE(run.code, 0);
        const QJsonObject s = run.json();
        QCOMPARE(s.value(QStringLiteral("draws")).toInt(-1), 0);
        QCOMPARE(s.value(QStringLiteral("lastUpdate")).toString(), QStringLiteral("Fichero de datos vacío."));
        QCOMPARE(s.value(QStringLiteral("nextDraw")).toString(), QStringLiteral("Domingo, 13 de diciembre del 2026"));
        QCOMPARE(s.value(QStringLiteral("missing")).toString(), QStringLiteral("No se ha actualizado nunca"));
        QCOMPARE(s.value(QStringLiteral("syndicates")).toInt(-1), 0);
        QVERIFY(run.err.isEmpty()); // no greeting without a window
    }

    void statusAndDrawsOfTheRealHistory()
    {
        QTemporaryDir dir;
        const auto draws = Fixtures::realDraws();
        Fixtures::writeFile(dir.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(draws));
        Fixtures::writeFile(dir.filePath(QStringLiteral("apuestas.dat")), Fixtures::bytesOf({
            Fixtures::simpleSyndicate(QStringLiteral("A"), {{1, 2, 3, 4, 5}}, 1, QDate(2026, 1, 1)),
        }));

        const Run status = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--today"),
                                   QStringLiteral("2026-08-20"), QStringLiteral("--json"), QStringLiteral("status")});
        QCOMPARE(status.code, 0);
        QCOMPARE(status.json().value(QStringLiteral("draws")).toInt(), 1114);
        QCOMPARE(status.json().value(QStringLiteral("lastUpdate")).toString(), QStringLiteral("Domingo, 16 de agosto del 2026"));
        QCOMPARE(status.json().value(QStringLiteral("missing")).toString(), QString()); // up to date
        QCOMPARE(status.json().value(QStringLiteral("syndicates")).toInt(), 1);

        const Run list = runCli({QStringLiteral("draws"), QStringLiteral("--json"), QStringLiteral("--data-dir"), dir.path()});
        QCOMPARE(list.code, 0);
        const QJsonObject d = list.json();
        QCOMPARE(d.value(QStringLiteral("total")).toInt(), 1114);
        const QJsonArray rows = d.value(QStringLiteral("draws")).toArray();
        QCOMPARE(rows.size(), 1114);
        const QJsonObject first = rows.first().toObject();
        QCOMPARE(first.value(QStringLiteral("record")).toInt(), 1);
        QCOMPARE(first.value(QStringLiteral("date")).toString(), QStringLiteral("2005-02-06"));
        QCOMPARE(first.value(QStringLiteral("numbers")).toArray(), (QJsonArray {34, 42, 47, 48, 51}));
        QCOMPARE(first.value(QStringLiteral("clave")).toInt(), 5);
        QCOMPARE(rows.last().toObject().value(QStringLiteral("record")).toInt(), 1114);

        // The tallies agree with the records they were made from.
        const QJsonObject tallies = d.value(QStringLiteral("tallies")).toObject();
        const QJsonArray numbers = tallies.value(QStringLiteral("numbers")).toArray();
        const QJsonArray keys = tallies.value(QStringLiteral("keys")).toArray();
        QCOMPARE(numbers.size(), 54);
        QCOMPARE(keys.size(), 10);
        std::array<int, 54> expected {};
        for (const auto &draw : draws)
            for (auto n : draw.numbers)
                ++expected[std::size_t(n - 1)];
        for (int i = 0; i < 54; ++i)
            QCOMPARE(numbers[i].toInt(), expected[std::size_t(i)]);
    }

    void invalidDrawFile()
    {
        QTemporaryDir dir;
        const QByteArray broken = Fixtures::draw(QDate(2026, 12, 6), {1, 2, 3, 4, 5}, 10).toBytes();
        Fixtures::writeFile(dir.filePath(QStringLiteral("numeros.dat")), broken);
        const Run run = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("draws"), QStringLiteral("--json")});
        QCOMPARE(run.code, 1);
        QCOMPARE(QString::fromUtf8(run.err),
                 QStringLiteral("Error de lectura: Archivo de números ganadores no válido. ¡Se perderán los sorteos grabados!.\n"));
        QCOMPARE(run.json().value(QStringLiteral("total")).toInt(-1), 0);
        QCOMPARE(Fixtures::readFile(dir.filePath(QStringLiteral("numeros.invalido"))), broken);

        // The next run finds a sound, empty file.
        const Run again = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("draws"), QStringLiteral("--json")});
        QCOMPARE(again.code, 0);
    }

    void badArguments()
    {
        QTemporaryDir dir;
        QCOMPARE(runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("fly")}).code, 2);
        QCOMPARE(runCli({QStringLiteral("--data-dir"), dir.path()}).code, 2);
        const Run badDate = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--today"),
                                    QStringLiteral("13/12/2026"), QStringLiteral("status")});
        QCOMPARE(badDate.code, 2);
        QVERIFY(badDate.err.contains("--today"));
        // A data directory that is a file cannot be used.
        Fixtures::writeFile(dir.filePath(QStringLiteral("plain")), "x");
        QCOMPARE(runCli({QStringLiteral("--data-dir"), dir.filePath(QStringLiteral("plain")), QStringLiteral("status")}).code, 1);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
