#include "prizereportfile.h"

#include "cents.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace
{
    const QString kFormat = QStringLiteral("quorvale-premios");
    const QString kPending = QStringLiteral("pendiente");
    const QString kFinal = QStringLiteral("final");
    const QString kService = QStringLiteral("servicio");
    const QString kPages = QStringLiteral("paginas");
    const QString kManual = QStringLiteral("manual");
    // Days without a draw; a key older readers ignore.
    const QString kNoDraw = QStringLiteral("sinSorteo");

    bool isIsoDate(const QString &text, QDate *date)
    {
        *date = QDate::fromString(text, Qt::ISODate);
        return date->isValid() && text.size() == 10 && date->year() >= 1000;
    }

    // The classic page has no reintegro row.
    int rowsOf(PrizeReport::Source source)
    {
        return source == PrizeReport::Source::Pages ? PrizeReport::kRows - 1 : PrizeReport::kRows;
    }

    // A whole number from 0 to Cents::kMaxExact written as a JSON integer.
    std::optional<std::int64_t> exactCount(const QJsonValue &value)
    {
        if (!value.isDouble())
            return std::nullopt;
        const double d = value.toDouble();
        if (!(d >= 0) || d > double(Cents::kMaxExact))
            return std::nullopt;
        const qint64 n = value.toInteger(-1);
        if (n < 0 || double(n) != d)
            return std::nullopt;
        return n;
    }

    bool readRow(const QJsonValue &value, PrizeReport::Source source, PrizeReport *report, std::array<bool, 9> *seen)
    {
        if (!value.isObject())
            return false;
        const QJsonObject row = value.toObject();
        const auto category = exactCount(row.value(QLatin1String("categoria")));
        if (!category || *category < 1 || *category > rowsOf(source) || (*seen)[std::size_t(*category - 1)])
            return false;
        (*seen)[std::size_t(*category - 1)] = true;
        PrizeRow &out = report->row(int(*category));
        const QJsonValue winners = row.value(QLatin1String("ganadores"));
        if (source == PrizeReport::Source::Pages && winners.isNull()) {
            out.winners = PrizeRow::kUnknown;
        } else {
            const auto count = exactCount(winners);
            if (!count)
                return false;
            out.winners = *count;
        }
        const auto cents = exactCount(row.value(QLatin1String("centimos")));
        if (!cents)
            return false;
        out.prizeCents = *cents;
        return true;
    }

    bool readReport(const QJsonValue &value, PrizeReport *report)
    {
        if (!value.isObject())
            return false;
        const QJsonObject object = value.toObject();
        if (!isIsoDate(object.value(QLatin1String("fecha")).toString(), &report->date))
            return false;
        const QString status = object.value(QLatin1String("estado")).toString();
        if (status == kPending) {
            report->status = PrizeReport::Status::Pending;
            return true;
        }
        if (status != kFinal)
            return false;
        report->status = PrizeReport::Status::Final;
        const QString source = object.value(QLatin1String("origen")).toString();
        if (source == kService)
            report->source = PrizeReport::Source::Service;
        else if (source == kPages)
            report->source = PrizeReport::Source::Pages;
        else if (source == kManual)
            report->source = PrizeReport::Source::Manual;
        else
            return false;
        const QJsonValue rows = object.value(QLatin1String("categorias"));
        if (!rows.isArray())
            return false;
        std::array<bool, 9> seen {};
        for (const QJsonValue &row : rows.toArray()) {
            if (!readRow(row, report->source, report, &seen))
                return false;
        }
        for (int i = 0; i < rowsOf(report->source); ++i) {
            if (!seen[std::size_t(i)])
                return false;
        }
        if (report->source == PrizeReport::Source::Pages)
            report->row(PrizeReport::kReintegro) = {PrizeRow::kUnknown, PrizeRow::kUnknown};
        return true;
    }

    QJsonObject writeReport(const PrizeReport &report)
    {
        QJsonObject object;
        object.insert(QLatin1String("fecha"), report.date.toString(Qt::ISODate));
        if (report.status != PrizeReport::Status::Final) {
            object.insert(QLatin1String("estado"), kPending);
            return object;
        }
        object.insert(QLatin1String("estado"), kFinal);
        object.insert(QLatin1String("origen"), report.source == PrizeReport::Source::Pages ? kPages : report.source == PrizeReport::Source::Manual ? kManual
                                                                                                                                                   : kService);
        QJsonArray rows;
        for (int category = 1; category <= rowsOf(report.source); ++category) {
            const PrizeRow &row = report.row(category);
            QJsonObject out;
            out.insert(QLatin1String("categoria"), category);
            out.insert(QLatin1String("ganadores"),
                       row.winners == PrizeRow::kUnknown ? QJsonValue(QJsonValue::Null) : QJsonValue(qint64(row.winners)));
            out.insert(QLatin1String("centimos"), qint64(row.prizeCents));
            rows.append(out);
        }
        object.insert(QLatin1String("categorias"), rows);
        return object;
    }

    // Only figures the file can hold exactly are ever written.
    bool isWritable(const PrizeReport &report)
    {
        if (!report.date.isValid() || report.date.year() < 1000 || report.date.year() > 9999)
            return false;
        if (report.status != PrizeReport::Status::Final)
            return true;
        for (int category = 1; category <= rowsOf(report.source); ++category) {
            const PrizeRow &row = report.row(category);
            const bool winnersOk = (row.winners >= 0 && row.winners <= Cents::kMaxExact)
                || (row.winners == PrizeRow::kUnknown && report.source == PrizeReport::Source::Pages);
            if (!winnersOk || row.prizeCents < 0 || row.prizeCents > Cents::kMaxExact)
                return false;
        }
        return PrizeBounds::problem(report).isEmpty();
    }

}

PrizeReportFile::PrizeReportFile(FileOps &files)
    : m_files(files)
{
}

PrizeReportFile::Load PrizeReportFile::load(const QString &path)
{
    m_path = path;
    m_contents = {};
    const JsonDataFileLoad load = loadJsonDataFile(m_files, path, kMaxBytes, QString::fromLatin1(kRejectedName),
                                                   [this](const QByteArray &bytes, bool *newer) {
                                                       if (parse(bytes, &m_contents, newer))
                                                           return true;
                                                       m_contents = {};
                                                       return false;
                                                   });
    m_setAside = load.setAside;
    m_writable = load.writable;
    m_onDisk = m_contents;
    return load.outcome;
}

PrizeReport PrizeReportFile::report(QDate date) const
{
    const auto it = m_contents.reports.find(date);
    if (it != m_contents.reports.end())
        return it->second;
    PrizeReport missing;
    missing.date = date;
    return missing;
}

void PrizeReportFile::put(const PrizeReport &report)
{
    if (!report.date.isValid())
        return;
    const auto it = m_contents.reports.find(report.date);
    const bool haveFinal = it != m_contents.reports.end() && it->second.isFinal();
    if (report.status == PrizeReport::Status::Missing) {
        if (it != m_contents.reports.end() && !haveFinal && m_contents.doubtful.count(report.date) == 0)
            m_contents.reports.erase(it);
        return;
    }
    // The service's full report may take the place of the page's amounts;
    // nothing else replaces a final report.
    if (haveFinal
        && !(report.isFinal() && report.source == PrizeReport::Source::Service
             && it->second.source == PrizeReport::Source::Pages))
        return;
    if (!isWritable(report))
        return;
    m_contents.reports[report.date] = report;
    if (report.isFinal())
        m_contents.doubtful.erase(report.date);
}

bool PrizeReportFile::replace(const PrizeReport &report)
{
    if (!report.date.isValid() || !report.isFinal() || !isWritable(report))
        return false;
    m_contents.reports[report.date] = report;
    m_contents.doubtful.erase(report.date);
    return true;
}

void PrizeReportFile::remove(QDate date)
{
    m_contents.reports.erase(date);
    m_contents.doubtful.erase(date);
}

void PrizeReportFile::addNoDraw(QDate date)
{
    if (date.isValid() && date.year() >= 1000 && date.year() <= 9999)
        m_contents.noDraw.insert(date);
}

QString PrizeReportFile::problem(QDate date) const
{
    const auto it = m_contents.doubtful.find(date);
    return it == m_contents.doubtful.end() ? QString() : it->second.problem;
}

FileOps::Result PrizeReportFile::save()
{
    const FileOps::Result result = !m_writable || m_path.isEmpty() ? FileOps::Result::Failed
                                                                   : m_files.write(m_path, serialize(m_contents));
    if (result == FileOps::Result::Ok)
        m_onDisk = m_contents;
    else
        m_contents = m_onDisk;
    return result;
}

std::vector<PrizeReport> PrizeReportFile::all() const
{
    std::vector<PrizeReport> reports;
    reports.reserve(m_contents.reports.size());
    for (const auto &entry : m_contents.reports)
        reports.push_back(entry.second);
    return reports;
}

std::vector<QDate> PrizeReportFile::pendingSince(QDate from) const
{
    std::vector<QDate> dates;
    for (auto it = m_contents.reports.lower_bound(from); it != m_contents.reports.end(); ++it) {
        if (it->second.status == PrizeReport::Status::Pending)
            dates.push_back(it->first);
    }
    return dates;
}

QByteArray PrizeReportFile::serialize(const std::map<QDate, PrizeReport> &reports)
{
    Contents contents;
    contents.reports = reports;
    return serialize(contents);
}

QByteArray PrizeReportFile::serialize(const Contents &contents)
{
    QJsonArray list;
    for (const auto &[date, report] : contents.reports) {
        // A doubtful report stays as it was written until a final one comes.
        if (const auto kept = contents.doubtful.find(date); kept != contents.doubtful.end() && !report.isFinal())
            list.append(kept->second.entry);
        else if (isWritable(report) && report.status != PrizeReport::Status::Missing)
            list.append(writeReport(report));
    }
    QJsonObject root;
    root.insert(QLatin1String("formato"), kFormat);
    root.insert(QLatin1String("version"), kVersion);
    root.insert(QLatin1String("informes"), list);
    if (!contents.noDraw.empty()) {
        QJsonArray noDraw;
        for (const QDate &date : contents.noDraw)
            noDraw.append(date.toString(Qt::ISODate));
        root.insert(kNoDraw, noDraw);
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool PrizeReportFile::parse(const QByteArray &bytes, std::map<QDate, PrizeReport> *reports, bool *newer)
{
    Contents contents;
    const bool ok = parse(bytes, &contents, newer);
    *reports = std::move(contents.reports);
    return ok;
}

bool PrizeReportFile::parse(const QByteArray &bytes, Contents *contents, bool *newer)
{
    *contents = {};
    if (newer)
        *newer = false;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return false;
    const QJsonObject root = document.object();
    if (root.value(QLatin1String("formato")).toString() != kFormat)
        return false;
    const auto version = exactCount(root.value(QLatin1String("version")));
    if (!version || *version < 1)
        return false;
    if (*version > kVersion) {
        if (newer)
            *newer = true;
        return false;
    }
    const QJsonValue list = root.value(QLatin1String("informes"));
    if (!list.isArray())
        return false;
    for (const QJsonValue &value : list.toArray()) {
        PrizeReport report;
        if (!readReport(value, &report) || contents->reports.count(report.date) != 0) {
            *contents = {};
            return false;
        }
        // Figures no draw ever had (an older build kept whatever came, or
        // the file was edited): not taken, asked for again, not lost.
        if (const QString problem = PrizeBounds::problem(report); !problem.isEmpty()) {
            contents->doubtful[report.date] = {value.toObject(), problem};
            report.status = PrizeReport::Status::Pending;
        }
        contents->reports[report.date] = report;
    }
    const QJsonValue noDraw = root.value(kNoDraw);
    if (!noDraw.isUndefined()) {
        if (!noDraw.isArray()) {
            *contents = {};
            return false;
        }
        for (const QJsonValue &value : noDraw.toArray()) {
            QDate date;
            if (!isIsoDate(value.toString(), &date)) {
                *contents = {};
                return false;
            }
            contents->noDraw.insert(date);
        }
    }
    return true;
}
