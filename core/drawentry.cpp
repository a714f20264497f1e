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
    const QString kNothingChanged = QStringLiteral(" No se ha cambiado nada.");

    QString numbersText(const DrawRecord &draw)
    {
        QStringList numbers;
        for (std::int16_t n : draw.numbers)
            numbers << QString::number(n);
        return QStringLiteral("%1, clave %2").arg(numbers.join(QLatin1Char('-'))).arg(draw.clave);
    }

    bool sameDraw(const DrawRecord &a, const DrawRecord &b)
    {
        return a.numbers == b.numbers && a.clave == b.clave;
    }

    // What was refused, changing nothing.
    DrawEntry::Entered refused(const QString &text, Outcome::Command command = Outcome::Command::AddDraws)
    {
        DrawEntry::Entered entered;
        entered.outcome = Outcome::problem(command, text);
        return entered;
    }

    DrawEntry::Entered refusedReport(const QString &text)
    {
        return refused(text, Outcome::Command::PrizeReport);
    }

    QString lineText(int line)
    {
        return line > 0 ? QStringLiteral(" (línea %1)").arg(line) : QString();
    }
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

QString DrawEntry::drawProblem(const DrawRecord &draw, QDate today)
{
    const QDate date = OleDate::toDate(draw.date);
    if (!date.isValid())
        return QStringLiteral("la fecha no es válida");
    if (date < ServiceSource::kFirstDraw)
        return QStringLiteral("es anterior al primer sorteo, del %1").arg(shortSpanishDate(ServiceSource::kFirstDraw));
    if (date > today)
        return QStringLiteral("es posterior a hoy");
    if (!isDrawDay(date))
        return QStringLiteral("ese día (%1) no hay sorteo: se sortea en domingo (en sábado del 22/10/2005 al 01/07/2006)")
            .arg(diasemana(date).toLower());
    std::set<int> seen;
    for (std::int16_t n : draw.numbers) {
        if (n < 1 || n > 54)
            return QStringLiteral("los números deben ir del 1 al 54");
        if (!seen.insert(n).second)
            return QStringLiteral("el número %1 está repetido").arg(n);
    }
    if (draw.clave < 0 || draw.clave > 9)
        return QStringLiteral("la clave debe ir del 0 al 9");
    return {};
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
    if (answer.refused) {
        return refused(QStringLiteral("El texto no es una respuesta del servicio de resultados de Loterías y Apuestas: "
                                      "debe empezar por [ y ser la lista de sorteos que muestra el navegador.")
                       + kNothingChanged);
    }
    if (answer.duplicate.isValid()) {
        return refused(QStringLiteral("La respuesta trae dos veces el sorteo del %1: no se sabe cuál es el bueno.")
                           .arg(shortSpanishDate(answer.duplicate))
                       + kNothingChanged);
    }
    if (answer.firstInvalid.isValid()) {
        return refused(QStringLiteral("El sorteo del %1 no es válido (otro juego, un día sin sorteo, una fecha posterior a hoy, "
                                      "números fuera de 1 a 54 o repetidos, o una clave fuera de 0 a 9).")
                           .arg(shortSpanishDate(answer.firstInvalid))
                       + kNothingChanged);
    }
    if (answer.undatedInvalid) {
        return refused(QStringLiteral("Hay un sorteo cuya fecha no se puede leer o es anterior al primer sorteo (%1).")
                           .arg(shortSpanishDate(ServiceSource::kFirstDraw))
                       + kNothingChanged);
    }
    if (answer.draws.empty()) {
        return refused(QStringLiteral("La respuesta no trae ningún sorteo.") + kNothingChanged);
    }
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
        return refused(QStringLiteral("La línea %1 del fichero no es un sorteo: %2.").arg(read.badLine).arg(read.problem)
                       + kNothingChanged);
    }
    if (read.draws.empty()) {
        return refused(QStringLiteral("El fichero no trae ningún sorteo.") + kNothingChanged);
    }
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
        if (const QString problem = drawProblem(in.draw, today); !problem.isEmpty()) {
            return refused(QStringLiteral("El sorteo del %1%2 no se puede añadir: %3.")
                               .arg(date.isValid() ? shortSpanishDate(date) : QStringLiteral("?"), lineText(in.line), problem)
                           + kNothingChanged);
        }
        const auto [it, added] = wanted.emplace(date, in);
        if (!added && !sameDraw(it->second.draw, in.draw)) {
            return refused(QStringLiteral("El %1 aparece dos veces con números distintos%2 y%3.")
                               .arg(shortSpanishDate(date), lineText(it->second.line), lineText(in.line))
                           + kNothingChanged);
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
            return refused(QStringLiteral("Ya hay un sorteo guardado el %1 con otros números (%2); el que trae%3 es %4.")
                               .arg(shortSpanishDate(date), numbersText(stored->second), lineText(in.line), numbersText(in.draw))
                           + kNothingChanged);
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
    QStringList changed;
    for (const PrizeReport &report : reports) {
        if (report.status == PrizeReport::Status::Missing || wanted.count(report.date) == 0)
            continue;
        const PrizeReport before = reportFile.report(report.date);
        reportFile.put(report);
        if (reportFile.report(report.date) == before)
            continue;
        changed << shortSpanishDate(report.date);
        if (report.isFinal())
            ++reportsTaken;
    }

    // Reports go to disk before the draws they belong to. A failed save
    // leaves them as the file has them: not received.
    bool reportsLost = false;
    Outcome lostReports;
    if (!changed.isEmpty()) {
        if (const FileOps::Result saved = reportFile.save(); saved != FileOps::Result::Ok) {
            lostReports = Outcome::problem(Outcome::Command::AddDraws,
                                           QStringLiteral("No se han podido guardar en premios.json los informes de "
                                                          "premios del %1.\n")
                                                   .arg(changed.join(QStringLiteral(", ")))
                                               + fileErrorText(saved, reportFile.path()));
            lostReports.status = Outcome::Status::Failed;
            reportsTaken = 0;
            reportsLost = true;
        }
    }

    if (fresh.empty() && reportsLost) {
        outcome.outcome = lostReports;
        return outcome;
    }
    if (fresh.empty() && reportsTaken == 0) {
        outcome.outcome = Outcome::note(Outcome::Command::AddDraws,
                                        outcome.unchanged == 1
                                            ? QStringLiteral("Ese sorteo ya estaba guardado; no hay nada que añadir.")
                                            : QStringLiteral("Esos %1 sorteos ya estaban guardados; no hay nada que añadir.")
                                                  .arg(outcome.unchanged));
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
            Entered failed = refused(QStringLiteral("No se han podido guardar los sorteos; numeros.dat sigue como estaba.\n")
                                     + fileErrorText(result, drawPath));
            failed.outcome.status = Outcome::Status::Failed;
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

    QString text;
    if (fresh.size() == 1)
        text = QStringLiteral("Añadido el sorteo del %1").arg(shortSpanishDate(fresh.front().qdate()));
    else if (!fresh.empty())
        text = QStringLiteral("Añadidos %1 sorteos, del %2 al %3")
                   .arg(fresh.size())
                   .arg(shortSpanishDate(fresh.front().qdate()), shortSpanishDate(fresh.back().qdate()));
    if (reportsTaken > 0) {
        const QString reportsText = reportsTaken == 1 ? QStringLiteral("1 informe de premios")
                                                      : QStringLiteral("%1 informes de premios").arg(reportsTaken);
        text = text.isEmpty() ? QStringLiteral("Guardado %1").arg(reportsText)
                              : text + QStringLiteral(", con %1").arg(reportsText);
    }
    if (outcome.unchanged > 0)
        text += QStringLiteral(" (%1 ya estaba%2 guardado%2)").arg(outcome.unchanged).arg(outcome.unchanged == 1 ? "" : "n");
    outcome.outcome = Outcome::note(Outcome::Command::AddDraws, text + QLatin1Char('.'));
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
    if (std::find(stored.begin(), stored.end(), report.date) == stored.end()) {
        return refusedReport(QStringLiteral("No hay ningún sorteo guardado el %1: añada antes el sorteo.")
                                 .arg(report.date.isValid() ? shortSpanishDate(report.date) : QStringLiteral("?")));
    }
    for (int category = 1; category <= PrizeReport::kRows; ++category) {
        const PrizeRow &row = report.row(category);
        if (row.winners < 0 || row.winners > Cents::kMaxExact || row.prizeCents < 0 || row.prizeCents > Cents::kMaxExact) {
            return refusedReport(QStringLiteral("La categoría %1 del informe no es válida.").arg(category)
                                 + kNothingChanged);
        }
    }
    report.status = PrizeReport::Status::Final;
    report.source = PrizeReport::Source::Manual;
    if (const QString problem = PrizeBounds::problem(report); !problem.isEmpty()) {
        return refusedReport(QStringLiteral("El informe del %1 no es válido: %2.")
                                 .arg(shortSpanishDate(report.date), problem)
                             + kNothingChanged);
    }

    if (m_session.isReadOnly()) {
        Entered entered;
        entered.outcome = Outcome::problem(kCommand, m_session.readOnlyText(), Outcome::Cause::ReadOnly);
        return entered;
    }
    PrizeReportFile &file = m_session.prizeReports();
    if (!file.writable()) {
        return refusedReport(QStringLiteral("premios.json no se puede escribir.") + kNothingChanged);
    }
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
        return refusedReport(fileErrorText(saved, file.path()) + kNothingChanged);
    }
    // The money of every peña is priced again from the stored reports.
    m_session.updateStatus();
    Entered entered;
    entered.outcome = Outcome::note(kCommand, QStringLiteral("Guardado el informe de premios del %1.").arg(shortSpanishDate(report.date)));
    entered.reports = 1;
    return entered;
}
