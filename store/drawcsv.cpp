#include "drawcsv.h"

#include "oledate.h"

#include <QList>

#include <algorithm>
#include <set>

std::optional<std::vector<DrawRecord>> parseDrawCsv(QByteArrayView text)
{
    std::vector<DrawRecord> draws;
    const QList<QByteArray> lines = text.toByteArray().split('\n');
    for (const QByteArray &raw : lines) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith("date"))
            continue;
        const QList<QByteArray> fields = line.split(',');
        if (fields.size() != 7)
            return std::nullopt;
        const QDate date = QDate::fromString(QString::fromLatin1(fields[0]), Qt::ISODate);
        if (!date.isValid())
            return std::nullopt;
        DrawRecord draw;
        bool ok = true;
        for (int i = 0; i < 5 && ok; ++i)
            draw.numbers[std::size_t(i)] = std::int16_t(fields[i + 1].toShort(&ok));
        if (ok)
            draw.clave = fields[6].toShort(&ok);
        if (!ok)
            return std::nullopt;
        std::sort(draw.numbers.begin(), draw.numbers.end());
        draw.date = OleDate::fromDate(date);
        if (!draw.inRange())
            return std::nullopt;
        draws.push_back(draw);
    }
    return draws;
}

namespace
{
    // A whole number of at most three digits, blanks around it allowed.
    std::optional<int> smallNumber(QByteArrayView field)
    {
        const QByteArray text = field.trimmed().toByteArray();
        if (text.isEmpty() || text.size() > 3)
            return std::nullopt;
        int value = 0;
        for (char c : text) {
            if (c < '0' || c > '9')
                return std::nullopt;
            value = value * 10 + (c - '0');
        }
        return value;
    }

    QDate csvDate(QByteArrayView field)
    {
        const QString text = QString::fromLatin1(field.trimmed());
        for (const QString &format : {QStringLiteral("yyyy-MM-dd"), QStringLiteral("dd/MM/yyyy"), QStringLiteral("d/M/yyyy")}) {
            // A year the draw file's dates can hold; the game began in 2005.
            const QDate date = QDate::fromString(text, format);
            if (date.isValid() && date.year() >= 1900)
                return date;
        }
        return {};
    }

    bool isHeader(QByteArrayView line)
    {
        const QByteArray lower = line.toByteArray().toLower();
        return lower.startsWith("date") || lower.startsWith("fecha");
    }
}

DrawCsvRead readDrawCsv(QByteArrayView text)
{
    DrawCsvRead read;
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    const auto fail = [&read](int line, const QString &problem) {
        read.draws.clear();
        read.lines.clear();
        read.badLine = line;
        read.problem = problem;
        return read;
    };
    int lineNumber = 0;
    bool seenContent = false;
    qsizetype at = 0;
    while (at <= text.size()) {
        qsizetype end = text.indexOf('\n', at);
        if (end < 0)
            end = text.size();
        const QByteArrayView line = text.sliced(at, end - at).trimmed();
        at = end + 1;
        ++lineNumber;
        if (line.isEmpty())
            continue;
        // A header, on the first line with anything on it.
        if (!seenContent && isHeader(line)) {
            seenContent = true;
            continue;
        }
        seenContent = true;
        const char separator = line.contains(';') ? ';' : ',';
        const QList<QByteArray> fields = line.toByteArray().split(separator);
        if (fields.size() != 7)
            return fail(lineNumber, QStringLiteral("se esperaban 7 campos (fecha, cinco números y la clave) y hay %1").arg(fields.size()));
        const QDate date = csvDate(fields[0]);
        if (!date.isValid())
            return fail(lineNumber, QStringLiteral("la fecha no es válida (use AAAA-MM-DD o DD/MM/AAAA)"));
        DrawRecord draw;
        std::set<int> seen;
        for (int i = 0; i < 5; ++i) {
            const auto number = smallNumber(fields[i + 1]);
            if (!number || *number < 1 || *number > 54)
                return fail(lineNumber, QStringLiteral("los números deben ir del 1 al 54"));
            if (!seen.insert(*number).second)
                return fail(lineNumber, QStringLiteral("el número %1 está repetido").arg(*number));
            draw.numbers[std::size_t(i)] = std::int16_t(*number);
        }
        const auto key = smallNumber(fields[6]);
        if (!key || *key > 9)
            return fail(lineNumber, QStringLiteral("la clave debe ir del 0 al 9"));
        draw.clave = std::int16_t(*key);
        std::sort(draw.numbers.begin(), draw.numbers.end());
        draw.date = OleDate::fromDate(date);
        read.draws.push_back(draw);
        read.lines.push_back(lineNumber);
        if (end == text.size())
            break;
    }
    return read;
}
