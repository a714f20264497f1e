#pragma once

#include <QAbstractTableModel>

class ResultList;
class Session;

// ListView2 or ListView4: a thin table over the session's result rows.
// Nothing is copied; each cell's text and colour are made when painted.
class ResultListModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum class Which
    {
        Simple,
        Multiple
    };

    ResultListModel(const Session &session, Which which, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    const ResultList &list() const;

    const Session &m_session;
    Which m_which;
    int m_rows = 0;
};
