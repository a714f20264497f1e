#include "statsmodels.h"

#include "wording/drawwording.h"
#include "wording/moneywording.h"

#include <QBrush>
#include <QColor>
#include <QLocale>

using StatsModels::kSortRole;

namespace
{
    const QLocale &spanish()
    {
        static const QLocale locale(QLocale::Spanish, QLocale::Spain);
        return locale;
    }

    QString percent(int count, int total)
    {
        return total > 0 ? spanish().toString(100.0 * count / total, 'f', 2) + QStringLiteral(" %") : QStringLiteral("-");
    }

    QVariant alignment(int column, int firstNumeric)
    {
        return column >= firstNumeric ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter)) : QVariant();
    }

    QString shortDate(QDate date)
    {
        return date.toString(QStringLiteral("dd/MM/yyyy"));
    }
}

// --- Números / Claves --------------------------------------------------------

ValueFiguresModel::ValueFiguresModel(bool keys, QObject *parent)
    : QAbstractTableModel(parent)
    , m_keys(keys)
{
}

void ValueFiguresModel::setFigures(const Stats::Figures &figures)
{
    // The rows stay (always 54 or 10): only their values change.
    m_figures = figures;
    emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

int ValueFiguresModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : (m_keys ? Stats::kKeys : Stats::kNumbers);
}

int ValueFiguresModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

const Stats::ValueFigures &ValueFiguresModel::row(int r) const
{
    return m_keys ? m_figures.keys[std::size_t(r)] : m_figures.numbers[std::size_t(r)];
}

QString ValueFiguresModel::markText(const Stats::ValueFigures &value) const
{
    const int marked = m_keys ? Stats::kMarkedKeys : Stats::kMarkedNumbers;
    if (m_figures.draws == 0)
        return {};
    if (value.hotRank <= marked)
        return QStringLiteral("caliente");
    if (value.coldRank <= marked)
        return QStringLiteral("frío");
    return {};
}

QVariant ValueFiguresModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const Stats::ValueFigures &v = row(index.row());
    const std::optional<double> mean = v.meanGap();
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case Value: return v.value;
        case Drawn: return v.drawn;
        case Share: return percent(v.drawn, m_figures.draws);
        case Gap: return v.gap;
        case LongestGap: return v.longestGap;
        case MeanGap: return mean ? spanish().toString(*mean, 'f', 2) : QStringLiteral("-");
        case Mark: return markText(v);
        }
    } else if (role == kSortRole) {
        switch (index.column()) {
        case Value: return v.value;
        case Drawn: return v.drawn;
        case Share: return v.drawn;
        case Gap: return v.gap;
        case LongestGap: return v.longestGap;
        // No mean (fewer than two appearances) sorts after every mean.
        case MeanGap: return mean ? *mean : 1e9;
        case Mark: return markText(v).isEmpty() ? 1 : (v.hotRank <= (m_keys ? Stats::kMarkedKeys : Stats::kMarkedNumbers) ? 0 : 2);
        }
    } else if (role == Qt::ForegroundRole) {
        const QString mark = markText(v);
        if (!mark.isEmpty())
            return QBrush(v.hotRank <= (m_keys ? Stats::kMarkedKeys : Stats::kMarkedNumbers) ? QColor(192, 0, 0) : QColor(0, 64, 192));
    } else if (role == Qt::TextAlignmentRole) {
        return index.column() == Mark ? QVariant() : alignment(index.column(), Value);
    } else if (role == Qt::ToolTipRole && index.column() == Gap) {
        return QStringLiteral("Sorteos de este periodo desde que salió por última vez");
    }
    return {};
}

QVariant ValueFiguresModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::ToolTipRole) {
        switch (section) {
        case Share: return QStringLiteral("Porcentaje de los sorteos del periodo en que ha salido");
        case LongestGap: return QStringLiteral("Mayor ausencia: la racha más larga de sorteos sin salir en el periodo");
        case MeanGap: return QStringLiteral("Ausencia media: sorteos sin salir, de media, entre dos apariciones");
        case Gap: return QStringLiteral("Sorteos seguidos sin salir, hasta el último del periodo");
        case Mark: return QStringLiteral("Los que más han salido (calientes) y los que menos (fríos) en el periodo");
        default: return {};
        }
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Value: return m_keys ? QStringLiteral("Clave") : QStringLiteral("Nº");
    case Drawn: return QStringLiteral("Veces");
    case Share: return QStringLiteral("%");
    case Gap: return QStringLiteral("Sin salir");
    case LongestGap: return QStringLiteral("Máx. aus.");
    case MeanGap: return QStringLiteral("Media aus.");
    case Mark: return QStringLiteral("Marca");
    }
    return {};
}

// --- Parejas -----------------------------------------------------------------

PairModel::PairModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void PairModel::setFigures(const Stats::Figures &figures)
{
    beginResetModel();
    m_pairs = Stats::pairsByCount(figures);
    m_draws = figures.draws;
    endResetModel();
}

int PairModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_pairs.size());
}

int PairModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PairModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const Stats::PairCount &p = m_pairs[std::size_t(index.row())];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case Pair: return QStringLiteral("%1 - %2").arg(p.low).arg(p.high);
        case Drawn: return p.drawn;
        case Share: return percent(p.drawn, m_draws);
        }
    } else if (role == kSortRole) {
        switch (index.column()) {
        case Pair: return Stats::pairIndex(p.low, p.high);
        default: return p.drawn;
        }
    } else if (role == Qt::TextAlignmentRole) {
        return alignment(index.column(), Drawn);
    }
    return {};
}

QVariant PairModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Pair: return QStringLiteral("Pareja");
    case Drawn: return QStringLiteral("Veces juntos");
    case Share: return QStringLiteral("% sorteos");
    }
    return {};
}

void PairFilterModel::setNumber(int number)
{
    m_number = number;
    invalidateFilter();
}

bool PairFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    if (m_number == 0)
        return true;
    const auto *pairs = static_cast<const PairModel *>(sourceModel());
    const Stats::PairCount &p = pairs->pair(sourceRow);
    return p.low == m_number || p.high == m_number;
}

// --- Forma del sorteo --------------------------------------------------------

DistributionModel::DistributionModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void DistributionModel::setRows(const QString &heading, const QStringList &labels, const QVector<int> &counts, int total)
{
    beginResetModel();
    m_heading = heading;
    m_labels = labels;
    m_counts = counts;
    m_total = total;
    endResetModel();
}

int DistributionModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_labels.size());
}

int DistributionModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DistributionModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int count = m_counts.value(index.row());
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case Label: return m_labels.value(index.row());
        case Count: return count;
        case Share: return percent(count, m_total);
        }
    } else if (role == kSortRole) {
        return index.column() == Label ? index.row() : count;
    } else if (role == Qt::TextAlignmentRole) {
        return alignment(index.column(), Count);
    }
    return {};
}

QVariant DistributionModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Label: return m_heading;
    case Count: return QStringLiteral("Veces");
    case Share: return QStringLiteral("%");
    }
    return {};
}

// --- Comprobar combinación ---------------------------------------------------

TryTotalsModel::TryTotalsModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void TryTotalsModel::setResult(const Stats::TryResult &result)
{
    m_prizes = result.categories;
    m_draws.fill(0);
    for (const Stats::TriedDraw &row : result.prized) {
        for (std::size_t c = 0; c < m_draws.size(); ++c)
            m_draws[c] += row.outcome.categories[c] > 0 ? 1 : 0;
    }
    emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

int TryTotalsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : PrizeReport::kRows;
}

int TryTotalsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TryTotalsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const std::size_t r = std::size_t(index.row());
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case Category: return Wording::categoryLabel(index.row() + 1);
        case Prizes: return qlonglong(m_prizes[r]);
        case Draws: return m_draws[r];
        }
    } else if (role == kSortRole) {
        switch (index.column()) {
        case Category: return index.row();
        case Prizes: return qlonglong(m_prizes[r]);
        case Draws: return m_draws[r];
        }
    } else if (role == Qt::TextAlignmentRole) {
        return alignment(index.column(), Prizes);
    } else if (role == Qt::ToolTipRole) {
        return QStringLiteral("Doble clic: los sorteos de este premio");
    }
    return {};
}

QVariant TryTotalsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Category: return QStringLiteral("Categoría");
    case Prizes: return QStringLiteral("Premios");
    case Draws: return QStringLiteral("Sorteos");
    }
    return {};
}

TryDrawsModel::TryDrawsModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void TryDrawsModel::setResult(const Stats::TryResult &result, int category)
{
    beginResetModel();
    m_rows.clear();
    for (auto it = result.prized.rbegin(); it != result.prized.rend(); ++it) {
        if (category == 0 || it->outcome.categories[std::size_t(category - 1)] > 0)
            m_rows.push_back(*it);
    }
    endResetModel();
}

int TryDrawsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TryDrawsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TryDrawsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const Stats::TriedDraw &row = m_rows[std::size_t(index.row())];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case Date: return shortDate(row.draw.qdate());
        case Numbers: {
            QStringList numbers;
            for (int n : row.draw.numbers)
                numbers << QString::number(n);
            return QStringLiteral("%1  clave %2").arg(numbers.join(QLatin1Char('-'))).arg(row.draw.clave);
        }
        case Hits: return row.keyMatched ? QStringLiteral("%1 + clave").arg(row.hits) : QString::number(row.hits);
        case Prizes: {
            QStringList prizes;
            for (int c = 1; c <= PrizeReport::kRows; ++c) {
                if (const std::int64_t n = row.outcome.categories[std::size_t(c - 1)]; n > 0)
                    prizes << QStringLiteral("%1 × %2").arg(n).arg(Wording::categoryLabel(c));
            }
            return prizes.join(QStringLiteral(", "));
        }
        case Won: return Wording::wonText(row.outcome);
        }
    } else if (role == kSortRole) {
        switch (index.column()) {
        case Date: return row.draw.date;
        case Numbers: return Wording::drawNumbersText(row.draw);
        case Hits: return row.hits * 2 + (row.keyMatched ? 1 : 0);
        case Prizes:
            // By the best category won: the 1ª above all, the reintegro last.
            for (int c = 0; c < PrizeReport::kRows; ++c) {
                if (row.outcome.categories[std::size_t(c)] > 0)
                    return PrizeReport::kRows - c;
            }
            return 0;
        case Won: return row.outcome.wonCents ? qlonglong(*row.outcome.wonCents) : qlonglong(-1);
        }
    } else if (role == Qt::TextAlignmentRole) {
        return index.column() == Won ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter)) : QVariant();
    }
    return {};
}

QVariant TryDrawsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Date: return QStringLiteral("Fecha");
    case Numbers: return QStringLiteral("Combinación ganadora");
    case Hits: return QStringLiteral("Aciertos");
    case Prizes: return QStringLiteral("Premios");
    case Won: return QStringLiteral("Ganado");
    }
    return {};
}
