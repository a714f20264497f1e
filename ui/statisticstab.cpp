#include "statisticstab.h"

#include "drawlistmodel.h"
#include "frequencychart.h"
#include "statspages.h"
#include "widgets.h"

#include "core/session.h"
#include "wording/drawwording.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

using namespace Widgets;

StatisticsTab::StatisticsTab(Session &session, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
{
    // The draw list and its chart are the first of the statistics pages.
    auto *drawsPage = new QWidget;
    auto *layout = new QHBoxLayout(drawsPage);

    auto *left = new QVBoxLayout;
    m_drawModel = new DrawListModel(m_session, this);
    m_drawView = new QTreeView;
    m_drawView->setObjectName(QStringLiteral("ListView3"));
    m_drawView->setRootIsDecorated(false);
    m_drawView->setUniformRowHeights(true);
    m_drawView->setModel(m_drawModel);
    m_drawView->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(m_drawView, &QTreeView::clicked, this, &StatisticsTab::drawClicked);
    m_drawView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_drawView, &QTreeView::customContextMenuRequested, this, [this](const QPoint &at) {
        const QModelIndex index = m_drawView->indexAt(at);
        if (!m_deleteDrawsButton->isEnabled())
            return;
        QMenu menu(this);
        QAction *remove = nullptr;
        QAction *report = nullptr;
        if (index.isValid()) {
            remove = menu.addAction(QStringLiteral("Eliminar este sorteo"));
            remove->setObjectName(QStringLiteral("EliminarSorteo"));
            report = menu.addAction(QStringLiteral("Informe de premios a mano…"));
            report->setObjectName(QStringLiteral("InformeAMano"));
        }
        QAction *byHand = menu.addAction(QStringLiteral("Añadir sorteo a mano…"));
        byHand->setObjectName(QStringLiteral("SorteoAMano"));
        QAction *chosen = menu.exec(m_drawView->viewport()->mapToGlobal(at));
        if (chosen && chosen == remove)
            emit deleteDrawRequested(index.row() + 1);
        else if (chosen && chosen == report)
            emit prizeReportRequested(index.row() + 1);
        else if (chosen == byHand)
            emit addDrawRequested();
    });
    left->addWidget(m_drawView, 1);
    m_totalLabel = namedLabel(QStringLiteral("Label7"), QString());
    m_totalLabel->setStyleSheet(QStringLiteral("font-weight: bold;"));
    m_totalLabel->setWordWrap(true);
    left->addWidget(m_totalLabel);
    auto *buttons = new QHBoxLayout;
    m_deleteDrawsButton = namedButton(QStringLiteral("Command5"), QStringLiteral("Borrar todos los sorteos"));
    m_importButton = namedButton(QStringLiteral("Command8"), QStringLiteral("Añadir todos los sorteos"));
    m_importButton->setToolTip(QStringLiteral("Añade todos los sorteos desde la creación de la Primitiva!!"));
    m_icons[0] = iconButton(this, 2, QStyle::SP_DialogDiscardButton, QStringLiteral("Borrar todos los sorteos"));
    m_icons[1] = iconButton(this, 4, QStyle::SP_DialogOpenButton, QStringLiteral("Añadir todos los sorteos"));
    // The icon does what its button does, and only while the button may.
    connect(m_deleteDrawsButton, &QPushButton::clicked, this, &StatisticsTab::deleteAllRequested);
    connect(m_icons[0], &QToolButton::clicked, this, [this] {
        if (m_deleteDrawsButton->isEnabled())
            emit deleteAllRequested();
    });
    connect(m_importButton, &QPushButton::clicked, this, &StatisticsTab::importRequested);
    connect(m_icons[1], &QToolButton::clicked, this, &StatisticsTab::importRequested);
    buttons->addWidget(m_icons[0]);
    buttons->addWidget(m_deleteDrawsButton);
    buttons->addWidget(m_icons[1]);
    buttons->addWidget(m_importButton);
    buttons->addStretch(1);
    left->addLayout(buttons);
    layout->addLayout(left, 2);

    auto *right = new QVBoxLayout;
    m_chart = new FrequencyChart(QStringLiteral("Apariciones"));
    m_chart->setObjectName(QStringLiteral("MSChart1"));
    m_chart->setMinimumSize(300, 240);
    right->addWidget(m_chart, 1);
    auto *choice = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        m_chartChoice[std::size_t(i)] = new QRadioButton(i == 0 ? QStringLiteral("Números") : QStringLiteral("Clave"));
        m_chartChoice[std::size_t(i)]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        choice->addWidget(m_chartChoice[std::size_t(i)]);
    }
    m_chartChoice[0]->setChecked(true);
    connect(m_chartChoice[0], &QRadioButton::clicked, this,
            [this] { showChart(m_chartHalf->value() == 1 ? ChartTable::Low : ChartTable::High); });
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

    auto *pages = new QVBoxLayout(this);
    pages->setContentsMargins(0, 0, 0, 0);
    pages->addWidget(new StatsPages(m_session, drawsPage));

    connect(&m_session, &Session::drawListChanged, this, &StatisticsTab::showDrawList);
    showDrawList();
}

void StatisticsTab::setEditingAllowed(bool allowed)
{
    m_deleteDrawsButton->setEnabled(allowed);
    m_importButton->setEnabled(allowed);
    for (QToolButton *icon : m_icons)
        icon->setEnabled(allowed);
}

bool StatisticsTab::deleteAllowed() const
{
    return m_deleteDrawsButton->isEnabled();
}

void StatisticsTab::resetChartHalf()
{
    m_chartHalf->setValue(1);
}

void StatisticsTab::showDrawList()
{
    m_drawModel->reload();
    m_totalLabel->setText(Wording::drawTotalText(m_session.draws().list()));
    // The numbers chart comes back after every load.
    m_chartChoice[0]->setChecked(true);
    showChart(m_chartHalf->value() == 1 ? ChartTable::Low : ChartTable::High);
}

void StatisticsTab::showChart(ChartTable table)
{
    m_chartTable = table;
    m_chartHalf->setEnabled(table != ChartTable::Keys);
    const DrawList &list = m_session.draws().list();
    QStringList labels;
    QVector<int> counts;
    if (table == ChartTable::Keys) {
        for (int k = 0; k < 10; ++k) {
            labels << Wording::chartLabel(k);
            counts << list.keyTally[std::size_t(k)];
        }
    } else {
        const int first = table == ChartTable::Low ? 1 : 28;
        for (int n = first; n < first + 27; ++n) {
            labels << Wording::chartLabel(n);
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
