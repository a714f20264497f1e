#include "downloadbutton.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace
{
    // The picture box of the original: 1840 x 1320 twips, the button drawn
    // inside it from 240 to 1600 across and 240 to 1080 down.
    constexpr int kWidthTwips = 1840;
    constexpr int kHeightTwips = 1320;
    constexpr int kInsetTwips = 240;
}

DownloadButton::DownloadButton(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Picture2"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("Bajar Sorteos nuevos"));
    setAccessibleName(QStringLiteral("Bajar Sorteos nuevos"));
    setFixedSize(sizeHint());
}

QSize DownloadButton::sizeHint() const
{
    return {kWidthTwips * logicalDpiX() / 1440, kHeightTwips * logicalDpiY() / 1440};
}

void DownloadButton::setImage(int image)
{
    if (image == m_image || (image != 1 && image != 2))
        return;
    m_image = image;
    update();
}

int DownloadButton::imageUnder(QPointF position) const
{
    return imageAt(int(position.x() * 1440 / logicalDpiX()), int(position.y() * 1440 / logicalDpiY()));
}

int DownloadButton::imageAt(int xTwips, int yTwips)
{
    constexpr int kRightTwips = 1600;
    constexpr int kBottomTwips = 1080;
    const bool inside = xTwips > kInsetTwips && xTwips < kRightTwips && yTwips > kInsetTwips && yTwips < kBottomTwips;
    return inside ? kLitImage : kRestImage;
}

QPixmap DownloadButton::renderFace(int image, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal sx = size.width() / qreal(kWidthTwips);
    const qreal sy = size.height() / qreal(kHeightTwips);
    const QRectF button(kInsetTwips * sx, kInsetTwips * sy, (1600 - kInsetTwips) * sx, (1080 - kInsetTwips) * sy);
    const bool lit = image == 1;

    // A soft halo around the lit face.
    if (lit) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 200, 60, 90));
        painter.drawRoundedRect(button.adjusted(-5, -5, 5, 5), 12, 12);
    }
    QLinearGradient face(button.topLeft(), button.bottomLeft());
    face.setColorAt(0, lit ? QColor(120, 200, 110) : QColor(70, 150, 75));
    face.setColorAt(1, lit ? QColor(40, 130, 50) : QColor(30, 95, 40));
    painter.setPen(QPen(QColor(20, 70, 25), 1.2));
    painter.setBrush(face);
    painter.drawRoundedRect(button, 8, 8);

    // The arrow coming down into a tray, the caption under it.
    const qreal side = button.height() * 0.5;
    const QRectF icon(button.center().x() - side / 2, button.top() + button.height() * 0.1, side, side);
    painter.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    QPainterPath tray;
    tray.moveTo(icon.left(), icon.top() + icon.height() * 0.62);
    tray.lineTo(icon.left(), icon.bottom());
    tray.lineTo(icon.right(), icon.bottom());
    tray.lineTo(icon.right(), icon.top() + icon.height() * 0.62);
    painter.drawPath(tray);
    const qreal mid = icon.center().x();
    painter.drawLine(QPointF(mid, icon.top()), QPointF(mid, icon.top() + icon.height() * 0.72));
    QPainterPath head;
    head.moveTo(mid - icon.width() * 0.24, icon.top() + icon.height() * 0.46);
    head.lineTo(mid, icon.top() + icon.height() * 0.74);
    head.lineTo(mid + icon.width() * 0.24, icon.top() + icon.height() * 0.46);
    painter.drawPath(head);

    QFont font = painter.font();
    font.setBold(true);
    const QString caption = QStringLiteral("Bajar sorteos");
    const QRectF text(button.left() + 3, icon.bottom() + button.height() * 0.04, button.width() - 6,
                      button.bottom() - icon.bottom() - button.height() * 0.08);
    // As large as the face allows.
    for (int pixels = int(text.height()); pixels > 6; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetricsF(font).horizontalAdvance(caption) <= text.width())
            break;
    }
    painter.setFont(font);
    painter.setPen(lit ? QColor(255, 250, 200) : Qt::white);
    painter.drawText(text, Qt::AlignCenter, caption);
    return pixmap;
}

void DownloadButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Switched off (a read-only data directory): the face is greyed.
    painter.setOpacity(isEnabled() ? 1.0 : 0.35);
    painter.drawPixmap(0, 0, renderFace(m_image, size()));
    painter.setOpacity(1.0);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}

void DownloadButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = true;
    setImage(2);
}

void DownloadButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    setImage(1);
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

void DownloadButton::mouseMoveEvent(QMouseEvent *event)
{
    setImage(imageUnder(event->position()));
}

void DownloadButton::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    setImage(2);
}

void DownloadButton::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit clicked();
    else
        QWidget::keyPressEvent(event);
}
