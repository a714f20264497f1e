#pragma once

#include <QDate>
#include <QString>

// Calendar texts shown all over the program, and the multiple-bet size table.

// Spanish weekday name, "Domingo" to "Sábado".
QString diasemana(QDate date);

// "Domingo, 7 de diciembre del 2026".
QString longSpanishDate(QDate date);

// The short day-month-year form of the lists, "07/12/2026".
QString shortSpanishDate(QDate date);

// Kind 101..106 gives the numbers of a multiple bet (6..11); kind + 6, that is
// 107..112, gives the five-number bets it stands for (6, 21, 56, 126, 252,
// 462). Any other code gives 0.
int cuantos(int code);
