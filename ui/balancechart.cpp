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
        const DateAxis axis = dateAxisFor(QDate::currentDate().addMonths(-1), QDate::currentDate());
        m_dates->setFormat(axis.format);
        m_dates->setTickCount(axis.ticks);
        m_dates->setRange(QDate::currentDate().addMonths(-1).startOfDay(), QDate::currentDate().startOfDay());
        m_euros->setRange(-1, 1);
        return;
    }
    const QDate first = points.front().first;
    const QDate last = std::max(points.back().first, first.addDays(7));
    const DateAxis axis = dateAxisFor(first, last);
    m_dates->setFormat(axis.format);
    m_dates->setTickCount(axis.ticks);
    m_dates->setRange(first.startOfDay(), last.startOfDay());
    const double margin = std::max(1.0, (high - low) * 0.08);
    m_euros->setRange(low - margin, high + margin);
    m_euros->applyNiceNumbers();
}

BalanceChart::DateAxis BalanceChart::dateAxisFor(QDate first, QDate last)
{
    // Ticks fall evenly between the ends: a label names a day, a month or a
    // year, so the ticks must lie at least that far apart to differ.
    constexpr int kMostTicks = 5;
    const qint64 days = std::max<qint64>(1, first.daysTo(last));
    const auto ticksApart = [days](qint64 spacing) { return int(std::min<qint64>(kMostTicks, days / spacing + 1)); };
    if (days >= 366 * (kMostTicks - 1))
        return {QStringLiteral("yyyy"), ticksApart(366)};
    if (days >= 31 * 2)
        return {QStringLiteral("MM/yyyy"), ticksApart(31)};
    return {QStringLiteral("dd/MM/yy"), std::max(2, ticksApart(1))};
}

int BalanceChart::pointCount() const
{
    return int(m_series->count());
}
