#include "servicereader.h"

#include "base/calendar.h"
#include "resultsparser.h"
#include "store/cents.h"
#include "store/oledate.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <map>
#include <set>

namespace
{
    const QString kGame = QStringLiteral("ELGR");

    class Cursor
    {
    public:
        explicit Cursor(QStringView text)
            : m_text(text)
        {}

        void skipBlanks()
        {
            while (m_at < m_text.size() && m_text[m_at].isSpace())
                ++m_at;
        }
        bool take(QChar c)
        {
            skipBlanks();
            if (m_at < m_text.size() && m_text[m_at] == c) {
                ++m_at;
                return true;
            }
            return false;
        }
        // One or two digits.
        std::optional<int> number()
        {
            skipBlanks();
            int value = 0;
            int digits = 0;
            while (m_at < m_text.size() && m_text[m_at].isDigit() && m_text[m_at].unicode() < 128 && digits < 3) {
                value = value * 10 + (m_text[m_at].unicode() - '0');
                ++m_at;
                ++digits;
            }
            if (digits == 0 || digits > 2)
                return std::nullopt;
            return value;
        }
        bool atEnd()
        {
            skipBlanks();
            return m_at == m_text.size();
        }

    private:
        QStringView m_text;
        qsizetype m_at = 0;
    };

    // A count given as a string ("17") or as a JSON number (17).
    std::optional<std::int64_t> countOf(const QJsonValue &value)
    {
        if (value.isString())
            return Cents::parseCount(value.toString());
        if (value.isDouble()) {
            const double d = value.toDouble();
            const qint64 n = value.toInteger(-1);
            if (n >= 0 && n <= Cents::kMaxExact && double(n) == d)
                return n;
        }
        return std::nullopt;
    }

    // Euros per winning bet: a string with a decimal comma or point, or a
    // whole JSON number. A fractional JSON number is refused: its exact
    // decimal text is gone.
    std::optional<std::int64_t> centsOf(const QJsonValue &value)
    {
        if (value.isString())
            return Cents::parse(value.toString());
        if (const auto euros = countOf(value); euros && *euros <= Cents::kMaxExact / 100)
            return *euros * 100;
        return std::nullopt;
    }

    PrizeReport readReport(const QJsonObject &object, QDate date, QString *problem)
    {
        PrizeReport report;
        report.date = date;
        report.status = PrizeReport::Status::Pending;
        const auto bets = countOf(object.value(QLatin1String("apuestas")));
        const QJsonValue rows = object.value(QLatin1String("escrutinio"));
        if (bets == 0 || !rows.isArray() || rows.toArray().isEmpty())
            return report;

        PrizeReport final = report;
        final.status = PrizeReport::Status::Final;
        final.source = PrizeReport::Source::Service;
        std::array<bool, PrizeReport::kRows> seen {};
        for (const QJsonValue &value : rows.toArray()) {
            const QJsonObject row = value.toObject();
            const auto category = countOf(row.value(QLatin1String("categoria")));
            // Rows are known by their category, never by their place.
            if (!category || *category < 1 || *category > PrizeReport::kRows || seen[std::size_t(*category - 1)])
                return report;
            const auto winners = countOf(row.value(QLatin1String("ganadores")));
            const auto cents = centsOf(row.value(QLatin1String("premio")));
            if (!winners || !cents)
                return report;
            seen[std::size_t(*category - 1)] = true;
            final.row(int(*category)) = {*winners, *cents};
        }
        for (bool s : seen) {
            if (!s)
                return report;
        }
        *problem = PrizeBounds::problem(final, bets.value_or(0));
        return problem->isEmpty() ? final : report;
    }
}

QDate serviceDate(QStringView text)
{
    text = text.trimmed();
    if (text.size() < 10 || (text.size() > 10 && text[10] != QLatin1Char(' ') && text[10] != QLatin1Char('T')))
        return {};
    const QStringView day = text.first(10);
    for (qsizetype i = 0; i < day.size(); ++i) {
        const bool dash = i == 4 || i == 7;
        if (dash ? day[i] != QLatin1Char('-') : (day[i] < QLatin1Char('0') || day[i] > QLatin1Char('9')))
            return {};
    }
    return QDate(day.first(4).toInt(), day.sliced(5, 2).toInt(), day.sliced(8, 2).toInt());
}

std::optional<DrawRecord> parseCombinacion(QStringView text)
{
    Cursor cursor(text);
    DrawRecord draw;
    for (std::size_t i = 0; i < draw.numbers.size(); ++i) {
        if (i > 0 && !cursor.take(QLatin1Char('-')))
            return std::nullopt;
        const auto n = cursor.number();
        if (!n || *n < 1 || *n > 54)
            return std::nullopt;
        for (std::size_t j = 0; j < i; ++j) {
            if (draw.numbers[j] == *n)
                return std::nullopt;
        }
        draw.numbers[i] = std::int16_t(*n);
    }
    if (!cursor.take(QLatin1Char('R')) || !cursor.take(QLatin1Char('(')))
        return std::nullopt;
    const auto key = cursor.number();
    if (!key || *key > 9 || !cursor.take(QLatin1Char(')')) || !cursor.atEnd())
        return std::nullopt;
    draw.clave = std::int16_t(*key);
    sortDrawNumbers(draw);
    return draw;
}

ServiceAnswer readServiceAnswer(const QByteArray &body, QDate from, QDate to, QDate today)
{
    ServiceAnswer answer;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError) {
        // A bare JSON string ("No se ha encontrado ...") is "nothing found";
        // QJsonDocument only takes objects and arrays at the top.
        const QJsonDocument wrapped = QJsonDocument::fromJson("[" + body + "]", &error);
        const bool bareString = error.error == QJsonParseError::NoError && wrapped.array().size() == 1
            && wrapped.array().first().isString();
        answer.refused = !bareString;
        return answer;
    }
    if (!document.isArray()) {
        answer.refused = true;
        return answer;
    }

    const auto invalidAt = [&](QDate date) {
        // A date that was not asked for tells nothing of where the bad draw
        // belongs: as for an unreadable date, the whole range is suspect.
        if (!date.isValid() || date < from || date > to) {
            answer.undatedInvalid = true;
            return;
        }
        if (date.isValid() && (!answer.firstInvalid.isValid() || date < answer.firstInvalid))
            answer.firstInvalid = date;
    };

    std::map<QDate, ServiceDraw> draws;
    std::set<QDate> listed;
    for (const QJsonValue &value : document.array()) {
        if (!value.isObject()) {
            answer = {};
            answer.refused = true;
            return answer;
        }
        const QJsonObject object = value.toObject();
        const QDate date = serviceDate(object.value(QLatin1String("fecha_sorteo")).toString());
        if (!date.isValid()) {
            invalidAt({});
            continue;
        }
        if (!listed.insert(date).second && !answer.duplicate.isValid())
            answer.duplicate = date;
        const auto numbers = parseCombinacion(object.value(QLatin1String("combinacion")).toString());
        if (object.value(QLatin1String("game_id")).toString() != kGame || date < from || date > to || date > today
            || !isDrawDay(date) || !numbers) {
            invalidAt(date);
            continue;
        }
        ServiceDraw draw;
        draw.date = date;
        draw.draw = *numbers;
        draw.draw.date = OleDate::fromDate(date);
        draw.report = readReport(object, date, &draw.reportProblem);
        draws.emplace(date, draw);
    }
    // One date listed twice: which of the two is the operator's cannot be
    // told, and an answer that lists a draw twice is not sound anywhere.
    if (answer.duplicate.isValid()) {
        answer.undatedInvalid = true;
        return answer;
    }
    for (auto &entry : draws) {
        if (!answer.firstInvalid.isValid() || entry.first != answer.firstInvalid)
            answer.draws.push_back(std::move(entry.second));
    }
    return answer;
}
