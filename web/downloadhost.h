#pragma once

#include "downloadprogress.h"
#include "store/drawrecord.h"
#include "store/outcome.h"
#include "store/recordfile.h"

#include <QDate>
#include <QString>

#include <vector>

class Prompter;
class PrizeReportFile;
struct PrizeReportView;
struct ReportUnreadable;

// What the download session asks of the program around it: the session's
// data and commands, and where it tells how far it has gone (as values, for
// a window to draw or the command line to print). The tests give their own.
// The progress calls have empty defaults so a headless host implements only
// what it needs.
class DownloadHost
{
public:
    virtual ~DownloadHost() = default;

    // --- data and commands --------------------------------------------------
    // Where the questions are asked.
    virtual Prompter &prompter() = 0;
    // What the session met on its way, told as it meets it (so it keeps its
    // place among the questions) for the front end to word.
    virtual void tell(const Outcome &outcome) = 0;
    virtual QDate today() const = 0;
    // The directory of www.txt, www2.txt and edu.pdf.
    virtual QString dataDir() const = 0;
    virtual TypedRecordFile<DrawRecord> &drawFile() = 0;
    // Every stored draw, oldest first; a host that keeps them decoded gives
    // its own.
    virtual std::vector<DrawRecord> storedDrawRecords() { return decodeRecords<DrawRecord>(drawFile().readAllRecords()); }
    // Whether new draws could be stored: Done, or why not (the data
    // directory read-only, the draw file unusable or ending in a tail not set
    // aside), for the front end to tell.
    virtual Outcome drawFileCheck() { return Outcome::done(Outcome::Command::Download); }
    // The newest stored draw as the last status scan left it (zeroed when the
    // file is empty).
    virtual DrawRecord newestDraw() const = 0;
    // The status scan: recount the draws, reload the newest one.
    virtual void updateStatus() = 0;
    // Check every syndicate against the newest drawCount draws.
    virtual void scrutinizeSimpleSyndicates(int drawCount) = 0;
    // How many of the newest draws the result lists show. Set while
    // the download runs, so it must not trigger a refresh of its own.
    virtual void setDrawsToShow(int draws) = 0;
    virtual void loadDrawList() = 0;
    virtual void showPrizeReport(const PrizeReportView &view) = 0;
    // Every stored draw's prize report; none when the host keeps no reports.
    virtual PrizeReportFile *prizeReports() { return nullptr; }
    // Every download also asks for the missing reports of the stored draws
    // from this date on (the oldest peña's creation); invalid: only those of
    // the last 52 weeks.
    virtual QDate reportsWantedSince() const { return {}; }
    // The draw history that comes with the program; empty when none is found.
    virtual QString shippedHistoryFile() const { return {}; }
    // Whether the prize report can show a PDF inside the window.
    virtual bool pdfViewerAvailable() const { return true; }
    virtual void stopPrizeAnimation() {}

    // --- the news -------------------------------------------------------------
    // Whether the user is reading the news: no download starts meanwhile,
    // and starting one asks for the news to be closed.
    virtual bool newsOpen() const { return false; }
    virtual void closeNews() {}

    // --- what the session has reached --------------------------------------
    // Each change as it happens; a front end words and draws them.
    virtual void stageReached(DownloadStage /*stage*/) {}
    virtual void activityChanged(const DownloadActivity & /*activity*/) {}
    // The bytes of the pages and answers received so far; complete once the
    // last one is in.
    virtual void bytesReceived(qint64 /*bytes*/, bool /*complete*/) {}
    // The draws this session stored; 0 as it starts.
    virtual void drawsStored(int /*count*/) {}
    // The page could not be read: the prize report says so instead of
    // showing its document.
    virtual void prizeReportUnreadable(const ReportUnreadable & /*reason*/) {}
};
