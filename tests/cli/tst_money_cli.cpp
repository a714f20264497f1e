// Money and prize reports through the real quorvale-cli: a peña on the four
// draws of January 2025 against their real reports (the figures worked out
// by hand in tst_money), read back as scripts read them.

#include "store/fileops.h"
#include "store/prizereportfile.h"
#include "support/fixtures.h"

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

    // tests/data/gordo_prize_reports.csv: date,category,hits,winners,prize_eur
    std::vector<PrizeReport> realReports()
    {
        std::map<QDate, PrizeReport> reports;
        QFile file(QStringLiteral(QUORVALE_TEST_DATA "/gordo_prize_reports.csv"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        file.readLine();
        while (!file.atEnd()) {
            const QList<QByteArray> f = file.readLine().trimmed().split(',');
            if (f.size() != 5)
                continue;
            const QDate date = QDate::fromString(QString::fromLatin1(f[0]), Qt::ISODate);
            const QList<QByteArray> euros = f[4].split('.');
            PrizeReport &report = reports[date];
            report.date = date;
            report.status = PrizeReport::Status::Final;
            PrizeRow &row = report.row(f[1] == "R" ? PrizeReport::kReintegro : f[1].toInt());
            row.winners = f[3].toLongLong();
            row.prizeCents = euros[0].toLongLong() * 100 + euros.value(1).toLongLong();
        }
        std::vector<PrizeReport> out;
        for (const auto &[date, report] : reports)
            out.push_back(report);
        return out;
    }
}

class TestMoneyCli : public QObject
{
    Q_OBJECT

private slots:
    void januaryOf2025()
    {
        QTemporaryDir dir;
        std::vector<DrawRecord> draws;
        for (const DrawRecord &draw : Fixtures::realDraws()) {
            if (draw.qdate() <= QDate(2025, 1, 26))
                draws.push_back(draw);
        }
        QVERIFY(Fixtures::writeFile(dir.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(draws)));
        QVERIFY(Fixtures::writeFile(dir.filePath(QStringLiteral("apuestas.dat")), Fixtures::bytesOf({
            Fixtures::simpleSyndicate(QStringLiteral("ENERO"), {{1, 6, 27, 33, 34}, {20, 27, 34, 40, 41}, {2, 3, 6, 9, 13}, {1, 2, 8, 26, 35}},
                                      9, QDate(2025, 1, 5)),
        })));
        DiskFileOps ops;
        PrizeReportFile reports(ops);
        QCOMPARE(reports.load(dir.filePath(QString::fromLatin1(PrizeReportFile::kFileName))), PrizeReportFile::Load::Ok);
        for (const PrizeReport &report : realReports()) {
            if (report.date <= QDate(2025, 1, 26))
                reports.put(report);
        }
        QCOMPARE(reports.save(), FileOps::Result::Ok);

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
        QCOMPARE(csv.out.split('\n')[1], QByteArray("2025-01-05,600,20717,0,0,0,1,0,0,0,1,0"));

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
};

QTEST_GUILESS_MAIN(TestMoneyCli)
#include "tst_money_cli.moc"
