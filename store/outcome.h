#pragma once

#include "base/prompter.h"
#include "store/drawrecord.h"
#include "store/fileops.h"
#include "store/nametext.h"

#include <QDate>
#include <QString>

#include <vector>

// The command an outcome is of (Outcome::Command), which gives its boxes
// their title.
enum class OutcomeCommand : int
{
    Import,
    AddDraws,
    DeleteDraws,
    DeleteDraw,
    DeleteSyndicate,
    Create,
    Members,
    PrizeReport, // a prize report typed by hand
    PrintSlips, // a peña's slips, on paper or in a PDF
    PrintParticipations, // the members' participations (name: the one member, if only one)
    Download, // the draws and reports brought from the operator
    DataFiles, // what the Session met in its data files on its own (opening, reading them)
};

// What one command did, as values: whether it happened, what it concerned
// and why not. The engine's commands return one; the window shows the boxes
// that outcomeBoxes() (wording/outcomewording.h) words for it, the command
// line writes the same words on stderr and takes its exit status from
// status. No text is made here: the words of every such box live in
// wording/ alone.
class Outcome
{
public:
    enum class Status
    {
        Done, // what was asked is done
        Unchanged, // nothing needed doing (or nothing was chosen): all is as it was
        Declined, // a question was answered No: nothing changed
        Refused, // the input or the data do not allow it: nothing changed
        Failed, // a file could not be read or written: nothing changed
        Incomplete, // changed, but a later step failed (the user is told which)
    };

    using Command = OutcomeCommand;

    enum class Cause
    {
        None,
        // Any command that writes a data file.
        ReadOnly, // detail: why the data directory cannot be written
        UnusableFile, // path, file: a record file that could not be opened
        PartialTail, // path: a record file ending in part of a record
        PermissionDenied, // path
        FileError, // path, file
        // The peña the command needs.
        NoSyndicateChosen,
        // Import.
        NoFileChosen,
        AlreadyTheDrawFile,
        ImportUnreadable,
        NotADrawFile,
        ImportWriteFailed, // path, file
        // Words given by the part that refused (a name, a bet, a member).
        Problem, // detail
        // A name refused (name: the name as judged).
        NameForbidden, // it holds characters no name may hold
        NameUnstorable, // it holds characters apuestas.dat cannot store
        NameTooLong, // a peña's, longer than the slip takes
        MemberNameLength, // a member's, empty or too long
        // Members.
        NoSuchSyndicate, // record: no peña has that number
        NoSuchSyndicateAmong, // record: no peña has that number; count: the peñas there are
        MemberFileNotWritable, // socios.json cannot be written
        InvalidShares, // shares outside 1 to MemberFile::kMaxShares
        DuplicateMember, // name: the member who holds the name already
        NoSuchMember, // name: as typed; record: the peña it was looked for in
        NoBetsToPrint, // record: a peña with nothing to play
        // Creation.
        FutureSyndicate, // record 1 was created after today
        FutureDraw, // the newest draw is dated after today
        NoSyndicateName, // nothing but blanks for a name
        SlipWaitsForName, // a click while only the name is missing (an information box)
        OneMultipleBet, // a second multiple bet (an information box)
        MaxSimpleBets, // a 25th simple bet (an information box)
        KeyOutOfRange, // a key that is not 0 to 9
        NoBet, // whole bets: none given
        BadSimpleBet, // whole bets: not 5 distinct numbers 1 to 54
        BadMultipleBet, // whole bets: not 6 to 11 distinct numbers 1 to 54
        RepeatedBetDeclined, // whole bets: a repeated one answered No
        // A reduction saved as peñas.
        NoBetsToSave,
        TooManyBets, // count: the bets, more than the peñas of a reduction hold
        ReductionNameTooLong, // name: the one peña's name ("NAME 1/3") that does not fit
        // Draws brought by hand or from a file: nothing changed.
        NotAServiceAnswer, // the text is not the results service's answer
        AnswerDrawTwice, // date: a draw the answer brings twice
        AnswerDrawInvalid, // date: the answer's first draw that is not valid
        AnswerDrawUndated, // a draw whose date cannot be read or is before the first draw
        AnswerWithoutDraws,
        CsvLineRefused, // count: the line; detail: what the CSV reader found wrong in it
        CsvWithoutDraws,
        // A draw that cannot be a real one (date: its date, null when it
        // cannot be read; count: its line, 0 when typed).
        DrawDateInvalid,
        DrawBeforeFirst, // before the game's first draw
        DrawAfterToday,
        DrawOffDay, // no draw is held on that day of the week
        DrawNumberOutOfRange, // a number outside 1 to 54
        DrawNumberRepeated, // record: the number
        DrawKeyOutOfRange, // a key outside 0 to 9
        DrawTwiceDiffering, // date: brought twice with different numbers; record, count: the lines (0 when typed)
        DrawStoredDiffers, // date; draws: the one stored, then the one brought; count: its line (0 when typed)
        DrawsNotSaved, // path, file: numeros.dat could not be written, and is as it was
        AlreadyStored, // count: the draws brought, every one stored already (an information box)
        DrawsAdded, // dates: the draws added, oldest first; count: the final reports stored; record: the draws brought stored already
        ReportsNotSaved, // dates: the draws whose reports premios.json could not take; path, file
        // A prize report typed by hand.
        NoDrawStored, // date: no draw is stored that day (null when it could not be read)
        ReportCategoryInvalid, // record: the category whose figures are out of range
        ReportOutOfBounds, // date; detail: the bound it breaks
        ReportFileNotWritable, // premios.json cannot be written
        ReportNotSaved, // path, file: premios.json could not be saved, and is as it was
        ReportSaved, // date: the draw whose report was stored (an information box)
        // Download.
        DateBehind, // the computer's date is before the newest stored draw
        NotConnected, // the operator could not be reached: nothing was brought
        // What the download meets on its way, told as it meets it.
        CorruptData, // the answer could not be read: nothing was stored
        PartialData, // count: the year whose newest draws are not out yet (the older ones were stored)
        HistoryGap, // date: the first draw day the answer cannot vouch for (nothing was stored)
        NoNewDraws, // the operator has no draw newer than the stored ones
        NewDrawsNotSaved, // path, file: the new draws could not be written to the draw file
        ReportsSaved, // count: the prize reports saved when no draw was new
        DownloadedReportsNotSaved, // dates: the reports, noDrawDates: the days without a draw, not saved to path (file says why)
        DoubtfulReports, // days: a report not valid (detail: why), or an answer listing the day twice (detail empty)
        SlowServer, // the operator took too long to answer: the download stopped
        DrawPageUnreachable, // the newest draw's page could not be fetched (the draws are stored)
        // The data files, as the Session opens and reads them.
        LinkRefused, // path: a link the program will not write through
        ReportFileSetAside, // copy: premios.json was not valid and was put there
        ReportFileUnusable, // premios.json cannot be used (nor rewritten)
        MemberFileSetAside, // copy: socios.json was not valid and was put there
        MemberFileUnusable, // socios.json cannot be used (nor rewritten)
        TailSetAside, // path, count bytes after the last whole record, kept in copy
        TailNotSetAside, // the same, but copy could not be made: file says why (of path when Unreadable)
        DrawFileRejected, // the draw file was not valid: kept in copy (empty when not), emptied unless file failed on path
        SyndicateFileDamaged, // a peña record could not be read whole
        Welcome, // the first start with no peña
    };

    Outcome() = default;
    Outcome(Status status, Command command, Cause cause = Cause::None)
        : status(status)
        , command(command)
        , cause(cause)
    {
    }

    static Outcome done(Command command) { return {Status::Done, command}; }
    static Outcome declined(Command command) { return {Status::Declined, command}; }
    // A file step that failed on path; Done when result is Ok.
    static Outcome fileStep(Command command, FileOps::Result result, const QString &path);
    // The same, said as the file's own error even when permission was the cause.
    static Outcome fileError(Command command, FileOps::Result result, const QString &path);
    static Outcome problem(Command command, const QString &text, Cause cause = Cause::Problem);
    static Outcome refused(Command command, Cause cause) { return {Status::Refused, command, cause}; }
    // A name that breaks rule, under the cause that words it.
    static Outcome nameRefused(Command command, NameRule rule, const QString &name);

    // A PDF written at path, for the peña or member called name.
    static Outcome printed(Command command, const QString &path, const QString &name);

    // Something changed on disk (the front ends refresh what they show).
    bool changed() const { return status == Status::Done || status == Status::Incomplete; }
    bool isDone() const { return status == Status::Done; }

    Status status = Status::Unchanged; // a default outcome says nothing
    Command command = Command::Import;
    Cause cause = Cause::None;
    QString path; // the file it concerned
    FileOps::Result file = FileOps::Result::Ok; // how that file failed
    QString detail; // the refusing part's own words
    QString name; // the peña or member it concerned
    int record = 0; // the peña or draw written or deleted
    QString copy; // where a copy of the file was kept
    qint64 count = 0; // how many (bytes, reports) the cause is about, or which year
    QDate date; // the day or draw it concerned
    std::vector<QDate> dates; // the days or draws it concerned, in order
    std::vector<QDate> noDrawDates; // days known to have had no draw that it concerned
    // A day, with the words of the part that found something wrong on it.
    struct Day
    {
        QDate date;
        QString detail;
    };
    std::vector<Day> days;
    std::vector<DrawRecord> draws; // the draws it compares
    std::vector<Outcome> earlier; // warnings met on the way, said first
};
