#include "fixtures.h"

#include "store/drawcsv.h"
#include "store/oledate.h"

#include <QFile>
#include <QProcess>

#include <map>

#include <algorithm>

std::vector<DrawRecord> Fixtures::searchPageDraws()
{
    return {
        Fixtures::draw({2026, 10, 25}, {4, 13, 29, 35, 47}, 1),
        Fixtures::draw({2026, 11, 1}, {8, 16, 25, 41, 53}, 7),
        Fixtures::draw({2026, 11, 8}, {5, 11, 20, 38, 49}, 2),
        Fixtures::draw({2026, 11, 15}, {1, 18, 27, 30, 44}, 5),
        Fixtures::draw({2026, 11, 22}, {9, 14, 22, 36, 54}, 9),
        Fixtures::draw({2026, 11, 29}, {3, 12, 28, 40, 45}, 0),
        Fixtures::draw({2026, 12, 6}, {2, 7, 19, 33, 51}, 4),
    };
}

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

SyndicateRecord Fixtures::multipleSyndicate(const QString &name, std::initializer_list<int> numbers, int key,
                                            QDate createdOn)
{
    SyndicateRecord s;
    s.setName(name);
    s.setDrawDay(QStringLiteral("Domingo"));
    s.kind = std::int16_t(95 + int(numbers.size()));
    std::size_t slot = 0;
    for (int n : numbers)
        s.bets[0][slot++] = std::int16_t(n);
    s.bets[0][slot] = std::int16_t(key);
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

std::vector<PrizeReport> Fixtures::realReports()
{
    // date,category,hits,winners,prize_eur: categories 1 to 8, R the
    // reintegro; euros with a decimal point.
    std::map<QDate, PrizeReport> reports;
    QFile file(QStringLiteral(QUORVALE_TEST_DATA "/gordo_prize_reports.csv"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    file.readLine();
    while (!file.atEnd()) {
        const QList<QByteArray> f = file.readLine().trimmed().split(',');
        if (f.size() != 5)
            continue;
        const QDate date = QDate::fromString(QString::fromLatin1(f[0]), Qt::ISODate);
        const QList<QByteArray> euros = f[4].split('.');
        PrizeReport &report = reports[date];
        report.date = date;
        report.status = PrizeReport::Status::Final;
        PrizeRow &row = report.row(f[1] == "R" ? PrizeReport::kReintegro : f[1].toInt());
        row.winners = f[3].toLongLong();
        row.prizeCents = euros[0].toLongLong() * 100 + euros.value(1).toLongLong();
    }
    std::vector<PrizeReport> out;
    for (const auto &[date, report] : reports)
        out.push_back(report);
    return out;
}

Fixtures::Run Fixtures::runProgram(const QString &program, const QStringList &arguments, int timeoutMs)
{
    QProcess process;
    process.start(program, arguments);
    Run run;
    if (process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit)
        run.code = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}
