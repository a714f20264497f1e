// The result lists and the syndicates tab as the user works them: boxes
// ticked, the scroll bar moved, list buttons and syndicates clicked, and the
// rows, colours and figures read back from the widgets.

#include "base/clock.h"
#include "core/membership.h"
#include "core/prizelist.h"
#include "core/session.h"
#include "store/cents.h"
#include "store/oledate.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"
#include "ui/balancechart.h"
#include "ui/effectivenesschart.h"
#include "ui/mainwindow.h"
#include "ui/prizespage.h"
#include "wording/moneywording.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

namespace
{

    QString cell(QAbstractItemModel *model, int row, int column)
    {
        return model->index(row, column).data().toString();
    }

    QColor colour(QAbstractItemModel *model, int row, int column)
    {
        return model->index(row, column).data(Qt::ForegroundRole).value<QColor>();
    }
}

class TestResultsWindow : public QObject
{
    Q_OBJECT

    template <typename T>
    static T *child(QWidget &window, const char *name)
    {
        T *found = window.findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qWarning("no %s", name);
        return found;
    }

    QTemporaryDir m_dir;
    std::vector<DrawRecord> m_draws;

private slots:
    void initTestCase()
    {
        // The real history; the newest draw is 7 8 11 31 35, key 1, on 16 August 2026.
        m_draws = Fixtures::realDraws();
        QCOMPARE(int(m_draws.size()), 1114);
    }

    void init()
    {
        QVERIFY(m_dir.isValid());
        QFile::remove(m_dir.filePath(QStringLiteral("apuestas.dat")));
        Fixtures::writeFile(m_dir.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(m_draws));
        Fixtures::writeFile(m_dir.filePath(QStringLiteral("apuestas.dat")), Fixtures::bytesOf({
                                                                                Fixtures::simpleSyndicate(QStringLiteral("LA FIJA"), {{7, 8, 11, 20, 21}, {1, 2, 3, 4, 5}, {7, 31, 35, 40, 41}}, 1, QDate(2026, 8, 1)),
                                                                                Fixtures::simpleSyndicate(QStringLiteral("NUEVA"), {{7, 8, 12, 13, 14}}, 3, QDate(2026, 8, 20)),
                                                                                Fixtures::multipleSyndicate(QStringLiteral("SIETE"), {7, 8, 11, 31, 40, 41, 42}, 1, QDate(2026, 8, 1)),
                                                                            }));
    }

    void resultListsFollowTheControls()
    {
        FixedClock clock(QDate(2026, 8, 18));
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(m_dir.path()));
        MainWindow window(session);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents(); // the first activation's own refresh

        auto *simple = child<QTableView>(window, "ListView2");
        auto *multi = child<QTableView>(window, "ListView4");
        QAbstractItemModelTester simpleTester(simple->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester multiTester(multi->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModel *rows = simple->model();

        // The newest draw: LA FIJA only (NUEVA was created after it).
        QCOMPARE(rows->columnCount(), 8);
        QCOMPARE(rows->headerData(7, Qt::Horizontal).toString(), QStringLiteral("Comentario"));
        QCOMPARE(rows->rowCount(), 6);
        QCOMPARE(cell(rows, 1, 7), QStringLiteral("PEÑA LA FIJA             "));
        QCOMPARE(colour(rows, 1, 7), QColor(128, 0, 0));
        QCOMPARE(cell(rows, 2, 7), QStringLiteral("16/08/2026 Domingo"));
        QCOMPARE(colour(rows, 2, 7), QColor(0, 128, 0));
        QCOMPARE(cell(rows, 3, 1), QStringLiteral("7"));
        QCOMPARE(colour(rows, 3, 1), QColor(255, 0, 0));
        QVERIFY(!rows->index(3, 4).data(Qt::ForegroundRole).isValid()); // 20 not drawn
        QCOMPARE(cell(rows, 3, 6), QStringLiteral("1"));
        QCOMPARE(colour(rows, 3, 6), QColor(255, 0, 0)); // key matched
        QCOMPARE(cell(rows, 3, 7), QStringLiteral("¡¡ Premio !! Has acertado 3 + Nº.Clave."));
        QCOMPARE(colour(rows, 3, 7), QColor(0, 0, 255));
        QCOMPARE(cell(rows, 4, 7), QString());
        QCOMPARE(cell(rows, 4, 6), QString());
        QCOMPARE(cell(rows, 5, 7), QStringLiteral("¡¡ Premio !! Has acertado 3 + Nº.Clave."));

        // "Histórico": NUEVA is shown too.
        auto *historico = child<QCheckBox>(window, "Check1");
        historico->click();
        QVERIFY(session.view().historico());
        QCOMPARE(rows->rowCount(), 6 + 4);
        QCOMPARE(cell(rows, 7, 7), QStringLiteral("PEÑA NUEVA               "));

        // Every draw: every draw times every simple syndicate.
        auto *scroll = child<QScrollBar>(window, "HScroll1");
        QCOMPARE(scroll->maximum(), 1114);
        scroll->setValue(scroll->maximum());
        QCOMPARE(child<QSpinBox>(window, "Text3")->value(), 1114);
        QCOMPARE(rows->rowCount(), 1114 * (6 + 4));
        QCOMPARE(cell(rows, rows->rowCount() - 2, 7), QStringLiteral("06/02/2005 Domingo"));
        QCOMPARE(cell(rows, rows->rowCount() - 1, 1), QStringLiteral("7"));
        // The last row paints without delay.
        simple->scrollToBottom();
        QVERIFY(simple->indexAt(QPoint(5, simple->viewport()->height() - 5)).isValid());

        // "Ver sólo si hay premio": every bet row left has a prize message.
        child<QCheckBox>(window, "Check2")->click();
        QVERIFY(rows->rowCount() > 0);
        QVERIFY(rows->rowCount() < 1114 * 10);
        int bets = 0;
        for (int r = 0; r < rows->rowCount(); ++r) {
            if (!cell(rows, r, 1).isEmpty()) {
                ++bets;
                QVERIFY2(cell(rows, r, 7).startsWith(QStringLiteral("¡¡ Premio !! Has acertado ")), qPrintable(QString::number(r)));
            }
        }
        QVERIFY(bets > 0);

        // The other list: the multiple bet with its breakdown.
        scroll->setValue(1);
        child<QCheckBox>(window, "Check2")->click();
        QCOMPARE(child<QSpinBox>(window, "Text3")->value(), 1);
        auto *multipleButton = child<QPushButton>(window, "Command1_1");
        multipleButton->click();
        QVERIFY(multi->isVisible());
        QVERIFY(!simple->isVisible());
        QTRY_COMPARE(multi->maximumWidth(), QWIDGETSIZE_MAX); // grown into place
        QAbstractItemModel *m = multi->model();
        QCOMPARE(m->columnCount(), 14);
        // 7 numbers, 4 drawn (7 8 11 31), key matched: 6 x 2, 12 x 3, 3 x 4.
        QCOMPARE(m->rowCount(), 6);
        QCOMPARE(cell(m, 3, 5), QStringLiteral("40"));
        QCOMPARE(cell(m, 3, 8), QStringLiteral("."));
        QCOMPARE(cell(m, 3, 12), QStringLiteral("1"));
        QCOMPARE(cell(m, 3, 13), QStringLiteral("¡¡ Premio !! Hay 6 apuestas de 2 + Clave."));
        QCOMPARE(colour(m, 3, 13), QColor(0, 192, 0));
        QCOMPARE(cell(m, 4, 13), QStringLiteral("¡¡ Premio !! Hay 12 apuestas de 3 + Clave."));
        QCOMPARE(cell(m, 5, 13), QStringLiteral("¡¡ Premio !! Hay 3 apuestas de 4 + Clave."));
        QCOMPARE(colour(m, 5, 13), QColor(64, 0, 64));

        child<QPushButton>(window, "Command1_0")->click();
        QVERIFY(simple->isVisible());
        QVERIFY(!multi->isVisible());
    }

    void prizeAnimation()
    {
        FixedClock clock(QDate(2026, 8, 18));
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(m_dir.path()));
        MainWindow window(session);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents(); // the first activation's own refresh
        auto *timer = child<QTimer>(window, "Timer3");
        auto *simpleButton = child<QPushButton>(window, "Command1_0");
        auto *multipleButton = child<QPushButton>(window, "Command1_1");
        QVERIFY(!timer->isActive());

        // As after a download that stored a draw: both lists won, both flash.
        session.setStoredDrawsNotice(1);
        QCOMPARE(child<QLabel>(window, "Label19")->text(), QStringLiteral("1 sorteo"));
        session.scrutinizeSimpleSyndicates(1);
        QCOMPARE(session.notice().prizeBlink(), 3);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 800);
        QTRY_COMPARE(simpleButton->text(), QStringLiteral("P R E M I O"));
        QCOMPARE(multipleButton->text(), QStringLiteral("P R E M I O"));
        QVERIFY(simpleButton->styleSheet().contains(QStringLiteral("255, 0, 0")));
        QTRY_COMPARE(simpleButton->text(), QStringLiteral("S E N C I L L A"));
        QCOMPARE(multipleButton->text(), QStringLiteral("M Ú L T I P L E"));

        // A tab change stops it.
        child<QTabWidget>(window, "SSTab1")->setCurrentIndex(2);
        QVERIFY(!timer->isActive());
        QCOMPARE(simpleButton->text(), QStringLiteral("S E N C I L L A"));
        child<QTabWidget>(window, "SSTab1")->setCurrentIndex(0);
        session.setStoredDrawsNotice(1);
        session.clearPrizeBlink();
        session.scrutinizeSimpleSyndicates(1);
        QVERIFY(timer->isActive());

        // A list button stops it and clears the stored-draw counter.
        QTRY_COMPARE(simpleButton->text(), QStringLiteral("P R E M I O"));
        simpleButton->click();
        QVERIFY(!timer->isActive());
        QCOMPARE(simpleButton->text(), QStringLiteral("S E N C I L L A"));
        QCOMPARE(multipleButton->text(), QStringLiteral("M Ú L T I P L E"));
        QVERIFY(simpleButton->styleSheet().isEmpty());
        QCOMPARE(child<QLabel>(window, "Label19")->text(), QString());
    }

    void returnFromAChildWindow()
    {
        FixedClock clock(QDate(2026, 8, 18));
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(m_dir.path()));
        MainWindow window(session);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto *scroll = child<QScrollBar>(window, "HScroll1");
        auto *half = child<QScrollBar>(window, "HScroll2");

        // A modal box and back: the lists stay as they were.
        scroll->setValue(5);
        half->setValue(2);
        {
            QDialog box(&window);
            box.setModal(true);
            box.show();
            QVERIFY(QTest::qWaitForWindowActive(&box));
            box.hide();
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
        }
        QCoreApplication::processEvents();
        QCOMPARE(session.view().drawsToShow(), 5);

        // One of the program's own windows and back: the newest draw again.
        QWidget other;
        other.setWindowTitle(QStringLiteral("Crear peña"));
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        other.close();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTRY_COMPARE(session.view().drawsToShow(), 1);
        QCOMPARE(scroll->value(), 1);
        QCOMPARE(child<QSpinBox>(window, "Text3")->value(), 1);
        QCOMPARE(half->value(), 1);
        QCOMPARE(child<QTableView>(window, "ListView2")->model()->rowCount(), 6);
    }

    void syndicatesTab()
    {
        FixedClock clock(QDate(2026, 8, 18));
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(m_dir.path()));
        MainWindow window(session);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents(); // the first activation's own refresh
        child<QTabWidget>(window, "SSTab1")->setCurrentIndex(2);

        auto *list = child<QTreeWidget>(window, "ListView1");
        QCOMPARE(list->topLevelItemCount(), 3);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("LA FIJA"));
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("3"));
        QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("01/08/2026"));
        QCOMPARE(list->topLevelItem(0)->text(3), QStringLiteral("Domingo"));
        QCOMPARE(list->topLevelItem(2)->text(1), QStringLiteral("21"));
        QCOMPARE(child<QLabel>(window, "Label9_2")->text(), QStringLiteral("3"));

        // The first syndicate is shown: 3 draws since 1 August, two prizes of
        // 3 + key counted in the newest one.
        QCOMPARE(list->currentItem(), list->topLevelItem(0));
        auto *bets = child<QListWidget>(window, "List1");
        QCOMPARE(bets->count(), 4);
        QCOMPARE(bets->item(0)->text(), QStringLiteral("Número clave:  1"));
        QCOMPARE(bets->item(1)->text(), QStringLiteral(" 7- 8-11-20-21"));
        QCOMPARE(child<QLabel>(window, "Label3_3")->text(), QStringLiteral("2"));
        QCOMPARE(child<QLabel>(window, "Label17")->text(), QStringLiteral("3"));
        QCOMPARE(child<QLabel>(window, "Label16")->text(), QStringLiteral("66,7 %"));
        QCOMPARE(child<EffectivenessChart>(window, "MSChart3")->row(), (Summary::ChartRow {QStringLiteral(" "), 1, 2}));

        // Overall: 2 + 21 prizes in the 3 draws played since the oldest creation.
        QCOMPARE(child<QLabel>(window, "Label13")->text(), QStringLiteral("23"));
        QCOMPARE(child<QLineEdit>(window, "Text4")->text(), QStringLiteral("100% de efectividad en premios"));
        QCOMPARE(child<QLineEdit>(window, "Text5")->text(), QStringLiteral("en 3 sorteos"));
        QCOMPARE(child<EffectivenessChart>(window, "MSChart2")->row(), (Summary::ChartRow {QStringLiteral(" "), 0, 23}));

        // A click on the multiple bet.
        const QRect itemRect = list->visualItemRect(list->topLevelItem(2));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, itemRect.center());
        QCOMPARE(session.syndicates().selected(), 3);
        QCOMPARE(bets->count(), 2);
        QCOMPARE(bets->item(1)->text(), QStringLiteral(" 7- 8-11-31-40-41-42"));
        QCOMPARE(child<QLabel>(window, "Label3_1")->text(), QStringLiteral("6"));
        QCOMPARE(child<QLabel>(window, "Label3_3")->text(), QStringLiteral("12"));
        QCOMPARE(child<QLabel>(window, "Label3_5")->text(), QStringLiteral("3"));
        QCOMPARE(child<QLabel>(window, "Label16")->text(), QStringLiteral("700 %"));
        QCOMPARE(child<EffectivenessChart>(window, "MSChart3")->row(), (Summary::ChartRow {QStringLiteral(" "), 0, 21}));
        QCOMPARE(list->currentItem(), list->topLevelItem(2));

        // A syndicate created after the newest draw.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(1)).center());
        QCOMPARE(child<QLabel>(window, "Label17")->text(), QStringLiteral("0"));
        QCOMPARE(child<QLabel>(window, "Label16")->text(), QStringLiteral("0 %"));
        QVERIFY(prompter.boxes.isEmpty());
    }

    void membersPage()
    {
        FixedClock clock(QDate(2026, 8, 18));
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(m_dir.path()));
        MainWindow window(session);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        child<QTabWidget>(window, "SSTab1")->setCurrentIndex(2);
        child<QTabWidget>(window, "Detalles")->setCurrentIndex(2);
        auto *table = child<QTableView>(window, "TablaSocios");
        QAbstractItemModel *model = table->model();

        // No members yet: the organiser holds the whole peña.
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("Organizador"));
        QVERIFY(!(model->flags(model->index(0, 1)) & Qt::ItemIsEditable));

        // Two members added, one renamed and given three shares in place.
        child<QPushButton>(window, "AnadirSocio")->click();
        QApplication::processEvents();
        child<QPushButton>(window, "AnadirSocio")->click();
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(model->index(1, 0).data().toString(), QStringLiteral("Socio 2"));
        QVERIFY(model->setData(model->index(0, 0), QStringLiteral("  Pilar Ñúñez "), Qt::EditRole));
        QVERIFY(model->setData(model->index(0, 1), 3, Qt::EditRole));
        QVERIFY(!model->setData(model->index(1, 1), 0, Qt::EditRole)); // refused with a message
        QCOMPARE(prompter.titles(), QStringList {QStringLiteral("Socios")});
        QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("Pilar Ñúñez"));
        // A refused name comes back in the editor as it was typed, to be mended.
        const QModelIndex second = model->index(1, 0);
        auto *editor = qobject_cast<QLineEdit *>(table->indexWidget(second)); // opened by the last "Añadir socio"
        QVERIFY(editor);
        editor->setText(QStringLiteral("Luis \u202E"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(prompter.boxes.last().text.endsWith(QStringLiteral("U+202E")));
        QTRY_VERIFY(qobject_cast<QLineEdit *>(table->indexWidget(second))
                    && qobject_cast<QLineEdit *>(table->indexWidget(second))->text() == QStringLiteral("Luis \u202E"));
        QCOMPARE(model->index(1, 0).data().toString(), QStringLiteral("Socio 2"));
        QTest::keyClick(table->indexWidget(second), Qt::Key_Escape);
        prompter.boxes.clear();

        // The parts add up to the peña's figures, shown in the totals row.
        const Money::Totals totals = session.money().totals(1);
        QVERIFY(totals.stakeCents > 0);
        QCOMPARE(model->index(2, 0).data().toString(), QStringLiteral("Total"));
        QCOMPARE(model->index(2, 1).data().toInt(), 4);
        QCOMPARE(model->index(2, 2).data().toString(), formatEuros(totals.stakeCents));
        const auto rows = Membership(session).rows(1);
        QCOMPARE(rows[0].money.stakeCents + rows[1].money.stakeCents, totals.stakeCents);
        QCOMPARE(model->index(0, 2).data().toString(), formatEuros(rows[0].money.stakeCents));
        // The Dinero page says the same of the peña, and of all of them beside it.
        QCOMPARE(child<QLabel>(window, "DineroPena_0")->text(), formatEuros(totals.stakeCents));
        QCOMPARE(child<QLabel>(window, "DineroPena_2")->text(), formatEuros(totals.balanceCents));
        QCOMPARE(child<QLabel>(window, "DineroPena_3")->text(), QString::number(totals.unpricedDraws));
        QCOMPARE(child<QLabel>(window, "DineroTodas_1")->text(), formatEuros(session.money().totals(0).wonCents));
        // Balance is won less staked; without reports it says it is provisional.
        QCOMPARE(totals.balanceCents, totals.wonCents - totals.stakeCents);
        QCOMPARE(child<QLabel>(window, "DineroPenaProvisional")->text(), QStringLiteral("Esta peña: ") + Wording::provisionalText(totals));
        QCOMPARE(child<QLabel>(window, "SociosProvisional")->text(), QStringLiteral("Balance ") + Wording::provisionalText(totals));
        QCOMPARE(child<QLabel>(window, "DineroTodas_3")->text(), QString::number(session.money().totals(0).unpricedDraws));

        // The Premios page: a line per draw with a prize, the members under it.
        child<QTabWidget>(window, "Detalles")->setCurrentIndex(3);
        QApplication::processEvents();
        auto *prizes = child<QTreeView>(window, "ListaPremios");
        QAbstractItemModelTester tester(prizes->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        const PrizeList::List list = PrizeList::build(session);
        QCOMPARE(prizes->model()->rowCount(), int(list.size()));
        if (list.size() > 0) {
            const QModelIndex first = prizes->model()->index(0, PrizeListModel::Hits);
            QCOMPARE(first.data().toString(), Wording::hitsText(list.line(0).outcome));
            QCOMPARE(prizes->model()->rowCount(first.siblingAtColumn(0)), 2);
        }
        child<QTabWidget>(window, "Detalles")->setCurrentIndex(2);

        // Removing asks first; No keeps the member.
        table->setCurrentIndex(model->index(1, 0));
        child<QPushButton>(window, "QuitarSocio")->click();
        QCOMPARE(model->rowCount(), 3);
        prompter.answers = {Prompter::Answer::Yes};
        child<QPushButton>(window, "QuitarSocio")->click();
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(prompter.boxes.last().text, QStringLiteral("¿Quitar a Socio 2 de la peña LA FIJA?"));
    }

    // The balance chart's date labels differ from tick to tick, whatever
    // the range.
    void balanceChartDates_data()
    {
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("last");
        QTest::newRow("a week") << QDate(2026, 8, 9) << QDate(2026, 8, 16);
        QTest::newRow("two months") << QDate(2026, 6, 14) << QDate(2026, 8, 16);
        QTest::newRow("31 days across months") << QDate(2026, 1, 31) << QDate(2026, 3, 3);
        QTest::newRow("a year and a half") << QDate(2024, 12, 29) << QDate(2026, 8, 16);
        QTest::newRow("the whole history") << QDate(2005, 2, 6) << QDate(2026, 8, 16);
    }

    void balanceChartDates()
    {
        QFETCH(QDate, first);
        QFETCH(QDate, last);
        const BalanceChart::DateAxis axis = BalanceChart::dateAxisFor(first, last);
        QVERIFY(axis.ticks >= 2);
        const qint64 from = first.startOfDay().toMSecsSinceEpoch();
        const qint64 span = last.startOfDay().toMSecsSinceEpoch() - from;
        QStringList labels;
        for (int i = 0; i < axis.ticks; ++i)
            labels << QDateTime::fromMSecsSinceEpoch(from + span * i / (axis.ticks - 1)).toString(axis.format);
        QCOMPARE(labels.removeDuplicates(), 0);
    }

    void emptySyndicateFile()
    {
        QFile::remove(m_dir.filePath(QStringLiteral("apuestas.dat")));
        FixedClock clock(QDate(2026, 8, 18));
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(m_dir.path()));
        MainWindow window(session);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents(); // the first activation's own refresh
        auto *list = child<QTreeWidget>(window, "ListView1");
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("VACÍO"));
        QVERIFY(!child<QPushButton>(window, "Command2")->isEnabled());
        QVERIFY(!child<QPushButton>(window, "Command3")->isEnabled());
        QCOMPARE(child<QLineEdit>(window, "Text4")->text(), QStringLiteral("¡Nunca has acertado nada!"));
        QCOMPARE(child<QLineEdit>(window, "Text5")->text(), QString());
        QCOMPARE(child<QLabel>(window, "Label13")->text(), QStringLiteral("0"));
        QCOMPARE(child<QLabel>(window, "Label16")->text(), QStringLiteral("-"));
        QCOMPARE(child<QLabel>(window, "Label17")->text(), QStringLiteral("-"));
        QCOMPARE(child<QListWidget>(window, "List1")->count(), 0);
        QCOMPARE(child<EffectivenessChart>(window, "MSChart2")->row(), (Summary::ChartRow {QStringLiteral(" "), 1, 0}));
        QCOMPARE(child<EffectivenessChart>(window, "MSChart3")->row(), (Summary::ChartRow {QStringLiteral(" "), 0, 0}));
        // Clicking "VACÍO" selects nothing.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(0)).center());
        QCOMPARE(session.syndicates().selected(), 0);
        QCOMPARE(child<QTableView>(window, "ListView2")->model()->rowCount(), 0);
    }
};

QTEST_MAIN(TestResultsWindow)
#include "tst_resultswindow.moc"
