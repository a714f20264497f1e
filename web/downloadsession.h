#pragma once

#include "base/endpoints.h"
#include "base/prompter.h"
#include "downloadprogress.h"
#include "resultsparser.h"
#include "servicesource.h"
#include "store/outcome.h"
#include "webtransfer.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <map>
#include <set>
#include <vector>

class DownloadHost;
struct PrizeReportView;

// The results download. First source, the operator's results service: one
// request per tick for the draws due since the newest stored one and the
// reports still missing; when the service refuses, the classic pages: the
// search page of the last fifty days and the newest draw's page. Then check
// the syndicates, refresh the status, the draw list and the prize report.
// start() makes the first request; a one-second tick carries the rest. The
// window drives it with the session's own timer; the command line runs it to
// completion.
class DownloadSession : public QObject
{
    Q_OBJECT

public:
    static constexpr int kTickMs = 1000;
    static constexpr const char *kSearchPageFile = "www.txt";
    static constexpr const char *kDrawPageFile = "www2.txt";
    static constexpr const char *kReportFile = "edu.pdf";

    struct Outcome
    {
        bool finished = false; // ended with "TRANSFERENCIA FINALIZADA"
        bool dataError = false; // the page held data that could not be taken
        bool connectionError = false; // a page could not be fetched
        bool reportMissing = false; // the report document is not on disk
        int storedDraws = 0;
        // Final reports the session added or completed.
        int storedReports = 0;
        // The results service was the last source asked (else the pages).
        bool fromService = false;
        // The dates of the draws stored, oldest first.
        std::vector<QDate> newDraws;
        // Stored draws of the last 52 weeks whose report is not final.
        std::vector<QDate> pendingReports;
        // Reports received that could not be saved to premios.json: they are
        // not kept anywhere, and the next download asks for them again.
        std::vector<QDate> reportsNotSaved;
        // Draw days since the newest stored draw not known to have had no draw
        // (the newest one is not counted on its own day or the day after).
        int missing = 0;
        std::vector<QDate> missingDates;
        // The service's address for the missing draws, for a browser; empty
        // when nothing is missing.
        QUrl browserUrl;
        // The operator refused the program (its edge took it for a robot),
        // as opposed to the network failing.
        bool blocked = false;
        // No draw was stored, so nothing was asked: the shipped history
        // comes first.
        bool noHistory = false;
        // The way in the user chose in the session's last box.
        Prompter::WayIn wayIn = Prompter::WayIn::None;

        bool succeeded() const { return finished && !dataError && !connectionError && reportsNotSaved.empty(); }
    };

    // Where the session stands between two ticks.
    enum class Step
    {
        Idle,
        Fetching, // a request is under way
        Fetched, // an answer is in; the next tick reads it or asks again
        Stored, // the new draws are stored; the draw page comes next
        DrawPageDone, // the draw page is in, or there is none
        Finishing, // the peñas, the lists and the prize report follow
    };

    enum class Source
    {
        Auto, // the service; the pages when the service refuses
        Service,
        Pages,
    };

    DownloadSession(DownloadHost &host, WebTransfer &transfer, Endpoints endpoints, QObject *parent = nullptr);
    ~DownloadSession() override;

    // Starts a download. False when no session is under way afterwards:
    // one is already running, the news is open, the computer's date
    // is behind the stored draws, or the search page could not be fetched.
    bool start();
    // One step, normally from the session's timer every second.
    void tick();
    // From start() until the session ends, fetches included.
    bool isRunning() const;
    // The window closes: no further step runs (the caller stops the
    // transfer under way). isRunning() turns false as soon as the step under
    // way, if any, has returned.
    void abandon();

    // The whole session without a window or a timer: start, then ticks in a
    // row. True when it ended with "TRANSFERENCIA FINALIZADA" and neither a
    // data nor a connection error.
    bool runToCompletion();

    const Outcome &outcome() const { return m_outcome; }
    // Why the last start() asked nothing of the operator, for the front end
    // to tell (the computer's date, the draw file); empty (Unchanged) otherwise.
    const ::Outcome &refusal() const { return m_refusal; }
    // How the last session ended, when it ended for want of a connection
    // before anything was brought; read once finished() is emitted, for the
    // front end to tell. Empty (Unchanged) otherwise.
    const ::Outcome &result() const { return m_result; }
    Step step() const { return m_step; }
    DownloadStage stage() const { return m_stage; }
    const DownloadActivity &activity() const { return m_activity; }
    QString statusText() const { return downloadActivityText(m_activity); }
    int newDrawCount() const { return m_newDrawCount; }
    QString drawPagePath() const { return m_drawPagePath; }
    bool parseFailed() const { return m_parseFailed; }
    bool endOfData() const { return m_endOfData; }
    bool reportFetched() const { return m_reportFetched; }

    void setTickInterval(int milliseconds) { m_timer.setInterval(milliseconds); }
    void setSource(Source source) { m_source = source; }
    // Also the missing reports of stored draws from this date on (invalid:
    // only those of the last 52 weeks), by ranges of one year at most. A
    // later session asks again for whatever is still missing.
    void setReportsSince(QDate date) { m_reportsSince = date; }
    Source source() const { return m_source; }

signals:
    // The session went idle, whatever the reason.
    void finished();

private:
    enum class Phase
    {
        Service,
        Pages
    };

    bool startService();
    void warmUp();
    // The operator's edge refused the program: said as such, with the ways in.
    void refusedByOperator();
    // What is missing once the session is over, with the ways in.
    void tellMissing();
    Prompter::WaysIn waysIn() const;
    QDate reportsFrom(QDate today) const;
    // The older of setReportsSince's date and the host's.
    QDate reportsSince() const;
    bool askService();
    void blameTheDiskIfItFailed(ParseResult &parse) const;
    void announce(const ParseResult &parse);
    void keepStoredDrawReports();
    // Puts the reports (and the days known to have had no draw) in
    // premios.json and saves it, naming the reports lost when it cannot;
    // returns how many final reports it added or completed.
    int storeReports(const std::vector<PrizeReport> &reports, const std::vector<QDate> &noDraw = {},
                     bool *saved = nullptr);
    // Names the reports of the answers whose figures cannot be real.
    void tellDoubtfulReports();
    void concludeService();
    bool fetchSearchPage();
    void recordPagesReport(const PrizeReportView &view);
    void completeOutcome();
    void setTimerEnabled(bool on);
    void setStage(DownloadStage stage);
    void setActivity(DownloadActivity activity);
    void setActivity(DownloadActivity::Kind kind) { setActivity(DownloadActivity {kind}); }
    void tellBytes(bool complete = false);
    void stopWithoutResult();
    void parseSearchPage();
    void fetchDrawPage();
    void finish();
    bool writePage(const char *fileName, const QByteArray &bytes) const;
    QString dataPath(const char *fileName) const;

    DownloadHost &m_host;
    WebTransfer &m_transfer;
    Endpoints m_endpoints;
    QTimer m_timer;
    bool m_timerOn = false;
    bool m_manualTicks = false;
    bool m_starting = false;
    bool m_inTick = false;
    bool m_abandoned = false;

    Step m_step = Step::Idle;
    int m_tickCount = 0;
    DownloadStage m_stage = DownloadStage::None;
    DownloadActivity m_activity;

    // The last page fetched: the search page, then the draw page.
    QByteArray m_page;
    qint64 m_byteCount = 0;
    bool m_countingBytes = false;

    int m_newDrawCount = 0;
    QString m_drawPagePath;
    bool m_parseFailed = false;
    bool m_endOfData = false;
    bool m_reportFetched = false;
    Outcome m_outcome;
    ::Outcome m_refusal;
    ::Outcome m_result;

    Source m_source = Source::Auto;
    QDate m_reportsSince;
    Phase m_phase = Phase::Pages;
    ServiceSource::Plan m_plan;
    std::vector<ServiceAnswer> m_answers;
    // The stored draws whose reports are asked for, to check them against.
    std::map<QDate, DrawRecord> m_storedForReports;
    std::vector<QDate> m_noDraw;
    // The dates a range answer left out have been asked for on their own.
    bool m_confirmAsked = false;
    QDate m_newestBefore;
    // A refusal of the service looked like the edge's block page.
    bool m_serviceBlocked = false;
    // "No new draws" (or the reports saved instead), held back until it is
    // known that nothing is missing; Cause::None when there is nothing to tell.
    ::Outcome m_noNewDraws;
    // The draw whose page the pages' report comes from, when it is stored.
    QDate m_pageDrawDate;
};
