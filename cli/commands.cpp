#include "commands.h"
#include "exitcodes.h"
#include "jsonstream.h"
#include "output.h"

#include "base/calendar.h"
#include "base/clock.h"
#include "core/session.h"
#include "scrutiny/resultlist.h"
#include "store/cents.h"
#include "store/oledate.h"
#include "wording/drawwording.h"
#include "wording/moneywording.h"
#include "wording/statuswording.h"
#include "wording/syndicatewording.h"

#include <QJsonArray>

#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace
{
    QJsonArray toArray(auto begin, auto end)
    {
        QJsonArray array;
        for (auto it = begin; it != end; ++it)
            array.append(int(*it));
        return array;
    }

    QJsonValue isoDate(double ole)
    {
        const QDate date = OleDate::toDate(ole);
        if (ole == OleDate::kNone || !date.isValid())
            return QJsonValue::Null;
        return date.toString(Qt::ISODate);
    }

    const char *kindName(RowKind kind)
    {
        switch (kind) {
        case RowKind::Separator: return "separator";
        case RowKind::Name: return "name";
        case RowKind::Date: return "date";
        case RowKind::Bet: return "bet";
        case RowKind::Breakdown: return "breakdown";
        }
        return "separator";
    }

    void appendNumber(std::string &out, long long value)
    {
        char digits[24];
        out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    }

    // The JSON object of one row: its cells and colours as displayed, then
    // the same row for scripts. The prize category is numbered as in the
    // prize reports (1 = 5 + 1 ... 8 = 2 + 0); a multiple bet's is that of
    // the combinations its comment names.
    std::string rowJson(const ResultList &list, qsizetype r)
    {
        static const char hex[] = "0123456789abcdef";
        const int columns = list.columnCount();
        std::string json = "{\"cells\": [";
        for (int c = 0; c < columns; ++c) {
            if (c > 0)
                json += ", ";
            JsonStream::appendString(json, list.text(r, c));
        }
        json += "], \"colors\": [";
        for (int c = 0; c < columns; ++c) {
            if (c > 0)
                json += ", ";
            if (const auto rgb = list.colour(r, c)) {
                json += "\"#";
                for (int i = 0; i < 6; ++i)
                    json += hex[(*rgb >> (20 - 4 * i)) & 0xF];
                json += '"';
            } else {
                json += "null";
            }
        }
        const ResultRow &row = list.row(r);
        json += "], \"kind\": \"";
        json += kindName(row.kind);
        json += '"';
        switch (row.kind) {
        case RowKind::Separator:
            break;
        case RowKind::Name:
            json += ", \"syndicate\": ";
            appendNumber(json, row.syndicate + 1);
            break;
        case RowKind::Date:
            json += ", \"date\": \"";
            json += OleDate::toDate(list.drawDate(row.draw)).toString(Qt::ISODate).toStdString();
            json += '"';
            break;
        case RowKind::Bet:
        case RowKind::Breakdown: {
            const bool multiple = list.layout() == ResultList::Layout::Multiple;
            if (row.kind == RowKind::Bet) {
                json += ", \"syndicate\": ";
                appendNumber(json, row.syndicate + 1);
                json += ", \"bet\": ";
                appendNumber(json, row.bet + 1);
            }
            json += ", \"hits\": ";
            appendNumber(json, row.hits);
            json += row.keyMatched ? ", \"keyMatch\": true" : ", \"keyMatch\": false";
            const int prizeHits = multiple && row.kind == RowKind::Bet ? row.lineHits : row.hits;
            const int category = PrizeCategory::rank(PrizeCategory::code(prizeHits, row.keyMatched));
            json += ", \"category\": ";
            if (category > 0)
                appendNumber(json, category);
            else
                json += "null";
            if (multiple) {
                json += ", \"combinations\": ";
                if (category > 0)
                    appendNumber(json, row.count);
                else
                    json += "null";
            }
            break;
        }
        }
        json += '}';
        return json;
    }

    // A list of a million rows repeats a few thousand distinct ones (the same
    // bet with the same hits, the same draw's date row under each peña), and
    // a row's bytes depend on nothing but the row: each is formatted once
    // and its bytes reused. A slot holds the row it was made for, so a row
    // that lands on another's slot is formatted anew, never mistaken.
    class RowCache
    {
    public:
        explicit RowCache(const ResultList &list)
            : m_list(list)
            , m_slots(kSlots)
        {}

        std::string_view bytes(qsizetype r)
        {
            const ResultRow &row = m_list.row(r);
            Slot &slot = m_slots[slotOf(row)];
            if (!slot.used || !(slot.row == row)) {
                slot.row = row;
                slot.used = true;
                slot.json = rowJson(m_list, r);
            }
            return slot.json;
        }

    private:
        static constexpr std::size_t kSlots = 1 << 16;

        struct Slot
        {
            ResultRow row;
            bool used = false;
            std::string json;
        };

        static std::size_t slotOf(const ResultRow &row)
        {
            std::uint64_t h = std::uint64_t(row.kind) | std::uint64_t(row.bet) << 3 | std::uint64_t(row.hitMask) << 8
                | std::uint64_t(row.keyMatched) << 24 | std::uint64_t(row.syndicate) << 25 | std::uint64_t(row.draw) << 41;
            h ^= std::uint64_t(row.hits) << 57 ^ std::uint64_t(row.lineHits) << 60 ^ std::uint64_t(row.count) << 33;
            h *= 0x9E3779B97F4A7C15ULL;
            return std::size_t(h >> 48);
        }

        const ResultList &m_list;
        std::vector<Slot> m_slots;
    };

    void writeRows(JsonStream &json, const ResultList &list)
    {
        RowCache cache(list);
        json.raw("[");
        const qsizetype rows = list.rowCount();
        for (qsizetype r = 0; r < rows; ++r) {
            json.raw(r == 0 ? "\n" : ",\n");
            json.raw(cache.bytes(r));
        }
        json.raw(rows > 0 ? "\n]" : "]");
    }

    void writeText(JsonStream &out, const ResultList &list)
    {
        for (qsizetype r = 0; r < list.rowCount(); ++r) {
            QString line;
            for (int c = 1; c < list.columnCount(); ++c) {
                const QString text = list.text(r, c);
                line += c < list.commentColumn() ? text.rightJustified(3) : QStringLiteral("  ") + text;
            }
            out.raw(line.trimmed().isEmpty() ? "" : line.toUtf8().constData()).raw("\n");
        }
    }
}

namespace
{
    // The draws of the red line, as positions in the draw list (1 = the
    // newest), the numbers delete-draw takes; newest first, as the line.
    QJsonArray implausiblePositions(const DrawStatus &status)
    {
        QJsonArray positions;
        const std::vector<ImplausibleDraw> &draws = status.implausibleDraws;
        for (auto it = draws.rbegin(); it != draws.rend(); ++it)
            positions.append(status.storedDraws + 1 - it->record);
        return positions;
    }

    // A percentage for scripts: the figure the text shows, null for none.
    QJsonValue percentJson(const std::optional<Summary::Fraction> &fraction)
    {
        return fraction ? QJsonValue(Wording::percentValue(*fraction)) : QJsonValue(QJsonValue::Null);
    }

    // prizeCounts runs from the 8th category (2 + 0) to the 1st (5 + 1);
    // scripts get them by category number.
    QJsonObject prizesByCategory(const SyndicateRecord &s)
    {
        QJsonObject counts;
        for (int category = 1; category <= 8; ++category)
            counts.insert(QString::number(category), s.prizeCounts[std::size_t(8 - category)]);
        return counts;
    }
}

QString Cli::exportUsageError(const Options &options)
{
    if (!options.csv)
        return QStringLiteral("Uso: quorvale-cli export --csv");
    return {};
}

QJsonObject Cli::statusJson(const Session &session)
{
    const DrawStatus &status = session.drawStatus();
    return {
        {QStringLiteral("draws"), session.storedDraws()},
        {QStringLiteral("lastUpdate"), Wording::lastUpdateText(status)},
        {QStringLiteral("nextDraw"), Wording::nextDrawText(status)},
        {QStringLiteral("missing"), Wording::missingDrawsText(status)},
        {QStringLiteral("implausible"), Wording::implausibleDrawsText(status.implausibleDraws, status.storedDraws)},
        {QStringLiteral("syndicates"), int(session.syndicates().records().size())},
        // For scripts: the same facts as dates and numbers.
        {QStringLiteral("newestDrawDate"), session.storedDraws() > 0 ? isoDate(session.drawBuffer().date) : QJsonValue(QJsonValue::Null)},
        {QStringLiteral("nextDrawDate"), session.nextDrawDate().toString(Qt::ISODate)},
        {QStringLiteral("missingDraws"), status.missingWarning ? qint64(status.missingDrawCount) : qint64(0)},
        {QStringLiteral("implausibleDraws"), implausiblePositions(status)},
        {QStringLiteral("holes"), [&status] {
             QJsonArray dates;
             for (const QDate &date : status.holeDates)
                 dates.append(date.toString(Qt::ISODate));
             return dates;
         }()},
    };
}

QJsonObject Cli::drawsJson(const Session &session)
{
    const DrawList &list = session.draws().list();
    QJsonArray draws;
    // Record order: the list holds the newest first.
    const int total = list.total();
    for (int i = total - 1; i >= 0; --i) {
        const DrawRecord &draw = list.draws[std::size_t(i)];
        draws.append(QJsonObject {
            {QStringLiteral("record"), total - i},
            {QStringLiteral("date"), draw.qdate().toString(Qt::ISODate)},
            {QStringLiteral("numbers"), toArray(draw.numbers.begin(), draw.numbers.end())},
            {QStringLiteral("clave"), draw.clave},
        });
    }
    return {
        {QStringLiteral("total"), total},
        {QStringLiteral("draws"), draws},
        {QStringLiteral("tallies"), QJsonObject {
                                        {QStringLiteral("numbers"), toArray(list.numberTally.begin(), list.numberTally.end())},
                                        {QStringLiteral("keys"), toArray(list.keyTally.begin(), list.keyTally.end())},
                                    }},
    };
}

QJsonObject Cli::moneyJson(const Money::Totals &totals)
{
    return {
        {QStringLiteral("drawsPlayed"), totals.drawsPlayed},
        {QStringLiteral("drawsPriced"), totals.drawsPriced},
        {QStringLiteral("stakeCents"), qint64(totals.stakeCents)},
        {QStringLiteral("wonCents"), qint64(totals.wonCents)},
        {QStringLiteral("balanceCents"), qint64(totals.balanceCents)},
        {QStringLiteral("unpricedDraws"), totals.unpricedDraws},
        {QStringLiteral("unpricedStakeCents"), qint64(totals.unpricedStakeCents)},
        {QStringLiteral("pricedBalanceCents"), qint64(totals.pricedBalanceCents)},
        {QStringLiteral("unconfirmedPrizes"), totals.unconfirmedPrizes},
    };
}

QJsonObject Cli::syndicatesJson(Session &session)
{
    QJsonArray syndicates;
    const auto &items = session.syndicates().list().items;
    for (const Summary::ListItem &item : items) {
        const SyndicateRecord s = session.syndicates().records()[std::size_t(item.record - 1)];
        session.showSyndicateDetails(item.record);
        const Summary::Details &details = session.syndicates().details();
        QJsonArray bets;
        if (!item.damaged) {
            for (int b = 1; b <= s.storedBets(); ++b) {
                const auto numbers = s.betNumbers(b);
                bets.append(toArray(numbers.begin(), numbers.end()));
            }
        }
        syndicates.append(QJsonObject {
            {QStringLiteral("record"), item.record},
            {QStringLiteral("name"), s.name()},
            {QStringLiteral("kind"), s.kind},
            {QStringLiteral("damaged"), item.damaged},
            {QStringLiteral("key"), item.damaged ? QJsonValue(QJsonValue::Null) : QJsonValue(s.key())},
            {QStringLiteral("bets"), bets},
            {QStringLiteral("createdOn"), isoDate(s.createdOn)},
            {QStringLiteral("lastCountedDate"), isoDate(s.lastCountedDate)},
            {QStringLiteral("drawDay"), s.drawDay()},
            {QStringLiteral("listBets"), Wording::listBetsText(item)},
            {QStringLiteral("prizeCounts"), toArray(s.prizeCounts.begin(), s.prizeCounts.end())},
            {QStringLiteral("drawsPlayed"), Wording::drawsPlayedText(details)},
            {QStringLiteral("effectiveness"), Wording::effectivenessText(details)},
            {QStringLiteral("money"), moneyJson(session.money().totals(item.record))},
            {QStringLiteral("prizesByCategory"), prizesByCategory(s)},
            {QStringLiteral("drawsPlayedCount"), qint64(details.drawsPlayed.value_or(0))},
            {QStringLiteral("listBetsCount"), qint64(item.bets)},
            {QStringLiteral("effectivenessPercent"), percentJson(details.effectiveness)},
        });
    }
    const Summary::SyndicateList &list = session.syndicates().list();
    return {
        {QStringLiteral("syndicates"), syndicates},
        {QStringLiteral("totalPrizes"), Wording::totalPrizesText(list)},
        {QStringLiteral("overall"), Wording::overallText(list)},
        {QStringLiteral("overallDraws"), Wording::overallDrawsText(list)},
        {QStringLiteral("money"), moneyJson(session.money().totals(0))},
        {QStringLiteral("totalPrizesCount"), qint64(list.totalPrizes)},
        {QStringLiteral("overallPercent"), percentJson(list.overall)},
        {QStringLiteral("overallDrawsCount"), list.overall ? QJsonValue(qint64(list.overallDraws)) : QJsonValue(QJsonValue::Null)},
    };
}

void Cli::writeCheckJson(std::FILE *out, const Session &session)
{
    JsonStream json(out);
    json.raw("{\"simple\": ");
    writeRows(json, session.simpleResults());
    json.raw(",\n\"multiple\": ");
    writeRows(json, session.multipleResults());
    json.raw("}\n");
}

void Cli::writeCheckText(std::FILE *out, const Session &session)
{
    JsonStream text(out);
    text.raw("S E N C I L L A\n");
    writeText(text, session.simpleResults());
    text.raw("\nM Ú L T I P L E\n");
    writeText(text, session.multipleResults());
}

int Cli::runStatus(Session &session, const Options &options)
{
    if (options.json) {
        Cli::printJson(statusJson(session));
        return Exit::kDone;
    }
    const DrawStatus &status = session.drawStatus();
    Cli::printLine(QStringLiteral("Sorteos: %1").arg(session.storedDraws()));
    Cli::printLine(QStringLiteral("Última actualización: %1").arg(Wording::lastUpdateText(status)));
    Cli::printLine(QStringLiteral("Próximo sorteo: %1").arg(Wording::nextDrawText(status)));
    for (const QString &line : {Wording::missingDrawsText(status),
                                Wording::implausibleDrawsText(status.implausibleDraws, status.storedDraws),
                                Wording::historyHolesText(status.holeDates)}) {
        if (!line.isEmpty())
            Cli::printLine(line);
    }
    Cli::printLine(QStringLiteral("Peñas: %1").arg(int(session.syndicates().records().size())));
    return Exit::kDone;
}

int Cli::runDraws(Session &session, const Options &options)
{
    const bool json = options.json;
    if (json) {
        Cli::printJson(drawsJson(session));
    } else {
        for (const DrawRecord &draw : session.draws().list().draws)
            Cli::printLine(Wording::drawNumbersText(draw) + QStringLiteral("   ") + Wording::drawDateText(draw));
        Cli::printLine(Wording::drawTotalText(session.draws().list()));
    }
    return session.rejectedDrawFiles() > 0 ? Exit::kFailed : Exit::kDone;
}

int Cli::runExport(Session &session, const Options &options)
{
    // The published form the history came in: it can be imported again.
    if (const QString wrong = exportUsageError(options); !wrong.isEmpty()) {
        Cli::printMessage(wrong);
        return Exit::kUsage;
    }
    Cli::printLine(QStringLiteral("date,n1,n2,n3,n4,n5,clave"));
    const auto &draws = session.draws().list().draws;
    for (auto it = draws.rbegin(); it != draws.rend(); ++it) {
        QStringList fields = {it->qdate().toString(Qt::ISODate)};
        for (auto n : it->numbers)
            fields << QString::number(n);
        fields << QString::number(it->clave);
        Cli::printLine(fields.join(QLatin1Char(',')));
    }
    return session.rejectedDrawFiles() > 0 ? Exit::kFailed : Exit::kDone;
}

int Cli::runCheck(Session &session, const Options &options)
{
    const bool json = options.json;
    // What the window shows with the scroll bar at `draws` and the two
    // boxes as given; like the window's, it changes no counter.
    session.applyViewOptions(options.draws, options.historico, options.premio);
    if (json)
        writeCheckJson(stdout, session);
    else
        writeCheckText(stdout, session);
    return session.rejectedDrawFiles() > 0 ? Exit::kFailed : Exit::kDone;
}

int Cli::runSyndicates(Session &session, const Options &options)
{
    if (options.json) {
        Cli::printJson(syndicatesJson(session));
        return Exit::kDone;
    }
    for (const Summary::ListItem &item : session.syndicates().list().items) {
        session.showSyndicateDetails(item.record);
        const Summary::Details &details = session.syndicates().details();
        const std::int64_t played = details.drawsPlayed.value_or(0);
        Cli::printLine(QStringLiteral("%1. %2  (%3 %4, %5 %6, %7)")
                           .arg(item.record)
                           .arg(item.name, Wording::listBetsText(item),
                                item.bets == 1 ? QStringLiteral("apuesta") : QStringLiteral("apuestas"),
                                Wording::drawsPlayedText(details),
                                played == 1 ? QStringLiteral("sorteo jugado") : QStringLiteral("sorteos jugados"),
                                Wording::effectivenessText(details)));
    }
    const Summary::SyndicateList &list = session.syndicates().list();
    Cli::printLine(QStringLiteral("Premios: %1").arg(Wording::totalPrizesText(list)));
    const Money::Totals money = session.money().totals(0);
    QString balance = formatEuros(money.balanceCents);
    if (money.provisional())
        balance += QStringLiteral(" (%1)").arg(Wording::provisionalText(money));
    Cli::printLine(QStringLiteral("Jugado: %1   Ganado: %2   Balance: %3   Sorteos sin informe: %4")
                       .arg(formatEuros(money.stakeCents), formatEuros(money.wonCents), balance)
                       .arg(money.unpricedDraws));
    Cli::printLine(Wording::overallText(list) + QLatin1Char(' ') + Wording::overallDrawsText(list));
    return Exit::kDone;
}
