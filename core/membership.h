#pragma once

#include "scrutiny/shares.h"
#include "store/memberfile.h"
#include "store/outcome.h"

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

class Session;

// The members of the peñas, their shares, and what each one put in and won.
// The window's members table and the `members` and `participation` commands
// both go through here; every change is written at once, and a refused one
// comes back as an outcome whose cause says why (wording/ words it).
class Membership
{
public:
    explicit Membership(Session &session);

    static QString organiserName(); // who a peña without members belongs to

    // As kept: empty for a peña without members or a record that does not exist.
    std::vector<Member> members(int record) const;
    // Who shares the peña: its members, or its organiser alone.
    std::vector<Member> sharers(int record) const;
    int totalShares(int record) const;
    // The sharer a typed name stands for: that exact name, else the one it
    // is the same name as (MemberFile::sameName).
    std::optional<Member> sharer(int record, const QString &name) const;

    struct Row
    {
        Member member;
        Shares::Part money;
    };
    // Each sharer's part of the peña's money; the parts add up to
    // Session::moneyTotals(record).
    std::vector<Row> rows(int record) const;

    // One sharer's part of every draw the peña played (the same parts as the
    // participation slips); empty when there is no such peña or sharer.
    std::vector<Shares::DrawPart> memberLedger(int record, const QString &name) const;

    // Done when written; Unchanged when it was so already.
    Outcome add(int record, const QString &name, int shares);
    Outcome setShares(int record, const QString &name, int shares);
    Outcome rename(int record, const QString &name, const QString &newName);
    // No question here: the front end asks first.
    Outcome remove(int record, const QString &name);

    // One participation per sharer (or only the one named), for the draw of
    // date: its stake priced by that draw's report, or at the usual price
    // while there is none. No sheets, and the refusal, when the peña or
    // the member does not exist or the peña has nothing to play.
    struct Participations
    {
        Outcome outcome;
        std::vector<Shares::Participation> sheets;
    };
    Participations participations(int record, const QString &member, QDate date) const;

private:
    bool exists(int record) const;
    MemberFile::Key keyOf(int record) const;
    Outcome store(int record, std::vector<Member> members);
    static Outcome refuse(Outcome::Cause cause, int record = 0, const QString &name = {});

    Session &m_session;
};
