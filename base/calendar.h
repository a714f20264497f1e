#pragma once

#include <QDate>
#include <QString>

#include <vector>

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

// The game is drawn on Sundays, except from 2005-10-22 to 2006-07-01, when it
// was drawn on Saturdays. True when a draw may fall on date.
bool isDrawDay(QDate date);

// Every date after `after` up to and including `upTo` on which a draw was due,
// oldest first. An invalid `after` gives nothing (there is no history to
// continue). Whether a draw was actually held on each is for the operator
// to say: some due dates had none.
std::vector<QDate> expectedDrawDates(QDate after, QDate upTo);
