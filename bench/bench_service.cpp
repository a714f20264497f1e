// Reading and checking a year's answer of the results service (53 draws with
// their reports), and the requests a year-long gap takes. Prints the median.
//
//   build/bench/bench_service [runs]

#include "base/calendar.h"
#include "support/fakeservice.h"
#include "web/servicesource.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 200;

    const QDate today(2026, 12, 8);
    const QDate from = today.addDays(-7 * 53 + 1); // 53 Sundays
    QJsonArray year; // newest first, as the service sends it
    const auto dates = expectedDrawDates(from.addDays(-1), today);
    for (auto it = dates.rbegin(); it != dates.rend(); ++it) {
        const int i = int(it - dates.rbegin());
        year.append(FakeService::draw(*it, {1 + i % 40, 42, 45, 47, 50 + i % 5}, i % 10));
    }
    const QByteArray body = QJsonDocument(year).toJson(QJsonDocument::Compact);

    std::vector<double> times;
    std::size_t draws = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        const ServiceAnswer answer = readServiceAnswer(body, from, today, today);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        draws = answer.draws.size();
    }
    std::sort(times.begin(), times.end());
    std::printf("year's answer: %zu draws with reports, %lld bytes, median %.3f ms, max %.3f ms over %d runs\n", draws,
                qlonglong(body.size()), times[times.size() / 2], times.back(), runs);

    for (int days : {365, 366, 400, 730}) {
        const auto plan = ServiceSource::plan(today.addDays(-days), today, {});
        std::printf("gap of %d days: %zu draws due, %zu requests\n", days, plan.expected.size(), plan.requests.size());
    }
    return 0;
}
