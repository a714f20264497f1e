#include "resultlist.h"

#include "base/calendar.h"
#include "breakdown.h"
#include "store/oledate.h"

#include <algorithm>
#include <array>

namespace
{
    // Number cells make up most of a list; sharing their texts keeps a long
    // list cheap to paint and to print.
    QString numberText(int value)
    {
        static const std::array<QString, 100> texts = [] {
            std::array<QString, 100> t;
            for (int i = 0; i < 100; ++i)
                t[std::size_t(i)] = QString::number(i);
            return t;
        }();
        if (value >= 0 && value < 100)
            return texts[std::size_t(value)];
        return QString::number(value);
    }

    const QString kFiller = QStringLiteral(".");
}

QString prizeMessage(int hits, bool keyMatched)
{
    return QStringLiteral("¡¡ Premio !! Has acertado ") + QString::number(hits)
        + (keyMatched ? QStringLiteral(" + Nº.Clave.") : QStringLiteral(" números."));
}

QString syndicateRowText(const SyndicateRecord &syndicate)
{
    return QStringLiteral("PEÑA ") + syndicate.rawName();
}

QString drawRowText(double oleDate)
{
    const QDate date = OleDate::toDate(oleDate);
    return shortSpanishDate(date) + QLatin1Char(' ') + diasemana(date);
}

ResultList::ResultList(Layout layout)
    : m_layout(layout)
{
}

QString ResultList::headerText(Layout layout, int column)
{
    const int columns = layout == Layout::Simple ? 8 : 14;
    if (column == columns - 1)
        return QStringLiteral("Comentario");
    if (column == columns - 2)
        return QStringLiteral("Clave");
    if (column >= 1 && column < columns - 2)
        return QString::number(column);
    return {};
}

void ResultList::clear()
{
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_syndicates.clear();
    m_nameTexts.clear();
    m_drawDates.clear();
}

void ResultList::setSyndicates(const std::vector<SyndicateRecord> &syndicates)
{
    m_syndicates = syndicates;
    m_nameTexts.clear();
    m_nameTexts.reserve(syndicates.size());
    for (const SyndicateRecord &s : syndicates)
        m_nameTexts.push_back(syndicateRowText(s));
}

void ResultList::setDrawDates(std::vector<double> dates)
{
    m_drawDates = std::move(dates);
}

void ResultList::removeLast(int rows)
{
    m_rows.resize(m_rows.size() - std::min(std::size_t(rows), m_rows.size()));
}

QString ResultList::text(qsizetype rowIndex, int column) const
{
    if (rowIndex < 0 || rowIndex >= rowCount() || column < 0 || column >= columnCount())
        return {};
    const ResultRow &r = m_rows[std::size_t(rowIndex)];
    switch (r.kind) {
    case RowKind::Separator:
        return {};
    case RowKind::Name:
        return column == commentColumn() ? m_nameTexts[r.syndicate] : QString();
    case RowKind::Date:
        return column == commentColumn() ? drawRowText(m_drawDates[r.draw]) : QString();
    case RowKind::Bet:
        return betCell(r, column);
    case RowKind::Breakdown:
        return column == commentColumn() ? Breakdown::text(r.count, r.hits, r.keyMatched) : QString();
    }
    return {};
}

QString ResultList::betCell(const ResultRow &r, int column) const
{
    const SyndicateRecord &s = m_syndicates[r.syndicate];
    const auto &bet = s.bets[r.bet];
    if (m_layout == Layout::Simple) {
        if (column >= 1 && column <= 5)
            return numberText(bet[std::size_t(column - 1)]);
        if (column == keyColumn())
            return r.bet == 0 ? numberText(s.key()) : QString();
        if (column == commentColumn())
            return r.hits >= 2 ? prizeMessage(r.hits, r.keyMatched) : QString();
        return {};
    }
    const int numbers = s.numbersPerBet();
    if (column >= 1 && column <= numbers)
        return numberText(bet[std::size_t(column - 1)]);
    if (column > numbers && column <= 11)
        return kFiller;
    if (column == keyColumn())
        return numberText(s.key());
    if (column == commentColumn())
        return r.lineHits != 0 ? Breakdown::text(r.count, r.lineHits, r.keyMatched) : QString();
    return {};
}

std::optional<Rgb> ResultList::colour(qsizetype rowIndex, int column) const
{
    if (rowIndex < 0 || rowIndex >= rowCount() || column < 0 || column >= columnCount())
        return std::nullopt;
    const ResultRow &r = m_rows[std::size_t(rowIndex)];
    const bool comment = column == commentColumn();
    switch (r.kind) {
    case RowKind::Separator:
        return std::nullopt;
    case RowKind::Name:
        return comment ? std::optional<Rgb>(Colours::kSyndicateName) : std::nullopt;
    case RowKind::Date:
        return comment ? std::optional<Rgb>(Colours::kDrawDate) : std::nullopt;
    case RowKind::Bet:
        return betColour(r, column);
    case RowKind::Breakdown:
        return comment ? std::optional<Rgb>(Breakdown::colour(r.hits, r.keyMatched)) : std::nullopt;
    }
    return std::nullopt;
}

std::optional<Rgb> ResultList::betColour(const ResultRow &r, int column) const
{
    const int numbers = m_layout == Layout::Simple ? 5 : m_syndicates[r.syndicate].numbersPerBet();
    if (column >= 1 && column <= numbers)
        return (r.hitMask >> (column - 1)) & 1 ? std::optional<Rgb>(Colours::kHit) : std::nullopt;
    if (column == keyColumn()) {
        const bool keyShown = m_layout == Layout::Multiple || r.bet == 0;
        return keyShown && r.keyMatched ? std::optional<Rgb>(Colours::kHit) : std::nullopt;
    }
    if (column == commentColumn()) {
        if (m_layout == Layout::Simple)
            return r.hits >= 2 ? std::optional<Rgb>(PrizeCategory::colour(PrizeCategory::code(r.hits, r.keyMatched)))
                               : std::nullopt;
        return r.lineHits != 0 ? std::optional<Rgb>(Breakdown::colour(r.lineHits, r.keyMatched)) : std::nullopt;
    }
    return std::nullopt;
}
