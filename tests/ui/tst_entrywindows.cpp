// The chooser, the creation slip, the splash and the about window, driven
// through their real widgets.

#include "base/clock.h"
#include "base/urlopener.h"
#include "core/session.h"
#include "core/syndicatecreation.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"
#include "ui/acercade.h"
#include "ui/crea.h"
#include "ui/creamenu.h"
#include "ui/presentacion.h"
#include "wording/outcomewording.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace
{
    const QDate kToday(2026, 12, 8);

    class RecordingOpener final : public UrlOpener
    {
    public:
        void open(const QUrl &address) override { opened << address; }
        QList<QUrl> opened;
    };

    template <typename T>
    T *child(QWidget &window, const QString &name)
    {
        auto *found = window.findChild<T *>(name);
        if (!found)
            qWarning("no widget %s", qPrintable(name));
        return found;
    }

    // On the box itself: a check box takes clicks on its box and caption only.
    QPoint boxPoint(QWidget *box)
    {
        return {8, box->height() / 2};
    }

    QStringList items(QListWidget *list)
    {
        QStringList lines;
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        return lines;
    }

    // With QUORVALE_SCREENSHOTS set, the windows are kept as pictures there.
    void keepPicture(QWidget &window, const char *name)
    {
        const QString dir = qEnvironmentVariable("QUORVALE_SCREENSHOTS");
        if (!dir.isEmpty())
            window.grab().save(dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
    }
}

class TestEntryWindows : public QObject
{
    Q_OBJECT

    void clickCell(Crea &window, int cell)
    {
        auto *button = child<QWidget>(window, QStringLiteral("Image1_%1").arg(cell));
        QVERIFY(button && button->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
    }

private slots:
    void simpleSyndicateOnTheSlip()
    {
        QTemporaryDir dir;
        FixedClock clock(kToday);
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(dir.path()));
        SyndicateCreation creation(session);
        Crea window(session, creation);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Crear peña nueva..."));
        QCOMPARE(child<QLabel>(window, "Label4")->text(), QStringLiteral("INTRODUZCA EL NOMBRE Y 5 NÚMEROS:"));
        QCOMPARE(child<QLabel>(window, "Label3")->text(), QStringLiteral("1"));
        QVERIFY(child<QWidget>(window, "Picture2")->isVisible());
        QVERIFY(!child<QWidget>(window, "Picture1")->isVisible());
        auto *save = child<QPushButton>(window, "Command1");
        auto *remove = child<QPushButton>(window, "Command2");
        QVERIFY(!save->isEnabled() && !remove->isEnabled());
        keepPicture(window, "crea-clave");

        clickCell(window, 54 + 7);
        QVERIFY(!child<QWidget>(window, "Picture2")->isVisible());
        QVERIFY(child<QWidget>(window, "Picture1")->isVisible());
        for (int n : {47, 3, 33, 12})
            clickCell(window, n - 1);
        keepPicture(window, "crea-numeros");
        clickCell(window, 25 - 1);
        for (int n : {1, 2, 3, 4, 5})
            clickCell(window, n - 1);
        for (int n : {54, 10, 20, 30})
            clickCell(window, n - 1);
        clickCell(window, 30 - 1); // unmarked again
        clickCell(window, 40 - 1);
        clickCell(window, 30 - 1);
        auto *list = child<QListWidget>(window, "List1");
        QCOMPARE(items(list), (QStringList {QStringLiteral("Número clave:   7"), QStringLiteral(" 3-12-25-33-47"), QStringLiteral(" 1- 2- 3- 4- 5"), QStringLiteral("10-20-30-40-54")}));
        QCOMPARE(child<QLabel>(window, "Label3")->text(), QStringLiteral("4"));
        QVERIFY(save->isEnabled() && remove->isEnabled());

        // "Grabar" without a name, then with one typed in lower case.
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.boxes.last().text, Wording::kNoName);
        QVERIFY(!remove->isEnabled() && !child<QPushButton>(window, "Command3")->isEnabled());
        clickCell(window, 8);
        QCOMPARE(prompter.boxes.last().text, Wording::kOnlyName);
        auto *name = child<QLineEdit>(window, "Text1");
        QTest::keyClicks(name, QStringLiteral("la pe"));
        QTest::sendKeyEvent(QTest::Press, name, Qt::Key_Ntilde, QStringLiteral("ñ"), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, name, Qt::Key_Ntilde, QStringLiteral("ñ"), Qt::NoModifier);
        QTest::keyClicks(name, QStringLiteral("a 3"));
        QCOMPARE(name->text(), QStringLiteral("LA PEÑA 3"));
        QSignalSpy saved(&window, &Crea::syndicateSaved);
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(saved.size(), 1);
        QCOMPARE(saved.first().first().toInt(), 1);
        QCOMPARE(prompter.boxes.size(), 2);
        QCOMPARE(child<QLabel>(window, "Grabada")->text(), QStringLiteral("Peña LA PEÑA 3 grabada (3 apuestas)"));

        const SyndicateRecord record = session.syndicates().file().get(1);
        QCOMPARE(record.name(), QStringLiteral("LA PEÑA 3"));
        QCOMPARE(int(record.kind), 3);
        QCOMPARE(record.key(), 7);
        QCOMPARE(std::vector<int>(record.betNumbers(3).begin(), record.betNumbers(3).end()),
                 (std::vector<int> {10, 20, 30, 40, 54}));
        QVERIFY(creation.syndicateCreated());

        // Emptied, back on the key panel, ready for the next one.
        QVERIFY(name->text().isEmpty());
        QCOMPARE(list->count(), 0);
        QCOMPARE(child<QLabel>(window, "Label3")->text(), QStringLiteral("1"));
        QVERIFY(child<QWidget>(window, "Picture2")->isVisible());
        QVERIFY(!save->isEnabled());

        clickCell(window, 54);
        for (int n : {6, 7, 8, 9, 11})
            clickCell(window, n - 1);
        // "Borrar" twice: the bet, then the key line and back to the key panel.
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(items(list), QStringList {QStringLiteral("Número clave:   0")});
        QCOMPARE(child<QLabel>(window, "Label3")->text(), QStringLiteral("1"));
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(list->count(), 0);
        QVERIFY(child<QWidget>(window, "Picture2")->isVisible());
        QVERIFY(!remove->isEnabled() && !save->isEnabled());
        clickCell(window, 54 + 2);
        for (int n : {6, 7, 8, 9, 11})
            clickCell(window, n - 1);
        QTest::keyClicks(name, QStringLiteral("segunda"));
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(saved.size(), 2);
        QCOMPARE(saved.last().first().toInt(), 2);
        QCOMPARE(session.syndicates().file().get(2).name(), QStringLiteral("SEGUNDA"));
        QCOMPARE(session.syndicates().file().get(2).key(), 2);
        QCOMPARE(session.syndicates().nextRecord(), 3);

        // Saved, it goes without a question; a key marked again, Escape and
        // "Cancelar" ask first, and No keeps it.
        const qsizetype asked = prompter.boxes.size();
        QVERIFY(!window.hasUnsavedInput());
        clickCell(window, 54 + 4);
        QTest::keyClick(name, Qt::Key_Escape);
        QCOMPARE(prompter.boxes.size(), asked + 1);
        QCOMPARE(prompter.boxes.last().text, QStringLiteral("¿Descartar la peña sin grabar?"));
        QVERIFY(window.isVisible());
        prompter.answers = {Prompter::Answer::Yes};
        child<QPushButton>(window, "Cancelar")->click();
        QVERIFY(!window.isVisible());
    }

    void nameRules()
    {
        QTemporaryDir dir;
        FixedClock clock(kToday);
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(dir.path()));
        SyndicateCreation creation(session);
        Crea window(session, creation);
        window.show();
        auto *name = child<QLineEdit>(window, "Text1");
        QTest::keyClicks(name, QStringLiteral("abcdefghijklmnopqrst"));
        QCOMPARE(name->text(), QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
        QVERIFY(prompter.boxes.isEmpty());
        QTest::keyClicks(name, QStringLiteral("u"));
        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.boxes.first().text, Wording::kNameTooLong);
        QCOMPARE(prompter.boxes.first().title, QStringLiteral("Error"));
        QCOMPARE(name->text(), QStringLiteral("AYYYYYY!!"));
        // Pasted text keeps its case.
        name->clear();
        name->insert(QStringLiteral("Pegado"));
        QCOMPARE(name->text(), QStringLiteral("Pegado"));
    }

    void randomOnTheSlip()
    {
        QTemporaryDir dir;
        FixedClock clock(kToday);
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(dir.path()));
        SyndicateCreation creation(session);
        creation.setMultipleSize(2);
        Crea window(session, creation);
        window.show();
        auto *random = child<QPushButton>(window, "Command3");
        QTest::mouseClick(random, Qt::LeftButton); // the key
        QVERIFY(child<QWidget>(window, "Picture1")->isVisible());
        QTest::mouseClick(random, Qt::LeftButton); // the 7 numbers
        auto *list = child<QListWidget>(window, "List1");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(1)->text().split(QLatin1Char('-')).size(), 7);
        QTest::mouseClick(random, Qt::LeftButton);
        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.boxes.first().text, Wording::kOneMultiple);
        QCOMPARE(list->count(), 2);
    }

    void chooser()
    {
        QTemporaryDir dir;
        FixedClock clock(kToday);
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(dir.path()));
        SyndicateCreation creation(session);
        Creamenu menu(creation);
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QCOMPARE(menu.windowTitle(), QStringLiteral("Menú creación"));
        QCOMPARE(child<QTimer>(menu, "Timer1")->interval(), 500);
        QVERIFY(!child<QLabel>(menu, "Label1_0")->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(child<QLabel>(menu, "Label1_1")->isVisible(), 3000);
        QVERIFY(!child<QLabel>(menu, "Label1_17")->isVisible());

        auto *multiple = child<QCheckBox>(menu, "Check1_0");
        QVERIFY(!child<QRadioButton>(menu, "Option1_3")->isVisible());
        QTest::mouseClick(multiple, Qt::LeftButton, {}, boxPoint(multiple));
        QVERIFY(child<QWidget>(menu, "Shape2")->isVisible());
        QCOMPARE(child<QRadioButton>(menu, "Option1_6")->text(), QStringLiteral("11 números (462 apuestas)"));
        QTest::mouseClick(multiple, Qt::LeftButton, {}, boxPoint(multiple));
        QVERIFY(!child<QRadioButton>(menu, "Option1_3")->isVisible());
        QTest::mouseClick(multiple, Qt::LeftButton, {}, boxPoint(multiple));
        QTRY_VERIFY_WITH_TIMEOUT(child<QLabel>(menu, "Label1_5")->isVisible(), 4000);
        keepPicture(menu, "creamenu");

        QSignalSpy chosen(&menu, &Creamenu::creationChosen);
        QTest::mouseClick(child<QRadioButton>(menu, "Option1_3"), Qt::LeftButton);
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(creation.multipleSize(), 3);
        QVERIFY(!menu.isVisible());

        Creamenu again(creation);
        again.show();
        QSignalSpy chosenAgain(&again, &Creamenu::creationChosen);
        auto *simple = child<QCheckBox>(again, "Check1_1");
        QTest::mouseClick(simple, Qt::LeftButton, {}, boxPoint(simple));
        QCOMPARE(chosenAgain.size(), 1);
        QCOMPARE(creation.multipleSize(), 0);
    }

    void splashOpensTheMainWindowOnce()
    {
        Presentacion splash;
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        keepPicture(splash, "presentacion");
        QSignalSpy entered(&splash, &Presentacion::enterRequested);
        QTest::mouseClick(child<QPushButton>(splash, "Command1"), Qt::LeftButton);
        QCOMPARE(entered.size(), 1);
        QVERIFY(!child<QTimer>(splash, "Timer1")->isActive());
        for (int i = 0; i < 50; ++i)
            splash.tick();
        QTest::mouseClick(child<QPushButton>(splash, "Command1"), Qt::LeftButton);
        QCOMPARE(entered.size(), 1);

        // Left alone, it opens on the 38th tick.
        Presentacion waiting;
        QCOMPARE(child<QTimer>(waiting, "Timer1")->interval(), 250);
        QSignalSpy opened(&waiting, &Presentacion::enterRequested);
        for (int i = 0; i < 37; ++i)
            waiting.tick();
        QCOMPARE(opened.size(), 0);
        waiting.tick();
        QCOMPARE(opened.size(), 1);
        for (int i = 0; i < 5; ++i)
            waiting.tick();
        QCOMPARE(opened.size(), 1);
    }

    void aboutSystemLine_data()
    {
        QTest::addColumn<QString>("kernel");
        QTest::addColumn<bool>("windows");
        QTest::addColumn<QString>("line");
        QTest::newRow("debian 12") << QStringLiteral("6.1.0-18-amd64") << false << QStringLiteral("S.O: 2.6.1");
        QTest::newRow("two parts") << QStringLiteral("5.15") << false << QStringLiteral("S.O: 2.5.15");
        QTest::newRow("major only") << QStringLiteral("7") << false << QStringLiteral("S.O: 2.7.0");
        QTest::newRow("garbage") << QStringLiteral("unknown") << false << QStringLiteral("S.O: 2.0.0");
        QTest::newRow("windows 10") << QStringLiteral("10.0.19045") << true << QStringLiteral("S.O: Windows 10");
        QTest::newRow("windows 7") << QStringLiteral("6.1.7601") << true << QStringLiteral("S.O: Windows 7");
        QTest::newRow("windows 8.1") << QStringLiteral("6.3.9600") << true << QStringLiteral("S.O: 2.6.3");
        QTest::newRow("xp") << QStringLiteral("5.1") << true << QStringLiteral("S.O: Windows XP");
    }

    void aboutSystemLine()
    {
        QFETCH(QString, kernel);
        QFETCH(bool, windows);
        QFETCH(QString, line);
        QCOMPARE(Acercade::osVersionLine(Acercade::versionFromKernel(kernel), windows), line);
    }

    void aboutWindow()
    {
        Endpoints endpoints;
        endpoints.webSite = QUrl(QStringLiteral("https://mirror.example/quorvale"));
        RecordingOpener opener;
        Acercade about(endpoints, opener);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(about.windowTitle(), QStringLiteral("Quorvale 1.3.80"));
        QCOMPARE(child<QLabel>(about, "Label4")->text(), QStringLiteral("S.O: ") + QSysInfo::prettyProductName());
        QVERIFY(Acercade::nativeGetVersion().startsWith(QStringLiteral("2.")));
        keepPicture(about, "acercade");
        QTest::mouseClick(child<QLabel>(about, "Label2"), Qt::LeftButton);
        QCOMPARE(opener.opened, QList<QUrl> {endpoints.webSite});

        // Without a web site the link leads to the installed guide, named as
        // such; with neither there is no link at all.
        Endpoints local;
        local.userGuide = QUrl::fromLocalFile(QStringLiteral("/usr/share/doc/quorvale/guia.html"));
        RecordingOpener guideOpener;
        Acercade guideAbout(local, guideOpener);
        guideAbout.show();
        QVERIFY(QTest::qWaitForWindowExposed(&guideAbout));
        QCOMPARE(child<QLabel>(guideAbout, "Label2")->text(), QStringLiteral("Guía del usuario"));
        QTest::mouseClick(child<QLabel>(guideAbout, "Label2"), Qt::LeftButton);
        QCOMPARE(guideOpener.opened, QList<QUrl> {local.userGuide});
        Acercade bare(Endpoints {}, guideOpener);
        QVERIFY(child<QLabel>(bare, "Label2")->isHidden());
    }
};

QTEST_MAIN(TestEntryWindows)
#include "tst_entrywindows.moc"
