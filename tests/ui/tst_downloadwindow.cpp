// The download area, the report tab and the news window of the main window,
// driven through their widgets against a server on 127.0.0.1.

#include "base/clock.h"
#include "core/datalock.h"
#include "core/session.h"
#include "support/fakeservice.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"
#include "support/searchpages.h"
#include "support/testhttpserver.h"
#include "ui/downloadbutton.h"
#include "ui/mainwindow.h"
#include "ui/newswindow.h"
#include "web/downloadsession.h"
#include "web/networktransfer.h"
#include "web/prizereport.h"
#include "wording/prizereportwording.h"

#include <QAction>
#include <QLabel>
#include <QPdfDocument>
#include <QPdfView>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <memory>

namespace
{
    const QDate kToday(2026, 12, 8);
    const QString kSearchPath = QStringLiteral("/es/buscador");
    const QString kDrawPagePath = QStringLiteral("/es/gordo-primitiva/sorteos/2026/986001049");
    const QString kDocumentPath = QStringLiteral("/f/loterias/documentos/El Gordo/2026/ESCRUTINIO_LOTERÍA_ÁMBITO_20261206.pdf");
    const QString kFinished = QStringLiteral("TRANSFERENCIA FINALIZADA");

    enum class Document
    {
        Pdf,
        NotPdf,
        Missing
    };

    // Pictures for looking at, when the run asks for them.
    void keepPicture(QWidget &widget, const QString &name)
    {
        const QByteArray dir = qgetenv("QUORVALE_SCREENSHOTS");
        if (!dir.isEmpty())
            widget.grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + name + QStringLiteral(".png"));
    }
}

Q_DECLARE_METATYPE(Document)

class TestDownloadWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TestHttpServer> m_server;
    FixedClock m_clock {kToday};
    RecordingPrompter m_prompter;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<MainWindow> m_window;

    template <typename T>
    T *child(const char *name) const
    {
        return m_window->findChild<T *>(QString::fromLatin1(name));
    }

    QString path(const char *name) const { return m_dir->filePath(QString::fromLatin1(name)); }

    // Three of the listed draws and one syndicate stored; the window shown.
    void openWindow()
    {
        QVERIFY(Fixtures::writeFile(path("numeros.dat"), Fixtures::bytesOf({Fixtures::searchPageDraws()[0], Fixtures::searchPageDraws()[1], Fixtures::searchPageDraws()[2]})));
        QVERIFY(Fixtures::writeFile(path("apuestas.dat"), Fixtures::bytesOf({Fixtures::simpleSyndicate(QStringLiteral("AMIGOS"), {{2, 7, 19, 40, 41}}, 4, QDate(2026, 11, 1))})));
        Endpoints endpoints;
        endpoints.operatorSite = m_server->baseUrl();
        endpoints.makerServer = m_server->baseUrl();
        m_session = std::make_unique<Session>(m_clock, m_prompter, endpoints);
        QVERIFY(m_session->start(m_dir->path()));
        m_window = std::make_unique<MainWindow>(*m_session);
        m_window->transfer().setTimeout(1500);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void clickDownload()
    {
        auto *button = child<DownloadButton>("Picture2");
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    }

    Infor *newsWindow() const { return m_window->findChild<Infor *>(QStringLiteral("Infor")); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_server = std::make_unique<TestHttpServer>();
        QVERIFY(m_server->listen());
        m_server->setPage(kSearchPath, SearchPages::fixture("busqueda.html"));
        m_server->setPage(kDrawPagePath, SearchPages::fixture("sorteo.html"));
        m_server->setPage(kDocumentPath, SearchPages::fixture("informe.pdf"));
        FakeService::refuse(*m_server);
        m_prompter.boxes.clear();
    }

    void cleanup()
    {
        m_window.reset();
        m_session.reset();
        m_server.reset();
    }

    void download_data()
    {
        QTest::addColumn<Document>("document");
        QTest::newRow("pdf") << Document::Pdf;
        QTest::newRow("not a pdf") << Document::NotPdf;
        QTest::newRow("missing") << Document::Missing;
    }

    void download()
    {
        QFETCH(Document, document);
        if (document == Document::NotPdf)
            m_server->setPage(kDocumentPath, "<html><body>Mantenimiento</body></html>");
        if (document == Document::Missing)
            m_server->setPage(kDocumentPath, "no", 404);
        openWindow();

        // Before any download: the panel from an empty saved page.
        QCOMPARE(child<QLabel>("Label8")->text(), QStringLiteral("-Informe del Domingo, 8 de noviembre del 2026"));
        QCOMPARE(child<QLabel>("Text1")->text(), Wording::reportNotAvailableText());
        QVERIFY(!child<QProgressBar>("ProgressBar1")->isVisible());
        QCOMPARE(child<QLabel>("Label58")->text(), QStringLiteral("0 Bytes"));

        clickDownload();
        QTRY_COMPARE_WITH_TIMEOUT(child<QLabel>("Label6")->text(), kFinished, 10000);
        QTRY_VERIFY(!m_window->download().isRunning());
        // AMIGOS won in the new draws: the one box is the session's prizes,
        // shown once the window has taken the session's end.
        QTRY_COMPARE(m_prompter.titles(), QStringList {QStringLiteral("Premios")});
        QVERIFY2(m_prompter.boxes.first().text.contains(QStringLiteral("AMIGOS")), qPrintable(m_prompter.boxes.first().text));

        QCOMPARE(Fixtures::readFile(path("numeros.dat")), Fixtures::bytesOf(Fixtures::searchPageDraws()));
        auto *progress = child<QProgressBar>("ProgressBar1");
        QCOMPARE(progress->value(), 5);
        QVERIFY(progress->isVisible());
        const qint64 bytes = SearchPages::fixture("busqueda.html").size() + SearchPages::fixture("sorteo.html").size();
        QCOMPARE(child<QLabel>("Label58")->text(), QString::number(bytes) + QStringLiteral(" Bytes"));
        QCOMPARE(child<QLabel>("Label19")->text(), QStringLiteral("4 sorteos"));
        QCOMPARE(child<QScrollBar>("HScroll1")->value(), 4);
        QCOMPARE(m_session->view().drawsToShow(), 4);
        QCOMPARE(child<QTreeView>("ListView3")->model()->rowCount(), 7);
        QCOMPARE(child<QTreeView>("ListView3")->model()->index(0, 1).data().toString(), QStringLiteral("06/12/2026  Domingo"));
        QCOMPARE(child<DownloadButton>("Picture2")->image(), 2);
        QTRY_VERIFY(child<QPushButton>("Command5")->isEnabled());
        QCOMPARE(child<QTabWidget>("SSTab1")->currentIndex(), 0);

        // The report of the newest draw.
        QCOMPARE(child<QLabel>("Label8")->text(), QStringLiteral("-Informe del Domingo, 6 de diciembre del 2026"));
        QCOMPARE(child<QLabel>("Label10_2")->text(), QStringLiteral("3.565,21"));
        auto *stack = qobject_cast<QStackedWidget *>(child<QLabel>("Text1")->parentWidget());
        QVERIFY(stack);
        switch (document) {
        case Document::Pdf: {
#ifdef QUORVALE_PDF_VIEWER
            auto *pdf = child<QPdfView>("WebBrowser1");
            QVERIFY(pdf);
            QCOMPARE(stack->currentWidget(), pdf);
            QCOMPARE(pdf->document()->pageCount(), 1);
#else
            QCOMPARE(child<QLabel>("Text1")->text(), Wording::reportNoViewerText(m_session->endpoints().pdfReaderPage));
#endif
            break;
        }
        case Document::NotPdf:
            QCOMPARE(stack->currentWidget(), child<QLabel>("Text1"));
            QCOMPARE(child<QLabel>("Text1")->text(), Wording::reportNotAvailableText());
            break;
        case Document::Missing:
            QCOMPARE(stack->currentWidget(), child<QLabel>("Text1"));
            QCOMPARE(child<QLabel>("Text1")->text(), Wording::reportNoConnectionText());
            break;
        }
        keepPicture(*m_window, QStringLiteral("general-after-download-") + QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-')));
        child<QTabWidget>("SSTab1")->setCurrentIndex(1);
        if (!qEnvironmentVariableIsEmpty("QUORVALE_SCREENSHOTS"))
            QTest::qWait(600); // the view renders its pages in the background
        keepPicture(*m_window, QStringLiteral("report-tab-") + QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-')));
        // Coming to the tab rebuilds the panel from the saved page; a shown
        // document is left as it is.
        QCOMPARE(child<QLabel>("Label8")->text(), QStringLiteral("-Informe del Domingo, 6 de diciembre del 2026"));
        QVERIFY(child<QLabel>("Label8")->styleSheet().contains(QStringLiteral("224, 224, 224")));
    }

    // While a session runs the report tab cannot be chosen and nothing may
    // change the draws; once it gave up, both come back.
    void duringDownload()
    {
        TestHttpServer::Route stall;
        stall.behaviour = TestHttpServer::Behaviour::Stall;
        m_server->setRoute(kSearchPath, stall);
        openWindow();
        const QByteArray before = Fixtures::readFile(path("numeros.dat"));
        auto *tabs = child<QTabWidget>("SSTab1");
        tabs->setCurrentIndex(3);

        struct Seen
        {
            bool running = false;
            bool progressShown = false;
            int progress = -1;
            QString status;
            int tabAfterChoice = -1;
            bool deleteEnabled = true;
            bool importEnabled = true;
            bool menuEnabled = true;
        } seen;
        QTimer::singleShot(400, this, [&] {
            seen.running = m_window->download().isRunning();
            seen.progressShown = child<QProgressBar>("ProgressBar1")->isVisible();
            seen.progress = child<QProgressBar>("ProgressBar1")->value();
            seen.status = child<QLabel>("Label6")->text();
            child<QAction>("ultimo")->trigger();
            seen.tabAfterChoice = tabs->currentIndex();
            seen.deleteEnabled = child<QPushButton>("Command5")->isEnabled();
            seen.importEnabled = child<QPushButton>("Command8")->isEnabled();
            seen.menuEnabled = child<QAction>("borrpe")->isEnabled();
            // A second click starts nothing.
            clickDownload();
        });
        clickDownload();
        QTRY_VERIFY(!m_window->download().isRunning());

        QVERIFY(seen.running);
        QVERIFY(seen.progressShown);
        QCOMPARE(seen.progress, 1);
        QCOMPARE(seen.status, QStringLiteral("CONECTANDO AL SERVIDOR"));
        QCOMPARE(seen.tabAfterChoice, 0);
        QVERIFY(!seen.deleteEnabled);
        QVERIFY(!seen.importEnabled);
        QVERIFY(!seen.menuEnabled);
        QCOMPARE(m_server->requestsFor(kSearchPath), 1);

        // The service answered with the edge's block page before the pages
        // stalled: the user hears that the operator refused the program.
        QCOMPARE(m_prompter.titles(), QStringList {QStringLiteral("Descarga rechazada")});
        QVERIFY(m_window->download().outcome().blocked);
        QCOMPARE(Fixtures::readFile(path("numeros.dat")), before);
        QTRY_VERIFY(child<QPushButton>("Command5")->isEnabled());
        QVERIFY(child<QPushButton>("Command8")->isEnabled());
        QVERIFY(child<QAction>("borrpe")->isEnabled());
        QVERIFY(!child<QProgressBar>("ProgressBar1")->isVisible());
        QCOMPARE(child<QLabel>("Label6")->text(), QString());

        child<QAction>("ultimo")->trigger();
        QCOMPARE(tabs->currentIndex(), 1);
        QCOMPARE(child<QLabel>("Label8")->text(), QStringLiteral("-Informe del Domingo, 8 de noviembre del 2026"));
    }

    // Closing the window while a page stalls stops the transfer at once,
    // runs no further step and lets go of the data directory before the
    // program ends: no hidden process keeps the user out.
    void closingDuringAStalledDownload()
    {
        TestHttpServer::Route stall;
        stall.behaviour = TestHttpServer::Behaviour::Stall;
        for (const QString &route : {kSearchPath, QStringLiteral("/servicios/fechav3"), QStringLiteral("/servicios/buscadorSorteos")})
            m_server->setRoute(route, stall);
        openWindow();
        m_window->transfer().setTimeout(NetworkTransfer::kDefaultTimeoutMs);
        DataDirLock lock(m_dir->path());
        QCOMPARE(lock.acquire(0), DataDirLock::Result::Acquired);
        m_window->setDataLock(&lock);
        bool closedWhileRunning = false;
        QTimer closer;
        closer.setInterval(20);
        connect(&closer, &QTimer::timeout, this, [&] {
            if (!closedWhileRunning && m_window->transfer().isBusy()) {
                closedWhileRunning = m_window->download().isRunning();
                closer.stop();
                m_window->close();
            }
        });
        closer.start();
        clickDownload();
        QTRY_VERIFY(closedWhileRunning);
        // Back from the step the close cut short, no later step is due.
        QVERIFY(!m_window->download().isRunning());
        QTRY_VERIFY(!lock.isHeld());
        QVERIFY(!m_window->isVisible());
        DataDirLock next(m_dir->path());
        QCOMPARE(next.acquire(0), DataDirLock::Result::Acquired);
        QCOMPARE(m_server->requestsFor(kSearchPath), 0);
    }

    void buttonFaces()
    {
        openWindow();
        auto *button = child<DownloadButton>("Picture2");
        const auto twips = [button](int x, int y) {
            return QPoint(x * button->logicalDpiX() / 1440, y * button->logicalDpiY() / 1440);
        };
        QTest::mouseMove(button, twips(900, 600));
        QTRY_COMPARE(button->image(), 1);
        QTest::mouseMove(button, twips(120, 600));
        QTRY_COMPARE(button->image(), 2);
        QTest::mouseMove(button, twips(900, 1200));
        QTRY_COMPARE(button->image(), 2);
        QVERIFY(DownloadButton::renderFace(1, button->size()).toImage() != DownloadButton::renderFace(2, button->size()).toImage());
        keepPicture(*button, QStringLiteral("picture2-face2"));

        // The edges of the drawn button, in twips.
        QCOMPARE(DownloadButton::imageAt(241, 241), 1);
        QCOMPARE(DownloadButton::imageAt(1599, 1079), 1);
        QCOMPARE(DownloadButton::imageAt(240, 500), 2);
        QCOMPARE(DownloadButton::imageAt(1600, 500), 2);
        QCOMPARE(DownloadButton::imageAt(500, 1080), 2);
    }

    // The news at start-up, then by hand; a remote image is never fetched.
    void news()
    {
        QByteArray page = SearchPages::fixture("noticias.html");
        page.replace("</body>", "<p><img src=\"" + m_server->baseUrl().toEncoded() + "/espia.png\"> Fin.</p></body>");
        m_server->setPage(QStringLiteral("/ginforme.dat"), page);
        openWindow();

        // The draws are a month behind and a syndicate exists: the document
        // is fetched and, being new and long enough, offered.
        QTRY_VERIFY(newsWindow());
        QTRY_VERIFY(newsWindow()->isVisible());
        QCOMPARE(Fixtures::readFile(path("informe.dat")), page);
        Infor *window = newsWindow();
        QCOMPARE(window->windowTitle(), QStringLiteral("Noticias del jefe..."));
        QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(window->browser()->toPlainText().contains(QStringLiteral("Gracias por seguir confiando en nosotros.")));
        QVERIFY(window->browser()->toPlainText().contains(QStringLiteral("Fin.")));
        QVERIFY(!window->browser()->openLinks());
        QVERIFY(!window->browser()->openExternalLinks());
        keepPicture(*window, QStringLiteral("news-window"));

        // The news never holds the download back: the button closes it and downloads.
        clickDownload();
        QTRY_VERIFY(!newsWindow());
        QTRY_COMPARE(m_server->requestsFor(kSearchPath), 1);
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->download().isRunning(), 30000);
        QCOMPARE(m_server->requestsFor(QStringLiteral("/espia.png")), 0);
        child<QPushButton>("Command6")->click();
        QTRY_VERIFY(newsWindow() && newsWindow()->isVisible());
        child<QAction>("Leer")->trigger();
        QCOMPARE(m_window->findChildren<Infor *>().size(), 1);
        QCOMPARE(m_server->requestsFor(QStringLiteral("/espia.png")), 0);

        QCOMPARE(newsWindow()->browser()->toPlainText().contains(QStringLiteral("Fin.")), true);
        newsWindow()->close();
        QTRY_VERIFY(!newsWindow());
        QCOMPARE(m_server->requestsFor(QStringLiteral("/ginforme.dat")), 1);

        // No news: a sentence instead of a grey box, and a way out.
        Infor empty(path("no-hay.dat"));
        QCOMPARE(empty.browser()->toPlainText(), Infor::emptyText());
        auto *close = empty.findChild<QPushButton *>(QStringLiteral("Cerrar"));
        QVERIFY(close);
        empty.show();
        close->click();
        QVERIFY(!empty.isVisible());
    }

    void localResourcesOnly_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("loaded");
        QTest::newRow("beside the news") << QStringLiteral("logo.png") << true;
        QTest::newRow("file url beside") << QStringLiteral("FILE:logo.png") << true;
        QTest::newRow("http") << QStringLiteral("http://127.0.0.1:1/logo.png") << false;
        QTest::newRow("https") << QStringLiteral("https://example.com/logo.png") << false;
        QTest::newRow("out of the directory") << QStringLiteral("../logo.png") << false;
        QTest::newRow("network share") << QStringLiteral("file://server/share/logo.png") << false;
    }

    void localResourcesOnly()
    {
        QFETCH(QString, address);
        QFETCH(bool, loaded);
        QTemporaryDir outer;
        QVERIFY(QDir(outer.path()).mkdir(QStringLiteral("data")));
        const QString dataDir = outer.filePath(QStringLiteral("data"));
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(dataDir + QStringLiteral("/logo.png")));
        QVERIFY(image.save(outer.filePath(QStringLiteral("logo.png"))));
        QUrl url = address.startsWith(QLatin1String("FILE:")) ? QUrl::fromLocalFile(dataDir + QLatin1Char('/') + address.mid(5))
                                                              : QUrl(address);
        // What the rich text engine asks for an <img>: the cache, then the
        // document's own loading.
        LocalOnlyDocument document(dataDir);
        QCOMPARE(!document.resource(QTextDocument::ImageResource, url).isNull(), loaded);
    }
};

QTEST_MAIN(TestDownloadWindow)
#include "tst_downloadwindow.moc"
