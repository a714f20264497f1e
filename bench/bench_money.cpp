// The money of every syndicate over the whole history: 1,114 draws, 50 simple
// syndicates of 24 bets and 10 multiple bets of 11 numbers, all created on
// the first draw, every draw with a final report. Prints medians.
//
//   build/bench/bench_money [runs]
//
// - the ledger and totals of all 60 syndicates (reports looked up by date);
// - the recount of their prize counters (what every status scan runs);
// - the status scan through the session, files read and nothing to write;
// - the Premios page's list and the box after a download that brought every
//   prize of the history, every peña with three members (3/3/1 shares).

#include "base/clock.h"
#include "core/membership.h"
#include "core/prizelist.h"
#include "core/session.h"
#include "largecase.h"
#include "scrutiny/money.h"
#include "scrutiny/prizes.h"
#include "store/cents.h"
#include "store/oledate.h"
#include "store/prizereportfile.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"
#include "wording/prizewording.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <set>
#include <vector>

namespace
{
    double median(std::vector<double> v)
    {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : v[v.size() / 2];
    }

    double ms(const QElapsedTimer &timer) { return double(timer.nsecsElapsed()) / 1e6; }

    // This thread's processor time in ms: the machine may be busy with others.
    double cpuMs()
    {
        timespec t {};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
    }

    std::vector<SyndicateRecord> syndicates(QDate created)
    {
        std::vector<SyndicateRecord> list;
        for (int i = 0; i < 50; ++i) {
            auto s = Fixtures::simpleSyndicate(QStringLiteral("PEÑA %1").arg(i), {}, i % 10, created);
            s.kind = 24;
            for (int b = 0; b < 24; ++b) {
                for (int k = 0; k < 5; ++k)
                    s.bets[std::size_t(b)][std::size_t(k)] = std::int16_t(1 + (b * 7 + k * 11 + i * 3) % 54);
                std::sort(s.bets[std::size_t(b)].begin(), s.bets[std::size_t(b)].begin() + 5);
            }
            s.bets[0][5] = std::int16_t(i % 10);
            list.push_back(s);
        }
        for (int i = 0; i < 10; ++i) {
            SyndicateRecord s;
            s.setName(QStringLiteral("MÚLTIPLE %1").arg(i));
            s.setDrawDay(QStringLiteral("Domingo"));
            s.kind = 106;
            for (int k = 0; k < 11; ++k)
                s.bets[0][std::size_t(k)] = std::int16_t(1 + i + k * 4);
            s.bets[0][11] = std::int16_t(i);
            s.createdOn = OleDate::fromDate(created);
            list.push_back(s);
        }
        return list;
    }
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;

    const std::vector<DrawRecord> draws = Fixtures::realDraws();
    const std::vector<SyndicateRecord> syndicateSet = syndicates(draws.front().qdate());
    const std::map<QDate, PrizeReport> kept = LargeCase::uniformReports(draws);
    const Money::ReportLookup lookup = [&](QDate date) {
        const auto it = kept.find(date);
        return it == kept.end() ? PrizeReport {} : it->second;
    };

    {
        std::vector<double> times, cpu;
        std::int64_t balance = 0;
        std::size_t rows = 0;
        for (int i = 0; i < runs; ++i) {
            balance = 0;
            rows = 0;
            QElapsedTimer timer;
            timer.start();
            const double cpuStart = cpuMs();
            for (const SyndicateRecord &s : syndicateSet) {
                const auto ledger = Money::ledger(s, draws, lookup);
                balance += Money::totals(ledger).balanceCents;
                rows += ledger.size();
            }
            cpu.push_back(cpuMs() - cpuStart);
            times.push_back(ms(timer));
        }
        std::printf("ledger + totals, 60 syndicates x %zu draws (%zu rows): median %.2f ms (processor %.2f ms) "
                    "over %d runs (balance of all %s)\n",
                    draws.size(), rows, median(times), median(cpu), runs, qPrintable(formatEuros(balance)));
    }

    {
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            std::vector<SyndicateRecord> records = syndicateSet;
            QElapsedTimer timer;
            timer.start();
            Scrutiny::recount(records, draws);
            times.push_back(ms(timer));
        }
        std::printf("recount of the prize counters, 60 syndicates:               median %.2f ms\n", median(times));
    }

    {
        QTemporaryDir dir;
        Fixtures::writeFile(dir.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(draws));
        Fixtures::writeFile(dir.filePath(QStringLiteral("apuestas.dat")), Fixtures::bytesOf(syndicateSet));
        FixedClock clock(QDate(2026, 8, 20));
        RecordingPrompter prompter;
        Session session(clock, prompter);
        QElapsedTimer first;
        first.start();
        session.start(dir.path());
        const double startMs = ms(first);
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer timer;
            timer.start();
            session.updateStatus();
            times.push_back(ms(timer));
        }
        std::printf("session start (first recount, 60 records written): %.1f ms; status scan, counters current: "
                    "median %.2f ms\n",
                    startMs, median(times));
    }

    {
        QTemporaryDir dir;
        Fixtures::writeFile(dir.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(draws));
        Fixtures::writeFile(dir.filePath(QStringLiteral("apuestas.dat")), Fixtures::bytesOf(syndicateSet));
        DiskFileOps ops;
        PrizeReportFile file(ops);
        file.load(dir.filePath(QString::fromLatin1(PrizeReportFile::kFileName)));
        for (const auto &[date, report] : kept) {
            PrizeReport withWinners = report;
            for (PrizeRow &row : withWinners.rows)
                row.winners = 10;
            file.put(withWinners);
        }
        file.save();
        FixedClock clock(QDate(2026, 8, 20));
        RecordingPrompter prompter;
        Session session(clock, prompter);
        session.start(dir.path());
        Membership members(session);
        for (int r = 1; r <= int(syndicateSet.size()); ++r) {
            members.add(r, QStringLiteral("Ana"), 3);
            members.add(r, QStringLiteral("Luis"), 3);
            members.add(r, QStringLiteral("Eva"), 1);
        }
        std::set<QDate> all;
        for (const DrawRecord &draw : draws)
            all.insert(draw.qdate());
        std::vector<double> page, pageCpu, box;
        std::size_t lines = 0;
        qsizetype boxBytes = 0;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer timer;
            timer.start();
            const double cpuStart = cpuMs();
            const PrizeList::List list = PrizeList::build(session);
            pageCpu.push_back(cpuMs() - cpuStart);
            page.push_back(ms(timer));
            lines = list.lines.size();
            timer.restart();
            const QString text = Wording::prizeBoxText(PrizeList::build(session, &all));
            box.push_back(ms(timer));
            boxBytes = text.size();
        }
        std::printf("Premios page, 60 peñas x %zu draws, 3 members each (%zu lines): median %.2f ms (processor %.2f ms); "
                    "box after a download of every prize (%lld characters): median %.2f ms\n",
                    draws.size(), lines, median(page), median(pageCpu), qlonglong(boxBytes), median(box));
    }
    return 0;
}
