// The main window as a user sees it: widgets found by their names, texts and
// chart values read from the screen.

#include "base/clock.h"
#include "base/filechooser.h"
#include "base/qttranslations.h"
#include "core/maintenance.h"
#include "core/session.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"
#include "support/smalldisk.h"
#include "ui/desktopseams.h"
#include "ui/frequencychart.h"
#include "ui/mainwindow.h"
#include "ui/messageboxprompter.h"
#include "ui/printwindow.h"
#include "ui/systemprintdialog.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
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
        QCOMPARE(chart->counts().first(), session.draws().list().numberTally[0]);
        half->setValue(2);
        QCOMPARE(chart->labels().first(), QStringLiteral(" 28"));
        QCOMPARE(chart->counts().last(), session.draws().list().numberTally[53]);

        tabs->setCurrentIndex(3);
        child<QRadioButton>(window, "Option1_1")->click();
        QCOMPARE(chart->labels(), (QStringList {QStringLiteral(" 0"), QStringLiteral(" 1"), QStringLiteral(" 2"), QStringLiteral(" 3"), QStringLiteral(" 4"), QStringLiteral(" 5"), QStringLiteral(" 6"), QStringLiteral(" 7"), QStringLiteral(" 8"), QStringLiteral(" 9")}));
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
        QVERIFY(session.view().historico());
        QVERIFY(session.view().soloPremio());
        window.findChild<QAction *>(QStringLiteral("verpremio"))->trigger();
        QVERIFY(!session.view().historico());
        QVERIFY(session.view().soloPremio());
    }

    // A click back on the main window with a peña half typed asks first:
    // No keeps the window and what it holds, Yes lets it go.
    void halfTypedPenaIsNotLostUnasked()
    {
        QTemporaryDir dir;
        FixedClock clock(QDate(2026, 12, 8));
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(dir.path()));
        MainWindow window(session);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.findChild<QAction *>(QStringLiteral("Crearp"))->trigger();
        auto *chooser = window.findChild<QWidget *>(QStringLiteral("Creamenu"));
        QVERIFY(chooser);
        child<QCheckBox>(*chooser, "Check1_1")->click();
        QPointer<QWidget> crea;
        QTRY_VERIFY((crea = window.findChild<QWidget *>(QStringLiteral("Crea"))) && crea->isVisible());
        QTest::keyClicks(child<QLineEdit>(*crea, "Text1"), QStringLiteral("A MEDIAS"));
        crea->activateWindow();
        QTRY_COMPARE(QGuiApplication::focusWindow(), crea->windowHandle());

        prompter.boxes.clear();
        window.activateWindow();
        QTRY_COMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.boxes.first().text, QStringLiteral("¿Descartar la peña sin grabar?"));
        QVERIFY(crea && crea->isVisible());
        QCOMPARE(child<QLineEdit>(*crea, "Text1")->text(), QStringLiteral("A MEDIAS"));

        QTRY_COMPARE(QGuiApplication::focusWindow(), crea->windowHandle());
        prompter.answers = {Prompter::Answer::Yes};
        window.activateWindow();
        QTRY_VERIFY(!crea);
        QCOMPARE(prompter.boxes.size(), 2);
    }

    // A write-protected disk: everything is shown, printing to a PDF
    // elsewhere works, a banner says why nothing changes, and the commands
    // that write are off (and refused by the engine all the same).
    void readOnlyDataDirectory()
    {
        SmallDisk disk(1024);
        if (!disk.mounted())
            QSKIP("mounting a tmpfs needs root");
        Fixtures::writeFile(disk.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(Fixtures::realDraws()));
        Fixtures::writeFile(disk.filePath(QStringLiteral("apuestas.dat")),
                            Fixtures::bytesOf({Fixtures::simpleSyndicate(QStringLiteral("LOS DEL BAR"), {{7, 8, 11, 31, 35}}, 1,
                                                                         QDate(2025, 1, 5))}));
        QVERIFY(disk.makeReadOnly());
        FixedClock clock(QDate(2026, 12, 8));
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(disk.path()));
        QVERIFY(session.isReadOnly());
        MainWindow window(session);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *banner = child<QLabel>(window, "SoloLectura");
        QVERIFY(banner && banner->isVisible());
        QVERIFY2(banner->text().contains(QStringLiteral("sólo lectura")) && banner->text().contains(disk.path()),
                 qPrintable(banner->text()));
        QCOMPARE(child<QTreeView>(window, "ListView3")->model()->rowCount(), 1114);
        QCOMPARE(session.syndicates().records().front().name().trimmed(), QStringLiteral("LOS DEL BAR"));
        QVERIFY(session.money().totals(1).drawsPlayed > 0);
        for (const char *name : {"Baja", "Crearp", "borrpe"})
            QVERIFY2(!child<QAction>(window, name)->isEnabled(), name);
        for (const char *name : {"Command3", "Command4", "Command5", "Command8", "AnadirSocio"})
            QVERIFY2(!child<QWidget>(window, name)->isEnabled(), name);
        QVERIFY(child<QWidget>(window, "Command2")->isEnabled());

        prompter.answers = {Prompter::Answer::Yes, Prompter::Answer::Yes};
        QVERIFY(!prompter.report(window.maintenance().deleteAllDraws()).changed());
        QCOMPARE(prompter.boxes.last().title, QStringLiteral("Sólo lectura"));
        QCOMPARE(session.storedDraws(), 1114);

        QTemporaryDir elsewhere;
        struct Chooser final : FileChooser
        {
            QString path;
            QString chooseDrawFile() override { return {}; }
            QString choosePdfFile(const QString &) override { return path; }
        } chooser;
        chooser.path = elsewhere.filePath(QStringLiteral("peña.pdf"));
        SystemPrintDialog dialog;
        Imprimir printing(session, 1, dialog);
        printing.setFileChooser(&chooser);
        child<QPushButton>(printing, "GuardarPdf")->click();
        QVERIFY(Fixtures::readFile(chooser.path).startsWith("%PDF"));
        QVERIFY(prompter.boxes.last().text.endsWith(chooser.path));
    }

    // Where no browser can be started the guide opens in the program, and
    // any other address shows itself to be copied.
    void helpOpensWithoutABrowser()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("img")));
        Fixtures::writeFile(dir.filePath(QStringLiteral("guia.html")),
                            QStringLiteral("<html><body><h1>Guía</h1><img src=\"img/a.png\"></body></html>").toUtf8());
        QImage picture(12, 10, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(dir.filePath(QStringLiteral("img/a.png"))));
        QWidget owner;
        DesktopUrlOpener opener([](const QUrl &) { return false; });
        opener.setParent(&owner);
        opener.open(QUrl::fromLocalFile(dir.filePath(QStringLiteral("guia.html"))));
        auto *text = owner.findChild<QTextBrowser *>(QStringLiteral("TextoGuia"));
        QVERIFY(text && text->window()->isVisible());
        QVERIFY(text->toPlainText().contains(QStringLiteral("Guía")));
        QCOMPARE(text->document()->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("img/a.png"))).value<QImage>().size(),
                 QSize(12, 10));

        opener.open(QUrl(QStringLiteral("https://example.org/quorvale")));
        auto *address = owner.findChild<QLineEdit *>(QStringLiteral("TextoDireccion"));
        QVERIFY(address && address->isReadOnly());
        QCOMPARE(address->text(), QStringLiteral("https://example.org/quorvale"));
        QApplication::clipboard()->clear();
        owner.findChild<QPushButton *>(QStringLiteral("Copiar"))->click();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("https://example.org/quorvale"));
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
