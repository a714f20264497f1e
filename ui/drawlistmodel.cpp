#include "drawlistmodel.h"

#include "core/session.h"
#include "wording/drawwording.h"

#include <QFont>

DrawListModel::DrawListModel(const Session &session, QObject *parent)
    : QAbstractTableModel(parent)
    , m_session(session)
{
    m_rows = m_session.draws().list().total();
}

int DrawListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int DrawListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant DrawListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const auto &draws = m_session.draws().list().draws;
    if (std::size_t(index.row()) >= draws.size())
        return {};
    const DrawRecord &draw = draws[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == 0 ? Wording::drawNumbersText(draw) : Wording::drawDateText(draw);
    case Qt::FontRole: {
        QFont font(QStringLiteral("Courier"));
        font.setStyleHint(QFont::TypeWriter);
        font.setBold(index.column() == 0);
        return font;
    }
    default:
        return {};
    }
}

QVariant DrawListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == 0 ? QStringLiteral("Números ganadores") : QStringLiteral("Fecha");
}

void DrawListModel::reload()
{
    beginResetModel();
    m_rows = m_session.draws().list().total();
    endResetModel();
}
