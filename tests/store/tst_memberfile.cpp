// The members' file and the division of a peña's money by shares.

#include "scrutiny/shares.h"
#include "store/memberfile.h"
#include "support/fixtures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <numeric>

class TestMemberFile : public QObject
{
    Q_OBJECT

private slots:
    void splitAddsUpExactly()
    {
        // 100 cents in thirds: the left-over cent goes to the first of the
        // equal remainders.
        QCOMPARE(Shares::split(100, std::vector {1, 1, 1}), (std::vector<std::int64_t> {34, 33, 33}));
        // Largest remainder first: 1000 × 3/7 = 428.57, × 2/7 = 285.71 (twice).
        QCOMPARE(Shares::split(1000, std::vector {2, 3, 2}), (std::vector<std::int64_t> {286, 428, 286}));
        QCOMPARE(Shares::split(-100, std::vector {1, 1, 1}), (std::vector<std::int64_t> {-34, -33, -33}));
        QVERIFY(Shares::split(100, std::vector {1, 0}).empty());
        // Any amount a file can hold, any shares: the parts are the whole.
        for (const std::int64_t amount : {std::int64_t(1), std::int64_t(99999), (std::int64_t(1) << 53) - 1}) {
            const std::vector shares {999, 1, 7, 999, 3};
            const auto parts = Shares::split(amount, shares);
            QCOMPARE(std::accumulate(parts.begin(), parts.end(), std::int64_t(0)), amount);
            for (std::size_t i = 0; i < parts.size(); ++i)
                QVERIFY(std::abs(double(parts[i]) - double(amount) * shares[i] / 2009.0) < 1.0 + 1e-3 * double(parts[i]) / 1e12);
        }
        // A member's balance is their winnings less their stake.
        const Money::Totals totals {3, 2, 900, 1001, 101};
        const auto parts = Shares::parts(totals, std::vector {1, 1});
        QCOMPARE(parts[0], (Shares::Part {450, 501, 51}));
        QCOMPARE(parts[1], (Shares::Part {450, 500, 50}));
    }

    // A year of 1,50 € draws: each member's parts of the draws (their
    // slips) add up, through any draw, to their part of the peña's total
    // through it, and the odd cent does not stay with one member.
    void drawPartsAddUpToTheTable_data()
    {
        QTest::addColumn<QList<int>>("shares");
        QTest::newRow("3/3/1") << QList<int> {3, 3, 1};
        QTest::newRow("equal") << QList<int> {1, 1};
        QTest::newRow("2/3/2") << QList<int> {2, 3, 2};
        QTest::newRow("999/1/7") << QList<int> {999, 1, 7};
    }

    void drawPartsAddUpToTheTable()
    {
        QFETCH(QList<int>, shares);
        const std::vector<int> list(shares.begin(), shares.end());
        std::vector<Money::DrawOutcome> ledger;
        for (int week = 0; week < 52; ++week)
            ledger.push_back({QDate(2025, 1, 5).addDays(7 * week), 150, week % 10 == 0 ? std::nullopt : std::optional<std::int64_t>(week * 7), {}, 0});
        const Money::Totals totals = Money::totals(ledger);
        const auto table = Shares::parts(totals, list);
        std::vector<int> gotOddCent(list.size());
        for (std::size_t m = 0; m < list.size(); ++m) {
            const auto rows = Shares::memberLedger(ledger, list, m);
            QCOMPARE(rows.size(), ledger.size());
            std::int64_t stake = 0, won = 0, stakeSoFar = 0;
            for (std::size_t d = 0; d < rows.size(); ++d) {
                stake += rows[d].stakeCents;
                won += rows[d].wonCents.value_or(0);
                QCOMPARE(rows[d].wonCents.has_value(), ledger[d].wonCents.has_value());
                stakeSoFar += ledger[d].stakeCents;
                QCOMPARE(stake, Shares::split(stakeSoFar, list)[m]);
                gotOddCent[m] += rows[d].stakeCents > 150 * list[m] / std::accumulate(list.begin(), list.end(), 0) ? 1 : 0;
            }
            QCOMPARE(stake, table[m].stakeCents);
            QCOMPARE(won, table[m].wonCents);
            QCOMPARE(table[m].balanceCents, won - stake);
        }
        // Shares that do not divide 1,50 €: every member pays an odd cent some week.
        if (150 % std::accumulate(list.begin(), list.end(), 0) != 0)
            QVERIFY(std::count(gotOddCent.begin(), gotOddCent.end(), 0) == 0);
    }

    void keysSurviveOtherSyndicates()
    {
        const SyndicateRecord a = Fixtures::simpleSyndicate(QStringLiteral("A"), {{1, 2, 3, 4, 5}}, 1, QDate(2025, 1, 5));
        SyndicateRecord counted = a;
        counted.prizeCounts[7] = 12; // counters and dates change; the peña does not
        counted.createdOn += 30;
        const SyndicateRecord b = Fixtures::simpleSyndicate(QStringLiteral("B"), {{1, 2, 3, 4, 5}}, 1, QDate(2025, 1, 5));
        QCOMPARE(MemberFile::fingerprint(a), MemberFile::fingerprint(counted));
        QVERIFY(MemberFile::fingerprint(a) != MemberFile::fingerprint(b));

        // Three identical peñas: deleting the first moves the others up.
        const auto keys = MemberFile::keysOf(std::vector {a, b, a, a});
        QCOMPARE(keys[3].occurrence, 3);
        DiskFileOps ops;
        MemberFile file(ops);
        QTemporaryDir dir;
        QCOMPARE(file.load(dir.filePath(QStringLiteral("socios.json"))), MemberFile::Load::Ok);
        file.setMembers(keys[2], QStringLiteral("A"), {{QStringLiteral("Segundo"), 1}});
        file.setMembers(keys[3], QStringLiteral("A"), {{QStringLiteral("Tercero"), 2}});
        file.setMembers(keys[1], QStringLiteral("B"), {{QStringLiteral("Be"), 1}});
        QVERIFY(file.syndicateDeleted(keys[0]));
        const auto after = MemberFile::keysOf(std::vector {b, a, a});
        QCOMPARE(file.members(after[1]).front().name, QStringLiteral("Segundo"));
        QCOMPARE(file.members(after[2]).front().name, QStringLiteral("Tercero"));
        QCOMPARE(file.members(after[0]).front().name, QStringLiteral("Be"));
        QCOMPARE(file.save(), FileOps::Result::Ok);
        MemberFile again(ops);
        QCOMPARE(again.load(file.path()), MemberFile::Load::Ok);
        QCOMPARE(again.members(after[2]), (std::vector<Member> {{QStringLiteral("Tercero"), 2}}));
    }

    void hostileFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray print = QByteArray(40, 'a');
        const auto one = [&](const QByteArray &members) {
            return "{\"formato\":\"quorvale-socios\",\"version\":1,\"penas\":[{\"huella\":\"" + print
                + "\",\"repeticion\":1,\"nombre\":\"A\",\"socios\":" + members + "}]}";
        };
        QTest::newRow("not json") << QByteArray("{\"formato\":");
        QTest::newRow("no members") << one("[]");
        QTest::newRow("zero shares") << one("[{\"nombre\":\"Ana\",\"participaciones\":0}]");
        QTest::newRow("1000 shares") << one("[{\"nombre\":\"Ana\",\"participaciones\":1000}]");
        QTest::newRow("half a share") << one("[{\"nombre\":\"Ana\",\"participaciones\":1.5}]");
        QTest::newRow("twice the same") << one("[{\"nombre\":\"Ana\",\"participaciones\":1},{\"nombre\":\"Ana\",\"participaciones\":1}]");
        QTest::newRow("41 characters") << one("[{\"nombre\":\"" + QByteArray(41, 'x') + "\",\"participaciones\":1}]");
        QTest::newRow("line break") << one("[{\"nombre\":\"A\\nB\",\"participaciones\":1}]");
        QTest::newRow("blank name") << one("[{\"nombre\":\" \",\"participaciones\":1}]");
        QTest::newRow("bad fingerprint") << one("[{\"nombre\":\"Ana\",\"participaciones\":1}]").replace(print, "zz");
    }

    void hostileFiles()
    {
        // Refused whole and kept aside; the peñas start without members.
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("socios.json"));
        QVERIFY(Fixtures::writeFile(path, bytes));
        DiskFileOps ops;
        MemberFile file(ops);
        QCOMPARE(file.load(path), MemberFile::Load::SetAside);
        QCOMPARE(file.setAsidePath(), dir.filePath(QStringLiteral("socios.invalido")));
        QFile aside(file.setAsidePath());
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), bytes);
        QVERIFY(file.writable());
        // 40 characters of any script are a name; 41 are not.
        QVERIFY(MemberFile::isValidName(QString(40, QChar(0x674E))));
        QVERIFY(!MemberFile::isValidName(QString(41, QLatin1Char('x'))));
    }
};

QTEST_GUILESS_MAIN(TestMemberFile)
#include "tst_memberfile.moc"
