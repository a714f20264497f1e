#pragma once

#include "categories.h"
#include "store/syndicaterecord.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// One row of a result list, kept small: with "Histórico" ticked a list holds
// every draw times every bet of every syndicate. Texts are made when asked.
enum class RowKind : std::uint8_t
{
    Separator,
    Name,
    Date,
    Bet,
    Breakdown
};

struct ResultRow
{
    RowKind kind = RowKind::Separator;
    std::uint8_t bet = 0; // Bet: the bet of the syndicate, from 0
    std::uint8_t hits = 0; // Bet: drawn numbers of the bet; Breakdown: hits of its line
    std::uint8_t lineHits = 0; // Bet of a multiple bet: hits of its first breakdown line, 0 = none
    bool keyMatched = false; // Bet, Breakdown
    std::uint16_t syndicate = 0; // Name, Bet: index in the list's syndicates
    std::uint16_t draw = 0; // Date: index in the list's draws
    std::uint16_t hitMask = 0; // Bet: bit i set when number i of the bet was drawn
    std::uint16_t count = 0; // Breakdown and multiple Bet: combinations of the line

    bool operator==(const ResultRow &) const = default;
};

// The rows of ListView2 (simple syndicates, 8 columns) or ListView4
// (multiple bets, 14 columns), with the syndicates and draw dates they refer
// to, as they stood when the pass ran.
class ResultList
{
public:
    enum class Layout
    {
        Simple,
        Multiple
    };

    explicit ResultList(Layout layout = Layout::Simple);

    Layout layout() const { return m_layout; }
    int columnCount() const { return m_layout == Layout::Simple ? 8 : 14; }
    int commentColumn() const { return columnCount() - 1; }
    int keyColumn() const { return columnCount() - 2; }
    static QString headerText(Layout layout, int column);

    qsizetype rowCount() const { return qsizetype(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }
    const ResultRow &row(qsizetype i) const { return m_rows[std::size_t(i)]; }
    const std::vector<ResultRow> &rows() const { return m_rows; }

    // The cell as displayed, and its text colour (none: the list's default).
    QString text(qsizetype row, int column) const;
    std::optional<Rgb> colour(qsizetype row, int column) const;

    // --- filled by the passes -------------------------------------------
    void clear();
    void setSyndicates(const std::vector<SyndicateRecord> &syndicates);
    void setDrawDates(std::vector<double> dates);
    void reserve(qsizetype rows) { m_rows.reserve(std::size_t(rows)); }
    void append(const ResultRow &row) { m_rows.push_back(row); }
    void removeLast(int rows = 1);
    ResultRow &last() { return m_rows.back(); }

    const SyndicateRecord &syndicate(int index) const { return m_syndicates[std::size_t(index)]; }
    double drawDate(int index) const { return m_drawDates[std::size_t(index)]; }

private:
    QString betCell(const ResultRow &row, int column) const;
    std::optional<Rgb> betColour(const ResultRow &row, int column) const;

    Layout m_layout;
    std::vector<ResultRow> m_rows;
    std::vector<SyndicateRecord> m_syndicates;
    std::vector<QString> m_nameTexts; // "PEÑA " + name, per syndicate
    std::vector<double> m_drawDates;
};

// "¡¡ Premio !! Has acertado 4 + Nº.Clave.", "... acertado 3 números."
QString prizeMessage(int hits, bool keyMatched);
// "PEÑA " and the name as stored, trailing blanks included.
QString syndicateRowText(const SyndicateRecord &syndicate);
// The draw date of a date row: "06/12/2026 Domingo".
QString drawRowText(double oleDate);
