// quorvale-cli check --json over the whole history: 1,100 draws, 60 peñas,
// "Histórico" ticked (about 1.5 million rows), written to /dev/null. Prints
// the median of repeated runs of the whole process, and of `status` on the
// same data (start-up and the scrutiny of the newest draw), which every
// command pays.
//
//   build/bench/bench_check [runs] [--data DIR] [OTHER_QUORVALE_CLI ...]
//
// Other programs (other builds of quorvale-cli) are timed in turn on the
// same data, for a before-and-after figure. --data keeps the case in DIR,
// to compare the outputs of two builds.

#include "largecase.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
    double median(std::vector<double> v)
    {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : v[v.size() / 2];
    }

    double runMs(const QString &program, const QStringList &arguments, int *exitCode)
    {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer timer;
        timer.start();
        process.start(program, arguments);
        process.waitForFinished(-1);
        const double elapsed = double(timer.nsecsElapsed()) / 1e6;
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return elapsed;
    }
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    QStringList programs = {QStringLiteral(QUORVALE_CLI)};
    QString kept;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--data") == 0 && i + 1 < argc)
            kept = QString::fromLocal8Bit(argv[++i]);
        else
            programs << QString::fromLocal8Bit(argv[i]);
    }

    QTemporaryDir temporary;
    const QString data = kept.isEmpty() ? temporary.path() : kept;
    QDir().mkpath(data);
    LargeCase::prepare(data);
    const QStringList check = {QStringLiteral("--data-dir"), data, QStringLiteral("check"), QStringLiteral("--historico"),
                               QStringLiteral("--draws"), QString::number(LargeCase::kDraws), QStringLiteral("--json")};
    const QStringList status = {QStringLiteral("--data-dir"), data, QStringLiteral("status")};

    std::vector<std::vector<double>> checkTimes(std::size_t(programs.size())), statusTimes(std::size_t(programs.size()));
    int code = 0;
    // Interleaved, so that a busy moment of the machine weighs on both alike.
    for (int i = 0; i < runs; ++i) {
        for (qsizetype p = 0; p < programs.size(); ++p) {
            checkTimes[std::size_t(p)].push_back(runMs(programs[p], check, &code));
            if (code != 0)
                std::fprintf(stderr, "%s check: exit %d\n", qUtf8Printable(programs[p]), code);
            statusTimes[std::size_t(p)].push_back(runMs(programs[p], status, &code));
        }
    }
    for (qsizetype p = 0; p < programs.size(); ++p) {
        const double whole = median(checkTimes[std::size_t(p)]);
        const double start = median(statusTimes[std::size_t(p)]);
        std::printf("%s\n  check --json > /dev/null: median %7.1f ms over %d runs (status alone %6.1f ms)\n",
                    qUtf8Printable(programs[p]), whole, runs, start);
    }
    return 0;
}
