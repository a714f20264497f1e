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
    setLabels();
}

void EffectivenessChart::setLabels()
{
    const QString prizes = QStringLiteral("Premios: %1").arg(m_row.prizes);
    // Each entry takes its text, its marker and some padding: the whole
    // texts when they fit on one line, else shorter ones, in smaller type
    // if need be, never cut.
    QFont font = this->font();
    QString without = QStringLiteral("Sorteos sin premio: %1").arg(m_row.withoutPrize);
    const auto fits = [&] {
        const QFontMetrics metrics(font);
        return metrics.horizontalAdvance(without) + metrics.horizontalAdvance(prizes) + 4 * metrics.height() + 30 <= width();
    };
    if (!fits())
        without = QStringLiteral("Sin premio: %1").arg(m_row.withoutPrize);
    while (!fits() && font.pointSizeF() > 6.5)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    chart()->legend()->setFont(font);
    m_without->setLabel(without);
    m_prizes->setLabel(prizes);
}

QStringList EffectivenessChart::legendTexts() const
{
    return {m_without->label(), m_prizes->label()};
}

void EffectivenessChart::resizeEvent(QResizeEvent *event)
{
    QChartView::resizeEvent(event);
    setLabels();
}
