#pragma once

#include "store/drawrecord.h"
#include "store/recordfile.h"

#include <QDate>
#include <QString>

class Prompter;
class PrizeReportFile;
struct PrizeReportView;

// What the download session asks of the program around it: the session's
// data and commands, and the download area of the window. A window, the
// command-line tool and the tests each give their own. The display calls have
// empty defaults so a headless host implements only what it needs.
class DownloadHost
{
public:
    virtual ~DownloadHost() = default;

    // --- data and commands --------------------------------------------------
    virtual Prompter &prompter() = 0;
    virtual QDate today() const = 0;
    // The directory of www.txt, www2.txt and edu.pdf.
    virtual QString dataDir() const = 0;
    virtual TypedRecordFile<DrawRecord> &drawFile() = 0;
    // Whether new draws could be stored; false, with the user told why, when
    // the draw file is unusable (unreadable, not a file, a tail not set aside).
    virtual bool drawFileWritable() { return true; }
    // The newest stored draw as the last status scan left it (zeroed when the
    // file is empty).
    virtual DrawRecord newestDraw() const = 0;
    // The status scan: recount the draws, reload the newest one.
    virtual void updateStatus() = 0;
    // Check every syndicate against the newest drawCount draws.
    virtual void scrutinizeSimpleSyndicates(int drawCount) = 0;
    // HScroll1: how many of the newest draws the result lists show. Set while
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

    // --- the news window ------------------------------------------------------
    virtual bool newsWindowVisible() const { return false; }
    virtual void closeNewsWindow() {}

    // --- the download area ----------------------------------------------------
    virtual void selectFirstTab() {}
    virtual void setProgress(int /*step*/) {}                   // ProgressBar1, 0 to 5
    virtual void setStatusText(const QString & /*text*/) {}      // Label6
    virtual void setStoredDrawsText(const QString & /*text*/) {} // Label19
    virtual void setByteCountText(const QString & /*text*/) {}   // Label58
    virtual void setReportMessage(const QString & /*text*/) {}   // Text1
    virtual void setButtonImage(int /*image*/) {}               // Picture2: 1 or 2
};
