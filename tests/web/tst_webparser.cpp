// The page reader, the results page scanner with its storage, the draw page
// scanner and the address rules, over fixture pages and their broken forms.

#include "base/calendar.h"
#include "core/status.h"
#include "store/oledate.h"
#include "support/fixtures.h"
#include "support/searchpages.h"
#include "web/news.h"
#include "web/operatorsite.h"
#include "web/pagereader.h"
#include "web/prizereport.h"
#include "web/resultsparser.h"
#include "wording/outcomewording.h"
#include "wording/prizereportwording.h"
#include "wording/statuswording.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

Q_DECLARE_METATYPE(std::vector<DrawRecord>)

namespace
{
    using Stop = ResultsPageScan::Stop;
    const QDate kDec6(2026, 12, 6);
    const QDate kToday(2026, 12, 9);

    const QString kNoNew = QStringLiteral("Todavía no hay sorteos nuevos.");
    const QString kCorrupt = QStringLiteral(
        "¡¡Datos corruptos o inválidos!! Si se repite en otros momentos este mismo error, posiblemente se ha "
        "de actualizar el programa. Pruebe más tarde.");
    const QString kPartial = QStringLiteral("Aun no hay datos de sorteos del 2026.");

    DrawRecord draw(QDate date, std::initializer_list<int> numbers, int key)
    {
        return Fixtures::draw(date, numbers, key);
    }

    // The seven draws of busqueda.html, oldest first, as they must be stored.
    std::vector<DrawRecord> listedDraws()
    {
        return {
            draw({2026, 10, 25}, {4, 13, 29, 35, 47}, 1),
            draw({2026, 11, 1}, {8, 16, 25, 41, 53}, 7),
            draw({2026, 11, 8}, {5, 11, 20, 38, 49}, 2),
            draw({2026, 11, 15}, {1, 18, 27, 30, 44}, 5),
            draw({2026, 11, 22}, {9, 14, 22, 36, 54}, 9),
            draw({2026, 11, 29}, {3, 12, 28, 40, 45}, 0),
            draw(kDec6, {2, 7, 19, 33, 51}, 4),
        };
    }

    std::vector<DrawRecord> slice(const std::vector<DrawRecord> &all, int from, int count)
    {
        return {all.begin() + from, all.begin() + from + count};
    }

    // A search page listing the draws in the order given.
    QByteArray pageOf(const std::vector<DrawRecord> &listed)
    {
        std::vector<SearchPages::Entry> entries;
        for (const DrawRecord &d : listed) {
            entries.push_back(SearchPages::entry(d.qdate(), {d.numbers[0], d.numbers[1], d.numbers[2], d.numbers[3], d.numbers[4]},
                                                 d.clave));
        }
        return SearchPages::build(entries);
    }

    std::vector<DrawRecord> newestFirst(std::vector<DrawRecord> draws)
    {
        std::reverse(draws.begin(), draws.end());
        return draws;
    }

    QByteArray withNewestNumbers(const QByteArray &numbers, const QByteArray &key = "4")
    {
        QByteArray page = SearchPages::fixture("busqueda.html");
        const qsizetype block = page.indexOf("<div class=\"combi\">");
        const qsizetype end = page.indexOf("</ul>", block);
        QByteArray items;
        for (const QByteArray &n : numbers.split(','))
            items += "      <li> " + n + "</li>\n";
        items += "      <li class=\"clave q\"\">" + key + "</li>\n    ";
        const qsizetype from = page.indexOf("      <li> ", block);
        page.replace(from, end - from, items);
        return page;
    }
}

class TestWebParser : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString drawPath() const { return m_dir->filePath(QStringLiteral("numeros.dat")); }

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    // --- the page reader --------------------------------------------------------

    void busca_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<qsizetype>("from");
        QTest::addColumn<QByteArray>("marker");
        QTest::addColumn<QByteArray>("terminator");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("text2");
        QTest::addColumn<qsizetype>("position");
        QTest::addColumn<bool>("endOfData");

        QTest::newRow("found") << QByteArray("abcMARKxyz;rest") << qsizetype(1) << QByteArray("mark")
                               << QByteArray(";") << true << QByteArray("xyz") << QByteArray("xyz") << qsizetype(12) << false;
        QTest::newRow("marker any case") << QByteArray("..mArK=1;.") << qsizetype(1) << QByteArray("MARK")
                                         << QByteArray(";") << true << QByteArray("=1") << QByteArray("=1") << qsizetype(10) << false;
        QTest::newRow("from the position") << QByteArray("k1;k2;.") << qsizetype(2) << QByteArray("k")
                                           << QByteArray(";") << true << QByteArray("2") << QByteArray("2") << qsizetype(7) << false;
        QTest::newRow("upper-case terminator") << QByteArray("\"/a/b.PDF\"") << qsizetype(1) << QByteArray("\"")
                                               << QByteArray(".pdf") << true << QByteArray("/a/b") << QByteArray("/a/b") << qsizetype(7) << false;
        QTest::newRow("mixed-case terminator is no terminator")
            << QByteArray("\"/a.Pdf and more text\"") << qsizetype(1) << QByteArray("\"") << QByteArray(".pdf")
            << false << QByteArray() << QByteArray() << qsizetype(0) << false;
        QTest::newRow("upper-case terminator stays exact") << QByteArray("<td>12,5 s S;</td>") << qsizetype(1)
                                                           << QByteArray("<td>") << QByteArray("S") << true
                                                           << QByteArray("12,5 s ") << QByteArray("12,5 s ") << qsizetype(13) << false;
        QTest::newRow("last byte never read as terminator") << QByteArray("<td>12;") << qsizetype(1) << QByteArray("<td>")
                                                            << QByteArray(";") << true << QByteArray("1")
                                                            << QByteArray() << qsizetype(7) << false;
        QTest::newRow("marker ending the page is not found") << QByteArray("abcMARK") << qsizetype(1) << QByteArray("mark")
                                                             << QByteArray(";") << true << QByteArray() << QByteArray() << qsizetype(5) << true;
        QTest::newRow("missing marker") << QByteArray("no marker here at all") << qsizetype(1) << QByteArray("combi")
                                        << QByteArray("<") << true << QByteArray() << QByteArray() << qsizetype(18) << true;
        QTest::newRow("collection runs to the end") << QByteArray("abcMARKxyz") << qsizetype(1) << QByteArray("mark")
                                                    << QByteArray(";") << true << QByteArray("x") << QByteArray() << qsizetype(10) << false;
        QTest::newRow("one byte after the marker") << QByteArray("abcMARKx") << qsizetype(1) << QByteArray("mark")
                                                   << QByteArray(";") << false << QByteArray() << QByteArray() << qsizetype(0) << false;
        QTest::newRow("window past the end") << QByteArray("abcdef") << qsizetype(4) << QByteArray("mark")
                                             << QByteArray(";") << false << QByteArray() << QByteArray() << qsizetype(0) << false;
        QTest::newRow("empty page") << QByteArray() << qsizetype(1) << QByteArray("-- while") << QByteArray("-")
                                    << false << QByteArray() << QByteArray() << qsizetype(0) << false;
    }

    void busca()
    {
        QFETCH(QByteArray, page);
        QFETCH(qsizetype, from);
        QFETCH(QByteArray, marker);
        QFETCH(QByteArray, terminator);
        QFETCH(bool, readable);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, text2);
        QFETCH(qsizetype, position);
        QFETCH(bool, endOfData);

        PageReader reader(page);
        reader.setPosition(from);
        const auto got = reader.busca(marker, terminator);
        QCOMPARE(got.has_value(), readable);
        if (!readable)
            return;
        QCOMPARE(*got, text);
        QCOMPARE(reader.position(), position);
        QCOMPARE(reader.endOfData(), endOfData);

        PageReader second(page);
        second.setPosition(from);
        QCOMPARE(second.busca2(marker, terminator).value_or("<none>"), text2);
        QCOMPARE(second.position(), position);
    }

    void raros_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("kept");
        QTest::newRow("amount") << QByteArray("3.565,21") << QStringLiteral("3.565,21");
        QTest::newRow("blanks") << QByteArray("  412,80 ") << QStringLiteral("412,80");
        QTest::newRow("bounds") << QByteArray("! z{|}~\x7f\x80\xe1\t\n") << QStringLiteral("!z");
        QTest::newRow("euro and nbsp in cp1252") << QByteArray("1.234.567,89\xa0\x80") << QStringLiteral("1.234.567,89");
        QTest::newRow("empty") << QByteArray() << QString();
    }

    void raros()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, kept);
        QCOMPARE(::raros(text), kept);
    }

    // --- numbers, months, sorting ----------------------------------------------

    void monthTable()
    {
        QCOMPARE(monthNumber("enero"), 1);
        QCOMPARE(monthNumber("Septiembre"), 9);
        QCOMPARE(monthNumber("DICIEMBRE"), 12);
        QCOMPARE(monthNumber("May"), 5);
        QCOMPARE(monthNumber("august"), 8);
        QCOMPARE(monthNumber("setiembre"), 0);
        QCOMPARE(monthNumber(""), 0);
        QCOMPARE(monthNumber("enero "), 0);
    }

    void leadingNumber_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("value"); // -1: too large
        QTest::newRow("plain") << QByteArray("19") << 19;
        QTest::newRow("leading zero") << QByteArray("07") << 7;
        QTest::newRow("leading blank") << QByteArray(" 7") << 7;
        QTest::newRow("trailing letter") << QByteArray("7a") << 7;
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("letters only") << QByteArray("x7") << 0;
        QTest::newRow("inner blank skipped") << QByteArray("1 2") << 12;
        QTest::newRow("16-bit limit") << QByteArray("32767") << 32767;
        QTest::newRow("too large") << QByteArray("99999") << -1;
        QTest::newRow("huge") << QByteArray("999999999999999999999999") << -1;
    }

    void leadingNumber()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, value);
        const auto got = ::leadingNumber(text);
        QCOMPARE(got.has_value(), value >= 0);
        if (got)
            QCOMPARE(int(*got), value);
    }

    void sortDrawNumbers()
    {
        DrawRecord d = draw(kDec6, {33, 7, 51, 2, 19}, 4);
        QVERIFY(::sortDrawNumbers(d));
        QCOMPARE(d.numbers, (std::array<std::int16_t, 5> {2, 7, 19, 33, 51}));
        QCOMPARE(d.clave, std::int16_t(4));

        DrawRecord repeated = draw(kDec6, {9, 3, 9, 1, 2}, 0);
        QVERIFY(::sortDrawNumbers(repeated));
        QCOMPARE(repeated.numbers, (std::array<std::int16_t, 5> {1, 2, 3, 9, 2})); // four slots written

        DrawRecord outside = draw(kDec6, {55, 3, 9, 1, 2}, 0);
        QVERIFY(!::sortDrawNumbers(outside));
        QCOMPARE(outside.numbers, (std::array<std::int16_t, 5> {55, 3, 9, 1, 2}));
    }

    // --- the search page ----------------------------------------------------------

    void scanAgainstNewestStored_data()
    {
        QTest::addColumn<double>("newest");
        QTest::addColumn<int>("firstNew"); // index into listedDraws
        QTest::addColumn<QString>("path");
        const auto all = listedDraws();
        QTest::newRow("empty file takes every draw") << 0.0 << 0 << QStringLiteral("2026/986001049");
        QTest::newRow("three new") << all[3].date << 4 << QStringLiteral("2026/986001049");
        QTest::newRow("up to date keeps the path") << all[6].date << 7 << QStringLiteral("2026/986001049");
        QTest::newRow("stored draw newer than the page") << OleDate::fromDate({2026, 12, 13}) << 7 << QString();
    }

    void scanAgainstNewestStored()
    {
        QFETCH(double, newest);
        QFETCH(int, firstNew);
        QFETCH(QString, path);
        const auto scan = scanResultsPage(SearchPages::fixture("busqueda.html"), newest, kToday);
        const auto all = listedDraws();
        QCOMPARE(scan.stop, Stop::None);
        QCOMPARE(scan.draws, slice(all, firstNew, 7 - firstNew));
        QCOMPARE(int(scan.newDates.size()), 7 - firstNew);
        if (!scan.newDates.empty())
            QCOMPARE(scan.newDates.front(), kDec6);
        QCOMPARE(scan.drawPagePath, path);
        QVERIFY(!scan.endOfData);
    }

    void storesOldestFirstAfterTheStoredDraws()
    {
        const auto all = listedDraws();
        const auto before = slice(all, 0, 4);
        QVERIFY(Fixtures::writeFile(drawPath(), Fixtures::bytesOf(before)));
        TypedRecordFile<DrawRecord> file;
        QVERIFY(file.open(drawPath()));
        const auto result = parseResultsPage(SearchPages::fixture("busqueda.html"), file, kToday, QStringLiteral("x@y"));
        file.close();
        QCOMPARE(result.storedDraws, 3);
        QCOMPARE(result.newDrawCount, 3);
        QCOMPARE(result.notice.cause, Outcome::Cause::None);
        QVERIFY(result.runStatusScan);
        QVERIFY(!result.parseFailed && !result.dataError);
        QCOMPARE(Fixtures::readFile(drawPath()), Fixtures::bytesOf(all));
        QCOMPARE(Wording::storedDrawsText(1), QStringLiteral("1 sorteo"));
        QCOMPARE(Wording::storedDrawsText(3), QStringLiteral("3 sorteos"));
    }

    // Every broken page says why, and the draw file only ever gains whole,
    // valid draws older than the first one that could not be taken.
    void badInput_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<std::vector<DrawRecord>>("stored"); // appended after the four stored draws
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("parseFailed");

        const QByteArray page = SearchPages::fixture("busqueda.html");
        const auto all = listedDraws();
        const auto three = slice(all, 4, 3);
        const auto olderTwo = slice(all, 4, 2);
        const QString corruptTitle = QStringLiteral("Error crítico");
        const QString partialTitle = QStringLiteral("Pruebe mas tarde");
        const std::vector<DrawRecord> none;

        QTest::newRow("empty page") << QByteArray() << none << corruptTitle << kCorrupt << true;
        const qsizetype third = page.indexOf("combi", page.indexOf("combi", page.indexOf("combi") + 1) + 1);
        QTest::newRow("cut in a number block") << page.left(page.indexOf("<li> ", third) + 8) << none
                                               << corruptTitle << kCorrupt << true;
        QTest::newRow("headings without number blocks") << QByteArray(page).replace("combi", "bolas") << none
                                                        << corruptTitle << kCorrupt << true;
        const qsizetype thirdKey = page.indexOf("q\"\">", page.indexOf("q\"\">", page.indexOf("q\"\">") + 1) + 1);
        QTest::newRow("block without its key") << QByteArray(page).replace(thirdKey, 4, "q\">") << none << corruptTitle
                                               << kCorrupt << true;
        const qsizetype secondBlock = page.indexOf("combi", page.indexOf("combi") + 1);
        QTest::newRow("block short of a number")
            << QByteArray(page).remove(page.indexOf("<li> ", secondBlock), 5) << none << corruptTitle << kCorrupt << true;

        auto english = three;
        QTest::newRow("month in English") << QByteArray(page).replace("6 de diciembre", "6 de December") << three
                                          << QString() << QString() << false;
        QTest::newRow("impossible date") << QByteArray(page).replace("6 de diciembre", "31 de febrero") << none
                                         << corruptTitle << kCorrupt << true;
        QTest::newRow("unknown month on the first heading") << QByteArray(page).replace("6 de diciembre", "6 de dicbre")
                                                            << none << corruptTitle << kCorrupt << true;
        QTest::newRow("unknown month takes the previous one")
            << QByteArray(page).replace("22 de noviembre", "22 de nov.") << three << QString() << QString() << false;
        QTest::newRow("heading on a weekday")
            << QByteArray(page).replace("29 de noviembre", "1 de dic.") << none << corruptTitle << kCorrupt << true;
        QTest::newRow("heading after today") << QByteArray(page).replace("6 de diciembre", "13 de diciembre") << none
                                             << corruptTitle << kCorrupt << true;
        // A heading the reader cannot recognise must not shift the numbers
        // of the draws below it onto others.
        QTest::newRow("unreadable heading") << QByteArray(page).replace("Gordo del&nbsp;domingo 29", "Gordo&nbsp;del domingo 29")
                                            << none << corruptTitle << kCorrupt << true;
        QTest::newRow("unreadable newest heading")
            << QByteArray(page).replace("Gordo del&nbsp;domingo 6", "Gordo&nbsp;del domingo 6") << none << corruptTitle
            << kCorrupt << true;
        QTest::newRow("stored draw listed above a new one")
            << pageOf({all[6], all[5], all[3], all[4], all[2]}) << three << QString() << QString() << false;
        QTest::newRow("date listed twice")
            << QByteArray(page).replace("29 de noviembre", "6 de diciembre") << none << corruptTitle << kCorrupt << true;

        QTest::newRow("numbers 07") << withNewestNumbers("33,07,51,2,19") << three << QString() << QString() << false;
        QTest::newRow("numbers blank 7") << withNewestNumbers("33, 7,51,2,19") << three << QString() << QString() << false;
        QTest::newRow("numbers 7a") << withNewestNumbers("33,7a,51,2,19") << three << QString() << QString() << false;
        QTest::newRow("empty number: not drawn yet") << withNewestNumbers("33,,51,2,19") << olderTwo
                                                     << QString() << QString() << false;
        QTest::newRow("99999") << withNewestNumbers("33,99999,51,2,19") << olderTwo << partialTitle << kPartial << false;
        QTest::newRow("55") << withNewestNumbers("33,55,51,2,19") << olderTwo << partialTitle << kPartial << false;
        QTest::newRow("repeated number") << withNewestNumbers("33,7,33,2,19") << olderTwo << partialTitle << kPartial << false;
        QTest::newRow("key of 10") << withNewestNumbers("33,7,51,2,19", "10") << olderTwo << partialTitle << kPartial << false;
        QTest::newRow("key of 99999") << withNewestNumbers("33,7,51,2,19", "99999") << olderTwo << partialTitle << kPartial << false;

        // The oldest new draw is bad: nothing newer may be stored over the gap.
        QByteArray oldestBad = page;
        const qsizetype oldestBlock = page.indexOf("<li> 54<");
        oldestBad.replace(oldestBlock, 8, "<li> 0<");
        QTest::newRow("zero in the oldest new draw") << oldestBad << none << QStringLiteral("Pruebe más tarde") << kNoNew << false;
        QByteArray oldestInvalid = page;
        oldestInvalid.replace(oldestBlock, 8, "<li> 77<");
        QTest::newRow("invalid oldest new draw") << oldestInvalid << none << corruptTitle << kCorrupt << true;

        QTest::newRow("no new draws") << pageOf(newestFirst(slice(all, 0, 4))) << none << QStringLiteral("Pruebe más tarde")
                                      << kNoNew << false;
    }

    void badInput()
    {
        QFETCH(QByteArray, page);
        QFETCH(std::vector<DrawRecord>, stored);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(bool, parseFailed);

        auto before = slice(listedDraws(), 0, 4);
        QVERIFY(Fixtures::writeFile(drawPath(), Fixtures::bytesOf(before)));
        TypedRecordFile<DrawRecord> file;
        QVERIFY(file.open(drawPath()));
        const auto result = parseResultsPage(page, file, kToday, QStringLiteral("soporte@x.example"));
        file.close();

        before.insert(before.end(), stored.begin(), stored.end());
        QCOMPARE(Fixtures::readFile(drawPath()), Fixtures::bytesOf(before));
        QCOMPARE(result.storedDraws, int(stored.size()));
        // With nothing new the newest stored draw is checked again.
        QCOMPARE(result.newDrawCount, text == kNoNew ? 1 : int(stored.size()));
        QCOMPARE(result.notice.cause != Outcome::Cause::None, !title.isEmpty());
        if (result.notice.cause != Outcome::Cause::None) {
            const OutcomeBox box = outcomeBox(result.notice);
            QCOMPARE(box.title, title);
            QCOMPARE(box.text, text);
            const auto icon = parseFailed ? Prompter::Icon::Critical : Prompter::Icon::Information;
            QCOMPARE(box.icon, icon);
        }
        QCOMPARE(result.parseFailed, parseFailed);
        QCOMPARE(result.dataError, text == kCorrupt || text == kPartial);
        QCOMPARE(result.runStatusScan, !parseFailed);
        if (parseFailed)
            QCOMPARE(Wording::reportUnreadableText(result.unreadable.value()),
                     QStringLiteral("\nERROR DE INTERPRETACIÓN DE DATOS:\nSi más tarde se conecta "
                                    "y le vuelve a suceder envie un email a: soporte@x.example"));
        else
            QVERIFY(!result.unreadable);
        for (const DrawRecord &d : stored)
            QVERIFY(d.inRange());
    }

    // New draws are stored only when no draw may be missing between them and
    // the newest stored one. The page speaks for the draw days from its
    // oldest listed draw on; one it lists no draw for had none.
    void noHoleInTheHistory_data()
    {
        QTest::addColumn<std::vector<DrawRecord>>("before");
        QTest::addColumn<std::vector<DrawRecord>>("listed"); // newest first
        QTest::addColumn<std::vector<DrawRecord>>("stored");
        QTest::addColumn<QDate>("firstMissing"); // invalid: no gap
        QTest::addColumn<QString>("missing"); // the status warning afterwards

        const auto all = listedDraws();
        const auto upToNov1 = slice(all, 0, 2);
        const std::vector<DrawRecord> none;
        QTest::newRow("page reaches back") << upToNov1 << newestFirst(slice(all, 2, 5)) << slice(all, 2, 5) << QDate()
                                           << QString();
        QTest::newRow("draw day without a draw inside the page")
            << upToNov1 << std::vector<DrawRecord> {all[6], all[5], all[3], all[2]}
            << std::vector<DrawRecord> {all[2], all[3], all[5], all[6]} << QDate() << QString();
        QTest::newRow("page starts after a missing draw day") << upToNov1 << newestFirst(slice(all, 3, 4)) << none
                                                              << QDate(2026, 11, 8)
                                                              << QStringLiteral("Faltan 5 sorteos por actualizar");
        // A fresh install: the shipped history ends in August.
        QTest::newRow("history ending in August")
            << std::vector<DrawRecord> {draw({2026, 8, 30}, {3, 9, 14, 40, 52}, 6)} << newestFirst(all) << none
            << QDate(2026, 9, 6) << QStringLiteral("Faltan 14 sorteos por actualizar");
    }

    void noHoleInTheHistory()
    {
        QFETCH(std::vector<DrawRecord>, before);
        QFETCH(std::vector<DrawRecord>, listed);
        QFETCH(std::vector<DrawRecord>, stored);
        QFETCH(QDate, firstMissing);
        QFETCH(QString, missing);
        QVERIFY(Fixtures::writeFile(drawPath(), Fixtures::bytesOf(before)));
        TypedRecordFile<DrawRecord> file;
        QVERIFY(file.open(drawPath()));
        const auto result = parseResultsPage(pageOf(listed), file, kToday, QString());
        const double newest = file.get(file.count()).date;
        const DrawStatus status = describeDrawStatus(newest, int(file.count()), kToday);
        file.close();

        before.insert(before.end(), stored.begin(), stored.end());
        QCOMPARE(Fixtures::readFile(drawPath()), Fixtures::bytesOf(before));
        QCOMPARE(result.storedDraws, int(stored.size()));
        QCOMPARE(result.historyGap, firstMissing.isValid());
        QCOMPARE(result.scan.firstMissing, firstMissing);
        QCOMPARE(Wording::missingDrawsText(status), missing);
        QVERIFY(!result.parseFailed);
        QVERIFY(result.runStatusScan);
        if (!result.historyGap) {
            QCOMPARE(result.notice.cause, Outcome::Cause::None);
            return;
        }
        QCOMPARE(result.notice.cause, Outcome::Cause::HistoryGap);
        QCOMPARE(result.notice.date, firstMissing);
        const OutcomeBox box = outcomeBox(result.notice);
        QCOMPARE(box.icon, Prompter::Icon::Warning);
        QVERIFY(box.text.contains(shortSpanishDate(firstMissing)));
        QVERIFY(box.text.contains(QStringLiteral("\"Añadir todos los sorteos\"")));
        QCOMPARE(result.newDrawCount, 1);
        QVERIFY(result.dataError);
        // No report of a draw that was not stored.
        QVERIFY(result.scan.drawPagePath.isEmpty());
    }

    // The report is the newest listed draw's, wherever the page lists it.
    void drawPageOfTheNewestListed()
    {
        const auto all = listedDraws();
        const auto scan = scanResultsPage(pageOf({all[3], all[6], all[5], all[4]}), all[3].date, kToday);
        QCOMPARE(scan.stop, Stop::None);
        QCOMPARE(scan.draws, slice(all, 4, 3));
        QCOMPARE(scan.drawPagePath, QStringLiteral("2026/986020261206"));
    }

    void fiftyNewDatesAtMost()
    {
        const auto fifty = SearchPages::weekly(kDec6, 50);
        const auto scan = scanResultsPage(SearchPages::build(fifty), 0, kToday);
        QCOMPARE(scan.stop, Stop::None);
        QCOMPARE(int(scan.draws.size()), 50);
        QCOMPARE(scan.draws.front().qdate(), kDec6.addDays(-7 * 49));
        QCOMPARE(scan.draws.back().qdate(), kDec6);

        const auto scan51 = scanResultsPage(SearchPages::build(SearchPages::weekly(kDec6, 51)), 0, kToday);
        QCOMPARE(scan51.stop, Stop::DataError);
        QVERIFY(scan51.draws.empty());

        // Fifty-one listed, but only fifty of them new.
        const auto scanOld = scanResultsPage(SearchPages::build(SearchPages::weekly(kDec6, 51)),
                                             OleDate::fromDate(kDec6.addDays(-7 * 50)), kToday);
        QCOMPARE(scanOld.stop, Stop::None);
        QCOMPARE(int(scanOld.draws.size()), 50);
    }

    void anchorMargin()
    {
        // The list ends too close to the top: nothing is read.
        const QByteArray page = SearchPages::fixture("busqueda.html");
        const qsizetype list = page.indexOf("<section class=\"listado\">");
        QByteArray early = page;
        early.insert(list, "<!-- while the banner loads -->\n");
        QByteArray shortPage = early.left(list + 40) + early.mid(early.indexOf("<article"));
        // The anchor is now at the top: no heading lies before the margin.
        const auto scan = scanResultsPage(shortPage, 0, kToday);
        QCOMPARE(scan.stop, Stop::None);
        QVERIFY(scan.newDates.empty());
        QVERIFY(scan.drawPagePath.isEmpty());
        // With draws due, a page that lists none cannot pass for "no news".
        const auto due = scanResultsPage(shortPage, OleDate::fromDate(kToday.addDays(-30)), kToday);
        QCOMPARE(due.stop, Stop::HistoryGap);
        QCOMPARE(due.firstMissing, expectedDrawDates(kToday.addDays(-30), kToday).front());

        // Far more than the margin after the last heading: the reader looks
        // for one more heading, runs off the page and gives up.
        QByteArray padded = page;
        padded.insert(page.indexOf("<!-- while"), QByteArray(3200, ' '));
        QCOMPARE(scanResultsPage(padded, 0, kToday).stop, Stop::DataError);
    }

    // The last heading may end exactly 3000 bytes before the anchor's end;
    // one byte more and the reader goes looking for another heading.
    void anchorMarginBoundary_data()
    {
        QTest::addColumn<int>("distance");
        QTest::addColumn<bool>("readable");
        QTest::newRow("3000") << 3000 << true;
        QTest::newRow("3001") << 3001 << false;
    }

    void anchorMarginBoundary()
    {
        QFETCH(int, distance);
        QFETCH(bool, readable);
        QByteArray page = SearchPages::fixture("busqueda.html");
        const qsizetype anchor = page.indexOf("-- while");
        const qsizetype lastYearEnd = page.lastIndexOf("2026</h3>", anchor) + 4; // its "<"
        const qsizetype anchorEnd = page.indexOf('-', anchor + 8); // the "-" that ends it
        page.insert(anchor, QByteArray(distance - (anchorEnd - lastYearEnd), ' '));
        const auto scan = scanResultsPage(page, 0, kToday);
        QCOMPARE(scan.stop, readable ? Stop::None : Stop::DataError);
        QCOMPARE(int(scan.draws.size()), readable ? 7 : 0);
    }

    void unsafeDrawPageLinkIsMissing_data()
    {
        QTest::addColumn<QByteArray>("link");
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << QByteArray("2026/986001049") << QStringLiteral("2026/986001049");
        QTest::newRow("dot segments") << QByteArray("2026/../../admin") << QString();
        QTest::newRow("encoded dot segments") << QByteArray("2026/%2e%2e/admin") << QString();
        QTest::newRow("host") << QByteArray("2026//evil.example/x") << QString();
        QTest::newRow("blank") << QByteArray("2026/98 6") << QString();
        QTest::newRow("query") << QByteArray("2026/9?x=1") << QString();
        QTest::newRow("empty tail") << QByteArray("2026/") << QString();
    }

    void unsafeDrawPageLinkIsMissing()
    {
        QFETCH(QByteArray, link);
        QFETCH(QString, path);
        QByteArray page = SearchPages::fixture("busqueda.html");
        page.replace("2026/986001049", link);
        const auto scan = scanResultsPage(page, 0, kToday);
        QCOMPARE(scan.stop, Stop::None);
        QCOMPARE(int(scan.draws.size()), 7);
        // Never the older draw's page in its place.
        QCOMPARE(scan.drawPagePath, path);
    }

    void failedWriteStoresNothing()
    {
        TypedRecordFile<DrawRecord> closed;
        const auto result = parseResultsPage(SearchPages::fixture("busqueda.html"), closed, kToday, QString());
        QCOMPARE(result.storedDraws, 0);
        QVERIFY(result.parseFailed);
        QCOMPARE(outcomeBox(result.notice).text, kCorrupt);
    }

    // Damaged copies of the fixtures: whatever the damage, only whole,
    // valid, new draws come out, oldest first, and the draw page yields only
    // printable amounts and safe addresses.
    void damagedPagesKeepTheRules()
    {
        QRandomGenerator random(20261206);
        const QByteArray search = SearchPages::fixture("busqueda.html");
        const QByteArray drawPage = SearchPages::fixture("sorteo.html");
        const double newest = OleDate::fromDate({2026, 11, 1});
        for (int round = 0; round < 400; ++round) {
            const QByteArray &original = round % 2 ? search : drawPage;
            QByteArray page = original;
            for (int edits = 1 + random.bounded(4); edits > 0 && !page.isEmpty(); --edits) {
                const qsizetype at = random.bounded(page.size());
                const qsizetype span = std::min<qsizetype>(1 + random.bounded(400), page.size() - at);
                switch (random.bounded(4)) {
                case 0: page.truncate(at); break;
                case 1: page.remove(at, span); break;
                case 2: page.insert(at, page.mid(random.bounded(page.size()), span)); break;
                default: page[at] = char(random.bounded(256)); break;
                }
            }
            const auto scan = scanResultsPage(page, newest, kToday);
            QVERIFY(scan.draws.size() <= 50);
            double previous = newest;
            for (const DrawRecord &d : scan.draws) {
                QVERIFY(d.inRange());
                QVERIFY(d.date > previous);
                QVERIFY(std::is_sorted(d.numbers.begin(), d.numbers.end()));
                QVERIFY(std::adjacent_find(d.numbers.begin(), d.numbers.end()) == d.numbers.end());
                previous = d.date;
            }
            QVERIFY(scan.drawPagePath.isEmpty() || OperatorSite::isSafePathPiece(scan.drawPagePath));

            const auto report = scanDrawPage(page);
            for (const QString &amount : report.amounts) {
                for (QChar c : amount)
                    QVERIFY(c.unicode() >= 33 && c.unicode() <= 122);
            }
            const QUrl document = OperatorSite::reportUrl(report.documentPath, Endpoints {});
            QVERIFY(document.isEmpty() || document.host() == QStringLiteral("www.loteriasyapuestas.es"));
        }
    }

    // --- the draw page ------------------------------------------------------------

    void drawPage()
    {
        const auto report = scanDrawPage(SearchPages::fixture("sorteo.html"));
        const std::array<QString, 8> amounts {
            QStringLiteral("4.512.332,10"),
            QStringLiteral("152.004,55"),
            QStringLiteral("3.565,21"),
            QStringLiteral("412,80"),
            QStringLiteral("70,15"),
            QStringLiteral("15,60"),
            QStringLiteral("5,40"),
            QStringLiteral("1,50"),
        };
        QCOMPARE(report.amounts, amounts);
        QCOMPARE(report.documentPath,
                 QStringLiteral("/f/loterias/documentos/El%20Gordo/2026/ESCRUTINIO_LOTERÍA_ÁMBITO_20261206"));

        Endpoints endpoints;
        QCOMPARE(OperatorSite::reportUrl(report.documentPath, endpoints).toEncoded(),
                 QByteArray("https://www.loteriasyapuestas.es/f/loterias/documentos/El%20Gordo/2026/"
                            "ESCRUTINIO_LOTER%C3%8DA_%C3%81MBITO_20261206.pdf"));
        endpoints.operatorSite = QUrl(QStringLiteral("http://127.0.0.1:8080/ignored"));
        QCOMPARE(OperatorSite::reportUrl(report.documentPath, endpoints).host(), QStringLiteral("127.0.0.1"));
        QCOMPARE(OperatorSite::reportUrl(report.documentPath, endpoints).port(), 8080);
        QCOMPARE(OperatorSite::reportUrl(report.documentPath, endpoints).scheme(), QStringLiteral("http"));
    }

    void shortPrizeTable()
    {
        QByteArray page = SearchPages::fixture("sorteo.html");
        const qsizetype fourth = page.indexOf("<tr><td>4&ordf;");
        page = page.left(fourth) + "</tbody></table></body></html>";
        const auto report = scanDrawPage(page);
        QCOMPARE(report.amounts[2], QStringLiteral("3.565,21"));
        // No row, no amount: never the previous row's.
        for (int i = 3; i < 8; ++i)
            QCOMPARE(report.amounts[std::size_t(i)], QString());
        QVERIFY(report.documentPath.isEmpty());

        const auto empty = scanDrawPage(QByteArray());
        for (const QString &amount : empty.amounts)
            QVERIFY(amount.isEmpty());
        QVERIFY(empty.documentPath.isEmpty());
    }

    void pathRepair_data()
    {
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("repaired");
        QTest::newRow("LOTERÍA") << QStringLiteral("/a/LOTER") + QChar(0xC3) + QChar(0x8D) + QStringLiteral("A_1")
                                 << QStringLiteral("/a/LOTERÍA_1");
        QTest::newRow("capital A acute") << QStringLiteral("/") + QChar(0xC3) + QChar(0x81) + QStringLiteral("MBITO")
                                         << QStringLiteral("/ÁMBITO");
        QTest::newRow("quotes") << QStringLiteral("\"/a\"b") << QStringLiteral("/ab");
        QTest::newRow("plain") << QStringLiteral("/f/x") << QStringLiteral("/f/x");
    }

    void pathRepair()
    {
        QFETCH(QString, read);
        QFETCH(QString, repaired);
        QCOMPARE(repairDocumentPath(read), repaired);
    }

    void documentAddressRules_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("usable");
        QTest::newRow("site path") << QStringLiteral("/f/doc/acta_1") << true;
        QTest::newRow("escapes and letters") << QStringLiteral("/f/El%20Gordo/LOTERÍA") << true;
        QTest::newRow("absolute address") << QStringLiteral("https://evil.example/x") << false;
        QTest::newRow("scheme-relative host") << QStringLiteral("//evil.example/x") << false;
        QTest::newRow("relative") << QStringLiteral("f/doc") << false;
        QTest::newRow("dot segments") << QStringLiteral("/f/../../etc/passwd") << false;
        QTest::newRow("encoded dot segments") << QStringLiteral("/f/%2E%2E/x") << false;
        QTest::newRow("encoded slash to dots") << QStringLiteral("/f/a%2f..%2fb") << false;
        QTest::newRow("blank") << QStringLiteral("/f/a b") << false;
        QTest::newRow("bad escape") << QStringLiteral("/f/a%zz") << false;
        QTest::newRow("backslash") << QStringLiteral("/f\\..\\x") << false;
        QTest::newRow("control by escape") << QStringLiteral("/f/a%0Ab") << false;
        QTest::newRow("markup") << QStringLiteral("/f/<script>") << false;
        QTest::newRow("empty") << QString() << false;
    }

    void documentAddressRules()
    {
        QFETCH(QString, path);
        QFETCH(bool, usable);
        const QUrl url = OperatorSite::reportUrl(path, Endpoints {});
        QCOMPARE(!url.isEmpty(), usable);
        if (usable)
            QCOMPARE(url.host(), QStringLiteral("www.loteriasyapuestas.es"));
    }

    void searchAddress()
    {
        Endpoints endpoints;
        QCOMPARE(OperatorSite::searchUrl(QDate(2020, 1, 5), QDate(2020, 2, 24), endpoints).toString(),
                 QStringLiteral("https://www.loteriasyapuestas.es/es/buscador?startDate=05/01/2020&gameId=05"
                                "&type=search&endDate=24/02/2020"));
        endpoints.operatorSite = QUrl(QStringLiteral("http://127.0.0.1:9/"));
        QCOMPARE(OperatorSite::drawPageUrl(QStringLiteral("2026/986001049"), endpoints).toString(),
                 QStringLiteral("http://127.0.0.1:9/es/gordo-primitiva/sorteos/2026/986001049"));
        QVERIFY(OperatorSite::drawPageUrl(QStringLiteral("/2026/1"), endpoints).isEmpty());
    }

    // --- the report panel without a download -----------------------------------------

    void reportHeading()
    {
        QCOMPARE(Wording::reportHeading(OleDate::fromDate({2020, 1, 5})), QStringLiteral("-Informe del Domingo, 5 de enero del 2020"));
        QCOMPARE(Wording::reportHeading(0), QStringLiteral("Informe"));
    }

    // A stored report's rows as the panel words them; a pending one shows none.
    void storedReportPanel()
    {
        PrizeReport report;
        report.status = PrizeReport::Status::Final;
        report.row(1) = {0, 451233210};
        report.row(8) = {61201, 150};
        report.row(5) = {PrizeRow::kUnknown, PrizeRow::kUnknown};
        report.row(PrizeReport::kReintegro) = {258090, 100};
        const PrizeReportView view = storedPrizeReportView(report, OleDate::fromDate(kDec6));
        QCOMPARE(Wording::reportAmountText(view, 1), QStringLiteral("4.512.332,10"));
        QCOMPARE(Wording::reportWinnersText(view, 1), QStringLiteral("(0 acertantes)"));
        QCOMPARE(Wording::reportWinnersText(view, 8), QStringLiteral("(61.201 acertantes)"));
        QVERIFY(Wording::reportAmountText(view, 5).isEmpty());
        QVERIFY(Wording::reportWinnersText(view, 5).isEmpty());
        QCOMPARE(Wording::reportReintegroText(view), QStringLiteral("- Reintegro: 1,00 € a 258.090 acertantes"));
        QVERIFY(Wording::reportMessage(view).startsWith(QStringLiteral("Informe de premios del sorteo, según")));

        report.status = PrizeReport::Status::Pending;
        const PrizeReportView pending = storedPrizeReportView(report, 0);
        QVERIFY(Wording::reportAmountText(pending, 1).isEmpty());
        QVERIFY(Wording::reportWinnersText(pending, 8).isEmpty());
        QVERIFY(Wording::reportReintegroText(pending).isEmpty());
        QCOMPARE(Wording::reportMessage(pending), Wording::reportNotAvailableText());
    }

    void reportFromDisk_data()
    {
        QTest::addColumn<QByteArray>("document"); // "<missing>" for no file
        QTest::addColumn<bool>("viewer");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("message");
        const QString attention = QStringLiteral(
            "\nATENCIÓN:\nLos datos del sorteo aún no están disponibles. Intente más tarde.");
        const QByteArray pdf = SearchPages::fixture("informe.pdf");
        QTest::newRow("pdf") << pdf << true << true << QString();
        QTest::newRow("html saved as pdf") << QByteArray("<html>error</html>") << true << false << attention;
        QTest::newRow("empty file") << QByteArray() << true << false << attention;
        QTest::newRow("missing") << QByteArray("<missing>") << true << false << attention;
        QTest::newRow("no viewer") << pdf << false << false
                                   << QStringLiteral(
                                          "\nOPCIÓN NO DISPONIBLE\n\nSu ordenador no tiene instalado Adobe Reader para la "
                                          "lectura de archivos PDF.\nSi quiere instalarlo y disfrutar de esta opción, vaya a "
                                          "la web https://get.adobe.com/reader/\n(O haga click AQUÍ para "
                                          "instalarlo)\n\nEs totalmente gratuito. Una vez instalado, ejecútelo y acepte el "
                                          "contrato de licencia. Después ya podrá utilizar Quorvale con esta opción activada.");
    }

    void reportFromDisk()
    {
        QFETCH(QByteArray, document);
        QFETCH(bool, viewer);
        QFETCH(bool, shown);
        QFETCH(QString, message);
        PrizeReportRequest request;
        request.drawPage = SearchPages::fixture("sorteo.html");
        request.newestDrawDate = OleDate::fromDate(kDec6);
        request.documentFile = m_dir->filePath(QStringLiteral("edu.pdf"));
        request.pdfViewerAvailable = viewer;
        if (document != "<missing>")
            QVERIFY(Fixtures::writeFile(request.documentFile, document));
        const PrizeReportView view = buildPrizeReport(request, nullptr);
        QCOMPARE(Wording::reportHeading(view.drawDate), QStringLiteral("-Informe del Domingo, 6 de diciembre del 2026"));
        QCOMPARE(Wording::reportAmountText(view, 1), QStringLiteral("4.512.332,10"));
        QCOMPARE(view.showDocument, shown);
        QCOMPARE(view.showDocument ? QString() : Wording::reportMessage(view), message);
        QCOMPARE(view.readerMissing, !viewer);
        QVERIFY(!view.reportFetched);
        QCOMPARE(view.documentFile, shown ? request.documentFile : QString());
        QCOMPARE(QFile::exists(request.documentFile), document != "<missing>");
    }

    void reportWithoutLink()
    {
        PrizeReportRequest request;
        request.drawPage = SearchPages::fixture("busqueda.html"); // the search page left in www2.txt
        request.documentFile = m_dir->filePath(QStringLiteral("edu.pdf"));
        QVERIFY(Fixtures::writeFile(request.documentFile, SearchPages::fixture("informe.pdf")));
        const PrizeReportView view = buildPrizeReport(request, nullptr);
        QVERIFY(!view.showDocument);
        QVERIFY(view.reportUrl.isEmpty());
        QVERIFY(Wording::reportMessage(view).contains(QStringLiteral("ATENCIÓN:")));
        QCOMPARE(Wording::reportHeading(view.drawDate), QStringLiteral("Informe"));
    }

    // --- news decisions -------------------------------------------------------------------

    void newsDecisions()
    {
        const QDate today(2026, 12, 9);
        QVERIFY(!News::isDue(OleDate::fromDate(today.addDays(-2)), today));
        QVERIFY(News::isDue(OleDate::fromDate(today.addDays(-3)), today));
        QVERIFY(!News::isDue(0, today));
        QVERIFY(!News::offerNews(0, 300));
        QVERIFY(News::offerNews(0, 301));
        QVERIFY(!News::offerNews(301, 301));
        QVERIFY(News::offerNews(400, 301));

        Endpoints endpoints;
        QVERIFY(endpoints.makerServer.isEmpty());
        endpoints.makerServer = QUrl(QStringLiteral("https://noticias.example.org"));
        QCOMPARE(News::documentUrl(endpoints).toString(), QStringLiteral("https://noticias.example.org/ginforme.dat"));
        endpoints.makerServer = QUrl(QStringLiteral("http://127.0.0.1:7/espejo/"));
        QCOMPARE(News::documentUrl(endpoints).toString(), QStringLiteral("http://127.0.0.1:7/espejo/ginforme.dat"));

        QCOMPARE(News::documentText("Noticias \xc3\xa1"), QStringLiteral("Noticias á"));
        QCOMPARE(News::documentText("Noticias \xe1"), QStringLiteral("Noticias á"));
    }
};

QTEST_GUILESS_MAIN(TestWebParser)
#include "tst_webparser.moc"
