#pragma once

#include "base/endpoints.h"
#include "base/prompter.h"
#include "frontend.h"
#include "prizealert.h"
#include "scrutiny/passes.h"
#include "scrutiny/resultlist.h"
#include "stats/figures.h"
#include "stats/trybet.h"
#include "status.h"
#include "store/drawrecord.h"
#include "store/fileops.h"
#include "store/memberfile.h"
#include "store/printcalibration.h"
#include "store/prizereportfile.h"
#include "store/recordfile.h"
#include "storeddraws.h"
#include "syndicatemoney.h"
#include "syndicates.h"
#include "viewoptions.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class Outcome;
enum class OutcomeCommand : int;

class Clock;

// The program's state and the commands every front end calls. Windows and
// the command-line tool observe it and render; neither keeps logic of its own.
// What it keeps is in parts, each read through its own small class: the
// stored draws (draws()), the peñas (syndicates()) and their money (money()),
// what the result lists show (view()) and the prize notice (notice()). The
// parts are changed only by the Session's commands, which emit the signals.
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
    // The first start's greeting, told and asked.
    static const QString kWelcomeTitle;
    static const QString kWelcomeText;

    // Every rewrite and work file of the session's own goes through files
    // (premios.json, socios.json, the bytes set aside, a rejected draw
    // file); none given, the disk's.
    // What the session meets on its own in its data files (a link it will
    // not write through, a file set aside, a damaged peña, the welcome) it
    // tells frontEnd as it meets it.
    Session(Clock &clock, FrontEnd &frontEnd, Endpoints endpoints = {}, FileOps *files = nullptr,
            QObject *parent = nullptr);
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
    Prompter &prompter() const { return m_frontEnd; }
    // Every rewrite of a data file goes through these: the ones given to
    // the constructor, else the disk's. The commands beside the Session
    // (Maintenance, DrawEntry) use them unless given their own.
    FileOps &files() const { return m_files; }
    FrontEnd &frontEnd() const { return m_frontEnd; }
    const Endpoints &endpoints() const { return m_endpoints; }

    // --- what the session keeps ---------------------------------------------
    // numeros.dat, read once per change; every reader of draws goes here.
    StoredDraws &draws() { return m_draws; }
    const StoredDraws &draws() const { return m_draws; }
    // apuestas.dat: the records, the list, the details, the selection.
    Syndicates &syndicates() { return m_syndicates; }
    const Syndicates &syndicates() const { return m_syndicates; }
    // What the peñas stake and win, from the stored prize reports.
    const SyndicateMoney &money() const { return m_money; }
    const ViewOptions &view() const { return m_view; }
    const PrizeAlert &notice() const { return m_alert; }

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

    // --- syndicates -----------------------------------------------------
    // Rebuilds the list, the overall effectiveness and the details of the
    // first syndicate; brings every record's prize counters and
    // lastCountedDate to the stored draws and corrects a "Sábado" draw day,
    // writing each changed record once. Runs after every change of either
    // data file (the status scan ends with it) and at start-up.
    void loadSyndicateList();
    // The details panel for one record (from 1); a record that cannot be
    // shown is told as Outcome::Cause::SyndicateFileDamaged.
    void showSyndicateDetails(int record);
    // A click on the list: that syndicate's details, and it becomes the one
    // printing and deletion act on (syndicates().shown()).
    void selectSyndicate(int record);
    void clearSelectedSyndicate() { m_syndicates.clearSelected(); }

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

    // --- prize notice (notice()) -------------------------------------------
    // Stops the notice (and forgets the stored-draws count) when it runs.
    void stopPrizeAnimation();
    // Set by the download to the number of draws it stored; a prize found
    // while it is above 0 sets the notice running.
    void setStoredDrawsNotice(int draws);
    void clearPrizeBlink();

    // --- draws ----------------------------------------------------------
    // Scrutiny of the newest drawsToShow() draws, then the draw list.
    void refreshDraws();
    // Checks the draw file (an invalid one is set aside, a partial tail
    // kept elsewhere) and tells the list's readers: draws().list().
    void loadDrawList();
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

    // --- what the result lists show (view()) ------------------------------
    void setDrawsToShow(int draws);
    // The value alone, with no refresh: the download sets it between its
    // own scrutiny and its status scan, which refresh what needs it.
    void presetDrawsToShow(int draws);
    void setHistorico(bool on);
    void setSoloPremio(bool on);
    // All three at once with a single refresh (only when one changed).
    void applyViewOptions(int draws, bool historico, bool soloPremio);

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

    // --- statistics and "Comprobar combinación" over a window of draws ----
    // Counted from the stored draws up to today, oldest first (a draw dated
    // later was never held); the money from the stored prize reports.
    Stats::Figures statistics(const Stats::Window &window) const;
    Stats::TryResult tryBet(const Stats::Bet &bet, const Stats::Window &window) const;

    // The open data files are draws().file(), syndicates().file() and this
    // one, for the commands that live beside the session (creation,
    // maintenance, download, printing). Every change of a file is followed by
    // updateStatus() and, when draws changed, refreshDraws().
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
    bool setTailAside(RecordFile &file, const char *asideName);
    void tellLinkRefused(const QString &path) const;
    void tellSetAside(Outcome::Cause cause, const QString &copy) const;
    Scrutiny::Pass beginPass();
    void runMultiplePass(Scrutiny::Pass &pass, int drawCount);
    void endPass(const Scrutiny::Pass &pass);
    void setDetails(int record, bool report);
    void setNotice(const Scrutiny::PrizeNotice &notice);

    Clock &m_clock;
    FrontEnd &m_frontEnd;
    Endpoints m_endpoints;
    QString m_dataDir;
    QString m_readOnlyReason;

    std::unique_ptr<FileOps> m_ownFiles;
    FileOps &m_files;

    StoredDraws m_draws;
    Syndicates m_syndicates;
    TypedRecordFile<PrintCalibration> m_calibrationFile;

    DrawStatus m_status;
    DrawRecord m_drawBuffer;
    int m_nextDrawRecord = 0;
    int m_drawsSinceFirstSyndicate = 0;

    ResultList m_simpleResults {ResultList::Layout::Simple};
    ResultList m_multipleResults {ResultList::Layout::Multiple};
    PrizeAlert m_alert;
    ViewOptions m_view;

    int m_rejectedDrawFiles = 0;
    int m_setAsideTails = 0;
    std::vector<int> m_implausibleRecords;
    bool m_rejecting = false;

    int m_firstShowCount = 0;
    PrintCalibration m_calibration;

    PrizeReportFile m_prizeReports {m_files};
    MemberFile m_members {m_files};
    SyndicateMoney m_money {m_syndicates, m_draws, m_prizeReports};
};
