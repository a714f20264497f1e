#include "trycombination.h"

#include "csvexport.h"
#include "statsmodels.h"

#include "base/filechooser.h"
#include "core/session.h"
#include "scrutiny/money.h"
#include "store/cents.h"
#include "wording/moneywording.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>

#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace
{
    QTableView *tableView(const QString &name, QSortFilterProxyModel *proxy)
    {
        auto *view = new QTableView;
        view->setObjectName(name);
        view->setModel(proxy);
        view->setSortingEnabled(true);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setAlternatingRowColors(true);
        view->verticalHeader()->hide();
        view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
        view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        view->horizontalHeader()->setStretchLastSection(true);
        return view;
    }
}

TryCombinationPage::TryCombinationPage(Session &session, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
{
    auto *layout = new QHBoxLayout(this);

    auto *left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Elija de 5 a 11 números:")));
    auto *grid = new QGridLayout;
    grid->setSpacing(2);
    for (int n = 1; n <= 54; ++n) {
        auto *cell = new QToolButton;
        cell->setObjectName(QStringLiteral("TryNumber_%1").arg(n));
        cell->setText(QString::number(n));
        cell->setCheckable(true);
        cell->setAutoRaise(false);
        cell->setFixedSize(cell->fontMetrics().horizontalAdvance(QStringLiteral("888")) + 8, cell->fontMetrics().height() + 8);
        cell->setStyleSheet(QStringLiteral("QToolButton:checked { background: #c00000; color: white; font-weight: bold; }"));
        connect(cell, &QToolButton::clicked, this, &TryCombinationPage::gridClicked);
        grid->addWidget(cell, (n - 1) / 9, (n - 1) % 9);
        m_grid[std::size_t(n - 1)] = cell;
    }
    left->addLayout(grid);
    auto *typedRow = new QHBoxLayout;
    auto *typedLabel = new QLabel(QStringLiteral("Números:"));
    m_typed = new QLineEdit;
    m_typed->setObjectName(QStringLiteral("TryNumbers"));
    m_typed->setPlaceholderText(QStringLiteral("p. ej. 3, 12, 25, 33, 48"));
    m_typed->setToolTip(QStringLiteral("Los números de la apuesta, separados por comas o espacios"));
    typedLabel->setBuddy(m_typed);
    connect(m_typed, &QLineEdit::textEdited, this, &TryCombinationPage::numbersTyped);
    typedRow->addWidget(typedLabel);
    typedRow->addWidget(m_typed, 1);
    left->addLayout(typedRow);
    auto *keyRow = new QHBoxLayout;
    auto *keyLabel = new QLabel(QStringLiteral("Clave:"));
    m_key = new QSpinBox;
    m_key->setObjectName(QStringLiteral("TryKey"));
    m_key->setRange(0, 9);
    keyLabel->setBuddy(m_key);
    connect(m_key, &QSpinBox::valueChanged, this, [this](int key) {
        m_bet.key = key;
        recompute();
    });
    auto *clear = new QPushButton(QStringLiteral("Borrar números"));
    clear->setObjectName(QStringLiteral("TryClear"));
    connect(clear, &QPushButton::clicked, this, [this] {
        m_bet.numbers.clear();
        m_typingProblem.clear();
        m_typed->clear();
        showNumbers();
        recompute();
    });
    keyRow->addWidget(keyLabel);
    keyRow->addWidget(m_key);
    keyRow->addStretch(1);
    keyRow->addWidget(clear);
    left->addLayout(keyRow);
    m_problem = new QLabel;
    m_problem->setObjectName(QStringLiteral("TryProblem"));
    m_problem->setWordWrap(true);
    left->addWidget(m_problem);
    m_money = new QLabel;
    m_money->setObjectName(QStringLiteral("TryMoney"));
    m_money->setWordWrap(true);
    m_money->setTextInteractionFlags(Qt::TextSelectableByMouse);
    left->addWidget(m_money);
    left->addStretch(1);
    layout->addLayout(left, 0);

    auto *right = new QVBoxLayout;
    m_totals = new TryTotalsModel(this);
    auto *totalsProxy = new QSortFilterProxyModel(this);
    totalsProxy->setSourceModel(m_totals);
    totalsProxy->setSortRole(StatsModels::kSortRole);
    m_totalsView = tableView(QStringLiteral("TryTotals"), totalsProxy);
    m_totalsView->sortByColumn(TryTotalsModel::Category, Qt::AscendingOrder);
    m_totalsView->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    connect(m_totalsView, &QTableView::doubleClicked, this, [this, totalsProxy](const QModelIndex &index) {
        listCategory(totalsProxy->mapToSource(index).row() + 1);
    });
    // The nine prize rows in sight at once, whatever the window's height.
    m_totalsView->setMinimumHeight(m_totalsView->horizontalHeader()->sizeHint().height()
                                   + PrizeReport::kRows * m_totalsView->verticalHeader()->defaultSectionSize()
                                   + 2 * m_totalsView->frameWidth() + 2);
    m_totalsView->setMaximumHeight(m_totalsView->minimumHeight());
    m_totalsView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    right->addWidget(m_totalsView);
    auto *headingRow = new QHBoxLayout;
    m_drawsHeading = new QLabel;
    m_drawsHeading->setObjectName(QStringLiteral("TryDrawsHeading"));
    m_drawsHeading->setWordWrap(true);
    auto *all = new QPushButton(QStringLiteral("Todos los premios"));
    all->setObjectName(QStringLiteral("TryAllDraws"));
    connect(all, &QPushButton::clicked, this, [this] { listCategory(0); });
    headingRow->addWidget(m_drawsHeading, 1);
    headingRow->addWidget(all);
    right->addLayout(headingRow);
    m_draws = new TryDrawsModel(this);
    auto *drawsProxy = new QSortFilterProxyModel(this);
    drawsProxy->setSourceModel(m_draws);
    drawsProxy->setSortRole(StatsModels::kSortRole);
    m_drawsView = tableView(QStringLiteral("TryDraws"), drawsProxy);
    m_drawsView->sortByColumn(TryDrawsModel::Date, Qt::DescendingOrder);
    right->addWidget(m_drawsView, 1);
    auto *exports = new QHBoxLayout;
    exports->addWidget(exportButton(QStringLiteral("TryTotalsCsv"), totalsProxy, QStringLiteral("premios-combinacion.csv")));
    exports->addWidget(exportButton(QStringLiteral("TryDrawsCsv"), drawsProxy, QStringLiteral("sorteos-combinacion.csv")));
    exports->addStretch(1);
    right->addLayout(exports);
    layout->addLayout(right, 1);

    recompute();
}

QWidget *TryCombinationPage::exportButton(const QString &name, QSortFilterProxyModel *model, const QString &fileName)
{
    auto *button = new QPushButton(name == QLatin1String("TryTotalsCsv") ? QStringLiteral("Exportar premios CSV…")
                                                                         : QStringLiteral("Exportar sorteos CSV…"));
    button->setObjectName(name);
    connect(button, &QPushButton::clicked, this, [this, model, fileName] {
        if (m_chooser)
            CsvExport::save(*model, fileName, *m_chooser, m_session.prompter(), m_session.dataDir());
    });
    return button;
}

void TryCombinationPage::setWindow(const Stats::Window &window)
{
    m_window = window;
    recompute();
}

void TryCombinationPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    recompute();
}

void TryCombinationPage::gridClicked()
{
    m_bet.numbers.clear();
    for (int n = 1; n <= 54; ++n) {
        if (m_grid[std::size_t(n - 1)]->isChecked())
            m_bet.numbers.push_back(n);
    }
    m_typingProblem.clear();
    QStringList texts;
    for (int n : m_bet.numbers)
        texts << QString::number(n);
    m_typed->setText(texts.join(QStringLiteral(", ")));
    recompute();
}

void TryCombinationPage::numbersTyped(const QString &text)
{
    // What was typed stays as typed; the grid follows it.
    static const QRegularExpression separators(QStringLiteral("[\\s,;.\\-]+"));
    m_bet.numbers.clear();
    m_typingProblem.clear();
    for (const QString &part : text.split(separators, Qt::SkipEmptyParts)) {
        bool ok = false;
        const int n = part.toInt(&ok);
        if (!ok) {
            m_typingProblem = QStringLiteral("«%1» no es un número: escriba los números separados por comas o espacios.").arg(part);
            break;
        }
        m_bet.numbers.push_back(n);
    }
    showNumbers();
    recompute();
}

void TryCombinationPage::showNumbers()
{
    for (int n = 1; n <= 54; ++n) {
        const bool chosen = std::find(m_bet.numbers.begin(), m_bet.numbers.end(), n) != m_bet.numbers.end();
        m_grid[std::size_t(n - 1)]->setChecked(chosen);
    }
}

void TryCombinationPage::listCategory(int category)
{
    m_category = category;
    m_draws->setResult(m_result, m_category);
    if (m_result.draws == 0 && m_result.prized.empty() && m_bet.numbers.empty())
        m_drawsHeading->setText(QStringLiteral("Sorteos con premio"));
    else if (m_category == 0)
        m_drawsHeading->setText(QStringLiteral("Sorteos con premio: %1 (doble clic en una categoría para ver sólo los suyos)")
                                    .arg(m_result.prized.size()));
    else
        m_drawsHeading->setText(QStringLiteral("Sorteos con premio de %1: %2")
                                    .arg(Wording::categoryLabel(m_category))
                                    .arg(m_draws->rowCount()));
}

void TryCombinationPage::recompute()
{
    QString problem = m_typingProblem;
    if (problem.isEmpty() && m_bet.numbers.empty())
        problem = QStringLiteral("Elija los números en la rejilla o escríbalos, y la clave.");
    if (problem.isEmpty())
        problem = Stats::betProblem(m_bet);
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    if (!problem.isEmpty()) {
        m_result = {};
        m_problem->setStyleSheet(QStringLiteral("color: #a00000;"));
        m_problem->setText(problem);
        m_money->clear();
    } else {
        m_result = m_session.tryBet(m_bet, m_window);
        const std::int64_t bets = Money::betsPlayed(Stats::asSyndicate(m_bet));
        m_problem->setStyleSheet(QString());
        m_problem->setText(QStringLiteral("%1 números y la clave %2: %3 por sorteo.")
                               .arg(m_bet.numbers.size())
                               .arg(m_bet.key)
                               .arg(bets == 1 ? QStringLiteral("1 apuesta") : QStringLiteral("%1 apuestas").arg(bets)));
        const Money::Totals &t = m_result.totals;
        QStringList lines;
        lines << QStringLiteral("Jugado: %1 en %2 sorteos.").arg(formatEuros(t.stakeCents), spanish.toString(t.drawsPlayed));
        if (t.drawsPriced > 0)
            lines << QStringLiteral("Ganado: %1 en los %2 sorteos con informe de premios; balance de esos sorteos: %3.")
                         .arg(formatEuros(t.wonCents), spanish.toString(t.drawsPriced), formatEuros(t.pricedBalanceCents));
        if (m_result.unpricedDraws() > 0)
            lines << QStringLiteral("%1 sorteos sin informe de premios guardado: lo que habría ganado en ellos no se sabe "
                                    "(menú General, «Descargar informes de premios»).")
                         .arg(spanish.toString(m_result.unpricedDraws()));
        m_money->setText(lines.join(QLatin1Char('\n')));
    }
    m_totals->setResult(m_result);
    listCategory(m_category);
}
