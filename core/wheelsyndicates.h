#pragma once

#include "store/outcome.h"
#include "wheel/wheel.h"

#include <QString>
#include <QStringList>

#include <vector>

class Session;
class SyndicateCreation;

// A reduction played as peñas, and the bets of peñas checked as one: what
// the reduction window and `quorvale-cli wheel` share.
namespace WheelSyndicates
{
    constexpr int kBetsPerSyndicate = 24;
    // A reduction bigger than this is not a set of peñas anyone plays.
    constexpr int kMaxSyndicates = 100;

    // "NAME" for one peña, "NAME 1/3", "NAME 2/3" ... for more, in capitals.
    QStringList names(const QString &name, int betCount);
    // The refusal (Refused, with its cause) of the name or key before
    // anything is written, else Unchanged: every name must fit the slip and
    // the key must be 0..9.
    Outcome problem(const QString &name, int key, int betCount);

    struct Saved
    {
        std::vector<int> records; // written, in order
        QStringList names;
        bool complete = false; // every peña written
        Outcome stopped; // why the creation stopped a save, when it did
    };
    // Each peña through the creation window's own save, dated today. A save
    // the creation stops ends the run, with the reason in stopped; the peñas
    // already written stay and are listed.
    Saved save(SyndicateCreation &creation, const QString &name, int key, const std::vector<Wheel::Bet> &bets);

    // Record numbers "1,3,4" (from 1), or the message refusing them.
    QString parseRecords(const QString &text, std::vector<int> *records);
    // The five-number bets the peñas play, a multiple bet as its
    // combinations; empty with *problem set when a record does not exist or
    // is damaged.
    std::vector<std::vector<int>> betsOf(const Session &session, const std::vector<int> &records, QString *problem);
}
