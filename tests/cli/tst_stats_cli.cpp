// stats and try through the real quorvale-cli on the real history, checked
// against figures counted here from the published CSV with plain loops, and
// the refusals of bad input.

#include "support/fixtures.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <map>

namespace
{
    using Fixtures::Run;

    Run runCli(const QString &dir, const QStringList &arguments)
    {
        return Fixtures::runProgram(QStringLiteral(QUORVALE_CLI), QStringList {QStringLiteral("--data-dir"), dir} + arguments,
                                    60000);
    }

    struct Draw
    {
        QString date;
        std::array<int, 5> numbers {};
        int key = 0;
    };

    // data/gordo_draws.csv read with a split per line: date,n1,...,n5,clave.
    std::vector<Draw> csvDraws()
    {
        QFile file(QStringLiteral(QUORVALE_HISTORY_CSV));
        std::vector<Draw> draws;
        if (!file.open(QIODevice::ReadOnly))
            return draws;
        file.readLine();
        while (!file.atEnd()) {
            const QList<QByteArray> f = file.readLine().trimmed().split(',');
            if (f.size() != 7)
                continue;
            Draw d;
            d.date = QString::fromLatin1(f[0]);
            for (int i = 0; i < 5; ++i)
                d.numbers[std::size_t(i)] = f[i + 1].toInt();
            d.key = f[6].toInt();
            draws.push_back(d);
        }
        return draws;
    }

    int hitsOf(const std::vector<int> &bet, const Draw &d)
    {
        int hits = 0;
        for (int b : bet) {
            for (int n : d.numbers)
                hits += b == n ? 1 : 0;
        }
        return hits;
    }

    // Prize row 1 (5 + 1) ... 8 (2 + 0) of one five-number bet, 0 for none.
    int prizeRow(int hits, bool key)
    {
        if (hits < 2)
            return 0;
        return 9 - (2 * (hits - 2) + 1 + (key ? 1 : 0));
    }
}

class TestStatsCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::vector<Draw> m_draws;

private slots:
    void initTestCase()
    {
        m_draws = csvDraws();
        QCOMPARE(int(m_draws.size()), 1114);
        QVERIFY(Fixtures::writeFile(m_dir.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(Fixtures::realDraws())));
        QVERIFY(QFile::copy(QStringLiteral(QUORVALE_DEMO_REPORTS), m_dir.filePath(QStringLiteral("premios.json"))));
    }

    // Every number's and key's count and gaps, the pairs, and the shapes,
    // over the whole history and the last 50 draws.
    void statsAgreeWithCount_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("first");
        QTest::newRow("all") << QStringList {} << 0;
        QTest::newRow("last 50") << QStringList {QStringLiteral("--last"), QStringLiteral("50")} << 1114 - 50;
        QTest::newRow("2020") << QStringList {QStringLiteral("--since"), QStringLiteral("2020-01-01"), QStringLiteral("--until"),
                                              QStringLiteral("2020-12-31")}
                              << -2020;
    }

    void statsAgreeWithCount()
    {
        QFETCH(QStringList, options);
        QFETCH(int, first);
        std::vector<Draw> window;
        for (std::size_t i = 0; i < m_draws.size(); ++i) {
            if (first >= 0 ? int(i) >= first : m_draws[i].date.startsWith(QString::number(-first)))
                window.push_back(m_draws[i]);
        }
        const Run run = runCli(m_dir.path(), QStringList {QStringLiteral("stats"), QStringLiteral("--json")} + options);
        QCOMPARE(run.code, 0);
        const QJsonObject json = QJsonDocument::fromJson(run.out).object();
        const int w = int(window.size());
        QCOMPARE(json[QStringLiteral("window")][QStringLiteral("draws")].toInt(), w);
        QCOMPARE(json[QStringLiteral("window")][QStringLiteral("from")].toString(), window.front().date);
        QCOMPARE(json[QStringLiteral("window")][QStringLiteral("to")].toString(), window.back().date);

        // Per number (and key): count, draws since, longest run without.
        for (int keys = 0; keys < 2; ++keys) {
            const QJsonArray values = json[keys ? QStringLiteral("keys") : QStringLiteral("numbers")].toArray();
            QCOMPARE(values.size(), keys ? 10 : 54);
            for (const QJsonValue &value : values) {
                const int v = value[QStringLiteral("number")].toInt();
                int drawn = 0, run = 0, longest = 0;
                for (const Draw &d : window) {
                    const bool out = keys ? d.key == v : std::count(d.numbers.begin(), d.numbers.end(), v) > 0;
                    drawn += out ? 1 : 0;
                    run = out ? 0 : run + 1;
                    longest = std::max(longest, run);
                }
                QCOMPARE(value[QStringLiteral("drawn")].toInt(), drawn);
                QCOMPARE(value[QStringLiteral("gap")].toInt(), run);
                QCOMPARE(value[QStringLiteral("longestGap")].toInt(), longest);
                QCOMPARE(value[QStringLiteral("share")].toDouble(), std::round(10000.0 * drawn / w) / 10000.0);
            }
        }

        std::map<std::pair<int, int>, int> pairs;
        std::map<int, int> sums;
        std::array<int, 6> odd {}, low {}, decades {}, repeats {};
        std::array<int, 5> consecutive {};
        for (const Draw &d : window) {
            int sum = 0, o = 0, l = 0, c = 0;
            for (int i = 0; i < 5; ++i) {
                const int n = d.numbers[std::size_t(i)];
                for (int j = i + 1; j < 5; ++j)
                    ++pairs[{n, d.numbers[std::size_t(j)]}];
                sum += n;
                o += n % 2;
                l += n <= 27;
                ++decades[std::size_t(n / 10)];
                c += i > 0 && d.numbers[std::size_t(i - 1)] == n - 1;
            }
            ++sums[sum];
            ++odd[std::size_t(o)];
            ++low[std::size_t(l)];
            ++consecutive[std::size_t(c)];
        }
        // Repeats: each draw of the window against the one stored before it.
        for (std::size_t i = 1; i < m_draws.size(); ++i) {
            if (std::find_if(window.begin(), window.end(), [&](const Draw &d) { return d.date == m_draws[i].date; }) == window.end())
                continue;
            int again = 0;
            for (int n : m_draws[i].numbers)
                again += std::count(m_draws[i - 1].numbers.begin(), m_draws[i - 1].numbers.end(), n) > 0;
            ++repeats[std::size_t(again)];
        }

        const QJsonArray pairList = json[QStringLiteral("pairs")].toArray();
        QCOMPARE(pairList.size(), 1431);
        int previous = INT_MAX;
        for (const QJsonValue &pair : pairList) {
            const QJsonArray ab = pair[QStringLiteral("numbers")].toArray();
            const int drawn = pair[QStringLiteral("drawn")].toInt();
            QCOMPARE(drawn, pairs[std::make_pair(ab[0].toInt(), ab[1].toInt())]);
            QVERIFY(drawn <= previous);
            previous = drawn;
        }
        const QJsonObject sumJson = json[QStringLiteral("sums")].toObject();
        QCOMPARE(sumJson.size(), qsizetype(sums.size()));
        for (const auto &[sum, count] : sums)
            QCOMPARE(sumJson[QString::number(sum)].toInt(), count);
        const auto asList = [&json](const char *name) {
            QList<int> list;
            for (const QJsonValue &v : json[QLatin1String(name)].toArray())
                list << v.toInt();
            return list;
        };
        QCOMPARE(asList("oddEven"), QList<int>(odd.begin(), odd.end()));
        QCOMPARE(asList("lowHigh"), QList<int>(low.begin(), low.end()));
        QCOMPARE(asList("decades"), QList<int>(decades.begin(), decades.end()));
        QCOMPARE(asList("consecutive"), QList<int>(consecutive.begin(), consecutive.end()));
        QCOMPARE(asList("repeats"), QList<int>(repeats.begin(), repeats.end()));
    }

    // A simple bet and a multiple one over the whole history: every
    // five-number combination of the bet checked against every draw, and
    // the money of the five draws whose report the demo carries.
    void tryAgreesWithCount_data()
    {
        QTest::addColumn<QString>("numbers");
        QTest::addColumn<int>("key");
        QTest::newRow("simple") << QStringLiteral("3,12,25,33,48") << 7;
        QTest::newRow("eight") << QStringLiteral("5,11,19,23,30,38,44,51") << 4;
        QTest::newRow("eleven") << QStringLiteral("2,9,15,22,28,33,41,47,50,52,53") << 0;
    }

    void tryAgreesWithCount()
    {
        QFETCH(QString, numbers);
        QFETCH(int, key);
        std::vector<int> bet;
        for (const QString &n : numbers.split(QLatin1Char(',')))
            bet.push_back(n.toInt());
        std::vector<std::vector<int>> combinations;
        const int n = int(bet.size());
        for (int mask = 0; mask < (1 << n); ++mask) {
            if (__builtin_popcount(unsigned(mask)) != 5)
                continue;
            std::vector<int> combination;
            for (int i = 0; i < n; ++i) {
                if (mask & (1 << i))
                    combination.push_back(bet[std::size_t(i)]);
            }
            combinations.push_back(combination);
        }
        std::map<QString, std::array<qint64, 9>> reportCents;
        const QJsonObject demo = QJsonDocument::fromJson(Fixtures::readFile(QStringLiteral(QUORVALE_DEMO_REPORTS))).object();
        for (const QJsonValue &report : demo[QStringLiteral("informes")].toArray()) {
            std::array<qint64, 9> cents {};
            for (const QJsonValue &row : report[QStringLiteral("categorias")].toArray())
                cents[std::size_t(row[QStringLiteral("categoria")].toInt() - 1)] = row[QStringLiteral("centimos")].toInteger();
            reportCents[report[QStringLiteral("fecha")].toString()] = cents;
        }

        std::array<qint64, 9> totals {};
        qint64 stake = 0, won = 0, pricedStake = 0;
        int unpriced = 0, prizedDraws = 0;
        for (const Draw &d : m_draws) {
            std::array<qint64, 9> prizes {};
            for (const auto &combination : combinations) {
                if (const int row = prizeRow(hitsOf(combination, d), d.key == key))
                    ++prizes[std::size_t(row - 1)];
                if (d.key == key)
                    ++prizes[8];
            }
            bool any = false;
            for (std::size_t c = 0; c < 9; ++c) {
                totals[c] += prizes[c];
                any = any || prizes[c] > 0;
            }
            prizedDraws += any ? 1 : 0;
            const auto report = reportCents.find(d.date);
            const qint64 price = report == reportCents.end() ? 150 : report->second[8];
            stake += price * qint64(combinations.size());
            if (report == reportCents.end()) {
                ++unpriced;
                continue;
            }
            pricedStake += price * qint64(combinations.size());
            for (std::size_t c = 0; c < 9; ++c)
                won += prizes[c] * report->second[c];
        }

        const Run run = runCli(m_dir.path(), {QStringLiteral("try"), QStringLiteral("--numbers"), numbers, QStringLiteral("--key"), QString::number(key), QStringLiteral("--json")});
        QCOMPARE(run.code, 0);
        const QJsonObject json = QJsonDocument::fromJson(run.out).object();
        QCOMPARE(json[QStringLiteral("draws")].toInt(), 1114);
        QList<qint64> categories;
        for (const QJsonValue &v : json[QStringLiteral("categories")].toArray())
            categories << v.toInteger();
        QCOMPARE(categories, QList<qint64>(totals.begin(), totals.end()));
        QCOMPARE(json[QStringLiteral("stakeCents")].toInteger(), stake);
        QCOMPARE(json[QStringLiteral("wonCents")].toInteger(), won);
        QCOMPARE(json[QStringLiteral("balanceCents")].toInteger(), won - stake);
        QCOMPARE(json[QStringLiteral("pricedBalanceCents")].toInteger(), won - pricedStake);
        QCOMPARE(json[QStringLiteral("unpricedDraws")].toInt(), unpriced);
        const QJsonArray rows = json[QStringLiteral("rows")].toArray();
        QCOMPARE(rows.size(), prizedDraws);
        // The first winning draw, counted here too.
        const Draw *firstWin = nullptr;
        for (const Draw &d : m_draws) {
            if (d.key == key || hitsOf(bet, d) >= 2) {
                firstWin = &d;
                break;
            }
        }
        QVERIFY(firstWin);
        QCOMPARE(rows.first()[QStringLiteral("date")].toString(), firstWin->date);
        QCOMPARE(rows.first()[QStringLiteral("hits")].toInt(), hitsOf(bet, *firstWin));
        QCOMPARE(rows.first()[QStringLiteral("key")].toBool(), firstWin->key == key);
    }

    void badInputRefused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        const QString s = QStringLiteral("stats"), t = QStringLiteral("try");
        QTest::newRow("last 0") << QStringList {s, QStringLiteral("--last"), QStringLiteral("0")} << QStringLiteral("--last:");
        QTest::newRow("last text") << QStringList {s, QStringLiteral("--last"), QStringLiteral("diez")} << QStringLiteral("--last:");
        QTest::newRow("bad date") << QStringList {s, QStringLiteral("--since"), QStringLiteral("2020-02-30")} << QStringLiteral("--since:");
        QTest::newRow("since after until")
            << QStringList {s, QStringLiteral("--since"), QStringLiteral("2021-01-01"), QStringLiteral("--until"), QStringLiteral("2020-01-01")}
            << QStringLiteral("posterior");
        QTest::newRow("last and since")
            << QStringList {s, QStringLiteral("--last"), QStringLiteral("5"), QStringLiteral("--since"), QStringLiteral("2020-01-01")}
            << QStringLiteral("no ambos");
        QTest::newRow("numbers missing") << QStringList {t, QStringLiteral("--key"), QStringLiteral("3")} << QStringLiteral("Falta --numbers");
        QTest::newRow("key missing") << QStringList {t, QStringLiteral("--numbers"), QStringLiteral("1,2,3,4,5")} << QStringLiteral("Falta --key");
        QTest::newRow("four numbers")
            << QStringList {t, QStringLiteral("--numbers"), QStringLiteral("1,2,3,4"), QStringLiteral("--key"), QStringLiteral("3")}
            << QStringLiteral("de 5 a 11");
        QTest::newRow("55") << QStringList {t, QStringLiteral("--numbers"), QStringLiteral("1,2,3,4,55"), QStringLiteral("--key"), QStringLiteral("3")}
                            << QStringLiteral("55");
        QTest::newRow("repeated")
            << QStringList {t, QStringLiteral("--numbers"), QStringLiteral("1,2,3,3,5"), QStringLiteral("--key"), QStringLiteral("3")}
            << QStringLiteral("repetido");
        QTest::newRow("not numbers")
            << QStringList {t, QStringLiteral("--numbers"), QStringLiteral("1,2,tres,4,5"), QStringLiteral("--key"), QStringLiteral("3")}
            << QStringLiteral("separados por comas");
        QTest::newRow("key 10")
            << QStringList {t, QStringLiteral("--numbers"), QStringLiteral("1,2,3,4,5"), QStringLiteral("--key"), QStringLiteral("10")}
            << QStringLiteral("clave");
        QTest::newRow("stats takes no numbers")
            << QStringList {s, QStringLiteral("--numbers"), QStringLiteral("1,2,3,4,5")} << QStringLiteral("no admite");
    }

    // Exit 2, a Spanish message, and nothing created in a fresh directory.
    void badInputRefused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        QTemporaryDir fresh;
        const Run run = runCli(fresh.path(), arguments);
        QCOMPARE(run.code, 2);
        QVERIFY2(QString::fromUtf8(run.err).contains(message), run.err.constData());
        QVERIFY(QDir(fresh.path()).isEmpty());
    }

    // Without --json: the Spanish text a player reads.
    void readableText()
    {
        const Run stats = runCli(m_dir.path(), {QStringLiteral("stats"), QStringLiteral("--last"), QStringLiteral("10")});
        QCOMPARE(stats.code, 0);
        QVERIFY(stats.out.startsWith("Sorteos: 10, del "));
        QVERIFY(stats.out.contains("Parejas que más han salido juntas:"));
        const Run tried = runCli(m_dir.path(), {QStringLiteral("try"), QStringLiteral("--numbers"), QStringLiteral("3,12,25,33,48"), QStringLiteral("--key"), QStringLiteral("7"), QStringLiteral("--since"), QStringLiteral("2025-01-01"), QStringLiteral("--until"), QStringLiteral("2025-01-31")});
        QCOMPARE(tried.code, 0);
        QVERIFY2(tried.out.contains("Sorteos: 4, del 05/01/2025 al 26/01/2025."), tried.out.constData());
        QVERIFY(tried.out.contains("Jugado:  6,00 €"));
    }
};

QTEST_GUILESS_MAIN(TestStatsCli)
#include "tst_stats_cli.moc"
