#pragma once

#include "stats/figures.h"
#include "stats/trybet.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QStringList>
#include <QVector>

// The tables of the statistics pages. Each reads the engine's figures and
// makes its texts when a cell is painted; kSortRole gives the value the
// proxies sort by, so that 10 comes after 9 and "-" after every number.
namespace StatsModels
{
    constexpr int kSortRole = Qt::UserRole;
}

// Números or Claves: one row per number (key) with its counts, gaps and mark.
class ValueFiguresModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        Value,
        Drawn,
        Share,
        Gap,
        LongestGap,
        MeanGap,
        Mark,
        ColumnCount
    };

    ValueFiguresModel(bool keys, QObject *parent = nullptr);

    void setFigures(const Stats::Figures &figures);
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // "caliente", "frío" or empty.
    QString markText(const Stats::ValueFigures &value) const;

private:
    const Stats::ValueFigures &row(int r) const;

    bool m_keys;
    Stats::Figures m_figures;
};

// Parejas: every pair of numbers and how often both came out together.
class PairModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        Pair,
        Drawn,
        Share,
        ColumnCount
    };

    explicit PairModel(QObject *parent = nullptr);

    void setFigures(const Stats::Figures &figures);
    const Stats::PairCount &pair(int row) const { return m_pairs[std::size_t(row)]; }
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<Stats::PairCount> m_pairs;
    int m_draws = 0;
};

// The pairs that hold one number (0: every pair).
class PairFilterModel final : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setNumber(int number);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    int m_number = 0;
};

// Forma del sorteo: one distribution, a row per value with its draws and share.
class DistributionModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        Label,
        Count,
        Share,
        ColumnCount
    };

    explicit DistributionModel(QObject *parent = nullptr);

    // counts[i] belongs to labels[i]; shares are of total.
    void setRows(const QString &heading, const QStringList &labels, const QVector<int> &counts, int total);
    QStringList labels() const { return m_labels; }
    QVector<int> counts() const { return m_counts; }
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString m_heading;
    QStringList m_labels;
    QVector<int> m_counts;
    int m_total = 0;
};

// Comprobar combinación: the prizes of each category over the window.
class TryTotalsModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        Category,
        Prizes,
        Draws,
        ColumnCount
    };

    explicit TryTotalsModel(QObject *parent = nullptr);

    void setResult(const Stats::TryResult &result);
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    Money::CategoryCounts m_prizes {};
    std::array<int, PrizeReport::kRows> m_draws {};
};

// The draws in which the bet won, newest first; with a category chosen
// (row 1 to 9 of the report) only those that won in it.
class TryDrawsModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        Date,
        Numbers,
        Hits,
        Prizes,
        Won,
        ColumnCount
    };

    explicit TryDrawsModel(QObject *parent = nullptr);

    void setResult(const Stats::TryResult &result, int category);
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<Stats::TriedDraw> m_rows;
};
