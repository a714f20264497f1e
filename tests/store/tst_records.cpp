// The byte layout of the three data files, checked against golden bytes
// written from the record tables, and the record file's end-of-file rules.

#include "store/cp1252.h"
#include "store/drawrecord.h"
#include "store/oledate.h"
#include "store/printcalibration.h"
#include "store/recordfile.h"
#include "store/syndicaterecord.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace
{
    QByteArray hex(const char *text)
    {
        return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
    }

    void le16(QByteArray &out, int value)
    {
        out.append(char(value & 0xFF));
        out.append(char((value >> 8) & 0xFF));
    }

    // A bet table of 24 x 12 slots from rows of numbers, key after bet 1.
    QByteArray betTable(const std::vector<std::vector<int>> &rows, int key)
    {
        QByteArray out;
        for (std::size_t b = 0; b < 24; ++b) {
            std::vector<int> cells(12, 0);
            if (b < rows.size()) {
                for (std::size_t s = 0; s < rows[b].size(); ++s)
                    cells[s] = rows[b][s];
                if (b == 0)
                    cells[rows[0].size()] = key;
            }
            for (int v : cells)
                le16(out, v);
        }
        return out;
    }
}

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void drawRecordBytes()
    {
        DrawRecord draw;
        draw.numbers = {3, 12, 25, 33, 48};
        draw.clave = 7;
        draw.date = 46362; // Sunday 6 December 2026
        const QByteArray golden = hex("0300 0c00 1900 2100 3000 0700 0000 0000 0000000040a3e640");
        QCOMPARE(golden.size(), DrawRecord::kSize);
        QCOMPARE(draw.toBytes(), golden);
        QCOMPARE(DrawRecord::fromBytes(golden), draw);
        QCOMPARE(draw.qdate(), QDate(2026, 12, 6));

        // The reserved words are read and written back as found.
        QByteArray withReserved = golden;
        withReserved[12] = char(0x34);
        withReserved[15] = char(0x12);
        QCOMPARE(DrawRecord::fromBytes(withReserved).toBytes(), withReserved);
        // A short buffer is a zeroed record, never a read past its end.
        QCOMPARE(DrawRecord::fromBytes(golden.left(23)), DrawRecord {});
    }

    void simpleSyndicateOf24Bets()
    {
        SyndicateRecord s;
        s.setName(QStringLiteral("PEÑA DEL BAR ÁLVARO"));
        s.kind = 24;
        std::vector<std::vector<int>> rows;
        for (int b = 1; b <= 24; ++b) {
            rows.push_back({b, b + 5, b + 10, b + 20, b + 30});
            for (int i = 0; i < 5; ++i)
                s.bets[std::size_t(b - 1)][std::size_t(i)] = std::int16_t(rows.back()[std::size_t(i)]);
        }
        s.bets[0][5] = 7;
        s.prizeCounts = {1, 0, 2, 0, 0, 0, 0, 300};
        s.setDrawDay(QStringLiteral("Domingo"));
        s.createdOn = 45662; // 5 January 2025
        s.lastCountedDate = 46362; // 6 December 2026

        QByteArray golden = hex("50 45 D1 41 20 44 45 4C 20 42 41 52 20 C1 4C 56 41 52 4F 20");
        golden += betTable(rows, 7);
        golden += hex("0100 0000 0200 0000 0000 0000 0000 2c01");
        golden += hex("44 6f 6d 69 6e 67 6f 20 20 20 20 20 20 20 20");
        golden += hex("1800");
        golden += hex("00000000c04be640");
        golden += hex("0000000040a3e640");
        QCOMPARE(golden.size(), SyndicateRecord::kSize);
        QCOMPARE(s.toBytes(), golden);

        const SyndicateRecord back = SyndicateRecord::fromBytes(golden);
        QCOMPARE(back, s);
        QCOMPARE(back.name(), QStringLiteral("PEÑA DEL BAR ÁLVARO"));
        QCOMPARE(back.rawName(), QStringLiteral("PEÑA DEL BAR ÁLVARO "));
        QCOMPARE(back.drawDay(), QStringLiteral("Domingo"));
        QCOMPARE(back.key(), 7);
        QCOMPARE(back.storedBets(), 24);
        QCOMPARE(back.betNumbers(24)[4], std::int16_t(54));
        // Slot 6 of any other bet is not the key.
        QCOMPARE(back.bets[1][5], std::int16_t(0));
    }

    void multipleOf11Numbers()
    {
        SyndicateRecord s;
        s.setName(QStringLiteral("MULTIPLE"));
        s.kind = 106;
        const std::vector<int> numbers = {2, 5, 9, 14, 20, 27, 31, 38, 44, 50, 54};
        for (std::size_t i = 0; i < numbers.size(); ++i)
            s.bets[0][i] = std::int16_t(numbers[i]);
        s.bets[0][11] = 9;
        s.setDrawDay(QStringLiteral("Domingo"));
        s.createdOn = 46362;

        QByteArray golden = hex("4d 55 4c 54 49 50 4c 45 20 20 20 20 20 20 20 20 20 20 20 20");
        golden += betTable({numbers}, 9);
        golden += QByteArray(16, '\0');
        golden += hex("44 6f 6d 69 6e 67 6f 20 20 20 20 20 20 20 20");
        golden += hex("6a00");
        golden += hex("0000000040a3e640");
        golden += QByteArray(8, '\0');
        QCOMPARE(s.toBytes(), golden);

        const SyndicateRecord back = SyndicateRecord::fromBytes(golden);
        QCOMPARE(back.numbersPerBet(), 11);
        QCOMPARE(back.storedBets(), 1);
        QCOMPARE(back.key(), 9);
        QCOMPARE(int(back.betNumbers(1).size()), 11);
    }

    void nameIsCutAndPadded()
    {
        SyndicateRecord s;
        s.setName(QStringLiteral("ABCDEFGHIJKLMNOPQRSTU")); // 21 characters
        QCOMPARE(QByteArray(s.nameBytes.data(), 20), QByteArray("ABCDEFGHIJKLMNOPQRST"));
        s.setName(QStringLiteral("ÑOÑO"));
        QCOMPARE(QByteArray(s.nameBytes.data(), 20), hex("D1 4F D1 4F") + QByteArray(16, ' '));
        QCOMPARE(s.name(), QStringLiteral("ÑOÑO"));
    }

    void codePage1252()
    {
        // The range where cp1252 is not Latin-1.
        QCOMPARE(Cp1252::encode(u"€Œ™‰"), hex("80 8C 99 89"));
        QCOMPARE(Cp1252::decode(hex("80 8C 99 89 9F")), QStringLiteral("€Œ™‰Ÿ"));
        QCOMPARE(Cp1252::encode(u"ñÑáéíóúü¿¡"), hex("F1 D1 E1 E9 ED F3 FA FC BF A1"));
        // Undefined bytes survive a round trip.
        const QByteArray undefined = hex("81 8D 8F 90 9D");
        QCOMPARE(Cp1252::encode(Cp1252::decode(undefined)), undefined);
        // Characters outside the code page, one '?' each (a surrogate pair is one).
        QCOMPARE(Cp1252::encode(u"中a😀"), QByteArray("?a?"));
        QCOMPARE(Cp1252::encodeField(u"AB", 4), QByteArray("AB  "));
    }

    void calibrationRecord()
    {
        PrintCalibration c;
        c.reservedHead = 0x0102;
        c.offsetX = 1.5f;
        c.offsetY = -2.25f;
        c.reservedTail = -1;
        const QByteArray golden = hex("0201 0000c03f 000010c0 ffff");
        QCOMPARE(c.toBytes(), golden);
        QCOMPARE(PrintCalibration::fromBytes(golden), c);
        QCOMPARE(PrintCalibration::fromBytes(golden.left(11)), PrintCalibration {});
    }

    void oleDates()
    {
        QCOMPARE(OleDate::toDate(0), QDate(1899, 12, 30));
        QCOMPARE(OleDate::fromDate(QDate(2024, 2, 29)), 45351.0);
        QCOMPARE(OleDate::toDate(45351.75), QDate(2024, 2, 29)); // a time of day is dropped
        QCOMPARE(OleDate::toDate(-1), QDate(1899, 12, 29));
        QVERIFY(!OleDate::toDate(std::nan("")).isValid());
        QVERIFY(!OleDate::toDate(1e300).isValid());
        QVERIFY(!OleDate::toDate(-1e9).isValid());
    }

    void recordFileEnds()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("r.dat"));
        TypedRecordFile<DrawRecord> file;
        QVERIFY(file.open(path));
        QVERIFY(QFile::exists(path)); // a missing file is created empty

        QByteArray buffer("junk");
        QVERIFY(!file.read(1, buffer));
        QVERIFY(file.atEnd());
        QCOMPARE(buffer, QByteArray(24, '\0'));

        DrawRecord a;
        a.numbers = {1, 2, 3, 4, 5};
        a.date = 100;
        DrawRecord b = a;
        b.clave = 9;
        QVERIFY(file.put(1, a));
        QVERIFY(file.put(2, b));
        // Written through at once: another reader sees both records now.
        QFile other(path);
        QVERIFY(other.open(QIODevice::ReadOnly));
        QCOMPARE(other.readAll(), a.toBytes() + b.toBytes());

        QCOMPARE(file.get(2), b);
        QVERIFY(!file.atEnd());
        QCOMPARE(file.get(3), DrawRecord {});
        QVERIFY(file.atEnd());
        QCOMPARE(file.count(), 2);
        QVERIFY(!file.read(0, buffer));
    }

    void partialTailIsNotARecord()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s.dat"));
        SyndicateRecord s;
        s.setName(QStringLiteral("UNO"));
        s.kind = 1;
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(s.toBytes() + QByteArray(100, 'x'));
        }
        TypedRecordFile<SyndicateRecord> file;
        QVERIFY(file.open(path));
        QCOMPARE(file.count(), 1);
        QVERIFY(file.hasPartialTail());
        QCOMPARE(file.get(1).name(), QStringLiteral("UNO"));
        QCOMPARE(file.get(2), SyndicateRecord {});
        QVERIFY(file.atEnd());
        QCOMPARE(file.readAllRecords(), s.toBytes());
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
