// The main window as a user sees it: widgets found by their names, texts and
// chart values read from the screen.

#include "base/clock.h"
#include "base/qttranslations.h"
#include "core/session.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"
#include "ui/frequencychart.h"
#include "ui/mainwindow.h"
#include "ui/messageboxprompter.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

class TestMainWindow : public QObject
{
    Q_OBJECT

    template <typename T>
    static T *child(QWidget &window, const char *name)
    {
        return window.findChild<T *>(QString::fromLatin1(name));
    }

private slots:
    void frameAndStatistics()
    {
        QTemporaryDir dir;
        Fixtures::writeFile(dir.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(Fixtures::realDraws()));
        FixedClock clock(QDate(2026, 12, 8));
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(dir.path()));
        MainWindow window(session);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QVERIFY(window.windowTitle().startsWith(QStringLiteral("Quorvale - Para El Gordo de la Primitiva.")));
        auto *tabs = child<QTabWidget>(window, "SSTab1");
        QCOMPARE(tabs->count(), 4);
        QCOMPARE(tabs->tabText(0), QStringLiteral("General"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Último sorteo"));
        QCOMPARE(tabs->tabText(2), QStringLiteral("Gestor de peñas"));
        QCOMPARE(tabs->tabText(3), QStringLiteral("Estadísticas"));
        for (const char *name : {"Baja", "Crearp", "borrpe", "sencillas", "verpremio", "verhisto", "verprehi",
                                 "Multiples", "verpremiom", "verhistom", "verpreim", "salir", "gene", "ultimo",
                                 "Gestor", "esta", "Leer", "guia", "web", "acerca"})
            QVERIFY2(window.findChild<QAction *>(QString::fromLatin1(name)), name);
        // No guide installed and no web site: nothing to open, so greyed.
        QVERIFY(!child<QAction>(window, "guia")->isEnabled());
        QVERIFY(!child<QAction>(window, "web")->isEnabled());

        // The welcome box, once, with no syndicate stored.
        QTRY_COMPARE(prompter.titles(), QStringList {QStringLiteral("Fichero de peñas vacío")});

        QCOMPARE(child<QLabel>(window, "Label9_3")->text(), QStringLiteral("Domingo, 16 de agosto del 2026"));
        QCOMPARE(child<QLabel>(window, "Label9_5")->text(), QStringLiteral("Domingo, 13 de diciembre del 2026"));
        QCOMPARE(child<QLabel>(window, "Label9_6")->text(), QStringLiteral("Faltan 16 sorteos por actualizar"));
        QCOMPARE(child<QLabel>(window, "Label9_2")->text(), QStringLiteral("0"));
        QVERIFY(child<QCheckBox>(window, "Check1")->isEnabled());
        QCOMPARE(child<QScrollBar>(window, "HScroll1")->maximum(), 1114);
        // The warning blinks.
        auto *warning = child<QLabel>(window, "Label9_6");
        const bool shown = warning->isVisible();
        QTRY_COMPARE_WITH_TIMEOUT(warning->isVisible(), !shown, 2000);

        auto *list = child<QTreeView>(window, "ListView3");
        QAbstractItemModelTester tester(list->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(list->model()->rowCount(), 1114);
        QCOMPARE(list->model()->index(0, 0).data().toString(), QStringLiteral(" 7- 8-11-31-35  NÚM.CLAVE: 1"));
        QCOMPARE(list->model()->index(0, 1).data().toString(), QStringLiteral("16/08/2026  Domingo"));
        QVERIFY(list->model()->index(0, 0).data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Números ganadores"));
        QCOMPARE(child<QLabel>(window, "Label7")->text(), QStringLiteral("TOTAL: 1114 sorteos."));

        auto *chart = child<FrequencyChart>(window, "MSChart1");
        auto *half = child<QScrollBar>(window, "HScroll2");
        QCOMPARE(chart->labels().size(), 27);
        QCOMPARE(chart->labels().first(), QStringLiteral(" 1"));
        QCOMPARE(chart->counts().first(), session.drawList().numberTally[0]);
        half->setValue(2);
        QCOMPARE(chart->labels().first(), QStringLiteral(" 28"));
        QCOMPARE(chart->counts().last(), session.drawList().numberTally[53]);

        tabs->setCurrentIndex(3);
        child<QRadioButton>(window, "Option1_1")->click();
        QCOMPARE(chart->labels(), (QStringList {QStringLiteral(" 0"), QStringLiteral(" 1"), QStringLiteral(" 2"),
                                                QStringLiteral(" 3"), QStringLiteral(" 4"), QStringLiteral(" 5"),
                                                QStringLiteral(" 6"), QStringLiteral(" 7"), QStringLiteral(" 8"),
                                                QStringLiteral(" 9")}));
        QVERIFY(!half->isEnabled());
        child<QRadioButton>(window, "Option1_0")->click();
        QVERIFY(half->isEnabled());
        QCOMPARE(chart->labels().first(), QStringLiteral(" 28"));
    }

    void emptyFileAndMenuChecks()
    {
        QTemporaryDir dir;
        FixedClock clock(QDate(2026, 12, 8));
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(dir.path()));
        MainWindow window(session);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(child<QLabel>(window, "Label9_3")->text(), QStringLiteral("Fichero de datos vacío."));
        QVERIFY(!child<QCheckBox>(window, "Check1")->isEnabled());
        QVERIFY(!child<QScrollBar>(window, "HScroll1")->isEnabled());
        QCOMPARE(child<QLabel>(window, "Label7")->text(), QStringLiteral("TOTAL: 0 sorteos."));

        // A menu entry sets the boxes and lands on tab 0.
        child<QTabWidget>(window, "SSTab1")->setCurrentIndex(2);
        window.findChild<QAction *>(QStringLiteral("verprehi"))->trigger();
        QCOMPARE(child<QTabWidget>(window, "SSTab1")->currentIndex(), 0);
        QVERIFY(session.historico());
        QVERIFY(session.soloPremio());
        window.findChild<QAction *>(QStringLiteral("verpremio"))->trigger();
        QVERIFY(!session.historico());
        QVERIFY(session.soloPremio());
    }

    // Qt's own buttons speak Spanish, and Enter on a question keeps things
    // as they are: a question answered by accident deletes nothing. What Qt
    // formats by itself in the window is Spanish too.
    void questionsInSpanishDefaultNo()
    {
        QVERIFY(installQtTranslations(QtSpanish::TextsAndLocale));
        QCOMPARE(QLocale().toString(1.5), QStringLiteral("1,5"));
        MessageBoxPrompter prompter;
        QStringList buttons;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            for (QAbstractButton *button : box->buttons())
                buttons << button->text().remove(QLatin1Char('&'));
            QTest::keyClick(box, Qt::Key_Return);
        });
        QVERIFY(!prompter.ask(QStringLiteral("Borrar..."), QStringLiteral("¿Seguro que quieres borrar todos los sorteos?")));
        buttons.sort();
        QCOMPARE(buttons, (QStringList {QStringLiteral("No"), QStringLiteral("Sí")}));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
