#include "servicesource.h"

#include "base/calendar.h"

#include <QUrlQuery>

#include <algorithm>
#include <set>

namespace
{
    QString compactDate(QDate date)
    {
        return date.toString(QStringLiteral("yyyyMMdd"));
    }
}

QUrl ServiceSource::Request::url(const Endpoints &endpoints) const
{
    QUrl address;
    QString query;
    if (single()) {
        address.setPath(QStringLiteral("/servicios/fechav3"));
        query = QStringLiteral("game_id=ELGR&fecha_sorteo=%1").arg(compactDate(from));
    } else {
        address.setPath(QStringLiteral("/servicios/buscadorSorteos"));
        query = QStringLiteral("game_id=ELGR&celebrados=true&fechaInicioInclusiva=%1&fechaFinInclusiva=%2")
                    .arg(compactDate(from), compactDate(to));
    }
    address.setQuery(query);
    return endpoints.onOperatorSite(address);
}

ServiceSource::Plan ServiceSource::plan(QDate newestStored, QDate today, const std::vector<QDate> &reportsWanted,
                                        QDate reportsSince, const std::set<QDate> &knownNoDraw)
{
    Plan plan;
    const QDate after = newestStored.isValid() ? newestStored : today.addDays(-kFirstDays);
    plan.expected = expectedDrawDates(std::max(after, kFirstDraw.addDays(-1)), today);
    std::erase_if(plan.expected, [&knownNoDraw](QDate date) { return knownNoDraw.count(date) > 0; });
    if (!plan.expected.empty() && mayBePending(plan.expected.back(), today))
        plan.mayBePending = plan.expected.back();
    QDate reportsFrom = today.addDays(-kReportDays);
    if (reportsSince.isValid() && reportsSince < reportsFrom)
        reportsFrom = reportsSince;
    for (const QDate &date : reportsWanted) {
        if (date.isValid() && date >= reportsFrom && date <= after)
            plan.reports.push_back(date);
    }
    std::sort(plan.reports.begin(), plan.reports.end());
    plan.reports.erase(std::unique(plan.reports.begin(), plan.reports.end()), plan.reports.end());

    std::vector<QDate> wanted = plan.reports;
    wanted.insert(wanted.end(), plan.expected.begin(), plan.expected.end());
    if (wanted.size() <= kMaxSingleDates) {
        for (const QDate &date : wanted)
            plan.requests.push_back({date, date});
        return plan;
    }
    // Ranges of one year at most, each starting at the next wanted date, so
    // a stretch with nothing wanted is never asked for.
    for (std::size_t i = 0; i < wanted.size();) {
        const QDate from = wanted[i];
        const QDate to = std::min(from.addYears(1).addDays(-1), today);
        plan.requests.push_back({from, to});
        while (i < wanted.size() && wanted[i] <= to)
            ++i;
    }
    return plan;
}

bool ServiceSource::mayBePending(QDate date, QDate today)
{
    if (!date.isValid() || date > today || today > date.addDays(1))
        return false;
    // Only the newest due date: nothing due falls between it and today.
    return expectedDrawDates(date, today).empty();
}

std::vector<QDate> ServiceSource::missingDrawDates(QDate newestStored, QDate today, const std::vector<QDate> &noDraw)
{
    std::vector<QDate> missing;
    if (!newestStored.isValid())
        return missing;
    for (const QDate &date : expectedDrawDates(std::max(newestStored, kFirstDraw.addDays(-1)), today)) {
        if (std::find(noDraw.begin(), noDraw.end(), date) == noDraw.end() && !mayBePending(date, today))
            missing.push_back(date);
    }
    return missing;
}

bool ServiceSource::looksBlocked(const TransferResult &result)
{
    if (result.error == TransferResult::Error::HttpStatus
        && (result.httpStatus == 403 || result.httpStatus == 406 || result.httpStatus == 429))
        return true;
    // A block page may come with any status, 200 included.
    if (!result.body.contains('<'))
        return false;
    const QByteArray body = result.body.toLower();
    for (const char *mark : {"access denied", "pardon our interruption", "edgesuite"}) {
        if (body.contains(mark))
            return true;
    }
    return false;
}

ServiceAnswer ServiceSource::answerOf(const TransferResult &result, const Request &request, QDate today)
{
    if (result.ok())
        return readServiceAnswer(result.body, request.from, request.to, today);
    ServiceAnswer answer;
    // "Nothing on this date" comes as a 404 with an empty or JSON body; a
    // 404 page of HTML is the address gone, and nothing can be read from it.
    if (result.error == TransferResult::Error::HttpStatus && result.httpStatus == 404) {
        const QByteArray body = result.body.trimmed();
        answer.refused = !body.isEmpty() && readServiceAnswer(body, request.from, request.to, today).refused;
        return answer;
    }
    answer.refused = true;
    return answer;
}

ServiceSource::Outcome ServiceSource::conclude(const Plan &plan, const std::vector<ServiceAnswer> &answers,
                                               const std::map<QDate, DrawRecord> &stored)
{
    Outcome outcome;
    // Where new draws stop: the oldest invalid draw that may be a new one.
    QDate stop;
    const auto stopAt = [&stop](QDate date) {
        if (!stop.isValid() || date < stop)
            stop = date;
    };
    std::map<QDate, const ServiceDraw *> found;
    for (std::size_t i = 0; i < answers.size() && i < plan.requests.size(); ++i) {
        const ServiceAnswer &answer = answers[i];
        const Request &request = plan.requests[i];
        // An invalid draw of unknown date may be any of the range's.
        const QDate bound = answer.undatedInvalid ? request.from : answer.firstInvalid;
        if (!plan.expected.empty()) {
            if (answer.firstInvalid.isValid() && answer.firstInvalid >= plan.expected.front())
                stopAt(answer.firstInvalid);
            if (answer.undatedInvalid && request.to >= plan.expected.front())
                stopAt(std::max(request.from, plan.expected.front()));
        }
        for (const ServiceDraw &draw : answer.draws) {
            if (!plan.expected.empty() && draw.date >= plan.expected.front()) {
                found[draw.date] = &draw;
                continue;
            }
            // A stored draw: only its report is taken, and only when the
            // service's numbers are the stored ones.
            const auto it = stored.find(draw.date);
            if (draw.report.isFinal() && it != stored.end() && it->second == draw.draw
                && !(bound.isValid() && draw.date >= bound))
                outcome.reports.push_back(draw.report);
        }
    }

    // A Sunday without a draw is known to have had none only when fechav3,
    // asked for that very date, says so and a later draw is listed (a range
    // answer that leaves a Sunday out proves nothing by itself: the date is
    // then asked for on its own). Silence alone proves nothing: a service
    // that answers every request with nothing may simply not have the draws.
    const QDate newestFound = found.empty() ? QDate() : found.rbegin()->first;
    const auto askedAlone = [&](QDate date) {
        for (std::size_t i = 0; i < answers.size() && i < plan.requests.size(); ++i) {
            if (plan.requests[i].single() && plan.requests[i].from == date)
                return true;
        }
        return false;
    };
    const auto vouchedEmpty = [&](QDate date) {
        if (!newestFound.isValid() || date > newestFound)
            return false;
        for (std::size_t i = 0; i < answers.size() && i < plan.requests.size(); ++i) {
            const ServiceAnswer &answer = answers[i];
            if (plan.requests[i].single() && plan.requests[i].from == date && !answer.refused && answer.draws.empty()
                && !answer.holdsInvalid())
                return true;
        }
        return false;
    };
    // Left out of a range answer that lists a later draw.
    const auto leftOut = [&](QDate date) {
        for (std::size_t i = 0; i < answers.size() && i < plan.requests.size(); ++i) {
            const Request &request = plan.requests[i];
            const auto &draws = answers[i].draws;
            if (!request.single() && date >= request.from && date <= request.to && !answers[i].refused
                && !draws.empty() && draws.back().date > date)
                return true;
        }
        return false;
    };

    std::vector<PrizeReport> newReports;
    for (const QDate &date : plan.expected) {
        if (stop.isValid() && date >= stop) {
            outcome.invalid = true;
            break;
        }
        const auto it = found.find(date);
        if (it == found.end()) {
            if (date == plan.mayBePending) {
                outcome.pending = date;
                continue;
            }
            if (!vouchedEmpty(date)) {
                outcome.unvouched = date;
                break;
            }
            outcome.noDraw.push_back(date);
            continue;
        }
        outcome.newDraws.push_back(it->second->draw);
        newReports.push_back(it->second->report);
    }
    // The dates to ask for on their own, from where storing stopped up to
    // the first one no answer can settle.
    if (outcome.unvouched.isValid()) {
        for (const QDate &date : plan.expected) {
            if (date < outcome.unvouched || found.count(date) > 0 || date == plan.mayBePending || vouchedEmpty(date))
                continue;
            if ((stop.isValid() && date >= stop) || askedAlone(date) || !leftOut(date))
                break;
            outcome.toConfirm.push_back(date);
        }
    }
    outcome.reports.insert(outcome.reports.begin(), newReports.begin(), newReports.end());
    return outcome;
}
