// The members' file and the division of a peña's money by shares.

#include "scrutiny/shares.h"
#include "store/memberfile.h"
#include "support/fixtures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
        // Balances follow the stake of the priced draws only.
        const Money::Totals totals {3, 2, 900, 1001, 401};
        const auto parts = Shares::parts(totals, std::vector {1, 1});
        QCOMPARE(parts[0], (Shares::Part {450, 501, 201}));
        QCOMPARE(parts[1], (Shares::Part {450, 500, 200}));
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
