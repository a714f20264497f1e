#pragma once

#include "prizereport.h"
#include "store/drawrecord.h"
#include "store/outcome.h"
#include "store/recordfile.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// Puts the five numbers in ascending order by marking them in a table of 1 to
// 54. False, with the numbers untouched, when one lies outside 1 to 54. With
// a repeated number fewer slots are written and the last ones keep their
// values; callers reject repeats before storing.
bool sortDrawNumbers(DrawRecord &draw);

// 1 to 12 for a month name in Spanish or English, in any case; 0 otherwise.
int monthNumber(QByteArrayView name);

// The value of the leading digits, blanks skipped ("07", " 7" and "7a" are 7;
// "" is 0). nullopt when it does not fit a signed 16-bit number.
std::optional<std::int16_t> leadingNumber(QByteArrayView text);

// What the search page holds, read before anything is stored.
struct ResultsPageScan
{
    enum class Stop
    {
        None, // every new draw can be stored
        ZeroNumber, // a draw without its numbers yet (a 0 or an empty cell)
        InvalidDraw, // a number above 54, a repeat, a key outside 0 to 9
        DataError, // the page does not follow its layout
        HistoryGap, // the page does not reach back to the newest stored draw
    };

    // The new draws' dates, newest first, as listed.
    std::vector<QDate> newDates;
    // The draws to store, oldest first: every new draw older than the newest
    // one that cannot be stored, so the file keeps its order with no gap.
    std::vector<DrawRecord> draws;
    // Why storage stopped short of the newest new draw.
    Stop stop = Stop::None;
    // "year/number" of the newest listed draw on or after the newest stored
    // one; empty when its link is missing or not a safe path.
    QString drawPagePath;
    // The page's last read ran out of page before its marker.
    bool endOfData = false;
    // HistoryGap: the oldest draw day after the newest stored draw that the
    // page cannot vouch for.
    QDate firstMissing;
};

// newestStoredDate is the OLE date of the newest stored draw (0 when none).
// Each heading is paired with the one numbers block between it and the
// next heading; a page where they do not pair up, or that lists a date
// that is no draw day or lies after today, is a DataError. New draws are
// taken only when the page's oldest listed draw leaves no draw day
// unaccounted for after the newest stored one (else HistoryGap, no draws).
ResultsPageScan scanResultsPage(const QByteArray &page, double newestStoredDate, QDate today);

// Appends the draws, oldest first, after the last whole record. Returns how
// many were written; the first failed write stops it.
int storeNewDraws(TypedRecordFile<DrawRecord> &drawFile, const std::vector<DrawRecord> &oldestFirst);

struct ParseResult
{
    ResultsPageScan scan;
    // Draws stored; 1 when there was nothing new (the newest stored draw is
    // then checked again).
    int newDrawCount = 0;
    int storedDraws = 0;
    // The corrupt-data branch ran: nothing was stored.
    bool parseFailed = false;
    // The page held data that could not be taken (with or without some draws
    // stored before it).
    bool dataError = false;
    // New draws were left unstored: older ones are missing in between.
    bool historyGap = false;
    // The draw file changed or was confirmed up to date: run the status scan.
    bool runStatusScan = false;
    // What the user is told (Cause::None: nothing): the data could not be
    // read, only older draws were stored, a gap in the history, no new draws.
    Outcome notice;
    // Replaces the report panel's text (the corrupt-data branch).
    std::optional<ReportUnreadable> unreadable;
};

// Decides what the user is told once the draws are stored.
ParseResult concludeParse(ResultsPageScan scan, int stored, bool writeFailed, int currentYear,
                          const QString &supportEmail);

// The whole parse: scans the page against the newest draw of drawFile,
// stores the new draws, and says what to show.
ParseResult parseResultsPage(const QByteArray &page, TypedRecordFile<DrawRecord> &drawFile, QDate today,
                             const QString &supportEmail);
