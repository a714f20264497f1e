#include "drawentry.h"

#include "base/calendar.h"
#include "base/clock.h"
#include "base/prompter.h"
#include "session.h"
#include "status.h"
#include "store/cents.h"
#include "store/drawcsv.h"
#include "store/fileops.h"
#include "store/oledate.h"
#include "web/servicereader.h"
#include "web/servicesource.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <map>
#include <set>

namespace
{
    bool sameDraw(const DrawRecord &a, const DrawRecord &b)
    {
        return a.numbers == b.numbers && a.clave == b.clave;
    }

    // What was refused, changing nothing.
    DrawEntry::Entered refused(Outcome outcome)
    {
        DrawEntry::Entered entered;
        entered.outcome = std::move(outcome);
        return entered;
    }

    DrawEntry::Entered refused(Outcome::Cause cause, QDate date = {}, Outcome::Command command = Outcome::Command::AddDraws)
    {
        Outcome outcome = Outcome::refused(command, cause);
        outcome.date = date;
        return refused(std::move(outcome));
    }

    DrawEntry::Entered refusedReport(Outcome::Cause cause, QDate date = {})
    {
        return refused(cause, date, Outcome::Command::PrizeReport);
    }
}

DrawEntry::DrawEntry(Session &session)
    : DrawEntry(session, session.files())
{
}

DrawEntry::DrawEntry(Session &session, FileOps &files)
    : m_session(session)
    , m_files(files)
{
}

DrawEntry::TextKind DrawEntry::kindOf(QByteArrayView bytes)
{
    QByteArrayView text = bytes;
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    text = text.trimmed();
    if (text.isEmpty())
        return TextKind::Other;
    // Text: no control byte but the line ends and tabs.
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 && c != '\n' && c != '\r' && c != '\t')
            return TextKind::Other;
    }
    const char first = text.front();
    if (first == '[' || first == '{' || first == '"')
        return TextKind::ServiceAnswer;
    return (first >= '0' && first <= '9') || text.startsWith("date") || text.startsWith("fecha")
        ? TextKind::Csv
        : TextKind::Other;
}

Outcome DrawEntry::drawProblem(const DrawRecord &draw, QDate today)
{
    using Cause = Outcome::Cause;
    const QDate date = OleDate::toDate(draw.date);
    const auto refused = [date](Cause cause, int number = 0) {
        Outcome outcome = Outcome::refused(Outcome::Command::AddDraws, cause);
        outcome.date = date;
        outcome.record = number;
        return outcome;
    };
    if (!date.isValid())
        return refused(Cause::DrawDateInvalid);
    if (date < ServiceSource::kFirstDraw)
        return refused(Cause::DrawBeforeFirst);
    if (date > today)
        return refused(Cause::DrawAfterToday);
    if (!isDrawDay(date))
        return refused(Cause::DrawOffDay);
    std::set<int> seen;
    for (std::int16_t n : draw.numbers) {
        if (n < 1 || n > 54)
            return refused(Cause::DrawNumberOutOfRange);
        if (!seen.insert(n).second)
            return refused(Cause::DrawNumberRepeated, n);
    }
    if (draw.clave < 0 || draw.clave > 9)
        return refused(Cause::DrawKeyOutOfRange);
    return {Outcome::Status::Unchanged, Outcome::Command::AddDraws};
}

std::vector<QDate> DrawEntry::storedDates() const
{
    std::vector<QDate> dates;
    for (const DrawRecord &draw : m_session.draws().all())
        dates.push_back(draw.qdate());
    return dates;
}

QDate DrawEntry::suggestedDate() const
{
    const DrawStatus &status = m_session.drawStatus();
    if (!status.holeDates.empty())
        return status.holeDates.front();
    const QDate today = m_session.clock().today();
    const std::vector<QDate> stored = storedDates();
    if (!stored.empty()) {
        const std::vector<QDate> due = expectedDrawDates(stored.back(), today);
        if (!due.empty())
            return due.front();
    }
    QDate day = today;
    while (!isDrawDay(day) && day > ServiceSource::kFirstDraw)
        day = day.addDays(-1);
    return day;
}

QUrl DrawEntry::serviceAddress() const
{
    const QDate today = m_session.clock().today();
    const std::vector<QDate> stored = storedDates();
    std::vector<QDate> wanted;
    if (!stored.empty())
        wanted = expectedDrawDates(stored.back(), today);
    // Nothing due after the newest draw: the first hole, else the latest draw day.
    if (wanted.empty())
        wanted.push_back(suggestedDate());
    return ServiceSource::Request {wanted.front(), wanted.back()}.url(m_session.endpoints());
}

DrawEntry::Entered DrawEntry::addServiceAnswer(const QByteArray &json)
{
    const QDate today = m_session.clock().today();
    const ServiceAnswer answer = readServiceAnswer(json, ServiceSource::kFirstDraw, today, today);
    if (answer.refused)
        return refused(Outcome::Cause::NotAServiceAnswer);
    if (answer.duplicate.isValid())
        return refused(Outcome::Cause::AnswerDrawTwice, answer.duplicate);
    if (answer.firstInvalid.isValid())
        return refused(Outcome::Cause::AnswerDrawInvalid, answer.firstInvalid);
    if (answer.undatedInvalid)
        return refused(Outcome::Cause::AnswerDrawUndated);
    if (answer.draws.empty())
        return refused(Outcome::Cause::AnswerWithoutDraws);
    std::vector<Incoming> incoming;
    std::vector<PrizeReport> reports;
    QStringList doubtful;
    for (const ServiceDraw &draw : answer.draws) {
        incoming.push_back({draw.draw, 0});
        reports.push_back(draw.report);
        if (!draw.reportProblem.isEmpty())
            doubtful << QStringLiteral("El informe de premios del %1 no es válido (%2): queda pendiente.")
                            .arg(shortSpanishDate(draw.date), draw.reportProblem);
    }
    Entered entered = insert(std::move(incoming), reports);
    // The draws go in all the same; their reports wait for a sound one.
    if (!doubtful.isEmpty())
        entered.outcome.earlier.insert(entered.outcome.earlier.begin(),
                                       Outcome::problem(Outcome::Command::PrizeReport, doubtful.join(QLatin1Char('\n'))));
    return entered;
}

DrawEntry::Entered DrawEntry::addCsv(const QByteArray &csv)
{
    const DrawCsvRead read = readDrawCsv(csv);
    if (read.badLine > 0) {
        Outcome badLine = Outcome::problem(Outcome::Command::AddDraws, read.problem, Outcome::Cause::CsvLineRefused);
        badLine.count = read.badLine;
        return refused(std::move(badLine));
    }
    if (read.draws.empty())
        return refused(Outcome::Cause::CsvWithoutDraws);
    std::vector<Incoming> incoming;
    for (std::size_t i = 0; i < read.draws.size(); ++i)
        incoming.push_back({read.draws[i], read.lines[i]});
    return insert(std::move(incoming), {});
}

DrawEntry::Entered DrawEntry::addDraw(QDate date, const std::array<int, 5> &numbers, int key)
{
    DrawRecord draw;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        draw.numbers[i] = std::int16_t(std::clamp(numbers[i], -1, 99));
    draw.clave = std::int16_t(std::clamp(key, -1, 99));
    std::sort(draw.numbers.begin(), draw.numbers.end());
    draw.date = date.isValid() ? OleDate::fromDate(date) : 0.0;
    return insert({{draw, 0}}, {});
}

DrawEntry::Entered DrawEntry::insert(std::vector<Incoming> incoming, const std::vector<PrizeReport> &reports)
{
    const QDate today = m_session.clock().today();
    // Every draw is checked before anything is written.
    std::map<QDate, Incoming> wanted;
    for (const Incoming &in : incoming) {
        const QDate date = OleDate::toDate(in.draw.date);
        if (Outcome problem = drawProblem(in.draw, today); problem.status == Outcome::Status::Refused) {
            problem.count = in.line;
            return refused(std::move(problem));
        }
        const auto [it, added] = wanted.emplace(date, in);
        if (!added && !sameDraw(it->second.draw, in.draw)) {
            Outcome twice = Outcome::refused(Outcome::Command::AddDraws, Outcome::Cause::DrawTwiceDiffering);
            twice.date = date;
            twice.record = it->second.line;
            twice.count = in.line;
            return refused(std::move(twice));
        }
    }

    std::vector<DrawRecord> all = m_session.draws().all();
    std::map<QDate, DrawRecord> storedByDate;
    for (const DrawRecord &draw : all)
        storedByDate.emplace(draw.qdate(), draw);

    Entered outcome;
    std::vector<DrawRecord> fresh;
    for (const auto &[date, in] : wanted) {
        const auto stored = storedByDate.find(date);
        if (stored == storedByDate.end()) {
            fresh.push_back(in.draw);
            continue;
        }
        if (!sameDraw(stored->second, in.draw)) {
            Outcome differs = Outcome::refused(Outcome::Command::AddDraws, Outcome::Cause::DrawStoredDiffers);
            differs.date = date;
            differs.draws = {stored->second, in.draw};
            differs.count = in.line;
            return refused(std::move(differs));
        }
        ++outcome.unchanged;
    }

    if (!fresh.empty()) {
        if (Outcome check = m_session.writeCheck(m_session.draws().file(), Outcome::Command::AddDraws); !check.isDone()) {
            Entered entered;
            entered.outcome = check;
            return entered;
        }
    }

    // The reports of draws brought or already stored with the same numbers.
    PrizeReportFile &reportFile = m_session.prizeReports();
    int reportsTaken = 0;
    std::vector<QDate> changed;
    for (const PrizeReport &report : reports) {
        if (report.status == PrizeReport::Status::Missing || wanted.count(report.date) == 0)
            continue;
        const PrizeReport before = reportFile.report(report.date);
        reportFile.put(report);
        if (reportFile.report(report.date) == before)
            continue;
        changed.push_back(report.date);
        if (report.isFinal())
            ++reportsTaken;
    }

    // Reports go to disk before the draws they belong to. A failed save
    // leaves them as the file has them: not received.
    bool reportsLost = false;
    Outcome lostReports;
    if (!changed.empty()) {
        if (const FileOps::Result saved = reportFile.save(); saved != FileOps::Result::Ok) {
            lostReports = Outcome(Outcome::Status::Failed, Outcome::Command::AddDraws, Outcome::Cause::ReportsNotSaved);
            lostReports.dates = std::move(changed);
            lostReports.path = reportFile.path();
            lostReports.file = saved;
            reportsTaken = 0;
            reportsLost = true;
        }
    }

    if (fresh.empty() && reportsLost) {
        outcome.outcome = lostReports;
        return outcome;
    }
    if (fresh.empty() && reportsTaken == 0) {
        outcome.outcome = Outcome(Outcome::Status::Done, Outcome::Command::AddDraws, Outcome::Cause::AlreadyStored);
        outcome.outcome.count = outcome.unchanged;
        return outcome;
    }

    if (!fresh.empty()) {
        // In date order: each one goes after the last stored draw older than it.
        for (const DrawRecord &draw : fresh) {
            auto at = all.end();
            while (at != all.begin() && std::prev(at)->date > draw.date)
                --at;
            all.insert(at, draw);
        }
        QByteArray written;
        written.reserve(qsizetype(all.size()) * DrawRecord::kSize);
        for (const DrawRecord &draw : all)
            written += draw.toBytes();
        const QString drawPath = m_session.dataPath(Session::kDrawFile);
        const double newestBefore = all.size() > fresh.size() ? m_session.drawBuffer().date : 0.0;
        if (const FileOps::Result result = m_files.write(drawPath, written); result != FileOps::Result::Ok) {
            Entered failed = refused(Outcome::Cause::DrawsNotSaved);
            failed.outcome.status = Outcome::Status::Failed;
            failed.outcome.path = drawPath;
            failed.outcome.file = result;
            if (reportsLost)
                failed.outcome.earlier.push_back(lostReports);
            return failed;
        }
        m_session.draws().file().open(drawPath);
        // The saved draw page is an older draw's now: the report panel must
        // not show its amounts under the new draw's date.
        if (fresh.back().date > newestBefore)
            m_files.write(m_session.dataPath(Session::kDrawPage), {});
    }
    outcome.added = int(fresh.size());
    outcome.reports = reportsTaken;
    // The status scan recounts every peña over the draws now stored.
    m_session.updateStatus();
    m_session.refreshDraws();

    outcome.outcome = Outcome(Outcome::Status::Done, Outcome::Command::AddDraws, Outcome::Cause::DrawsAdded);
    for (const DrawRecord &draw : fresh)
        outcome.outcome.dates.push_back(draw.qdate());
    outcome.outcome.count = reportsTaken;
    outcome.outcome.record = outcome.unchanged;
    if (reportsLost) {
        // The files do not hold all that was brought.
        outcome.outcome.status = Outcome::Status::Incomplete;
        outcome.outcome.earlier.push_back(lostReports);
    }
    return outcome;
}

std::optional<PrizeReport> DrawEntry::readPrizeReportJson(const QByteArray &json, QDate date, QString *problem)
{
    const auto fail = [problem](const QString &why) -> std::optional<PrizeReport> {
        if (problem)
            *problem = why;
        return std::nullopt;
    };
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return fail(QStringLiteral("no es un objeto JSON como el que escribe prizes --json"));
    const QJsonObject object = document.object();
    PrizeReport report;
    report.date = date;
    if (const QJsonValue given = object.value(QLatin1String("date")); !given.isUndefined()) {
        const QDate written = QDate::fromString(given.toString(), Qt::ISODate);
        if (!written.isValid())
            return fail(QStringLiteral("la fecha \"date\" no es válida"));
        if (date.isValid() && written != date)
            return fail(QStringLiteral("es el informe del %1, no del %2").arg(shortSpanishDate(written), shortSpanishDate(date)));
        report.date = written;
    }
    if (!report.date.isValid())
        return fail(QStringLiteral("no dice de qué sorteo es"));
    if (const QJsonValue status = object.value(QLatin1String("status"));
        !status.isUndefined() && status.toString() != QLatin1String("final"))
        return fail(QStringLiteral("el informe no es definitivo (\"status\" no es \"final\")"));
    const QJsonValue rows = object.value(QLatin1String("rows"));
    if (!rows.isArray())
        return fail(QStringLiteral("faltan las categorías (\"rows\")"));
    std::array<bool, PrizeReport::kRows> seen {};
    const auto exact = [](const QJsonValue &value) -> std::optional<std::int64_t> {
        if (!value.isDouble())
            return std::nullopt;
        const double d = value.toDouble();
        const qint64 n = value.toInteger(-1);
        if (n < 0 || n > Cents::kMaxExact || double(n) != d)
            return std::nullopt;
        return n;
    };
    for (const QJsonValue &value : rows.toArray()) {
        const QJsonObject row = value.toObject();
        const auto category = exact(row.value(QLatin1String("category")));
        if (!category || *category < 1 || *category > PrizeReport::kRows)
            return fail(QStringLiteral("una categoría no va del 1 al 9"));
        if (seen[std::size_t(*category - 1)])
            return fail(QStringLiteral("la categoría %1 está repetida").arg(*category));
        seen[std::size_t(*category - 1)] = true;
        const auto winners = exact(row.value(QLatin1String("winners")));
        const auto cents = exact(row.value(QLatin1String("prizeCents")));
        if (!winners || !cents)
            return fail(QStringLiteral("en la categoría %1, \"winners\" y \"prizeCents\" deben ser números enteros "
                                       "no negativos")
                            .arg(*category));
        report.row(int(*category)) = {*winners, *cents};
    }
    for (int category = 1; category <= PrizeReport::kRows; ++category) {
        if (!seen[std::size_t(category - 1)])
            return fail(QStringLiteral("falta la categoría %1").arg(category));
    }
    report.status = PrizeReport::Status::Final;
    report.source = PrizeReport::Source::Manual;
    return report;
}

DrawEntry::Entered DrawEntry::setPrizeReport(PrizeReport report)
{
    Prompter &prompter = m_session.prompter();
    constexpr auto kCommand = Outcome::Command::PrizeReport;
    const std::vector<QDate> stored = storedDates();
    if (std::find(stored.begin(), stored.end(), report.date) == stored.end())
        return refusedReport(Outcome::Cause::NoDrawStored, report.date);
    for (int category = 1; category <= PrizeReport::kRows; ++category) {
        const PrizeRow &row = report.row(category);
        if (row.winners < 0 || row.winners > Cents::kMaxExact || row.prizeCents < 0 || row.prizeCents > Cents::kMaxExact) {
            Entered invalid = refusedReport(Outcome::Cause::ReportCategoryInvalid);
            invalid.outcome.record = category;
            return invalid;
        }
    }
    report.status = PrizeReport::Status::Final;
    report.source = PrizeReport::Source::Manual;
    if (const QString problem = PrizeBounds::problem(report); !problem.isEmpty()) {
        Entered outOfBounds = refusedReport(Outcome::Cause::ReportOutOfBounds, report.date);
        outOfBounds.outcome.detail = problem;
        return outOfBounds;
    }

    if (m_session.isReadOnly()) {
        Entered entered;
        entered.outcome = Outcome::problem(kCommand, m_session.readOnlyText(), Outcome::Cause::ReadOnly);
        return entered;
    }
    PrizeReportFile &file = m_session.prizeReports();
    if (!file.writable())
        return refusedReport(Outcome::Cause::ReportFileNotWritable);
    const PrizeReport before = file.report(report.date);
    if (before.isFinal() && before.source == PrizeReport::Source::Service) {
        if (!prompter.ask(QStringLiteral("Informe de premios"), QStringLiteral("El sorteo del %1 ya tiene el informe de premios del servicio de "
                                                                               "Loterías y Apuestas. ¿Quiere sustituirlo por el que ha escrito?")
                                                                    .arg(shortSpanishDate(report.date)))) {
            Entered declined;
            declined.outcome = Outcome::declined(kCommand);
            return declined;
        }
    }
    file.replace(report);
    if (const FileOps::Result saved = file.save(); saved != FileOps::Result::Ok) {
        // save() has put back what is on disk.
        Entered notSaved = refusedReport(Outcome::Cause::ReportNotSaved);
        notSaved.outcome.path = file.path();
        notSaved.outcome.file = saved;
        return notSaved;
    }
    // The money of every peña is priced again from the stored reports.
    m_session.updateStatus();
    Entered entered;
    entered.outcome = Outcome(Outcome::Status::Done, kCommand, Outcome::Cause::ReportSaved);
    entered.outcome.date = report.date;
    entered.reports = 1;
    return entered;
}
