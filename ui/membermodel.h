#pragma once

#include "core/membership.h"

#include <QAbstractTableModel>

class Session;

// The members table of tab 2: one row per member of the peña shown (its
// organiser alone when it has none) with their shares and their parts of
// the peña's money, then the totals. Names and shares are edited in place;
// each edit goes to the Membership at once.
class MemberModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        Name,
        Shares,
        Stake,
        Won,
        Balance,
        ColumnCount
    };

    explicit MemberModel(Session &session, QObject *parent = nullptr);

    // Reads the peña again (record 0: none).
    void show(int record);
    int record() const { return m_record; }
    // The stored member of a row; empty for the organiser and the totals.
    QString memberName(int row) const;
    bool hasMembers() const { return !m_stored.empty(); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

signals:
    // A new name for the member of row was refused (the message has been
    // shown); typed is what the user wrote, for the editor to offer again.
    void nameRefused(int row, const QString &typed);

private:
    Session &m_session;
    Membership m_membership;
    int m_record = 0;
    std::vector<Member> m_stored;
    std::vector<Membership::Row> m_rows;
    Money::Totals m_totals;
    int m_totalShares = 0;
};
