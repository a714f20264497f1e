#include "resultlistmodel.h"

#include "core/session.h"
#include "scrutiny/resultlist.h"

#include <QColor>

#include <limits>

ResultListModel::ResultListModel(const Session &session, Which which, QObject *parent)
    : QAbstractTableModel(parent)
    , m_session(session)
    , m_which(which)
{
    auto rowsNow = [this] {
        // A view holds an int of rows; a list beyond that shows its start.
        return int(std::min<qsizetype>(list().rowCount(), std::numeric_limits<int>::max()));
    };
    m_rows = rowsNow();
    if (which == Which::Simple) {
        connect(&session, &Session::simpleResultsAboutToChange, this, &ResultListModel::beginResetModel);
        connect(&session, &Session::simpleResultsChanged, this, [this, rowsNow] {
            m_rows = rowsNow();
            endResetModel();
        });
    } else {
        connect(&session, &Session::multipleResultsAboutToChange, this, &ResultListModel::beginResetModel);
        connect(&session, &Session::multipleResultsChanged, this, [this, rowsNow] {
            m_rows = rowsNow();
            endResetModel();
        });
    }
}

const ResultList &ResultListModel::list() const
{
    return m_which == Which::Simple ? m_session.simpleResults() : m_session.multipleResults();
}

int ResultListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int ResultListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : list().columnCount();
}

QVariant ResultListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.parent().isValid() || index.row() >= m_rows)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return list().text(index.row(), index.column());
    case Qt::ForegroundRole:
        if (const auto colour = list().colour(index.row(), index.column()))
            return QColor(QRgb(*colour));
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() != list().commentColumn())
            return QVariant::fromValue(Qt::AlignCenter);
        return {};
    default:
        return {};
    }
}

QVariant ResultListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return ResultList::headerText(list().layout(), section);
}

Qt::ItemFlags ResultListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}
