// The statistics and "Comprobar combinación" over the whole history (1,114
// draws, every draw with a final report), and the statistics tab redrawn
// when the period changes. Prints medians.
//
//   build/bench/bench_stats [runs]
//
// - every statistic of a window (numbers, keys, pairs, shapes), engine alone
//   and through the Session;
// - an 11-number multiple tried against every draw, engine alone and
//   through the Session (its reports looked up in premios.json's);
// - the tab's period switched between the last 10 draws and all of them:
//   counting, every page's models and charts (the 11-number bet tried again
//   on "Comprobar combinación"), and the repaint of the tab.

#include "base/clock.h"
#include "core/session.h"
#include "largecase.h"
#include "stats/figures.h"
#include "stats/trybet.h"
#include "store/cents.h"
#include "store/prizereportfile.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"
#include "ui/statisticstab.h"
#include "ui/statspages.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace
{
    double median(std::vector<double> v)
    {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : v[v.size() / 2];
    }

    template <typename Work>
    double timed(int runs, Work work)
    {
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer timer;
            timer.start();
            work();
            times.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        return median(times);
    }
}

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 25;

    const std::vector<DrawRecord> draws = Fixtures::realDraws();
    std::map<QDate, PrizeReport> kept = LargeCase::uniformReports(draws);
    std::vector<PrizeReport> reports;
    for (const DrawRecord &draw : draws)
        reports.push_back(kept[draw.qdate()]);
    const Stats::Bet eleven {{2, 9, 15, 22, 28, 33, 41, 47, 50, 52, 53}, 3};

    int sink = 0;
    const double figures = timed(runs, [&] { sink += Stats::compute(draws, Stats::Window::all()).pairs[0]; });
    const double tried = timed(runs, [&] { sink += int(Stats::tryBet(eleven, draws, reports).prized.size()); });

    QTemporaryDir dir;
    Fixtures::writeFile(dir.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(draws));
    Fixtures::writeFile(dir.filePath(QStringLiteral("premios.json")), PrizeReportFile::serialize(kept));
    FixedClock clock(QDate(2026, 8, 20));
    RecordingPrompter prompter;
    Session session(clock, prompter);
    session.start(dir.path());
    const double sessionFigures = timed(runs, [&] { sink += session.statistics(Stats::Window::all()).draws; });
    Stats::TryResult result;
    const double sessionTried = timed(runs, [&] { result = session.tryBet(eleven, Stats::Window::all()); });

    std::printf("every statistic, %zu draws:           median %.3f ms (through the Session %.3f ms)\n", draws.size(),
                figures, sessionFigures);
    std::printf("try, 11 numbers (462 bets) x %zu draws: median %.3f ms (through the Session %.3f ms; won %s)\n",
                draws.size(), tried, sessionTried, qPrintable(formatEuros(result.totals.wonCents)));

    StatisticsTab tab(session);
    tab.resize(1366, 700);
    tab.show();
    auto *period = tab.findChild<QComboBox *>(QStringLiteral("StatsWindow"));
    auto *pages = tab.findChild<QTabWidget *>(QStringLiteral("StatsPages"));
    auto *statsPages = tab.findChild<StatsPages *>();
    // The 11-number bet on "Comprobar combinación", tried again on each switch.
    auto *typed = tab.findChild<QLineEdit *>(QStringLiteral("TryNumbers"));
    typed->setText(QStringLiteral("2 9 15 22 28 33 41 47 50 52 53"));
    emit typed->textEdited(typed->text());
    for (int page : {1, 4, 5}) {
        pages->setCurrentIndex(page);
        QApplication::processEvents();
        std::vector<double> refresh, total;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer timer;
            timer.start();
            period->setCurrentIndex(i % 2 == 0 ? 0 : period->count() - 1);
            tab.repaint();
            total.push_back(double(timer.nsecsElapsed()) / 1e6);
            refresh.push_back(double(statsPages->lastRefreshNs()) / 1e6);
        }
        std::printf("period switched on page %-22s median %.2f ms to count and fill the pages, %.2f ms with the repaint\n",
                    qPrintable(pages->tabText(page) + QLatin1Char(':')), median(refresh), median(total));
    }
    return sink == -1 ? 1 : 0;
}
