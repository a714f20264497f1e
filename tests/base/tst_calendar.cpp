// Calendar texts and the status block's reading of the draw file's age.

#include "base/calendar.h"
#include "core/status.h"
#include "store/oledate.h"
#include "wording/statuswording.h"

#include <QTest>

namespace
{
    const QDate kSunday(2026, 12, 6);
    double ole(QDate d) { return OleDate::fromDate(d); }
}

class TestCalendar : public QObject
{
    Q_OBJECT

private slots:
    void weekdayNames()
    {
        const QStringList week = {QStringLiteral("Domingo"), QStringLiteral("Lunes"), QStringLiteral("Martes"),
                                  QStringLiteral("Miércoles"), QStringLiteral("Jueves"), QStringLiteral("Viernes"),
                                  QStringLiteral("Sábado")};
        for (int i = 0; i < 7; ++i)
            QCOMPARE(diasemana(kSunday.addDays(i)), week[i]);
        QCOMPARE(diasemana(QDate()), QString());
    }

    void longAndShortForms()
    {
        QCOMPARE(longSpanishDate(kSunday), QStringLiteral("Domingo, 6 de diciembre del 2026"));
        QCOMPARE(longSpanishDate(QDate(2005, 9, 4)), QStringLiteral("Domingo, 4 de septiembre del 2005"));
        QCOMPARE(longSpanishDate(QDate(2026, 1, 1)), QStringLiteral("Jueves, 1 de enero del 2026"));
        QCOMPARE(shortSpanishDate(QDate(2026, 2, 1)), QStringLiteral("01/02/2026"));
    }

    void multipleSizes()
    {
        const int numbers[] = {6, 7, 8, 9, 10, 11};
        const int bets[] = {6, 21, 56, 126, 252, 462};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(cuantos(101 + i), numbers[i]);
            QCOMPARE(cuantos(107 + i), bets[i]);
        }
        QCOMPARE(cuantos(100), 0);
        QCOMPARE(cuantos(113), 0);
        QCOMPARE(cuantos(24), 0);
    }

    void drawDaysAndTheDatesDue()
    {
        // Saturdays only in the 2005-2006 season; the real history moves from
        // Sunday 2005-10-16 to Saturday 2005-10-22 and back on 2006-07-09.
        QVERIFY(isDrawDay(QDate(2005, 10, 16)));
        QVERIFY(isDrawDay(QDate(2005, 10, 22)));
        QVERIFY(!isDrawDay(QDate(2005, 10, 23)));
        QVERIFY(isDrawDay(QDate(2006, 7, 1)));
        QVERIFY(!isDrawDay(QDate(2006, 7, 8)));
        QVERIFY(isDrawDay(QDate(2006, 7, 9)));
        QVERIFY(!isDrawDay(QDate(2026, 12, 9)));
        QVERIFY(!isDrawDay(QDate()));

        const std::vector<QDate> season = expectedDrawDates(QDate(2005, 10, 9), QDate(2005, 10, 29));
        QCOMPARE(season, (std::vector<QDate> {QDate(2005, 10, 16), QDate(2005, 10, 22), QDate(2005, 10, 29)}));
        // The bound is inclusive; nothing is due before the next draw day.
        QCOMPARE(expectedDrawDates(QDate(2026, 8, 16), QDate(2026, 8, 23)).size(), std::size_t(1));
        QVERIFY(expectedDrawDates(QDate(2026, 8, 16), QDate(2026, 8, 22)).empty());
        QVERIFY(expectedDrawDates(QDate(), QDate(2026, 8, 22)).empty());
        // A year and a half away: every Sunday, one week apart.
        const std::vector<QDate> due = expectedDrawDates(QDate(2025, 6, 1), QDate(2026, 12, 9));
        QCOMPARE(due.size(), std::size_t(79));
        QCOMPARE(due.back(), QDate(2026, 12, 6));
    }

    void emptyFile()
    {
        const DrawStatus s = describeDrawStatus(0, 0, QDate(2026, 12, 8));
        QCOMPARE(Wording::lastUpdateText(s), QStringLiteral("Fichero de datos vacío."));
        QVERIFY(!s.historyEnabled);
        QVERIFY(!s.scrollEnabled);
        QVERIFY(s.missingWarning);
        QCOMPARE(Wording::missingDrawsText(s), QStringLiteral("No se ha actualizado nunca"));
        QCOMPARE(s.missingDrawCount, qint64(0));
        QCOMPARE(s.nextDraw, QDate(2026, 12, 13));
        QCOMPARE(Wording::nextDrawText(s), QStringLiteral("Domingo, 13 de diciembre del 2026"));
        // On a Sunday the next draw is that very day.
        QCOMPARE(Wording::nextDrawText(describeDrawStatus(0, 0, kSunday)), QStringLiteral("Domingo, 6 de diciembre del 2026"));
    }

    void ageOfNewestDraw_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<bool>("warning");
        QTest::addColumn<QString>("missing");
        QTest::addColumn<int>("count");
        QTest::newRow("same day") << 0 << false << QString() << 0;
        QTest::newRow("7 days") << 7 << false << QString() << 0;
        QTest::newRow("8 days") << 8 << true << QStringLiteral("Falta 1 sorteo por actualizar") << 1;
        QTest::newRow("14 days") << 14 << true << QStringLiteral("Falta 1 sorteo por actualizar") << 1;
        QTest::newRow("15 days") << 15 << true << QStringLiteral("Faltan 2 sorteos por actualizar") << 2;
        QTest::newRow("20 days") << 20 << true << QStringLiteral("Faltan 2 sorteos por actualizar") << 2;
        QTest::newRow("21 days") << 21 << true << QStringLiteral("Faltan 3 sorteos por actualizar") << 3;
        QTest::newRow("a year") << 365 << true << QStringLiteral("Faltan 52 sorteos por actualizar") << 52;
        QTest::newRow("future draw") << -3 << false << QString() << 0;
    }

    void ageOfNewestDraw()
    {
        QFETCH(int, days);
        QFETCH(bool, warning);
        QFETCH(QString, missing);
        QFETCH(int, count);
        const DrawStatus s = describeDrawStatus(ole(kSunday), 40, kSunday.addDays(days));
        QCOMPARE(s.missingWarning, warning);
        QCOMPARE(s.missingDrawCount, qint64(count));
        QCOMPARE(Wording::missingDrawsText(s), missing);
        QCOMPARE(s.newestDraw, kSunday);
        QCOMPARE(Wording::lastUpdateText(s), QStringLiteral("Domingo, 6 de diciembre del 2026"));
        QVERIFY(s.historyEnabled);
        QVERIFY(s.scrollEnabled);
        QCOMPARE(s.scrollMaximum, 40);
    }

    void nextDraw()
    {
        // Stored last Sunday, today Sunday: the draw is today.
        QCOMPARE(nextDrawDate(kSunday, kSunday.addDays(7)), kSunday.addDays(7));
        // Stored today: the next one is a week later.
        QCOMPARE(nextDrawDate(kSunday, kSunday), kSunday.addDays(7));
        // Midweek: the coming Sunday.
        QCOMPARE(nextDrawDate(kSunday, kSunday.addDays(3)), kSunday.addDays(7));
        QCOMPARE(nextDrawDate(kSunday, kSunday.addDays(6)), kSunday.addDays(7));
    }

    void damagedNewestDate()
    {
        const DrawStatus s = describeDrawStatus(std::nan(""), 3, kSunday);
        QCOMPARE(Wording::missingDrawsText(s), QStringLiteral("No se ha actualizado nunca"));
        QVERIFY(s.missingWarning);
        QCOMPARE(Wording::nextDrawText(s), QStringLiteral("Domingo, 6 de diciembre del 2026"));
    }
};

QTEST_GUILESS_MAIN(TestCalendar)
#include "tst_calendar.moc"
