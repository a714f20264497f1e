#include "membermodel.h"

#include "outcomebox.h"

#include "core/session.h"
#include "store/cents.h"

#include <QBrush>
#include <QFont>

MemberModel::MemberModel(Session &session, QObject *parent)
    : QAbstractTableModel(parent)
    , m_session(session)
    , m_membership(session)
{
}

void MemberModel::show(int record)
{
    beginResetModel();
    m_record = record;
    m_stored = m_membership.members(record);
    m_rows = m_membership.rows(record);
    m_totals = record != 0 ? m_session.money().totals(record) : Money::Totals {};
    m_totalShares = record != 0 ? m_membership.totalShares(record) : 0;
    endResetModel();
}

QString MemberModel::memberName(int row) const
{
    return row >= 0 && row < int(m_stored.size()) ? m_stored[std::size_t(row)].name : QString();
}

int MemberModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || m_rows.empty() ? 0 : int(m_rows.size()) + 1;
}

int MemberModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MemberModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const bool total = index.row() == int(m_rows.size());
    if (role == Qt::FontRole && total) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (role == Qt::TextAlignmentRole && index.column() != Name)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ForegroundRole && index.column() == Balance) {
        const std::int64_t balance = total ? m_totals.balanceCents : m_rows[std::size_t(index.row())].money.balanceCents;
        if (balance < 0)
            return QBrush(QColor(0xc0, 0, 0));
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (total) {
        switch (index.column()) {
        case Name: return QStringLiteral("Total");
        case Shares: return m_totalShares;
        case Stake: return formatEuros(m_totals.stakeCents);
        case Won: return formatEuros(m_totals.wonCents);
        case Balance: return formatEuros(m_totals.balanceCents);
        }
        return {};
    }
    const Membership::Row &row = m_rows[std::size_t(index.row())];
    switch (index.column()) {
    case Name: return row.member.name;
    case Shares: return row.member.shares;
    case Stake: return formatEuros(row.money.stakeCents);
    case Won: return formatEuros(row.money.wonCents);
    case Balance: return formatEuros(row.money.balanceCents);
    }
    return {};
}

QVariant MemberModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Name: return QStringLiteral("Socio");
    case Shares: return QStringLiteral("Participaciones");
    case Stake: return QStringLiteral("Jugado");
    case Won: return QStringLiteral("Ganado");
    case Balance: return QStringLiteral("Balance");
    }
    return {};
}

Qt::ItemFlags MemberModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.row() < int(m_stored.size()) && (index.column() == Name || index.column() == Shares))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool MemberModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const QString name = memberName(index.row());
    // A value as it was already is taken too.
    const auto taken = [this](const Outcome &outcome) {
        const Outcome::Status status = showOutcome(m_session.prompter(), outcome).status;
        return status == Outcome::Status::Done || status == Outcome::Status::Unchanged;
    };
    bool done = false;
    if (index.column() == Name) {
        done = taken(m_membership.rename(m_record, name, value.toString()));
    } else {
        bool ok = false;
        const int shares = value.toInt(&ok);
        done = ok && taken(m_membership.setShares(m_record, name, shares));
    }
    // Every part of the money moves with one member's shares; the rows stay
    // (a reset here would pull the editor from under the view).
    m_stored = m_membership.members(m_record);
    m_rows = m_membership.rows(m_record);
    m_totalShares = m_membership.totalShares(m_record);
    emit dataChanged(this->index(0, 0), this->index(rowCount() - 1, ColumnCount - 1));
    if (!done && index.column() == Name)
        emit nameRefused(index.row(), value.toString());
    return done;
}
