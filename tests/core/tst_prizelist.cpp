// What a peña organiser reads out to the members, on a real Session: the
// four draws of January 2025 with their real reports, members 3/3/1. The
// slips of every draw add up to the members' table, the prizes of each
// draw are split the same way, and the box after a download names each one.

#include "base/clock.h"
#include "core/membership.h"
#include "core/prizelist.h"
#include "core/session.h"
#include "store/fileops.h"
#include "store/prizereportfile.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"
#include "wording/moneywording.h"
#include "wording/prizewording.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestPrizeList : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    FixedClock m_clock {QDate(2025, 2, 3)};
    RecordingPrompter m_prompter;
    std::unique_ptr<Session> m_session;

private slots:
    void initTestCase()
    {
        const QDir dir(m_dir.path());
        std::vector<DrawRecord> draws;
        for (const DrawRecord &draw : Fixtures::realDraws()) {
            if (draw.qdate() <= QDate(2025, 1, 26))
                draws.push_back(draw);
        }
        const SyndicateRecord enero = Fixtures::simpleSyndicate(
            QStringLiteral("ENERO"), {{1, 6, 27, 33, 34}, {20, 27, 34, 40, 41}, {2, 3, 6, 9, 13}, {1, 2, 8, 26, 35}}, 9,
            QDate(2025, 1, 5));
        QVERIFY(Fixtures::writeFile(dir.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(draws)));
        QVERIFY(Fixtures::writeFile(dir.filePath(QStringLiteral("apuestas.dat")), Fixtures::bytesOf(std::vector {enero})));
        DiskFileOps ops;
        PrizeReportFile reports(ops);
        QCOMPARE(reports.load(dir.filePath(QString::fromLatin1(PrizeReportFile::kFileName))), PrizeReportFile::Load::Ok);
        for (const PrizeReport &report : Fixtures::realReports())
            reports.put(report);
        QCOMPARE(reports.save(), FileOps::Result::Ok);
        m_session = std::make_unique<Session>(m_clock, m_prompter);
        QVERIFY(m_session->start(m_dir.path()));
        Membership members(*m_session);
        for (const auto &[name, shares] : {std::pair {"Ana", 3}, {"Luis", 3}, {"Eva", 1}})
            QVERIFY(members.add(1, QString::fromUtf8(name), shares).isDone());
    }

    void slipsOfEveryDrawAddUpToTheTable()
    {
        Membership members(*m_session);
        const auto rows = members.rows(1);
        QCOMPARE(rows.size(), std::size_t(3));
        std::vector<std::int64_t> slips(rows.size());
        for (const Money::DrawOutcome &draw : m_session->money().ledger(1)) {
            const auto sheets = members.participations(1, QString(), draw.date).sheets;
            QCOMPARE(sheets.size(), rows.size());
            std::int64_t drawTotal = 0;
            for (std::size_t m = 0; m < sheets.size(); ++m) {
                slips[m] += sheets[m].memberStakeCents;
                drawTotal += sheets[m].memberStakeCents;
            }
            QCOMPARE(drawTotal, draw.stakeCents);
        }
        for (std::size_t m = 0; m < rows.size(); ++m)
            QCOMPARE(slips[m], rows[m].money.stakeCents);
        // 24,00 € in sevenths: 10,29 + 10,28 + 3,43, not 4 × 0,86 for Eva.
        QCOMPARE(rows[2].money.stakeCents, 343);
        QCOMPARE(rows[2].money.balanceCents, rows[2].money.wonCents - 343);
    }

    void everyPrizeWithItsEurosAndTheMembersParts()
    {
        const PrizeList::List list = PrizeList::build(*m_session);
        QCOMPARE(list.size(), std::size_t(4));
        QCOMPARE(list.line(0).outcome.date, QDate(2025, 1, 26));
        QCOMPARE(list.wonCents, 29868);
        QCOMPARE(Wording::hitsText(list.line(2).outcome), QStringLiteral("1 × 5ª (3+1), 1 × 7ª (2+1), 4 reintegros"));
        std::vector<std::int64_t> won(3);
        for (const PrizeList::Line &line : list.lines) {
            const auto members = list.membersOf(line);
            QCOMPARE(members.size(), std::size_t(3));
            std::int64_t parts = 0;
            for (std::size_t m = 0; m < 3; ++m) {
                parts += members[m].value();
                won[m] += *members[m];
            }
            QCOMPARE(parts, line.outcome.wonCents.value());
        }
        const auto rows = Membership(*m_session).rows(1);
        for (std::size_t m = 0; m < 3; ++m)
            QCOMPARE(won[m], rows[m].money.wonCents);

        QCOMPARE(Wording::prizeBoxText(list), QStringLiteral("Premios de esta descarga:\n"
                                                             "05/01/2025  ENERO: 204,17 € (4ª) + 3,00 € (8ª)\n"
                                                             "12/01/2025  ENERO: 49,92 € (5ª) + 7,26 € (7ª) + 6,00 € de reintegro\n"
                                                             "19/01/2025  ENERO: 11,30 € (6ª)\n"
                                                             "26/01/2025  ENERO: 17,03 € (6ª)\n\n"
                                                             "Total: 298,68 €"));
        const std::set<QDate> newest {QDate(2025, 1, 26)};
        QCOMPARE(PrizeList::build(*m_session, &newest).size(), std::size_t(1));
        // Every balance is what was won less what was staked, the chart's last point too.
        QCOMPARE(m_session->money().balanceHistory(1).back().second, m_session->money().totals(1).balanceCents);
        QCOMPARE(m_session->money().totals(1).balanceCents, 29868 - 2400);
    }

    // Prizes whose amount is not known yet, or that the report denies, are
    // named as such and kept out of the total.
    void boxForPrizesNotPricedYet()
    {
        PrizeList::List list;
        list.names = {QStringLiteral("BAR"), QStringLiteral("PEÑA")};
        list.memberNames.resize(2);
        list.unitPrizes = {{0, 0, 0, 0, 0, 0, 0, 300, 150}};
        const PrizeList::Line denied {1, {QDate(2026, 12, 6), 300, 0, {1, 0, 0, 0, 0, 0, 0, 0, 2}, 1}, 0, 0, 0};
        const PrizeList::Line pending {2, {QDate(2026, 11, 29), 600, std::nullopt, {0, 0, 0, 0, 0, 0, 0, 2, 0}, 0}, PrizeList::kUnpriced, 0, 0};
        list.lines = {denied, pending};
        list.order = {0, 1};
        list.pendingLines = 1;
        list.unconfirmedPrizes = 1;
        QCOMPARE(Wording::prizeBoxText(list), QStringLiteral("Premios de esta descarga:\n"
                                                             "29/11/2026  PEÑA: importe pendiente (2 × 8ª)\n"
                                                             "06/12/2026  BAR: premio sin confirmar (1ª) + 3,00 € de reintegro\n\n"
                                                             "Total: 0,00 € (y 1 sorteo con el importe pendiente, 1 premio sin confirmar)"));
        QCOMPARE(Wording::prizeBoxText({}), QString());
    }
};

QTEST_GUILESS_MAIN(TestPrizeList)
#include "tst_prizelist.moc"
