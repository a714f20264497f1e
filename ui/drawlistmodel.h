#pragma once

#include <QAbstractTableModel>

class Session;

// The draw list of the statistics tab, newest draw first, read straight
// from the session's list; texts are made when a row is painted.
class DrawListModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit DrawListModel(const Session &session, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void reload();

private:
    const Session &m_session;
    int m_rows = 0;
};
