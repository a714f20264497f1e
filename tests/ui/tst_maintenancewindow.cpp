// The maintenance commands as the user reaches them in the main window:
// buttons, icons, menu entries and clicks on the lists.

#include "base/clock.h"
#include "base/filechooser.h"
#include "base/urlopener.h"
#include "core/maintenance.h"
#include "core/session.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

namespace
{
    class ScriptedChooser final : public FileChooser
    {
    public:
        QString chooseDrawFile() override { return next; }
        QString next;
    };

    class RecordingOpener final : public UrlOpener
    {
    public:
        void open(const QUrl &address) override { opened << address; }
        QList<QUrl> opened;
    };

    std::vector<DrawRecord> weeks(int count)
    {
        std::vector<DrawRecord> draws;
        for (int i = 0; i < count; ++i)
            draws.push_back(Fixtures::draw(QDate(2026, 1, 4).addDays(7 * i), {1, 2, 3, 4, 5 + i}, i % 10));
        return draws;
    }
}

class TestMaintenanceWindow : public QObject
{
    Q_OBJECT

    template <typename T>
    static T *child(QWidget &window, const char *name)
    {
        T *found = window.findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qWarning("no widget %s", name);
        return found;
    }

private slots:
    void drawsFromTheStatisticsTab()
    {
        QTemporaryDir dir, elsewhere;
        const auto old = weeks(3);
        Fixtures::writeFile(dir.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(old));
        FixedClock clock(QDate(2026, 12, 8));
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(dir.path()));
        MainWindow window(session);
        ScriptedChooser chooser;
        RecordingOpener opener;
        window.setFileChooser(&chooser);
        window.setUrlOpener(&opener);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(!prompter.boxes.isEmpty()); // the greeting
        prompter.boxes.clear();

        // "Añadir todos los sorteos" with the file chosen in the dialog.
        const QString chosen = elsewhere.filePath(QStringLiteral("NUMEROS.DAT"));
        Fixtures::writeFile(chosen, Fixtures::bytesOf(Fixtures::realDraws()));
        chooser.next = chosen;
        child<QPushButton>(window, "Command8")->click();
        QCOMPARE(prompter.titles(), QStringList {QStringLiteral("Todos los sorteos")});
        QCOMPARE(child<QLabel>(window, "Label7")->text(), QStringLiteral("TOTAL: 1114 sorteos."));
        QCOMPARE(Fixtures::readFile(dir.filePath(QStringLiteral("numeros.bak"))), Fixtures::bytesOf(old));

        // Its icon with the dialog cancelled points at the shipped history.
        prompter.boxes.clear();
        chooser.next.clear();
        child<QToolButton>(window, "Image1_4")->click();
        QCOMPARE(prompter.boxes.size(), 1);
        QVERIFY(prompter.boxes[0].text.startsWith(QStringLiteral("No se ha seleccionado ningún archivo.")));
        QVERIFY(opener.opened.isEmpty());

        // Clicking a draw does nothing before "Borrar todos los sorteos".
        auto *list = child<QTreeView>(window, "ListView3");
        prompter.boxes.clear();
        list->clicked(list->model()->index(0, 0));
        QVERIFY(prompter.boxes.isEmpty());

        // Both questions answered No: nothing goes, but single deletion is on.
        prompter.answers = {Prompter::Answer::No, Prompter::Answer::No};
        child<QPushButton>(window, "Command5")->click();
        QCOMPARE(prompter.boxes.size(), 2);
        QVERIFY(window.maintenance().drawDeleteMode());
        prompter.boxes.clear();
        prompter.answers = {Prompter::Answer::Yes};
        list->clicked(list->model()->index(0, 0));
        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.boxes[0].text, QStringLiteral("¿Seguro que quieres eliminar este sorteo?"));
        QCOMPARE(child<QLabel>(window, "Label7")->text(), QStringLiteral("TOTAL: 1113 sorteos."));
        QCOMPARE(list->model()->index(0, 1).data().toString(), QStringLiteral("09/08/2026  Domingo"));
        QCOMPARE(child<QLabel>(window, "Label9_3")->text(), QStringLiteral("Domingo, 9 de agosto del 2026"));

        // The menu entry deletes them all.
        prompter.answers = {Prompter::Answer::Yes, Prompter::Answer::No};
        window.findChild<QAction *>(QStringLiteral("borrpe"))->trigger();
        QCOMPARE(child<QLabel>(window, "Label7")->text(), QStringLiteral("TOTAL: 0 sorteos."));
        QCOMPARE(child<QLabel>(window, "Label9_3")->text(), QStringLiteral("Fichero de datos vacío."));
    }

    // "Eliminar este sorteo" on a draw of the list asks about that draw by
    // its date; No, the answer Enter gives, keeps every draw.
    void oneDrawFromItsMenu()
    {
        QTemporaryDir dir;
        const QString drawPath = dir.filePath(QStringLiteral("numeros.dat"));
        Fixtures::writeFile(drawPath, Fixtures::bytesOf(weeks(3)));
        FixedClock clock(QDate(2026, 12, 8));
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(dir.path()));
        MainWindow window(session);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(!prompter.boxes.isEmpty()); // the greeting
        prompter.boxes.clear();
        child<QTabWidget>(window, "SSTab1")->setCurrentIndex(3);
        auto *list = child<QTreeView>(window, "ListView3");

        QString offered;
        QTimer::singleShot(0, this, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            auto *remove = menu ? menu->findChild<QAction *>(QStringLiteral("EliminarSorteo")) : nullptr;
            if (!remove) {
                if (menu)
                    menu->close();
                return;
            }
            offered = remove->text();
            menu->setActiveAction(remove);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        // The second row: the draw of 11/01/2026, between the other two.
        emit list->customContextMenuRequested(list->visualRect(list->model()->index(1, 0)).center());
        QCOMPARE(offered, QStringLiteral("Eliminar este sorteo"));
        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.boxes[0].text,
                 QStringLiteral("¿Seguro que quieres eliminar el sorteo del Domingo, 11 de enero del 2026?"));
        QCOMPARE(Fixtures::readFile(drawPath), Fixtures::bytesOf(weeks(3)));
        QCOMPARE(child<QLabel>(window, "Label7")->text(), QStringLiteral("TOTAL: 3 sorteos."));
    }

    void syndicatesFromTheManagerTab()
    {
        QTemporaryDir dir;
        Fixtures::writeFile(dir.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(weeks(3)));
        Fixtures::writeFile(dir.filePath(QStringLiteral("apuestas.dat")), Fixtures::bytesOf({
                                                                              Fixtures::simpleSyndicate(QStringLiteral("UNO"), {{1, 2, 3, 4, 5}}, 1, QDate(2026, 1, 1)),
                                                                              Fixtures::simpleSyndicate(QStringLiteral("DOS"), {{6, 7, 8, 9, 10}}, 2, QDate(2026, 1, 1)),
                                                                          }));
        FixedClock clock(QDate(2026, 12, 8));
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(dir.path()));
        MainWindow window(session);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        auto *list = child<QTreeWidget>(window, "ListView1");
        QCOMPARE(list->topLevelItemCount(), 2);
        // Nothing clicked yet: the peña the tab shows is the one deletion and
        // printing act on.
        child<QToolButton>(window, "Image1_0")->click();
        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.boxes[0].text, QStringLiteral("¿Seguro que quieres eliminar la Peña UNO?"));
        QCOMPARE(list->topLevelItemCount(), 2);
        child<QPushButton>(window, "Command2")->click();
        QCOMPARE(prompter.boxes.size(), 1);
        QWidget *firstPrint = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String("Imprimir") && w->isVisible())
                firstPrint = w;
        }
        QVERIFY(firstPrint);
        firstPrint->close();

        // The arrow keys move the selection with the highlight: deletion asks
        // about the peña in sight, not the one clicked before.
        child<QTabWidget>(window, "SSTab1")->setCurrentIndex(2);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(session.syndicates().selected(), 2);
        prompter.boxes.clear();
        child<QPushButton>(window, "Command3")->click();
        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.boxes[0].text, QStringLiteral("¿Seguro que quieres eliminar la Peña DOS?"));
        QCOMPARE(list->topLevelItemCount(), 2);
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(session.syndicates().selected(), 1);

        list->itemClicked(list->topLevelItem(0), 0);
        QCOMPARE(session.syndicates().selected(), 1);
        prompter.boxes.clear();
        prompter.answers = {Prompter::Answer::Yes};
        child<QPushButton>(window, "Command3")->click();
        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.boxes[0].text, QStringLiteral("¿Seguro que quieres eliminar la Peña UNO?"));
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(0).trimmed(), QStringLiteral("DOS"));
        QCOMPARE(child<QLabel>(window, "Label9_2")->text(), QStringLiteral("1"));
        // The deleted syndicate is no longer selected.
        QCOMPARE(session.syndicates().selected(), 0);
        // DOS is shown now, so deletion asks about it.
        prompter.boxes.clear();
        prompter.answers = {Prompter::Answer::No};
        child<QPushButton>(window, "Command3")->click();
        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.boxes[0].text, QStringLiteral("¿Seguro que quieres eliminar la Peña DOS?"));
        QCOMPARE(list->topLevelItemCount(), 1);

        // Printing a selected syndicate opens the printing window.
        list->itemClicked(list->topLevelItem(0), 0);
        child<QPushButton>(window, "Command2")->click();
        QWidget *printing = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String("Imprimir") && w->isVisible())
                printing = w;
        }
        QVERIFY(printing);
        QCOMPARE(printing->windowTitle(), QStringLiteral("IMPRIMIR BOLETOS"));
    }
};

QTEST_MAIN(TestMaintenanceWindow)
#include "tst_maintenancewindow.moc"
