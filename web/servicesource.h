#pragma once

#include "base/endpoints.h"
#include "servicereader.h"
#include "webtransfer.h"

#include <QDate>
#include <QUrl>

#include <map>
#include <set>
#include <vector>

// The operator's results service as a source of draws and prize reports:
// which requests one download makes, and what the answers allow to store.
namespace ServiceSource
{
    // A few dates are asked one by one; more go by ranges of one year.
    constexpr std::size_t kMaxSingleDates = 8;
    // How far back a report that is not final yet is asked for again.
    constexpr int kReportDays = 52 * 7;
    // With no draw stored, the dates of the last fifty days are due.
    constexpr int kFirstDays = 50;

    struct Request
    {
        QDate from;
        QDate to; // equal to from for one date (fechav3)

        bool single() const { return from == to; }
        QUrl url(const Endpoints &endpoints) const;
        bool operator==(const Request &) const = default;
    };

    struct Plan
    {
        // The draw days after the newest stored draw up to today: the draws
        // the download must bring, oldest first.
        std::vector<QDate> expected;
        // Stored draws whose report is wanted.
        std::vector<QDate> reports;
        std::vector<Request> requests;
        // The newest expected date when it is today or yesterday: its
        // results may not be out yet, so no answer about it is missing.
        QDate mayBePending;
    };

    // The first draw of the game: no date before it is ever due.
    inline const QDate kFirstDraw {2005, 2, 6};

    // Whether a draw due on date may still be unpublished today: the newest
    // due date, on its own day or the day after.
    bool mayBePending(QDate date, QDate today);

    // The draw days after the newest stored draw up to today that no source
    // has accounted for: neither known to have had no draw (noDraw) nor
    // still pending. Never a date before the first draw.
    std::vector<QDate> missingDrawDates(QDate newestStored, QDate today, const std::vector<QDate> &noDraw);

    // The operator's edge refusing the program rather than the network
    // failing: HTTP 403, 406 or 429, or a page of HTML holding a block
    // page's words, whatever its status.
    bool looksBlocked(const TransferResult &result);

    // newestStored is invalid when no draw is stored. Reports are asked for
    // back to 52 weeks before today, or to reportsSince when that is older.
    // Days known to have had no draw (knownNoDraw) are not due.
    Plan plan(QDate newestStored, QDate today, const std::vector<QDate> &reportsWanted, QDate reportsSince = {},
              const std::set<QDate> &knownNoDraw = {});

    // What one transfer gave: a 404 with an empty or JSON body is "nothing
    // on these dates"; any other failure (a 404 page of HTML included), a
    // body that is not JSON or of another shape, is a refusal.
    ServiceAnswer answerOf(const TransferResult &result, const Request &request, QDate today);

    struct Outcome
    {
        // To append, oldest first: every expected draw up to the first one
        // that is neither valid nor known to have had no draw.
        std::vector<DrawRecord> newDraws;
        // The reports of the new draws (same order), then the final reports
        // of stored draws whose numbers the service confirms.
        std::vector<PrizeReport> reports;
        // Expected dates the service answered with no draw: fechav3 for
        // that very date said so, and a later draw is listed.
        std::vector<QDate> noDraw;
        // Expected dates a range answer left out while listing a later
        // draw, not asked for on their own yet: each is to be asked by
        // fechav3 before anything after it is stored (storing stops at the
        // first of them meanwhile).
        std::vector<QDate> toConfirm;
        // Storing stopped at an invalid draw.
        bool invalid = false;
        // Storing stopped at this expected date: no draw was found for it,
        // and the answers cannot vouch that none was held.
        QDate unvouched;
        // The newest expected date, not found, whose results may not be out.
        QDate pending;
    };

    // answers[i] answers plan.requests[i]; a refused one (a date asked on
    // its own after a range left it out) gives and vouches for nothing.
    // stored holds the stored draws of plan.reports by date.
    Outcome conclude(const Plan &plan, const std::vector<ServiceAnswer> &answers,
                     const std::map<QDate, DrawRecord> &stored);
}
