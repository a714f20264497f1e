// The scrutiny at its largest: 1,100 draws, 50 simple syndicates of 24 bets
// and 10 multiple bets of 11 numbers, "Histórico" ticked, every draw shown
// (about 1.5 million rows). Prints medians of repeated runs.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_scrutiny [runs] [--no-baseline]
//
// - the passes alone (engine, records in memory);
// - the same through the session (files read, changed records written);
// - the window: scroll bar to every draw, model reset and first paint of
//   ListView2, and the memory that adds;
// - the naive baseline: the same rows as a QStandardItemModel in a view;
// - quorvale-cli check --json --historico --draws 1100: time and peak memory.

#include "base/clock.h"
#include "core/session.h"
#include "largecase.h"
#include "scrutiny/passes.h"
#include "store/oledate.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QProcess>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace
{
    using namespace LargeCase;

    double median(std::vector<double> v)
    {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : v[v.size() / 2];
    }

    double ms(const QElapsedTimer &timer) { return double(timer.nsecsElapsed()) / 1e6; }

    // Resident memory of this process in MB.
    double residentMb()
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return 0;
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
        }
        return 0;
    }

}

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    int runs = 7;
    bool baseline = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-baseline") == 0)
            baseline = false;
        else
            runs = std::max(1, atoi(argv[i]));
    }

    QTemporaryDir dir;
    prepare(dir.path());
    FixedClock clock(QDate(2026, 8, 20));
    RecordingPrompter prompter;

    // The window first, while this process has taken no memory for rows yet.
    // --- the window -------------------------------------------------------
    {
        Session session(clock, prompter);
        session.start(dir.path());
        MainWindow window(session);
        window.show();
        QApplication::processEvents();
        auto *list = window.findChild<QTableView *>(QStringLiteral("ListView2"));
        auto *scroll = window.findChild<QScrollBar *>(QStringLiteral("HScroll1"));
        window.findChild<QCheckBox *>(QStringLiteral("Check1"))->click();
        QApplication::processEvents();

        std::vector<double> times, growth;
        for (int i = 0; i < runs; ++i) {
            scroll->setValue(1);
            QApplication::processEvents();
            const double before = residentMb();
            QElapsedTimer timer;
            timer.start();
            scroll->setValue(scroll->maximum()); // pass, model reset
            list->repaint(); // first paint
            times.push_back(ms(timer));
            growth.push_back(residentMb() - before);
        }
        // The first time counts for memory: later runs reuse what it took.
        std::printf("window: every draw shown (pass + model + first paint): first %.1f ms, median %.1f ms; "
                    "memory +%.0f MB the first time, for %d rows\n",
                    times.front(), median(times), growth.front(), list->model()->rowCount());
    }

    // --- the passes alone -------------------------------------------------
    qsizetype simpleRows = 0, multipleRows = 0;
    {
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            Scrutiny::Pass pass;
            pass.draws = draws();
            pass.syndicates = syndicates();
            pass.historico = true;
            ResultList simple(ResultList::Layout::Simple), multiple(ResultList::Layout::Multiple);
            QElapsedTimer timer;
            timer.start();
            if (Scrutiny::scrutinizeSimpleSyndicates(pass, kDraws, simple))
                Scrutiny::scrutinizeMultipleSyndicates(pass, kDraws, multiple);
            times.push_back(ms(timer));
            simpleRows = simple.rowCount();
            multipleRows = multiple.rowCount();
        }
        std::printf("rows: %lld simple + %lld multiple = %lld (row size %zu bytes)\n", qlonglong(simpleRows),
                    qlonglong(multipleRows), qlonglong(simpleRows + multipleRows), sizeof(ResultRow));
        std::printf("passes, records in memory:             median %7.1f ms over %d runs\n", median(times), runs);
    }

    // --- through the session ----------------------------------------------
    {
        Session session(clock, prompter);
        session.start(dir.path());
        session.setHistorico(true);
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            session.setDrawsToShow(1);
            QElapsedTimer timer;
            timer.start();
            session.scrutinizeSimpleSyndicates(kDraws);
            times.push_back(ms(timer));
        }
        std::printf("passes through the session (files):    median %7.1f ms\n", median(times));
    }

    // --- quorvale-cli check --json ------------------------------------------
    {
        const QString out = dir.filePath(QStringLiteral("check.json"));
        QProcess cli;
        cli.setStandardOutputFile(out);
        QElapsedTimer timer;
        timer.start();
        cli.start(QStringLiteral(QUORVALE_CLI), {QStringLiteral("--data-dir"), dir.path(), QStringLiteral("check"), QStringLiteral("--historico"), QStringLiteral("--draws"), QString::number(kDraws), QStringLiteral("--json")});
        cli.waitForFinished(-1);
        const double elapsed = ms(timer);
        rusage usage {};
        getrusage(RUSAGE_CHILDREN, &usage);
        std::printf("quorvale-cli check --json (whole run):  %7.1f ms, peak %.0f MB, %.0f MB written, exit %d\n", elapsed,
                    double(usage.ru_maxrss) / 1024.0, double(QFileInfo(out).size()) / 1e6, cli.exitCode());
    }

    // --- the naive baseline -------------------------------------------------
    if (baseline) {
        Scrutiny::Pass pass;
        pass.draws = draws();
        pass.syndicates = syndicates();
        pass.historico = true;
        ResultList rows(ResultList::Layout::Simple);
        Scrutiny::scrutinizeSimpleSyndicates(pass, kDraws, rows);

        const double before = residentMb();
        QElapsedTimer timer;
        timer.start();
        QStandardItemModel model(0, rows.columnCount());
        for (qsizetype r = 0; r < rows.rowCount(); ++r) {
            QList<QStandardItem *> items;
            items.reserve(rows.columnCount());
            for (int c = 0; c < rows.columnCount(); ++c) {
                auto *item = new QStandardItem(rows.text(r, c));
                if (const auto rgb = rows.colour(r, c))
                    item->setForeground(QColor(QRgb(*rgb)));
                items.append(item);
            }
            model.appendRow(items);
        }
        QTableView view;
        view.verticalHeader()->hide();
        view.setModel(&model);
        view.resize(900, 500);
        view.show();
        view.repaint();
        std::printf("naive QStandardItemModel, simple rows only (fill + first paint): %.0f ms, memory +%.0f MB for %lld rows\n",
                    ms(timer), residentMb() - before, qlonglong(rows.rowCount()));
    }
    return 0;
}
