// The printing window driven through its widgets: what it shows, the
// calibration boxes against the bytes of nums.ini, and the print buttons
// through a print dialog that records or is cancelled.

#include "base/clock.h"
#include "base/filechooser.h"
#include "core/session.h"
#include "print/printdialog.h"
#include "print/recordingsurface.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"
#include "ui/printwindow.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace
{
    const QDate kToday(2026, 3, 1);

    class ScriptedPrintDialog final : public PrintDialog
    {
    public:
        bool print(const Job &job) override
        {
            ++asked;
            if (!accept)
                return false;
            surface = RecordingSurface();
            job(surface);
            return true;
        }

        QString errorString() const override { return error; }

        bool accept = true;
        QString error;
        int asked = 0;
        RecordingSurface surface;
    };

    class ScriptedChooser final : public FileChooser
    {
    public:
        QString chooseDrawFile() override { return {}; }
        QString choosePdfFile(const QString &suggestedName) override
        {
            suggested = suggestedName;
            return path;
        }
        QString path;
        QString suggested;
    };

    template <typename T>
    T *child(QWidget &window, const QString &name)
    {
        auto *found = window.findChild<T *>(name);
        if (!found)
            qWarning("no widget %s", qPrintable(name));
        return found;
    }

    QString text(QWidget &window, const char *name)
    {
        auto *label = child<QLabel>(window, QLatin1String(name));
        return label ? label->text() : QStringLiteral("<none>");
    }

    // With QUORVALE_SCREENSHOTS set, the window is kept as a picture there.
    void keepPicture(QWidget &window, const char *name)
    {
        const QString dir = qEnvironmentVariable("QUORVALE_SCREENSHOTS");
        if (!dir.isEmpty())
            window.grab().save(dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
    }

    void typeInto(QDoubleSpinBox *box, const QString &typed)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, typed);
    }
}

class TestPrintWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    FixedClock m_clock {kToday};
    RecordingPrompter m_prompter;
    std::unique_ptr<Session> m_session;

    QByteArray calibrationBytes() const { return Fixtures::readFile(m_dir.filePath(QStringLiteral("nums.ini"))); }

private slots:
    void initTestCase()
    {
        std::vector<SyndicateRecord> syndicates;
        std::initializer_list<std::initializer_list<int>> none {};
        SyndicateRecord full = Fixtures::simpleSyndicate(QStringLiteral("LOS VEINTICUATRO"), none, 5, QDate(2026, 1, 4));
        full.kind = 24;
        for (int b = 0; b < 24; ++b) {
            for (int slot = 0; slot < 5; ++slot)
                full.bets[b][slot] = std::int16_t(1 + (b + slot * 10) % 54);
        }
        full.bets[0][5] = 5;
        SyndicateRecord multiple = Fixtures::simpleSyndicate(QStringLiteral("NUEVE"), none, 0, QDate(2026, 1, 4));
        multiple.kind = 104;
        multiple.bets[0] = {2, 9, 15, 22, 28, 33, 41, 47, 53, 1, 0, 0};
        syndicates = {full, multiple};
        QVERIFY(Fixtures::writeFile(m_dir.filePath(QStringLiteral("apuestas.dat")), Fixtures::bytesOf(syndicates)));
        m_session = std::make_unique<Session>(m_clock, m_prompter);
        QVERIFY(m_session->start(m_dir.path()));
        m_prompter.boxes.clear();
    }

    void whatTheWindowShows()
    {
        ScriptedPrintDialog dialog;
        Imprimir window(*m_session, 1, dialog);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("IMPRIMIR BOLETOS"));
        QCOMPARE(text(window, "Label9"), QStringLiteral("IMPRESIÓN DE LOS NÚMEROS DE LA PEÑA:"));
        QCOMPARE(text(window, "Label10"), QStringLiteral("LOS VEINTICUATRO"));
        QCOMPARE(text(window, "Label1_0"), QStringLiteral("-Total apuestas:"));
        QCOMPARE(text(window, "Label2_0"), QStringLiteral("24"));
        QCOMPARE(text(window, "Label1_1"), QStringLiteral("-Nº de boletos oficiales que necesita:"));
        QCOMPARE(text(window, "Label2_1"), QStringLiteral("4"));
        QCOMPARE(text(window, "Label1_2"), QStringLiteral("-Si imprime en papel oficial, asegúrese de que sea de:"));
        QCOMPARE(text(window, "Label12"), QStringLiteral("El Gordo"));
        QCOMPARE(text(window, "Label13"), QStringLiteral("de la Primitiva"));
        QCOMPARE(text(window, "Label11"), QStringLiteral("Sólo en papel oficial"));
        QCOMPARE(text(window, "Label3"), QStringLiteral("Instrucciones para papel oficial:"));
        QVERIFY(text(window, "Label4").startsWith(QStringLiteral("Inserte el papel oficial en la impresora")));
        QVERIFY(text(window, "Label4").endsWith(QStringLiteral("centro de la casilla Nº1 - margen Y por defecto de tu impresora.")));
        QCOMPARE(text(window, "Label6"), QStringLiteral("Entrada impresora"));
        QVERIFY(!child<QLabel>(window, "Picture1")->pixmap().isNull());
        QCOMPARE(text(window, "Label8"), QStringLiteral("Corrección margen impresora:"));
        QCOMPARE(text(window, "Label7_0"), QStringLiteral("X"));
        QCOMPARE(text(window, "Label7_1"), QStringLiteral("Y"));
        QCOMPARE(text(window, "Label7_2"), QStringLiteral("mm."));
        QCOMPARE(text(window, "Label7_3"), QStringLiteral("mm."));
        auto *official = child<QPushButton>(window, "Command1");
        auto *plain = child<QPushButton>(window, "Command2");
        QCOMPARE(official->text(), QStringLiteral("Imprimir en papel oficial"));
        QCOMPARE(official->toolTip(),
                 QStringLiteral("Ajuste la X yla Y para que las \"x\" coincidan en las casillas. También depende del "
                                "papel oficial ya que aveces estan cortados irregularmente."));
        QCOMPARE(plain->text(), QStringLiteral("Imprimir en papel normal"));
        QCOMPARE(plain->toolTip(), QStringLiteral("Imprime en papel normal una participación compatible con el sistema oficial!"));
        QCOMPARE(child<QDoubleSpinBox>(window, "Text1_0")->value(), 0.0);
        QCOMPARE(child<QDoubleSpinBox>(window, "Text1_1")->value(), 0.0);
        keepPicture(window, "imprimir");

        Imprimir multiple(*m_session, 2, dialog);
        QCOMPARE(text(multiple, "Label10"), QStringLiteral("NUEVE"));
        QCOMPARE(text(multiple, "Label2_0"), QStringLiteral("1"));
        QCOMPARE(text(multiple, "Label2_1"), QStringLiteral("1"));
    }

    void calibrationBoxesWriteNumsIni()
    {
        ScriptedPrintDialog dialog;
        Imprimir window(*m_session, 1, dialog);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto *x = child<QDoubleSpinBox>(window, "Text1_0");
        auto *y = child<QDoubleSpinBox>(window, "Text1_1");
        QCOMPARE(x->minimum(), -50.0);
        QCOMPARE(y->maximum(), 50.0);
        QCOMPARE(x->decimals(), 2);
        const QByteArray before = calibrationBytes();

        // A decimal comma, taken when editing finishes, not on every key.
        typeInto(x, QStringLiteral("2,5"));
        QCOMPARE(calibrationBytes(), before);
        QTest::keyClick(x, Qt::Key_Return);
        QCOMPARE(calibrationBytes(), QByteArray::fromHex("000000002040000000000000"));
        QCOMPARE(window.offsets(), QPointF(2.5, 0));

        // A minus can be typed; a letter or an exponent cannot get in, nor
        // a value past the limits.
        typeInto(y, QStringLiteral("-3e1x"));
        QTest::keyClick(y, Qt::Key_Return);
        QCOMPARE(y->value(), -31.0);
        typeInto(y, QStringLiteral("1000"));
        QTest::keyClick(y, Qt::Key_Return);
        QVERIFY(y->value() <= 50.0);
        QCOMPARE(window.offsets(), QPointF(2.5, y->value()));

        // An emptied box goes back to its value when left: no box to answer.
        typeInto(x, QString());
        QTest::keyClick(x, Qt::Key_Tab);
        QCOMPARE(x->value(), 2.5);
        QVERIFY(m_prompter.boxes.isEmpty());
        typeInto(y, QStringLiteral("3"));
        QTest::keyClick(y, Qt::Key_Return);
        QCOMPARE(calibrationBytes(), QByteArray::fromHex("000000002040000040400000"));
    }

    void printButtons()
    {
        ScriptedPrintDialog dialog;
        Imprimir window(*m_session, 1, dialog);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QTest::mouseClick(child<QPushButton>(window, "Command1"), Qt::LeftButton);
        QCOMPARE(dialog.asked, 1);
        QCOMPARE(dialog.surface.pages(), 4);
        QCOMPARE(dialog.surface.textPositions(QStringLiteral("X")).size(), 24 * 5 + 4);
        // The stored calibration (2.5, 3) moves the official marks: number 1 of block 1.
        QVERIFY(dialog.surface.textPositions(QStringLiteral("X"), 1).contains(QPointF(2.5, 8)));

        QTest::mouseClick(child<QPushButton>(window, "Command2"), Qt::LeftButton);
        QCOMPARE(dialog.asked, 2);
        QCOMPARE(dialog.surface.pages(), 2);
        QCOMPARE(dialog.surface.ofKind(RecordingSurface::Kind::Rect).size(), 4);
        QVERIFY(dialog.surface.textPositions(QStringLiteral("X"), 1).contains(QPointF(25.8, 50)));

        // Cancelled: nothing reaches a surface.
        dialog.accept = false;
        dialog.surface = RecordingSurface();
        QTest::mouseClick(child<QPushButton>(window, "Command2"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(window, "Command1"), Qt::LeftButton);
        QCOMPARE(dialog.asked, 4);
        QVERIFY(dialog.surface.calls.isEmpty());
    }

    // A syndicate that is not there has nothing to print.
    // Without a printer the user is told why, and the job can go to a PDF.
    void failedPrinterAndPdf()
    {
        ScriptedPrintDialog dialog;
        dialog.accept = false;
        dialog.error = QStringLiteral("No se ha podido empezar a imprimir");
        Imprimir window(*m_session, 1, dialog);
        m_prompter.boxes.clear();
        child<QPushButton>(window, "Command2")->click();
        QCOMPARE(m_prompter.boxes.size(), 1);
        QCOMPARE(m_prompter.boxes[0].text, dialog.error);

        auto *pdf = child<QPushButton>(window, "GuardarPdf");
        QVERIFY(!pdf->isEnabled()); // no save dialog to ask with
        ScriptedChooser chooser;
        QTemporaryDir elsewhere;
        chooser.path = elsewhere.filePath(QStringLiteral("peña.pdf"));
        window.setFileChooser(&chooser);
        m_prompter.boxes.clear();
        pdf->click();
        QCOMPARE(chooser.suggested, QStringLiteral("LOS VEINTICUATRO.pdf"));
        QVERIFY(Fixtures::readFile(chooser.path).startsWith("%PDF"));
        QCOMPARE(m_prompter.boxes.size(), 1);
        QVERIFY(m_prompter.boxes[0].text.contains(chooser.path));

        // Never over a file of the data directory, whatever the dialog allowed.
        const QByteArray syndicates = Fixtures::readFile(m_dir.filePath(QStringLiteral("apuestas.dat")));
        chooser.path = m_dir.filePath(QStringLiteral("apuestas.dat"));
        m_prompter.boxes.clear();
        pdf->click();
        QCOMPARE(m_prompter.boxes.size(), 1);
        QVERIFY2(m_prompter.boxes[0].text.contains(QStringLiteral("directorio de datos")), qPrintable(m_prompter.boxes[0].text));
        QCOMPARE(Fixtures::readFile(chooser.path), syndicates);
    }

    void missingSyndicate()
    {
        ScriptedPrintDialog dialog;
        Imprimir window(*m_session, 7, dialog);
        QCOMPARE(text(window, "Label2_1"), QStringLiteral("0"));
        QVERIFY(!child<QPushButton>(window, "Command1")->isEnabled());
        QVERIFY(!child<QPushButton>(window, "Command2")->isEnabled());
    }
};

QTEST_MAIN(TestPrintWindow)
#include "tst_printwindow.moc"
