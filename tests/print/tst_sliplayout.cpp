// Where every mark, frame and line of a print job goes, read from a surface
// that records the calls.

#include "print/recordingsurface.h"
#include "print/sliplayout.h"
#include "support/fixtures.h"

#include <QTest>

#include <algorithm>

namespace
{
    using Kind = RecordingSurface::Kind;
    const QString kX = QStringLiteral("X");

    // Five distinct numbers per bet, different from bet to bet.
    SyndicateRecord simpleOf(int bets, int key = 3)
    {
        SyndicateRecord s = Fixtures::simpleSyndicate(QStringLiteral("LOS DEL BAR"), {}, key, QDate(2026, 1, 4));
        s.kind = std::int16_t(bets);
        for (int b = 0; b < bets; ++b) {
            for (int slot = 0; slot < 5; ++slot)
                s.bets[b][slot] = std::int16_t(1 + (b * 2 + slot * 10) % 54);
        }
        s.bets[0][5] = std::int16_t(key);
        return s;
    }

    SyndicateRecord multipleOf(int numbers, int key)
    {
        SyndicateRecord s = Fixtures::simpleSyndicate(QStringLiteral("MULTIPLE"), {}, 0, QDate(2026, 1, 4));
        s.kind = std::int16_t(95 + numbers);
        for (int i = 0; i < numbers; ++i)
            s.bets[0][i] = std::int16_t(3 + 5 * i);
        s.bets[0][numbers] = std::int16_t(key);
        return s;
    }

    bool near(QPointF a, QPointF b)
    {
        return std::abs(a.x() - b.x()) < 1e-9 && std::abs(a.y() - b.y()) < 1e-9;
    }

    bool contains(const QList<QPointF> &points, QPointF p)
    {
        return std::any_of(points.begin(), points.end(), [&](QPointF q) { return near(p, q); });
    }

    QString describe(const QList<QPointF> &points)
    {
        QStringList parts;
        for (QPointF p : points)
            parts << QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y());
        return parts.join(QLatin1Char(' '));
    }
}

class TestSlipLayout : public QObject
{
    Q_OBJECT

private slots:
    void cellPositions_data()
    {
        QTest::addColumn<QPointF>("origin");
        QTest::addColumn<int>("block");
        QTest::addColumn<int>("number");
        QTest::addColumn<QPointF>("expected");
        const QPointF offsets(10, 20);
        QTest::newRow("block 1, number 1") << offsets << 1 << 1 << QPointF(10, 25);
        QTest::newRow("block 3, number 54") << offsets << 3 << 54 << QPointF(74, 40);
        QTest::newRow("key 0") << offsets << 7 << 10 << QPointF(148.8, 20);
        QTest::newRow("key 9") << offsets << 7 << 19 << QPointF(148.8, 65);
        QTest::newRow("block 6, number 59") << offsets << 6 << 59 << QPointF(10 + 112.5 + 19, 65);
        QTest::newRow("plain upper, number 1") << QPointF(25.8, 45) << 1 << 1 << QPointF(25.8, 50);
        QTest::newRow("plain lower, number 1") << QPointF(25.8, 149) << 1 << 1 << QPointF(25.8, 154);
    }
    void cellPositions()
    {
        QFETCH(QPointF, origin);
        QFETCH(int, block);
        QFETCH(int, number);
        QFETCH(QPointF, expected);
        const QPointF at = SlipLayout::cellPosition(origin, block, number);
        QVERIFY2(near(at, expected), qPrintable(describe({at})));
    }

    // The examples as a whole job prints them, calibration (10, 20).
    void officialMarksWhereTheCellsAre()
    {
        SyndicateRecord s = simpleOf(3, 0);
        s.bets[0] = {1, 2, 3, 4, 5, 0};
        s.bets[2] = {10, 20, 30, 40, 54};
        RecordingSurface surface;
        QCOMPARE(SlipLayout::print(surface, s, SlipLayout::Mode::Official, QPointF(10, 20)), 1);
        const QList<QPointF> marks = surface.textPositions(kX);
        QCOMPARE(marks.size(), 3 * 5 + 1);
        QVERIFY2(contains(marks, QPointF(10, 25)), qPrintable(describe(marks)));
        QVERIFY(contains(marks, QPointF(74, 40)));
        QVERIFY(contains(marks, QPointF(10 + 45 + 3.8, 20))); // number 10 of block 3
        QVERIFY(contains(marks, QPointF(148.8, 20)));
        // Every mark in its font: arial bold 11.5.
        for (const auto &call : surface.ofKind(Kind::Text)) {
            if (call.text == kX)
                QVERIFY(call.pointSize == 11.5 && call.bold);
        }
        const auto fonts = surface.ofKind(Kind::Font);
        QVERIFY(!fonts.isEmpty());
        QCOMPARE(fonts.first().text, QStringLiteral("arial"));
        QCOMPARE(surface.calls.last().kind, Kind::End);
        QVERIFY(surface.ofKind(Kind::Rect).isEmpty() && surface.ofKind(Kind::FilledRect).isEmpty());
    }

    void plainPaperIgnoresTheCalibration()
    {
        SyndicateRecord s = simpleOf(7, 4);
        s.bets[0] = {1, 2, 3, 4, 5, 4};
        s.bets[6] = {1, 11, 21, 31, 41};
        RecordingSurface calibrated;
        RecordingSurface uncalibrated;
        SlipLayout::print(calibrated, s, SlipLayout::Mode::Plain, QPointF(10, 20));
        SlipLayout::print(uncalibrated, s, SlipLayout::Mode::Plain, QPointF());
        QCOMPARE(calibrated.calls.size(), uncalibrated.calls.size());
        for (qsizetype i = 0; i < calibrated.calls.size(); ++i)
            QCOMPARE(calibrated.calls[i].rect, uncalibrated.calls[i].rect);

        const QList<QPointF> marks = calibrated.textPositions(kX, 1);
        QVERIFY2(contains(marks, QPointF(25.8, 50)), qPrintable(describe(marks))); // upper slip
        QVERIFY2(contains(marks, QPointF(25.8, 154)), qPrintable(describe(marks))); // lower slip
        // Key 4 on both slips.
        QVERIFY(contains(marks, QPointF(25.8 + 135 + 3.8, 45 + 20)));
        QVERIFY(contains(marks, QPointF(25.8 + 135 + 3.8, 149 + 20)));
        QCOMPARE(calibrated.pages(), 1);
    }

    void slipsAndPages_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("slips");
        QTest::addColumn<int>("officialPages");
        QTest::addColumn<int>("plainPages");
        QTest::addColumn<int>("marks"); // on all slips, keys included
        QTest::newRow("1 bet") << 1 << 1 << 1 << 1 << 5 + 1;
        QTest::newRow("6 bets") << 6 << 1 << 1 << 1 << 30 + 1;
        QTest::newRow("7 bets") << 7 << 2 << 2 << 1 << 35 + 2;
        QTest::newRow("12 bets") << 12 << 2 << 2 << 1 << 60 + 2;
        QTest::newRow("13 bets") << 13 << 3 << 3 << 2 << 65 + 3;
        QTest::newRow("24 bets") << 24 << 4 << 4 << 2 << 120 + 4;
        QTest::newRow("6 numbers") << 101 << 1 << 1 << 1 << 6 + 1 + 1;
        QTest::newRow("11 numbers") << 106 << 1 << 1 << 1 << 11 + 1 + 1;
    }
    void slipsAndPages()
    {
        QFETCH(int, kind);
        QFETCH(int, slips);
        QFETCH(int, officialPages);
        QFETCH(int, plainPages);
        QFETCH(int, marks);
        const SyndicateRecord s = kind > 100 ? multipleOf(kind - 95, 7) : simpleOf(kind);
        QCOMPARE(SlipLayout::jobFor(s).slipCount, slips);

        for (const auto mode : {SlipLayout::Mode::Official, SlipLayout::Mode::Plain}) {
            const bool plain = mode == SlipLayout::Mode::Plain;
            RecordingSurface surface;
            const int pages = SlipLayout::print(surface, s, mode, QPointF(5, 30));
            QCOMPARE(pages, plain ? plainPages : officialPages);
            QCOMPARE(surface.pages(), pages);
            QCOMPARE(surface.ofKind(Kind::NewPage).size(), pages - 1);
            QCOMPARE(surface.ofKind(Kind::End).size(), 1);
            QCOMPARE(surface.textPositions(kX).size(), marks);
            QCOMPARE(surface.ofKind(Kind::Rect).size(), plain ? slips : 0);
            // Every page carries marks: no empty page, last one included.
            for (int page = 1; page <= pages; ++page)
                QVERIFY2(!surface.textPositions(kX, page).isEmpty(), qPrintable(QString::number(page)));
            // The key on every slip.
            const int keyMarks = int(std::count_if(surface.calls.begin(), surface.calls.end(), [&](const auto &c) {
                return c.kind == Kind::Text && c.text == kX && std::abs(c.rect.left() - ((plain ? 25.8 : 5) + 135 + 3.8)) < 1e-9;
            }));
            QCOMPARE(keyMarks, slips);
        }
    }

    void lastSlipKeepsEmptyBlocksEmpty()
    {
        const SyndicateRecord s = simpleOf(7);
        RecordingSurface surface;
        SlipLayout::print(surface, s, SlipLayout::Mode::Official, QPointF());
        // Page 2: bet 7 in block 1 and the key, nothing in blocks 2 to 6.
        const QList<QPointF> second = surface.textPositions(kX, 2);
        QCOMPARE(second.size(), 5 + 1);
        for (int slot = 0; slot < 5; ++slot)
            QVERIFY(contains(second, SlipLayout::cellPosition(QPointF(), 1, s.bets[6][slot])));
    }

    void multipleSizeMark_data()
    {
        QTest::addColumn<int>("numbers");
        QTest::addColumn<QPointF>("mark"); // with calibration (0, 0)
        QTest::newRow("6") << 6 << QPointF(3.8, 55);
        QTest::newRow("7") << 7 << QPointF(3 * 3.8, 55);
        QTest::newRow("8") << 8 << QPointF(5 * 3.8, 55);
        QTest::newRow("9") << 9 << QPointF(22.5 + 3.8, 55);
        QTest::newRow("10") << 10 << QPointF(22.5 + 3 * 3.8, 55);
        QTest::newRow("11") << 11 << QPointF(22.5 + 5 * 3.8, 55);
    }
    void multipleSizeMark()
    {
        QFETCH(int, numbers);
        QFETCH(QPointF, mark);
        const SyndicateRecord s = multipleOf(numbers, 2);
        RecordingSurface surface;
        SlipLayout::print(surface, s, SlipLayout::Mode::Official, QPointF());
        const QList<QPointF> marks = surface.textPositions(kX);
        QCOMPARE(marks.size(), numbers + 2);
        // The numbers in block 1, the key in block 7 and the size mark last.
        for (int i = 0; i < numbers; ++i)
            QVERIFY(contains(marks, SlipLayout::cellPosition(QPointF(), 1, 3 + 5 * i)));
        QVERIFY(contains(marks, QPointF(135 + 3.8, 10)));
        QVERIFY2(near(marks.last(), mark), qPrintable(describe({marks.last()})));
        // Plain paper: the same mark, at the slip's grid.
        RecordingSurface plain;
        SlipLayout::print(plain, s, SlipLayout::Mode::Plain, QPointF(40, 40));
        QVERIFY(near(plain.textPositions(kX).last(), mark + QPointF(25.8, 45)));
        // Labelled there, right of the mark and under the grid.
        const auto label = plain.textPositions(QStringLiteral("Múltiple de %1").arg(numbers));
        QCOMPARE(label.size(), 1);
        QVERIFY(label.first().x() > mark.x() + 25.8 + 3 && std::abs(label.first().y() - (mark.y() + 45)) < 2);
    }

    void plainFrames()
    {
        const SyndicateRecord s = simpleOf(13);
        RecordingSurface surface;
        QCOMPARE(SlipLayout::print(surface, s, SlipLayout::Mode::Plain, QPointF()), 2);
        const auto borders = surface.ofKind(Kind::Rect);
        QCOMPARE(borders.size(), 3);
        QCOMPARE(borders[0].rect, QRectF(20, 20, 160.5, 104));
        QCOMPARE(borders[0].page, 1);
        QCOMPARE(borders[1].rect, QRectF(20, 124, 160.5, 104));
        QCOMPARE(borders[1].page, 1);
        QCOMPARE(borders[2].rect, QRectF(20, 20, 160.5, 104));
        QCOMPARE(borders[2].page, 2);

        const auto filled = surface.ofKind(Kind::FilledRect);
        QCOMPARE(filled.size(), 3 * 7);
        const QList<QRectF> lower = {QRectF(23.8, 221.3, 2.5, 3.0), QRectF(174.5, 221.3, 2.5, 3.0),
                                     QRectF(22.5, 148, 1, 4), QRectF(22.5, 160, 1, 4),
                                     QRectF(22.5, 172, 1, 4), QRectF(22.5, 184, 1, 4),
                                     QRectF(22.5, 196, 1, 4)};
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(filled[7 + i].rect, lower[i]);
            QCOMPARE(filled[i].rect, lower[i].translated(0, -104));
        }
        // Every mark inside its slip's border.
        for (const auto &call : surface.ofKind(Kind::Text)) {
            const QRectF border(20, call.rect.top() >= 124 ? 124 : 20, 160.5, 104);
            QVERIFY2(border.contains(call.rect.topLeft() + QPointF(4, 5)), qPrintable(call.text));
        }
    }

    void officialHeader()
    {
        const SyndicateRecord s = simpleOf(13);
        RecordingSurface surface;
        SlipLayout::print(surface, s, SlipLayout::Mode::Official, QPointF(10, 20));
        for (int slip = 1; slip <= 3; ++slip) {
            const QList<QPointF> at = surface.textPositions(QStringLiteral("Boleto %1 de 3").arg(slip), slip);
            QCOMPARE(at.size(), 1);
            QVERIFY(near(at.first(), QPointF(10, 13)));
        }
        // At small offsets the header stays on the page, clear of the grid.
        QVERIFY(near(SlipLayout::officialHeaderPosition(QPointF(0, 0)), QPointF(5, 52)));
        QVERIFY(near(SlipLayout::officialHeaderPosition(QPointF(-3, 11)), QPointF(5, 63)));
        QVERIFY(near(SlipLayout::officialHeaderPosition(QPointF(8, 12)), QPointF(8, 5)));
        // The header's smaller type does not stay on for the marks that follow.
        for (const auto &call : surface.calls) {
            if (call.kind == Kind::Text && call.text.startsWith(QLatin1String("Boleto")))
                QVERIFY(call.pointSize < 11.5);
            if (call.kind == Kind::Text && call.text == kX)
                QCOMPARE(call.pointSize, 11.5);
        }
    }

    void plainLines()
    {
        const SyndicateRecord s = simpleOf(7);
        RecordingSurface surface;
        SlipLayout::print(surface, s, SlipLayout::Mode::Plain, QPointF());
        for (const qreal h : {0.0, 104.0}) {
            const auto game = surface.textPositions(QStringLiteral("El Gordo de la Primitiva del:"));
            QVERIFY(contains(game, QPointF(25.8, h + 24)));
            QVERIFY(contains(surface.textPositions(QStringLiteral("Domingo")), QPointF(25.8, h + 29.5)));
            QVERIFY(contains(surface.textPositions(QStringLiteral("Peña: LOS DEL BAR")), QPointF(95, h + 24)));
        }
        QVERIFY(contains(surface.textPositions(QStringLiteral("Boleto 1 de 2")), QPointF(95, 29.5)));
        QVERIFY(contains(surface.textPositions(QStringLiteral("Boleto 2 de 2")), QPointF(95, 133.5)));
        // Between the border and the grid's first row (a line of 10 points is under 4.5 mm).
        for (const auto &call : surface.ofKind(Kind::Text)) {
            if (call.text == kX || call.pointSize == SlipLayout::kGridFontSize)
                continue;
            const qreal top = call.rect.top() >= 124 ? 124 : 20;
            QVERIFY(call.rect.top() > top && call.rect.top() + 4.5 < top + 25);
        }
    }

    void plainGridAndDate()
    {
        // Every mark of a plain participation sits on the grey number it
        // stands for, and the slip names the draw's date.
        const SyndicateRecord s = simpleOf(7);
        RecordingSurface surface;
        SlipLayout::print(surface, s, SlipLayout::Mode::Plain, QPointF(), QDate(2026, 12, 13));
        const QString date = QStringLiteral("Domingo, 13 de diciembre del 2026");
        QCOMPARE(surface.textPositions(date).size(), 2);
        QVERIFY(surface.textPositions(QStringLiteral("Domingo")).isEmpty());
        const QPointF origin(25.8, 45);
        for (int block = 1; block <= 6; ++block) {
            const int number = s.bets[block - 1][0];
            const QPointF grid = SlipLayout::gridNumberPosition(origin, block, number);
            const auto at = surface.textPositions(QString::number(number));
            QVERIFY(contains(at, grid));
            QVERIFY(contains(surface.textPositions(kX), SlipLayout::cellPosition(origin, block, number)));
            // Centred under the mark, inside its cell.
            const QPointF cell = SlipLayout::cellPosition(origin, block, number);
            QVERIFY(grid.x() >= cell.x() && grid.x() < cell.x() + 3.8 && grid.y() > cell.y() && grid.y() < cell.y() + 5);
        }
        // The grid grey; the crosses red with the number they mark black
        // over them, so that it stays readable; the rest black.
        QList<QPointF> blackNumbers;
        for (const auto &call : surface.ofKind(Kind::Text)) {
            if (call.text == kX)
                QVERIFY(call.color != QColor(Qt::black) && call.color.red() > call.color.green());
            else if (call.pointSize == SlipLayout::kGridFontSize && call.color == QColor(Qt::black))
                blackNumbers << call.rect.topLeft();
            else if (call.pointSize != SlipLayout::kGridFontSize)
                QCOMPARE(call.color, QColor(Qt::black));
        }
        QCOMPARE(blackNumbers.size(), surface.textPositions(kX).size());
        for (int block = 1; block <= 6; ++block)
            QVERIFY(contains(blackNumbers, SlipLayout::gridNumberPosition(origin, block, s.bets[block - 1][0])));
        // Official slips stay as they were: no grid, no date.
        RecordingSurface official;
        SlipLayout::print(official, s, SlipLayout::Mode::Official, QPointF(), QDate(2026, 12, 13));
        for (const auto &call : official.ofKind(Kind::Text))
            QVERIFY(call.text == kX || call.text.startsWith(QStringLiteral("Boleto")));
    }

    void damagedRecords()
    {
        // Numbers and a key out of the game's range have no cell.
        SyndicateRecord s = simpleOf(2);
        s.bets[0] = {0, 55, -3, 7, 12, 12};
        RecordingSurface surface;
        QCOMPARE(SlipLayout::print(surface, s, SlipLayout::Mode::Official, QPointF()), 1);
        QCOMPARE(surface.textPositions(kX).size(), 2 + 5);

        // A kind no writer produces prints nothing at all.
        for (const int kind : {0, -1, 25, 100, 107, 32767}) {
            s.kind = std::int16_t(kind);
            RecordingSurface nothing;
            QCOMPARE(SlipLayout::jobFor(s).slipCount, 0);
            QCOMPARE(SlipLayout::print(nothing, s, SlipLayout::Mode::Plain, QPointF()), 0);
            QVERIFY(nothing.calls.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestSlipLayout)
#include "tst_sliplayout.moc"
