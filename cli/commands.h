#pragma once

#include "scrutiny/money.h"

#include <QJsonObject>
#include <QStringList>

#include <cstdio>

class ResultList;
class Session;

// The commands of quorvale-cli. Each one calls the session exactly as the
// window does and turns what the session holds into JSON.
namespace Cli
{
    struct Options
    {
        bool json = false;
        bool csv = false;
        int draws = 1; // check: HScroll1
        bool historico = false; // check: Check1
        bool premio = false; // check: Check2
    };

    QJsonObject statusJson(const Session &session);
    QJsonObject drawsJson(const Session &session);
    // Shows every syndicate's details in turn, as clicks on the list would.
    QJsonObject syndicatesJson(Session &session);
    // {"drawsPlayed", "drawsPriced", "stakeCents", "wonCents", "balanceCents",
    // "unpricedDraws", "unpricedStakeCents", "pricedBalanceCents", "unconfirmedPrizes"}.
    QJsonObject moneyJson(const Money::Totals &totals);

    // {"simple": [...], "multiple": [...]}, one row at a time: each row is
    // {"cells": [...], "colors": ["#rrggbb" or null per cell]}.
    void writeCheckJson(std::FILE *out, const Session &session);
    void writeCheckText(std::FILE *out, const Session &session);

    // What is wrong with the options of export, found before any file is
    // opened; empty when nothing is.
    QString exportUsageError(const Options &options);
    // status, draws, export, check and syndicates on a started session;
    // each returns the exit code.
    int runStatus(Session &session, const Options &options);
    int runDraws(Session &session, const Options &options);
    int runExport(Session &session, const Options &options);
    int runCheck(Session &session, const Options &options);
    int runSyndicates(Session &session, const Options &options);
}
