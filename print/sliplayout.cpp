#include "sliplayout.h"

#include "printsurface.h"

#include "base/calendar.h"
#include "store/syndicaterecord.h"

#include <algorithm>

namespace
{
    constexpr qreal kBlockPitch = 22.5;
    constexpr qreal kColumnPitch = 3.8;
    constexpr qreal kRowPitch = 5.0;

    // The printed lines keep their own, smaller type so that they never
    // reach into a cell.
    constexpr qreal kHeaderFontSize = 9.0;
    constexpr qreal kPlainTextFontSize = 10.0;
    // Official slip: the header sits above the grid's first row, or under its
    // last one when the offsets leave no room above it on the page.
    constexpr qreal kHeaderRise = 7.0;
    constexpr qreal kHeaderTopMargin = 5.0;
    // Plain paper, from the slip's top: two lines between the border and the
    // grid, the name and slip number to the right of the game's name.
    constexpr qreal kPlainLine1 = 24.0;
    constexpr qreal kPlainLine2 = 29.5;
    constexpr qreal kPlainRightColumn = 95.0;

    const QString kMark = QStringLiteral("X");
    // On plain paper the cross is red and the number it marks is printed
    // again over it, black and bold: the chosen numbers read at a glance,
    // in colour or in grey.
    const QColor kPlainMarkColor(225, 40, 40);
    constexpr qreal kSizeLabelFontSize = 8.0;

    void mark(PrintSurface &surface, QPointF origin, int block, int number, bool plain)
    {
        if (!plain) {
            surface.drawText(SlipLayout::cellPosition(origin, block, number), kMark);
            return;
        }
        // Thin strokes: the digits over them keep their shape.
        surface.setFont(SlipLayout::kFontFamily, SlipLayout::kFontSize, false);
        surface.setTextColor(kPlainMarkColor);
        surface.drawText(SlipLayout::cellPosition(origin, block, number), kMark);
        surface.setTextColor(Qt::black);
        surface.setFont(SlipLayout::kFontFamily, SlipLayout::kGridFontSize, true);
        const bool key = block == SlipLayout::kKeyBlock;
        surface.drawText(SlipLayout::gridNumberPosition(origin, block, number) + QPointF(key ? 0.27 : 0.0, 0),
                         QString::number(key ? number - 10 : number));
        surface.setFont(SlipLayout::kFontFamily, SlipLayout::kFontSize, true);
    }
}

SlipLayout::Job SlipLayout::jobFor(const SyndicateRecord &syndicate)
{
    Job job;
    job.betsToPrint = syndicate.storedBets();
    job.numbersPerBet = syndicate.numbersPerBet();
    if (job.betsToPrint == 0 || job.numbersPerBet == 0)
        return {};
    job.slipCount = (job.betsToPrint + kBlocksPerSlip - 1) / kBlocksPerSlip;
    return job;
}

QPointF SlipLayout::cellPosition(QPointF origin, int block, int number)
{
    const int column = number / 10;
    const int row = number % 10;
    return {origin.x() + kBlockPitch * (block - 1) + kColumnPitch * column, origin.y() + kRowPitch * row};
}

std::optional<SlipLayout::Cell> SlipLayout::multipleSizeCell(int kind)
{
    if (kind < 101 || kind > 106)
        return std::nullopt;
    const int index = kind - 101; // 0..5
    return Cell {index < 3 ? 1 : 2, 19 + 20 * (index % 3)};
}

void SlipLayout::drawPlainFrame(PrintSurface &surface, bool lowerSlip)
{
    const qreal h = lowerSlip ? kLowerSlipShift : 0.0;
    surface.drawRect(QRectF(20, h + 20, 160.5, 104));
    surface.fillRect(QRectF(23.8, h + 117.3, 2.5, 3.0));
    surface.fillRect(QRectF(174.5, h + 117.3, 2.5, 3.0));
    for (int i = 0; i < 5; ++i)
        surface.fillRect(QRectF(22.5, h + 44 + 12 * i, 1.0, 4.0));
}

QPointF SlipLayout::gridNumberPosition(QPointF origin, int block, int number)
{
    // Measured on the printed page: the bold 11.5 pt "X" is centred about
    // 1.35 mm right of and 2.2 mm below its position; a 5.5 pt digit is
    // 1.08 mm wide, its figure centred 1.06 mm below its own position.
    const int digits = number >= 10 ? 2 : 1;
    return cellPosition(origin, block, number) + QPointF(1.35 - 0.54 * digits, 2.2 - 1.06);
}

void SlipLayout::drawPlainGrid(PrintSurface &surface, QPointF origin)
{
    surface.setFont(kFontFamily, kGridFontSize, false);
    surface.setTextColor(QColor(150, 150, 150));
    for (int block = 1; block <= kBlocksPerSlip; ++block) {
        for (int number = 1; number <= 54; ++number)
            surface.drawText(gridNumberPosition(origin, block, number), QString::number(number));
    }
    for (int key = 0; key <= 9; ++key)
        surface.drawText(gridNumberPosition(origin, kKeyBlock, 10 + key) + QPointF(0.27, 0), QString::number(key));
    surface.setTextColor(Qt::black);
    surface.setFont(kFontFamily, kFontSize, true);
}

QPointF SlipLayout::officialHeaderPosition(QPointF offsets)
{
    const qreal x = std::max<qreal>(offsets.x(), kHeaderTopMargin);
    if (offsets.y() - kHeaderRise >= kHeaderTopMargin)
        return {x, offsets.y() - kHeaderRise};
    return {x, offsets.y() + kRowPitch * 9 + kHeaderRise};
}

QString SlipLayout::slipHeader(int slip, int slipCount)
{
    return QStringLiteral("Boleto %1 de %2").arg(slip).arg(slipCount);
}

int SlipLayout::print(PrintSurface &surface, const SyndicateRecord &syndicate, Mode mode, QPointF officialOffsets,
                      QDate drawDate)
{
    const Job job = jobFor(syndicate);
    if (job.slipCount == 0)
        return 0;

    const bool plain = mode == Mode::Plain;
    const int key = syndicate.key();
    const auto sizeCell = multipleSizeCell(syndicate.kind);
    surface.setFont(kFontFamily, kFontSize, true);
    int pages = 1;
    int bet = 0;
    for (int slip = 1; slip <= job.slipCount; ++slip) {
        // A page is begun only for a slip that follows, so no empty page ends the job.
        if (!plain && slip > 1) {
            surface.newPage();
            ++pages;
        }
        const bool lowerSlip = plain && slip % 2 == 0;
        const qreal half = lowerSlip ? kLowerSlipShift : 0.0;
        if (plain)
            drawPlainFrame(surface, lowerSlip);
        const QPointF origin = plain ? QPointF(kPlainGridX, kPlainGridY + half) : officialOffsets;
        if (plain)
            drawPlainGrid(surface, origin);

        for (int block = 1; block <= kBlocksPerSlip; ++block) {
            ++bet;
            if (bet > job.betsToPrint)
                continue;
            for (int slot = 0; slot < job.numbersPerBet; ++slot) {
                // A number out of the game's range (a damaged record) has no cell.
                const int number = syndicate.bets[bet - 1][slot];
                if (number >= 1 && number <= 54)
                    mark(surface, origin, block, number, plain);
            }
        }
        if (key >= 0 && key <= 9)
            mark(surface, origin, kKeyBlock, 10 + key, plain);

        if (plain) {
            const qreal top = half;
            surface.setFont(kFontFamily, kPlainTextFontSize, true);
            surface.drawText(QPointF(kPlainGridX, top + kPlainLine1), QStringLiteral("El Gordo de la Primitiva del:"));
            if (drawDate.isValid())
                surface.drawText(QPointF(kPlainGridX, top + kPlainLine2), longSpanishDate(drawDate));
            else if (const QString day = syndicate.drawDay(); !day.isEmpty())
                surface.drawText(QPointF(kPlainGridX, top + kPlainLine2), day);
            surface.drawText(QPointF(kPlainRightColumn, top + kPlainLine1),
                             QStringLiteral("Peña: %1").arg(syndicate.name()));
            surface.drawText(QPointF(kPlainRightColumn, top + kPlainLine2), slipHeader(slip, job.slipCount));
        } else {
            surface.setFont(kFontFamily, kHeaderFontSize, true);
            surface.drawText(officialHeaderPosition(officialOffsets), slipHeader(slip, job.slipCount));
        }
        surface.setFont(kFontFamily, kFontSize, true);

        if (sizeCell) {
            const QPointF cell = cellPosition(origin, sizeCell->block, sizeCell->number);
            surface.drawText(cell + QPointF(0, kSizeMarkDrop), kMark);
            // A bare cross under the grid says nothing on plain paper.
            if (plain) {
                surface.setFont(kFontFamily, kSizeLabelFontSize, true);
                surface.drawText(cell + QPointF(4.5, kSizeMarkDrop + 0.8),
                                 QStringLiteral("Múltiple de %1").arg(job.numbersPerBet));
                surface.setFont(kFontFamily, kFontSize, true);
            }
        }

        if (plain && slip % 2 == 0 && slip != job.slipCount) {
            surface.newPage();
            ++pages;
        }
    }
    surface.end();
    return pages;
}
