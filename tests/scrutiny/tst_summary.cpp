// The syndicates tab's figures: percentages, the list, the overall
// effectiveness and the details of one syndicate.

#include "scrutiny/money.h"
#include "scrutiny/summary.h"
#include "store/oledate.h"
#include "support/fixtures.h"
#include "wording/syndicatewording.h"

#include <QTest>

namespace
{
    SyndicateRecord withPrizes(SyndicateRecord s, std::array<std::int16_t, 8> counts)
    {
        s.prizeCounts = counts;
        return s;
    }

    SyndicateRecord multiple(int numbers, int key, QDate createdOn)
    {
        SyndicateRecord s;
        s.setName(QStringLiteral("MÚLTIPLE"));
        s.setDrawDay(QStringLiteral("Domingo"));
        s.kind = std::int16_t(95 + numbers);
        for (int i = 0; i < numbers; ++i)
            s.bets[0][std::size_t(i)] = std::int16_t(3 + 4 * i);
        s.bets[0][std::size_t(numbers)] = std::int16_t(key);
        s.createdOn = OleDate::fromDate(createdOn);
        return s;
    }

    std::vector<double> sundays(QDate first, int count)
    {
        std::vector<double> dates;
        for (int i = 0; i < count; ++i)
            dates.push_back(OleDate::fromDate(first.addDays(7 * i)));
        return dates;
    }
}

class TestSummary : public QObject
{
    Q_OBJECT

private slots:
    void percentText_data()
    {
        QTest::addColumn<qint64>("numerator");
        QTest::addColumn<qint64>("denominator");
        QTest::addColumn<QString>("text");
        QTest::newRow("an eighth") << 1LL << 8LL << QStringLiteral("12,5");
        QTest::newRow("whole") << 1LL << 2LL << QStringLiteral("50");
        QTest::newRow("zero") << 0LL << 7LL << QStringLiteral("0");
        QTest::newRow("hundred") << 9LL << 9LL << QStringLiteral("100");
        QTest::newRow("a third") << 1LL << 3LL << QStringLiteral("33,3");
        QTest::newRow("two thirds") << 2LL << 3LL << QStringLiteral("66,7");
        QTest::newRow("tie down to even") << 1LL << 16LL << QStringLiteral("6,2"); // 6.25
        QTest::newRow("tie up to even") << 7LL << 16LL << QStringLiteral("43,8"); // 43.75
        QTest::newRow("tie 0.25") << 1LL << 400LL << QStringLiteral("0,2");
        QTest::newRow("tie 0.75") << 3LL << 400LL << QStringLiteral("0,8");
        QTest::newRow("tie to a whole") << 199LL << 2000LL << QStringLiteral("10"); // 9.95
        QTest::newRow("near tie") << 1001LL << 16000LL << QStringLiteral("6,3"); // 6.25625
        QTest::newRow("over a hundred") << 462LL << 10LL << QStringLiteral("4620");
        QTest::newRow("no denominator") << 5LL << 0LL << QStringLiteral("0");
        QTest::newRow("negative") << -1LL << 8LL << QStringLiteral("-12,5");
        QTest::newRow("tiny negative") << -1LL << 100000LL << QStringLiteral("0");
    }

    void percentText()
    {
        QFETCH(qint64, numerator);
        QFETCH(qint64, denominator);
        QFETCH(QString, text);
        QCOMPARE(Wording::percentText(numerator, denominator), text);
        // The number scripts get is the one the text reads.
        if (denominator != 0)
            QCOMPARE(Wording::percentValue({numerator, denominator}), QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble());
    }

    void emptyList()
    {
        std::vector<SyndicateRecord> none;
        const Summary::SyndicateList list = Summary::loadSyndicateList(none, 0);
        QVERIFY(list.items.empty());
        QCOMPARE(list.count, 0);
        QCOMPARE(Wording::totalPrizesText(list), QStringLiteral("0"));
        QVERIFY(!list.overall);
        QCOMPARE(Wording::overallText(list), QStringLiteral("¡Nunca has acertado nada!"));
        QCOMPARE(Wording::overallDrawsText(list), QString());
        QCOMPARE(list.overallChart, (Summary::ChartRow {QStringLiteral(" "), 1, 0}));

        const Summary::Details details = Summary::emptyDetails();
        QCOMPARE(Wording::drawsPlayedText(details), QStringLiteral("-"));
        QCOMPARE(Wording::effectivenessText(details), QStringLiteral("-"));
        QVERIFY(Wording::detailLines(details).isEmpty());
        for (int category = 1; category <= 8; ++category)
            QCOMPARE(Wording::prizeCountText(details, category), QStringLiteral("0"));
        QCOMPARE(details.chart, (Summary::ChartRow {QStringLiteral(" "), 0, 0}));
    }

    void overallEffectiveness_data()
    {
        QTest::addColumn<int>("prizesA");
        QTest::addColumn<int>("prizesB");
        QTest::addColumn<int>("draws");
        QTest::addColumn<QString>("overall");
        QTest::addColumn<qint64>("without");
        QTest::addColumn<double>("percent");
        QTest::newRow("some") << 1 << 2 << 40 << QStringLiteral("7,5% de efectividad en premios") << 37LL << 7.5;
        QTest::newRow("none won") << 0 << 0 << 12 << QStringLiteral("0% de efectividad en premios") << 12LL << 0.0;
        QTest::newRow("as many as draws") << 3 << 2 << 5 << QStringLiteral("100% de efectividad en premios") << 0LL << 100.0;
        QTest::newRow("more than draws: capped") << 300 << 0 << 5 << QStringLiteral("100% de efectividad en premios") << 0LL
                                                 << 100.0;
        QTest::newRow("nothing played") << 0 << 0 << 0 << QStringLiteral("0% de efectividad en premios") << 1LL << 0.0;
    }

    void overallEffectiveness()
    {
        QFETCH(int, prizesA);
        QFETCH(int, prizesB);
        QFETCH(int, draws);
        QFETCH(QString, overall);
        QFETCH(qint64, without);
        QFETCH(double, percent);
        const QDate created(2026, 1, 4);
        std::vector<SyndicateRecord> records = {
            withPrizes(Fixtures::simpleSyndicate(QStringLiteral("A"), {{1, 2, 3, 4, 5}}, 0, created), {std::int16_t(prizesA)}),
            withPrizes(multiple(7, 3, created), {0, 0, 0, 0, 0, 0, 0, std::int16_t(prizesB)}),
        };
        const Summary::SyndicateList list = Summary::loadSyndicateList(records, draws);
        QCOMPARE(list.totalPrizes, std::int64_t(prizesA + prizesB));
        QCOMPARE(Wording::totalPrizesText(list), QString::number(prizesA + prizesB));
        QCOMPARE(Wording::overallText(list), overall);
        QCOMPARE(Wording::percentValue(*list.overall), percent);
        QCOMPARE(Wording::overallDrawsText(list), QStringLiteral("en %1 sorteos").arg(draws));
        QCOMPARE(list.overallChart, (Summary::ChartRow {QStringLiteral(" "), without, prizesA + prizesB}));
    }

    void listItems()
    {
        SyndicateRecord saturday = Fixtures::simpleSyndicate(QStringLiteral("SÁBADOS"), {{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}}, 0,
                                                             QDate(2026, 3, 1));
        saturday.setDrawDay(QStringLiteral("Sábado"));
        SyndicateRecord damaged = Fixtures::simpleSyndicate(QStringLiteral("ROTA"), {{1, 2, 3, 4, 5}}, 0, QDate(2026, 3, 1));
        damaged.kind = 300;
        damaged.setDrawDay(QStringLiteral("Sábado"));
        damaged.prizeCounts[0] = 999;
        std::vector<SyndicateRecord> records = {saturday, multiple(6, 1, QDate(2026, 5, 3)), multiple(11, 1, QDate(2026, 5, 3)),
                                                damaged};
        const Summary::SyndicateList list = Summary::loadSyndicateList(records, 10);
        QCOMPARE(list.count, 4);
        QCOMPARE(int(list.items.size()), 4);
        QCOMPARE(Wording::listItemTexts(list.items[0]), (QStringList {QStringLiteral("SÁBADOS"), QStringLiteral("2"), QStringLiteral("01/03/2026"), QStringLiteral("Domingo")}));
        // The bets of a multiple are its combinations, as its money counts them.
        QCOMPARE(list.items[1].bets, std::int64_t(6));
        QCOMPARE(Wording::listBetsText(list.items[2]), QStringLiteral("462"));
        QCOMPARE(list.items[2].bets, Money::betsPlayed(records[2]));
        QCOMPARE(Wording::listBetsText(list.items[3]), QStringLiteral("Dañada"));
        QVERIFY(list.items[3].damaged);
        // The Saturday record is corrected, the damaged one left alone.
        QCOMPARE(list.rewritten, std::vector<int> {1});
        QCOMPARE(records[0].drawDay(), QStringLiteral("Domingo"));
        QCOMPARE(records[3].drawDay(), QStringLiteral("Sábado"));
        // A damaged record's counters are not to be trusted: not in the total.
        QCOMPARE(list.totalPrizes, std::int64_t(0));
    }

    void detailsOfASimpleSyndicate()
    {
        SyndicateRecord s = Fixtures::simpleSyndicate(QStringLiteral("A"), {{3, 12, 25, 7, 48}, {10, 11, 12, 13, 14}}, 7,
                                                      QDate(2026, 1, 11));
        s.prizeCounts = {2, 0, 1, 0, 0, 0, 0, 0};
        const auto dates = sundays(QDate(2026, 1, 4), 9); // 4 Jan .. 1 Mar: 8 played
        const Summary::Details d = Summary::showSyndicateDetails(1, s, dates);
        QCOMPARE(Wording::detailLines(d), (QStringList {QStringLiteral("Número clave:  7"), QStringLiteral(" 3-12-25- 7-48"), QStringLiteral("10-11-12-13-14")}));
        QCOMPARE(Wording::prizeCountText(d, 1), QStringLiteral("2"));
        QCOMPARE(Wording::prizeCountText(d, 3), QStringLiteral("1"));
        QCOMPARE(Wording::prizeCountText(d, 8), QStringLiteral("0"));
        QCOMPARE(d.drawsPlayed, std::optional<std::int64_t>(8));
        QCOMPARE(Wording::drawsPlayedText(d), QStringLiteral("8"));
        QCOMPARE(d.effectiveness, std::optional(Summary::Fraction {3, 8}));
        QCOMPARE(Wording::effectivenessText(d), QStringLiteral("37,5 %"));
        QCOMPARE(d.chart, (Summary::ChartRow {QStringLiteral(" "), 5, 3}));
    }

    void detailsEdgeCases_data()
    {
        QTest::addColumn<int>("draws");
        QTest::addColumn<QDate>("created");
        QTest::addColumn<int>("prizes");
        QTest::addColumn<QString>("played");
        QTest::addColumn<QString>("effectiveness");
        QTest::addColumn<qint64>("without");
        QTest::newRow("created after the newest draw") << 5 << QDate(2026, 12, 1) << 0 << QStringLiteral("0")
                                                       << QStringLiteral("0 %") << 0LL;
        QTest::newRow("no draw, prizes") << 0 << QDate(2026, 1, 1) << 4 << QStringLiteral("0") << QStringLiteral("100 %") << 0LL;
        QTest::newRow("no draw, no prize") << 0 << QDate(2026, 1, 1) << 0 << QStringLiteral("0") << QStringLiteral("-") << 0LL;
        QTest::newRow("more prizes than draws") << 2 << QDate(2026, 1, 1) << 30 << QStringLiteral("2")
                                                << QStringLiteral("1500 %") << 0LL;
        QTest::newRow("a draw on the creation day") << 1 << QDate(2026, 1, 4) << 0 << QStringLiteral("1")
                                                    << QStringLiteral("0 %") << 1LL;
    }

    void detailsEdgeCases()
    {
        QFETCH(int, draws);
        QFETCH(QDate, created);
        QFETCH(int, prizes);
        QFETCH(QString, played);
        QFETCH(QString, effectiveness);
        QFETCH(qint64, without);
        SyndicateRecord s = withPrizes(multiple(9, 2, created), {0, std::int16_t(prizes)});
        const Summary::Details d = Summary::showSyndicateDetails(1, s, sundays(QDate(2026, 1, 4), draws));
        QCOMPARE(Wording::drawsPlayedText(d), played);
        QCOMPARE(Wording::effectivenessText(d), effectiveness);
        QCOMPARE(d.chart, (Summary::ChartRow {QStringLiteral(" "), without, prizes}));
        // A multiple bet: the key line and its one bet.
        QCOMPARE(Wording::detailLines(d), (QStringList {QStringLiteral("Número clave:  2"), QStringLiteral(" 3- 7-11-15-19-23-27-31-35")}));
    }

    void detailLineCounts_data()
    {
        QTest::addColumn<int>("bets");
        QTest::newRow("1 bet") << 1;
        QTest::newRow("7 bets, 8 lines") << 7;
        QTest::newRow("8 bets, 9 lines") << 8;
        QTest::newRow("20 bets, 21 lines") << 20;
        QTest::newRow("21 bets, 22 lines") << 21;
        QTest::newRow("24 bets, 25 lines") << 24;
    }

    void detailLineCounts()
    {
        QFETCH(int, bets);
        SyndicateRecord s = Fixtures::simpleSyndicate(QStringLiteral("A"), {}, 1, QDate(2026, 1, 1));
        s.kind = std::int16_t(bets);
        const Summary::Details d = Summary::showSyndicateDetails(1, s, {});
        const QStringList lines = Wording::detailLines(d);
        QCOMPARE(lines.size(), bets + 1);
        QCOMPARE(lines.first(), QStringLiteral("Número clave:  1"));
    }

    void damagedDetails()
    {
        SyndicateRecord s = Fixtures::simpleSyndicate(QStringLiteral("ROTA"), {{1, 2, 3, 4, 5}}, 1, QDate(2026, 1, 1));
        s.kind = -4;
        s.prizeCounts.fill(-7);
        const Summary::Details d = Summary::showSyndicateDetails(3, s, sundays(QDate(2026, 1, 4), 3));
        QVERIFY(d.damaged);
        QCOMPARE(d.record, 3);
        QVERIFY(Wording::detailLines(d).isEmpty());
        QCOMPARE(Wording::drawsPlayedText(d), QStringLiteral("-"));
        QCOMPARE(Wording::prizeCountText(d, 1), QStringLiteral("0"));
    }

    void betTexts()
    {
        const std::array<std::int16_t, 5> a = {3, 12, 25, 7, 48};
        QCOMPARE(Wording::betText(a), QStringLiteral(" 3-12-25- 7-48"));
        const std::array<std::int16_t, 6> b = {9, 10, 1, 2, 54, 53};
        QCOMPARE(Wording::betText(b), QStringLiteral(" 9-10- 1- 2-54-53"));
    }
};

QTEST_GUILESS_MAIN(TestSummary)
#include "tst_summary.moc"
