#include "statscommands.h"

#include "exitcodes.h"
#include "output.h"

#include "base/numberlist.h"
#include "core/session.h"
#include "scrutiny/money.h"
#include "stats/figures.h"
#include "stats/trybet.h"
#include "store/cents.h"
#include "wording/drawwording.h"
#include "wording/moneywording.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonObject>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <optional>

namespace
{
    using Cli::printJson;
    using Cli::printLine;

    // The window the options ask for, or the message refusing them.
    struct WindowReading
    {
        Stats::Window window;
        QString problem;
    };

    WindowReading readWindow(const QCommandLineParser &parser)
    {
        WindowReading reading;
        const bool last = parser.isSet(QStringLiteral("last"));
        const bool since = parser.isSet(QStringLiteral("since"));
        const bool until = parser.isSet(QStringLiteral("until"));
        if (last && (since || until)) {
            reading.problem = QStringLiteral("Use --last o --since/--until, no ambos.");
            return reading;
        }
        if (last) {
            const QString text = parser.value(QStringLiteral("last"));
            bool ok = false;
            const qlonglong count = text.trimmed().toLongLong(&ok);
            if (!ok || count < 1)
                reading.problem = QStringLiteral("--last: el número de sorteos debe ser un número entero mayor que 0 (%1).").arg(text);
            else // More than are stored is all of them.
                reading.window = Stats::Window::lastDraws(int(std::min<qlonglong>(count, std::numeric_limits<int>::max())));
            return reading;
        }
        if (!since && !until)
            return reading;
        QDate days[2];
        const char *names[2] = {"since", "until"};
        for (int i = 0; i < 2; ++i) {
            const QString name = QString::fromLatin1(names[i]);
            if (!parser.isSet(name))
                continue;
            days[i] = QDate::fromString(parser.value(name).trimmed(), Qt::ISODate);
            if (!days[i].isValid()) {
                reading.problem = QStringLiteral("--%1: fecha no válida (%2): use AAAA-MM-DD.").arg(name, parser.value(name));
                return reading;
            }
        }
        if (days[0].isValid() && days[1].isValid() && days[0] > days[1]) {
            reading.problem = QStringLiteral("--since (%1) es posterior a --until (%2).")
                                  .arg(days[0].toString(Qt::ISODate), days[1].toString(Qt::ISODate));
            return reading;
        }
        reading.window = Stats::Window::between(days[0], days[1]);
        return reading;
    }

    struct BetReading
    {
        Stats::Bet bet;
        QString problem;
    };

    BetReading readBet(const QCommandLineParser &parser)
    {
        BetReading reading;
        if (!parser.isSet(QStringLiteral("numbers"))) {
            reading.problem = QStringLiteral("Falta --numbers: los números de la apuesta, de 5 a 11 separados por comas.");
            return reading;
        }
        if (!parser.isSet(QStringLiteral("key"))) {
            reading.problem = QStringLiteral("Falta --key: el número clave, del 0 al 9.");
            return reading;
        }
        const QString text = parser.value(QStringLiteral("numbers"));
        const std::optional<std::vector<int>> numbers = parseNumberList(text);
        if (!numbers) {
            reading.problem = QStringLiteral("--numbers: escriba de 5 a 11 números del 1 al 54 separados por comas (%1).").arg(text);
            return reading;
        }
        reading.bet.numbers.insert(reading.bet.numbers.end(), numbers->begin(), numbers->end());
        bool ok = false;
        reading.bet.key = parser.value(QStringLiteral("key")).trimmed().toInt(&ok);
        if (!ok) {
            reading.problem = QStringLiteral("--key: el número clave debe ser del 0 al 9 (%1).").arg(parser.value(QStringLiteral("key")));
            return reading;
        }
        reading.problem = Stats::betProblem(reading.bet);
        return reading;
    }

    QJsonValue day(QDate date)
    {
        return date.isValid() ? QJsonValue(date.toString(Qt::ISODate)) : QJsonValue(QJsonValue::Null);
    }

    QString shortDate(QDate date)
    {
        return date.toString(QStringLiteral("dd/MM/yyyy"));
    }

    // A ratio for JSON, rounded so that it reads as a short decimal.
    double rounded(double value, double scale)
    {
        return std::round(value * scale) / scale;
    }

    template <std::size_t N>
    QJsonArray counts(const std::array<int, N> &values)
    {
        QJsonArray array;
        for (int n : values)
            array.append(n);
        return array;
    }

    QJsonArray valuesJson(std::span<const Stats::ValueFigures> values, int draws)
    {
        QJsonArray array;
        for (const Stats::ValueFigures &v : values) {
            const std::optional<double> mean = v.meanGap();
            array.append(QJsonObject {{QStringLiteral("number"), v.value},
                                      {QStringLiteral("drawn"), v.drawn},
                                      {QStringLiteral("share"), rounded(v.share(draws), 1e4)},
                                      {QStringLiteral("gap"), v.gap},
                                      {QStringLiteral("longestGap"), v.longestGap},
                                      {QStringLiteral("meanGap"), mean ? QJsonValue(rounded(*mean, 1e2)) : QJsonValue(QJsonValue::Null)}});
        }
        return array;
    }

    QString windowText(int draws, QDate from, QDate to)
    {
        if (draws == 0)
            return QStringLiteral("Sorteos: ninguno en ese periodo.");
        return QStringLiteral("Sorteos: %1, del %2 al %3.").arg(draws).arg(shortDate(from), shortDate(to));
    }

    void printValues(const QLocale &spanish, const QString &heading, std::span<const Stats::ValueFigures> values,
                     int draws, int marked)
    {
        printLine(heading);
        printLine(QStringLiteral("  %1 %2 %3 %4 %5 %6  %7").arg(QStringLiteral("Nº"), 3).arg(QStringLiteral("Veces"), 6).arg(QStringLiteral("% sorteos"), 10).arg(QStringLiteral("Sin salir"), 10).arg(QStringLiteral("Mayor aus."), 11).arg(QStringLiteral("Aus. media"), 11).arg(QStringLiteral("Marca")));
        for (const Stats::ValueFigures &v : values) {
            const std::optional<double> mean = v.meanGap();
            QString mark;
            if (draws > 0 && v.hotRank <= marked)
                mark = QStringLiteral("caliente");
            else if (draws > 0 && v.coldRank <= marked)
                mark = QStringLiteral("frío");
            printLine(QStringLiteral("  %1 %2 %3 %4 %5 %6  %7").arg(v.value, 3).arg(v.drawn, 6).arg(spanish.toString(100 * v.share(draws), 'f', 2) + QStringLiteral(" %"), 10).arg(v.gap, 10).arg(v.longestGap, 11).arg(mean ? spanish.toString(*mean, 'f', 2) : QStringLiteral("-"), 11).arg(mark).chopped(mark.isEmpty() ? 2 : 0));
        }
        printLine(QString());
    }

    template <std::size_t N>
    void printCounts(const QString &heading, const std::array<int, N> &values, const std::function<QString(int)> &label)
    {
        printLine(heading);
        for (std::size_t i = 0; i < N; ++i)
            printLine(QStringLiteral("  %1 %2").arg(label(int(i)), -12).arg(values[i], 6));
        printLine(QString());
    }

    int refuse(const QString &problem)
    {
        Cli::printMessage(problem);
        return Cli::Exit::kUsage;
    }
}

QString Cli::statsUsageError(const QCommandLineParser &parser, const QString &command)
{
    if (const QString problem = readWindow(parser).problem; !problem.isEmpty())
        return problem;
    if (command == QLatin1String("try"))
        return readBet(parser).problem;
    return {};
}

int Cli::runStats(Session &session, const QCommandLineParser &parser, bool json)
{
    const WindowReading reading = readWindow(parser);
    if (!reading.problem.isEmpty())
        return refuse(reading.problem);
    const Stats::Figures f = session.statistics(reading.window);
    const std::vector<Stats::PairCount> pairs = Stats::pairsByCount(f);
    if (json) {
        QJsonArray pairArray;
        for (const Stats::PairCount &pair : pairs)
            pairArray.append(QJsonObject {{QStringLiteral("numbers"), QJsonArray {pair.low, pair.high}},
                                          {QStringLiteral("drawn"), pair.drawn}});
        QJsonObject sums;
        for (int sum = Stats::kMinSum; sum <= Stats::kMaxSum; ++sum) {
            if (f.sums[std::size_t(sum)] > 0)
                sums.insert(QString::number(sum), f.sums[std::size_t(sum)]);
        }
        printJson({{QStringLiteral("window"), QJsonObject {{QStringLiteral("from"), day(f.from)}, {QStringLiteral("to"), day(f.to)}, {QStringLiteral("draws"), f.draws}}},
                   {QStringLiteral("numbers"), valuesJson(f.numbers, f.draws)},
                   {QStringLiteral("keys"), valuesJson(f.keys, f.draws)},
                   {QStringLiteral("pairs"), pairArray},
                   {QStringLiteral("sums"), sums},
                   {QStringLiteral("oddEven"), counts(f.oddEven)},
                   {QStringLiteral("lowHigh"), counts(f.lowHigh)},
                   {QStringLiteral("decades"), counts(f.decades)},
                   {QStringLiteral("consecutive"), counts(f.consecutive)},
                   {QStringLiteral("repeats"), counts(f.repeats)}});
        return Exit::kDone;
    }

    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    printLine(windowText(f.draws, f.from, f.to));
    if (f.draws == 0)
        return Exit::kDone;
    printLine(QString());
    printValues(spanish, QStringLiteral("Números (sin salir y ausencias en sorteos de este periodo):"), f.numbers, f.draws,
                Stats::kMarkedNumbers);
    printValues(spanish, QStringLiteral("Claves:"), f.keys, f.draws, Stats::kMarkedKeys);
    constexpr int kListed = 10;
    printLine(QStringLiteral("Parejas que más han salido juntas:"));
    for (int i = 0; i < kListed; ++i)
        printLine(QStringLiteral("  %1-%2 %3").arg(pairs[std::size_t(i)].low, 2).arg(pairs[std::size_t(i)].high, 2).arg(pairs[std::size_t(i)].drawn, 6));
    printLine(QStringLiteral("Parejas que menos han salido juntas:"));
    for (int i = int(pairs.size()) - kListed; i < int(pairs.size()); ++i)
        printLine(QStringLiteral("  %1-%2 %3").arg(pairs[std::size_t(i)].low, 2).arg(pairs[std::size_t(i)].high, 2).arg(pairs[std::size_t(i)].drawn, 6));
    printLine(QString());
    printLine(QStringLiteral("Suma de los cinco números:"));
    for (const Stats::SumBand &band : Stats::sumBands(f))
        printLine(QStringLiteral("  %1 %2").arg(QStringLiteral("%1 a %2").arg(band.low).arg(band.high), -12).arg(band.draws, 6));
    printLine(QString());
    printCounts(QStringLiteral("Números impares en el sorteo:"), f.oddEven,
                [](int i) { return QStringLiteral("%1 impares").arg(i); });
    printCounts(QStringLiteral("Números bajos (1 a 27) en el sorteo:"), f.lowHigh,
                [](int i) { return QStringLiteral("%1 bajos").arg(i); });
    printCounts(QStringLiteral("Números salidos por decena:"), f.decades,
                [](int i) { return QStringLiteral("%1 a %2").arg(Stats::decadeLow(i)).arg(Stats::decadeHigh(i)); });
    printCounts(QStringLiteral("Parejas de números consecutivos en el sorteo:"), f.consecutive,
                [](int i) { return QString::number(i); });
    printCounts(QStringLiteral("Números repetidos del sorteo anterior:"), f.repeats,
                [](int i) { return QString::number(i); });
    return Exit::kDone;
}

int Cli::runTry(Session &session, const QCommandLineParser &parser, bool json)
{
    const WindowReading window = readWindow(parser);
    if (!window.problem.isEmpty())
        return refuse(window.problem);
    const BetReading bet = readBet(parser);
    if (!bet.problem.isEmpty())
        return refuse(bet.problem);
    const Stats::TryResult result = session.tryBet(bet.bet, window.window);
    if (json) {
        QJsonArray rows;
        for (const Stats::TriedDraw &row : result.prized) {
            QJsonArray categories;
            for (std::int64_t n : row.outcome.categories)
                categories.append(qint64(n));
            rows.append(QJsonObject {{QStringLiteral("date"), row.draw.qdate().toString(Qt::ISODate)},
                                     {QStringLiteral("hits"), row.hits},
                                     {QStringLiteral("key"), row.keyMatched},
                                     {QStringLiteral("categories"), categories}});
        }
        QJsonArray categories;
        for (std::int64_t n : result.categories)
            categories.append(qint64(n));
        printJson({{QStringLiteral("draws"), result.draws},
                   {QStringLiteral("categories"), categories},
                   {QStringLiteral("stakeCents"), qint64(result.totals.stakeCents)},
                   {QStringLiteral("wonCents"), qint64(result.totals.wonCents)},
                   {QStringLiteral("balanceCents"), qint64(result.totals.balanceCents)},
                   {QStringLiteral("pricedBalanceCents"), qint64(result.totals.pricedBalanceCents)},
                   {QStringLiteral("unpricedDraws"), result.unpricedDraws()},
                   {QStringLiteral("rows"), rows}});
        return Exit::kDone;
    }

    const SyndicateRecord played = Stats::asSyndicate(bet.bet);
    QStringList numbers;
    for (std::int16_t n : played.betNumbers(1))
        numbers << QString::number(n);
    const std::int64_t bets = Money::betsPlayed(played);
    printLine(QStringLiteral("Combinación %1, clave %2 (%3 %4 por sorteo).")
                  .arg(numbers.join(QLatin1Char(' ')))
                  .arg(bet.bet.key)
                  .arg(bets)
                  .arg(bets == 1 ? QStringLiteral("apuesta") : QStringLiteral("apuestas")));
    printLine(windowText(result.draws, result.from, result.to));
    printLine(QString());
    printLine(QStringLiteral("Premios:"));
    for (int row = 1; row <= PrizeReport::kRows; ++row)
        printLine(QStringLiteral("  %1 %2").arg(Wording::categoryLabel(row), -12).arg(result.categories[std::size_t(row - 1)], 8));
    printLine(QString());
    printLine(QStringLiteral("Jugado:  %1").arg(formatEuros(result.totals.stakeCents)));
    printLine(QStringLiteral("Ganado:  %1 (en los %2 sorteos con informe de premios)")
                  .arg(formatEuros(result.totals.wonCents))
                  .arg(result.totals.drawsPriced));
    printLine(QStringLiteral("Balance: %1 (lo ganado menos lo jugado en esos sorteos)").arg(formatEuros(result.totals.pricedBalanceCents)));
    if (result.unpricedDraws() > 0)
        printLine(QStringLiteral("Sorteos sin informe de premios: %1 (su premio no se sabe; lo jugado se cuenta a %2 la apuesta)")
                      .arg(result.unpricedDraws())
                      .arg(formatEuros(Money::kDefaultBetPriceCents)));
    printLine(QString());
    printLine(result.prized.empty() ? QStringLiteral("Ningún sorteo con premio.") : QStringLiteral("Sorteos con premio:"));
    for (const Stats::TriedDraw &row : result.prized) {
        QStringList prizes;
        for (int c = 1; c <= PrizeReport::kRows; ++c) {
            if (const std::int64_t n = row.outcome.categories[std::size_t(c - 1)]; n > 0)
                prizes << QStringLiteral("%1: %2").arg(Wording::categoryLabel(c)).arg(n);
        }
        printLine(QStringLiteral("  %1  %2  %3 %4%5  %6  %7")
                      .arg(shortDate(row.draw.qdate()), Wording::drawNumbersText(row.draw))
                      .arg(row.hits)
                      .arg(row.hits == 1 ? QStringLiteral("acierto") : QStringLiteral("aciertos"))
                      .arg(row.keyMatched ? QStringLiteral(" + clave") : QString())
                      .arg(prizes.join(QStringLiteral(", ")), Wording::wonText(row.outcome)));
    }
    return Exit::kDone;
}
