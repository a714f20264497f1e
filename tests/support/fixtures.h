#pragma once

#include "store/drawrecord.h"
#include "store/prizereport.h"
#include "store/syndicaterecord.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <vector>

// Small builders for the data files the tests start from.
namespace Fixtures
{
    // The real draw history shipped with the tests, oldest first.
    std::vector<DrawRecord> realDraws();
    // The seven draws the test search page (busqueda.html) lists, oldest first.
    std::vector<DrawRecord> searchPageDraws();

    DrawRecord draw(QDate date, std::initializer_list<int> numbers, int clave);
    SyndicateRecord simpleSyndicate(const QString &name, std::initializer_list<std::initializer_list<int>> bets,
                                    int key, QDate createdOn);
    // One multiple bet of 6 to 11 numbers and its key.
    SyndicateRecord multipleSyndicate(const QString &name, std::initializer_list<int> numbers, int key, QDate createdOn);

    QByteArray bytesOf(const std::vector<DrawRecord> &draws);
    QByteArray bytesOf(const std::vector<SyndicateRecord> &syndicates);

    // The real prize reports of tests/data/gordo_prize_reports.csv, oldest first.
    std::vector<PrizeReport> realReports();

    bool writeFile(const QString &path, const QByteArray &bytes);
    QByteArray readFile(const QString &path);

    // A program run to its end: the exit status (-1 when it crashed or did
    // not end within timeoutMs) and everything it wrote.
    struct Run
    {
        int code = -1;
        QByteArray out;
        QByteArray err;
    };
    Run runProgram(const QString &program, const QStringList &arguments, int timeoutMs);
}
