#include "printerentrypicture.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

namespace
{
    const QColor kBody(70, 74, 82);
    const QColor kBodyLight(120, 126, 138);
    const QColor kSlipPaper(255, 244, 238);
    const QColor kSlipRed(196, 30, 45);
    const QColor kMeasure(20, 60, 170);

    void arrowHead(QPainter &p, QPointF tip, QPointF from, qreal size)
    {
        const QLineF back(tip, from);
        QLineF side1 = back;
        side1.setLength(size);
        side1.setAngle(back.angle() + 28);
        QLineF side2 = back;
        side2.setLength(size);
        side2.setAngle(back.angle() - 28);
        QPainterPath head;
        head.moveTo(tip);
        head.lineTo(side1.p2());
        head.lineTo(side2.p2());
        head.closeSubpath();
        p.fillPath(head, p.pen().color());
    }

    // A measure with an arrow head at both ends.
    void measure(QPainter &p, QPointF a, QPointF b, qreal head)
    {
        p.drawLine(a, b);
        arrowHead(p, a, b, head);
        arrowHead(p, b, a, head);
    }
}

QPixmap PrinterEntryPicture::render(QSize size)
{
    // Drawn at the screen's own density, so it stays sharp at any scale.
    const qreal dpr = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(size * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();

    // The printer, seen from above, with its feed slot along the bottom.
    const QRectF body(w * 0.04, h * 0.03, w * 0.92, h * 0.30);
    p.setPen(Qt::NoPen);
    p.setBrush(kBody);
    p.drawRoundedRect(body, 8, 8);
    p.setBrush(kBodyLight);
    p.drawRoundedRect(QRectF(body.left() + w * 0.06, body.top() + h * 0.04, body.width() * 0.55, h * 0.08), 4, 4);
    p.setBrush(QColor(120, 200, 120));
    p.drawEllipse(QPointF(body.right() - w * 0.08, body.top() + h * 0.08), w * 0.018, w * 0.018);
    const QRectF slot(body.left() + w * 0.05, body.bottom() - h * 0.045, body.width() - w * 0.10, h * 0.03);
    p.setBrush(QColor(25, 25, 30));
    p.drawRect(slot);

    // The slip, going in top edge first against the left guide.
    const qreal slipLeft = slot.left() + w * 0.02;
    const QRectF slip(slipLeft, slot.center().y(), w * 0.76, h * 0.56);
    p.setBrush(kSlipPaper);
    p.setPen(QPen(kSlipRed, 1.2));
    p.drawRect(slip);
    p.setPen(QPen(kBodyLight, 3));
    p.drawLine(QPointF(slipLeft - 3, slot.bottom()), QPointF(slipLeft - 3, slip.bottom() + h * 0.04));
    // The part still outside the printer is what the user sees.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(25, 25, 30));
    p.drawRect(QRectF(slot.left(), slot.top(), slot.width(), slot.height() / 2));

    // Six blocks of cells and the key column, cell 1 picked out.
    const qreal gridLeft = slip.left() + slip.width() * 0.20;
    const qreal gridTop = slip.top() + slip.height() * 0.26;
    const qreal blockW = slip.width() * 0.115;
    const qreal cellW = blockW / 6.5;
    const qreal cellH = slip.height() * 0.064;
    p.setPen(QPen(QColor(kSlipRed.red(), kSlipRed.green(), kSlipRed.blue(), 140), 0.8));
    p.setBrush(Qt::NoBrush);
    for (int block = 0; block < 7; ++block) {
        const int columns = block == 6 ? 1 : 6;
        for (int c = 0; c < columns; ++c) {
            for (int r = 0; r < 10; ++r) {
                if (block < 6 && c == 0 && r == 0)
                    continue;
                if (block < 6 && c == 5 && r > 4)
                    continue;
                p.drawRect(QRectF(gridLeft + block * blockW + c * cellW, gridTop + r * cellH, cellW * 0.8, cellH * 0.8));
            }
        }
    }
    const QRectF cell1(gridLeft, gridTop + cellH, cellW * 0.8, cellH * 0.8);
    p.setBrush(kSlipRed);
    p.drawRect(cell1);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(int(h * 0.05));
    p.setFont(font);
    p.setPen(kSlipRed);
    // The game's name to the right, clear of the Y measure.
    p.drawText(QRectF(slip.left() + slip.width() * 0.25, slip.top() + slip.height() * 0.03, slip.width() * 0.72,
                      slip.height() * 0.16),
               Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("EL GORDO DE LA PRIMITIVA"));

    // What X and Y measure: from the left and top edges to the centre of
    // cell 1. Column 0 has no cell in row 0, so the Y measure crosses none.
    const QPointF centre = cell1.center();
    p.setPen(QPen(kMeasure, 1.4));
    measure(p, QPointF(slip.left(), centre.y()), centre, 5);
    measure(p, QPointF(centre.x(), slip.top()), centre, 5);
    font.setPixelSize(int(h * 0.07));
    p.setFont(font);
    p.setPen(kMeasure);
    const QFontMetricsF metrics(font);
    p.drawText(QPointF((slip.left() + centre.x() - metrics.horizontalAdvance(QStringLiteral("X"))) / 2,
                       centre.y() - metrics.descent() - 2),
               QStringLiteral("X"));
    p.drawText(QPointF(centre.x() - metrics.horizontalAdvance(QStringLiteral("Y")) - 3,
                       (slip.top() + centre.y() + metrics.ascent()) / 2 - 2),
               QStringLiteral("Y"));

    // Which way the slip goes.
    const qreal arrowX = slip.right() + w * 0.09;
    p.setPen(QPen(kSlipRed, 3, Qt::SolidLine, Qt::RoundCap));
    const QPointF from(arrowX, slip.bottom());
    const QPointF to(arrowX, slot.bottom() + h * 0.04);
    p.drawLine(from, to + QPointF(0, 6));
    arrowHead(p, to, from, 12);
    return pixmap;
}
