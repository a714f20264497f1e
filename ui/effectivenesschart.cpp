#include "effectivenesschart.h"

#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QPieSeries>
#include <QtCharts/QPieSlice>

EffectivenessChart::EffectivenessChart(const QString &title, QWidget *parent)
    // With its chart from the start: a placeholder chart replaced later
    // would never be freed.
    : QChartView(new QChart, parent)
    , m_series(new QPieSeries)
    , m_without(new QPieSlice(QStringLiteral("Sorteos sin premio"), 0))
    , m_prizes(new QPieSlice(QStringLiteral("Premios"), 0))
{
    m_without->setColor(QColor(0x80, 0x80, 0xC0));
    m_prizes->setColor(QColor(0xFF, 0x80, 0x00));
    m_series->append(m_without);
    m_series->append(m_prizes);
    m_series->setPieSize(0.8);

    QChart *chart = this->chart();
    chart->addSeries(m_series);
    chart->setTitle(title);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setAnimationOptions(QChart::NoAnimation);
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(220, 180);
}

void EffectivenessChart::setRow(const Summary::ChartRow &row)
{
    m_row = row;
    m_without->setValue(qreal(std::max<std::int64_t>(row.withoutPrize, 0)));
    m_prizes->setValue(qreal(std::max<std::int64_t>(row.prizes, 0)));
    m_without->setLabel(QStringLiteral("Sorteos sin premio: %1").arg(row.withoutPrize));
    m_prizes->setLabel(QStringLiteral("Premios: %1").arg(row.prizes));
}
