// The scrutiny passes on records in memory: the rows and colours they show,
// the filter and the prize notice; the prize counters recounted from the
// stored draws, whatever the passes showed.

#include "scrutiny/passes.h"
#include "store/oledate.h"
#include "support/fixtures.h"

#include <QTest>

namespace
{
    const QDate kSunday(2026, 12, 6);

    // Every row of a list as its displayed cells.
    QList<QStringList> cells(const ResultList &list)
    {
        QList<QStringList> rows;
        for (qsizetype r = 0; r < list.rowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < list.columnCount(); ++c)
                row << list.text(r, c);
            rows << row;
        }
        return rows;
    }

    QList<RowKind> kinds(const ResultList &list)
    {
        QList<RowKind> k;
        for (const ResultRow &row : list.rows())
            k << row.kind;
        return k;
    }

    // The name row shows the stored name, blanks included.
    QString nameRow(const QString &name) { return QStringLiteral("PEÑA ") + name.leftJustified(20); }

    int prizes(const SyndicateRecord &s, int code) { return s.prizeCounts[std::size_t(code - 1)]; }

    QStringList simpleRow(std::initializer_list<QString> cells)
    {
        return QStringList(cells);
    }
}

class TestPasses : public QObject
{
    Q_OBJECT

private slots:
    void simpleRowsTextsAndColours()
    {
        Scrutiny::Pass pass;
        pass.draws = {Fixtures::draw(kSunday, {3, 12, 25, 33, 48}, 7)};
        pass.syndicates = {Fixtures::simpleSyndicate(QStringLiteral("LOS AMIGOS"),
                                                     {{3, 12, 20, 30, 40}, {1, 2, 4, 5, 6}, {3, 12, 25, 33, 48}, {3, 12, 25, 34, 49}},
                                                     7, QDate(2026, 11, 1))};
        ResultList list;
        QVERIFY(!Scrutiny::scrutinizeSimpleSyndicates(pass, 1, list));

        const QString empty;
        const QList<QStringList> expected = {
            QStringList(8, empty),
            simpleRow({empty, empty, empty, empty, empty, empty, empty, nameRow(QStringLiteral("LOS AMIGOS"))}),
            simpleRow({empty, empty, empty, empty, empty, empty, empty, QStringLiteral("06/12/2026 Domingo")}),
            simpleRow({empty, QStringLiteral("3"), QStringLiteral("12"), QStringLiteral("20"), QStringLiteral("30"),
                       QStringLiteral("40"), QStringLiteral("7"), QStringLiteral("¡¡ Premio !! Has acertado 2 + Nº.Clave.")}),
            simpleRow({empty, QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("5"),
                       QStringLiteral("6"), empty, empty}),
            simpleRow({empty, QStringLiteral("3"), QStringLiteral("12"), QStringLiteral("25"), QStringLiteral("33"),
                       QStringLiteral("48"), empty, QStringLiteral("¡¡ Premio !! Has acertado 5 + Nº.Clave.")}),
            simpleRow({empty, QStringLiteral("3"), QStringLiteral("12"), QStringLiteral("25"), QStringLiteral("34"),
                       QStringLiteral("49"), empty, QStringLiteral("¡¡ Premio !! Has acertado 3 + Nº.Clave.")}),
        };
        QCOMPARE(cells(list), expected);

        QCOMPARE(list.colour(1, 7), std::optional<Rgb>(0x800000));
        QCOMPARE(list.colour(2, 7), std::optional<Rgb>(0x008000));
        QCOMPARE(list.colour(1, 3), std::nullopt);
        // Drawn numbers red, the others in the default colour.
        QCOMPARE(list.colour(3, 1), std::optional<Rgb>(0xFF0000));
        QCOMPARE(list.colour(3, 3), std::nullopt);
        QCOMPARE(list.colour(6, 3), std::optional<Rgb>(0xFF0000));
        QCOMPARE(list.colour(6, 4), std::nullopt);
        // The key, matched, is red on bet 1 only; the messages take their category's colour.
        QCOMPARE(list.colour(3, 6), std::optional<Rgb>(0xFF0000));
        QCOMPARE(list.colour(4, 6), std::nullopt);
        QCOMPARE(list.colour(3, 7), std::optional<Rgb>(0x00C000));
        QCOMPARE(list.colour(4, 7), std::nullopt);
        QCOMPARE(list.colour(5, 7), std::optional<Rgb>(0xFF0000));
        QCOMPARE(list.colour(6, 7), std::optional<Rgb>(0x0000FF));

        // The pass changed nothing; created before the draw, the syndicate
        // counts it once per winning bet.
        QCOMPARE(pass.syndicates[0].prizeCounts, (std::array<std::int16_t, 8> {}));
        const SyndicateRecord s = Scrutiny::recounted(pass.syndicates[0], pass.draws);
        QCOMPARE(prizes(s, 2), 1);
        QCOMPARE(prizes(s, 4), 1);
        QCOMPARE(prizes(s, 8), 1);
        QCOMPARE(s.lastCountedDate, OleDate::fromDate(kSunday));
    }

    void prizeMessagesWithoutKey_data()
    {
        QTest::addColumn<QList<int>>("bet");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("colour");
        QTest::addColumn<int>("code");
        QTest::newRow("1 hit") << QList<int> {3, 1, 2, 4, 5} << QString() << -1 << 0;
        QTest::newRow("2 hits") << QList<int> {3, 12, 1, 2, 4} << QStringLiteral("¡¡ Premio !! Has acertado 2 números.") << 0x00C000 << 1;
        QTest::newRow("3 hits") << QList<int> {3, 12, 25, 2, 4} << QStringLiteral("¡¡ Premio !! Has acertado 3 números.") << 0x0000FF << 3;
        QTest::newRow("4 hits") << QList<int> {3, 12, 25, 33, 4} << QStringLiteral("¡¡ Premio !! Has acertado 4 números.") << 0x400040 << 5;
        QTest::newRow("5 hits") << QList<int> {3, 12, 25, 33, 48} << QStringLiteral("¡¡ Premio !! Has acertado 5 números.") << 0xC04000 << 7;
    }

    void prizeMessagesWithoutKey()
    {
        QFETCH(QList<int>, bet);
        QFETCH(QString, message);
        QFETCH(int, colour);
        QFETCH(int, code);
        Scrutiny::Pass pass;
        pass.draws = {Fixtures::draw(kSunday, {3, 12, 25, 33, 48}, 7)};
        pass.syndicates = {Fixtures::simpleSyndicate(QStringLiteral("A"), {{bet[0], bet[1], bet[2], bet[3], bet[4]}}, 6, kSunday)};
        ResultList list;
        Scrutiny::scrutinizeSimpleSyndicates(pass, 1, list);
        QCOMPARE(list.rowCount(), 4);
        QCOMPARE(list.text(3, 7), message);
        QCOMPARE(list.colour(3, 7), colour < 0 ? std::nullopt : std::optional<Rgb>(Rgb(colour)));
        QCOMPARE(list.text(3, 6), QStringLiteral("6"));
        QCOMPARE(list.colour(3, 6), std::nullopt); // key not matched
        // A draw on the creation day counts.
        int total = 0;
        const SyndicateRecord counted = Scrutiny::recounted(pass.syndicates[0], pass.draws);
        for (int c = 1; c <= 8; ++c)
            total += prizes(counted, c);
        QCOMPARE(total, code == 0 ? 0 : 1);
        if (code != 0)
            QCOMPARE(prizes(counted, code), 1);
    }

    void filterRows_data()
    {
        // Bets given by their hits against the draw 1 2 3 4 5; the rows
        // left with "Ver sólo si hay premio".
        QTest::addColumn<QList<int>>("hits");
        QTest::addColumn<QList<int>>("betsShown"); // bet indexes from 0; -1: no header either
        QTest::newRow("none wins") << QList<int> {0, 1, 1} << QList<int> {-1};
        QTest::newRow("first only") << QList<int> {2, 0, 1} << QList<int> {0};
        QTest::newRow("last only") << QList<int> {1, 0, 3} << QList<int> {2};
        QTest::newRow("middle only") << QList<int> {1, 4, 0} << QList<int> {1};
        QTest::newRow("alternate") << QList<int> {2, 1, 2, 1, 5} << QList<int> {0, 2, 4};
        QTest::newRow("single losing bet") << QList<int> {1} << QList<int> {-1};
        QTest::newRow("single winning bet") << QList<int> {2} << QList<int> {0};
        QTest::newRow("all win") << QList<int> {2, 3, 4} << QList<int> {0, 1, 2};
    }

    void filterRows()
    {
        QFETCH(QList<int>, hits);
        QFETCH(QList<int>, betsShown);
        SyndicateRecord s = Fixtures::simpleSyndicate(QStringLiteral("F"), {}, 9, QDate(2026, 1, 1));
        s.kind = std::int16_t(hits.size());
        for (int b = 0; b < hits.size(); ++b) {
            // hits[b] numbers out of 1..5, the rest from 40 up.
            for (int k = 0; k < 5; ++k)
                s.bets[std::size_t(b)][std::size_t(k)] = std::int16_t(k < hits[b] ? k + 1 : 40 + k + b);
        }
        s.bets[0][5] = 9;
        Scrutiny::Pass pass;
        pass.draws = {Fixtures::draw(kSunday, {1, 2, 3, 4, 5}, 9)};
        pass.syndicates = {s, s};
        pass.soloPremio = true;
        ResultList list;
        Scrutiny::scrutinizeSimpleSyndicates(pass, 1, list);

        QList<RowKind> expected;
        QList<int> bets;
        for (int copy = 0; copy < 2; ++copy) {
            if (betsShown == QList<int> {-1})
                continue;
            expected << RowKind::Separator << RowKind::Name << RowKind::Date;
            for (int b : betsShown) {
                expected << RowKind::Bet;
                bets << b;
            }
        }
        QCOMPARE(kinds(list), expected);
        QList<int> shownBets;
        for (const ResultRow &row : list.rows())
            if (row.kind == RowKind::Bet)
                shownBets << row.bet;
        QCOMPARE(shownBets, bets);

        // Without the filter every bet is there; neither way touches the records.
        Scrutiny::Pass all = pass;
        all.soloPremio = false;
        all.syndicates = {s, s};
        ResultList full;
        Scrutiny::scrutinizeSimpleSyndicates(all, 1, full);
        QCOMPARE(full.rowCount(), 2 * (3 + hits.size()));
        QCOMPARE(all.syndicates[0], s);
        QCOMPARE(pass.syndicates[0], s);
    }

    void filterWithNothingWonLeavesEmptyList()
    {
        Scrutiny::Pass pass;
        pass.draws = {Fixtures::draw(QDate(2026, 11, 29), {10, 11, 12, 13, 14}, 1), Fixtures::draw(kSunday, {20, 21, 22, 23, 24}, 2)};
        pass.syndicates = {Fixtures::simpleSyndicate(QStringLiteral("A"), {{1, 2, 3, 4, 5}, {10, 20, 30, 40, 50}}, 2, QDate(2026, 1, 1)),
                           Fixtures::multipleSyndicate(QStringLiteral("M"), {1, 2, 3, 4, 5, 6}, 2, QDate(2026, 1, 1))};
        pass.soloPremio = true;
        ResultList simple, multi(ResultList::Layout::Multiple);
        QVERIFY(Scrutiny::scrutinizeSimpleSyndicates(pass, 2, simple));
        Scrutiny::scrutinizeMultipleSyndicates(pass, 2, multi);
        QCOMPARE(simple.rowCount(), 0);
        QCOMPARE(multi.rowCount(), 0);
    }

    void kindZeroShowsItsHeaderOnly()
    {
        SyndicateRecord s = Fixtures::simpleSyndicate(QStringLiteral("CERO"), {}, 0, QDate(2026, 1, 1));
        s.kind = 0;
        for (bool filter : {false, true}) {
            Scrutiny::Pass pass;
            pass.draws = {Fixtures::draw(kSunday, {1, 2, 3, 4, 5}, 0)};
            pass.syndicates = {s};
            pass.soloPremio = filter;
            ResultList list;
            Scrutiny::scrutinizeSimpleSyndicates(pass, 1, list);
            QCOMPARE(kinds(list), (QList<RowKind> {RowKind::Separator, RowKind::Name, RowKind::Date}));
        }
    }

    void damagedKindsAreSkipped_data()
    {
        QTest::addColumn<int>("kind");
        for (int kind : {-1, 25, 100, 107, 112, 32767})
            QTest::addRow("kind %d", kind) << kind;
    }

    void damagedKindsAreSkipped()
    {
        QFETCH(int, kind);
        SyndicateRecord damaged = Fixtures::simpleSyndicate(QStringLiteral("ROTA"), {{1, 2, 3, 4, 5}}, 0, QDate(2026, 1, 1));
        damaged.kind = std::int16_t(kind);
        for (auto &bet : damaged.bets)
            bet.fill(1);
        QVERIFY(Scrutiny::isDamaged(damaged));
        const SyndicateRecord good = Fixtures::simpleSyndicate(QStringLiteral("BUENA"), {{1, 2, 3, 4, 5}}, 0, QDate(2026, 1, 1));
        Scrutiny::Pass pass;
        pass.draws = {Fixtures::draw(kSunday, {1, 2, 3, 4, 5}, 0)};
        pass.syndicates = {damaged, good};
        ResultList simple, multi(ResultList::Layout::Multiple);
        QVERIFY(!Scrutiny::scrutinizeSimpleSyndicates(pass, 1, simple));
        Scrutiny::scrutinizeMultipleSyndicates(pass, 1, multi);
        QCOMPARE(pass.syndicates[0], damaged); // untouched, date included
        QCOMPARE(simple.rowCount(), 4);
        QCOMPARE(simple.text(1, 7), nameRow(QStringLiteral("BUENA")));
        QCOMPARE(multi.rowCount(), 0);
    }

    void recountOverEveryStoredDraw()
    {
        const QDate created(2026, 11, 29);
        const std::vector<DrawRecord> draws = {
            Fixtures::draw(QDate(2026, 11, 22), {1, 2, 3, 40, 41}, 0), // before creation: 3 hits
            Fixtures::draw(created, {1, 2, 30, 40, 41}, 5), // creation day: 2 hits + key
            Fixtures::draw(kSunday, {1, 2, 3, 4, 41}, 0), // 4 hits
        };
        const SyndicateRecord fresh = Fixtures::simpleSyndicate(QStringLiteral("A"), {{1, 2, 3, 4, 5}}, 5, created);
        const std::array<std::int16_t, 8> expected {0, 1, 0, 0, 1, 0, 0, 0};

        // Whatever range the lists show, with or without "Histórico", the
        // passes leave the records alone.
        Scrutiny::Pass pass;
        pass.draws = draws;
        pass.syndicates = {fresh};
        ResultList list;
        for (bool historico : {false, true}) {
            pass.historico = historico;
            for (int range : {1, 3})
                Scrutiny::scrutinizeSimpleSyndicates(pass, range, list);
        }
        QCOMPARE(list.rowCount(), 12); // with "Histórico" the older draw is shown
        QCOMPARE(pass.syndicates[0], fresh);

        // Every draw since creation, the creation day included, once; the
        // newest draw's date as the last counted.
        std::vector<SyndicateRecord> records = {fresh};
        QCOMPARE(Scrutiny::recount(records, draws), std::vector<std::size_t> {0});
        QCOMPARE(records[0].prizeCounts, expected);
        QCOMPARE(records[0].lastCountedDate, draws.back().date);
        QVERIFY(Scrutiny::recount(records, draws).empty()); // nothing more the second time

        // Counters left by a count of the newest draw only are made whole.
        SyndicateRecord stale = fresh;
        stale.prizeCounts = {0, 0, 0, 0, 1, 0, 0, 0};
        stale.lastCountedDate = draws.back().date;
        QCOMPARE(Scrutiny::recounted(stale, draws).prizeCounts, expected);

        // The newest draw deleted and stored again: counted once, not twice.
        records = {Scrutiny::recounted(fresh, draws)};
        const std::vector<DrawRecord> fewer(draws.begin(), draws.end() - 1);
        Scrutiny::recount(records, fewer);
        QCOMPARE(records[0].prizeCounts, (std::array<std::int16_t, 8> {0, 1, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(records[0].lastCountedDate, draws[1].date);
        Scrutiny::recount(records, draws);
        QCOMPARE(records[0].prizeCounts, expected);

        // No draw left: nothing won, nothing counted yet.
        Scrutiny::recount(records, {});
        QCOMPARE(records[0].prizeCounts, (std::array<std::int16_t, 8> {}));
        QCOMPARE(records[0].lastCountedDate, 0.0);

        // A damaged record is never touched; kind 0 wins nothing but follows the draws.
        SyndicateRecord damaged = stale;
        damaged.kind = 30;
        SyndicateRecord empty = stale;
        empty.kind = 0;
        records = {damaged, empty};
        QCOMPARE(Scrutiny::recount(records, draws), std::vector<std::size_t> {1});
        QCOMPARE(records[0], damaged);
        QCOMPARE(records[1].prizeCounts, (std::array<std::int16_t, 8> {}));
        QCOMPARE(records[1].lastCountedDate, draws.back().date);
    }

    void countersAgreeWithTheRows()
    {
        // Bet 2 holds 1 twice (no writer stores that): the row shows 3 hits,
        // and the counters must say the same.
        const SyndicateRecord s = Fixtures::simpleSyndicate(
            QStringLiteral("A"), {{1, 2, 3, 40, 41}, {1, 1, 2, 40, 41}, {5, 6, 7, 8, 9}, {1, 2, 3, 4, 5}}, 7, QDate(2026, 1, 1));
        Scrutiny::Pass pass;
        pass.draws = {Fixtures::draw(kSunday, {1, 2, 3, 4, 5}, 7)};
        pass.syndicates = {s};
        ResultList list;
        Scrutiny::scrutinizeSimpleSyndicates(pass, 1, list);
        std::array<std::int32_t, 8> fromRows {};
        for (const ResultRow &row : list.rows()) {
            if (const int code = PrizeCategory::code(row.hits, row.keyMatched))
                ++fromRows[std::size_t(code - 1)];
        }
        QCOMPARE(fromRows, (std::array<std::int32_t, 8> {0, 0, 0, 2, 0, 0, 0, 1}));
        QCOMPARE(Scrutiny::drawPrizes(s, pass.draws[0]).byCode, fromRows);
    }

    void syndicateCreatedAfterTheNewestDraw()
    {
        Scrutiny::Pass pass;
        pass.draws = {Fixtures::draw(kSunday, {1, 2, 3, 4, 5}, 0)};
        pass.syndicates = {Fixtures::simpleSyndicate(QStringLiteral("NUEVA"), {{1, 2, 3, 4, 5}}, 0, QDate(2026, 12, 8)),
                           Fixtures::multipleSyndicate(QStringLiteral("MNUEVA"), {1, 2, 3, 4, 5, 6}, 0, QDate(2026, 12, 8))};
        ResultList simple, multi(ResultList::Layout::Multiple);
        QVERIFY(Scrutiny::scrutinizeSimpleSyndicates(pass, 1, simple));
        Scrutiny::scrutinizeMultipleSyndicates(pass, 1, multi);
        QCOMPARE(simple.rowCount(), 0);
        QCOMPARE(multi.rowCount(), 0);
        pass.historico = true;
        Scrutiny::scrutinizeSimpleSyndicates(pass, 1, simple);
        Scrutiny::scrutinizeMultipleSyndicates(pass, 1, multi);
        QCOMPARE(simple.text(3, 7), QStringLiteral("¡¡ Premio !! Has acertado 5 + Nº.Clave."));
        QCOMPARE(multi.text(3, 13), QStringLiteral("¡¡ Premio !! Hay 5 apuestas de 4 + Clave."));
        // Shown, never counted; both still follow the newest draw.
        for (const SyndicateRecord &s : pass.syndicates) {
            const SyndicateRecord counted = Scrutiny::recounted(s, pass.draws);
            QCOMPARE(counted.prizeCounts, (std::array<std::int16_t, 8> {}));
            QCOMPARE(counted.lastCountedDate, OleDate::fromDate(kSunday));
        }
    }

    void multipleBreakdownRows()
    {
        // 8 numbers, 4 drawn, key matched.
        Scrutiny::Pass pass;
        pass.draws = {Fixtures::draw(kSunday, {4, 9, 17, 30, 51}, 3)};
        pass.syndicates = {Fixtures::simpleSyndicate(QStringLiteral("S"), {{1, 2, 3, 4, 5}}, 3, QDate(2026, 1, 1)),
                           Fixtures::multipleSyndicate(QStringLiteral("OCHO"), {4, 9, 17, 20, 30, 40, 44, 50}, 3, QDate(2026, 1, 1))};
        ResultList simple, list(ResultList::Layout::Multiple);
        QVERIFY(Scrutiny::scrutinizeSimpleSyndicates(pass, 1, simple));
        Scrutiny::scrutinizeMultipleSyndicates(pass, 1, list);

        QCOMPARE(list.columnCount(), 14);
        QCOMPARE(kinds(list), (QList<RowKind> {RowKind::Separator, RowKind::Name, RowKind::Date, RowKind::Bet, RowKind::Breakdown, RowKind::Breakdown}));
        QCOMPARE(list.text(1, 13), nameRow(QStringLiteral("OCHO")));
        const QStringList bet = {QString(), QStringLiteral("4"), QStringLiteral("9"), QStringLiteral("17"), QStringLiteral("20"),
                                 QStringLiteral("30"), QStringLiteral("40"), QStringLiteral("44"), QStringLiteral("50"),
                                 QStringLiteral("."), QStringLiteral("."), QStringLiteral("."), QStringLiteral("3"),
                                 QStringLiteral("¡¡ Premio !! Hay 24 apuestas de 2 + Clave.")};
        QCOMPARE(cells(list)[3], bet);
        QCOMPARE(list.text(4, 13), QStringLiteral("¡¡ Premio !! Hay 24 apuestas de 3 + Clave."));
        QCOMPARE(list.text(5, 13), QStringLiteral("¡¡ Premio !! Hay 4 apuestas de 4 + Clave."));
        QCOMPARE(list.text(4, 1), QString());
        QCOMPARE(list.colour(3, 1), std::optional<Rgb>(0xFF0000));
        QCOMPARE(list.colour(3, 4), std::nullopt);
        QCOMPARE(list.colour(3, 9), std::nullopt);
        QCOMPARE(list.colour(3, 12), std::optional<Rgb>(0xFF0000));
        QCOMPARE(list.colour(3, 13), std::optional<Rgb>(0x00C000));
        QCOMPARE(list.colour(4, 13), std::optional<Rgb>(0x0000FF));
        QCOMPARE(list.colour(5, 13), std::optional<Rgb>(0x400040));
        QCOMPARE(Scrutiny::recounted(pass.syndicates[1], pass.draws).prizeCounts,
                 (std::array<std::int16_t, 8> {0, 24, 0, 24, 0, 4, 0, 0}));
        // Simple syndicates never appear in the multiple list, the multiple
        // bet never in the simple one.
        QCOMPARE(simple.rowCount(), 4);
        QCOMPARE(simple.text(1, 7), nameRow(QStringLiteral("S")));

        // Again over the same draw: same rows.
        Scrutiny::scrutinizeMultipleSyndicates(pass, 1, list);
        QCOMPARE(list.rowCount(), 6);
    }

    void multipleFillersAndFilter_data()
    {
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<int>("fillers");
        QTest::newRow("6 numbers") << QList<int> {1, 20, 21, 22, 23, 24} << 5;
        QTest::newRow("11 numbers") << QList<int> {1, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29} << 0;
    }

    void multipleFillersAndFilter()
    {
        QFETCH(QList<int>, numbers);
        QFETCH(int, fillers);
        SyndicateRecord s = Fixtures::multipleSyndicate(QStringLiteral("M"), {}, 0, QDate(2026, 1, 1));
        s.kind = std::int16_t(95 + numbers.size());
        for (int i = 0; i < numbers.size(); ++i)
            s.bets[0][std::size_t(i)] = std::int16_t(numbers[i]);
        s.bets[0][std::size_t(numbers.size())] = 8; // key
        Scrutiny::Pass pass;
        pass.draws = {Fixtures::draw(kSunday, {1, 2, 3, 4, 5}, 8)}; // one hit, key matched
        pass.syndicates = {s};
        ResultList list(ResultList::Layout::Multiple);
        Scrutiny::scrutinizeMultipleSyndicates(pass, 1, list);
        QCOMPARE(list.rowCount(), 4);
        QCOMPARE(cells(list)[3].count(QStringLiteral(".")), fillers);
        QCOMPARE(list.text(3, 12), QStringLiteral("8"));
        QCOMPARE(list.colour(3, 12), std::optional<Rgb>(0xFF0000));
        QCOMPARE(list.text(3, 13), QString());
        QCOMPARE(pass.syndicates[0].prizeCounts, (std::array<std::int16_t, 8> {}));

        pass.soloPremio = true;
        Scrutiny::scrutinizeMultipleSyndicates(pass, 1, list);
        QCOMPARE(list.rowCount(), 0);
    }

    void countersStopAtTheirLimit()
    {
        // 5 hits without key add 200 to code 1 in each of 170 draws.
        const SyndicateRecord s = Fixtures::multipleSyndicate(QStringLiteral("M"), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 0, QDate(2020, 1, 1));
        std::vector<DrawRecord> draws;
        for (int i = 0; i < 170; ++i)
            draws.push_back(Fixtures::draw(QDate(2020, 1, 5).addDays(7 * i), {1, 2, 3, 4, 5}, 9));
        QCOMPARE(Scrutiny::recounted(s, draws).prizeCounts,
                 (std::array<std::int16_t, 8> {32767, 0, 150 * 170, 0, 30 * 170, 0, 170, 0}));

        SyndicateRecord t = Fixtures::simpleSyndicate(QStringLiteral("T"), {{1, 2, 40, 41, 42}}, 0, QDate(2026, 1, 1));
        t.prizeCounts[0] = 32767;
        Scrutiny::addPrizes(t, 1, 1);
        QCOMPARE(t.prizeCounts[0], std::int16_t(32767));
    }

    void drawCountIsLoweredToTheStoredDraws()
    {
        Scrutiny::Pass pass;
        pass.draws = {Fixtures::draw(QDate(2026, 11, 29), {1, 2, 3, 4, 5}, 0), Fixtures::draw(kSunday, {1, 2, 3, 4, 5}, 0)};
        pass.syndicates = {Fixtures::simpleSyndicate(QStringLiteral("A"), {{1, 2, 3, 4, 5}}, 0, QDate(2026, 1, 1))};
        ResultList list;
        Scrutiny::scrutinizeSimpleSyndicates(pass, 5000, list);
        QCOMPARE(list.rowCount(), 8);
        QCOMPARE(list.text(2, 7), QStringLiteral("06/12/2026 Domingo")); // newest first
        QCOMPARE(list.text(6, 7), QStringLiteral("29/11/2026 Domingo"));
        QCOMPARE(pass.syndicates[0].prizeCounts[7], 0); // shown, not counted

        // No stored draw: nothing shown, nothing changed.
        Scrutiny::Pass none;
        none.syndicates = pass.syndicates;
        QVERIFY(!Scrutiny::scrutinizeSimpleSyndicates(none, 1, list));
        QCOMPARE(list.rowCount(), 0);
        QCOMPARE(none.syndicates, pass.syndicates);
    }

    void prizeNotice_data()
    {
        QTest::addColumn<bool>("storedDraws");
        QTest::addColumn<int>("blinkBefore");
        QTest::addColumn<bool>("runningBefore");
        QTest::addColumn<bool>("simpleWins");
        QTest::addColumn<bool>("multipleWins");
        QTest::addColumn<int>("blinkAfter");
        QTest::addColumn<bool>("runningAfter");
        QTest::newRow("no download: untouched") << false << 0 << false << true << true << 0 << false;
        QTest::newRow("simple") << true << 0 << false << true << false << 1 << true;
        QTest::newRow("multiple") << true << 0 << false << false << true << 2 << true;
        QTest::newRow("both") << true << 0 << false << true << true << 3 << true;
        QTest::newRow("running keeps simple's value") << true << 2 << true << true << false << 2 << true;
        QTest::newRow("multiple after stop") << true << 1 << false << false << true << 3 << false;
        QTest::newRow("nothing won") << true << 0 << false << false << false << 0 << false;
    }

    void prizeNotice()
    {
        QFETCH(bool, storedDraws);
        QFETCH(int, blinkBefore);
        QFETCH(bool, runningBefore);
        QFETCH(bool, simpleWins);
        QFETCH(bool, multipleWins);
        QFETCH(int, blinkAfter);
        QFETCH(bool, runningAfter);
        Scrutiny::Pass pass;
        pass.draws = {Fixtures::draw(kSunday, {1, 2, 3, 4, 5}, 0)};
        pass.syndicates = {
            Fixtures::simpleSyndicate(QStringLiteral("S"), {{simpleWins ? 1 : 10, 2, 30, 40, 50}}, 0, QDate(2026, 1, 1)),
            Fixtures::multipleSyndicate(QStringLiteral("M"), {multipleWins ? 1 : 10, 2, 30, 40, 50, 51}, 0, QDate(2026, 1, 1)),
        };
        pass.notice = {storedDraws, blinkBefore, runningBefore};
        ResultList simple, multi(ResultList::Layout::Multiple);
        QVERIFY(Scrutiny::scrutinizeSimpleSyndicates(pass, 1, simple));
        Scrutiny::scrutinizeMultipleSyndicates(pass, 1, multi);
        QCOMPARE(pass.notice.prizeBlink, blinkAfter);
        QCOMPARE(pass.notice.running, runningAfter);
    }

    void rowsStayCompact()
    {
        QVERIFY(sizeof(ResultRow) <= 16);
    }
};

QTEST_GUILESS_MAIN(TestPasses)
#include "tst_passes.moc"
