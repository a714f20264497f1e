#include "balancechart.h"

#include <QtCharts/QChart>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>

BalanceChart::BalanceChart(QWidget *parent)
    // Built around its own chart: one set later would leave the view's first
    // chart behind, never freed.
    : QChartView(new QChart, parent)
    , m_series(new QLineSeries)
    , m_dates(new QDateTimeAxis)
    , m_euros(new QValueAxis)
{
    QChart *chart = this->chart();
    chart->legend()->hide();
    chart->addSeries(m_series);
    m_dates->setFormat(QStringLiteral("MM/yyyy"));
    m_dates->setTickCount(4);
    m_euros->setLabelFormat(QStringLiteral("%.0f"));
    m_euros->setTitleText(QStringLiteral("euros"));
    chart->addAxis(m_dates, Qt::AlignBottom);
    chart->addAxis(m_euros, Qt::AlignLeft);
    m_series->attachAxis(m_dates);
    m_series->attachAxis(m_euros);
    chart->setMargins(QMargins(2, 2, 2, 2));
    setRenderHint(QPainter::Antialiasing);
    setMinimumHeight(150);
}

void BalanceChart::setPoints(const QString &title, const std::vector<std::pair<QDate, std::int64_t>> &points)
{
    chart()->setTitle(title);
    QList<QPointF> line;
    // The chart's scale only: the figures themselves stay in whole cents.
    double low = 0;
    double high = 0;
    for (const auto &[date, cents] : points) {
        const double euros = double(cents) / 100.0;
        line.append(QPointF(double(date.startOfDay().toMSecsSinceEpoch()), euros));
        low = std::min(low, euros);
        high = std::max(high, euros);
    }
    m_series->replace(line);
    if (points.empty()) {
        m_dates->setRange(QDate::currentDate().addMonths(-1).startOfDay(), QDate::currentDate().startOfDay());
        m_euros->setRange(-1, 1);
        return;
    }
    const QDate first = points.front().first;
    const QDate last = std::max(points.back().first, first.addDays(7));
    m_dates->setRange(first.startOfDay(), last.startOfDay());
    const double margin = std::max(1.0, (high - low) * 0.08);
    m_euros->setRange(low - margin, high + margin);
    m_euros->applyNiceNumbers();
}

int BalanceChart::pointCount() const
{
    return int(m_series->count());
}
