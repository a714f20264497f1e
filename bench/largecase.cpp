#include "largecase.h"

#include "store/oledate.h"
#include "support/fixtures.h"

#include <algorithm>

std::vector<DrawRecord> LargeCase::draws()
{
    auto all = Fixtures::realDraws();
    all.erase(all.begin(), all.end() - kDraws);
    return all;
}

std::vector<SyndicateRecord> LargeCase::syndicates()
{
    std::vector<SyndicateRecord> list;
    for (int i = 0; i < 50; ++i) {
        auto s = Fixtures::simpleSyndicate(QStringLiteral("PEÑA %1").arg(i), {}, i % 10, QDate(2024, 1, 7).addDays(7 * i));
        s.kind = 24;
        for (int b = 0; b < 24; ++b) {
            // Five distinct numbers per bet, spread over 1..54.
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
        s.createdOn = OleDate::fromDate(QDate(2025, 1, 5).addDays(7 * i));
        list.push_back(s);
    }
    return list;
}

void LargeCase::prepare(const QString &dir)
{
    Fixtures::writeFile(dir + QStringLiteral("/numeros.dat"), Fixtures::bytesOf(draws()));
    Fixtures::writeFile(dir + QStringLiteral("/apuestas.dat"), Fixtures::bytesOf(syndicates()));
}

std::map<QDate, PrizeReport> LargeCase::uniformReports(const std::vector<DrawRecord> &draws)
{
    constexpr std::int64_t kCents[PrizeReport::kRows] = {0, 0, 1150911, 20417, 4283, 1447, 674, 300, 150};
    std::map<QDate, PrizeReport> all;
    for (const DrawRecord &draw : draws) {
        PrizeReport report;
        report.date = draw.qdate();
        report.status = PrizeReport::Status::Final;
        // One winner in every category, so that no prize reads as
        // contradicted by its report and every one is priced.
        for (int row = 1; row <= PrizeReport::kRows; ++row)
            report.row(row) = {1, kCents[row - 1]};
        all[report.date] = report;
    }
    return all;
}
