// The printer offsets of nums.ini as the printing window edits them, on a
// real session in a scratch directory.

#include "base/clock.h"
#include "core/session.h"
#include "print/calibrationeditor.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"

#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace
{
    const QDate kToday(2026, 3, 1);

    QByteArray record(const QString &dir)
    {
        return Fixtures::readFile(dir + QStringLiteral("/nums.ini"));
    }

    // A record with reserved fields no writer of ours produces.
    QByteArray foreignRecord(float x, float y)
    {
        PrintCalibration c;
        c.reservedHead = 0x1234;
        c.offsetX = x;
        c.offsetY = y;
        c.reservedTail = -2;
        return c.toBytes();
    }
}

class TestCalibration : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<float>("value");
        QTest::newRow("decimal comma") << "12,5" << true << 12.5f;
        QTest::newRow("negative") << "-3" << true << -3.0f;
        QTest::newRow("negative fraction") << "-0,25" << true << -0.25f;
        QTest::newRow("zero") << "0" << true << 0.0f;
        QTest::newRow("point as thousands") << "12.500" << false << 0.0f;
        QTest::newRow("decimal point") << "1.5" << false << 0.0f;
        QTest::newRow("lone minus") << "-" << false << 0.0f;
        QTest::newRow("lone comma") << "," << false << 0.0f;
        QTest::newRow("letter") << "3a" << false << 0.0f;
        QTest::newRow("empty") << "" << false << 0.0f;
        QTest::newRow("infinity") << "inf" << false << 0.0f;
        QTest::newRow("not a number") << "nan" << false << 0.0f;
        QTest::newRow("beyond single precision") << "1e40" << false << 0.0f;
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(float, value);
        const std::optional<float> parsed = CalibrationEditor::parse(text);
        QCOMPARE(parsed.has_value(), ok);
        if (ok)
            QCOMPARE(*parsed, value);
    }

    void format_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0f << "0";
        QTest::newRow("half") << 2.5f << "2,5";
        QTest::newRow("single precision noise") << 12.3f << "12,3";
        QTest::newRow("no thousands point") << 12500.0f << "12500";
        QTest::newRow("negative") << -0.25f << "-0,25";
    }
    void format()
    {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(CalibrationEditor::format(value), text);
        QCOMPARE(CalibrationEditor::parse(text), std::optional<float>(value));
    }

    void freshInstallationAndReopening()
    {
        QTemporaryDir dir;
        FixedClock clock(kToday);
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(dir.path()));
        CalibrationEditor editor(session.calibrationFile());
        editor.load();
        QCOMPARE(editor.text(CalibrationEditor::X), QStringLiteral("0"));
        QCOMPARE(editor.text(CalibrationEditor::Y), QStringLiteral("0"));
        QCOMPARE(editor.offsets(), QPointF(0, 0));

        QVERIFY(!editor.change(CalibrationEditor::X, QStringLiteral("2,5")));
        // Bytes 2 to 5: 2.5 as a little-endian single, at once.
        QCOMPARE(record(dir.path()), QByteArray::fromHex("000000002040000000000000"));
        QCOMPARE(editor.offsets(), QPointF(2.5, 0));

        CalibrationEditor reopened(session.calibrationFile());
        reopened.load();
        QCOMPARE(reopened.text(CalibrationEditor::X), QStringLiteral("2,5"));

        // Deleting the text keeps 2.5 and points the blank box out on leaving.
        QVERIFY(!reopened.change(CalibrationEditor::X, QString()));
        QCOMPARE(record(dir.path()), QByteArray::fromHex("000000002040000000000000"));
        QCOMPARE(reopened.offsets(), QPointF(2.5, 0));
        QVERIFY(prompter.boxes.isEmpty());
        QVERIFY(CalibrationEditor::leftBlank(QString()));
        QCOMPARE(record(dir.path()), QByteArray::fromHex("000000002040000000000000"));
        QVERIFY(!CalibrationEditor::leftBlank(QStringLiteral("0")));
    }

    void textThatIsNoNumberIsReplaced()
    {
        QTemporaryDir dir;
        QVERIFY(Fixtures::writeFile(dir.filePath(QStringLiteral("nums.ini")), foreignRecord(1.5f, 3.0f)));
        FixedClock clock(kToday);
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(dir.path()));
        CalibrationEditor editor(session.calibrationFile());
        editor.load();
        QCOMPARE(editor.text(CalibrationEditor::Y), QStringLiteral("3"));
        for (const QString &text : {QStringLiteral("3a"), QStringLiteral("-"), QStringLiteral("12.500")}) {
            QVERIFY(editor.change(CalibrationEditor::Y, text));
            QCOMPARE(editor.text(CalibrationEditor::Y), QStringLiteral("3"));
            QCOMPARE(editor.text(CalibrationEditor::X), QStringLiteral("1,5"));
        }
        QCOMPARE(record(dir.path()), foreignRecord(1.5f, 3.0f));
        QVERIFY(prompter.boxes.isEmpty());
    }

    // The reserved fields go back as they were read, whatever is edited.
    void reservedBytesKept()
    {
        QTemporaryDir dir;
        QVERIFY(Fixtures::writeFile(dir.filePath(QStringLiteral("nums.ini")), foreignRecord(0, 0)));
        FixedClock clock(kToday);
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(dir.path()));
        CalibrationEditor editor(session.calibrationFile());
        editor.load();
        const QList<QPair<CalibrationEditor::Box, QString>> edits = {
            {CalibrationEditor::X, QStringLiteral("1")},
            {CalibrationEditor::X, QStringLiteral("1,")},
            {CalibrationEditor::X, QStringLiteral("1,7")},
            {CalibrationEditor::Y, QStringLiteral("-")},
            {CalibrationEditor::Y, QStringLiteral("-4,25")},
            {CalibrationEditor::Y, QString()},
            {CalibrationEditor::X, QStringLiteral("x")},
        };
        for (const auto &[box, text] : edits) {
            editor.change(box, text);
            const QByteArray bytes = record(dir.path());
            QCOMPARE(bytes.size(), 12);
            QCOMPARE(bytes.left(2), QByteArray::fromHex("3412"));
            QCOMPARE(bytes.right(2), QByteArray::fromHex("feff"));
        }
        QCOMPARE(record(dir.path()), foreignRecord(1.7f, -4.25f));
    }

    void unusableStoredValuesMoveNothing()
    {
        QTemporaryDir dir;
        QVERIFY(Fixtures::writeFile(dir.filePath(QStringLiteral("nums.ini")),
                                    foreignRecord(std::numeric_limits<float>::quiet_NaN(),
                                                  std::numeric_limits<float>::infinity())));
        FixedClock clock(kToday);
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(dir.path()));
        CalibrationEditor editor(session.calibrationFile());
        editor.load();
        QCOMPARE(editor.offsets(), QPointF(0, 0));
        QCOMPARE(editor.text(CalibrationEditor::X), QStringLiteral("0"));
    }

    void failedWriteKeepsTheValueForPrinting()
    {
        QTemporaryDir dir;
        FixedClock clock(kToday);
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(dir.path()));
        CalibrationEditor editor(session.calibrationFile());
        editor.load();
        session.calibrationFile().close();
        QVERIFY(!editor.change(CalibrationEditor::Y, QStringLiteral("7,5")));
        QVERIFY(!editor.lastWriteSucceeded());
        QCOMPARE(editor.offsets(), QPointF(0, 7.5));
        QCOMPARE(record(dir.path()), QByteArray(12, '\0'));
    }
};

QTEST_GUILESS_MAIN(TestCalibration)
#include "tst_calibration.moc"
