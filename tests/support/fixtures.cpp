#include "fixtures.h"

#include "store/drawcsv.h"
#include "store/oledate.h"

#include <QFile>

#include <algorithm>

std::vector<DrawRecord> Fixtures::realDraws()
{
    QFile file(QStringLiteral(QUORVALE_HISTORY_CSV));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parseDrawCsv(file.readAll()).value_or(std::vector<DrawRecord> {});
}

DrawRecord Fixtures::draw(QDate date, std::initializer_list<int> numbers, int clave)
{
    DrawRecord d;
    std::size_t i = 0;
    for (int n : numbers)
        d.numbers[i++] = std::int16_t(n);
    d.clave = std::int16_t(clave);
    d.date = OleDate::fromDate(date);
    return d;
}

SyndicateRecord Fixtures::simpleSyndicate(const QString &name, std::initializer_list<std::initializer_list<int>> bets,
                                          int key, QDate createdOn)
{
    SyndicateRecord s;
    s.setName(name);
    s.setDrawDay(QStringLiteral("Domingo"));
    s.kind = std::int16_t(bets.size());
    std::size_t b = 0;
    for (auto bet : bets) {
        std::size_t slot = 0;
        for (int n : bet)
            s.bets[b][slot++] = std::int16_t(n);
        ++b;
    }
    s.bets[0][5] = std::int16_t(key);
    s.createdOn = OleDate::fromDate(createdOn);
    return s;
}

QByteArray Fixtures::bytesOf(const std::vector<DrawRecord> &draws)
{
    QByteArray bytes;
    for (const auto &d : draws)
        bytes += d.toBytes();
    return bytes;
}

QByteArray Fixtures::bytesOf(const std::vector<SyndicateRecord> &syndicates)
{
    QByteArray bytes;
    for (const auto &s : syndicates)
        bytes += s.toBytes();
    return bytes;
}

bool Fixtures::writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray Fixtures::readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
