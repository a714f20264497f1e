#pragma once

#include "fileops.h"
#include "jsondatafile.h"
#include "prizereport.h"

#include <QDate>
#include <QJsonObject>
#include <QString>

#include <map>
#include <set>
#include <vector>

// Every stored draw's prize report, kept beside numeros.dat in premios.json
// (format in docs/premios.md). The file is read whole at start-up and
// rewritten whole, atomically, after each change; numeros.dat is never
// touched from here. A file that cannot be understood is set aside under
// premios.invalido (.2, .3 ... never over an earlier copy) and an empty
// set of reports takes its place. A final report whose figures cannot be
// real (PrizeBounds) is taken as pending, and kept in the file as written
// until a sound one takes its place. What is held in memory is what is on
// disk: a save that fails takes back every change made since the last one.
class PrizeReportFile
{
public:
    static constexpr const char *kFileName = "premios.json";
    static constexpr const char *kRejectedName = "premios.invalido";
    static constexpr int kVersion = 1;

    // Ok (read, or absent: no report yet), SetAside (damaged: moved to
    // setAsidePath(), starting empty) or Unusable (left alone, writes refused).
    using Load = JsonDataFileLoad::Outcome;
    // More than any real history needs; a larger file is not read into memory.
    static constexpr qint64 kMaxBytes = 16 * 1024 * 1024;

    explicit PrizeReportFile(FileOps &files);

    Load load(const QString &path);
    QString path() const { return m_path; }
    // Where a damaged file was moved by the last load().
    QString setAsidePath() const { return m_setAside; }
    bool writable() const { return m_writable; }

    // The report of the draw of date: status Missing when none is kept.
    PrizeReport report(QDate date) const;
    // Adds or replaces in memory; save() writes. A Final report is never
    // replaced by a Pending or Missing one.
    void put(const PrizeReport &report);
    // A final report that takes the place of whatever is kept for its draw,
    // final or not (the user's own, once confirmed). False when it is not a
    // whole final report.
    bool replace(const PrizeReport &report);
    // Forgets the reports of draws no longer stored (after a deletion).
    void remove(QDate date);
    // Writes the whole file through the one checked write path. On failure
    // the reports, and the days without a draw, are again those on disk.
    FileOps::Result save();

    // Why the final report stored for date is not taken (empty when it is,
    // or when none is stored): figures out of PrizeBounds.
    QString problem(QDate date) const;

    // Draw days the results service said had no draw although it listed a
    // later one: never asked for again, and no hole in the history.
    const std::set<QDate> &noDrawDates() const { return m_contents.noDraw; }
    // Adds in memory; save() writes.
    void addNoDraw(QDate date);

    // Oldest first.
    std::vector<PrizeReport> all() const;
    // Draws dated from `from` on whose report is still pending, oldest first.
    std::vector<QDate> pendingSince(QDate from) const;

    // The file's text and its reading back, for tests and fuzzing. parse()
    // is false for anything that is not a whole, valid file of this format;
    // *newer is set when the file says it is of a later version.
    static QByteArray serialize(const std::map<QDate, PrizeReport> &reports);
    static bool parse(const QByteArray &bytes, std::map<QDate, PrizeReport> *reports, bool *newer = nullptr);

    // A stored final report whose figures cannot be real, as written.
    struct Doubtful
    {
        QJsonObject entry;
        QString problem;
    };
    struct Contents
    {
        std::map<QDate, PrizeReport> reports;
        std::map<QDate, Doubtful> doubtful;
        std::set<QDate> noDraw;
    };
    static QByteArray serialize(const Contents &contents);
    static bool parse(const QByteArray &bytes, Contents *contents, bool *newer = nullptr);

private:
    FileOps &m_files;
    QString m_path;
    QString m_setAside;
    bool m_writable = true;
    Contents m_contents;
    // What the file holds: the last load or save that worked.
    Contents m_onDisk;
};
