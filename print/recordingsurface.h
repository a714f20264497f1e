#pragma once

#include "printsurface.h"

#include <QList>

// Keeps every call, so that a test can read where each mark went.
class RecordingSurface final : public PrintSurface
{
public:
    enum class Kind
    {
        Font,
        Text,
        Rect,
        FilledRect,
        NewPage,
        End
    };

    struct Call
    {
        Kind kind;
        QRectF rect; // Text: the position as topLeft, zero size
        QString text; // Text: the text; Font: the family
        qreal pointSize = 0;
        bool bold = false;
        int page = 0; // from 1
        QColor color = Qt::black; // Text: its colour
    };

    void setFont(const QString &family, qreal pointSize, bool bold) override;
    void drawText(QPointF topLeft, const QString &text) override;
    void setTextColor(const QColor &color) override;
    void drawRect(const QRectF &rect) override;
    void fillRect(const QRectF &rect) override;
    void newPage() override;
    void end() override;

    QList<Call> calls;

    // Pages begun, counting the first one.
    int pages() const { return m_page; }
    // The positions of every text equal to text, on page (0 = any page).
    QList<QPointF> textPositions(const QString &text, int page = 0) const;
    QList<Call> ofKind(Kind kind) const;

private:
    int m_page = 1;
    qreal m_pointSize = 0;
    bool m_bold = false;
    QColor m_color = Qt::black;
};
