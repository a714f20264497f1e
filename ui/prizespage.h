#pragma once

#include "core/prizelist.h"

#include <QAbstractItemModel>
#include <QWidget>

class QCheckBox;
class QLabel;
class QTreeView;
class Session;

// The prizes of the peñas, a line per draw and peña, newest first; under
// each line the members' parts of what it won.
class PrizeListModel final : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum Column
    {
        Date,
        Syndicate,
        Euros,
        Hits,
        ColumnCount
    };

    explicit PrizeListModel(QObject *parent = nullptr);
    void setList(PrizeList::List list);
    const PrizeList::List &list() const { return m_list; }

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    PrizeList::List m_list;
};

// The manager tab's "Premios" page: rebuilt when the draws, the reports or
// the peñas change, and only while it is on screen.
class PrizesPage final : public QWidget
{
    Q_OBJECT

public:
    explicit PrizesPage(Session &session, QWidget *parent = nullptr);
    const PrizeListModel &model() const { return *m_model; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void changed();
    void rebuild();

    Session &m_session;
    bool m_stale = true;
    QCheckBox *m_onlyShown = nullptr;
    QTreeView *m_view = nullptr;
    QLabel *m_total = nullptr;
    PrizeListModel *m_model = nullptr;
};
