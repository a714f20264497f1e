#include "slippanel.h"

#include <QPainter>

#include <array>

namespace
{
    constexpr int kCellWidth = 270; // twips
    constexpr int kCellHeight = 375;
    constexpr std::array<int, 6> kColumnLeft {120, 570, 1005, 1455, 1890, 2370};
    constexpr std::array<int, 10> kRowTop {135, 735, 1320, 1920, 2520, 3105, 3705, 4290, 4890, 5490};
    constexpr int kKeyLeft = 150;
    constexpr std::array<int, 10> kKeyRowTop {150, 750, 1350, 1935, 2520, 3120, 3720, 4305, 4890, 5490};
    constexpr int kPanelHeight = 6000;

    const QColor kSlipRed(200, 32, 48);
    const QColor kSlipPaper(255, 240, 236);
    const QColor kKeyPaper(255, 248, 220);
    const QColor kMarkBlue(24, 48, 160);

    int px(int twips)
    {
        return (twips + SlipPanel::kTwipsPerPixel / 2) / SlipPanel::kTwipsPerPixel;
    }
}

SlipCell::SlipCell(int value, bool keyCell, QWidget *parent)
    : QAbstractButton(parent)
    , m_value(value)
    , m_keyCell(keyCell)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setText(QString::number(value));
    setToolTip(keyCell ? QStringLiteral("Clave %1").arg(value) : QStringLiteral("Número %1").arg(value));
}

void SlipCell::setMarked(bool marked)
{
    if (marked == m_marked)
        return;
    m_marked = marked;
    update();
}

void SlipCell::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(kSlipRed, 1));
    p.setBrush(underMouse() ? QColor(255, 225, 215) : QColor(Qt::white));
    p.drawRect(box);
    QFont font = p.font();
    font.setPixelSize(std::max(8, height() * 2 / 5));
    font.setBold(m_keyCell);
    p.setFont(font);
    p.setPen(kSlipRed);
    p.drawText(box, Qt::AlignCenter, text());
    if (m_marked) {
        // A felt-pen cross, as the player marks the paper slip.
        p.setPen(QPen(kMarkBlue, 3, Qt::SolidLine, Qt::RoundCap));
        const QRectF inner = box.adjusted(3, 4, -3, -4);
        p.drawLine(inner.topLeft(), inner.bottomRight());
        p.drawLine(inner.topRight(), inner.bottomLeft());
    }
}

SlipPanel::SlipPanel(Kind kind, const std::function<void(int)> &onClick, QWidget *parent)
    : QWidget(parent)
    , m_kind(kind)
{
    setFixedSize(panelSize(kind));
    if (kind == Kind::Numbers) {
        for (int index = 0; index < 54; ++index) {
            const int number = index + 1;
            auto *cell = new SlipCell(number, false, this);
            cell->setObjectName(QStringLiteral("Image1_%1").arg(index));
            cell->setGeometry(px(kColumnLeft[std::size_t(number / 10)]), px(kRowTop[std::size_t(number % 10)]),
                              px(kCellWidth), px(kCellHeight));
            connect(cell, &QAbstractButton::clicked, this, [onClick, index] { onClick(index); });
            m_cells.append(cell);
        }
    } else {
        for (int key = 0; key < 10; ++key) {
            const int index = 54 + key;
            auto *cell = new SlipCell(key, true, this);
            cell->setObjectName(QStringLiteral("Image1_%1").arg(index));
            cell->setGeometry(px(kKeyLeft), px(kKeyRowTop[std::size_t(key)]), px(kCellWidth), px(kCellHeight));
            connect(cell, &QAbstractButton::clicked, this, [onClick, index] { onClick(index); });
            m_cells.append(cell);
        }
    }
}

SlipCell *SlipPanel::cell(int index) const
{
    const int at = m_kind == Kind::Numbers ? index : index - 54;
    return at >= 0 && at < m_cells.size() ? m_cells.at(at) : nullptr;
}

QSize SlipPanel::panelSize(Kind kind)
{
    const int width = kind == Kind::Numbers ? kColumnLeft.back() + kCellWidth + 120 : kKeyLeft * 2 + kCellWidth;
    return {px(width), px(kPanelHeight)};
}

void SlipPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect area = rect().adjusted(0, 0, -1, -1);
    p.fillRect(rect(), m_kind == Kind::Numbers ? kSlipPaper : kKeyPaper);
    p.setPen(QPen(kSlipRed, 2));
    p.drawRect(area);
    // The faint ruling between the columns of the printed form.
    p.setPen(QPen(QColor(kSlipRed.red(), kSlipRed.green(), kSlipRed.blue(), 60), 1));
    if (m_kind == Kind::Numbers) {
        for (std::size_t c = 1; c < kColumnLeft.size(); ++c) {
            const int x = (px(kColumnLeft[c - 1] + kCellWidth) + px(kColumnLeft[c])) / 2;
            p.drawLine(x, 4, x, height() - 5);
        }
    }
}
