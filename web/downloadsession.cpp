#include "downloadsession.h"

#include "base/calendar.h"
#include "base/prompter.h"
#include "downloadhost.h"
#include "operatorsite.h"
#include "prizereport.h"
#include "resultsparser.h"
#include "store/cents.h"
#include "store/fileops.h"
#include "store/oledate.h"
#include "store/prizereportfile.h"

#include <QDir>
#include <QEventLoop>
#include <QSaveFile>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace
{
    const QString kRefusedTitle = QStringLiteral("Descarga rechazada");
    const QString kRefusedText = QStringLiteral(
        "El servidor de Loterías y Apuestas ha rechazado al programa (lo ha tomado por un robot); no es un fallo "
        "de su conexión a internet.");
    const QString kMissingTitle = QStringLiteral("Faltan sorteos");
    const QString kEmptyTitle = QStringLiteral("Fichero de datos vacío");
    const QString kEmptyText = QStringLiteral(
        "No hay ningún sorteo guardado. Añada primero el histórico de sorteos que viene con Quorvale; después, "
        "la descarga traerá sólo los sorteos que falten.");

    constexpr int kSearchDays = 50;
    constexpr int kMaxDrawsShown = 8;
    constexpr int kGiveUpTick = 5;
    constexpr int kTimeOutTick = 30;
    // A headless run never needs more: every fetch returns before its tick.
    constexpr int kMaxHeadlessTicks = kTimeOutTick + 10;

    // The operator's server failed the session: on its way (SlowServer,
    // DrawPageUnreachable), or before anything was brought (NotConnected).
    ::Outcome connectionFailed(::Outcome::Cause cause)
    {
        return {::Outcome::Status::Failed, ::Outcome::Command::Download, cause};
    }

    // Clears a flag when the scope ends, however it ends.
    struct FlagGuard
    {
        explicit FlagGuard(bool &flag)
            : m_flag(flag)
        {
            m_flag = true;
        }
        ~FlagGuard() { m_flag = false; }
        bool &m_flag;
    };
}

DownloadSession::DownloadSession(DownloadHost &host, WebTransfer &transfer, Endpoints endpoints, QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_transfer(transfer)
    , m_endpoints(std::move(endpoints))
{
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &DownloadSession::tick);
    // The bytes of the pages are told while they arrive.
    connect(&m_transfer, &WebTransfer::progress, this, [this](qint64 received, qint64) {
        if (m_countingBytes)
            m_host.bytesReceived(m_byteCount + received, false);
    });
}

DownloadSession::~DownloadSession() = default;

bool DownloadSession::isRunning() const
{
    return m_starting || m_timerOn || m_inTick;
}

QString DownloadSession::dataPath(const char *fileName) const
{
    return QDir(m_host.dataDir()).filePath(QString::fromLatin1(fileName));
}

bool DownloadSession::writePage(const char *fileName, const QByteArray &bytes) const
{
    DiskFileOps disk;
    return disk.write(dataPath(fileName), bytes) == FileOps::Result::Ok;
}

void DownloadSession::abandon()
{
    m_abandoned = true;
    setTimerEnabled(false);
}

void DownloadSession::setTimerEnabled(bool on)
{
    m_timerOn = on && !m_abandoned;
    on = m_timerOn;
    if (on && !m_manualTicks)
        m_timer.start();
    else
        m_timer.stop();
}

void DownloadSession::setStage(DownloadStage stage)
{
    m_stage = stage;
    m_host.stageReached(stage);
}

void DownloadSession::setActivity(DownloadActivity activity)
{
    m_activity = activity;
    m_host.activityChanged(activity);
}

void DownloadSession::tellBytes(bool complete)
{
    m_host.bytesReceived(m_byteCount, complete);
}

void DownloadSession::stopWithoutResult()
{
    setTimerEnabled(false);
    setStage(DownloadStage::None);
    setActivity(DownloadActivity::Kind::None);
    completeOutcome();
}

bool DownloadSession::start()
{
    if (!isRunning()) {
        m_refusal = {};
        m_result = {};
    }
    if (isRunning() || m_transfer.isBusy() || m_host.newsOpen())
        return false;

    const QDate today = m_host.today();
    m_outcome = {};
    m_reportFetched = false;
    m_host.drawsStored(0);
    m_host.stopPrizeAnimation();
    m_host.closeNews();
    m_parseFailed = false;
    m_endOfData = false;
    m_newDrawCount = 0;
    // Every session takes the page of its own newest listed draw.
    m_drawPagePath.clear();

    const QDate newest = OleDate::toDate(m_host.newestDraw().date);
    if (newest.isValid() && today < newest) {
        m_refusal = ::Outcome(::Outcome::Status::Refused, ::Outcome::Command::Download, ::Outcome::Cause::DateBehind);
        return false;
    }
    // Nothing is asked of the operator that could not be kept.
    if (::Outcome check = m_host.drawFileCheck(); !check.isDone()) {
        m_refusal = std::move(check);
        m_outcome.dataError = true;
        return false;
    }
    // With no draw stored there is no history to continue: the service
    // would be asked for every year since the game began, and a gap would be
    // left before whatever it gave. The shipped history comes first.
    if (m_host.drawFile().count() == 0) {
        m_outcome.noHistory = true;
        Prompter::WaysIn ways;
        ways.shippedHistory = true;
        ways.historyFile = m_host.shippedHistoryFile();
        m_outcome.wayIn = m_host.prompter().offerWaysIn(Prompter::Icon::Information, kEmptyTitle, kEmptyText, ways);
        return false;
    }

    FlagGuard starting(m_starting);
    m_abandoned = false;
    m_tickCount = 0;
    m_step = Step::Fetching;
    setStage(DownloadStage::Connecting);
    setActivity(DownloadActivity::Kind::Connecting);

    m_byteCount = 0;
    m_pageDrawDate = {};
    m_newestBefore = newest;
    m_serviceBlocked = false;
    m_noNewDraws = {};
    m_noDraw.clear();
    m_phase = Phase::Pages;
    if (m_source != Source::Pages) {
        if (startService()) {
            setTimerEnabled(true);
            return true;
        }
        if (m_source == Source::Service) {
            if (m_serviceBlocked) {
                refusedByOperator();
                return false;
            }
            m_result = connectionFailed(::Outcome::Cause::NotConnected);
            stopWithoutResult();
            m_outcome.connectionError = true;
            emit finished();
            return false;
        }
    }
    return fetchSearchPage();
}

bool DownloadSession::fetchSearchPage()
{
    m_phase = Phase::Pages;
    m_outcome.fromService = false;
    m_step = Step::Fetching;
    m_tickCount = 0;
    const QDate today = m_host.today();
    m_countingBytes = true;
    TransferResult result = m_transfer.fetch(OperatorSite::searchUrl(today.addDays(-kSearchDays), today, m_endpoints));
    m_countingBytes = false;
    if (!result.ok()) {
        // The classic pages are gone from the site: when the service
        // refused the program, that refusal is what the user must hear.
        if (m_serviceBlocked || ServiceSource::looksBlocked(result)) {
            refusedByOperator();
            return false;
        }
        m_result = connectionFailed(::Outcome::Cause::NotConnected);
        stopWithoutResult();
        m_outcome.connectionError = true;
        emit finished();
        return false;
    }
    m_page = std::move(result.body);
    m_byteCount += m_page.size();
    tellBytes();
    if (m_page.size() > 100)
        setActivity(DownloadActivity::Kind::Searching);
    m_step = Step::Fetched;
    setTimerEnabled(true);
    return true;
}

QDate DownloadSession::reportsSince() const
{
    const QDate wanted = m_host.reportsWantedSince();
    if (!m_reportsSince.isValid())
        return wanted;
    return wanted.isValid() && wanted < m_reportsSince ? wanted : m_reportsSince;
}

QDate DownloadSession::reportsFrom(QDate today) const
{
    const QDate usual = today.addDays(-ServiceSource::kReportDays);
    const QDate since = reportsSince();
    return since.isValid() && since < usual ? since : usual;
}

bool DownloadSession::startService()
{
    m_phase = Phase::Service;
    m_outcome.fromService = true;
    m_answers.clear();
    m_noDraw.clear();
    m_confirmAsked = false;
    m_storedForReports.clear();
    const QDate today = m_host.today();

    // The stored draws of the last 52 weeks without the service's complete
    // report: their reports are asked for again.
    std::vector<QDate> wanted;
    if (PrizeReportFile *reports = m_host.prizeReports()) {
        const QDate from = reportsFrom(today);
        const std::vector<DrawRecord> stored = m_host.storedDrawRecords();
        for (auto it = stored.rbegin(); it != stored.rend(); ++it) {
            const DrawRecord &draw = *it;
            const QDate date = OleDate::toDate(draw.date);
            if (!date.isValid() || date < from)
                break;
            if (!reports->report(date).isComplete()) {
                wanted.push_back(date);
                m_storedForReports[date] = draw;
            }
        }
    }
    const PrizeReportFile *reports = m_host.prizeReports();
    m_plan = ServiceSource::plan(m_newestBefore, today, wanted, reportsSince(),
                                 reports ? reports->noDrawDates() : std::set<QDate> {});
    if (m_plan.requests.empty()) {
        // Nothing due and nothing pending: the service has nothing to say.
        m_step = Step::Fetched;
        return true;
    }
    warmUp();
    return askService();
}

void DownloadSession::warmUp()
{
    // As a browser does, the site's front page first: the cookies it sets
    // stay with the transfer for the service's requests. Whatever it
    // answers, the service itself is asked next.
    m_countingBytes = false;
    m_transfer.fetch(m_endpoints.onOperatorSite(QUrl(QStringLiteral("/"))));
}

Prompter::WaysIn DownloadSession::waysIn() const
{
    Prompter::WaysIn ways;
    ways.byHand = true;
    ways.browserUrl = m_outcome.browserUrl;
    ways.historyFile = m_host.shippedHistoryFile();
    return ways;
}

void DownloadSession::refusedByOperator()
{
    stopWithoutResult();
    m_outcome.connectionError = true;
    m_outcome.blocked = true;
    m_outcome.wayIn = m_host.prompter().offerWaysIn(Prompter::Icon::Warning, kRefusedTitle, kRefusedText, waysIn());
    emit finished();
}

void DownloadSession::tellMissing()
{
    const auto &missing = m_outcome.missingDates;
    if (missing.empty()) {
        if (m_noNewDraws.cause != ::Outcome::Cause::None)
            m_host.tell(m_noNewDraws);
        m_noNewDraws = {};
        return;
    }
    m_noNewDraws = {};
    const QString text = missing.size() == 1
        ? QStringLiteral("Falta 1 sorteo (del %1).").arg(shortSpanishDate(missing.front()))
        : QStringLiteral("Faltan %1 sorteos (del %2 al %3).")
              .arg(missing.size())
              .arg(shortSpanishDate(missing.front()), shortSpanishDate(missing.back()));
    m_outcome.wayIn = m_host.prompter().offerWaysIn(
        Prompter::Icon::Warning, kMissingTitle,
        text + QStringLiteral(" El servidor no los ha dado todavía; puede añadirlos usted sin esperar."), waysIn());
}

bool DownloadSession::askService()
{
    const ServiceSource::Request &request = m_plan.requests[m_answers.size()];
    m_countingBytes = true;
    const TransferResult result = m_transfer.fetch(request.url(m_endpoints));
    m_countingBytes = false;
    m_tickCount = 0;
    ServiceAnswer answer = ServiceSource::answerOf(result, request, m_host.today());
    if (answer.refused && m_confirmAsked) {
        // A date asked for on its own after a range left it out: a refusal
        // settles nothing about it, and storing stops before it.
        m_answers.push_back(std::move(answer));
        m_step = Step::Fetched;
        return true;
    }
    if (answer.refused) {
        m_serviceBlocked = ServiceSource::looksBlocked(result);
        // Nothing of a refusing source is kept, not even its earlier answers;
        // only a fetch of older reports keeps the reports of stored draws
        // it already has, so that the next one goes on from there.
        if (reportsSince().isValid())
            keepStoredDrawReports();
        m_answers.clear();
        m_byteCount = 0;
        tellBytes();
        return false;
    }
    m_byteCount += result.body.size();
    tellBytes();
    m_answers.push_back(std::move(answer));
    setActivity({DownloadActivity::Kind::Searching, int(m_answers.size()), int(m_plan.requests.size())});
    m_step = Step::Fetched;
    return true;
}

void DownloadSession::blameTheDiskIfItFailed(ParseResult &parse) const
{
    const TypedRecordFile<DrawRecord> &drawFile = m_host.drawFile();
    if (drawFile.lastError() == FileOps::Result::Ok)
        return;
    // The answer was sound; the disk was not. Nothing was stored, and the
    // message says why instead of blaming the data.
    FileOps::Result cause = drawFile.lastError();
    if (!drawFile.isOpen() && drawFile.openResult() != FileOps::Result::Ok)
        cause = drawFile.openResult();
    parse.notice = ::Outcome(::Outcome::Status::Failed, ::Outcome::Command::Download, ::Outcome::Cause::NewDrawsNotSaved);
    parse.notice.file = cause;
    parse.notice.path = drawFile.path();
    parse.unreadable = ReportUnreadable {ReportUnreadable::Kind::NotSaved, QString(), cause, drawFile.path()};
}

void DownloadSession::announce(const ParseResult &parse)
{
    // A gap, and "no new draws", are told at the end, once it is known what
    // is still missing.
    if (parse.notice.cause != ::Outcome::Cause::None && !parse.historyGap) {
        if (parse.storedDraws == 0 && !parse.dataError)
            m_noNewDraws = parse.notice;
        else
            m_host.tell(parse.notice);
    }
    if (parse.parseFailed) {
        m_parseFailed = true;
        setTimerEnabled(false);
        m_host.prizeReportUnreadable(parse.unreadable.value_or(ReportUnreadable()));
    }
    if (parse.runStatusScan)
        m_host.updateStatus();
}

void DownloadSession::keepStoredDrawReports()
{
    if (m_answers.empty())
        return;
    std::vector<PrizeReport> kept;
    for (const PrizeReport &report : ServiceSource::conclude(m_plan, m_answers, m_storedForReports).reports) {
        if (m_storedForReports.count(report.date) > 0)
            kept.push_back(report);
    }
    storeReports(kept);
}

int DownloadSession::storeReports(const std::vector<PrizeReport> &reports, const std::vector<QDate> &noDraw,
                                  bool *saved)
{
    if (saved)
        *saved = true;
    PrizeReportFile *file = m_host.prizeReports();
    if (!file)
        return 0;
    int added = 0;
    std::vector<QDate> changed;
    for (const PrizeReport &report : reports) {
        const PrizeReport before = file->report(report.date);
        file->put(report);
        if (file->report(report.date) == before)
            continue;
        changed.push_back(report.date);
        if (report.isFinal())
            ++added;
    }
    std::vector<QDate> newNoDraw;
    for (const QDate &date : noDraw) {
        if (file->noDrawDates().count(date) == 0) {
            file->addNoDraw(date);
            newNoDraw.push_back(date);
        }
    }
    if (changed.empty() && newNoDraw.empty())
        return 0;
    if (const FileOps::Result result = file->save(); result != FileOps::Result::Ok) {
        // Nothing of it is kept, in memory either: the reports are pending
        // and asked for again, as the file says.
        if (saved)
            *saved = false;
        std::sort(changed.begin(), changed.end());
        auto &lost = m_outcome.reportsNotSaved;
        lost.insert(lost.end(), changed.begin(), changed.end());
        std::sort(lost.begin(), lost.end());
        lost.erase(std::unique(lost.begin(), lost.end()), lost.end());
        ::Outcome notSaved(::Outcome::Status::Failed, ::Outcome::Command::Download, ::Outcome::Cause::DownloadedReportsNotSaved);
        notSaved.dates = std::move(changed);
        notSaved.noDrawDates = std::move(newNoDraw);
        notSaved.file = result;
        notSaved.path = file->path();
        m_host.tell(notSaved);
        return 0;
    }
    return added;
}

void DownloadSession::tellDoubtfulReports()
{
    ::Outcome doubtful(::Outcome::Status::Refused, ::Outcome::Command::Download, ::Outcome::Cause::DoubtfulReports);
    for (const ServiceAnswer &answer : m_answers) {
        // A day with no detail: the answer listed it twice.
        if (answer.duplicate.isValid())
            doubtful.days.push_back({answer.duplicate, {}});
        for (const ServiceDraw &draw : answer.draws) {
            const bool wanted = m_storedForReports.count(draw.date) > 0
                || std::find(m_plan.expected.begin(), m_plan.expected.end(), draw.date) != m_plan.expected.end();
            if (wanted && !draw.reportProblem.isEmpty())
                doubtful.days.push_back({draw.date, draw.reportProblem});
        }
    }
    if (!doubtful.days.empty())
        m_host.tell(doubtful);
}

void DownloadSession::concludeService()
{
    m_tickCount = 0;
    setStage(DownloadStage::Analysing);
    m_step = Step::Stored;
    setActivity(DownloadActivity::Kind::Analysing);

    ServiceSource::Outcome service = ServiceSource::conclude(m_plan, m_answers, m_storedForReports);
    m_noDraw = service.noDraw;
    tellDoubtfulReports();

    // The reports go to disk before the draws: a report of a draw not
    // stored after all is harmless, a stored draw that never gets its
    // report asked for again is not. So do the days without a draw: one
    // that could not be kept would read as a hole once later draws are in.
    bool saved = true;
    const int savedReports = storeReports(service.reports, service.noDraw, &saved);
    m_outcome.storedReports += savedReports;
    if (!saved && !service.noDraw.empty()) {
        const double first = OleDate::fromDate(service.noDraw.front());
        std::erase_if(service.newDraws, [first](const DrawRecord &draw) { return draw.date > first; });
        if (!service.unvouched.isValid() || service.noDraw.front() < service.unvouched)
            service.unvouched = service.noDraw.front();
        m_noDraw.clear();
    }

    m_host.drawFile().clearError();
    const int stored = storeNewDraws(m_host.drawFile(), service.newDraws);
    ResultsPageScan scan;
    scan.draws = service.newDraws;
    for (auto it = service.newDraws.rbegin(); it != service.newDraws.rend(); ++it)
        scan.newDates.push_back(OleDate::toDate(it->date));
    scan.stop = service.invalid ? ResultsPageScan::Stop::InvalidDraw : ResultsPageScan::Stop::None;
    if (service.unvouched.isValid()) {
        // The draws before it are stored; with none, the user is told that
        // draws are missing, as for a page that cannot reach back.
        scan.stop = service.newDraws.empty() ? ResultsPageScan::Stop::HistoryGap : ResultsPageScan::Stop::InvalidDraw;
        scan.firstMissing = service.unvouched;
    }
    const bool writeFailed = stored < int(service.newDraws.size());
    ParseResult parse = concludeParse(std::move(scan), stored, writeFailed, m_host.today().year(),
                                      m_endpoints.supportEmail);
    blameTheDiskIfItFailed(parse);
    // No draw, but reports: the session did bring something.
    if (stored == 0 && savedReports > 0 && !parse.dataError
        && (parse.notice.cause == ::Outcome::Cause::NoNewDraws || parse.notice.cause == ::Outcome::Cause::PartialData)) {
        parse.notice = ::Outcome::done(::Outcome::Command::Download);
        parse.notice.cause = ::Outcome::Cause::ReportsSaved;
        parse.notice.count = savedReports;
    }
    m_newDrawCount = parse.newDrawCount;
    m_outcome.storedDraws = parse.storedDraws;
    m_outcome.dataError |= parse.dataError;
    for (int i = 0; i < stored; ++i)
        m_outcome.newDraws.push_back(OleDate::toDate(service.newDraws[std::size_t(i)].date));
    if (stored > 0) {
        m_host.drawsStored(stored);
        // The saved draw page is an older draw's now.
        writePage(kDrawPageFile, {});
    }
    announce(parse);
    tellBytes(true);
    // No draw page to fetch.
    m_step = Step::DrawPageDone;
}

void DownloadSession::tick()
{
    if (m_inTick || !m_timerOn)
        return;
    FlagGuard inTick(m_inTick);
    ++m_tickCount;

    // Guards for a transfer that has not come back; with the fetches
    // returning before the timer starts they stay quiet.
    if (m_tickCount == kGiveUpTick && m_activity.kind == DownloadActivity::Kind::Connecting) {
        stopWithoutResult();
        emit finished();
        return;
    }
    if (m_tickCount == kTimeOutTick && m_stage == DownloadStage::Connecting) {
        m_transfer.cancel();
        m_host.tell(connectionFailed(::Outcome::Cause::SlowServer));
        stopWithoutResult();
        m_outcome.connectionError = true;
    }

    if (m_phase == Phase::Service && m_step == Step::Fetched) {
        // One request per tick: the service is never asked more than once a
        // second.
        if (m_answers.size() < m_plan.requests.size()) {
            if (!askService()) {
                if (m_source == Source::Auto) {
                    fetchSearchPage();
                } else if (m_serviceBlocked) {
                    refusedByOperator();
                    return;
                } else {
                    m_result = connectionFailed(::Outcome::Cause::NotConnected);
                    stopWithoutResult();
                    m_outcome.connectionError = true;
                }
                if (!m_timerOn)
                    emit finished();
                return;
            }
            if (m_answers.size() < m_plan.requests.size())
                return;
        }
        if (!m_confirmAsked) {
            // Sundays a range answer left out while listing later draws are
            // asked for on their own, one a tick, before anything is stored.
            m_confirmAsked = true;
            const auto toConfirm = ServiceSource::conclude(m_plan, m_answers, m_storedForReports).toConfirm;
            for (const QDate &date : toConfirm)
                m_plan.requests.push_back({date, date});
            if (!toConfirm.empty())
                return;
        }
        concludeService();
    } else if (m_phase == Phase::Pages && !m_transfer.isBusy()) {
        parseSearchPage();
    }
    if (m_step == Step::Stored)
        fetchDrawPage();
    if (m_step == Step::DrawPageDone && !m_transfer.isBusy())
        m_step = Step::Finishing;
    if (m_step != Step::Finishing) {
        if (!m_timerOn)
            emit finished();
        return;
    }
    finish();
}

void DownloadSession::parseSearchPage()
{
    m_tickCount = 0;
    setStage(DownloadStage::Analysing);
    m_step = Step::Stored;
    // What the scanner reads is what was fetched, whether or not the copy on
    // disk could be replaced.
    writePage(kSearchPageFile, m_page);

    setActivity(DownloadActivity::Kind::Analysing);
    m_host.drawFile().clearError();
    ParseResult parse = parseResultsPage(m_page, m_host.drawFile(), m_host.today(), m_endpoints.supportEmail);
    blameTheDiskIfItFailed(parse);
    m_newDrawCount = parse.newDrawCount;
    m_drawPagePath = parse.scan.drawPagePath;
    m_endOfData = parse.scan.endOfData;
    m_outcome.storedDraws = parse.storedDraws;
    m_outcome.dataError |= parse.dataError;
    if (parse.storedDraws > 0)
        m_host.drawsStored(parse.storedDraws);
    std::vector<PrizeReport> pending;
    for (int i = 0; i < parse.storedDraws && i < int(parse.scan.draws.size()); ++i) {
        const QDate date = OleDate::toDate(parse.scan.draws[std::size_t(i)].date);
        m_outcome.newDraws.push_back(date);
        PrizeReport report;
        report.date = date;
        report.status = PrizeReport::Status::Pending;
        pending.push_back(report);
    }
    // The draw page is the newest listed draw's: its report belongs to the
    // newest stored draw only when every newer listed draw was stored.
    if (!parse.scan.drawPagePath.isEmpty()) {
        if (parse.scan.newDates.empty())
            m_pageDrawDate = m_newestBefore;
        else if (parse.storedDraws == int(parse.scan.newDates.size()))
            m_pageDrawDate = parse.scan.newDates.front();
    }
    storeReports(pending);
    announce(parse);
}

void DownloadSession::fetchDrawPage()
{
    m_step = Step::DrawPageDone;
    if (m_drawPagePath.isEmpty())
        return;
    m_countingBytes = true;
    TransferResult result = m_transfer.fetch(OperatorSite::drawPageUrl(m_drawPagePath, m_endpoints));
    m_countingBytes = false;
    if (!result.ok()) {
        // The draws are stored already: the session goes on without the
        // draw page, as when the search page names none, and the report
        // says its data is not there yet.
        m_host.tell(connectionFailed(::Outcome::Cause::DrawPageUnreachable));
        m_outcome.connectionError = true;
        tellBytes();
        return;
    }
    m_page = std::move(result.body);
    m_byteCount += m_page.size();
    tellBytes(true);
    m_tickCount = 0;
}

void DownloadSession::finish()
{
    setStage(DownloadStage::Analysing);
    setTimerEnabled(false);
    // The draw page, or the search page again when there is none; the
    // service leaves no page.
    const QByteArray drawPage = std::exchange(m_page, QByteArray());
    if (m_phase == Phase::Pages)
        writePage(kDrawPageFile, drawPage);

    if (m_parseFailed || m_endOfData) {
        m_outcome.dataError = true;
    } else {
        setStage(DownloadStage::Scrutinizing);
        m_host.scrutinizeSimpleSyndicates(m_newDrawCount);
        if (m_newDrawCount != 0) {
            m_newDrawCount = std::min(m_newDrawCount, kMaxDrawsShown);
            m_host.setDrawsToShow(m_newDrawCount);
        }
        setStage(DownloadStage::Refreshing);
        m_host.updateStatus();
        m_host.loadDrawList();

        const double newestDate = m_host.newestDraw().date;
        if (m_phase == Phase::Service) {
            PrizeReport report;
            if (const PrizeReportFile *reports = m_host.prizeReports())
                report = reports->report(OleDate::toDate(newestDate));
            m_host.showPrizeReport(storedPrizeReportView(report, newestDate));
        } else {
            PrizeReportRequest request;
            request.drawPage = drawPage;
            request.newestDrawDate = newestDate;
            request.documentFile = dataPath(kReportFile);
            request.download = true;
            request.pdfViewerAvailable = m_host.pdfViewerAvailable();
            request.endpoints = m_endpoints;
            const PrizeReportView view = buildPrizeReport(request, &m_transfer);
            m_reportFetched = view.reportFetched;
            m_outcome.reportMissing = !isPdfFile(request.documentFile);
            recordPagesReport(view);
            m_host.showPrizeReport(view);
        }
    }
    setActivity(DownloadActivity::Kind::Finished);
    setStage(DownloadStage::Finished);
    m_outcome.finished = true;
    completeOutcome();
    if (!m_parseFailed)
        tellMissing();
    emit finished();
}

void DownloadSession::recordPagesReport(const PrizeReportView &view)
{
    PrizeReportFile *reports = m_host.prizeReports();
    const QDate newest = OleDate::toDate(m_host.newestDraw().date);
    if (!reports || !m_pageDrawDate.isValid() || m_pageDrawDate != newest)
        return;
    PrizeReport report;
    report.date = newest;
    report.status = PrizeReport::Status::Final;
    report.source = PrizeReport::Source::Pages;
    for (int category = 1; category < PrizeReport::kReintegro; ++category) {
        const auto cents = Cents::parseGrouped(view.pageAmounts[std::size_t(category - 1)]);
        // A page without its amounts yet says nothing about the prizes.
        if (!cents)
            return;
        report.row(category) = {PrizeRow::kUnknown, *cents};
    }
    report.row(PrizeReport::kReintegro) = {PrizeRow::kUnknown, PrizeRow::kUnknown};
    if (reports->report(newest).isFinal())
        return;
    storeReports({report});
}

void DownloadSession::completeOutcome()
{
    const QDate today = m_host.today();
    const QDate newest = OleDate::toDate(m_host.newestDraw().date);
    std::vector<QDate> noDraw = m_noDraw;
    if (const PrizeReportFile *reports = m_host.prizeReports())
        noDraw.insert(noDraw.end(), reports->noDrawDates().begin(), reports->noDrawDates().end());
    m_outcome.missingDates = ServiceSource::missingDrawDates(m_host.drawFile().count() > 0 ? newest : QDate(), today,
                                                             noDraw);
    m_outcome.missing = int(m_outcome.missingDates.size());
    m_outcome.browserUrl.clear();
    if (!m_outcome.missingDates.empty())
        m_outcome.browserUrl = ServiceSource::Request {m_outcome.missingDates.front(), m_outcome.missingDates.back()}
                                   .url(m_endpoints);
    m_outcome.pendingReports.clear();
    const PrizeReportFile *reports = m_host.prizeReports();
    if (!reports)
        return;
    const QDate from = reportsFrom(today);
    const std::vector<DrawRecord> stored = m_host.storedDrawRecords();
    for (auto it = stored.rbegin(); it != stored.rend(); ++it) {
        const QDate date = OleDate::toDate(it->date);
        if (!date.isValid() || date < from)
            break;
        if (!reports->report(date).isComplete())
            m_outcome.pendingReports.insert(m_outcome.pendingReports.begin(), date);
    }
}

bool DownloadSession::runToCompletion()
{
    m_manualTicks = true;
    if (start()) {
        // The ticks keep their interval: the service is asked once a second
        // at most, as from the window.
        // Dates asked for on their own may lengthen the plan on the way.
        for (int i = 0; m_timerOn && i < kMaxHeadlessTicks + int(m_plan.requests.size()); ++i) {
            if (m_phase == Phase::Service) {
                QEventLoop pause;
                QTimer::singleShot(m_timer.interval(), &pause, &QEventLoop::quit);
                pause.exec();
            }
            tick();
        }
        if (m_timerOn) {
            m_transfer.cancel();
            stopWithoutResult();
            m_outcome.connectionError = true;
            emit finished();
        }
    }
    m_manualTicks = false;
    return m_outcome.succeeded();
}
