// The statistics pages in the real tab: the period chooser, the sortable
// tables, "Comprobar combinación" from the grid or typed, and CSV export.

#include "base/clock.h"
#include "base/filechooser.h"
#include "core/session.h"
#include "stats/figures.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"
#include "ui/csvexport.h"
#include "ui/frequencychart.h"
#include "ui/statisticstab.h"
#include "ui/statsmodels.h"
#include "ui/statspages.h"
#include "ui/trycombination.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace
{
    class FixedChooser final : public FileChooser
    {
    public:
        QString chooseDrawFile() override { return {}; }
        QString chooseCsvFile(const QString &suggested) override
        {
            offered = suggested;
            return path;
        }
        QString path;
        QString offered;
    };

    QString cell(QTableView *view, int row, int column)
    {
        return view->model()->index(row, column).data().toString();
    }
}

class TestStatsPages : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    FixedClock m_clock {QDate(2026, 8, 20)};
    RecordingPrompter m_prompter;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<StatisticsTab> m_tab;
    StatsPages *m_pages = nullptr;

    template <typename T>
    T *find(const char *name)
    {
        T *found = m_tab->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no %s", name);
        return found;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(Fixtures::writeFile(m_dir.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(Fixtures::realDraws())));
        m_session = std::make_unique<Session>(m_clock, m_prompter);
        QVERIFY(m_session->start(m_dir.path()));
        m_tab = std::make_unique<StatisticsTab>(*m_session);
        m_tab->resize(1000, 700);
        m_tab->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_tab.get()));
        m_pages = find<StatsPages>("");
    }

    void modelsAreSound()
    {
        for (const char *name : {"StatsNumbers", "StatsKeys", "StatsPairs", "StatsShapeTable", "TryTotals", "TryDraws"}) {
            QAbstractItemModelTester tester(find<QTableView>(name)->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        }
    }

    // Under the bars, short labels: the range, or the count alone.
    void shapeChartLabels()
    {
        auto *shape = find<QComboBox>("StatsShape");
        auto *chart = find<FrequencyChart>("StatsShapeChart");
        shape->setCurrentIndex(1);
        QCOMPARE(chart->labels(), (QStringList {"0", "1", "2", "3", "4", "5"}));
        shape->setCurrentIndex(3);
        QCOMPARE(chart->labels().first(), QStringLiteral("%1-%2").arg(Stats::decadeLow(0)).arg(Stats::decadeHigh(0)));
        shape->setCurrentIndex(4);
        QCOMPARE(chart->labels().mid(0, 3), (QStringList {"Ninguna", "1", "2"}));
    }

    // The period chosen reaches the tables; the tables sort by value.
    void periodAndSorting()
    {
        // The period is for the pages after the draw list.
        auto *period = find<QComboBox>("StatsWindow");
        QVERIFY(!period->isEnabled());
        find<QTabWidget>("StatsPages")->setCurrentIndex(1);
        QVERIFY(period->isEnabled());
        period->setCurrentIndex(period->findText(QStringLiteral("Últimos 10 sorteos")));
        QVERIFY(find<QLabel>("StatsWindowText")->text().startsWith(QStringLiteral("10 sorteos: 14/06/2026 a 16/08/2026")));
        auto *numbers = find<QTableView>("StatsNumbers");
        int drawn = 0;
        for (int r = 0; r < numbers->model()->rowCount(); ++r)
            drawn += cell(numbers, r, ValueFiguresModel::Drawn).toInt();
        QCOMPARE(drawn, 50);
        // Longest away first: as numbers, never as texts ("9" before "10").
        numbers->sortByColumn(ValueFiguresModel::Gap, Qt::DescendingOrder);
        for (int r = 1; r < numbers->model()->rowCount(); ++r)
            QVERIFY(cell(numbers, r - 1, ValueFiguresModel::Gap).toInt() >= cell(numbers, r, ValueFiguresModel::Gap).toInt());
        QCOMPARE(cell(numbers, 0, ValueFiguresModel::Gap), QStringLiteral("10"));
        QCOMPARE(cell(numbers, 0, ValueFiguresModel::Mark), QStringLiteral("frío"));

        // Two dates: the draws of 2020 (the suspension's Sundays are none).
        period->setCurrentIndex(period->findText(QStringLiteral("Entre dos fechas")));
        QVERIFY(find<QDateEdit>("StatsSince")->isEnabled());
        find<QDateEdit>("StatsSince")->setDate(QDate(2020, 1, 1));
        find<QDateEdit>("StatsUntil")->setDate(QDate(2020, 12, 31));
        int in2020 = 0;
        for (const DrawRecord &draw : Fixtures::realDraws())
            in2020 += draw.qdate().year() == 2020 ? 1 : 0;
        QVERIFY2(find<QLabel>("StatsWindowText")->text().startsWith(QStringLiteral("%1 sorteos: ").arg(in2020)),
                 qPrintable(find<QLabel>("StatsWindowText")->text()));
        QCOMPARE(m_pages->figures().draws, in2020);

        // Pairs with one number only.
        find<QSpinBox>("StatsPairsNumber")->setValue(54);
        auto *pairs = find<QTableView>("StatsPairs");
        QCOMPARE(pairs->model()->rowCount(), 53);
        for (int r = 0; r < 53; ++r)
            QVERIFY(cell(pairs, r, PairModel::Pair).endsWith(QStringLiteral(" - 54")));
        find<QSpinBox>("StatsPairsNumber")->setValue(0);
        QCOMPARE(pairs->model()->rowCount(), 1431);
        period->setCurrentIndex(period->findText(QStringLiteral("Todos los sorteos")));
    }

    // Typed numbers and the grid follow each other; a double click on a
    // category lists its draws; what was typed is never rewritten.
    void tryCombination()
    {
        find<QTabWidget>("StatsPages")->setCurrentIndex(5);
        auto *typed = find<QLineEdit>("TryNumbers");
        QTest::keyClicks(typed, QStringLiteral("3 12, 25;33 48"));
        QVERIFY(find<QToolButton>("TryNumber_25")->isChecked());
        QCOMPARE(typed->text(), QStringLiteral("3 12, 25;33 48"));
        find<QSpinBox>("TryKey")->setValue(7);
        auto *page = find<TryCombinationPage>("");
        QCOMPARE(page->result().draws, 1114);
        QVERIFY(find<QLabel>("TryMoney")->text().startsWith(QStringLiteral("Jugado: 1.671,00 € en 1114 sorteos.")));

        auto *totals = find<QTableView>("TryTotals");
        QCOMPARE(cell(totals, 7, TryTotalsModel::Category), QStringLiteral("8ª (2 + 0)"));
        const int draws8 = cell(totals, 7, TryTotalsModel::Draws).toInt();
        QVERIFY(draws8 > 0);
        const QRect row8 = totals->visualRect(totals->model()->index(7, 0));
        // A double click is a press, a release and the second press.
        QTest::mouseClick(totals->viewport(), Qt::LeftButton, {}, row8.center());
        QTest::mouseDClick(totals->viewport(), Qt::LeftButton, {}, row8.center());
        auto *draws = find<QTableView>("TryDraws");
        QCOMPARE(page->listedCategory(), 8);
        QCOMPARE(draws->model()->rowCount(), draws8);
        for (int r = 0; r < draws->model()->rowCount(); ++r)
            QVERIFY(cell(draws, r, TryDrawsModel::Prizes).contains(QStringLiteral("8ª (2 + 0)")));
        find<QPushButton>("TryAllDraws")->click();
        QCOMPARE(draws->model()->rowCount(), int(page->result().prized.size()));

        // A sixth number on the grid makes a multiple bet of six.
        find<QToolButton>("TryNumber_51")->click();
        QCOMPARE(typed->text(), QStringLiteral("3, 12, 25, 33, 48, 51"));
        QVERIFY(find<QLabel>("TryProblem")->text().contains(QStringLiteral("6 apuestas por sorteo")));

        typed->clear();
        QTest::keyClicks(typed, QStringLiteral("3, doce"));
        QVERIFY(find<QLabel>("TryProblem")->text().contains(QStringLiteral("«doce» no es un número")));
        QCOMPARE(typed->text(), QStringLiteral("3, doce"));
        QCOMPARE(page->result().draws, 0);
        QCOMPARE(find<QTableView>("TryDraws")->model()->rowCount(), 0);
    }

    // The table as shown, for a spreadsheet; a file that cannot be written is told.
    void csvExport()
    {
        FixedChooser chooser;
        m_pages->setFileChooser(&chooser);
        QTemporaryDir elsewhere;
        chooser.path = elsewhere.filePath(QStringLiteral("claves.csv"));
        find<QTableView>("StatsKeys")->sortByColumn(ValueFiguresModel::Value, Qt::DescendingOrder);
        find<QPushButton>("StatsKeysCsv")->click();
        QCOMPARE(chooser.offered, QStringLiteral("claves.csv"));
        const QByteArray bytes = Fixtures::readFile(chooser.path);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 12); // header, ten keys, the empty end
        QCOMPARE(lines[0], QStringLiteral("Clave;Veces;%;Sin salir;Máx. aus.;Media aus.;Marca"));
        QVERIFY(lines[1].startsWith(QStringLiteral("9;")));
        QVERIFY(lines[1].contains(QStringLiteral(" %;")));

        // A field with the separator or a quote is quoted, its quotes doubled.
        QStandardItemModel odd(1, 2);
        odd.setHorizontalHeaderLabels({QStringLiteral("a;b"), QStringLiteral("c")});
        odd.setItem(0, 0, new QStandardItem(QStringLiteral("dijo \"sí\"")));
        odd.setItem(0, 1, new QStandardItem(QStringLiteral("1,50 €")));
        QCOMPARE(CsvExport::tableText(odd), QStringLiteral("\"a;b\";c\r\n\"dijo \"\"sí\"\"\";1,50 €\r\n"));

        chooser.path = m_dir.filePath(QStringLiteral("no/existe/parejas.csv"));
        m_prompter.boxes.clear();
        find<QPushButton>("StatsPairsCsv")->click();
        QCOMPARE(m_prompter.titles(), QStringList {QStringLiteral("Error de escritura")});
    }
};

QTEST_MAIN(TestStatsPages)
#include "tst_statspages.moc"
