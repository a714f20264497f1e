// quorvale-cli wheel: refused input stores nothing, a reduction saved as
// peñas checks at 100 % and prints, and one seed gives one set.

#include "support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace
{
    using Fixtures::Run;

    Run runCli(const QString &dir, const QStringList &arguments)
    {
        return Fixtures::runProgram(QStringLiteral(QUORVALE_CLI), QStringList {QStringLiteral("--data-dir"), dir} + arguments,
                                    120000);
    }

    const QString kTwelve = QStringLiteral("3,7,11,14,19,22,28,31,36,40,47,53");
}

class TestWheelCli : public QObject
{
    Q_OBJECT

private slots:
    void badInputStoresNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("five numbers") << QStringList {"--numbers", "1,2,3,4,5", "--guarantee", "3/3"};
        QTest::newRow("number 55") << QStringList {"--numbers", "1,2,3,4,5,55", "--guarantee", "3/3"};
        QTest::newRow("repeated") << QStringList {"--numbers", "1,2,3,4,5,5,6", "--guarantee", "3/3"};
        QTest::newRow("t above p") << QStringList {"--numbers", "1,2,3,4,5,6,7", "--guarantee", "4/3"};
        QTest::newRow("no guarantee") << QStringList {"--numbers", "1,2,3,4,5,6,7"};
        QTest::newRow("fixed outside") << QStringList {"--numbers", "1,2,3,4,5,6,7", "--guarantee", "3/3", "--fixed", "9"};
        QTest::newRow("four fixed") << QStringList {"--numbers", "1,2,3,4,5,6,7,8,9", "--guarantee", "2/2", "--fixed", "1,2,3,4"};
        QTest::newRow("zero seconds") << QStringList {"--numbers", "1,2,3,4,5,6,7", "--guarantee", "3/3", "--seconds", "0"};
        QTest::newRow("save without key") << QStringList {"--numbers", "1,2,3,4,5,6,7", "--guarantee", "3/3", "--save", "A"};
        QTest::newRow("key 10") << QStringList {"--numbers", "1,2,3,4,5,6,7", "--guarantee", "3/3", "--save", "A", "--key", "10"};
        QTest::newRow("name too long for its number")
            << QStringList {"--numbers", kTwelve, "--guarantee", "3/3", "--seconds", "1", "--save", "REDUCCION DE DOCE", "--key", "1"};
        QTest::newRow("check without peña") << QStringList {"--check", "--numbers", "1,2,3,4,5,6,7", "--guarantee", "3/3"};
    }

    void badInputStoresNothing()
    {
        QFETCH(QStringList, arguments);
        QTemporaryDir dir;
        const Run run = runCli(dir.path(), QStringList {"wheel"} + arguments);
        QCOMPARE(run.code, 2);
        QVERIFY(!run.err.isEmpty());
        QVERIFY(run.out.isEmpty());
        QFile syndicates(QDir(dir.path()).filePath(QStringLiteral("apuestas.dat")));
        QVERIFY(!syndicates.exists() || syndicates.size() == 0);
    }

    // 12 numbers, "3 si 3": more than 24 bets, so two peñas.
    void savedSyndicatesCheckAndPrint()
    {
        QTemporaryDir dir;
        const Run made = runCli(dir.path(), {"wheel", "--numbers", kTwelve, "--guarantee", "3/3", "--seconds", "2", "--save", "doce", "--key", "4", "--json"});
        QCOMPARE(made.code, 0);
        const QJsonObject wheel = QJsonDocument::fromJson(made.out).object();
        QCOMPARE(wheel.value("verified").toBool(), true);
        QCOMPARE(wheel.value("coverage").toDouble(), 1.0);
        QCOMPARE(wheel.value("bestKnown").toInt(), 29);
        QCOMPARE(wheel.value("lowerBound").toInt(), 27);
        const QJsonArray bets = wheel.value("bets").toArray();
        QVERIFY(bets.size() > 24 && bets.size() <= 48);
        const QJsonArray saved = wheel.value("syndicates").toArray();
        QCOMPARE(saved.size(), 2);
        QCOMPARE(saved.at(0).toObject().value("name").toString(), QStringLiteral("DOCE 1/2"));
        QCOMPARE(saved.at(1).toObject().value("name").toString(), QStringLiteral("DOCE 2/2"));

        const QJsonArray listed = QJsonDocument::fromJson(runCli(dir.path(), {"syndicates", "--json"}).out)
                                      .object()
                                      .value("syndicates")
                                      .toArray();
        QCOMPARE(listed.size(), 2);

        const Run both = runCli(dir.path(), {"wheel", "--check", "--syndicate", "1,2", "--numbers", kTwelve, "--guarantee", "3/3", "--json"});
        QCOMPARE(both.code, 0);
        const QJsonObject check = QJsonDocument::fromJson(both.out).object();
        QCOMPARE(check.value("coverage").toDouble(), 1.0);
        QVERIFY(check.value("uncovered").toArray().isEmpty());
        QCOMPARE(check.value("bets").toInt(), int(bets.size()));
        // Two or more of the chosen numbers drawn: some bet holds two.
        for (const QJsonValue &o : check.value("outcomes").toArray())
            QVERIFY(o.toObject().value("least").toInt() >= 2);

        const QJsonObject half = QJsonDocument::fromJson(runCli(dir.path(), {"wheel", "--check", "--syndicate", "1", "--numbers", kTwelve, "--guarantee", "3/3", "--json"}).out).object();
        QVERIFY(half.value("coverage").toDouble() < 1.0);
        QCOMPARE(half.value("uncovered").toArray().size(), 20);

        QTemporaryDir elsewhere;
        const QString pdf = elsewhere.filePath(QStringLiteral("doce.pdf"));
        const Run printed = runCli(dir.path(), {"print", "--syndicate", "1", "--plain", "--pdf", pdf, "--json"});
        QCOMPARE(printed.code, 0);
        QCOMPARE(QJsonDocument::fromJson(printed.out).object().value("pages").toInt(), 2); // 24 bets: 4 slips, 2 a page
        QVERIFY(QFile(pdf).size() > 1000);
    }

    void oneSeedOneSet()
    {
        QTemporaryDir dir;
        const QStringList arguments {"wheel", "--numbers", "2,4,6,8,10,12,14,16,18,20,22,24,26,28", "--guarantee", "2/2", "--seed", "5"};
        const Run first = runCli(dir.path(), arguments);
        QCOMPARE(first.code, 0);
        QVERIFY(first.out.contains("12 apuestas"));
        QCOMPARE(runCli(dir.path(), arguments).out, first.out);
        // A plain reduction needs no data directory: nothing was made.
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestWheelCli)
#include "tst_wheel_cli.moc"
