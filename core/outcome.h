#pragma once

#include "base/prompter.h"
#include "store/fileops.h"

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
};

// What one command did, as values: whether it happened, what it concerned
// and why not. The engine's commands return one; the window shows the box
// that box() words for it, the command line writes the same words on stderr
// and takes its exit status from status. The words of every such box live
// in outcome.cpp alone.
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
        Note, // detail: an information box
        // Download.
        DateBehind, // the computer's date is before the newest stored draw
        NotConnected, // the operator could not be reached: nothing was brought
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
    // Done, saying what was done in the command's own words.
    static Outcome note(Command command, const QString &text);

    // A PDF written at path, for the peña or member called name.
    static Outcome printed(Command command, const QString &path, const QString &name);

    // Something changed on disk (the front ends refresh what they show).
    bool changed() const { return status == Status::Done || status == Status::Incomplete; }
    bool isDone() const { return status == Status::Done; }

    // The box that tells the user; an empty title when there is none to show
    // (a question answered No, or a done command that says nothing).
    struct Box
    {
        Prompter::Icon icon = Prompter::Icon::Information;
        QString title;
        QString text;
    };
    Box box() const;
    // The boxes of what was met on the way, then this one's, in the order
    // they are shown; only those with words.
    std::vector<Box> boxes() const;

    Status status = Status::Unchanged; // a default outcome says nothing
    Command command = Command::Import;
    Cause cause = Cause::None;
    QString path; // the file it concerned
    FileOps::Result file = FileOps::Result::Ok; // how that file failed
    QString detail; // the refusing part's own words
    QString name; // the peña or member it concerned
    int record = 0; // the peña or draw written or deleted
    std::vector<Outcome> earlier; // warnings met on the way, said first
};
