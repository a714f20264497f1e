// premios.json: what is written reads back the same, a final report is not
// undone, and a file that cannot be understood is set aside, never lost.

#include "base/clock.h"
#include "core/session.h"
#include "scrutiny/money.h"
#include "store/prizereportfile.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <set>

namespace
{
    PrizeReport finalReport(QDate date, PrizeReport::Source source = PrizeReport::Source::Service)
    {
        PrizeReport report;
        report.date = date;
        report.status = PrizeReport::Status::Final;
        report.source = source;
        for (int category = 1; category <= PrizeReport::kRows; ++category)
            report.row(category) = {source == PrizeReport::Source::Pages ? PrizeRow::kUnknown : category * 1000,
                                    category == 2 ? 15091101 : 300};
        if (source == PrizeReport::Source::Pages)
            report.row(PrizeReport::kReintegro) = {PrizeRow::kUnknown, PrizeRow::kUnknown};
        return report;
    }

    PrizeReport pending(QDate date)
    {
        PrizeReport report;
        report.date = date;
        report.status = PrizeReport::Status::Pending;
        return report;
    }

    bool write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
}

class TestPrizeReportFile : public QObject
{
    Q_OBJECT

private slots:
    void roundTripAndRules()
    {
        QTemporaryDir dir;
        DiskFileOps files;
        PrizeReportFile file(files);
        const QString path = dir.filePath(QStringLiteral("premios.json"));
        QCOMPARE(file.load(path), PrizeReportFile::Load::Ok);
        const QDate a(2025, 1, 5), b(2025, 1, 12), c(2025, 1, 19);
        file.put(finalReport(a, PrizeReport::Source::Pages));
        file.put(pending(b));
        file.put(finalReport(c));
        file.put(pending(c)); // a final report stays final
        file.put(finalReport(a)); // the service's replaces the page's
        QCOMPARE(file.save(), FileOps::Result::Ok);

        PrizeReportFile again(files);
        QCOMPARE(again.load(path), PrizeReportFile::Load::Ok);
        QCOMPARE(again.all(), file.all());
        QCOMPARE(again.report(a), finalReport(a));
        QCOMPARE(again.report(c).row(2), (PrizeRow {2000, 15091101}));
        QCOMPARE(again.pendingSince(a), std::vector<QDate>(1, b));
        QCOMPARE(again.report(QDate(2025, 1, 26)).status, PrizeReport::Status::Missing);

        // The page's report without winners survives a round trip too.
        std::map<QDate, PrizeReport> pages {{b, finalReport(b, PrizeReport::Source::Pages)}}, read;
        QVERIFY(PrizeReportFile::parse(PrizeReportFile::serialize(pages), &read));
        QCOMPARE(read, pages);
    }

    void damaged_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray head = "{\"formato\": \"quorvale-premios\", \"version\": 1, \"informes\": ";
        QTest::newRow("not json") << QByteArray("{\"formato\": \"quorvale-premios\", ");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("other format") << QByteArray("{\"formato\": \"otro\", \"version\": 1, \"informes\": []}");
        QTest::newRow("date twice") << head + "[{\"fecha\": \"2025-01-05\", \"estado\": \"pendiente\"},"
                                              "{\"fecha\": \"2025-01-05\", \"estado\": \"pendiente\"}]}";
        QTest::newRow("bad date") << head + "[{\"fecha\": \"2025-02-30\", \"estado\": \"pendiente\"}]}";
        QTest::newRow("rows missing") << head + "[{\"fecha\": \"2025-01-05\", \"estado\": \"final\", \"origen\": \"servicio\", "
                                                "\"categorias\": [{\"categoria\": 1, \"ganadores\": 0, \"centimos\": 0}]}]}";
        QTest::newRow("fractional cents") << head + "[{\"fecha\": \"2025-01-05\", \"estado\": \"final\", \"origen\": \"paginas\", "
                                                    "\"categorias\": [{\"categoria\": 1, \"ganadores\": null, \"centimos\": 0.5}]}]}";
    }

    // Set aside under premios.invalido (then .2), with the same box as a bad
    // draw file; the session starts with no reports and saves a new file.
    void damaged()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        QVERIFY(write(dir.filePath(QStringLiteral("premios.invalido")), "earlier"));
        QVERIFY(write(dir.filePath(QStringLiteral("premios.json")), bytes));
        FixedClock clock({2025, 2, 1});
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(dir.path()));
        QCOMPARE(prompter.titles(), QStringList {QStringLiteral("Error de lectura")});
        QVERIFY(prompter.boxes.first().text.contains(QStringLiteral("premios.invalido.2")));
        QFile aside(dir.filePath(QStringLiteral("premios.invalido.2")));
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), bytes);
        QVERIFY(session.prizeReports().all().empty());
        QVERIFY(session.prizeReports().writable());
    }

    // A linked file is read and written through its link, which stays; a
    // damaged one keeps its bytes aside and its link too.
    void throughALink()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("elsewhere.json"));
        const QString path = dir.filePath(QStringLiteral("premios.json"));
        QVERIFY(write(target, "{broken"));
        QVERIFY(QFile::link(target, path));
        DiskFileOps files;
        PrizeReportFile file(files);
        QCOMPARE(file.load(path), PrizeReportFile::Load::SetAside);
        QFile aside(file.setAsidePath());
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), QByteArray("{broken"));
        file.put(finalReport({2025, 1, 5}));
        QCOMPARE(file.save(), FileOps::Result::Ok);
        QVERIFY(QFileInfo(path).isSymLink());
        PrizeReportFile again(files);
        QCOMPARE(again.load(target), PrizeReportFile::Load::Ok);
        QCOMPARE(again.report({2025, 1, 5}), finalReport({2025, 1, 5}));
    }

    // Figures no draw ever had, written by an older build or by hand: the
    // report is taken as pending (named, asked for again), never prices the
    // draw, and stays in the file as written until a sound one comes. The
    // days without a draw are read and written back.
    void absurdStoredAmounts()
    {
        QTemporaryDir dir;
        const QDate first(2025, 1, 5), second(2025, 1, 12);
        QVERIFY(Fixtures::writeFile(dir.filePath(QStringLiteral("numeros.dat")),
                                    Fixtures::bytesOf({Fixtures::draw(first, {1, 2, 3, 4, 5}, 1),
                                                       Fixtures::draw(second, {6, 7, 8, 9, 10}, 2)})));
        QVERIFY(Fixtures::writeFile(dir.filePath(QStringLiteral("apuestas.dat")),
                                    Fixtures::bytesOf({Fixtures::simpleSyndicate(QStringLiteral("BAR"), {{1, 2, 3, 4, 5}}, 1, first)})));
        QByteArray absurd = PrizeReportFile::serialize({{first, finalReport(first)}});
        absurd.replace("\"centimos\": 300,", "\"centimos\": 9007199254740991,");
        absurd.replace("\"informes\"", "\"sinSorteo\": [\"2024-12-29\"], \"informes\"");
        QVERIFY(absurd.contains("9007199254740991"));
        QVERIFY(write(dir.filePath(QStringLiteral("premios.json")), absurd));

        FixedClock clock({2025, 2, 1});
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(dir.path()));
        QVERIFY(prompter.boxes.isEmpty());
        PrizeReportFile &reports = session.prizeReports();
        QVERIFY(!reports.report(first).isFinal());
        QVERIFY2(reports.problem(first).startsWith(QStringLiteral("categoría 1: premio de 90.071.992.547.409,91 €")),
                 qPrintable(reports.problem(first)));
        QCOMPARE(reports.noDrawDates(), std::set<QDate> {QDate(2024, 12, 29)});
        // The peña's one bet, 5 + 1 on the first draw: staked at 1,50 € a
        // draw, nothing won while no report prices it.
        const Money::Totals totals = session.money().totals(0);
        QCOMPARE(totals.stakeCents, 300);
        QCOMPARE(totals.wonCents, 0);
        QCOMPARE(totals.unpricedDraws, 2);

        // Another report saved: the doubtful one is still there as written.
        reports.put(finalReport(second));
        QCOMPARE(reports.save(), FileOps::Result::Ok);
        QByteArray written = Fixtures::readFile(dir.filePath(QStringLiteral("premios.json")));
        QVERIFY(written.contains("9007199254740991"));
        QVERIFY(written.contains("\"2024-12-29\""));
        // A sound report takes its place.
        reports.put(finalReport(first));
        QCOMPARE(reports.save(), FileOps::Result::Ok);
        QVERIFY(reports.problem(first).isEmpty());
        QVERIFY(!Fixtures::readFile(dir.filePath(QStringLiteral("premios.json"))).contains("9007199254740991"));
    }

    // A later program's file is left as it is and never rewritten.
    void newerVersion()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("premios.json"));
        const QByteArray bytes = "{\"formato\": \"quorvale-premios\", \"version\": 2, \"informes\": []}";
        QVERIFY(write(path, bytes));
        DiskFileOps files;
        PrizeReportFile file(files);
        QCOMPARE(file.load(path), PrizeReportFile::Load::Unusable);
        file.put(pending({2025, 1, 5}));
        QVERIFY(file.save() != FileOps::Result::Ok);
        QFile kept(path);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), bytes);
    }
};

QTEST_GUILESS_MAIN(TestPrizeReportFile)
#include "tst_prizereportfile.moc"
