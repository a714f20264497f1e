#pragma once

#include <QDate>
#include <QtCharts/QChartView>

#include <cstdint>
#include <utility>
#include <vector>

class QLineSeries;
class QDateTimeAxis;
class QValueAxis;

// A peña's balance draw after draw (what it won less what it staked, on the
// draws whose report is known), in euros, as a line over the dates.
class BalanceChart final : public QChartView
{
    Q_OBJECT

public:
    explicit BalanceChart(QWidget *parent = nullptr);

    // points: (date, balance in cents), oldest first.
    void setPoints(const QString &title, const std::vector<std::pair<QDate, std::int64_t>> &points);
    int pointCount() const;

    // The date axis for a range: a label format and a tick count that give
    // every tick a label of its own, the finest that stays readable.
    struct DateAxis
    {
        QString format;
        int ticks = 2;
    };
    static DateAxis dateAxisFor(QDate first, QDate last);

private:
    QLineSeries *m_series;
    QDateTimeAxis *m_dates;
    QValueAxis *m_euros;
};
