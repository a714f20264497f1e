#pragma once

#include "printsurface.h"

#include <QPainter>

class QPagedPaintDevice;

// Paints a print job on a printer or a PDF writer. Millimetres become device
// units here, and fonts keep their real point size on the device, so the type
// is hinted for the printer's resolution rather than scaled from a tiny size.
class PainterSurface final : public PrintSurface
{
public:
    // Begins painting on device; isActive() says whether that worked.
    explicit PainterSurface(QPagedPaintDevice &device);
    ~PainterSurface() override;

    PainterSurface(const PainterSurface &) = delete;
    PainterSurface &operator=(const PainterSurface &) = delete;

    bool isActive() const { return m_painter.isActive(); }

    void setFont(const QString &family, qreal pointSize, bool bold) override;
    void drawText(QPointF topLeft, const QString &text) override;
    void setTextColor(const QColor &color) override;
    void drawRect(const QRectF &rect) override;
    void fillRect(const QRectF &rect) override;
    void newPage() override;
    void end() override;

    // The family asked for when the system has it, else a sans font with
    // the same widths (Liberation Sans stands in for Arial).
    static QString availableFamily(const QString &family);

private:
    QPointF toDevice(QPointF mm) const;
    QRectF toDevice(const QRectF &mm) const;

    QPagedPaintDevice &m_device;
    QPainter m_painter;
    qreal m_unitsPerMmX;
    qreal m_unitsPerMmY;
    qreal m_ascent = 0;
};
