// Stakes and winnings from the operator's prize reports: the four draws of
// January 2025 against their real reports, worked out by hand; the bet price,
// the report states and the euro texts.

#include "scrutiny/money.h"
#include "store/cents.h"
#include "store/oledate.h"
#include "support/fixtures.h"
#include "wording/moneywording.h"

#include <QFile>
#include <QTest>

#include <limits>
#include <map>

namespace
{
    std::map<QDate, PrizeReport> realReports()
    {
        std::map<QDate, PrizeReport> reports;
        for (const PrizeReport &report : Fixtures::realReports())
            reports[report.date] = report;
        return reports;
    }

    std::vector<DrawRecord> january2025()
    {
        std::vector<DrawRecord> draws;
        for (const DrawRecord &draw : Fixtures::realDraws()) {
            if (draw.qdate() >= QDate(2025, 1, 1) && draw.qdate() <= QDate(2025, 1, 31))
                draws.push_back(draw);
        }
        return draws;
    }

    PrizeReport finalReport(QDate date, std::int64_t reintegroCents)
    {
        PrizeReport report;
        report.date = date;
        report.status = PrizeReport::Status::Final;
        report.row(PrizeReport::kReintegro).prizeCents = reintegroCents;
        return report;
    }

    using Counts = Money::CategoryCounts;
}

Q_DECLARE_METATYPE(PrizeReport)

class TestMoney : public QObject
{
    Q_OBJECT

private slots:
    void januaryFromTheRealReports()
    {
        const auto reports = realReports();
        const auto draws = january2025();
        QCOMPARE(draws.size(), std::size_t(4));
        QCOMPARE(reports.size(), std::size_t(6));
        const Money::ReportLookup lookup = [&](QDate date) {
            const auto it = reports.find(date);
            return it == reports.end() ? PrizeReport {} : it->second;
        };

        // Draws: 5 Jan 6-27-33-34-39 key 8; 12 Jan 20-27-34-37-44 key 9;
        // 19 Jan 6-9-13-30-36 key 5; 26 Jan 8-26-35-39-44 key 7.
        const SyndicateRecord simple = Fixtures::simpleSyndicate(
            QStringLiteral("ENERO"), {{1, 6, 27, 33, 34}, {20, 27, 34, 40, 41}, {2, 3, 6, 9, 13}, {1, 2, 8, 26, 35}}, 9,
            QDate(2025, 1, 5));
        const auto ledger = Money::ledger(simple, draws, lookup);
        QCOMPARE(ledger.size(), std::size_t(4));
        // 5 Jan: 4+0 (204,17) and 2+0 (3,00).
        QCOMPARE(ledger[0], (Money::DrawOutcome {QDate(2025, 1, 5), 600, 20717, Counts {0, 0, 0, 1, 0, 0, 0, 1, 0}}));
        // 12 Jan, key matched: 3+1 (49,92), 2+1 (7,26) and the reintegro on all four bets.
        QCOMPARE(ledger[1], (Money::DrawOutcome {QDate(2025, 1, 12), 600, 4992 + 726 + 4 * 150, Counts {0, 0, 0, 0, 1, 0, 1, 0, 4}}));
        // 19 Jan: 3+0 (11,30). 26 Jan: 3+0 (17,03).
        QCOMPARE(ledger[2], (Money::DrawOutcome {QDate(2025, 1, 19), 600, 1130, Counts {0, 0, 0, 0, 0, 1, 0, 0, 0}}));
        QCOMPARE(ledger[3], (Money::DrawOutcome {QDate(2025, 1, 26), 600, 1703, Counts {0, 0, 0, 0, 0, 1, 0, 0, 0}}));
        QCOMPARE(Money::totals(ledger), (Money::Totals {4, 4, 2400, 29868, 27468, 0, 0, 27468, 0}));

        // Seven numbers (21 combinations) from 12 January: 5 January is not played.
        const SyndicateRecord seven = Fixtures::multipleSyndicate(QString(), {6, 9, 13, 20, 27, 34, 50}, 5, QDate(2025, 1, 12));
        const auto mLedger = Money::ledger(seven, draws, lookup);
        QCOMPARE(mLedger.size(), std::size_t(3));
        // 12 Jan, 3 hits: 12 x 2+0 (3,00) and 6 x 3+0 (16,65).
        QCOMPARE(mLedger[0], (Money::DrawOutcome {QDate(2025, 1, 12), 3150, 12 * 300 + 6 * 1665, Counts {0, 0, 0, 0, 0, 6, 0, 12, 0}}));
        // 19 Jan, 3 hits and the key: 12 x 2+1 (4,61), 6 x 3+1 (25,73), 21 reintegros.
        QCOMPARE(mLedger[1], (Money::DrawOutcome {QDate(2025, 1, 19), 3150, 12 * 461 + 6 * 2573 + 21 * 150, Counts {0, 0, 0, 0, 6, 0, 12, 0, 21}}));
        QCOMPARE(mLedger[2], (Money::DrawOutcome {QDate(2025, 1, 26), 3150, 0, Counts {}}));
        QCOMPARE(Money::totals(mLedger), (Money::Totals {3, 3, 9450, 37710, 28260, 0, 0, 28260, 0}));
        QCOMPARE(formatEuros(Money::totals(mLedger).balanceCents), QStringLiteral("282,60 €"));

        // The last report not out yet: staked, won unknown; the balance is
        // what was won less all that was staked, and says it is provisional.
        const Money::ReportLookup pending = [&](QDate date) {
            PrizeReport report = lookup(date);
            if (date == QDate(2025, 1, 26)) {
                report.status = PrizeReport::Status::Pending;
                report.rows = {};
            }
            return report;
        };
        const auto partial = Money::ledger(simple, draws, pending);
        QCOMPARE(partial[3].stakeCents, 600);
        QCOMPARE(partial[3].wonCents, std::nullopt);
        QCOMPARE(partial[3].categories, ledger[3].categories);
        QCOMPARE(Wording::wonText(partial[3]), QStringLiteral("sin informe"));
        QCOMPARE(Money::totals(partial), (Money::Totals {4, 3, 2400, 28165, 28165 - 2400, 1, 600, 28165 - 1800, 0}));
        QCOMPARE(Wording::provisionalText(Money::totals(partial)), QStringLiteral("provisional: falta 1 informe (6,00 € jugados en él)"));
        QCOMPARE(Wording::provisionalText(Money::totals(ledger)), QString());
    }

    void stakeAndBetPrice()
    {
        const QDate day(2025, 1, 5);
        SyndicateRecord full = Fixtures::simpleSyndicate(QStringLiteral("S"), {}, 0, day);
        full.kind = 24;
        const SyndicateRecord eleven = Fixtures::multipleSyndicate(QString(), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 0, day);
        const SyndicateRecord six = Fixtures::multipleSyndicate(QString(), {1, 2, 3, 4, 5, 6}, 0, day);
        QCOMPARE(Money::betsPlayed(full), 24);
        QCOMPARE(Money::betsPlayed(six), 6);
        QCOMPARE(Money::betsPlayed(eleven), 462);

        // No report, or one not final: 1,50 € a bet.
        PrizeReport pending = finalReport(day, 200);
        pending.status = PrizeReport::Status::Pending;
        QCOMPARE(Money::stakeCents(full, PrizeReport {}), 3600);
        QCOMPARE(Money::stakeCents(eleven, pending), 462 * 150);
        // A final report's reintegro is the price.
        QCOMPARE(Money::stakeCents(eleven, finalReport(day, 200)), 462 * 200);
        // A final report with a negative amount is not to be trusted: no price, no winnings.
        PrizeReport negative = finalReport(day, 150);
        negative.row(3).prizeCents = -1;
        QVERIFY(!Money::isPriced(negative));
        QCOMPARE(Money::betPriceCents(negative), 150);

        SyndicateRecord damaged = full;
        damaged.kind = 50;
        QCOMPARE(Money::stakeCents(damaged, PrizeReport {}), 0);
        QVERIFY(Money::ledger(damaged, january2025(), {}).empty());
    }

    void playedFromTheCreationDay()
    {
        const auto draws = january2025();
        const SyndicateRecord s = Fixtures::simpleSyndicate(QStringLiteral("S"), {{1, 2, 3, 4, 5}}, 0, QDate(2025, 1, 19));
        const auto ledger = Money::ledger(s, draws, {});
        QCOMPARE(ledger.size(), std::size_t(2));
        QCOMPARE(ledger[0].date, QDate(2025, 1, 19));
        QCOMPARE(Money::totals(ledger), (Money::Totals {2, 0, 300, 0, -300, 2, 300, 0, 0}));

        // A report filed under another date is not taken for the draw's.
        const auto misfiled = Money::ledger(s, draws, [](QDate) { return finalReport(QDate(2024, 12, 29), 150); });
        QCOMPARE(misfiled[0].wonCents, std::nullopt);
    }

    void absurdAmountsSaturate()
    {
        const DrawRecord draw = Fixtures::draw(QDate(2025, 1, 5), {1, 2, 3, 4, 5}, 0);
        const SyndicateRecord eleven = Fixtures::multipleSyndicate(QString(), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 0, QDate(2025, 1, 5));
        PrizeReport report = finalReport(draw.qdate(), std::numeric_limits<std::int64_t>::max() / 2);
        report.row(1).prizeCents = std::numeric_limits<std::int64_t>::max();
        for (PrizeRow &row : report.rows)
            row.winners = 1;
        const Money::DrawOutcome outcome = Money::drawOutcome(eleven, draw, report);
        QCOMPARE(outcome.stakeCents, std::numeric_limits<std::int64_t>::max());
        QCOMPARE(outcome.wonCents, std::optional(std::numeric_limits<std::int64_t>::max()));
    }

    // One draw, 1-2-3-4-5 key 7; bet 1 hits 5+1, bet 2 hits 2+1: one prize
    // of the 1ª, one of the 7ª and two reintegros, under reports that price
    // them, deny one, or come from the classic pages.
    void reportsThatPriceOrDeny_data()
    {
        QTest::addColumn<PrizeReport>("report");
        QTest::addColumn<qint64>("won"); // -1: not priced
        QTest::addColumn<QList<int>>("unconfirmed");
        const QDate day(2025, 1, 5);
        PrizeReport service = finalReport(day, 150);
        for (int category = 1; category <= PrizeReport::kRows; ++category)
            service.row(category).winners = 10;
        service.row(1).prizeCents = 500000000;
        service.row(7).prizeCents = 726;
        PrizeReport pages = service;
        pages.source = PrizeReport::Source::Pages;
        for (PrizeRow &row : pages.rows)
            row.winners = PrizeRow::kUnknown;
        pages.row(PrizeReport::kReintegro).prizeCents = PrizeRow::kUnknown;

        QTest::newRow("service, all confirmed") << service << qint64(500000000 + 726 + 300) << QList<int> {};
        PrizeReport noWinner = service;
        noWinner.row(1) = {0, 0};
        QTest::newRow("1ª with no winner") << noWinner << qint64(726 + 300) << QList<int> {1};
        PrizeReport noAmount = service;
        noAmount.row(1).prizeCents = 0;
        QTest::newRow("1ª paying nothing") << noAmount << qint64(726 + 300) << QList<int> {1};
        PrizeReport zeroWinners = service;
        zeroWinners.row(7).winners = 0;
        QTest::newRow("7ª amount but no winner") << zeroWinners << qint64(500000000 + 300) << QList<int> {7};
        QTest::newRow("pages: amounts, reintegro at the bet price") << pages << qint64(500000000 + 726 + 300) << QList<int> {};
        PrizeReport pagesNothing = pages;
        pagesNothing.row(1).prizeCents = 0;
        QTest::newRow("pages: 1ª paying nothing") << pagesNothing << qint64(726 + 300) << QList<int> {1};
        PrizeReport pagesMissing = pages;
        pagesMissing.row(7).prizeCents = PrizeRow::kUnknown;
        QTest::newRow("pages without an amount") << pagesMissing << qint64(-1) << QList<int> {};
        PrizeReport pending = service;
        pending.status = PrizeReport::Status::Pending;
        QTest::newRow("pending") << pending << qint64(-1) << QList<int> {};
    }

    void reportsThatPriceOrDeny()
    {
        QFETCH(PrizeReport, report);
        QFETCH(qint64, won);
        QFETCH(QList<int>, unconfirmed);
        const DrawRecord draw = Fixtures::draw(QDate(2025, 1, 5), {1, 2, 3, 4, 5}, 7);
        const SyndicateRecord s = Fixtures::simpleSyndicate(QStringLiteral("S"), {{1, 2, 3, 4, 5}, {1, 2, 10, 11, 12}}, 7,
                                                            QDate(2025, 1, 5));
        const Money::DrawOutcome outcome = Money::drawOutcome(s, draw, report);
        QCOMPARE(outcome.stakeCents, 300);
        QCOMPARE(outcome.wonCents, won < 0 ? std::nullopt : std::optional<std::int64_t>(won));
        const std::vector<int> denied = outcome.unconfirmedCategories();
        QCOMPARE(QList<int>(denied.begin(), denied.end()), unconfirmed);
        const Money::Totals totals = Money::totals(std::vector {outcome});
        QCOMPARE(totals.unconfirmedPrizes, int(unconfirmed.size()));
        QCOMPARE(totals.balanceCents, totals.wonCents - 300);
        const auto mark = [&](int category) { return unconfirmed.contains(category) ? QStringLiteral(" (sin confirmar)") : QString(); };
        QCOMPARE(Wording::hitsText(outcome),
                 QStringLiteral("1 × 1ª (5+1)%1, 1 × 7ª (2+1)%2, 2 reintegros").arg(mark(1), mark(7)));
    }

    // A draw that two peñas played without a report counts once for all.
    void unpricedDrawsOfAllSyndicates()
    {
        const auto draws = january2025();
        const SyndicateRecord a = Fixtures::simpleSyndicate(QStringLiteral("A"), {{1, 2, 3, 4, 5}}, 0, QDate(2025, 1, 19));
        const SyndicateRecord b = Fixtures::simpleSyndicate(QStringLiteral("B"), {{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}}, 0, QDate(2025, 1, 5));
        const std::vector<std::vector<Money::DrawOutcome>> ledgers {Money::ledger(a, draws, {}), Money::ledger(b, draws, {})};
        const Money::Totals all = Money::totalsOfAll(ledgers);
        QCOMPARE(all.drawsPlayed, 6);
        QCOMPARE(all.unpricedDraws, 4);
        QCOMPARE(all.unpricedStakeCents, 2 * 150 + 4 * 300);
        QCOMPARE(all.balanceCents, -(2 * 150 + 4 * 300));
        QCOMPARE(Wording::provisionalText(all), QStringLiteral("provisional: faltan 4 informes (15,00 € jugados en ellos)"));
    }

    void euroTexts_data()
    {
        QTest::addColumn<qint64>("cents");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << QStringLiteral("0,00 €");
        QTest::newRow("cents") << qint64(5) << QStringLiteral("0,05 €");
        QTest::newRow("hundreds") << qint64(99999) << QStringLiteral("999,99 €");
        QTest::newRow("thousands") << qint64(123456) << QStringLiteral("1.234,56 €");
        QTest::newRow("millions") << qint64(123456789) << QStringLiteral("1.234.567,89 €");
        QTest::newRow("negative") << qint64(-50) << QStringLiteral("-0,50 €");
        QTest::newRow("negative thousands") << qint64(-123456) << QStringLiteral("-1.234,56 €");
        QTest::newRow("most negative") << std::numeric_limits<qint64>::min()
                                       << QStringLiteral("-92.233.720.368.547.758,08 €");
    }

    void euroTexts()
    {
        QFETCH(qint64, cents);
        QFETCH(QString, text);
        QCOMPARE(formatEuros(cents), text);
    }
};

QTEST_GUILESS_MAIN(TestMoney)
#include "tst_money.moc"
