#include "mainwindow.h"

#include "drawlistmodel.h"
#include "effectivenesschart.h"
#include "frequencychart.h"
#include "resultlistmodel.h"
#include "acercade.h"
#include "crea.h"
#include "creamenu.h"
#include "desktopseams.h"
#include "downloadbutton.h"
#include "newswindow.h"
#include "printwindow.h"
#include "systemprintdialog.h"

#include "base/calendar.h"
#include "core/maintenance.h"
#include "core/syndicatecreation.h"
#include "store/fileops.h"
#include "base/prompter.h"
#include "core/session.h"
#include "core/sessiondownloadhost.h"
#include "web/downloadsession.h"
#include "web/networktransfer.h"
#include "web/news.h"
#include "web/prizereport.h"
#include "scrutiny/categories.h"
#include "store/oledate.h"

#include <QApplication>
#include <QVariantAnimation>
#include <QWindow>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QStackedWidget>
#include <QVBoxLayout>

#ifdef QUORVALE_PDF_VIEWER
#include <QPdfDocument>
#include <QPdfView>
#endif

namespace
{
    const QString kSimpleCaption = QStringLiteral("S E N C I L L A");
    const QString kMultipleCaption = QStringLiteral("M Ú L T I P L E");

    QLabel *namedLabel(const QString &name, const QString &text, QWidget *parent = nullptr)
    {
        auto *label = new QLabel(text, parent);
        label->setObjectName(name);
        return label;
    }

    QPushButton *namedButton(const QString &name, const QString &text)
    {
        auto *button = new QPushButton(text);
        button->setObjectName(name);
        return button;
    }

    // A table rather than a tree: with a million rows a tree view lays out
    // an item per row before it paints, a table only the rows in sight.
    QTableView *resultList(const QString &name, QAbstractItemModel *model)
    {
        auto *view = new QTableView;
        view->setObjectName(name);
        view->setModel(model);
        view->setShowGrid(false);
        view->setWordWrap(false);
        view->setAlternatingRowColors(false);
        view->setSelectionMode(QAbstractItemView::NoSelection);
        view->setFocusPolicy(Qt::NoFocus);
        view->verticalHeader()->hide();
        view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
        QHeaderView *header = view->horizontalHeader();
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setStretchLastSection(true);
        header->setHighlightSections(false);
        const int columns = model->columnCount();
        header->resizeSection(0, 12);
        for (int c = 1; c < columns - 1; ++c)
            header->resizeSection(c, c == columns - 2 ? 46 : 34);
        return view;
    }

    // Twips of the original layout to pixels of this screen.
    int fromTwips(const QWidget *widget, int twips)
    {
        return twips * widget->logicalDpiY() / 1440;
    }

    const QString kButtonFace;
    const QString kPrizeStyle = QStringLiteral("background-color: rgb(255, 0, 0); color: white; font-weight: bold;");
    const QString kHeadingStyle = QStringLiteral("background-color: rgb(%1); font-weight: bold; padding: 4px;");
    const QString kHeadingIdle = QStringLiteral("224, 224, 224");
    const QString kHeadingBusy = QStringLiteral("255, 128, 0");
}

MainWindow::MainWindow(Session &session, QWidget *parent)
    : QMainWindow(parent)
    , m_session(session)
    , m_desktopOpener(std::make_unique<DesktopUrlOpener>())
    , m_dialogChooser(std::make_unique<DialogFileChooser>(this))
    , m_files(std::make_unique<DiskFileOps>())
    , m_opener(m_desktopOpener.get())
    , m_chooser(m_dialogChooser.get())
    , m_maintenance(std::make_unique<Maintenance>(session, *m_files, *m_desktopOpener))
    , m_creation(std::make_unique<SyndicateCreation>(session))
    , m_printDialog(std::make_unique<SystemPrintDialog>())
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

    setObjectName(QStringLiteral("Principal"));
    setWindowTitle(QStringLiteral("Quorvale - Para El Gordo de la Primitiva. Versión %1")
                       .arg(QStringLiteral(QUORVALE_VERSION)));
    move(2, 4); // near the top-left corner of the screen

    buildMenus();

    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->addWidget(buildDownloadBar());

    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->addTab(buildGeneralTab(), QStringLiteral("General"));
    m_tabs->addTab(buildReportTab(), QStringLiteral("Último sorteo"));
    m_tabs->addTab(buildManagerTab(), QStringLiteral("Gestor de peñas"));
    m_tabs->addTab(buildStatisticsTab(), QStringLiteral("Estadísticas"));
    layout->addWidget(m_tabs, 1);
    setCentralWidget(central);
    resize(980, 700);

    m_blinkTimer = new QTimer(this);
    m_blinkTimer->setObjectName(QStringLiteral("Timer2"));
    m_blinkTimer->setInterval(500);
    connect(m_blinkTimer, &QTimer::timeout, this, [this] {
        m_label9[6]->setVisible(!m_label9[6]->isVisible());
    });

    connect(&m_session, &Session::statusChanged, this, &MainWindow::showStatus);
    connect(&m_session, &Session::drawListChanged, this, &MainWindow::showDrawList);
    connect(&m_session, &Session::syndicatesChanged, this, &MainWindow::showSyndicates);
    connect(&m_session, &Session::viewOptionsChanged, this, &MainWindow::showViewOptions);
    connect(&m_session, &Session::syndicateDetailsChanged, this, &MainWindow::showSyndicateDetails);
    connect(&m_session, &Session::prizeNoticeChanged, this, &MainWindow::showPrizeNotice);
    connect(&m_session, &Session::scrollBarsReset, this, [this] { m_chartHalf->setValue(1); });

    m_prizeTimer = new QTimer(this);
    m_prizeTimer->setObjectName(QStringLiteral("Timer3"));
    m_prizeTimer->setInterval(800);
    connect(m_prizeTimer, &QTimer::timeout, this, &MainWindow::blinkPrize);

    connect(m_tabs, &QTabWidget::currentChanged, this, &MainWindow::tabChanged);

    connect(m_downloadHost.get(), &SessionDownloadHost::downloadAreaChanged, this, &MainWindow::showDownloadArea);
    connect(m_downloadHost.get(), &SessionDownloadHost::prizeReportChanged, this, &MainWindow::showPrizeReport);
    connect(m_downloadHost.get(), &SessionDownloadHost::firstTabRequested, this, [this] {
        // The session's own return to the first tab is not the user's tab
        // change: a prize just found keeps flashing.
        const QSignalBlocker block(m_tabs);
        m_tabs->setCurrentIndex(0);
        m_previousTab = 0;
    });
    connect(m_downloadHost.get(), &SessionDownloadHost::newsWindowCloseRequested, this, [this] {
        if (m_newsWindow)
            m_newsWindow->close();
    });
    // Queued: the session is still inside its step when it says it finished.
    connect(m_download.get(), &DownloadSession::finished, this, &MainWindow::downloadFinished, Qt::QueuedConnection);
    // Coming back from one of the program's own windows counts as a return
    // to the main window; a message box or another program does not.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &MainWindow::focusMoved);

    showStatus();
    showSyndicates();
    showSyndicateDetails();
    showDrawList();
    showViewOptions();
    showPrizeNotice();
    showDownloadArea();
    // The report panel as the last download left it, then the simple list.
    m_downloadHost->rebuildPrizeReport();
    showResultList(0);
}

MainWindow::~MainWindow() = default;

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
    m_deleteAllAction = addAction(general, QStringLiteral("borrpe"), QStringLiteral("Borrar sorteos almacenados/Reset aciertos peñas"), [this] { deleteAllDraws(); });

    QMenu *simple = general->addMenu(QStringLiteral("Sencillas"));
    simple->setObjectName(QStringLiteral("sen"));
    addAction(simple, QStringLiteral("sencillas"), QStringLiteral("Todos los resultados"),
              [this] { m_tabs->setCurrentIndex(0); showResultList(0); });
    addAction(simple, QStringLiteral("verpremio"), QStringLiteral("Sólo si hay premio"),
              [this] { setChecksFromMenu(0, true, false); });
    addAction(simple, QStringLiteral("verhisto"),
              QStringLiteral("Histórico (resultados sorteos anteriores a la fecha de creación de las peñas)"),
              [this] { setChecksFromMenu(0, false, true); });
    addAction(simple, QStringLiteral("verprehi"), QStringLiteral("Sólo si hay premios + histórico"),
              [this] { setChecksFromMenu(0, true, true); });

    QMenu *multiple = general->addMenu(QStringLiteral("Múltiples"));
    multiple->setObjectName(QStringLiteral("Mult"));
    addAction(multiple, QStringLiteral("Multiples"), QStringLiteral("Todos los resultados"),
              [this] { m_tabs->setCurrentIndex(0); showResultList(1); });
    addAction(multiple, QStringLiteral("verpremiom"), QStringLiteral("Sólo si hay premio"),
              [this] { setChecksFromMenu(1, true, false); });
    addAction(multiple, QStringLiteral("verhistom"),
              QStringLiteral("Histórico (resultados sorteos anteriores a la fecha de creacón de las peñas)"),
              [this] { setChecksFromMenu(1, false, true); });
    addAction(multiple, QStringLiteral("verpreim"), QStringLiteral("Sólo si hay premios + histórico"),
              [this] { setChecksFromMenu(1, true, true); });

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
    addAction(help, QStringLiteral("web"), QStringLiteral("Web del programa"),
              [this] { m_opener->open(m_session.endpoints().webSite); });
    addAction(help, QStringLiteral("acerca"), QStringLiteral("Acerca de..."), [this] { openAbout(); });
}

QWidget *MainWindow::buildDownloadBar()
{
    auto *bar = new QFrame;
    bar->setFrameShape(QFrame::StyledPanel);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(6, 2, 6, 2);

    m_downloadButton = new DownloadButton;
    connect(m_downloadButton, &DownloadButton::clicked, this, &MainWindow::startDownload);
    row->addWidget(m_downloadButton);

    auto *area = new QGridLayout;
    area->setHorizontalSpacing(8);
    area->addWidget(namedLabel(QStringLiteral("Label5"), QStringLiteral("Estado de la transferencia:")), 0, 0);
    m_statusLabel = namedLabel(QStringLiteral("Label6"), QString());
    m_statusLabel->setStyleSheet(QStringLiteral("font-weight: bold; color: #000080;"));
    m_statusLabel->setMinimumWidth(230);
    area->addWidget(m_statusLabel, 0, 1);
    area->addWidget(namedLabel(QStringLiteral("Label57"), QStringLiteral("Datos:")), 1, 0);
    m_byteCount = namedLabel(QStringLiteral("Label58"), QStringLiteral("0 Bytes"));
    area->addWidget(m_byteCount, 1, 1);
    m_progress = new QProgressBar;
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 5);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setFixedSize(220, 14);
    // Keeps its place while hidden, so the labels do not jump.
    QSizePolicy keepPlace = m_progress->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_progress->setSizePolicy(keepPlace);
    m_progress->setVisible(false);
    area->addWidget(m_progress, 2, 0, 1, 2);
    row->addLayout(area);
    row->addStretch(1);

    auto *news = namedButton(QStringLiteral("Command6"), QStringLiteral("Ver mensaje"));
    connect(news, &QPushButton::clicked, this, &MainWindow::openNewsWindow);
    row->addWidget(news, 0, Qt::AlignVCenter);
    return bar;
}

QWidget *MainWindow::buildGeneralTab()
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);

    auto *statusBox = new QGroupBox;
    statusBox->setObjectName(QStringLiteral("Frame2"));
    auto *grid = new QGridLayout(statusBox);
    m_label9[0] = namedLabel(QStringLiteral("Label9_0"), QStringLiteral("- Peñas registradas a comprobar:"));
    m_label9[1] = namedLabel(QStringLiteral("Label9_1"), QStringLiteral("- Última actualización de números ganadores:"));
    m_label9[2] = namedLabel(QStringLiteral("Label9_2"), QString());
    m_label9[3] = namedLabel(QStringLiteral("Label9_3"), QString());
    m_label9[4] = namedLabel(QStringLiteral("Label9_4"), QStringLiteral("- Próximo sorteo:"));
    m_label9[5] = namedLabel(QStringLiteral("Label9_5"), QString());
    m_label9[6] = namedLabel(QStringLiteral("Label9_6"), QString());
    for (int i : {2, 3, 5})
        m_label9[std::size_t(i)]->setStyleSheet(QStringLiteral("font-weight: bold; color: #000080;"));
    m_label9[6]->setStyleSheet(QStringLiteral("font-weight: bold; color: #ff0000;"));
    // The blinking warning keeps its place so that nothing below it jumps.
    QSizePolicy keepPlace = m_label9[6]->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_label9[6]->setSizePolicy(keepPlace);
    grid->addWidget(m_label9[0], 0, 0);
    grid->addWidget(m_label9[2], 0, 1);
    grid->addWidget(m_label9[1], 1, 0);
    grid->addWidget(m_label9[3], 1, 1);
    grid->addWidget(m_label9[4], 2, 0);
    grid->addWidget(m_label9[5], 2, 1);
    grid->addWidget(m_label9[6], 3, 0, 1, 2);
    m_implausibleLabel = namedLabel(QStringLiteral("ImplausibleDraws"), QString());
    m_implausibleLabel->setStyleSheet(QStringLiteral("font-weight: bold; color: #ff0000;"));
    m_implausibleLabel->setWordWrap(true);
    m_implausibleLabel->setVisible(false);
    grid->addWidget(m_implausibleLabel, 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    layout->addWidget(statusBox);

    auto *controls = new QHBoxLayout;
    controls->addWidget(namedLabel(QStringLiteral("Label12"), QStringLiteral("-Seleccione el número de sorteos a ver:")));
    m_drawsScroll = new QScrollBar(Qt::Horizontal);
    m_drawsScroll->setObjectName(QStringLiteral("HScroll1"));
    m_drawsScroll->setMinimumWidth(200);
    m_drawsScroll->setRange(1, 1);
    // While the bar is dragged only the number follows; the lists are
    // rebuilt once it is let go.
    m_drawsScroll->setTracking(false);
    connect(m_drawsScroll, &QScrollBar::sliderMoved, this, [this](int value) {
        m_drawsText->setText(QString::number(value));
    });
    connect(m_drawsScroll, &QScrollBar::valueChanged, this, [this](int value) {
        m_drawsText->setText(QString::number(value));
        // While the download checks the new draws it sets the count itself.
        if (m_downloadHost->progress() == 3)
            return;
        m_session.setDrawsToShow(value);
    });
    controls->addWidget(m_drawsScroll, 1);
    m_drawsText = new QLineEdit(QStringLiteral("1"));
    m_drawsText->setObjectName(QStringLiteral("Text3"));
    m_drawsText->setReadOnly(true);
    m_drawsText->setMaximumWidth(60);
    m_drawsText->setAlignment(Qt::AlignCenter);
    controls->addWidget(m_drawsText);
    m_historico = new QCheckBox(QStringLiteral("Histórico"));
    m_historico->setObjectName(QStringLiteral("Check1"));
    connect(m_historico, &QCheckBox::toggled, &m_session, &Session::setHistorico);
    controls->addWidget(m_historico);
    m_soloPremio = new QCheckBox(QStringLiteral("Ver sólo si hay premio"));
    m_soloPremio->setObjectName(QStringLiteral("Check2"));
    connect(m_soloPremio, &QCheckBox::toggled, &m_session, &Session::setSoloPremio);
    controls->addWidget(m_soloPremio);
    layout->addLayout(controls);

    auto *switches = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        m_listButtons[std::size_t(i)] = namedButton(QStringLiteral("Command1_%1").arg(i), i == 0 ? kSimpleCaption : kMultipleCaption);
        m_listButtons[std::size_t(i)]->setMinimumWidth(180);
        connect(m_listButtons[std::size_t(i)], &QPushButton::clicked, this, [this, i] { showResultList(i); });
        switches->addWidget(m_listButtons[std::size_t(i)]);
    }
    m_storedDraws = namedLabel(QStringLiteral("Label19"), QString());
    m_storedDraws->setStyleSheet(QStringLiteral("font-weight: bold; color: #000080;"));
    switches->addWidget(m_storedDraws);
    switches->addStretch(1);
    layout->addLayout(switches);

    m_frameLine = new QFrame;
    m_frameLine->setObjectName(QStringLiteral("Shape2"));
    m_frameLine->setFrameShape(QFrame::HLine);
    m_frameLine->setFrameShadow(QFrame::Sunken);
    layout->addWidget(m_frameLine);

    m_simpleModel = new ResultListModel(m_session, ResultListModel::Which::Simple, this);
    m_multipleModel = new ResultListModel(m_session, ResultListModel::Which::Multiple, this);
    m_simpleList = resultList(QStringLiteral("ListView2"), m_simpleModel);
    m_multipleList = resultList(QStringLiteral("ListView4"), m_multipleModel);
    auto *lists = new QHBoxLayout;
    lists->setContentsMargins(0, 0, 0, 0);
    lists->addWidget(m_simpleList, 1);
    lists->addWidget(m_multipleList, 1);
    layout->addLayout(lists, 1);

    m_listAnimation = new QVariantAnimation(this);
    m_listAnimation->setDuration(kListAnimationMs);
    m_listAnimation->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_listAnimation, &QVariantAnimation::valueChanged, this, [this](const QVariant &width) {
        if (m_growingList)
            m_growingList->setMaximumWidth(width.toInt());
    });
    connect(m_listAnimation, &QVariantAnimation::finished, this, [this] {
        if (m_growingList)
            m_growingList->setMaximumWidth(QWIDGETSIZE_MAX);
        m_growingList = nullptr;
    });
    return tab;
}

QWidget *MainWindow::buildReportTab()
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    m_reportHeading = namedLabel(QStringLiteral("Label8"), QStringLiteral("Informe"));
    m_reportHeading->setAlignment(Qt::AlignCenter);
    m_reportHeading->setAutoFillBackground(true);
    m_reportHeading->setStyleSheet(kHeadingStyle.arg(kHeadingIdle));
    layout->addWidget(m_reportHeading);
    auto *prizes = new QGroupBox(QStringLiteral("Premios en Euros "));
    prizes->setObjectName(QStringLiteral("Frame4"));
    auto *grid = new QGridLayout(prizes);
    grid->setHorizontalSpacing(10);
    static const std::array<const char *, 8> captions = {
        "- 1ª Categoría (5 + 1 Aciertos): ", "- 2ª Categoría (5 + 0 Aciertos): ", "- 3ª Categoría (4 + 1 Aciertos): ",
        "- 4ª Categoría (4 + 0 Aciertos): ", "- 5ª Categoría (3 + 1 Aciertos): ", "- 6ª Categoría (3 + 0 Aciertos): ",
        "- 7ª Categoría (2 + 1 Aciertos): ", "- 8ª Categoría (2 + 0 Aciertos): ",
    };
    for (int i = 0; i < PrizeCategory::kCount; ++i) {
        // Two columns of four, so the document keeps most of the tab.
        const int row = i % 4;
        const int column = i / 4 * 3;
        grid->addWidget(namedLabel(QStringLiteral("Label11_%1").arg(i), QString::fromUtf8(captions[std::size_t(i)])), row, column);
        m_label10[std::size_t(i)] = namedLabel(QStringLiteral("Label10_%1").arg(i), QStringLiteral("0"));
        m_label10[std::size_t(i)]->setStyleSheet(QStringLiteral("font-weight: bold; color: #000080;"));
        m_label10[std::size_t(i)]->setMinimumWidth(110);
        grid->addWidget(m_label10[std::size_t(i)], row, column + 1);
    }
    grid->setColumnMinimumWidth(2, 24);
    grid->setColumnStretch(5, 1);
    layout->addWidget(prizes);
    m_reportStack = new QStackedWidget;
    m_reportText = namedLabel(QStringLiteral("Text1"), QString());
    m_reportText->setAlignment(Qt::AlignCenter);
    m_reportText->setWordWrap(true);
    m_reportText->setFrameShape(QFrame::StyledPanel);
    m_reportText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_reportText->installEventFilter(this);
    m_reportStack->addWidget(m_reportText);
#ifdef QUORVALE_PDF_VIEWER
    m_pdfDocument = new QPdfDocument(this);
    m_pdfView = new QPdfView;
    m_pdfView->setObjectName(QStringLiteral("WebBrowser1"));
    m_pdfView->setDocument(m_pdfDocument);
    m_pdfView->setPageMode(QPdfView::PageMode::MultiPage);
    m_pdfView->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    m_reportStack->addWidget(m_pdfView);
#endif
    layout->addWidget(m_reportStack, 1);
    return tab;
}

QWidget *MainWindow::buildManagerTab()
{
    auto *tab = new QWidget;
    auto *layout = new QHBoxLayout(tab);

    auto *left = new QVBoxLayout;
    m_syndicateList = new QTreeWidget;
    m_syndicateList->setObjectName(QStringLiteral("ListView1"));
    m_syndicateList->setHeaderLabels({QStringLiteral("Nombre"), QStringLiteral("Apuestas"),
                                      QStringLiteral("Fecha creación"), QStringLiteral("Días a jugar")});
    m_syndicateList->setRootIsDecorated(false);
    m_syndicateList->setSelectionMode(QAbstractItemView::SingleSelection);
    // The name takes what the other columns leave; a 20-letter name fits.
    m_syndicateList->header()->setStretchLastSection(false);
    m_syndicateList->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < 4; ++c)
        m_syndicateList->header()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    connect(m_syndicateList, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        // The position in the list is the record number.
        if (!m_session.syndicates().empty())
            m_session.selectSyndicate(m_syndicateList->indexOfTopLevelItem(item) + 1);
    });
    left->addWidget(m_syndicateList, 1);
    auto *buttons = new QHBoxLayout;
    m_printButton = namedButton(QStringLiteral("Command2"), QStringLiteral("Imprimir"));
    auto *create = namedButton(QStringLiteral("Command4"), QStringLiteral("Crear peña nueva"));
    m_deleteSyndicateButton = namedButton(QStringLiteral("Command3"), QStringLiteral("Eliminar peña"));
    connect(m_printButton, &QPushButton::clicked, this, &MainWindow::printSyndicate);
    connect(create, &QPushButton::clicked, this, &MainWindow::createSyndicate);
    connect(m_deleteSyndicateButton, &QPushButton::clicked, this, &MainWindow::deleteSyndicate);
    buttons->addWidget(iconButton(3, QStyle::SP_FileDialogContentsView, QStringLiteral("Imprimir"), &MainWindow::printSyndicate));
    buttons->addWidget(m_printButton);
    buttons->addWidget(iconButton(1, QStyle::SP_FileIcon, QStringLiteral("Crear peña nueva"), &MainWindow::createSyndicate));
    buttons->addWidget(create);
    buttons->addWidget(iconButton(0, QStyle::SP_TrashIcon, QStringLiteral("Eliminar peña"), &MainWindow::deleteSyndicate));
    buttons->addWidget(m_deleteSyndicateButton);
    left->addLayout(buttons);

    auto *overall = new QGroupBox(QStringLiteral("Todas las peñas"));
    overall->setObjectName(QStringLiteral("Frame3"));
    auto *overallGrid = new QGridLayout(overall);
    overallGrid->addWidget(namedLabel(QStringLiteral("Label14"), QStringLiteral("Premios conseguidos:")), 0, 0);
    m_totalPrizes = namedLabel(QStringLiteral("Label13"), QString());
    m_totalPrizes->setStyleSheet(QStringLiteral("font-weight: bold; color: #000080;"));
    overallGrid->addWidget(m_totalPrizes, 0, 1);
    m_overallText = new QLineEdit;
    m_overallText->setObjectName(QStringLiteral("Text4"));
    m_overallText->setReadOnly(true);
    // Wide enough for the longest text it shows.
    m_overallText->setMinimumWidth(m_overallText->fontMetrics().horizontalAdvance(
                                       QStringLiteral("100,0% de efectividad en premios")) + 16);
    overallGrid->addWidget(m_overallText, 1, 0, 1, 2);
    m_overallDraws = new QLineEdit;
    m_overallDraws->setObjectName(QStringLiteral("Text5"));
    m_overallDraws->setReadOnly(true);
    overallGrid->addWidget(m_overallDraws, 2, 0, 1, 2);
    m_overallChart = new EffectivenessChart(QStringLiteral("Todas las peñas"));
    m_overallChart->setObjectName(QStringLiteral("MSChart2"));
    overallGrid->addWidget(m_overallChart, 0, 2, 3, 1);
    overallGrid->setColumnStretch(2, 1);
    left->addWidget(overall);
    layout->addLayout(left, 3);

    auto *frame = new QGroupBox(QStringLiteral("Desde la creación de la peña..."));
    frame->setObjectName(QStringLiteral("Frame1"));
    auto *grid = new QGridLayout(frame);
    m_betList = new QListWidget;
    m_betList->setObjectName(QStringLiteral("List1"));
    QFont fixed(QStringLiteral("Courier"));
    fixed.setStyleHint(QFont::TypeWriter);
    m_betList->setFont(fixed);
    grid->addWidget(m_betList, 0, 0, 1, 2);
    grid->setRowStretch(0, 1);
    for (int i = 0; i < PrizeCategory::kCount; ++i) {
        grid->addWidget(namedLabel(QStringLiteral("Label1_%1").arg(i), PrizeCategory::caption(i + 1)), i + 1, 0);
        m_label3[std::size_t(i)] = namedLabel(QStringLiteral("Label3_%1").arg(i), QStringLiteral("0"));
        m_label3[std::size_t(i)]->setStyleSheet(QStringLiteral("font-weight: bold;"));
        grid->addWidget(m_label3[std::size_t(i)], i + 1, 1);
    }
    grid->addWidget(namedLabel(QStringLiteral("Label15"), QStringLiteral("Sorteos jugados:")), 9, 0);
    m_drawsPlayed = namedLabel(QStringLiteral("Label17"), QStringLiteral("-"));
    m_drawsPlayed->setStyleSheet(QStringLiteral("font-weight: bold;"));
    grid->addWidget(m_drawsPlayed, 9, 1);
    grid->addWidget(namedLabel(QStringLiteral("Label18"), QStringLiteral("Efectividad:")), 10, 0);
    m_effectiveness = namedLabel(QStringLiteral("Label16"), QStringLiteral("-"));
    m_effectiveness->setStyleSheet(QStringLiteral("font-weight: bold; color: #000080;"));
    grid->addWidget(m_effectiveness, 10, 1);
    m_syndicateChart = new EffectivenessChart(QStringLiteral("Esta peña"));
    m_syndicateChart->setObjectName(QStringLiteral("MSChart3"));
    grid->addWidget(m_syndicateChart, 11, 0, 1, 2);
    layout->addWidget(frame, 2);
    return tab;
}

QWidget *MainWindow::buildStatisticsTab()
{
    auto *tab = new QWidget;
    auto *layout = new QHBoxLayout(tab);

    auto *left = new QVBoxLayout;
    m_drawModel = new DrawListModel(m_session, this);
    m_drawView = new QTreeView;
    m_drawView->setObjectName(QStringLiteral("ListView3"));
    m_drawView->setRootIsDecorated(false);
    m_drawView->setUniformRowHeights(true);
    m_drawView->setModel(m_drawModel);
    m_drawView->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(m_drawView, &QTreeView::clicked, this, &MainWindow::drawClicked);
    left->addWidget(m_drawView, 1);
    m_totalLabel = namedLabel(QStringLiteral("Label7"), QString());
    m_totalLabel->setStyleSheet(QStringLiteral("font-weight: bold;"));
    left->addWidget(m_totalLabel);
    auto *buttons = new QHBoxLayout;
    m_deleteDrawsButton = namedButton(QStringLiteral("Command5"), QStringLiteral("Borrar todos los sorteos"));
    connect(m_deleteDrawsButton, &QPushButton::clicked, this, &MainWindow::deleteAllDraws);
    auto *import = namedButton(QStringLiteral("Command8"), QStringLiteral("Añadir todos los sorteos"));
    import->setToolTip(QStringLiteral("Añade todos los sorteos desde la creación de la Primitiva!!"));
    connect(import, &QPushButton::clicked, this, &MainWindow::importDraws);
    m_importButton = import;
    // The icon does what its button does, and only while the button may.
    buttons->addWidget(iconButton(2, QStyle::SP_DialogDiscardButton, QStringLiteral("Borrar todos los sorteos"), &MainWindow::deleteAllDraws));
    buttons->addWidget(m_deleteDrawsButton);
    buttons->addWidget(iconButton(4, QStyle::SP_DialogOpenButton, QStringLiteral("Añadir todos los sorteos"), &MainWindow::importDraws));
    buttons->addWidget(import);
    left->addLayout(buttons);
    layout->addLayout(left, 2);

    auto *right = new QVBoxLayout;
    m_chart = new FrequencyChart(QStringLiteral("Apariciones"));
    m_chart->setObjectName(QStringLiteral("MSChart1"));
    m_chart->setMinimumSize(420, 300);
    right->addWidget(m_chart, 1);
    auto *choice = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        m_chartChoice[std::size_t(i)] = new QRadioButton(i == 0 ? QStringLiteral("Números") : QStringLiteral("Clave"));
        m_chartChoice[std::size_t(i)]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        choice->addWidget(m_chartChoice[std::size_t(i)]);
    }
    m_chartChoice[0]->setChecked(true);
    connect(m_chartChoice[0], &QRadioButton::clicked, this, [this] { showChart(m_chartHalf->value() == 1 ? ChartTable::Low : ChartTable::High); });
    connect(m_chartChoice[1], &QRadioButton::clicked, this, [this] { showChart(ChartTable::Keys); });
    m_chartHalf = new QScrollBar(Qt::Horizontal);
    m_chartHalf->setObjectName(QStringLiteral("HScroll2"));
    m_chartHalf->setRange(1, 2);
    m_chartHalf->setPageStep(1);
    m_chartHalf->setToolTip(QStringLiteral("Números 1 a 27 / 28 a 54"));
    connect(m_chartHalf, &QScrollBar::valueChanged, this, [this](int value) {
        showChart(value == 1 ? ChartTable::Low : ChartTable::High);
    });
    choice->addWidget(m_chartHalf, 1);
    right->addLayout(choice);
    layout->addLayout(right, 3);
    return tab;
}

void MainWindow::showStatus()
{
    const DrawStatus &status = m_session.drawStatus();
    m_label9[3]->setText(status.lastUpdate);
    m_label9[5]->setText(status.nextDraw);
    m_label9[6]->setText(status.missing);
    if (status.missingWarning) {
        if (!m_blinkTimer->isActive())
            m_blinkTimer->start();
    } else {
        m_blinkTimer->stop();
        m_label9[6]->setVisible(false);
    }
    m_implausibleLabel->setText(status.implausible);
    m_implausibleLabel->setVisible(status.implausibleWarning);
    m_historico->setEnabled(status.historyEnabled);
    m_soloPremio->setEnabled(status.historyEnabled);
    m_drawsScroll->setEnabled(status.scrollEnabled);
    {
        const QSignalBlocker block(m_drawsScroll);
        m_drawsScroll->setMaximum(status.scrollMaximum);
        m_drawsScroll->setValue(m_session.drawsToShow());
    }
    m_drawsText->setText(QString::number(m_session.drawsToShow()));
}

void MainWindow::showSyndicates()
{
    const Summary::SyndicateList &list = m_session.syndicateList();
    m_label9[2]->setText(m_session.syndicateCountText());
    m_syndicateList->clear();
    if (list.items.empty())
        new QTreeWidgetItem(m_syndicateList, {QStringLiteral("VACÍO")});
    for (const Summary::ListItem &item : list.items) {
        auto *row = new QTreeWidgetItem(m_syndicateList, {item.name, item.bets, item.createdOn, item.drawDay});
        if (item.damaged)
            row->setForeground(1, QColor(0xFF, 0, 0));
    }
    m_printButton->setEnabled(!list.items.empty());
    m_deleteSyndicateButton->setEnabled(!list.items.empty() && !downloadRunning());

    m_totalPrizes->setText(list.totalPrizes);
    m_overallText->setText(list.overall);
    m_overallDraws->setText(list.overallDraws);
    m_overallChart->setRow(list.overallChart);
    showSyndicateDetails();
}

void MainWindow::showSyndicateDetails()
{
    const Summary::Details &details = m_session.syndicateDetails();
    m_betList->clear();
    m_betList->addItems(details.lines);
    if (details.listHeightTwips > 0) {
        // The height the original gave the list, but never less than its lines need.
        const int needed = details.lines.size() * m_betList->fontMetrics().lineSpacing() + 2 * m_betList->frameWidth() + 4;
        m_betList->setMinimumHeight(std::min(std::max(fromTwips(this, details.listHeightTwips), needed), 420));
    }
    for (std::size_t i = 0; i < m_label3.size(); ++i)
        m_label3[i]->setText(details.prizes[i]);
    m_drawsPlayed->setText(details.drawsPlayed);
    m_effectiveness->setText(details.effectiveness);
    m_syndicateChart->setRow(details.chart);

    // The item whose details are shown is the one highlighted.
    const int row = details.record - 1;
    const QSignalBlocker block(m_syndicateList);
    if (row >= 0 && row < m_syndicateList->topLevelItemCount() && !m_session.syndicates().empty())
        m_syndicateList->setCurrentItem(m_syndicateList->topLevelItem(row));
    else if (m_syndicateList->topLevelItemCount() > 0)
        m_syndicateList->setCurrentItem(m_syndicateList->topLevelItem(0));
}

void MainWindow::showDrawList()
{
    m_drawModel->reload();
    m_totalLabel->setText(m_session.drawList().totalText());
    // The numbers chart comes back after every load.
    m_chartChoice[0]->setChecked(true);
    showChart(m_chartHalf->value() == 1 ? ChartTable::Low : ChartTable::High);
}

void MainWindow::showViewOptions()
{
    const QSignalBlocker a(m_historico), b(m_soloPremio), c(m_drawsScroll);
    m_historico->setChecked(m_session.historico());
    m_soloPremio->setChecked(m_session.soloPremio());
    m_drawsScroll->setValue(m_session.drawsToShow());
    m_drawsText->setText(QString::number(m_session.drawsToShow()));
}

void MainWindow::showChart(ChartTable table)
{
    m_chartTable = table;
    m_chartHalf->setEnabled(table != ChartTable::Keys);
    const DrawList &list = m_session.drawList();
    QStringList labels;
    QVector<int> counts;
    if (table == ChartTable::Keys) {
        for (int k = 0; k < 10; ++k) {
            labels << chartLabel(k);
            counts << list.keyTally[std::size_t(k)];
        }
    } else {
        const int first = table == ChartTable::Low ? 1 : 28;
        for (int n = first; n < first + 27; ++n) {
            labels << chartLabel(n);
            counts << list.numberTally[std::size_t(n - 1)];
        }
    }
    QString title;
    switch (table) {
    case ChartTable::Low: title = QStringLiteral("Apariciones de los números 1 a 27"); break;
    case ChartTable::High: title = QStringLiteral("Apariciones de los números 28 a 54"); break;
    case ChartTable::Keys: title = QStringLiteral("Apariciones de cada número clave"); break;
    }
    m_chart->setRows(title, labels, counts);
}

void MainWindow::showResultList(int index)
{
    m_session.stopPrizeAnimation();
    QTableView *shown = index == 0 ? m_simpleList : m_multipleList;
    QTableView *hidden = index == 0 ? m_multipleList : m_simpleList;
    if (m_currentList == index && shown->isVisibleTo(this))
        return;
    m_currentList = index;
    hidden->setVisible(false);
    shown->setVisible(true);
    m_frameLine->setFixedWidth(fromTwips(this, index == 0 ? 7575 : 8775));

    // The list grows into place from nothing, as it always has.
    m_listAnimation->stop();
    if (m_growingList)
        m_growingList->setMaximumWidth(QWIDGETSIZE_MAX);
    m_growingList = shown;
    const int target = std::max(shown->parentWidget() ? shown->parentWidget()->width() : 0, fromTwips(this, index == 0 ? 7601 : 8801));
    shown->setMaximumWidth(1);
    m_listAnimation->setStartValue(1);
    m_listAnimation->setEndValue(target);
    m_listAnimation->start();
}

void MainWindow::showPrizeNotice()
{
    m_storedDraws->setText(m_session.storedDrawsNotice());
    if (m_session.prizeAnimationRunning()) {
        if (!m_prizeTimer->isActive())
            m_prizeTimer->start();
    } else if (m_prizeTimer->isActive()) {
        m_prizeTimer->stop();
        for (int i = 0; i < 2; ++i)
            setPrizeLook(i, false);
    }
}

void MainWindow::setPrizeLook(int button, bool prize)
{
    QPushButton *b = m_listButtons[std::size_t(button)];
    b->setStyleSheet(prize ? kPrizeStyle : kButtonFace);
    b->setText(prize ? QStringLiteral("P R E M I O") : (button == 0 ? kSimpleCaption : kMultipleCaption));
}

bool MainWindow::showsPrize(int button) const
{
    return m_listButtons[std::size_t(button)]->text() == QStringLiteral("P R E M I O");
}

void MainWindow::blinkPrize()
{
    const int blink = m_session.prizeBlink();
    if (blink == 3) {
        const bool prize = !showsPrize(0);
        setPrizeLook(0, prize);
        setPrizeLook(1, prize);
    } else if (blink == 1 || blink == 2) {
        setPrizeLook(blink - 1, !showsPrize(blink - 1));
    }
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

void MainWindow::setChecksFromMenu(int list, bool soloPremio, bool historico)
{
    m_tabs->setCurrentIndex(0);
    showResultList(list);
    // Each box runs its own action only when its value changes.
    m_soloPremio->setChecked(soloPremio);
    m_historico->setChecked(historico);
}

void MainWindow::setUrlOpener(UrlOpener *opener)
{
    m_opener = opener;
    m_maintenance = std::make_unique<Maintenance>(m_session, *m_files, *m_opener);
}

void MainWindow::setFileChooser(FileChooser *chooser)
{
    m_chooser = chooser;
}

QWidget *MainWindow::iconButton(int index, int standardIcon, const QString &tip, void (MainWindow::*command)())
{
    auto *button = new QToolButton;
    button->setObjectName(QStringLiteral("Image1_%1").arg(index));
    button->setIcon(style()->standardIcon(QStyle::StandardPixmap(standardIcon)));
    button->setToolTip(tip);
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this, command);
    return button;
}

void MainWindow::importDraws()
{
    if (downloadRunning())
        return;
    m_maintenance->importDraws(m_chooser->chooseDrawFile());
}

void MainWindow::deleteAllDraws()
{
    if (m_deleteDrawsButton->isEnabled() && !downloadRunning())
        m_maintenance->deleteAllDraws();
}

void MainWindow::drawClicked(const QModelIndex &index)
{
    // The engine says whether this draw may go (delete mode, or a draw that
    // cannot be real) and asks first.
    if (index.isValid() && !downloadRunning())
        m_maintenance->deleteDraw(index.row() + 1);
}

void MainWindow::deleteSyndicate()
{
    if (downloadRunning())
        return;
    if (!m_maintenance->deleteSyndicate(m_session.selectedSyndicate()))
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
    const int record = m_session.selectedSyndicate();
    if (!m_session.checkSyndicateChosen(record))
        return;
    if (m_printWindow)
        m_printWindow->close();
    m_printWindow = new Imprimir(m_session, record, *m_printDialog, this);
    m_printWindow->setAttribute(Qt::WA_DeleteOnClose);
    m_printWindow->show();
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
        if (child)
            child->close();
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
    if (downloadRunning()) {
        // The files stay open until the session has let go of them; the
        // transfer cut short brings up no box on the way out.
        m_downloadHost->setQuiet(true);
        m_closeWhenIdle = true;
        m_transfer->setTimeout(2000);
        m_transfer->cancel();
        hide();
        event->ignore();
        return;
    }
    if (m_transfer->isBusy())
        m_transfer->cancel();
    // Every write is already on disk; closing the files is all exit needs.
    m_session.shutdown();
    event->accept();
    QApplication::quit();
}

bool MainWindow::downloadRunning() const
{
    return m_download && m_download->isRunning();
}

void MainWindow::startDownload()
{
    m_download->start();
    showDownloadArea();
}

void MainWindow::downloadFinished()
{
    showDownloadArea();
    if (m_closeWhenIdle && !downloadRunning())
        close();
}

void MainWindow::showDownloadArea()
{
    const bool running = downloadRunning();
    m_statusLabel->setText(m_downloadHost->statusText());
    m_byteCount->setText(m_downloadHost->byteCountText());
    m_progress->setValue(m_downloadHost->progress());
    // Shown while a session runs, and full with the finished one.
    m_progress->setVisible(running || m_downloadHost->progress() > 0);
    m_downloadButton->setImage(m_downloadHost->buttonImage());

    // Nothing may change the draws while a session stores them: the user's
    // events go on during each transfer.
    const bool idle = !running;
    m_deleteDrawsButton->setEnabled(idle);
    m_importButton->setEnabled(idle);
    m_deleteAllAction->setEnabled(idle);
    for (const char *name : {"Image1_0", "Image1_2", "Image1_4"}) {
        if (auto *icon = findChild<QToolButton *>(QString::fromLatin1(name)))
            icon->setEnabled(idle);
    }
    m_deleteSyndicateButton->setEnabled(idle && !m_session.syndicateList().items.empty());
}

void MainWindow::showPrizeReport()
{
    const PrizeReportView &view = m_downloadHost->prizeReport();
    m_reportHeading->setText(view.heading);
    for (std::size_t i = 0; i < m_label10.size(); ++i)
        m_label10[i]->setText(view.amounts[i]);
    QString message = view.message;
#ifdef QUORVALE_PDF_VIEWER
    m_pdfDocument->close();
    if (view.showDocument) {
        if (m_pdfDocument->load(view.documentFile) == QPdfDocument::Error::None) {
            m_reportStack->setCurrentWidget(m_pdfView);
            return;
        }
        message = reportNotAvailableText();
    }
#endif
    m_reportText->setText(message);
    m_reportStack->setCurrentWidget(m_reportText);
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
    if (index == 1 && m_reportStack->currentWidget() == m_reportText) {
        m_reportHeading->setText(reportUpdatingHeading());
        m_reportHeading->setStyleSheet(kHeadingStyle.arg(kHeadingBusy));
        m_reportHeading->repaint();
        m_downloadHost->rebuildPrizeReport();
        m_reportHeading->setStyleSheet(kHeadingStyle.arg(kHeadingIdle));
    }
}

void MainWindow::openNewsWindow()
{
    if (!m_newsWindow) {
        m_newsWindow = new Infor(m_session.dataPath(News::kFileName), this);
        m_newsWindow->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_newsWindow, &Infor::visibilityChanged, this, [this](bool visible) {
            m_downloadHost->setNewsWindowVisible(visible);
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

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Text1: once told that no PDF viewer is there, a click leads to one.
    if (watched == m_reportText && event->type() == QEvent::MouseButtonRelease && m_downloadHost->readerMissing())
        m_opener->open(m_session.endpoints().pdfReaderPage);
    return QMainWindow::eventFilter(watched, event);
}
