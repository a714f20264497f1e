#include "mainwindow.h"

#include "acercade.h"
#include "crea.h"
#include "creamenu.h"
#include "desktopseams.h"
#include "downloadbar.h"
#include "drawentrydialogs.h"
#include "generaltab.h"
#include "managertab.h"
#include "newswindow.h"
#include "participationdialog.h"
#include "printwindow.h"
#include "reduccion.h"
#include "reporttab.h"
#include "statisticstab.h"
#include "systemprintdialog.h"

#include "base/clock.h"
#include "base/prompter.h"
#include "core/datadir.h"
#include "core/datalock.h"
#include "core/drawentry.h"
#include "core/maintenance.h"
#include "core/membership.h"
#include "core/prizelist.h"
#include "core/prizewatch.h"
#include "core/session.h"
#include "core/sessiondownloadhost.h"
#include "core/syndicatecreation.h"
#include "outcomebox.h"
#include "print/participation.h"
#include "print/pdffileprinter.h"
#include "store/fileops.h"
#include "store/oledate.h"
#include "store/outputfile.h"
#include "web/downloadsession.h"
#include "web/networktransfer.h"
#include "web/news.h"
#include "wording/prizewording.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QModelIndex>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace
{
    // How soon a close that waits for the download's step under way tries again.
    constexpr int kCloseRetryMs = 20;
}

MainWindow::MainWindow(Session &session, QWidget *parent)
    : QMainWindow(parent)
    , m_session(session)
    , m_desktopOpener(std::make_unique<DesktopUrlOpener>())
    , m_dialogChooser(std::make_unique<DialogFileChooser>(this))
    , m_opener(m_desktopOpener.get())
    , m_chooser(m_dialogChooser.get())
    , m_maintenance(std::make_unique<Maintenance>(session, *m_desktopOpener))
    , m_creation(std::make_unique<SyndicateCreation>(session))
    , m_printDialog(std::make_unique<SystemPrintDialog>())
    , m_drawEntry(std::make_unique<DrawEntry>(session))
    , m_transfer(std::make_unique<NetworkTransfer>())
    , m_downloadHost(std::make_unique<SessionDownloadHost>(session))
{
#ifdef QUORVALE_PDF_VIEWER
    m_downloadHost->setPdfViewerAvailable(true);
#else
    m_downloadHost->setPdfViewerAvailable(false);
#endif
    // Timer1 is the session's own one-second timer.
    m_download = std::make_unique<DownloadSession>(*m_downloadHost, *m_transfer, session.endpoints());
    // Where no browser can be started, the guide and addresses show here.
    m_desktopOpener->setParent(this);

    setObjectName(QStringLiteral("Principal"));
    setWindowTitle(QStringLiteral("Quorvale - Para El Gordo de la Primitiva. Versión %1")
                       .arg(QStringLiteral(QUORVALE_VERSION)));

    buildMenus();

    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(8, 6, 8, 8);
    m_downloadBar = new DownloadBar(*m_downloadHost);
    connect(m_downloadBar, &DownloadBar::downloadRequested, this, &MainWindow::startDownload);
    connect(m_downloadBar, &DownloadBar::newsRequested, this, &MainWindow::openNewsWindow);
    layout->addWidget(m_downloadBar);

    m_generalTab = new GeneralTab(session, *m_downloadHost);
    m_reportTab = new ReportTab(*m_downloadHost);
    connect(m_reportTab, &ReportTab::readerPageRequested, this,
            [this] { m_opener->open(m_session.endpoints().pdfReaderPage); });
    m_managerTab = new ManagerTab(session);
    connect(m_managerTab, &ManagerTab::printRequested, this, &MainWindow::printSyndicate);
    connect(m_managerTab, &ManagerTab::createRequested, this, &MainWindow::createSyndicate);
    connect(m_managerTab, &ManagerTab::deleteRequested, this, &MainWindow::deleteSyndicate);
    connect(m_managerTab, &ManagerTab::participationsRequested, this, [this](bool pdf) { printParticipations(pdf); });
    connect(m_managerTab, &ManagerTab::memberParticipationRequested, this, &MainWindow::printMemberParticipation);
    m_statisticsTab = new StatisticsTab(session);
    connect(m_statisticsTab, &StatisticsTab::importRequested, this, &MainWindow::importDraws);
    connect(m_statisticsTab, &StatisticsTab::deleteAllRequested, this, &MainWindow::deleteAllDraws);
    connect(m_statisticsTab, &StatisticsTab::drawClicked, this, &MainWindow::drawClicked);
    connect(m_statisticsTab, &StatisticsTab::addDrawRequested, this, &MainWindow::addDrawByHand);
    connect(m_statisticsTab, &StatisticsTab::prizeReportRequested, this, &MainWindow::prizeReportByHand);
    connect(&m_session, &Session::wayInChosen, this, [this](Prompter::WayIn way) {
        // After the box that offered it has closed.
        QTimer::singleShot(0, this, [this, way] { openWayIn(int(way)); });
    });
    connect(m_statisticsTab, &StatisticsTab::deleteDrawRequested, this, [this](int position) {
        if (!downloadRunning())
            showOutcome(m_session.prompter(), m_maintenance->deleteNamedDraw(position));
    });

    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->addTab(m_generalTab, QStringLiteral("General"));
    m_tabs->addTab(m_reportTab, QStringLiteral("Último sorteo"));
    m_tabs->addTab(m_managerTab, QStringLiteral("Gestor de peñas"));
    m_tabs->addTab(m_statisticsTab, QStringLiteral("Estadísticas"));
    // On a screen smaller than the tabs' smallest size (a laptop at double
    // scale) the tabs scroll, rather than pushing the window's lower part
    // and its buttons off the screen. With room enough no bar shows.
    auto *scroller = new QScrollArea;
    scroller->setObjectName(QStringLiteral("Desplazable"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setWidget(m_tabs);
    layout->addWidget(scroller, 1);
    setCentralWidget(central);
    fitToScreen();

    connect(&m_session, &Session::scrollBarsReset, m_statisticsTab, &StatisticsTab::resetChartHalf);
    connect(m_tabs, &QTabWidget::currentChanged, this, &MainWindow::tabChanged);
    connect(m_downloadHost.get(), &SessionDownloadHost::progressChanged, this, &MainWindow::showDownloadArea);
    connect(m_downloadHost.get(), &SessionDownloadHost::stageChanged, this, [this](DownloadStage stage) {
        // A download starts and ends on the first tab, where its draws show.
        if (stage != DownloadStage::Connecting && stage != DownloadStage::Finished)
            return;
        // The session's own return to the first tab is not the user's tab
        // change: a prize just found keeps flashing.
        const QSignalBlocker block(m_tabs);
        m_tabs->setCurrentIndex(0);
        m_previousTab = 0;
    });
    connect(m_downloadHost.get(), &SessionDownloadHost::newsCloseRequested, this, [this] {
        if (m_newsWindow)
            m_newsWindow->close();
    });
    // Queued: the session is still inside its step when it says it finished.
    connect(m_download.get(), &DownloadSession::finished, this, &MainWindow::downloadFinished, Qt::QueuedConnection);
    // Coming back from one of the program's own windows counts as a return
    // to the main window; a message box or another program does not.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &MainWindow::focusMoved);

    if (m_session.isReadOnly())
        showReadOnly(layout);
    showDownloadArea();
    // The report panel as the last download left it, then the simple list.
    m_downloadHost->rebuildPrizeReport();
    m_generalTab->showResultList(0);
}

MainWindow::~MainWindow() = default;

void MainWindow::showReadOnly(QVBoxLayout *layout)
{
    // Why nothing can change, above everything else; what only reads (the
    // lists, charts, reports, printing and PDFs elsewhere) goes on working.
    auto *banner = new QLabel(m_session.readOnlyText());
    banner->setObjectName(QStringLiteral("SoloLectura"));
    banner->setWordWrap(true);
    banner->setTextInteractionFlags(Qt::TextSelectableByMouse);
    banner->setStyleSheet(QStringLiteral("background: rgb(255, 236, 160); color: black; padding: 4px; "
                                         "border: 1px solid rgb(200, 160, 0);"));
    layout->insertWidget(0, banner);
    for (const char *name : {"Baja", "Crearp", "informes", "borrpe", "pegar", "sorteomano", "informemano"}) {
        if (auto *action = findChild<QAction *>(QLatin1String(name)))
            action->setEnabled(false);
    }
    for (const char *name : {"Picture2", "Command4", "Image1_1", "AnadirSocio", "QuitarSocio"}) {
        if (auto *widget = findChild<QWidget *>(QLatin1String(name)))
            widget->setEnabled(false);
    }
    if (auto *members = findChild<QAbstractItemView *>(QStringLiteral("TablaSocios")))
        members->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void MainWindow::fitToScreen()
{
    // The size the window has always had, but never more than the screen
    // offers at its scale; below the tabs' own smallest size they scroll.
    QSize size(980, 700);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        size = size.boundedTo(available.size() - QSize(16, 48));
        move(available.topLeft() + QPoint(2, 4));
    }
    resize(size);
}

void MainWindow::buildMenus()
{
    auto addAction = [this](QMenu *menu, const QString &name, const QString &text, auto slot) {
        QAction *action = menu->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };

    QMenu *general = menuBar()->addMenu(QStringLiteral("&General"));
    general->setObjectName(QStringLiteral("General"));
    addAction(general, QStringLiteral("Baja"), QStringLiteral("Bajar Sorteos nuevos"), [this] { startDownload(); });
    addAction(general, QStringLiteral("Crearp"), QStringLiteral("Crear peña nueva"), [this] { createSyndicate(); });
    addAction(general, QStringLiteral("informes"), QStringLiteral("Descargar informes de premios"), [this] { downloadReports(); });
    m_deleteAllAction = addAction(general, QStringLiteral("borrpe"), QStringLiteral("Borrar sorteos almacenados/Reset aciertos peñas"), [this] { deleteAllDraws(); });
    // Draws and reports without the download, when the operator refuses it.
    m_entryActions = {
        addAction(general, QStringLiteral("pegar"), QStringLiteral("Pegar resultados del navegador…"), [this] { pasteResults(); }),
        addAction(general, QStringLiteral("sorteomano"), QStringLiteral("Añadir sorteo a mano…"), [this] { addDrawByHand(); }),
        addAction(general, QStringLiteral("informemano"), QStringLiteral("Informe de premios a mano…"),
                  [this] { prizeReportByHand(0); }),
    };

    QMenu *simple = general->addMenu(QStringLiteral("Sencillas"));
    simple->setObjectName(QStringLiteral("sen"));
    addAction(simple, QStringLiteral("sencillas"), QStringLiteral("Todos los resultados"),
              [this] { m_tabs->setCurrentIndex(0); m_generalTab->showResultList(0); });
    addAction(simple, QStringLiteral("verpremio"), QStringLiteral("Sólo si hay premio"),
              [this] { m_tabs->setCurrentIndex(0); m_generalTab->showListWithChecks(0, true, false); });
    addAction(simple, QStringLiteral("verhisto"),
              QStringLiteral("Histórico (resultados sorteos anteriores a la fecha de creación de las peñas)"),
              [this] { m_tabs->setCurrentIndex(0); m_generalTab->showListWithChecks(0, false, true); });
    addAction(simple, QStringLiteral("verprehi"), QStringLiteral("Sólo si hay premios + histórico"),
              [this] { m_tabs->setCurrentIndex(0); m_generalTab->showListWithChecks(0, true, true); });

    QMenu *multiple = general->addMenu(QStringLiteral("Múltiples"));
    multiple->setObjectName(QStringLiteral("Mult"));
    addAction(multiple, QStringLiteral("Multiples"), QStringLiteral("Todos los resultados"),
              [this] { m_tabs->setCurrentIndex(0); m_generalTab->showResultList(1); });
    addAction(multiple, QStringLiteral("verpremiom"), QStringLiteral("Sólo si hay premio"),
              [this] { m_tabs->setCurrentIndex(0); m_generalTab->showListWithChecks(1, true, false); });
    addAction(multiple, QStringLiteral("verhistom"),
              QStringLiteral("Histórico (resultados sorteos anteriores a la fecha de creacón de las peñas)"),
              [this] { m_tabs->setCurrentIndex(0); m_generalTab->showListWithChecks(1, false, true); });
    addAction(multiple, QStringLiteral("verpreim"), QStringLiteral("Sólo si hay premios + histórico"),
              [this] { m_tabs->setCurrentIndex(0); m_generalTab->showListWithChecks(1, true, true); });

    general->addSeparator();
    addAction(general, QStringLiteral("salir"), QStringLiteral("Salir"), [this] { close(); });

    QMenu *view = menuBar()->addMenu(QStringLiteral("&Ver"));
    view->setObjectName(QStringLiteral("Ver"));
    const std::array<std::pair<const char *, const char *>, 4> tabs = {{
        {"gene", "Pestaña General"},
        {"ultimo", "Pestaña Último sorteo"},
        {"Gestor", "Pestaña Gestor de peñas"},
        {"esta", "Pestaña Estadísticas"},
    }};
    for (int i = 0; i < 4; ++i) {
        addAction(view, QString::fromLatin1(tabs[std::size_t(i)].first), QString::fromUtf8(tabs[std::size_t(i)].second),
                  [this, i] { m_tabs->setCurrentIndex(i); });
    }

    QMenu *help = menuBar()->addMenu(QStringLiteral("A&yuda"));
    help->setObjectName(QStringLiteral("Ayuda"));
    addAction(help, QStringLiteral("Leer"), QStringLiteral("Leer mensaje del Jefe"), [this] { openNewsWindow(); });
    QAction *guide = addAction(help, QStringLiteral("guia"), QStringLiteral("Guía del usuario"),
                               [this] { m_opener->open(m_session.endpoints().userGuide); });
    guide->setEnabled(!m_session.endpoints().userGuide.isEmpty());
    QAction *web = addAction(help, QStringLiteral("web"), QStringLiteral("Web del programa"),
                             [this] { m_opener->open(m_session.endpoints().programPage()); });
    // Neither a site nor a guide: an entry that opens nothing says so greyed.
    web->setEnabled(!m_session.endpoints().programPage().isEmpty());
    addAction(help, QStringLiteral("acerca"), QStringLiteral("Acerca de..."), [this] { openAbout(); });
}

void MainWindow::focusMoved(QWindow *now)
{
    if (!now)
        return; // the program lost the focus; where it comes back from decides
    if (now == windowHandle()) {
        if (m_returnPending) {
            m_returnPending = false;
            returnToMainWindow();
        }
        return;
    }
    // Menus and pop-ups come and go inside the main window.
    if (now->type() == Qt::Popup || now->type() == Qt::ToolTip)
        return;
    m_returnPending = now->modality() == Qt::NonModal;
}

void MainWindow::setUrlOpener(UrlOpener *opener)
{
    m_opener = opener;
    m_maintenance = std::make_unique<Maintenance>(m_session, *m_opener);
}

void MainWindow::setFileChooser(FileChooser *chooser)
{
    m_chooser = chooser;
}

void MainWindow::importDraws()
{
    if (downloadRunning())
        return;
    if (showOutcome(m_session.prompter(), m_maintenance->importDraws(m_chooser->chooseDrawFile())).changed())
        m_downloadHost->rebuildPrizeReport();
}

void MainWindow::deleteAllDraws()
{
    if (m_statisticsTab->deleteAllowed() && !downloadRunning())
        showOutcome(m_session.prompter(), m_maintenance->deleteAllDraws());
}

void MainWindow::drawClicked(const QModelIndex &index)
{
    // The engine says whether this draw may go (delete mode, or a draw that
    // cannot be real) and asks first.
    if (index.isValid() && !downloadRunning())
        showOutcome(m_session.prompter(), m_maintenance->deleteDraw(index.row() + 1));
}

void MainWindow::deleteSyndicate()
{
    if (downloadRunning())
        return;
    if (!showOutcome(m_session.prompter(), m_maintenance->deleteSyndicate(m_session.syndicates().shown())).changed())
        return;
    // The deleted syndicate can no longer be printed or deleted again.
    m_session.clearSelectedSyndicate();
    m_session.showSyndicateDetails(1);
    m_session.showNewestDraw();
}

void MainWindow::createSyndicate()
{
    if (!m_chooserWindow) {
        m_chooserWindow = new Creamenu(*m_creation, this);
        m_chooserWindow->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_chooserWindow, &Creamenu::creationChosen, this, [this] {
            if (m_creationWindow)
                m_creationWindow->close();
            m_creationWindow = new Crea(m_session, *m_creation, this);
            m_creationWindow->setAttribute(Qt::WA_DeleteOnClose);
            m_creationWindow->show();
        });
        // The reduction window stays open when the main window is used
        // again: it holds the player's choice and a search may be running.
        connect(m_chooserWindow, &Creamenu::reductionChosen, this, [this] {
            if (!m_reductionWindow) {
                m_reductionWindow = new Reduccion(m_session, this);
                m_reductionWindow->setAttribute(Qt::WA_DeleteOnClose);
            }
            m_reductionWindow->show();
            m_reductionWindow->raise();
        });
    }
    m_chooserWindow->show();
    m_chooserWindow->raise();
}

void MainWindow::openAbout()
{
    if (!m_aboutWindow) {
        m_aboutWindow = new Acercade(m_session.endpoints(), *m_opener, this);
        m_aboutWindow->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_aboutWindow->show();
    m_aboutWindow->raise();
}

void MainWindow::printSyndicate()
{
    const int record = m_session.syndicates().shown();
    if (!syndicateChosen(m_session.prompter(), record, Outcome::Command::PrintSlips))
        return;
    if (m_printWindow)
        m_printWindow->close();
    m_printDialog->setDataDir(m_session.dataDir());
    m_printWindow = new Imprimir(m_session, record, *m_printDialog, this);
    m_printWindow->setFileChooser(m_chooser);
    m_printWindow->setAttribute(Qt::WA_DeleteOnClose);
    m_printWindow->show();
}

void MainWindow::printMemberParticipation(const QString &member)
{
    ParticipationDialog dialog(member, m_session.nextDrawDate(), m_session.prompter(), this);
    if (dialog.exec() != QDialog::Accepted || dialog.choice() == ParticipationDialog::Choice::None)
        return;
    printParticipations(dialog.choice() == ParticipationDialog::Choice::Pdf, member, dialog.date());
}

void MainWindow::printParticipations(bool pdf, const QString &member, QDate date)
{
    const int record = m_session.syndicates().shown();
    if (!syndicateChosen(m_session.prompter(), record, Outcome::Command::PrintParticipations))
        return;
    const Membership::Participations made
        = Membership(m_session).participations(record, member, date.isValid() ? date : m_session.nextDrawDate());
    if (!showOutcome(m_session.prompter(), made.outcome).isDone())
        return;
    const auto &sheets = made.sheets;
    const auto refuse = [&](const QString &text) {
        Outcome refused = Outcome::problem(Outcome::Command::PrintParticipations, text);
        refused.name = member;
        showOutcome(m_session.prompter(), refused);
    };
    const auto job = [&](PrintSurface &surface) { ParticipationSheet::print(surface, sheets); };
    if (!pdf) {
        m_printDialog->setDataDir(m_session.dataDir());
        if (!m_printDialog->print(job) && !m_printDialog->errorString().isEmpty())
            refuse(m_printDialog->errorString());
        return;
    }
    const QString path = m_chooser->choosePdfFile(member.isEmpty() ? QStringLiteral("Participaciones %1.pdf").arg(sheets.front().syndicateName)
                                                                   : QStringLiteral("Participación %1 %2.pdf").arg(member, sheets.front().syndicateName));
    if (path.isEmpty())
        return;
    // The save dialog itself asked before an existing file is replaced.
    if (const QString refused = OutputFile::refusal(path, m_session.dataDir(), true);
        !refused.isEmpty()) {
        refuse(refused);
        return;
    }
    PdfFilePrinter printer(path, QStringLiteral("Participaciones de la peña %1").arg(sheets.front().syndicateName));
    if (printer.print(job))
        showOutcome(m_session.prompter(), Outcome::printed(Outcome::Command::PrintParticipations, path, member));
    else
        refuse(printer.errorString());
}

void MainWindow::returnToMainWindow()
{
    if (m_creation->takeSyndicateCreated()) {
        m_session.showNewestDraw();
        m_session.updateStatus();
    }
    // Back in the main window, the program's other windows close, as they
    // always have (the news window stays).
    for (QWidget *child : {static_cast<QWidget *>(m_chooserWindow.data()), static_cast<QWidget *>(m_creationWindow.data()),
                           static_cast<QWidget *>(m_aboutWindow.data()), static_cast<QWidget *>(m_printWindow.data())}) {
        // A peña half typed stays when the user says so: back to it.
        if (child && !child->close()) {
            child->raise();
            child->activateWindow();
        }
    }
    m_session.mainWindowActivated();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_firstShown)
        return;
    m_firstShown = true;
    // Once the window is on screen, as its first activation.
    QTimer::singleShot(0, this, [this] {
        m_session.mainWindowActivated();
        QTimer::singleShot(0, this, &MainWindow::checkNewsAtStart);
    });
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A peña being typed is not thrown away with the program unasked.
    if (m_creationWindow && !m_creationWindow->close()) {
        event->ignore();
        return;
    }
    if (downloadRunning()) {
        // The files stay open until the session has let go of them; the
        // transfer cut short brings up no box on the way out.
        // The transfer stops now and no further step runs: the window
        // closes as soon as the step under way has returned.
        m_downloadHost->setQuiet(true);
        m_closeWhenIdle = true;
        m_transfer->close();
        m_download->abandon();
        hide();
        event->ignore();
        QTimer::singleShot(kCloseRetryMs, this, &QWidget::close);
        return;
    }
    m_transfer->close();
    // Every write is already on disk; closing the files is all exit needs,
    // and then another Quorvale may have the directory at once.
    m_session.shutdown();
    if (m_dataLock) {
        m_dataLock->release();
        m_dataLock = nullptr;
    }
    event->accept();
    QApplication::quit();
}

bool MainWindow::downloadRunning() const
{
    return m_download && m_download->isRunning();
}

void MainWindow::startDownload()
{
    // The news can wait: an open news window never holds the download back.
    if (m_newsWindow)
        m_newsWindow->close();
    m_prizeWatch = std::make_unique<PrizeWatch>(m_session);
    // With no draw stored nothing is asked (and no session ends): the
    // shipped history offered instead is added here when taken.
    if (!m_download->start()) {
        showOutcome(m_session.prompter(), m_download->refusal());
        if (m_download->outcome().noHistory)
            openWayIn(int(m_download->outcome().wayIn));
    }
    showDownloadArea();
}

void MainWindow::downloadReports()
{
    // Every download asks for the reports since the oldest peña's creation;
    // this one goes back to the oldest stored draw.
    const auto &draws = m_session.draws().list().draws; // newest first
    m_download->setReportsSince(draws.empty() ? m_session.syndicates().oldestCreation() : draws.back().qdate());
    startDownload();
    if (!downloadRunning())
        m_download->setReportsSince({});
}

void MainWindow::downloadFinished()
{
    m_download->setReportsSince({});
    // A window on its way out tells nothing more.
    if (!m_closeWhenIdle)
        showOutcome(m_session.prompter(), m_download->result());
    if (m_prizeWatch && !downloadRunning()) {
        const std::vector<PrizeWin> prizes = m_prizeWatch->found(m_session, m_download->outcome().newDraws);
        const std::set<QDate> touched = m_prizeWatch->touched(m_session, m_download->outcome().newDraws);
        m_prizeWatch.reset();
        // The list already flashes; the notice reaches a user in another window.
        if (!prizes.empty() && !m_closeWhenIdle) {
            if (!m_notifier) {
                m_desktopNotifier = std::make_unique<DesktopNotifier>();
                m_notifier = m_desktopNotifier.get();
            }
            Wording::sendPrizeNotifications(*m_notifier, prizes);
        }
        // Every prize the session brought, with its euros, in one box.
        if (!prizes.empty() && !m_closeWhenIdle) {
            const PrizeList::List list = PrizeList::build(m_session, &touched);
            if (list.size() > 0)
                m_session.prompter().inform(Wording::prizeBoxTitle(), Wording::prizeBoxText(list));
        }
    }
    showDownloadArea();
    if (m_closeWhenIdle && !downloadRunning()) {
        close();
        return;
    }
    // A way in chosen in the session's last box.
    if (!downloadRunning() && m_download->outcome().wayIn != Prompter::WayIn::None)
        openWayIn(int(m_download->outcome().wayIn));
}

void MainWindow::openWayIn(int way)
{
    switch (Prompter::WayIn(way)) {
    case Prompter::WayIn::ShippedHistory:
        if (!downloadRunning()
            && showOutcome(m_session.prompter(), m_maintenance->importDraws(bundledDrawFile(QApplication::applicationDirPath())))
                   .changed())
            m_downloadHost->rebuildPrizeReport();
        break;
    case Prompter::WayIn::Paste:
        pasteResults();
        break;
    case Prompter::WayIn::ByHand:
        addDrawByHand();
        break;
    case Prompter::WayIn::None:
        break;
    }
}

void MainWindow::pasteResults()
{
    if (downloadRunning() || m_entryDialog)
        return;
    // The address of the draws still to bring, as the files stand now.
    auto *dialog = new PasteResultsDialog(*m_drawEntry, m_session.prompter(), *m_opener, m_drawEntry->serviceAddress(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, m_downloadHost.get(), &SessionDownloadHost::rebuildPrizeReport);
    m_entryDialog = dialog;
    dialog->open();
}

void MainWindow::addDrawByHand()
{
    if (downloadRunning() || m_entryDialog)
        return;
    auto *dialog = new ManualDrawDialog(*m_drawEntry, m_session.prompter(), m_drawEntry->suggestedDate(), m_session.clock().today(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, m_downloadHost.get(), &SessionDownloadHost::rebuildPrizeReport);
    m_entryDialog = dialog;
    dialog->open();
}

void MainWindow::prizeReportByHand(int position)
{
    if (downloadRunning() || m_entryDialog)
        return;
    const int record = position > 0 ? m_session.nextDrawRecord() - position : m_session.storedDraws();
    const QDate date = record > 0 ? m_session.draws().file().get(record).qdate() : QDate();
    auto *dialog = new ManualPrizeDialog(*m_drawEntry, m_session, date, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, m_downloadHost.get(), &SessionDownloadHost::rebuildPrizeReport);
    m_entryDialog = dialog;
    dialog->open();
}

void MainWindow::showDownloadArea()
{
    const bool running = downloadRunning();
    m_downloadBar->render(running);
    // Nothing may change the draws while a session stores them: the user's
    // events go on during each transfer.
    const bool idle = !running && !m_session.isReadOnly();
    m_statisticsTab->setEditingAllowed(idle);
    m_deleteAllAction->setEnabled(idle);
    for (QAction *action : m_entryActions)
        action->setEnabled(idle);
    m_managerTab->setDeletionAllowed(idle);
}

void MainWindow::tabChanged(int index)
{
    m_session.stopPrizeAnimation();
    if (index == 1 && downloadRunning()) {
        // The report is being rebuilt by the download.
        const QSignalBlocker block(m_tabs);
        m_tabs->setCurrentIndex(m_previousTab);
        return;
    }
    m_previousTab = index;
    if (index == 1)
        m_reportTab->entered();
}

void MainWindow::openNewsWindow()
{
    if (!m_newsWindow) {
        m_newsWindow = new Infor(m_session.dataPath(News::kFileName), this);
        m_newsWindow->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_newsWindow, &Infor::visibilityChanged, this, [this](bool visible) {
            m_downloadHost->setNewsOpen(visible);
        });
    }
    m_newsWindow->show();
    m_newsWindow->raise();
}

void MainWindow::checkNewsAtStart()
{
    if (downloadRunning() || m_transfer->isBusy())
        return;
    if (m_downloadHost->checkNews(*m_transfer) == News::Outcome::Offer && isVisible())
        openNewsWindow();
}
