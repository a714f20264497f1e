#pragma once

#include "core/status.h"

#include <QString>

#include <vector>

// The texts of the status block: what the window's labels and
// `quorvale-cli status` say about the draw file.
namespace Wording
{
    // "Domingo, 6 de diciembre del 2026", or "Fichero de datos vacío."
    QString lastUpdateText(const DrawStatus &status);
    QString nextDrawText(const DrawStatus &status);
    // "Faltan 3 sorteos por actualizar"; empty while no draw is missing.
    QString missingDrawsText(const DrawStatus &status);
    // The red line naming the draws that cannot be real, by their positions
    // in the draw list (1 = the newest of storedDraws); empty when none.
    QString implausibleDrawsText(const std::vector<ImplausibleDraw> &draws, int storedDraws);
    // The red line for draw days missing inside the history; empty when none.
    QString historyHolesText(const std::vector<QDate> &holes);
    // Both red lines of the status, one under the other; empty when none.
    QString redLinesText(const DrawStatus &status);
    // How many draws a download stored: "1 sorteo", "3 sorteos"; empty for 0.
    QString storedDrawsText(int count);
}
