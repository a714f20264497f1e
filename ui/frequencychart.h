#pragma once

#include <QtCharts/QChartView>

#include <QStringList>
#include <QVector>

class QBarSet;
class QBarCategoryAxis;
class QValueAxis;
class QBarSeries;

// A bar chart of (label, count) rows.
class FrequencyChart final : public QChartView
{
    Q_OBJECT

public:
    explicit FrequencyChart(const QString &seriesName, QWidget *parent = nullptr);

    void setRows(const QString &title, const QStringList &labels, const QVector<int> &counts);
    QStringList labels() const { return m_labels; }
    QVector<int> counts() const { return m_counts; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // Narrow, the labels get smaller rather than run into each other.
    void fitLabels();

    QBarSeries *m_series;
    QBarSet *m_set;
    QBarCategoryAxis *m_axisX;
    QValueAxis *m_axisY;
    QStringList m_labels;
    QVector<int> m_counts;
};
