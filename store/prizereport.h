#pragma once

#include <QDate>
#include <QString>

#include <array>
#include <cstdint>

// The prize report of one draw as the operator publishes it: for categories
// 1 (5 + 1) to 8 (2 + 0) and the reintegro (row 9, the key alone), how many
// bets won and what each winning bet is paid, in whole cents. Money is never
// held in binary floating point.
struct PrizeRow
{
    // A figure the source did not give (the classic pages show no winners).
    static constexpr std::int64_t kUnknown = -1;

    std::int64_t winners = 0;
    std::int64_t prizeCents = 0;

    bool operator==(const PrizeRow &) const = default;
};

struct PrizeReport
{
    static constexpr int kRows = 9; // categories 1..8, then the reintegro
    static constexpr int kReintegro = 9;

    enum class Status : std::uint8_t
    {
        Missing = 0, // nothing known about this draw's prizes
        Pending = 1, // the draw is stored, its report is not out yet
        Final = 2, // every row below is the published figure
    };

    // Where a Final report came from: the results service gives every row;
    // the classic draw page gives the eight amounts only (winners unknown,
    // no reintegro row).
    // A report typed by the user (every row) is Manual.
    enum class Source : std::uint8_t
    {
        Service = 0,
        Pages = 1,
        Manual = 2,
    };

    QDate date;
    Status status = Status::Missing;
    Source source = Source::Service;
    // rows[category - 1]; meaningful only when status is Final.
    std::array<PrizeRow, kRows> rows {};

    const PrizeRow &row(int category) const { return rows[std::size_t(category - 1)]; }
    PrizeRow &row(int category) { return rows[std::size_t(category - 1)]; }
    bool isFinal() const { return status == Status::Final; }
    // Final with every row known: the service's report, or one typed by the
    // user. The pages' amounts lack the winners and the reintegro, so the
    // service is asked again.
    bool isComplete() const { return isFinal() && source != Source::Pages; }

    bool operator==(const PrizeReport &) const = default;
};

// The figures a real report can hold: every category pays from 0 to
// 200.000.000 € a winning bet, the reintegro gives back the bet's price,
// which has been between 0,50 € and 3,00 €, and no category has more winners
// than the bets received. Every report taken in (the service's answers, the
// user's, premios.json) is judged here.
namespace PrizeBounds
{
    constexpr std::int64_t kMaxPrizeCents = std::int64_t(200000000) * 100;
    constexpr std::int64_t kMinBetPriceCents = 50;
    constexpr std::int64_t kMaxBetPriceCents = 300;

    // Why a final report cannot be the operator's, naming the category
    // ("categoría 3: ...", "reintegro: ..."); empty when it can be, and for a
    // report that is not final. betsReceived bounds the winners when it is
    // known (above 0). Figures a source does not give (the pages' winners
    // and reintegro) are not judged.
    QString problem(const PrizeReport &report, std::int64_t betsReceived = 0);
}
