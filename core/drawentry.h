#pragma once

#include "store/drawrecord.h"
#include "store/outcome.h"
#include "store/prizereport.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QUrl>

#include <array>
#include <optional>
#include <vector>

class FileOps;
class Session;

// Draws and prize reports brought in without the download: the results
// service's answer saved or pasted from a browser, a CSV file, a draw typed
// by hand, a prize report typed by hand. Every draw is checked as the
// download checks the service's (a draw day from the first draw up to
// today, five distinct numbers 1 to 54, a key 0 to 9); a date already stored
// with the same numbers is left as it is, with other numbers it stops the
// whole operation with nothing changed. The draws go in date order, so an
// older one fills a hole; the whole new numeros.dat goes through the checked
// write path, and the peñas are recounted by the status scan that follows.
// What happened comes back as an outcome for the front end to show; the
// Prompter only asks.
class DrawEntry
{
public:
    // Files written through the Session's FileOps, or through files (a test's).
    explicit DrawEntry(Session &session);
    DrawEntry(Session &session, FileOps &files);

    struct Entered
    {
        // Done when the files hold what was brought (or already did), with
        // what was added in its words; Declined when a question was answered
        // No; else why not. Doubtful reports of the draws are said first.
        ::Outcome outcome {::Outcome::Status::Refused, ::Outcome::Command::AddDraws};
        int added = 0; // draws inserted
        int unchanged = 0; // already stored with the same numbers
        int reports = 0; // prize reports stored
        bool done() const { return outcome.isDone(); }
    };

    enum class TextKind
    {
        ServiceAnswer,
        Csv,
        Other
    };
    // What a file or a pasted text looks like: JSON, CSV lines, or neither
    // (a numeros.dat, for one).
    static TextKind kindOf(QByteArrayView bytes);

    // The service's answer (one date's or a range's) as a browser shows it.
    Entered addServiceAnswer(const QByteArray &json);
    // The lines `export` writes, or their like (see readDrawCsv).
    Entered addCsv(const QByteArray &csv);
    // One draw typed by hand; the numbers in any order.
    Entered addDraw(QDate date, const std::array<int, 5> &numbers, int key);

    // A prize report typed by hand for a stored draw, stored as final with
    // origin "manual". It takes the place of a pending report, of none, of
    // the pages' amounts or of an earlier one typed by hand; of the
    // service's report only when the user says Yes.
    Entered setPrizeReport(PrizeReport report);

    // The object `prizes --date D --json` writes: {"date", "status", "rows":
    // [{"category": 1..9, "winners": N, "prizeCents": N}]}, every category
    // once. nullopt, with *problem in Spanish, for anything else, or when
    // its date is not `date`.
    static std::optional<PrizeReport> readPrizeReportJson(const QByteArray &json, QDate date, QString *problem);

    // Why a draw cannot be a real one, checked against today and the game's
    // first draw: Refused (AddDraws) with the cause and the draw's date (the
    // repeated number in record), else of no cause. Wording::drawProblemText
    // says it on its own.
    static ::Outcome drawProblem(const DrawRecord &draw, QDate today);

    // What a form offers first: the oldest draw day missing inside the
    // stored history, else the first one due after the newest stored draw,
    // else the latest draw day up to today.
    QDate suggestedDate() const;

    // The results service's address, for a browser, of the draws still to
    // bring: those due after the newest stored draw, else the first hole,
    // else the latest draw day.
    QUrl serviceAddress() const;

    // Stored draws, oldest first, for the forms that pick one.
    std::vector<QDate> storedDates() const;

private:
    struct Incoming
    {
        DrawRecord draw;
        int line = 0; // where it was read, 0 when typed
    };
    Entered insert(std::vector<Incoming> incoming, const std::vector<PrizeReport> &reports);

    Session &m_session;
    FileOps &m_files;
};
