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
    // The legend's texts as shown: shortened when the chart is too narrow
    // for the whole ones on one line.
    QStringList legendTexts() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void setLabels();

    QPieSeries *m_series;
    QPieSlice *m_without;
    QPieSlice *m_prizes;
    Summary::ChartRow m_row;
};
