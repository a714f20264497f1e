// Scanning a 300 KB search page that lists 8 new draws among 10, and the
// same parse with the draws stored into a draw file. Prints the medians.
//
//   build/bench/bench_parser [runs]

#include "store/oledate.h"
#include "support/searchpages.h"
#include "web/resultsparser.h"

#include <QCoreApplication>
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

    // Styles and scripts ahead of the list, as a heavy page carries them:
    // every scan crosses them.
    QByteArray filler(qsizetype bytes)
    {
        QByteArray out;
        for (int i = 0; out.size() < bytes; ++i)
            out += ".bloque-" + QByteArray::number(i) + " { margin: 0 4px; padding: 2px; color: #333; }\n";
        return out;
    }
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 200;

    const QDate newest(2026, 12, 6);
    QByteArray page = SearchPages::build(SearchPages::weekly(newest, 10));
    const qsizetype list = page.indexOf("<section");
    page.insert(list, "<style>\n" + filler(300 * 1024 - page.size() - 20) + "</style>\n");
    const double storedNewest = OleDate::fromDate(newest.addDays(-7 * 8));

    const ResultsPageScan check = scanResultsPage(page, storedNewest, newest);
    if (check.draws.size() != 8 || check.stop != ResultsPageScan::Stop::None) {
        std::fprintf(stderr, "unexpected scan: %zu draws\n", check.draws.size());
        return 1;
    }

    std::vector<double> scanTimes, parseTimes;
    QTemporaryDir dir;
    const QString drawPath = dir.filePath(QStringLiteral("numeros.dat"));
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const ResultsPageScan scan = scanResultsPage(page, storedNewest, newest);
        scanTimes.push_back(timer.nsecsElapsed() / 1e6);
        if (scan.draws.size() != 8)
            return 1;

        QFile::remove(drawPath);
        TypedRecordFile<DrawRecord> file;
        file.open(drawPath);
        DrawRecord old;
        old.date = storedNewest;
        file.put(1, old);
        timer.restart();
        const ParseResult result = parseResultsPage(page, file, newest, QString());
        parseTimes.push_back(timer.nsecsElapsed() / 1e6);
        if (result.storedDraws != 8)
            return 1;
    }
    std::printf("page %lld bytes, 8 new draws of 10 listed, %d runs\n", static_cast<long long>(page.size()), runs);
    std::printf("scan (median):           %.3f ms\n", median(scanTimes));
    std::printf("scan and store (median): %.3f ms\n", median(parseTimes));
    return 0;
}
