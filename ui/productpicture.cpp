#include "productpicture.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <iterator>

namespace
{
    const QColor kSlipRed(196, 30, 45);
    const QColor kSlipPaper(255, 244, 238);
    const QColor kSlipInk(150, 20, 35);
}

QPixmap ProductPicture::render(QSize size)
{
    // Drawn at the screen's own density, so it stays sharp at any scale.
    const qreal dpr = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(size * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(255, 214, 90));
    sky.setColorAt(1, QColor(236, 140, 40));
    p.fillRect(QRectF(0, 0, w, h), sky);

    // A slip, slightly turned, with its grid of 54 cells and five marks.
    p.save();
    p.translate(w * 0.74, h * 0.54);
    p.rotate(-8);
    const qreal slipW = w * 0.36;
    const qreal slipH = h * 0.80;
    const QRectF slip(-slipW / 2, -slipH / 2, slipW, slipH);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(slip.translated(5, 6), 8, 8);
    p.setBrush(kSlipPaper);
    p.setPen(QPen(kSlipRed, 2));
    p.drawRoundedRect(slip, 8, 8);
    p.fillRect(QRectF(slip.left() + 1, slip.top() + 1, slip.width() - 2, slipH * 0.12), kSlipRed);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(int(slipH * 0.06));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(slip.left(), slip.top(), slip.width(), slipH * 0.12), Qt::AlignCenter,
               QStringLiteral("EL GORDO"));

    const qreal gridTop = slip.top() + slipH * 0.17;
    const qreal cellW = slip.width() * 0.8 / 6;
    const qreal cellH = slipH * 0.78 / 10;
    const int marked[] = {7, 12, 25, 33, 47};
    font.setPixelSize(int(cellH * 0.45));
    font.setBold(false);
    p.setFont(font);
    for (int n = 1; n <= 54; ++n) {
        const QRectF cell(slip.left() + slip.width() * 0.1 + (n / 10) * cellW + cellW * 0.1,
                          gridTop + (n % 10) * cellH + cellH * 0.1, cellW * 0.8, cellH * 0.8);
        p.setPen(QPen(kSlipRed, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(cell);
        p.setPen(kSlipInk);
        p.drawText(cell, Qt::AlignCenter, QString::number(n));
        if (std::find(std::begin(marked), std::end(marked), n) != std::end(marked)) {
            p.setPen(QPen(QColor(20, 40, 140), 2.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(cell.topLeft() + QPointF(2, 2), cell.bottomRight() - QPointF(2, 2));
            p.drawLine(cell.topRight() + QPointF(-2, 2), cell.bottomLeft() + QPointF(2, -2));
        }
    }
    p.restore();

    // The names.
    QFont title = p.font();
    title.setBold(true);
    title.setPixelSize(int(h * 0.14));
    p.setFont(title);
    QPainterPath text;
    text.addText(QPointF(w * 0.05, h * 0.36), title, QStringLiteral("Quorvale"));
    p.setPen(QPen(kSlipInk, 3));
    p.setBrush(Qt::white);
    p.drawPath(text);

    QFont subtitle = title;
    subtitle.setPixelSize(int(h * 0.065));
    p.setFont(subtitle);
    p.setPen(kSlipInk);
    p.drawText(QRectF(w * 0.05, h * 0.42, w * 0.5, h * 0.2), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("El Gordo de la Primitiva"));
    subtitle.setBold(false);
    subtitle.setPixelSize(int(h * 0.045));
    p.setFont(subtitle);
    p.drawText(QRectF(w * 0.05, h * 0.80, w * 0.5, h * 0.1), Qt::AlignLeft,
               QStringLiteral("Versión %1").arg(QStringLiteral(QUORVALE_VERSION)));
    return pixmap;
}
