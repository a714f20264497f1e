// Money and prize reports through the real quorvale-cli: a peña on the four
// draws of January 2025 against their real reports (the figures worked out
// by hand in tst_money), read back as scripts read them.

#include "store/fileops.h"
#include "store/prizereportfile.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>
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
    };

    Run runCli(const QString &dir, const QStringList &arguments)
    {
        QProcess process;
        process.start(QStringLiteral(QUORVALE_CLI), QStringList {QStringLiteral("--data-dir"), dir} + arguments);
        Run run;
        if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
            run.code = process.exitCode();
        run.out = process.readAllStandardOutput();
        return run;
    }

    using Fixtures::realReports;
}

class TestMoneyCli : public QObject
{
    Q_OBJECT

    // The four draws of January 2025 with their real reports, the peña ENERO
    // created on the 5th, after the peñas given.
    static bool writeJanuary(const QString &path, std::vector<SyndicateRecord> before, QDate withoutReport = {})
    {
        QDir dir(path);
        std::vector<DrawRecord> draws;
        for (const DrawRecord &draw : Fixtures::realDraws()) {
            if (draw.qdate() <= QDate(2025, 1, 26))
                draws.push_back(draw);
        }
        before.push_back(Fixtures::simpleSyndicate(QStringLiteral("ENERO"),
                                                   {{1, 6, 27, 33, 34}, {20, 27, 34, 40, 41}, {2, 3, 6, 9, 13}, {1, 2, 8, 26, 35}},
                                                   9, QDate(2025, 1, 5)));
        if (!Fixtures::writeFile(dir.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(draws))
            || !Fixtures::writeFile(dir.filePath(QStringLiteral("apuestas.dat")), Fixtures::bytesOf(before)))
            return false;
        DiskFileOps ops;
        PrizeReportFile reports(ops);
        if (reports.load(dir.filePath(QString::fromLatin1(PrizeReportFile::kFileName))) != PrizeReportFile::Load::Ok)
            return false;
        for (const PrizeReport &report : realReports()) {
            if (report.date <= QDate(2025, 1, 26) && report.date != withoutReport)
                reports.put(report);
        }
        return reports.save() == FileOps::Result::Ok;
    }

private slots:
    void januaryOf2025()
    {
        QTemporaryDir dir;
        QVERIFY(writeJanuary(dir.path(), {}));

        const Run syndicates = runCli(dir.path(), {QStringLiteral("syndicates"), QStringLiteral("--json")});
        QCOMPARE(syndicates.code, 0);
        const QJsonObject list = QJsonDocument::fromJson(syndicates.out).object();
        const QJsonObject money = list[QStringLiteral("syndicates")].toArray()[0].toObject()[QStringLiteral("money")].toObject();
        QCOMPARE(money[QStringLiteral("drawsPlayed")].toInt(), 4);
        QCOMPARE(money[QStringLiteral("drawsPriced")].toInt(), 4);
        QCOMPARE(money[QStringLiteral("stakeCents")].toInteger(), 2400);
        QCOMPARE(money[QStringLiteral("wonCents")].toInteger(), 29868);
        QCOMPARE(money[QStringLiteral("balanceCents")].toInteger(), 27468);
        QCOMPARE(list[QStringLiteral("money")].toObject(), money);

        const Run ledger = runCli(dir.path(), {QStringLiteral("ledger"), QStringLiteral("--syndicate"), QStringLiteral("1"), QStringLiteral("--json")});
        QCOMPARE(ledger.code, 0);
        const QJsonArray rows = QJsonDocument::fromJson(ledger.out).object()[QStringLiteral("rows")].toArray();
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[1].toObject()[QStringLiteral("date")].toString(), QStringLiteral("2025-01-12"));
        QCOMPARE(rows[1].toObject()[QStringLiteral("wonCents")].toInteger(), 4992 + 726 + 4 * 150);
        QCOMPARE(rows[1].toObject()[QStringLiteral("categories")].toArray(), (QJsonArray {0, 0, 0, 0, 1, 0, 1, 0, 4}));
        const Run csv = runCli(dir.path(), {QStringLiteral("ledger"), QStringLiteral("--syndicate"), QStringLiteral("1"), QStringLiteral("--csv")});
        QCOMPARE(csv.out.split('\n')[1], QByteArray("2025-01-05,600,20717,0,0,0,1,0,0,0,1,0,"));
        // Without a format, a table for people.
        const Run table = runCli(dir.path(), {QStringLiteral("ledger"), QStringLiteral("--syndicate"), QStringLiteral("1")});
        QCOMPARE(table.code, 0);
        QVERIFY(table.out.contains("12/01/2025"));
        QVERIFY(table.out.contains("1 × 5ª (3+1), 1 × 7ª (2+1), 4 reintegros"));
        QVERIFY(table.out.contains("Balance: 274,68 €\n"));

        const Run prizes = runCli(dir.path(), {QStringLiteral("prizes"), QStringLiteral("--json")});
        const QJsonObject newest = QJsonDocument::fromJson(prizes.out).object();
        QCOMPARE(newest[QStringLiteral("date")].toString(), QStringLiteral("2025-01-26"));
        QCOMPARE(newest[QStringLiteral("status")].toString(), QStringLiteral("final"));
        const QJsonObject third = newest[QStringLiteral("rows")].toArray()[2].toObject();
        QCOMPARE(third[QStringLiteral("winners")].toInteger(), 29);
        QCOMPARE(third[QStringLiteral("prizeCents")].toInteger(), 692314);
        const Run older = runCli(dir.path(), {QStringLiteral("prizes"), QStringLiteral("--date"), QStringLiteral("2024-12-29"), QStringLiteral("--json")});
        QCOMPARE(QJsonDocument::fromJson(older.out).object()[QStringLiteral("status")].toString(), QStringLiteral("missing"));
        QVERIFY(QJsonDocument::fromJson(older.out).object()[QStringLiteral("rows")].toArray().isEmpty());
    }

    // The last report missing, members 3/3/1: every balance is won less
    // staked and says it is provisional; a member's ledger adds up to their
    // line of the members' table.
    void provisionalBalanceAndMemberLedgers()
    {
        QTemporaryDir dir;
        QVERIFY(writeJanuary(dir.path(), {}, QDate(2025, 1, 26)));
        const QString r1 = QStringLiteral("1");
        for (const auto &[name, shares] : {std::pair {"Ana", "3"}, {"Luis", "3"}, {"Eva", "1"}})
            QCOMPARE(runCli(dir.path(), {QStringLiteral("members"), QStringLiteral("--syndicate"), r1, QStringLiteral("--add"), QString::fromUtf8(name), QStringLiteral("--shares"), QString::fromLatin1(shares)}).code, 0);
        const QJsonObject list = QJsonDocument::fromJson(runCli(dir.path(), {QStringLiteral("syndicates"), QStringLiteral("--json")}).out).object();
        const QJsonObject money = list[QStringLiteral("money")].toObject();
        const std::int64_t won = 29868 - 1703;
        QCOMPARE(money[QStringLiteral("wonCents")].toInteger(), won);
        QCOMPARE(money[QStringLiteral("balanceCents")].toInteger(), won - 2400);
        QCOMPARE(money[QStringLiteral("pricedBalanceCents")].toInteger(), won - 1800);
        QCOMPARE(money[QStringLiteral("unpricedDraws")].toInt(), 1);
        QCOMPARE(money[QStringLiteral("unpricedStakeCents")].toInteger(), 600);
        QCOMPARE(money[QStringLiteral("unconfirmedPrizes")].toInt(), 0);
        const Run text = runCli(dir.path(), {QStringLiteral("syndicates")});
        QVERIFY(text.out.contains("(provisional: falta 1 informe (6,00 € jugados en él))"));

        const QJsonObject members = QJsonDocument::fromJson(runCli(dir.path(), {QStringLiteral("members"), QStringLiteral("--syndicate"), r1, QStringLiteral("--json")}).out).object();
        for (const QJsonValue &value : members[QStringLiteral("members")].toArray()) {
            const QJsonObject member = value.toObject();
            QCOMPARE(member[QStringLiteral("balanceCents")].toInteger(),
                     member[QStringLiteral("wonCents")].toInteger() - member[QStringLiteral("stakeCents")].toInteger());
            const Run ledger = runCli(dir.path(), {QStringLiteral("ledger"), QStringLiteral("--syndicate"), r1, QStringLiteral("--member"), member[QStringLiteral("name")].toString(), QStringLiteral("--json")});
            QCOMPARE(ledger.code, 0);
            const QJsonObject object = QJsonDocument::fromJson(ledger.out).object();
            std::int64_t stake = 0, memberWon = 0;
            for (const QJsonValue &row : object[QStringLiteral("rows")].toArray()) {
                stake += row.toObject()[QStringLiteral("stakeCents")].toInteger();
                memberWon += row.toObject()[QStringLiteral("wonCents")].toInteger();
            }
            QCOMPARE(stake, member[QStringLiteral("stakeCents")].toInteger());
            QCOMPARE(memberWon, member[QStringLiteral("wonCents")].toInteger());
            QCOMPARE(object[QStringLiteral("totals")].toObject()[QStringLiteral("balanceCents")].toInteger(),
                     member[QStringLiteral("balanceCents")].toInteger());
        }
        QCOMPARE(runCli(dir.path(), {QStringLiteral("ledger"), QStringLiteral("--syndicate"), r1, QStringLiteral("--member"), QStringLiteral("Nadie")}).code, 1);
        QCOMPARE(runCli(dir.path(), {QStringLiteral("ledger"), QStringLiteral("--syndicate"), r1, QStringLiteral("--json"), QStringLiteral("--csv")}).code, 2);
    }

    void membersShareTheMoney()
    {
        // A peña before ENERO takes the members' file through a deletion.
        QTemporaryDir dir;
        QVERIFY(writeJanuary(dir.path(), {Fixtures::simpleSyndicate(QStringLiteral("OTRA"), {{1, 2, 3, 4, 5}}, 0, QDate(2025, 1, 5))}));
        const QString r2 = QStringLiteral("2");
        for (const auto &[name, shares] : {std::pair {"Ana María", "2"}, {"Luis", "1"}, {"Eva", "1"}})
            QCOMPARE(runCli(dir.path(), {QStringLiteral("members"), QStringLiteral("--syndicate"), r2, QStringLiteral("--add"), QString::fromUtf8(name), QStringLiteral("--shares"), QString::fromLatin1(shares)}).code, 0);
        QCOMPARE(runCli(dir.path(), {QStringLiteral("members"), QStringLiteral("--syndicate"), r2, QStringLiteral("--add"), QStringLiteral("Luis"), QStringLiteral("--shares"), QStringLiteral("3")}).code, 1);
        QCOMPARE(runCli(dir.path(), {QStringLiteral("delete-syndicate"), QStringLiteral("1"), QStringLiteral("--yes")}).code, 0);

        const Run listed = runCli(dir.path(), {QStringLiteral("members"), QStringLiteral("--syndicate"), QStringLiteral("1"), QStringLiteral("--json")});
        QCOMPARE(listed.code, 0);
        const QJsonObject members = QJsonDocument::fromJson(listed.out).object();
        QCOMPARE(members[QStringLiteral("totalShares")].toInt(), 4);
        const QJsonArray rows = members[QStringLiteral("members")].toArray();
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0].toObject()[QStringLiteral("name")].toString(), QStringLiteral("Ana María"));
        std::int64_t stake = 0, won = 0, balance = 0;
        for (const QJsonValue &row : rows) {
            stake += row.toObject()[QStringLiteral("stakeCents")].toInteger();
            won += row.toObject()[QStringLiteral("wonCents")].toInteger();
            balance += row.toObject()[QStringLiteral("balanceCents")].toInteger();
        }
        QCOMPARE(stake, 2400);
        QCOMPARE(won, 29868);
        QCOMPARE(balance, 27468);
        QCOMPARE(rows[0].toObject()[QStringLiteral("wonCents")].toInteger(), 14934);
        QCOMPARE(rows[1].toObject()[QStringLiteral("balanceCents")].toInteger(), 6867);

        // Every member's participation in the draw of the 26th: each bet in
        // digits, the date, and their part of the 6,00 € stake.
        QTemporaryDir elsewhere;
        const QString pdf = elsewhere.filePath(QStringLiteral("participaciones.pdf"));
        const Run printed = runCli(dir.path(), {QStringLiteral("participation"), QStringLiteral("--syndicate"), QStringLiteral("1"), QStringLiteral("--date"), QStringLiteral("2025-01-26"), QStringLiteral("--pdf"), pdf});
        QCOMPARE(printed.code, 0);
        QCOMPARE(printed.out.trimmed(), QByteArray("3"));
        // A Monday has no draw to take part in.
        QCOMPARE(runCli(dir.path(), {QStringLiteral("participation"), QStringLiteral("--syndicate"), QStringLiteral("1"), QStringLiteral("--date"), QStringLiteral("2025-01-27"), QStringLiteral("--pdf"), pdf}).code, 2);
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        if (!text.waitForFinished(30000) || text.exitCode() != 0)
            QSKIP("pdftotext is not available");
        const QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 3);
        for (const QString &page : pages) {
            const QString text = page.simplified();
            for (const char *bet : {"Apuesta 1: 01 06 27 33 34", "Apuesta 2: 20 27 34 40 41", "Apuesta 3: 02 03 06 09 13",
                                    "Apuesta 4: 01 02 08 26 35", "Número clave (reintegro): 9"})
                QVERIFY2(text.contains(QString::fromUtf8(bet)), bet);
            QVERIFY(text.contains(QStringLiteral("Domingo, 26 de enero del 2025")));
            QVERIFY(text.contains(QStringLiteral("6,00 € (4 × 1,50 €)")));
        }
        const QString luis = pages[1].simplified();
        QVERIFY(luis.contains(QStringLiteral("Socio: Luis")));
        QVERIFY(luis.contains(QStringLiteral("1 participación de 4")));
        QVERIFY(luis.contains(QStringLiteral("Su parte: 1,50 €")));
        QVERIFY(pages[0].simplified().contains(QStringLiteral("Su parte: 3,00 €")));

        // The members go with their peña, after the same question.
        const QString socios = dir.filePath(QStringLiteral("socios.json"));
        QCOMPARE(runCli(dir.path(), {QStringLiteral("delete-syndicate"), QStringLiteral("1")}).code, 3);
        QVERIFY(Fixtures::readFile(socios).contains("Ana María"));
        QCOMPARE(runCli(dir.path(), {QStringLiteral("delete-syndicate"), QStringLiteral("1"), QStringLiteral("--yes")}).code, 0);
        QVERIFY(!Fixtures::readFile(socios).contains("Ana María"));
    }
};

QTEST_GUILESS_MAIN(TestMoneyCli)
#include "tst_money_cli.moc"
