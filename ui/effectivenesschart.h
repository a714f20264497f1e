#pragma once

#include "scrutiny/summary.h"

#include <QtCharts/QChartView>

class QPieSeries;
class QPieSlice;

// Draws without a prize against prizes won: MSChart2 for all syndicates,
// MSChart3 for the one shown.
class EffectivenessChart final : public QChartView
{
    Q_OBJECT

public:
    explicit EffectivenessChart(const QString &title, QWidget *parent = nullptr);

    void setRow(const Summary::ChartRow &row);
    const Summary::ChartRow &row() const { return m_row; }

private:
    QPieSeries *m_series;
    QPieSlice *m_without;
    QPieSlice *m_prizes;
    Summary::ChartRow m_row;
};
