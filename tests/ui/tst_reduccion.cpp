// The reduction window as a player uses it: eleven numbers, "4 aciertos si
// salen 5", Calcular, the proven set and its outcomes, saved as a peña that
// then checks at 100 %; Parar keeps a valid set; the chooser opens it.

#include "base/clock.h"
#include "core/session.h"
#include "core/syndicatecreation.h"
#include "support/recordingprompter.h"
#include "ui/creamenu.h"
#include "ui/reduccion.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace
{
    void keepPicture(QWidget &window, const char *name)
    {
        const QString dir = qEnvironmentVariable("QUORVALE_SCREENSHOTS");
        if (!dir.isEmpty())
            window.grab().save(dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
    }

    void clickNumbers(Reduccion &window, std::initializer_list<int> numbers)
    {
        for (int n : numbers)
            QTest::mouseClick(window.findChild<QToolButton *>(QStringLiteral("Numero_%1").arg(n)), Qt::LeftButton);
    }
}

class TestReduccion : public QObject
{
    Q_OBJECT

private slots:
    void elevenNumbersFourIfFive()
    {
        QTemporaryDir dir;
        FixedClock clock(QDate(2026, 12, 8));
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(dir.path()));

        Reduccion window(session);
        window.resize(1100, 640);
        window.show();
        window.setSeconds(3);
        auto *calculate = window.findChild<QPushButton *>(QStringLiteral("Calcular"));
        QVERIFY(!calculate->isEnabled());
        clickNumbers(window, {4, 9, 13, 17, 21, 26, 30, 35, 41, 48, 52});
        auto *guarantee = window.findChild<QComboBox *>(QStringLiteral("Garantia"));
        QCOMPARE(guarantee->currentText(), QStringLiteral("4 aciertos si salen 5 de tus números"));
        const QString known = window.findChild<QLabel *>(QStringLiteral("Conocida"))->text();
        QVERIFY2(known.contains(QStringLiteral("22 apuestas, 33,00 €")), qPrintable(known));
        QVERIFY2(known.contains(QStringLiteral("462 apuestas, 693,00 €")), qPrintable(known));
        QVERIFY(calculate->isEnabled());

        QSignalSpy finished(&window, &Reduccion::calculationFinished);
        QTest::mouseClick(calculate, Qt::LeftButton);
        QVERIFY(window.isCalculating());
        QVERIFY(finished.wait(60000));
        const Wheel::Result &result = window.result();
        QVERIFY(!result.bets.empty());
        QVERIFY(result.check.coverage.holds());
        auto *bets = window.findChild<QTableWidget *>(QStringLiteral("Apuestas"));
        QCOMPARE(bets->rowCount(), int(result.bets.size()));
        QCOMPARE(bets->item(0, 0)->text().toInt(), result.bets.front()[0]);
        auto *outcomes = window.findChild<QTableWidget *>(QStringLiteral("Resultados"));
        QCOMPARE(outcomes->rowCount(), 4);
        QCOMPARE(outcomes->item(3, 0)->text(), QStringLiteral("5"));
        QCOMPARE(outcomes->item(3, 2)->text(), QStringLiteral("4")); // at least 4 hits when 5 are drawn
        keepPicture(window, "reduccion");

        auto *name = window.findChild<QLineEdit *>(QStringLiteral("Nombre"));
        QTest::keyClicks(name, QStringLiteral("once"));
        QCOMPARE(name->text(), QStringLiteral("ONCE"));
        window.findChild<QSpinBox *>(QStringLiteral("Clave"))->setValue(7);
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("GuardarPenas")), Qt::LeftButton);
        QCOMPARE(int(session.syndicates().records().size()), 1);
        const SyndicateRecord &saved = session.syndicates().records().front();
        QCOMPARE(saved.name(), QStringLiteral("ONCE"));
        QCOMPARE(int(saved.kind), int(result.bets.size()));
        QCOMPARE(saved.key(), 7);

        window.checkSyndicates({1});
        const QString status = window.findChild<QLabel *>(QStringLiteral("Estado"))->text();
        QVERIFY2(status.contains(QStringLiteral("100,00 %")), qPrintable(status));
    }

    void stopKeepsAValidSet()
    {
        QTemporaryDir dir;
        FixedClock clock(QDate(2026, 12, 8));
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(dir.path()));
        Reduccion window(session);
        window.show();
        window.setSeconds(600);
        clickNumbers(window, {1, 2, 3, 5, 8, 13, 15, 18, 21, 24, 27, 30, 33, 36, 39, 42, 45, 48, 50, 54});
        window.findChild<QComboBox *>(QStringLiteral("Garantia"))->setCurrentText(QStringLiteral("3 aciertos si salen 3 de tus números"));
        QSignalSpy finished(&window, &Reduccion::calculationFinished);
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("Calcular")), Qt::LeftButton);
        QTest::qWait(300);
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("Parar")), Qt::LeftButton);
        QVERIFY(finished.wait(10000));
        QVERIFY(window.result().check.coverage.holds());
        QVERIFY(window.result().cancelled);
    }

    void chooserOpensIt()
    {
        QTemporaryDir dir;
        FixedClock clock(QDate(2026, 12, 8));
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QVERIFY(session.start(dir.path()));
        SyndicateCreation creation(session);
        Creamenu chooser(creation);
        chooser.show();
        keepPicture(chooser, "creamenu");
        QSignalSpy chosen(&chooser, &Creamenu::reductionChosen);
        QTest::mouseClick(chooser.findChild<QPushButton *>(QStringLiteral("Reduccion")), Qt::LeftButton);
        QCOMPARE(chosen.count(), 1);
        QVERIFY(!chooser.isVisible());
    }
};

QTEST_MAIN(TestReduccion)
#include "tst_reduccion.moc"
