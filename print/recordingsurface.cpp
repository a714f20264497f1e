#include "recordingsurface.h"

void RecordingSurface::setFont(const QString &family, qreal pointSize, bool bold)
{
    m_pointSize = pointSize;
    m_bold = bold;
    calls.append({Kind::Font, {}, family, pointSize, bold, m_page});
}

void RecordingSurface::drawText(QPointF topLeft, const QString &text)
{
    // A text call carries the font it is drawn with.
    calls.append({Kind::Text, QRectF(topLeft, QSizeF()), text, m_pointSize, m_bold, m_page, m_color});
}

void RecordingSurface::setTextColor(const QColor &color)
{
    m_color = color;
}

void RecordingSurface::drawRect(const QRectF &rect)
{
    calls.append({Kind::Rect, rect, {}, 0, false, m_page});
}

void RecordingSurface::fillRect(const QRectF &rect)
{
    calls.append({Kind::FilledRect, rect, {}, 0, false, m_page});
}

void RecordingSurface::newPage()
{
    calls.append({Kind::NewPage, {}, {}, 0, false, m_page});
    ++m_page;
}

void RecordingSurface::end()
{
    calls.append({Kind::End, {}, {}, 0, false, m_page});
}

QList<QPointF> RecordingSurface::textPositions(const QString &text, int page) const
{
    QList<QPointF> positions;
    for (const Call &call : calls) {
        if (call.kind == Kind::Text && call.text == text && (page == 0 || call.page == page))
            positions.append(call.rect.topLeft());
    }
    return positions;
}

QList<RecordingSurface::Call> RecordingSurface::ofKind(Kind kind) const
{
    QList<Call> found;
    for (const Call &call : calls) {
        if (call.kind == kind)
            found.append(call);
    }
    return found;
}
