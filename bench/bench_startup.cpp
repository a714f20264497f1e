// Start-up to an idle main window and the draw list load, with the real draw
// history (1,114 draws) and 60 syndicates. Prints the median of repeated runs.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_startup [runs]

#include "base/clock.h"
#include "core/session.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{
    double median(std::vector<double> v)
    {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : v[v.size() / 2];
    }

    void prepare(const QTemporaryDir &dir)
    {
        const auto draws = Fixtures::realDraws();
        Fixtures::writeFile(dir.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(draws));
        std::vector<SyndicateRecord> syndicates;
        for (int i = 0; i < 60; ++i) {
            auto s = Fixtures::simpleSyndicate(QStringLiteral("PEÑA %1").arg(i), {}, i % 10, QDate(2020, 1, 1).addDays(i * 30));
            s.kind = std::int16_t(1 + i % 24);
            for (int b = 0; b < s.kind; ++b)
                for (int k = 0; k < 5; ++k)
                    s.bets[std::size_t(b)][std::size_t(k)] = std::int16_t(1 + (b + k * 11 + i) % 54);
            syndicates.push_back(s);
        }
        Fixtures::writeFile(dir.filePath(QStringLiteral("apuestas.dat")), Fixtures::bytesOf(syndicates));
    }
}

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;

    QTemporaryDir dir;
    prepare(dir);
    FixedClock clock(QDate(2026, 8, 20));
    RecordingPrompter prompter;

    std::vector<double> startup, listLoad;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        Session session(clock, prompter);
        session.start(dir.path());
        MainWindow window(session);
        window.show();
        QApplication::processEvents();
        startup.push_back(double(timer.nsecsElapsed()) / 1e6);

        timer.restart();
        session.loadDrawList();
        QApplication::processEvents();
        listLoad.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("start-up to idle main window: first run %.1f ms, median %.1f ms over %d runs\n",
                startup.front(), median(startup), runs);
    std::printf("draw list load (1,114 draws, with the window's redraw): median %.2f ms\n", median(listLoad));
    return 0;
}
