#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>

// Where a print job goes: a printer page in millimetres, origin at the top
// left of what the printer can reach. Text is placed by the top left of its
// line box, as a slip's cell positions are measured.
class PrintSurface
{
public:
    virtual ~PrintSurface() = default;

    virtual void setFont(const QString &family, qreal pointSize, bool bold) = 0;
    virtual void drawText(QPointF topLeft, const QString &text) = 0;
    // The colour of the text drawn from now on; black until set.
    virtual void setTextColor(const QColor &color) = 0;
    virtual void drawRect(const QRectF &rect) = 0; // outline, black
    virtual void fillRect(const QRectF &rect) = 0; // solid black
    virtual void newPage() = 0;
    virtual void end() = 0;
};
