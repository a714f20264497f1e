#pragma once

#include "drawlist.h"
#include "base/endpoints.h"
#include "base/prompter.h"
#include "status.h"
#include "store/drawrecord.h"
#include "store/fileops.h"
#include "store/memberfile.h"
#include "store/printcalibration.h"
#include "store/prizereportfile.h"
#include "store/recordfile.h"
#include "store/syndicaterecord.h"
#include "scrutiny/money.h"
#include "scrutiny/passes.h"
#include "scrutiny/resultlist.h"
#include "scrutiny/summary.h"
#include "stats/figures.h"
#include "stats/trybet.h"

#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <vector>

class Outcome;
enum class OutcomeCommand : int;

class Clock;

// The program's state and the commands every front end calls. Windows and
// the command-line tool observe it and render; neither keeps logic of its own.
class Session : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *kDrawFile = "numeros.dat";
    static constexpr const char *kSyndicateFile = "apuestas.dat";
    static constexpr const char *kCalibrationFile = "nums.ini";
    static constexpr const char *kSearchPage = "www.txt";
    static constexpr const char *kDrawPage = "www2.txt";
    static constexpr const char *kSyndicateWorkFile = "apuestas.tmp";
    static constexpr const char *kRejectedDrawFile = "numeros.invalido";
    // Where the bytes after the last whole record of a data file are kept.
    static constexpr const char *kDrawTailFile = "numeros.resto";
    static constexpr const char *kSyndicateTailFile = "apuestas.resto";

    Session(Clock &clock, Prompter &prompter, Endpoints endpoints = {}, QObject *parent = nullptr);
    ~Session() override;

    // The start-up steps that touch data: the data directory, the stale work
    // file, the files (created when missing), the calibration record, the
    // status scan and the first refresh. Each step runs even when an earlier
    // one failed. False only when dataDir cannot be used at all.
    bool start(const QString &dataDir);
    // Work files of interrupted writes (our own names only, plain files of
    // this user, never a link) older than minAgeSeconds are removed; start()
    // does it with a minute, once the directory is ours alone.
    static void removeLeftoverWorkFiles(const QString &dataDir, int minAgeSeconds);
    static constexpr int kWorkFileMinAgeSeconds = 60;
    // Closes every file; nothing is pending, every write is already on disk.
    void shutdown();

    QString dataDir() const { return m_dataDir; }
    // A data directory this user may not write (a read-only file system, a
    // folder without permission) opens read-only: everything is read and
    // shown, nothing is written, and writeCheck() refuses every command
    // that would change a file. The reason follows "porque"; empty when
    // the directory can be written.
    bool isReadOnly() const { return !m_readOnlyReason.isEmpty(); }
    QString readOnlyReason() const { return m_readOnlyReason; }
    // "Sólo lectura: ..." with the directory and the reason, for the banner
    // and the refusals.
    QString readOnlyText() const;
    QString dataPath(const char *fileName) const;
    Clock &clock() const { return m_clock; }
    Prompter &prompter() const { return m_prompter; }
    const Endpoints &endpoints() const { return m_endpoints; }

    // --- status block ---------------------------------------------------
    void updateStatus();
    const DrawStatus &drawStatus() const { return m_status; }
    int nextDrawRecord() const { return m_nextDrawRecord; }
    int storedDraws() const { return m_nextDrawRecord > 0 ? m_nextDrawRecord - 1 : 0; }
    int drawsSinceFirstSyndicate() const { return m_drawsSinceFirstSyndicate; }
    const DrawRecord &drawBuffer() const { return m_drawBuffer; }
    // The draw that bets placed now play in: what participations and the
    // plain-paper slips name.
    QDate nextDrawDate() const;
    QString syndicateCountText() const { return m_syndicateCountText; } // Label9 element 2

    // --- syndicates -----------------------------------------------------
    // Rebuilds the list, the overall effectiveness and the details of the
    // first syndicate; brings every record's prize counters and
    // lastCountedDate to the stored draws and corrects a "Sábado" draw day,
    // writing each changed record once. Runs after every change of either
    // data file (the status scan ends with it) and at start-up.
    void loadSyndicateList();
    const std::vector<SyndicateRecord> &syndicates() const { return m_syndicates; }
    // The creation date of the oldest sound peña, from which their money
    // needs prize reports; invalid with none.
    QDate oldestSyndicateCreation() const;
    int nextSyndicateRecord() const { return m_nextSyndicateRecord; }
    const Summary::SyndicateList &syndicateList() const { return m_syndicateList; }
    // The details panel for one record (from 1); a record that cannot be
    // shown brings up the "apuestas.dat corrupto" box.
    void showSyndicateDetails(int record);
    const Summary::Details &syndicateDetails() const { return m_details; }
    // A click on the list: that syndicate's details, and it becomes the one
    // printing and deletion act on.
    void selectSyndicate(int record);
    int selectedSyndicate() const { return m_selectedSyndicate; }
    // The syndicate whose details the tab shows, which printing and deletion
    // act on: the one clicked, else the one shown first; 0 for none.
    int shownSyndicate() const;
    void clearSelectedSyndicate() { m_selectedSyndicate = 0; }
    // What printing and deletion say when no syndicate is selected (record 0).
    // True when record names one.
    bool checkSyndicateChosen(int record) const;

    // --- scrutiny -------------------------------------------------------
    // The newest drawCount draws (lowered to the stored ones) against every
    // simple syndicate; then the multiple bets when one was met, else the
    // multiple list is emptied. Shows only: nothing is written.
    void scrutinizeSimpleSyndicates(int drawCount);
    void scrutinizeMultipleSyndicates(int drawCount);
    // The newest draw only: both passes when one draw is shown, else the
    // draw count goes back to 1 (which refreshes).
    void showNewestDraw();
    const ResultList &simpleResults() const { return m_simpleResults; }
    const ResultList &multipleResults() const { return m_multipleResults; }

    // --- prize notice: Label19, prizeBlink, Timer3 -------------------------
    // 0 none, 1 the simple list's button flashes, 2 the multiple one's, 3 both.
    int prizeBlink() const { return m_notice.prizeBlink; }
    bool prizeAnimationRunning() const { return m_notice.running; }
    // Stops the flashing (and clears Label19) when it runs.
    void stopPrizeAnimation();
    // Set by the download once it stored draws; a prize found while it is
    // not empty makes the list buttons flash.
    void setStoredDrawsNotice(const QString &text);
    void clearPrizeBlink();

    // --- draws ----------------------------------------------------------
    // Scrutiny of the newest drawsToShow() draws, then the draw list.
    void refreshDraws();
    void loadDrawList();
    const DrawList &drawList() const { return m_drawList; }
    // Invalid draw files set aside since start-up.
    int rejectedDrawFiles() const { return m_rejectedDrawFiles; }
    // Partial last records set aside since start-up (either file).
    int setAsideTails() const { return m_setAsideTails; }
    // Whether a command may rewrite or add to file: Done when it may; else
    // why not, naming the file and the cause: the data directory is
    // read-only, the file could not be opened (unreadable, not a regular
    // file) or it still ends in a partial record nobody kept.
    Outcome writeCheck(const RecordFile &file, OutcomeCommand command) const;
    // The draws (records from 1, oldest first) that cannot be real; the
    // status block names them and a click deletes them without the
    // "delete all" step.
    const std::vector<int> &implausibleDrawRecords() const { return m_implausibleRecords; }

    // --- what the result lists show (HScroll1, Check1, Check2) ----------
    int drawsToShow() const { return m_drawsToShow; }
    void setDrawsToShow(int draws);
    // The value alone, with no refresh: the download sets it between its
    // own scrutiny and its status scan, which refresh what needs it.
    void presetDrawsToShow(int draws);
    bool historico() const { return m_historico; }
    void setHistorico(bool on);
    bool soloPremio() const { return m_soloPremio; }
    void setSoloPremio(bool on);
    // All three at once with a single refresh (only when one changed).
    void applyViewOptions(int draws, bool historico, bool soloPremio);
    // Label19: how many draws the last download stored; empty otherwise.
    QString storedDrawsNotice() const { return m_storedDrawsNotice; }

    // --- the main window's first appearance --------------------------------
    // Called when the user comes back to the main window; the first time it
    // greets a newcomer who has no syndicate yet. Every time it shows the
    // newest draw's scrutiny.
    void mainWindowActivated();

    const PrintCalibration &calibration() const { return m_calibration; }

    // --- prize reports (premios.json) ----------------------------------------
    // Loaded by start(); a damaged file is set aside with the "Error de
    // lectura" box. The download adds to it; the report tab and `prizes`
    // read it: prizeReports().report(date), newestDrawReport().
    PrizeReportFile &prizeReports() { return m_prizeReports; }
    const PrizeReportFile &prizeReports() const { return m_prizeReports; }
    // The report of the newest stored draw (status Missing when none).
    PrizeReport newestDrawReport() const;

    // --- members of each peña (socios.json); core/membership.h reads and
    // changes them. Loaded by start(), a damaged file set aside and reported.
    MemberFile &memberFile() { return m_members; }
    const MemberFile &memberFile() const { return m_members; }

    // --- money: what the peñas stake and win, from the stored reports --------
    // Every draw a syndicate (record from 1) played, oldest first; empty for
    // a record that does not exist or is damaged.
    std::vector<Money::DrawOutcome> ledger(int record) const;
    // One syndicate's totals, or with record 0 those of every peña together.
    Money::Totals moneyTotals(int record) const;
    // Every syndicate's ledger, in record order, the draws looked up once.
    std::vector<std::vector<Money::DrawOutcome>> ledgers() const;
    // The same one at a time (record, ledger), none kept after its call.
    void forEachLedger(const std::function<void(int, const std::vector<Money::DrawOutcome> &)> &each) const;
    // The cumulative balance (won less staked) after each played draw of one
    // syndicate (record 0: every peña together), oldest first.
    std::vector<std::pair<QDate, std::int64_t>> balanceHistory(int record) const;

    // --- statistics and "Comprobar combinación" over a window of draws ----
    // Counted from the stored draws up to today, oldest first (a draw dated
    // later was never held); the money from the stored prize reports.
    Stats::Figures statistics(const Stats::Window &window) const;
    Stats::TryResult tryBet(const Stats::Bet &bet, const Stats::Window &window) const;

    // The open data files, for the commands that live beside the session
    // (creation, maintenance, download, printing). Every change of a file is
    // followed by updateStatus() and, when draws changed, refreshDraws().
    TypedRecordFile<DrawRecord> &drawFile() { return m_drawFile; }
    TypedRecordFile<SyndicateRecord> &syndicateFile() { return m_syndicateFile; }
    TypedRecordFile<PrintCalibration> &calibrationFile() { return m_calibrationFile; }

signals:
    void statusChanged();
    void drawListChanged();
    void syndicatesChanged();
    void viewOptionsChanged();
    // The models reset between each pair; nothing reads the lists between them.
    void simpleResultsAboutToChange();
    void simpleResultsChanged();
    void multipleResultsAboutToChange();
    void multipleResultsChanged();
    void prizeNoticeChanged();
    void syndicateDetailsChanged();
    // showNewestDraw put the draw count back to 1: the chart goes back to
    // its first half too.
    void scrollBarsReset();
    // The user took one of the ways to put draws in that a box offered
    // (the welcome box's shipped history); the window carries it out.
    void wayInChosen(Prompter::WayIn way);

private:
    void openFiles();
    void loadPrizeReports();
    void loadMembers();
    void loadCalibration();
    void rejectDrawFile();
    QString freeName(const char *fileName) const;
    void reportUnusable(const RecordFile &file) const;
    bool setTailAside(RecordFile &file, const char *asideName, const QString &wholeKept);
    std::vector<SyndicateRecord> readSyndicates();
    std::vector<DrawRecord> readDraws();
    Scrutiny::Pass beginPass();
    void runMultiplePass(Scrutiny::Pass &pass, int drawCount);
    void endPass(const Scrutiny::Pass &pass);
    void rebuildSyndicateList();
    // Every record recounted over the stored draws (scrutiny/prizes.h); the
    // indexes of those that changed.
    std::vector<std::size_t> recountPrizes(std::vector<SyndicateRecord> &syndicates);
    void setDetails(int record, bool report);
    void setNotice(const Scrutiny::PrizeNotice &notice);

    Clock &m_clock;
    Prompter &m_prompter;
    Endpoints m_endpoints;
    QString m_dataDir;
    QString m_readOnlyReason;

    TypedRecordFile<DrawRecord> m_drawFile;
    TypedRecordFile<SyndicateRecord> m_syndicateFile;
    TypedRecordFile<PrintCalibration> m_calibrationFile;

    DrawStatus m_status;
    DrawRecord m_drawBuffer;
    int m_nextDrawRecord = 0;
    int m_drawsSinceFirstSyndicate = 0;
    QString m_syndicateCountText;

    std::vector<SyndicateRecord> m_syndicates;
    int m_nextSyndicateRecord = 0;
    Summary::SyndicateList m_syndicateList;
    Summary::Details m_details = Summary::emptyDetails();
    int m_selectedSyndicate = 0;

    ResultList m_simpleResults {ResultList::Layout::Simple};
    ResultList m_multipleResults {ResultList::Layout::Multiple};
    Scrutiny::PrizeNotice m_notice;

    DrawList m_drawList;
    int m_rejectedDrawFiles = 0;
    int m_setAsideTails = 0;
    std::vector<int> m_implausibleRecords;
    bool m_rejecting = false;

    int m_drawsToShow = 1;
    bool m_historico = false;
    bool m_soloPremio = false;
    QString m_storedDrawsNotice;

    int m_firstShowCount = 0;
    PrintCalibration m_calibration;

    DiskFileOps m_fileOps;
    PrizeReportFile m_prizeReports {m_fileOps};
    MemberFile m_members {m_fileOps};
};
