// Draws and prize reports brought in without the download: a CSV, the
// service's answer from a browser, a draw and a report typed by hand, on a
// real Session in a scratch directory. Also the holes the status block
// warns about.

#include "base/clock.h"
#include "core/drawentry.h"
#include "core/session.h"
#include "core/status.h"
#include "store/cents.h"
#include "store/drawcsv.h"
#include "store/fileops.h"
#include "store/oledate.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"
#include "wording/statuswording.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace
{
    const QDate kToday(2025, 2, 3);
    const QString kTitle = QStringLiteral("Añadir sorteos");

    QByteArray serviceFixture()
    {
        QFile file(QStringLiteral(QUORVALE_TEST_DATA "/service/buscadorSorteos-2025-01.json"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
}

class TestDrawEntry : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    FixedClock m_clock {kToday};
    RecordingPrompter m_prompter;
    std::unique_ptr<Session> m_session;
    DiskFileOps m_files;

    QString path(const char *name) const { return m_dir->filePath(QString::fromLatin1(name)); }

    // What an entry did, its boxes shown as the window shows them.
    DrawEntry::Entered shown(const DrawEntry::Entered &entered)
    {
        m_prompter.report(entered.outcome);
        return entered;
    }

    void startWith(const std::vector<DrawRecord> &draws)
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(Fixtures::writeFile(path("numeros.dat"), Fixtures::bytesOf(draws)));
        QVERIFY(Fixtures::writeFile(path("apuestas.dat"), Fixtures::bytesOf({Fixtures::simpleSyndicate(QStringLiteral("BAR"), {{6, 27, 33, 34, 39}}, 8, QDate(2024, 12, 1))})));
        m_session = std::make_unique<Session>(m_clock, m_prompter);
        QVERIFY(m_session->start(m_dir->path()));
        m_prompter.boxes.clear();
    }

    // Sundays of December 2024, a draw each.
    static std::vector<DrawRecord> december()
    {
        return {Fixtures::draw({2024, 12, 1}, {1, 2, 3, 4, 5}, 1), Fixtures::draw({2024, 12, 8}, {2, 3, 4, 5, 6}, 2),
                Fixtures::draw({2024, 12, 15}, {3, 4, 5, 6, 7}, 3), Fixtures::draw({2024, 12, 22}, {4, 5, 6, 7, 8}, 4),
                Fixtures::draw({2024, 12, 29}, {5, 6, 7, 8, 9}, 5)};
    }

private slots:
    void cleanup()
    {
        m_session.reset();
        m_dir.reset();
    }

    // Every way of bringing draws in, good and bad: what ends in numeros.dat
    // and what the user is told.
    void csv_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("added"); // -1: refused, nothing changed
        QTest::addColumn<QString>("told"); // part of the last box's text
        QTest::newRow("export's form") << QByteArray("date,n1,n2,n3,n4,n5,clave\n2025-01-05,6,27,33,34,39,8\n2025-01-12,1,2,3,4,5,0\n")
                                       << 2 << "del 05/01/2025 al 12/01/2025";
        QTest::newRow("semicolons, day first, any order, CRLF")
            << QByteArray("12/01/2025;5;4;3;2;1;0\r\n05/01/2025;39;6;34;27;33;8\r\n") << 2 << "Añadidos 2 sorteos";
        QTest::newRow("already stored") << QByteArray("2024-12-08,2,3,4,5,6,2\n") << 0 << "ya estaba guardado";
        QTest::newRow("conflict") << QByteArray("2025-01-05,6,27,33,34,39,8\n2024-12-08,2,3,4,5,7,2\n") << -1
                                  << "Ya hay un sorteo guardado el 08/12/2024 con otros números (2-3-4-5-6, clave 2)";
        QTest::newRow("same date twice") << QByteArray("2025-01-05,6,27,33,34,39,8\n2025-01-05,6,27,33,34,40,8\n") << -1
                                         << "aparece dos veces con números distintos (línea 1) y (línea 2)";
        QTest::newRow("bad line") << QByteArray("2025-01-05,6,27,33,34,39,8\n\n2025-01-12,1,2,3,4\n") << -1
                                  << "La línea 3 del fichero no es un sorteo";
        QTest::newRow("repeated number") << QByteArray("2025-01-05,6,6,33,34,39,8\n") << -1 << "el número 6 está repetido";
        QTest::newRow("weekday") << QByteArray("2025-01-05,6,27,33,34,39,8\n2025-01-07,1,2,3,4,5,0\n") << -1
                                 << "(línea 2) no se puede añadir: ese día (martes) no hay sorteo";
        QTest::newRow("future") << QByteArray("2025-02-09,1,2,3,4,5,0\n") << -1 << "es posterior a hoy";
        QTest::newRow("before the first draw") << QByteArray("2005-01-30,1,2,3,4,5,0\n") << -1 << "anterior al primer sorteo";
        QTest::newRow("key out of range") << QByteArray("2025-01-05,6,27,33,34,39,10\n") << -1 << "la clave debe ir del 0 al 9";
        QTest::newRow("nothing") << QByteArray("date,n1,n2,n3,n4,n5,clave\n") << -1 << "no trae ningún sorteo";
    }

    void csv()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, added);
        QFETCH(QString, told);
        startWith(december());
        const QByteArray before = Fixtures::readFile(path("numeros.dat"));
        DrawEntry entry(*m_session, m_files);
        const DrawEntry::Entered outcome = shown(entry.addCsv(text));
        QVERIFY(!m_prompter.boxes.isEmpty());
        QVERIFY2(m_prompter.boxes.last().text.contains(told), qPrintable(m_prompter.boxes.last().text));
        QCOMPARE(outcome.done(), added >= 0);
        if (added < 0) {
            QCOMPARE(m_prompter.boxes.last().icon, Prompter::Icon::Warning);
            QCOMPARE(Fixtures::readFile(path("numeros.dat")), before);
            return;
        }
        QCOMPARE(outcome.added, added);
        QCOMPARE(m_session->storedDraws(), 5 + added);
        if (added > 0)
            QCOMPARE(m_session->drawBuffer().qdate(), QDate(2025, 1, 12));
    }

    // An older draw fills a hole where it belongs; the status block stops
    // warning about it, and the peña is recounted.
    void holeFilled()
    {
        auto draws = december();
        draws.erase(draws.begin() + 2);
        startWith(draws);
        QCOMPARE(m_session->drawStatus().holeDates, std::vector<QDate> {QDate(2024, 12, 15)});
        QVERIFY(Wording::historyHolesText(m_session->drawStatus().holeDates).startsWith(QStringLiteral("Falta el sorteo del 15/12/2024")));

        DrawEntry entry(*m_session, m_files);
        QCOMPARE(entry.suggestedDate(), QDate(2024, 12, 15));
        // A weekday and repeated numbers are refused with the reason.
        QVERIFY(!shown(entry.addDraw({2024, 12, 16}, {3, 4, 5, 6, 7}, 3)).done());
        QVERIFY(!shown(entry.addDraw({2024, 12, 15}, {3, 3, 5, 6, 7}, 3)).done());
        QCOMPARE(m_session->storedDraws(), 4);
        QVERIFY(shown(entry.addDraw({2024, 12, 15}, {7, 3, 6, 5, 4}, 3)).done());
        QCOMPARE(Fixtures::readFile(path("numeros.dat")), Fixtures::bytesOf(december()));
        QVERIFY(m_session->drawStatus().holeDates.empty());
        QVERIFY(m_session->drawStatus().holeDates.empty());
        // 3-4-5-6-7 with key 3 against the peña's 6-27-33-34-39 key 8: the
        // counters follow the stored draws.
        QCOMPARE(m_session->syndicates().records().front().lastCountedDate, OleDate::fromDate({2024, 12, 29}));
    }

    // The shipped history has no hole: the Sundays of spring 2020 and the
    // Sunday after the last Saturday draw had none.
    void shippedHistoryHasNoHole()
    {
        QFile file(QStringLiteral(QUORVALE_HISTORY_CSV));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const DrawCsvRead read = readDrawCsv(file.readAll());
        QCOMPARE(read.badLine, 0);
        QVERIFY(read.draws.size() > 1000);
        std::vector<QDate> dates;
        for (const DrawRecord &draw : read.draws)
            dates.push_back(draw.qdate());
        QVERIFY(findHistoryHoles(dates).empty());
        const QDate removed = dates[500];
        dates.erase(dates.begin() + 500);
        QCOMPARE(findHistoryHoles(dates), std::vector<QDate> {removed});
        // A day the service said had no draw is no hole.
        QVERIFY(findHistoryHoles(dates, {removed}).empty());
    }

    // The service's answer as a browser shows it: its draws and their
    // reports, exactly as from the download; the peña's money is priced.
    void serviceAnswer()
    {
        startWith(december());
        DrawEntry entry(*m_session, m_files);
        QCOMPARE(DrawEntry::kindOf(serviceFixture()), DrawEntry::TextKind::ServiceAnswer);
        const DrawEntry::Entered outcome = shown(entry.addServiceAnswer(serviceFixture()));
        QVERIFY(outcome.done());
        QCOMPARE(outcome.added, 4);
        QCOMPARE(outcome.reports, 4);
        QCOMPARE(m_session->storedDraws(), 9);
        QVERIFY(m_session->prizeReports().report({2025, 1, 5}).isComplete());
        // 2025-01-05 is the peña's own combination: 5 + 1.
        QVERIFY(m_session->money().totals(1).wonCents > 0);
        QCOMPARE(m_session->money().totals(1).drawsPriced, 4);

        // Pasting it again changes nothing; text that is no answer is refused.
        const QByteArray draws = Fixtures::readFile(path("numeros.dat"));
        QVERIFY(shown(entry.addServiceAnswer(serviceFixture())).done());
        QVERIFY(!shown(entry.addServiceAnswer("<html>Access Denied</html>")).done());
        QVERIFY(!shown(entry.addServiceAnswer(QByteArray(serviceFixture()).replace("R(8)", "R(12)"))).done());
        // One draw twice, the second with other prizes: which is true cannot be told.
        QJsonArray twice = QJsonDocument::fromJson(serviceFixture()).array();
        QJsonObject copy = twice.first().toObject();
        copy.insert(QStringLiteral("apuestas"), QStringLiteral("1"));
        twice.append(copy);
        m_prompter.boxes.clear();
        QVERIFY(!shown(entry.addServiceAnswer(QJsonDocument(twice).toJson())).done());
        QVERIFY(m_prompter.boxes.last().text.contains(QStringLiteral("dos veces")));
        QCOMPARE(Fixtures::readFile(path("numeros.dat")), draws);
    }

    // A report typed by hand: stored as final with origin "manual"; the
    // service's report is replaced only when the user says Yes.
    void prizeReportByHand()
    {
        startWith(december());
        DrawEntry entry(*m_session, m_files);
        QString problem;
        const QByteArray json = R"({"date": "2024-12-29", "status": "final", "rows": [
            {"category": 1, "winners": 0, "prizeCents": 0}, {"category": 2, "winners": 1, "prizeCents": 15000000},
            {"category": 3, "winners": 2, "prizeCents": 1000000}, {"category": 4, "winners": 9, "prizeCents": 80000},
            {"category": 5, "winners": 80, "prizeCents": 9000}, {"category": 6, "winners": 900, "prizeCents": 2500},
            {"category": 7, "winners": 1500, "prizeCents": 800}, {"category": 8, "winners": 20000, "prizeCents": 300},
            {"category": 9, "winners": 200000, "prizeCents": 150}]})";
        auto report = DrawEntry::readPrizeReportJson(json, {2024, 12, 29}, &problem);
        QVERIFY2(report, qPrintable(problem));
        QVERIFY(!DrawEntry::readPrizeReportJson(json, {2024, 12, 22}, &problem));
        QVERIFY(problem.contains(QStringLiteral("es el informe del 29/12/2024")));
        QVERIFY(!DrawEntry::readPrizeReportJson(QByteArray(json).replace("\"category\": 9", "\"category\": 8"), {}, &problem));
        QVERIFY(!DrawEntry::readPrizeReportJson(QByteArray(json).replace("20000", "-1"), {}, &problem));

        QVERIFY(shown(entry.setPrizeReport(*report)).done());
        PrizeReport stored = m_session->prizeReports().report({2024, 12, 29});
        QCOMPARE(stored.source, PrizeReport::Source::Manual);
        QVERIFY(stored.isComplete());
        QVERIFY(Fixtures::readFile(path("premios.json")).contains("\"origen\": \"manual\""));

        // Over the service's report: asked first.
        PrizeReport service = *report;
        service.source = PrizeReport::Source::Service;
        service.date = {2024, 12, 22};
        QVERIFY(m_session->prizeReports().replace(service));
        report->date = {2024, 12, 22};
        report->row(2).winners = 7;
        m_prompter.answers = {Prompter::Answer::No};
        QVERIFY(shown(entry.setPrizeReport(*report)).outcome.status == Outcome::Status::Declined);
        QCOMPARE(m_session->prizeReports().report({2024, 12, 22}).source, PrizeReport::Source::Service);
        m_prompter.answers = {Prompter::Answer::Yes};
        QVERIFY(shown(entry.setPrizeReport(*report)).done());
        QCOMPARE(m_session->prizeReports().report({2024, 12, 22}).row(2).winners, 7);
        // Figures no draw ever had are refused, naming the category.
        PrizeReport absurd = *report;
        absurd.row(PrizeReport::kReintegro).prizeCents = Cents::kMaxExact;
        QVERIFY(!shown(entry.setPrizeReport(absurd)).done());
        QVERIFY(m_prompter.boxes.last().text.contains(QStringLiteral("reintegro de 90.071.992.547.409,91 €")));
        QCOMPARE(m_session->prizeReports().report({2024, 12, 22}).row(2).winners, 7);
        // No report for a draw that is not stored.
        report->date = {2025, 1, 5};
        QVERIFY(!shown(entry.setPrizeReport(*report)).done());
    }
};

QTEST_GUILESS_MAIN(TestDrawEntry)
#include "tst_drawentry.moc"
