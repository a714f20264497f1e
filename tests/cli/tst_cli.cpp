// The command-line front end as a user runs it: a real process, real files.

#include "base/clock.h"
#include "core/session.h"
#include "store/oledate.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"

#include <QDir>
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

    // A history whose newest draw (16 August 2026) is 7 8 11 31 35, key 1.
    void writeScrutinyFiles(const QTemporaryDir &dir)
    {
        Fixtures::writeFile(dir.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(Fixtures::realDraws()));
        SyndicateRecord odd = Fixtures::simpleSyndicate(QStringLiteral("A \"B\" \\ C"), {{7, 8, 11, 20, 21}, {1, 2, 3, 4, 5}}, 1,
                                                        QDate(2026, 8, 1));
        odd.nameBytes[18] = '\x01'; // a control character from a damaged name
        SyndicateRecord damaged = Fixtures::simpleSyndicate(QStringLiteral("ROTA"), {{1, 2, 3, 4, 5}}, 0, QDate(2026, 1, 1));
        damaged.kind = 55;
        Fixtures::writeFile(dir.filePath(QStringLiteral("apuestas.dat")), Fixtures::bytesOf({
                                                                              odd,
                                                                              Fixtures::multipleSyndicate(QStringLiteral("SIETE"), {7, 8, 11, 31, 40, 41, 42}, 1, QDate(2026, 8, 1)),
                                                                              Fixtures::simpleSyndicate(QStringLiteral("NUEVA"), {{7, 8, 12, 13, 14}}, 3, QDate(2026, 8, 20)),
                                                                              damaged,
                                                                          }));
    }

    QStringList cellsOf(const QJsonValue &row)
    {
        QStringList cells;
        for (const QJsonValue &c : row.toObject().value(QStringLiteral("cells")).toArray())
            cells << c.toString();
        return cells;
    }

    QJsonArray colorsOf(const QJsonValue &row)
    {
        return row.toObject().value(QStringLiteral("colors")).toArray();
    }

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
                                QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--today"), QStringLiteral("2026-12-06")});
        QCOMPARE(run.code, 0);
        const QJsonObject s = run.json();
        QCOMPARE(s.value(QStringLiteral("draws")).toInt(-1), 0);
        QCOMPARE(s.value(QStringLiteral("lastUpdate")).toString(), QStringLiteral("Fichero de datos vacío."));
        QCOMPARE(s.value(QStringLiteral("nextDraw")).toString(), QStringLiteral("Domingo, 6 de diciembre del 2026"));
        QCOMPARE(s.value(QStringLiteral("missing")).toString(), QStringLiteral("No se ha actualizado nunca"));
        QCOMPARE(s.value(QStringLiteral("syndicates")).toInt(-1), 0);
        QVERIFY(run.err.isEmpty()); // no greeting without a window
        // The same facts as lines.
        const Run text = runCli({QStringLiteral("status"), QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--today"),
                                 QStringLiteral("2026-12-06")});
        QCOMPARE(QString::fromUtf8(text.out), QStringLiteral("Sorteos: 0\nÚltima actualización: Fichero de datos vacío.\n"
                                                             "Próximo sorteo: Domingo, 6 de diciembre del 2026\n"
                                                             "No se ha actualizado nunca\nPeñas: 0\n"));
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
        QCOMPARE(status.json().value(QStringLiteral("implausibleDraws")).toArray(), QJsonArray());
        // Seen from a day before it, the newest draw cannot be real yet.
        const Run early = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--today"),
                                  QStringLiteral("2026-08-10"), QStringLiteral("--json"), QStringLiteral("status")});
        QCOMPARE(early.json().value(QStringLiteral("implausibleDraws")).toArray(), QJsonArray({1}));

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

    // The history leaves the program in the form it came in, byte for byte.
    void exportRoundTrip()
    {
        QTemporaryDir dir;
        Fixtures::writeFile(dir.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(Fixtures::realDraws()));
        const Run run = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("export"), QStringLiteral("--csv")});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, Fixtures::readFile(QStringLiteral(QUORVALE_HISTORY_CSV)));
        QCOMPARE(runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("export")}).code, 2);
    }

    void invalidDrawFile()
    {
        QTemporaryDir dir;
        const QByteArray broken = Fixtures::draw(QDate(2026, 12, 6), {1, 2, 3, 4, 5}, 10).toBytes();
        Fixtures::writeFile(dir.filePath(QStringLiteral("numeros.dat")), broken);
        const Run run = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("draws"), QStringLiteral("--json")});
        QCOMPARE(run.code, 1);
        QCOMPARE(QString::fromUtf8(run.err),
                 QStringLiteral("Error de lectura: Archivo de números ganadores no válido. ¡Se perderán los sorteos grabados!.\n"
                                "Una copia del archivo se ha guardado en %1.\n")
                     .arg(dir.filePath(QStringLiteral("numeros.invalido"))));
        QCOMPARE(run.json().value(QStringLiteral("total")).toInt(-1), 0);
        QCOMPARE(Fixtures::readFile(dir.filePath(QStringLiteral("numeros.invalido"))), broken);

        // The next run finds a sound, empty file.
        const Run again = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("draws"), QStringLiteral("--json")});
        QCOMPARE(again.code, 0);
    }

    void checkShowsTheWindowsRows()
    {
        QTemporaryDir dir;
        writeScrutinyFiles(dir);
        const Run run = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("check"), QStringLiteral("--json")});
        QCOMPARE(run.code, 0);
        QJsonParseError error;
        const QJsonObject json = QJsonDocument::fromJson(run.out, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);

        const QJsonArray simple = json.value(QStringLiteral("simple")).toArray();
        QCOMPARE(simple.size(), 5); // the odd name only: NUEVA is newer, ROTA damaged
        QCOMPARE(cellsOf(simple[0]), QStringList(8, QString()));
        QCOMPARE(colorsOf(simple[0]), QJsonArray({QJsonValue(), QJsonValue(), QJsonValue(), QJsonValue(), QJsonValue(), QJsonValue(), QJsonValue(), QJsonValue()}));
        QCOMPARE(cellsOf(simple[1]).last(), QStringLiteral("PEÑA A \"B\" \\ C") + QString(9, QLatin1Char(' ')) + QChar(1) + QLatin1Char(' '));
        QCOMPARE(colorsOf(simple[1]).last().toString(), QStringLiteral("#800000"));
        QCOMPARE(cellsOf(simple[2]).last(), QStringLiteral("16/08/2026 Domingo"));
        QCOMPARE(colorsOf(simple[2]).last().toString(), QStringLiteral("#008000"));
        QCOMPARE(cellsOf(simple[3]), (QStringList {QString(), QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("11"), QStringLiteral("20"), QStringLiteral("21"), QStringLiteral("1"), QStringLiteral("¡¡ Premio !! Has acertado 3 + Nº.Clave.")}));
        QCOMPARE(colorsOf(simple[3]), QJsonArray({QJsonValue(), QStringLiteral("#ff0000"), QStringLiteral("#ff0000"), QStringLiteral("#ff0000"), QJsonValue(), QJsonValue(), QStringLiteral("#ff0000"), QStringLiteral("#0000ff")}));

        const QJsonArray multi = json.value(QStringLiteral("multiple")).toArray();
        QCOMPARE(multi.size(), 6);
        QCOMPARE(cellsOf(multi[3]).size(), 14);
        QCOMPARE(cellsOf(multi[3]).mid(7, 6), (QStringList {QStringLiteral("42"), QStringLiteral("."), QStringLiteral("."), QStringLiteral("."), QStringLiteral("."), QStringLiteral("1")}));
        QCOMPARE(cellsOf(multi[5]).last(), QStringLiteral("¡¡ Premio !! Hay 3 apuestas de 4 + Clave."));
        QCOMPARE(colorsOf(multi[5]).last().toString(), QStringLiteral("#400040"));

        // Beside the cells, the same rows for scripts.
        const auto fields = [](const QJsonValue &row) {
            QJsonObject object = row.toObject();
            object.remove(QStringLiteral("cells"));
            object.remove(QStringLiteral("colors"));
            return object;
        };
        QCOMPARE(fields(simple[0]), (QJsonObject {{"kind", "separator"}}));
        QCOMPARE(fields(simple[1]), (QJsonObject {{"kind", "name"}, {"syndicate", 1}}));
        QCOMPARE(fields(simple[2]), (QJsonObject {{"kind", "date"}, {"date", "2026-08-16"}}));
        QCOMPARE(fields(simple[3]), (QJsonObject {{"kind", "bet"}, {"syndicate", 1}, {"bet", 1}, {"hits", 3}, {"keyMatch", true}, {"category", 5}}));
        QCOMPARE(fields(simple[4]), (QJsonObject {{"kind", "bet"}, {"syndicate", 1}, {"bet", 2}, {"hits", 0}, {"keyMatch", true}, {"category", QJsonValue()}}));
        QCOMPARE(fields(multi[1])[QStringLiteral("syndicate")].toInt(), 2);
        // The multiple bet: four numbers drawn, its comment names the
        // combinations of its first line.
        QCOMPARE(fields(multi[3]), (QJsonObject {{"kind", "bet"}, {"syndicate", 2}, {"bet", 1}, {"hits", 4}, {"keyMatch", true}, {"category", 7}, {"combinations", 6}}));
        QCOMPARE(fields(multi[5]), (QJsonObject {{"kind", "breakdown"}, {"hits", 4}, {"keyMatch", true}, {"category", 3}, {"combinations", 3}}));
    }

    void checkCountsAsTheWindowWould()
    {
        // The same files, one checked by the command line, the other by a
        // session set as the window's controls would set it.
        QTemporaryDir byCli, bySession;
        writeScrutinyFiles(byCli);
        writeScrutinyFiles(bySession);
        const QByteArray original = Fixtures::readFile(byCli.filePath(QStringLiteral("apuestas.dat")));
        const Run run = runCli({QStringLiteral("check"), QStringLiteral("--data-dir"), byCli.path(), QStringLiteral("--draws"),
                                QStringLiteral("5000"), QStringLiteral("--historico"), QStringLiteral("--premio"),
                                QStringLiteral("--json"), QStringLiteral("--today"), QStringLiteral("2026-08-18")});
        QCOMPARE(run.code, 0);
        {
            FixedClock clock(QDate(2026, 8, 18));
            RecordingPrompter prompter;
            Session session(clock, prompter);
            QVERIFY(session.start(bySession.path()));
            session.setHistorico(true);
            session.setSoloPremio(true);
            session.setDrawsToShow(1114);

            // Every row as the window holds it.
            const QJsonObject json = run.json();
            const QJsonArray simple = json.value(QStringLiteral("simple")).toArray();
            QCOMPARE(simple.size(), int(session.simpleResults().rowCount()));
            QCOMPARE(json.value(QStringLiteral("multiple")).toArray().size(), int(session.multipleResults().rowCount()));
            for (int r = 0; r < simple.size(); r += 97) {
                for (int c = 0; c < 8; ++c)
                    QCOMPARE(cellsOf(simple[r])[c], session.simpleResults().text(r, c));
            }
        }
        const QByteArray counted = Fixtures::readFile(byCli.filePath(QStringLiteral("apuestas.dat")));
        QCOMPARE(counted, Fixtures::readFile(bySession.filePath(QStringLiteral("apuestas.dat"))));
        // The damaged record is left as it was.
        QCOMPARE(counted.mid(3 * SyndicateRecord::kSize), original.mid(3 * SyndicateRecord::kSize));
        QVERIFY(counted.left(3 * SyndicateRecord::kSize) != original.left(3 * SyndicateRecord::kSize));
    }

    void syndicatesJson()
    {
        QTemporaryDir dir;
        writeScrutinyFiles(dir);
        const Run run = runCli({QStringLiteral("syndicates"), QStringLiteral("--json"), QStringLiteral("--data-dir"), dir.path()});
        QCOMPARE(run.code, 0);
        // The damaged record cannot be shown, as a click on it would say.
        QCOMPARE(QString::fromUtf8(run.err), QStringLiteral("¡Vaya hombre!: Error crítico: fichero apuestas.dat corrupto.\n"));
        const QJsonObject json = run.json();
        const QJsonArray list = json.value(QStringLiteral("syndicates")).toArray();
        QCOMPARE(list.size(), 4);

        const QJsonObject odd = list[0].toObject();
        QCOMPARE(odd.value(QStringLiteral("record")).toInt(), 1);
        QCOMPARE(odd.value(QStringLiteral("name")).toString(), QStringLiteral("A \"B\" \\ C") + QString(9, QLatin1Char(' ')) + QChar(1));
        QCOMPARE(odd.value(QStringLiteral("kind")).toInt(), 2);
        QCOMPARE(odd.value(QStringLiteral("key")).toInt(), 1);
        QCOMPARE(odd.value(QStringLiteral("bets")).toArray(), (QJsonArray {QJsonArray {7, 8, 11, 20, 21}, QJsonArray {1, 2, 3, 4, 5}}));
        QCOMPARE(odd.value(QStringLiteral("createdOn")).toString(), QStringLiteral("2026-08-01"));
        QCOMPARE(odd.value(QStringLiteral("lastCountedDate")).toString(), QStringLiteral("2026-08-16"));
        QCOMPARE(odd.value(QStringLiteral("drawDay")).toString(), QStringLiteral("Domingo"));
        QCOMPARE(odd.value(QStringLiteral("listBets")).toString(), QStringLiteral("2"));
        QCOMPARE(odd.value(QStringLiteral("prizeCounts")).toArray(), (QJsonArray {0, 0, 0, 1, 0, 0, 0, 0}));
        QCOMPARE(odd.value(QStringLiteral("drawsPlayed")).toString(), QStringLiteral("3"));
        QCOMPARE(odd.value(QStringLiteral("effectiveness")).toString(), QStringLiteral("33,3 %"));

        const QJsonObject seven = list[1].toObject();
        QCOMPARE(seven.value(QStringLiteral("listBets")).toString(), QStringLiteral("21"));
        QCOMPARE(seven.value(QStringLiteral("bets")).toArray(), (QJsonArray {QJsonArray {7, 8, 11, 31, 40, 41, 42}}));
        QCOMPARE(seven.value(QStringLiteral("prizeCounts")).toArray(), (QJsonArray {0, 6, 0, 12, 0, 3, 0, 0}));
        QCOMPARE(seven.value(QStringLiteral("effectiveness")).toString(), QStringLiteral("700 %"));

        const QJsonObject fresh = list[2].toObject();
        QCOMPARE(fresh.value(QStringLiteral("drawsPlayed")).toString(), QStringLiteral("0"));
        QCOMPARE(fresh.value(QStringLiteral("effectiveness")).toString(), QStringLiteral("0 %"));
        QCOMPARE(fresh.value(QStringLiteral("lastCountedDate")).toString(), QStringLiteral("2026-08-16"));

        const QJsonObject damaged = list[3].toObject();
        QCOMPARE(damaged.value(QStringLiteral("listBets")).toString(), QStringLiteral("Dañada"));
        QVERIFY(damaged.value(QStringLiteral("damaged")).toBool());
        QVERIFY(damaged.value(QStringLiteral("lastCountedDate")).isNull());
        QCOMPARE(damaged.value(QStringLiteral("bets")).toArray(), QJsonArray());

        QCOMPARE(json.value(QStringLiteral("totalPrizes")).toString(), QStringLiteral("22"));
        QCOMPARE(json.value(QStringLiteral("overall")).toString(), QStringLiteral("100% de efectividad en premios"));
        QCOMPARE(json.value(QStringLiteral("overallDraws")).toString(), QStringLiteral("en 3 sorteos"));
        QCOMPARE(json.value(QStringLiteral("totalPrizesCount")).toInt(), 22);
        QCOMPARE(json.value(QStringLiteral("overallPercent")).toDouble(), 100.0);
        QCOMPARE(json.value(QStringLiteral("overallDrawsCount")).toInt(), 3);

        // The lines say the same, singular or plural as the count asks.
        const Run text = runCli({QStringLiteral("syndicates"), QStringLiteral("--data-dir"), dir.path()});
        QCOMPARE(text.code, 0);
        const QStringList lines = QString::fromUtf8(text.out).split(QLatin1Char('\n'));
        QCOMPARE(lines.mid(1, 3), (QStringList {QStringLiteral("2. SIETE  (21 apuestas, 3 sorteos jugados, 700 %)"), QStringLiteral("3. NUEVA  (1 apuesta, 0 sorteos jugados, 0 %)"), QStringLiteral("4. ROTA  (Dañada apuestas, - sorteos jugados, -)")}));
        QVERIFY(lines[0].endsWith(QStringLiteral("  (2 apuestas, 3 sorteos jugados, 33,3 %)")));
        QCOMPARE(lines[4], QStringLiteral("Premios: 22"));
        QCOMPARE(lines.value(6), QStringLiteral("100% de efectividad en premios en 3 sorteos"));
    }

    void emptyCheckAndSyndicates()
    {
        QTemporaryDir dir;
        const Run check = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("check"), QStringLiteral("--json")});
        QCOMPARE(check.code, 0);
        QCOMPARE(check.json(), (QJsonObject {{QStringLiteral("simple"), QJsonArray()}, {QStringLiteral("multiple"), QJsonArray()}}));
        const Run list = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("syndicates"), QStringLiteral("--json")});
        QCOMPARE(list.code, 0);
        QCOMPARE(list.json().value(QStringLiteral("syndicates")).toArray(), QJsonArray());
        QCOMPARE(list.json().value(QStringLiteral("overall")).toString(), QStringLiteral("¡Nunca has acertado nada!"));
        QCOMPARE(list.json().value(QStringLiteral("overallDraws")).toString(), QString());
        QVERIFY(list.json().value(QStringLiteral("overallPercent")).isNull());
        QVERIFY(list.json().value(QStringLiteral("overallDrawsCount")).isNull());
    }

    void badDrawCount_data()
    {
        QTest::addColumn<QString>("draws");
        QTest::newRow("zero") << QStringLiteral("0");
        QTest::newRow("negative") << QStringLiteral("-3");
        QTest::newRow("not a number") << QStringLiteral("todos");
    }

    void badDrawCount()
    {
        QFETCH(QString, draws);
        QTemporaryDir dir;
        writeScrutinyFiles(dir);
        const QByteArray before = Fixtures::readFile(dir.filePath(QStringLiteral("apuestas.dat")));
        const Run run = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("check"), QStringLiteral("--draws"), draws});
        QCOMPARE(run.code, 2);
        QVERIFY(run.err.startsWith("--draws: "));
        QVERIFY(run.out.isEmpty());
        QCOMPARE(Fixtures::readFile(dir.filePath(QStringLiteral("apuestas.dat"))), before); // not even started
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
        // Years ahead, every Sunday up to it would be a draw to download.
        const Run future = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--today"),
                                   QStringLiteral("9999-12-31"), QStringLiteral("status")});
        QCOMPARE(future.code, 2);
        QVERIFY(future.err.startsWith("La fecha de --today no puede ser posterior a mañana."));
        QCOMPARE(runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--today"),
                         QDate::currentDate().addDays(1).toString(Qt::ISODate), QStringLiteral("status")})
                     .code,
                 0);
        // A data directory that is a file cannot be used.
        Fixtures::writeFile(dir.filePath(QStringLiteral("plain")), "x");
        QCOMPARE(runCli({QStringLiteral("--data-dir"), dir.filePath(QStringLiteral("plain")), QStringLiteral("status")}).code, 1);
    }

    // Every command explains itself; an option of another command is a
    // usage error that creates no file.
    void commandHelpAndForeignOptions()
    {
        const QByteArray general = runCli({QStringLiteral("--help")}).out;
        const QStringList commands = {"status", "draws", "check", "syndicates", "create", "print", "import", "delete-draws",
                                      "delete-draw", "delete-syndicate", "update", "export", "prizes", "ledger",
                                      "members", "participation"};
        for (const QString &command : commands) {
            QVERIFY2(general.contains("\n  " + command.toUtf8() + ' '), qPrintable(command));
            const Run help = runCli({command, QStringLiteral("--help")});
            QCOMPARE(help.code, 0);
            QVERIFY2(help.out.startsWith("Uso: quorvale-cli [--data-dir DIR] [--today AAAA-MM-DD] " + command.toUtf8()),
                     help.out.constData());
            QVERIFY(help.out.contains("\nEscribe: "));
        }
        const Run check = runCli({QStringLiteral("check"), QStringLiteral("--help")});
        for (const char *option : {"--draws N", "--historico", "--premio", "--json"})
            QVERIFY2(check.out.contains(option), option);
        QVERIFY(!check.out.contains("--pdf"));
        QVERIFY(runCli({QStringLiteral("create"), QStringLiteral("--help")}).out.contains("El número de la peña nueva"));
        QCOMPARE(runCli({QStringLiteral("fly"), QStringLiteral("--help")}).code, 2);

        QTemporaryDir dir;
        const Run foreign = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("status"), QStringLiteral("--pdf"),
                                    QStringLiteral("x.pdf")});
        QCOMPARE(foreign.code, 2);
        QVERIFY2(foreign.err.startsWith("La orden status no admite la opción --pdf."), foreign.err.constData());
        QVERIFY(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());

        const Run created = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("create"), QStringLiteral("--name"),
                                    QStringLiteral("uno"), QStringLiteral("--key"), QStringLiteral("3"), QStringLiteral("--bet"),
                                    QStringLiteral("1,2,3,4,5"), QStringLiteral("--json")});
        QCOMPARE(created.code, 0);
        QCOMPARE(created.out, QByteArray("{\"record\": 1}\n"));
    }

    // The window program reads its whole command line before it needs a
    // display: help and version answer, a wrong argument opens nothing.
    void windowProgramWithoutDisplay()
    {
        QTemporaryDir dir;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        const auto run = [&](const QStringList &arguments) {
            QProcess process;
            process.setProcessEnvironment(environment);
            process.start(QStringLiteral(QUORVALE_WINDOW), QStringList {QStringLiteral("--data-dir"), dir.path()} + arguments);
            process.waitForFinished(30000);
            return std::pair {process.exitCode(), process.readAllStandardOutput() + process.readAllStandardError()};
        };
        QCOMPARE(run({QStringLiteral("--version")}), (std::pair {0, QByteArray("Quorvale " QUORVALE_VERSION "\n")}));
        QVERIFY(run({QStringLiteral("--help")}).second.contains("--data-dir"));
        const auto unknown = run({QStringLiteral("--bogus")});
        QCOMPARE(unknown.first, 2);
        QVERIFY2(unknown.second.startsWith("Opción desconocida: --bogus"), unknown.second.constData());
        QCOMPARE(run({QStringLiteral("extra")}).first, 2);
        QCOMPARE(run({QStringLiteral("--today"), QStringLiteral("mañana")}).first, 2);
        QCOMPARE(run({QStringLiteral("--today"), QStringLiteral("9999-12-31")}).first, 2);
        QVERIFY(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
