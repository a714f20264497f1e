#pragma once

#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>
#include <set>
#include <vector>

class Session;

// One prize a peña won in one draw: one entry per peña, draw and category
// (1 = 5 + 1 ... 8 = 2 + 0, 9 = the reintegro), as the prize reports number them.
struct PrizeWin
{
    int syndicate = 0; // record number
    QString name;
    QDate date;
    int category = 0;
    std::int64_t count = 0; // winning bets (or combinations)
    std::optional<std::int64_t> amountCents; // none while the report is not final
    bool unconfirmed = false; // the report contradicts it: no amount yet

    bool operator==(const PrizeWin &) const = default;
};

// Every prize the peñas won in the given draws, peña by peña, oldest draw first.
std::vector<PrizeWin> prizesIn(const Session &session, const std::set<QDate> &dates);

// The prizes a download brought: those of the draws it added and of the
// stored draws whose report it completed. Made before the download starts,
// asked once it has finished; the window and `update` share it.
class PrizeWatch
{
public:
    explicit PrizeWatch(const Session &session);
    std::vector<PrizeWin> found(const Session &session, const std::vector<QDate> &newDraws) const;
    // The draws whose prizes the download brought: the new ones and those
    // whose report it completed.
    std::set<QDate> touched(const Session &session, const std::vector<QDate> &newDraws) const;

private:
    std::set<QDate> m_unfinished;
};
