#include "paintersurface.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>

namespace
{
    constexpr qreal kMmPerInch = 25.4;
    const QString kArialStandIn = QStringLiteral("Liberation Sans");

    bool hasFamily(const QStringList &families, const QString &family)
    {
        for (const QString &f : families) {
            if (f.compare(family, Qt::CaseInsensitive) == 0)
                return true;
        }
        return false;
    }
}

PainterSurface::PainterSurface(QPagedPaintDevice &device)
    : m_device(device)
    , m_unitsPerMmX(device.logicalDpiX() / kMmPerInch)
    , m_unitsPerMmY(device.logicalDpiY() / kMmPerInch)
{
    if (m_painter.begin(&m_device)) {
        m_painter.setRenderHint(QPainter::Antialiasing);
        m_painter.setPen(Qt::black);
    }
}

PainterSurface::~PainterSurface()
{
    if (m_painter.isActive())
        m_painter.end();
}

QString PainterSurface::availableFamily(const QString &family)
{
    const QStringList families = QFontDatabase::families();
    if (hasFamily(families, family))
        return family;
    if (family.compare(QLatin1String("arial"), Qt::CaseInsensitive) == 0 && hasFamily(families, kArialStandIn))
        return kArialStandIn;
    return family;
}

void PainterSurface::setFont(const QString &family, qreal pointSize, bool bold)
{
    QFont font(availableFamily(family));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    m_painter.setFont(font);
    m_ascent = QFontMetricsF(font, &m_device).ascent();
}

void PainterSurface::drawText(QPointF topLeft, const QString &text)
{
    if (!m_painter.isActive())
        return;
    const QPointF at = toDevice(topLeft);
    m_painter.drawText(QPointF(at.x(), at.y() + m_ascent), text);
}

void PainterSurface::setTextColor(const QColor &color)
{
    if (m_painter.isActive())
        m_painter.setPen(color);
}

void PainterSurface::drawRect(const QRectF &rect)
{
    if (!m_painter.isActive())
        return;
    m_painter.save();
    // A line a quarter of a millimetre wide, inside the rectangle's measure.
    const qreal width = 0.25 * m_unitsPerMmX;
    m_painter.setPen(QPen(Qt::black, width));
    m_painter.setBrush(Qt::NoBrush);
    const QRectF r = toDevice(rect);
    m_painter.drawRect(r.adjusted(width / 2, width / 2, -width / 2, -width / 2));
    m_painter.restore();
}

void PainterSurface::fillRect(const QRectF &rect)
{
    if (m_painter.isActive())
        m_painter.fillRect(toDevice(rect), Qt::black);
}

void PainterSurface::newPage()
{
    if (m_painter.isActive())
        m_device.newPage();
}

void PainterSurface::end()
{
    if (m_painter.isActive())
        m_painter.end();
}

QPointF PainterSurface::toDevice(QPointF mm) const
{
    return {mm.x() * m_unitsPerMmX, mm.y() * m_unitsPerMmY};
}

QRectF PainterSurface::toDevice(const QRectF &mm) const
{
    return {toDevice(mm.topLeft()), toDevice(mm.bottomRight())};
}
