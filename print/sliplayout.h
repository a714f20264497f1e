#pragma once

#include <QDate>
#include <QPointF>
#include <QString>

#include <optional>

class PrintSurface;
struct SyndicateRecord;

// A syndicate's bets as "X" marks on the game's slip: six blocks of numbers
// and the key column, on the player's official slips (moved by the printer
// calibration) or on plain paper, two slip-shaped participations to a page.
// Every length is in millimetres.
namespace SlipLayout
{
    enum class Mode
    {
        Official = 0,
        Plain = 1
    };

    inline const QString kFontFamily = QStringLiteral("arial");
    constexpr qreal kFontSize = 11.5;
    constexpr int kBlocksPerSlip = 6;
    constexpr int kKeyBlock = 7;

    // Plain paper: where a slip's grid starts, and how far the lower slip of
    // a page sits below the upper one.
    constexpr qreal kPlainGridX = 25.8;
    constexpr qreal kPlainGridY = 45.0;
    constexpr qreal kLowerSlipShift = 104.0;

    // What one print job covers; all zero for a kind no writer produces, which
    // prints nothing.
    struct Job
    {
        int betsToPrint = 0; // the simple bets, or 1 for a multiple bet
        int numbersPerBet = 0; // 5, or 6..11 for a multiple bet
        int slipCount = 0; // six bets to a slip; a multiple bet needs one
    };
    Job jobFor(const SyndicateRecord &syndicate);

    // Top left of the "X" for number 1..59 of block 1..7, from the grid
    // origin of the slip (where number 0 of block 1 would be). Number 10 + k
    // of block 7 is key k.
    QPointF cellPosition(QPointF origin, int block, int number);

    // The cell whose column marks a multiple bet's size (6 to 11 numbers);
    // the mark goes in the row under the grid.
    struct Cell
    {
        int block;
        int number;
    };
    std::optional<Cell> multipleSizeCell(int kind);
    constexpr qreal kSizeMarkDrop = 10.0;

    // Plain paper: the slip's border and its reading marks. lowerSlip puts
    // them in the lower half of the page.
    void drawPlainFrame(PrintSurface &surface, bool lowerSlip);

    // The header of an official slip: "Boleto 2 de 3".
    QString slipHeader(int slip, int slipCount);
    // Where that header goes: above the grid, or under it when the offsets
    // would put it above the page; never left of the page either.
    QPointF officialHeaderPosition(QPointF offsets);

    // Plain paper: the numbers of the six blocks and the key column, in grey
    // under where the marks go, so that a participation can be read by eye.
    void drawPlainGrid(PrintSurface &surface, QPointF origin);
    // Where the small number of a cell goes so that it sits centred under
    // the cell's "X".
    QPointF gridNumberPosition(QPointF origin, int block, int number);
    constexpr qreal kGridFontSize = 5.5;

    // The whole job onto surface, ended. officialOffsets (the printer
    // calibration) move everything on an official slip and nothing on plain
    // paper. On plain paper each slip names drawDate (the syndicate's draw
    // day when it is not valid). Returns the pages printed; 0, with nothing
    // drawn and the surface not ended, when the syndicate has nothing to
    // print.
    int print(PrintSurface &surface, const SyndicateRecord &syndicate, Mode mode, QPointF officialOffsets,
              QDate drawDate = {});
}
