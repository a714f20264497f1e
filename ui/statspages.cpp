#include "statspages.h"

#include "csvexport.h"
#include "desktopseams.h"
#include "frequencychart.h"
#include "statsmodels.h"
#include "trycombination.h"

#include "base/clock.h"
#include "core/session.h"
#include "wording/drawwording.h"

#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
    // The windows offered, in the order of the chooser: a count of newest
    // draws, kRange (two dates) or kAll.
    constexpr int kRange = -1;
    constexpr int kAll = 0;
    constexpr int kWindows[] = {10, 25, 50, 100, kRange, kAll};

    QString shortDate(QDate date)
    {
        return date.toString(QStringLiteral("dd/MM/yyyy"));
    }
}

StatsPages::StatsPages(Session &session, QWidget *drawsPage, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
    , m_dialogs(std::make_unique<DialogFileChooser>(this))
    , m_chooser(m_dialogs.get())
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *chooser = new QHBoxLayout;
    auto *windowLabel = new QLabel(QStringLiteral("Periodo:"));
    m_window = new QComboBox;
    m_window->setObjectName(QStringLiteral("StatsWindow"));
    for (int w : kWindows) {
        m_window->addItem(w == kAll         ? QStringLiteral("Todos los sorteos")
                              : w == kRange ? QStringLiteral("Entre dos fechas")
                                            : QStringLiteral("Últimos %1 sorteos").arg(w),
                          w);
    }
    m_window->setCurrentIndex(m_window->count() - 1);
    windowLabel->setBuddy(m_window);
    m_since = new QDateEdit;
    m_since->setObjectName(QStringLiteral("StatsSince"));
    m_until = new QDateEdit;
    m_until->setObjectName(QStringLiteral("StatsUntil"));
    for (QDateEdit *edit : {m_since, m_until}) {
        edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        edit->setCalendarPopup(true);
        edit->setEnabled(false);
        connect(edit, &QDateEdit::dateChanged, this, &StatsPages::refresh);
    }
    m_since->setToolTip(QStringLiteral("Desde el sorteo de este día, incluido"));
    m_until->setToolTip(QStringLiteral("Hasta el sorteo de este día, incluido"));
    m_windowText = new QLabel;
    m_windowText->setObjectName(QStringLiteral("StatsWindowText"));
    m_windowText->setWordWrap(true);
    chooser->addWidget(windowLabel);
    chooser->addWidget(m_window);
    chooser->addWidget(new QLabel(QStringLiteral("del")));
    chooser->addWidget(m_since);
    chooser->addWidget(new QLabel(QStringLiteral("al")));
    chooser->addWidget(m_until);
    chooser->addWidget(m_windowText, 1);
    layout->addLayout(chooser);
    connect(m_window, &QComboBox::currentIndexChanged, this, &StatsPages::windowChosen);

    m_pages = new QTabWidget;
    m_pages->setObjectName(QStringLiteral("StatsPages"));
    m_pages->setDocumentMode(true);
    m_pages->addTab(drawsPage, QStringLiteral("Sorteos"));
    m_pages->addTab(numbersPage(false), QStringLiteral("Números"));
    m_pages->addTab(numbersPage(true), QStringLiteral("Claves"));
    m_pages->addTab(pairsPage(), QStringLiteral("Parejas"));
    m_pages->addTab(shapePage(), QStringLiteral("Forma del sorteo"));
    m_try = new TryCombinationPage(m_session);
    m_try->setFileChooser(m_chooser);
    m_pages->addTab(m_try, QStringLiteral("Comprobar combinación"));
    layout->addWidget(m_pages, 1);
    // The draw list and its charts count every draw: the period is for the other pages.
    const auto periodApplies = [this, windowLabel] {
        const bool applies = m_pages->currentIndex() != 0;
        windowLabel->setEnabled(applies);
        m_window->setEnabled(applies);
        m_windowText->setEnabled(applies);
        const bool range = applies && m_window->currentData().toInt() == kRange;
        m_since->setEnabled(range);
        m_until->setEnabled(range);
    };
    connect(m_pages, &QTabWidget::currentChanged, this, periodApplies);
    connect(m_window, &QComboBox::currentIndexChanged, this, periodApplies);
    periodApplies();

    connect(&m_session, &Session::drawListChanged, this, &StatsPages::refresh);
    refresh();
    // Until a period is chosen, the two dates span every draw.
    const QSignalBlocker sinceQuiet(m_since);
    const QSignalBlocker untilQuiet(m_until);
    m_since->setDate(m_figures.from.isValid() ? m_figures.from : m_session.clock().today());
    m_until->setDate(m_figures.to.isValid() ? m_figures.to : m_session.clock().today());
}

StatsPages::~StatsPages() = default;

void StatsPages::setFileChooser(FileChooser *chooser)
{
    m_chooser = chooser;
    m_try->setFileChooser(chooser);
}

Stats::Window StatsPages::window() const
{
    const int chosen = m_window->currentData().toInt();
    if (chosen == kAll)
        return Stats::Window::all();
    if (chosen == kRange)
        return Stats::Window::between(m_since->date(), m_until->date());
    return Stats::Window::lastDraws(chosen);
}

void StatsPages::windowChosen()
{
    if (m_window->currentData().toInt() == kRange && m_figures.draws > 0) {
        // The two dates start as the period shown so far.
        const QSignalBlocker sinceQuiet(m_since);
        const QSignalBlocker untilQuiet(m_until);
        m_since->setDate(m_figures.from);
        m_until->setDate(m_figures.to);
    }
    refresh();
}

void StatsPages::refresh()
{
    QElapsedTimer timer;
    timer.start();
    const Stats::Window chosen = window();
    m_figures = m_session.statistics(chosen);
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    if (m_figures.draws == 0)
        m_windowText->setText(QStringLiteral("Ningún sorteo en ese periodo."));
    else
        m_windowText->setText(QStringLiteral("%1 sorteos: %2 a %3")
                                  .arg(spanish.toString(m_figures.draws), shortDate(m_figures.from), shortDate(m_figures.to)));
    m_numbers->setFigures(m_figures);
    m_keys->setFigures(m_figures);
    showValueChart(false);
    showValueChart(true);
    m_pairs->setFigures(m_figures);
    if (m_figures.draws > 0) {
        // The model holds the pairs the most frequent first.
        const auto times = [](int n) { return n == 1 ? QStringLiteral("1 vez") : QStringLiteral("%1 veces").arg(n); };
        QStringList lines = {QStringLiteral("Las que más han salido juntas:")};
        for (int i = 0; i < 10; ++i) {
            const Stats::PairCount &p = m_pairs->pair(i);
            lines << QStringLiteral("  %1 y %2: %3").arg(p.low).arg(p.high).arg(times(p.drawn));
        }
        int never = 0;
        for (int i = 0; i < m_pairs->rowCount(); ++i)
            never += m_pairs->pair(i).drawn == 0 ? 1 : 0;
        const Stats::PairCount &last = m_pairs->pair(m_pairs->rowCount() - 1);
        lines << QString();
        if (never > 0)
            lines << QStringLiteral("%1 de las %2 parejas no han salido nunca juntas en este periodo.").arg(never).arg(Stats::kPairs);
        else
            lines << QStringLiteral("La que menos: %1 y %2, %3.").arg(last.low).arg(last.high).arg(times(last.drawn));
        m_pairSummary->setText(lines.join(QLatin1Char('\n')));
    } else {
        m_pairSummary->clear();
    }
    showShape();
    for (QTableView *view : m_tables)
        fitColumns(view);
    m_try->setWindow(chosen);
    m_lastRefreshNs = timer.nsecsElapsed();
}

void StatsPages::fitColumns(QTableView *view)
{
    // As wide as the header's text and the widest of the first rows, no
    // wider: every column fits a small screen.
    const QAbstractItemModel *model = view->model();
    const QFontMetrics metrics = view->fontMetrics();
    const int rows = std::min(model->rowCount(), 60);
    for (int c = 0; c + 1 < model->columnCount(); ++c) {
        // The header's text keeps room for the sort arrow beside it.
        int width = metrics.horizontalAdvance(model->headerData(c, Qt::Horizontal).toString()) + 10;
        for (int r = 0; r < rows; ++r)
            width = std::max(width, metrics.horizontalAdvance(model->index(r, c).data().toString()));
        view->setColumnWidth(c, width + 14);
    }
}

QTableView *StatsPages::table(const QString &name, QSortFilterProxyModel *proxy)
{
    auto *view = new QTableView;
    view->setObjectName(name);
    view->setModel(proxy);
    view->setSortingEnabled(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setStretchLastSection(true);
    view->horizontalHeader()->setMinimumSectionSize(view->fontMetrics().horizontalAdvance(QStringLiteral("888")));
    view->sortByColumn(0, Qt::AscendingOrder);
    m_tables.push_back(view);
    return view;
}

QWidget *StatsPages::exportRow(const QString &name, QSortFilterProxyModel *model, const QString &fileName)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *button = new QPushButton(QStringLiteral("Exportar CSV…"));
    button->setObjectName(name);
    button->setToolTip(QStringLiteral("Guarda la tabla, tal como se ve, para una hoja de cálculo"));
    connect(button, &QPushButton::clicked, this, [this, model, fileName] {
        CsvExport::save(*model, fileName, *m_chooser, m_session.prompter(), m_session.dataDir());
    });
    layout->addWidget(button);
    layout->addStretch(1);
    return row;
}

QWidget *StatsPages::numbersPage(bool keys)
{
    const QString name = keys ? QStringLiteral("StatsKeys") : QStringLiteral("StatsNumbers");
    auto *page = new QWidget;
    auto *layout = new QHBoxLayout(page);
    auto *left = new QVBoxLayout;
    auto *model = new ValueFiguresModel(keys, this);
    (keys ? m_keys : m_numbers) = model;
    auto *proxy = new QSortFilterProxyModel(this);
    proxy->setSourceModel(model);
    proxy->setSortRole(StatsModels::kSortRole);
    left->addWidget(table(name, proxy), 1);
    left->addWidget(exportRow(name + QStringLiteral("Csv"), proxy,
                              keys ? QStringLiteral("claves.csv") : QStringLiteral("numeros.csv")));
    layout->addLayout(left, 2);

    auto *right = new QVBoxLayout;
    auto *chart = new FrequencyChart(keys ? QStringLiteral("Claves") : QStringLiteral("Números"));
    chart->setObjectName(name + QStringLiteral("Chart"));
    chart->setMinimumSize(240, 200);
    (keys ? m_keyChart : m_numberChart) = chart;
    right->addWidget(chart, 1);
    auto *choice = new QHBoxLayout;
    auto *measure = new QComboBox;
    measure->setObjectName(name + QStringLiteral("Measure"));
    measure->addItems({QStringLiteral("Sorteos sin salir"), QStringLiteral("Veces que ha salido"),
                       QStringLiteral("Mayor ausencia")});
    (keys ? m_keyMeasure : m_numberMeasure) = measure;
    connect(measure, &QComboBox::currentIndexChanged, this, [this, keys] { showValueChart(keys); });
    choice->addWidget(measure, 1);
    if (!keys) {
        m_numberHalf = new QComboBox;
        m_numberHalf->setObjectName(QStringLiteral("StatsNumbersHalf"));
        m_numberHalf->addItems({QStringLiteral("1 a 27"), QStringLiteral("28 a 54")});
        connect(m_numberHalf, &QComboBox::currentIndexChanged, this, [this] { showValueChart(false); });
        choice->addWidget(m_numberHalf);
    }
    right->addLayout(choice);
    layout->addLayout(right, 1);
    return page;
}

void StatsPages::showValueChart(bool keys)
{
    const int measure = (keys ? m_keyMeasure : m_numberMeasure)->currentIndex();
    const int first = keys ? 0 : (m_numberHalf->currentIndex() == 0 ? 0 : 27);
    const int count = keys ? Stats::kKeys : 27;
    QStringList labels;
    QVector<int> values;
    for (int i = first; i < first + count; ++i) {
        const Stats::ValueFigures &v = keys ? m_figures.keys[std::size_t(i)] : m_figures.numbers[std::size_t(i)];
        labels << Wording::chartLabel(v.value);
        values << (measure == 0 ? v.gap : measure == 1 ? v.drawn
                                                       : v.longestGap);
    }
    const QString what = measure == 0 ? QStringLiteral("Sorteos sin salir") : measure == 1 ? QStringLiteral("Veces que ha salido")
                                                                                           : QStringLiteral("Mayor ausencia");
    const QString of = keys ? QStringLiteral("cada clave") : QStringLiteral("los números %1 a %2").arg(first + 1).arg(first + count);
    (keys ? m_keyChart : m_numberChart)->setRows(QStringLiteral("%1: %2").arg(what, of), labels, values);
}

QWidget *StatsPages::pairsPage()
{
    auto *page = new QWidget;
    auto *columns = new QHBoxLayout(page);
    auto *layout = new QVBoxLayout;
    auto *filterRow = new QHBoxLayout;
    auto *filterLabel = new QLabel(QStringLiteral("Parejas con el número:"));
    auto *number = new QSpinBox;
    number->setObjectName(QStringLiteral("StatsPairsNumber"));
    number->setRange(0, Stats::kNumbers);
    number->setSpecialValueText(QStringLiteral("todos"));
    filterLabel->setBuddy(number);
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(number);
    filterRow->addStretch(1);
    layout->addLayout(filterRow);

    m_pairs = new PairModel(this);
    m_pairFilter = new PairFilterModel(this);
    m_pairFilter->setSourceModel(m_pairs);
    m_pairFilter->setSortRole(StatsModels::kSortRole);
    connect(number, &QSpinBox::valueChanged, m_pairFilter, &PairFilterModel::setNumber);
    QTableView *view = table(QStringLiteral("StatsPairs"), m_pairFilter);
    // The most frequent first, as the engine lists them.
    view->sortByColumn(PairModel::Drawn, Qt::DescendingOrder);
    layout->addWidget(view, 1);
    layout->addWidget(exportRow(QStringLiteral("StatsPairsCsv"), m_pairFilter, QStringLiteral("parejas.csv")));
    columns->addLayout(layout, 1);
    m_pairSummary = new QLabel;
    m_pairSummary->setObjectName(QStringLiteral("StatsPairsSummary"));
    m_pairSummary->setWordWrap(true);
    m_pairSummary->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    columns->addWidget(m_pairSummary, 1);
    return page;
}

QWidget *StatsPages::shapePage()
{
    auto *page = new QWidget;
    auto *layout = new QHBoxLayout(page);
    auto *left = new QVBoxLayout;
    m_shape = new QComboBox;
    m_shape->setObjectName(QStringLiteral("StatsShape"));
    m_shape->addItems({QStringLiteral("Suma de los cinco números"), QStringLiteral("Números impares"),
                       QStringLiteral("Números bajos (1 a 27) y altos"), QStringLiteral("Números por decena"),
                       QStringLiteral("Parejas de números consecutivos"), QStringLiteral("Repetidos del sorteo anterior")});
    connect(m_shape, &QComboBox::currentIndexChanged, this, &StatsPages::showShape);
    left->addWidget(m_shape);
    m_shapeModel = new DistributionModel(this);
    auto *proxy = new QSortFilterProxyModel(this);
    proxy->setSourceModel(m_shapeModel);
    proxy->setSortRole(StatsModels::kSortRole);
    left->addWidget(table(QStringLiteral("StatsShapeTable"), proxy), 1);
    left->addWidget(exportRow(QStringLiteral("StatsShapeCsv"), proxy, QStringLiteral("forma.csv")));
    layout->addLayout(left, 2);
    m_shapeChart = new FrequencyChart(QStringLiteral("Sorteos"));
    m_shapeChart->setObjectName(QStringLiteral("StatsShapeChart"));
    m_shapeChart->setMinimumSize(240, 200);
    layout->addWidget(m_shapeChart, 3);
    return page;
}

void StatsPages::showShape()
{
    const Stats::Figures &f = m_figures;
    QStringList labels;
    // Short labels under the bars: "40-59", "1-9", or the count alone.
    QStringList chartLabels;
    QVector<int> counts;
    QString heading;
    int total = f.draws;
    switch (m_shape->currentIndex()) {
    case 0:
        heading = QStringLiteral("Suma");
        for (const Stats::SumBand &band : Stats::sumBands(f)) {
            labels << QStringLiteral("%1 a %2").arg(band.low).arg(band.high);
            chartLabels << QStringLiteral("%1-%2").arg(band.low).arg(band.high);
            counts << band.draws;
        }
        break;
    case 1:
        heading = QStringLiteral("Impares");
        for (int i = 0; i <= 5; ++i) {
            labels << QStringLiteral("%1 impares y %2 pares").arg(i).arg(5 - i);
            chartLabels << QString::number(i);
            counts << f.oddEven[std::size_t(i)];
        }
        break;
    case 2:
        heading = QStringLiteral("Bajos");
        for (int i = 0; i <= 5; ++i) {
            labels << QStringLiteral("%1 bajos y %2 altos").arg(i).arg(5 - i);
            chartLabels << QString::number(i);
            counts << f.lowHigh[std::size_t(i)];
        }
        break;
    case 3:
        heading = QStringLiteral("Decena");
        total = 5 * f.draws;
        for (int d = 0; d < 6; ++d) {
            labels << QStringLiteral("%1 a %2").arg(Stats::decadeLow(d)).arg(Stats::decadeHigh(d));
            chartLabels << QStringLiteral("%1-%2").arg(Stats::decadeLow(d)).arg(Stats::decadeHigh(d));
            counts << f.decades[std::size_t(d)];
        }
        break;
    case 4:
        heading = QStringLiteral("Consecutivos");
        for (int i = 0; i < int(f.consecutive.size()); ++i) {
            labels << (i == 0 ? QStringLiteral("Ninguna pareja") : i == 1 ? QStringLiteral("1 pareja")
                                                                          : QStringLiteral("%1 parejas").arg(i));
            chartLabels << (i == 0 ? QStringLiteral("Ninguna") : QString::number(i));
            counts << f.consecutive[std::size_t(i)];
        }
        break;
    default:
        heading = QStringLiteral("Repetidos");
        total = 0;
        for (int i = 0; i <= 5; ++i) {
            labels << (i == 1 ? QStringLiteral("1 número") : QStringLiteral("%1 números").arg(i));
            chartLabels << QString::number(i);
            counts << f.repeats[std::size_t(i)];
            total += f.repeats[std::size_t(i)];
        }
        break;
    }
    m_shapeModel->setRows(heading, labels, counts, total);
    m_shapeChart->setRows(m_shape->currentText(), chartLabels, counts);
}
