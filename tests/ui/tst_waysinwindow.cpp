// Against a service that refuses every request, the window still brings a
// data directory up to date: the browser's answer pasted, a draw and its
// prize report typed by hand, and the money page prices them. An empty
// directory is offered the shipped history.

#include "base/clock.h"
#include "core/session.h"
#include "scrutiny/money.h"
#include "store/cents.h"
#include "support/fakeservice.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"
#include "support/testhttpserver.h"
#include "ui/downloadbutton.h"
#include "ui/drawentrydialogs.h"
#include "ui/mainwindow.h"
#include "ui/messageboxprompter.h"
#include "web/networktransfer.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace
{
    const QDate kToday(2026, 12, 8);

    void keepPicture(QWidget &widget, const QString &name)
    {
        const QByteArray dir = qgetenv("QUORVALE_SCREENSHOTS");
        if (!dir.isEmpty())
            widget.grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + name + QStringLiteral(".png"));
    }
}

class TestWaysInWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TestHttpServer> m_server;
    std::unique_ptr<FakeService> m_service;
    FixedClock m_clock {kToday};
    RecordingPrompter m_prompter;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<MainWindow> m_window;

    QString path(const char *name) const { return m_dir->filePath(QString::fromLatin1(name)); }

    template <typename T>
    T *in(QWidget *parent, const char *name) const
    {
        return parent->findChild<T *>(QString::fromLatin1(name));
    }

    void openWindow(const std::vector<DrawRecord> &draws)
    {
        QVERIFY(Fixtures::writeFile(path("numeros.dat"), Fixtures::bytesOf(draws)));
        QVERIFY(Fixtures::writeFile(path("apuestas.dat"), Fixtures::bytesOf({Fixtures::simpleSyndicate(QStringLiteral("AMIGOS"), {{2, 7, 19, 40, 41}}, 4, QDate(2026, 11, 1))})));
        Endpoints endpoints;
        endpoints.operatorSite = m_server->baseUrl();
        m_session = std::make_unique<Session>(m_clock, m_prompter, endpoints);
        QVERIFY(m_session->start(m_dir->path()));
        m_window = std::make_unique<MainWindow>(*m_session);
        m_window->transfer().setTimeout(1500);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_prompter.boxes.clear();
    }

    void trigger(const char *action)
    {
        m_window->findChild<QAction *>(QString::fromLatin1(action))->trigger();
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_server = std::make_unique<TestHttpServer>();
        QVERIFY(m_server->listen());
        m_service = std::make_unique<FakeService>(*m_server);
        m_service->failFrom = 1;
        m_service->failure.status = 403;
        m_service->failure.body = TestHttpServer::readFixture(QStringLiteral("service/blocked-403.html"));
        m_server->setPage(QStringLiteral("/es/buscador"), "not found", 404);
        m_prompter.boxes.clear();
        m_prompter.ways.clear();
        m_prompter.offers.clear();
    }

    void cleanup()
    {
        m_window.reset();
        m_session.reset();
        m_service.reset();
        m_server.reset();
    }

    void blockedServiceStillUpToDate()
    {
        openWindow({Fixtures::draw({2026, 11, 15}, {1, 18, 27, 30, 44}, 5)});
        // The refusal's box: the user takes "Pegar resultados del navegador…".
        m_prompter.ways = {Prompter::WayIn::Paste};
        auto *button = m_window->findChild<DownloadButton *>(QStringLiteral("Picture2"));
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        QTRY_VERIFY(m_window->entryDialog());
        QCOMPARE(m_prompter.titles(), QStringList {QStringLiteral("Descarga rechazada")});
        QVERIFY(m_prompter.offers.first().byHand);

        QDialog *paste = m_window->entryDialog();
        QCOMPARE(paste->objectName(), QStringLiteral("PegarResultados"));
        const QUrl address(in<QLineEdit>(paste, "Direccion")->text());
        QVERIFY(address.query().contains(QStringLiteral("fechaInicioInclusiva=20261122&fechaFinInclusiva=20261206")));
        // What the browser shows at that address: the two older draws, the
        // first a 3 + 1 for the peña.
        const QJsonArray answer {FakeService::draw({2026, 11, 29}, {3, 12, 28, 40, 45}, 0),
                                 FakeService::draw({2026, 11, 22}, {2, 7, 19, 36, 54}, 4)};
        // A bad paste keeps the dialog and its text.
        in<QPlainTextEdit>(paste, "Pegado")->setPlainText(QStringLiteral("<html>Access Denied</html>"));
        in<QPushButton>(paste, "Anadir")->click();
        QVERIFY(paste->isVisible());
        QCOMPARE(in<QPlainTextEdit>(paste, "Pegado")->toPlainText(), QStringLiteral("<html>Access Denied</html>"));
        in<QPlainTextEdit>(paste, "Pegado")->setPlainText(QString::fromUtf8(QJsonDocument(answer).toJson()));
        keepPicture(*paste, QStringLiteral("pegar-resultados"));
        in<QPushButton>(paste, "Anadir")->click();
        QTRY_VERIFY(!m_window->entryDialog());
        QCOMPARE(m_session->storedDraws(), 3);
        QCOMPARE(m_prompter.boxes.last().title, QStringLiteral("Añadir sorteos"));

        // The newest draw typed by hand, then its report.
        trigger("sorteomano");
        QTRY_VERIFY(m_window->entryDialog());
        QDialog *byHand = m_window->entryDialog();
        QCOMPARE(in<QDateEdit>(byHand, "Fecha")->date(), QDate(2026, 12, 6));
        const int numbers[] = {51, 33, 19, 7, 2};
        for (int i = 0; i < 5; ++i)
            in<QSpinBox>(byHand, QStringLiteral("Numero%1").arg(i + 1).toLatin1().constData())->setValue(numbers[i]);
        in<QSpinBox>(byHand, "Clave")->setValue(4);
        // A Monday is no draw day: the form says why and will not add it.
        in<QDateEdit>(byHand, "Fecha")->setDate({2026, 12, 7});
        QVERIFY(!in<QPushButton>(byHand, "Anadir")->isEnabled());
        QVERIFY(in<QLabel>(byHand, "Problema")->text().contains(QStringLiteral("no hay sorteo")));
        in<QDateEdit>(byHand, "Fecha")->setDate({2026, 12, 6});
        keepPicture(*byHand, QStringLiteral("sorteo-a-mano"));
        in<QPushButton>(byHand, "Anadir")->click();
        QTRY_VERIFY(!m_window->entryDialog());
        QCOMPARE(m_session->storedDraws(), 4);
        QVERIFY(m_session->drawStatus().holeDates.empty());

        trigger("informemano");
        QTRY_VERIFY(m_window->entryDialog());
        auto *report = qobject_cast<ManualPrizeDialog *>(m_window->entryDialog());
        QVERIFY(report);
        for (int category = 1; category <= 9; ++category)
            report->setRow(category, QString::number(category * 3), category == 9 ? QStringLiteral("1,50") : category == 8 ? QStringLiteral("3,00")
                                                                                                                           : QStringLiteral("1.000,00"));
        keepPicture(*report, QStringLiteral("informe-a-mano"));
        in<QPushButton>(report, "Guardar")->click();
        QTRY_VERIFY(!m_window->entryDialog());
        QCOMPARE(m_session->prizeReports().report({2026, 12, 6}).source, PrizeReport::Source::Manual);
        // The report tab shows the newest draw's report as typed.
        QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("Label10_0"))->text(), QStringLiteral("1.000,00"));
        QVERIFY(m_window->findChild<QLabel *>(QStringLiteral("Label8"))->text().contains(QStringLiteral("6 de diciembre")));

        // Every draw since the peña's creation is priced: 29 November's 3 + 1
        // and key, 6 December's 4 + 1 typed by hand, 22 November's 3 + 1.
        const Money::Totals totals = m_session->money().totals(1);
        QCOMPARE(totals.drawsPriced, 3);
        QVERIFY(totals.wonCents > 100000);
        QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("DineroPena_1"))->text(), formatEuros(totals.wonCents));
    }

    // An empty directory: the welcome box offers the shipped history, and
    // the download button asks nothing of the operator.
    void emptyDirectory()
    {
        m_prompter.ways = {Prompter::WayIn::None};
        QVERIFY(Fixtures::writeFile(path("numeros.dat"), {}));
        Endpoints endpoints;
        endpoints.operatorSite = m_server->baseUrl();
        m_session = std::make_unique<Session>(m_clock, m_prompter, endpoints);
        QVERIFY(m_session->start(m_dir->path()));
        m_window = std::make_unique<MainWindow>(*m_session);
        m_window->show();
        QTRY_COMPARE(m_prompter.titles(), QStringList {QStringLiteral("Fichero de peñas vacío")});
        QVERIFY(m_prompter.offers.first().shippedHistory);
        QVERIFY(m_prompter.boxes.first().text.contains(QStringLiteral("Todavía no hay ningún sorteo guardado")));

        // The download button offers it again; taken, the history is added.
        m_prompter.boxes.clear();
        m_prompter.ways = {Prompter::WayIn::ShippedHistory};
        auto *button = m_window->findChild<DownloadButton *>(QStringLiteral("Picture2"));
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        QCOMPARE(m_prompter.titles().first(), QStringLiteral("Fichero de datos vacío"));
        QVERIFY(m_server->requests().isEmpty());
        QVERIFY(m_session->storedDraws() > 1000);
        QCOMPARE(m_prompter.titles().last(), QStringLiteral("Todos los sorteos"));
    }

    // The window's box offers the ways in as buttons and says which was taken.
    void boxButtons()
    {
        MessageBoxPrompter prompter;
        Prompter::WaysIn ways;
        ways.byHand = true;
        QStringList seen;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            for (QAbstractButton *button : box->buttons())
                seen << button->objectName();
            keepPicture(*box, QStringLiteral("descarga-rechazada"));
            box->findChild<QPushButton *>(QStringLiteral("SorteoAMano"))->click();
        });
        QCOMPARE(prompter.offerWaysIn(Prompter::Icon::Warning, QStringLiteral("Descarga rechazada"),
                                      QStringLiteral("El servidor de Loterías y Apuestas ha rechazado al programa."), ways),
                 Prompter::WayIn::ByHand);
        seen.sort();
        QCOMPARE(seen, (QStringList {QStringLiteral("Cerrar"), QStringLiteral("PegarResultados"), QStringLiteral("SorteoAMano")}));
    }
};

QTEST_MAIN(TestWaysInWindow)
#include "tst_waysinwindow.moc"
