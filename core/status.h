#pragma once

#include <QDate>
#include <QString>

// What the status block of the main window says about the draw file.
struct DrawStatus
{
    QString lastUpdate;       // Label9 element 3
    QString nextDraw;         // Label9 element 5
    QString missing;          // Label9 element 6
    bool missingWarning = false; // the warning blinks; hidden otherwise
    bool historyEnabled = false; // Check1 and Check2
    bool scrollEnabled = false;  // HScroll1
    int scrollMaximum = 1;
};

// newestDrawDate is the OLE date of the newest stored draw, 0 when the file is
// empty; storedDraws the number of draws.
DrawStatus describeDrawStatus(double newestDrawDate, int storedDraws, QDate today);

// The Sunday of the next draw: today if today is a Sunday that has no stored
// draw yet, else the coming Sunday.
QDate nextDrawDate(QDate newestDraw, QDate today);
