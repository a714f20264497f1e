#include "frequencychart.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QValueAxis>

#include <QFontMetrics>
#include <QResizeEvent>

#include <algorithm>

namespace
{
    constexpr qreal kLabelPoints = 7.0;
}

FrequencyChart::FrequencyChart(const QString &seriesName, QWidget *parent)
    // Built with its chart: a view made empty and given one later leaks the
    // placeholder chart's title in Qt 6.4.
    : QChartView(new QChart, parent)
    , m_series(new QBarSeries)
    , m_set(new QBarSet(seriesName))
    , m_axisX(new QBarCategoryAxis)
    , m_axisY(new QValueAxis)
{
    m_set->setColor(QColor(0, 102, 170));
    m_set->setBorderColor(QColor(0, 70, 120));
    m_series->append(m_set);
    m_series->setBarWidth(0.75);

    QChart *chart = this->chart();
    chart->addSeries(m_series);
    chart->addAxis(m_axisX, Qt::AlignBottom);
    chart->addAxis(m_axisY, Qt::AlignLeft);
    m_series->attachAxis(m_axisX);
    m_series->attachAxis(m_axisY);
    m_axisY->setLabelFormat(QStringLiteral("%d"));
    // 27 two-digit labels must fit under the bars without being elided.
    QFont small = m_axisX->labelsFont();
    small.setPointSizeF(kLabelPoints);
    m_axisX->setLabelsFont(small);
    m_axisX->setTruncateLabels(false);
    m_axisY->setLabelsFont(small);
    chart->legend()->hide();
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setBackgroundRoundness(0);
    chart->setAnimationOptions(QChart::NoAnimation);
    setRenderHint(QPainter::Antialiasing);
}

void FrequencyChart::setRows(const QString &title, const QStringList &labels, const QVector<int> &counts)
{
    chart()->setTitle(title);
    m_labels = labels;
    m_counts = counts;
    m_set->remove(0, m_set->count());
    for (int c : counts)
        m_set->append(c);
    m_axisX->clear();
    m_axisX->append(labels);
    const int top = counts.isEmpty() ? 0 : *std::max_element(counts.begin(), counts.end());
    m_axisY->setRange(0, std::max(top + top / 10 + 1, 5));
    m_axisY->applyNiceNumbers();
    fitLabels();
}

void FrequencyChart::resizeEvent(QResizeEvent *event)
{
    QChartView::resizeEvent(event);
    fitLabels();
}

void FrequencyChart::fitLabels()
{
    if (m_labels.isEmpty())
        return;
    // The plot takes most of the view; each label has its bar's share, and
    // its type shrinks (down to 5 points) until the widest one fits.
    const qreal slot = chart()->plotArea().width() > 0 ? chart()->plotArea().width() / m_labels.size()
                                                       : qreal(width() - 40) / m_labels.size();
    QFont font = m_axisX->labelsFont();
    for (qreal size = kLabelPoints; size >= 5.0; size -= 0.5) {
        font.setPointSizeF(size);
        const QFontMetrics metrics(font);
        int widest = 0;
        for (const QString &label : m_labels)
            widest = std::max(widest, metrics.horizontalAdvance(label.trimmed()));
        if (widest + 3 <= slot)
            break;
    }
    if (font != m_axisX->labelsFont())
        m_axisX->setLabelsFont(font);
}
