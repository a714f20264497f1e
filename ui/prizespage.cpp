#include "prizespage.h"

#include "widgets.h"

#include "core/session.h"
#include "store/cents.h"
#include "wording/moneywording.h"
#include "wording/prizewording.h"

#include <QBrush>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
    // A child row's internal id is its line's row plus one; lines have 0.
    constexpr quintptr kLine = 0;
}

PrizeListModel::PrizeListModel(QObject *parent)
    : QAbstractItemModel(parent)
{
}

void PrizeListModel::setList(PrizeList::List list)
{
    beginResetModel();
    m_list = std::move(list);
    endResetModel();
}

QModelIndex PrizeListModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasIndex(row, column, parent))
        return {};
    return createIndex(row, column, parent.isValid() ? quintptr(parent.row()) + 1 : kLine);
}

QModelIndex PrizeListModel::parent(const QModelIndex &child) const
{
    if (!child.isValid() || child.internalId() == kLine)
        return {};
    return createIndex(int(child.internalId() - 1), 0, kLine);
}

int PrizeListModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return int(m_list.size());
    if (parent.internalId() != kLine || parent.column() != 0)
        return 0;
    return int(m_list.line(std::size_t(parent.row())).memberCount);
}

int PrizeListModel::columnCount(const QModelIndex &) const
{
    return ColumnCount;
}

QVariant PrizeListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole && index.column() == Euros)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (index.internalId() != kLine) {
        const PrizeList::Line &line = m_list.line(std::size_t(index.internalId() - 1));
        const PrizeList::MemberPart &part = m_list.membersOf(line)[std::size_t(index.row())];
        if (role != Qt::DisplayRole)
            return {};
        if (index.column() == Syndicate)
            return m_list.memberName(line, std::size_t(index.row()));
        if (index.column() == Euros)
            return part ? formatEuros(*part) : Wording::noReportText();
        return {};
    }
    const PrizeList::Line &line = m_list.line(std::size_t(index.row()));
    if (role == Qt::ForegroundRole && index.column() == Euros && (line.outcome.unconfirmed || !line.outcome.wonCents))
        return QBrush(QColor(0xc0, 0x60, 0));
    if (role == Qt::ToolTipRole && index.column() == Euros)
        return Wording::prizeAmountsText(m_list, line);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Date: return line.outcome.date.toString(QStringLiteral("dd/MM/yyyy"));
    case Syndicate: return m_list.nameOf(line);
    case Hits: return Wording::hitsText(line.outcome);
    case Euros: return Wording::wonText(line.outcome);
    }
    return {};
}

QVariant PrizeListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Date: return QStringLiteral("Fecha");
    case Syndicate: return QStringLiteral("Peña / socio");
    case Hits: return QStringLiteral("Aciertos");
    case Euros: return QStringLiteral("Euros");
    }
    return {};
}

PrizesPage::PrizesPage(Session &session, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("PaginaPremios"));
    auto *layout = new QVBoxLayout(this);
    m_onlyShown = new QCheckBox(QStringLiteral("Sólo la peña seleccionada"));
    m_onlyShown->setObjectName(QStringLiteral("PremiosSoloPena"));
    layout->addWidget(m_onlyShown);
    m_model = new PrizeListModel(this);
    m_view = new QTreeView;
    m_view->setObjectName(QStringLiteral("ListaPremios"));
    m_view->setModel(m_model);
    m_view->setUniformRowHeights(true);
    m_view->setAlternatingRowColors(true);
    // The hits, the longest text, come last: a narrow page scrolls sideways
    // rather than cut them.
    m_view->header()->setStretchLastSection(true);
    m_view->header()->setSectionResizeMode(QHeaderView::Interactive);
    layout->addWidget(m_view, 1);
    m_total = Widgets::namedLabel(QStringLiteral("PremiosTotal"), QString());
    m_total->setWordWrap(true);
    layout->addWidget(m_total);

    connect(m_onlyShown, &QCheckBox::toggled, this, &PrizesPage::changed);
    connect(&m_session, &Session::syndicatesChanged, this, &PrizesPage::changed);
    connect(&m_session, &Session::drawListChanged, this, &PrizesPage::changed);
    connect(&m_session, &Session::syndicateDetailsChanged, this, [this] {
        if (m_onlyShown->isChecked())
            changed();
    });
}

void PrizesPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Members' shares change without a signal of the session: a page that
    // comes into sight is always rebuilt (a few milliseconds).
    rebuild();
}

void PrizesPage::changed()
{
    m_stale = true;
    if (isVisible())
        rebuild();
}

void PrizesPage::rebuild()
{
    m_stale = false;
    PrizeList::List list = PrizeList::build(m_session, nullptr, m_onlyShown->isChecked() ? m_session.syndicates().shown() : 0);
    const std::size_t lines = list.size();
    QString total = lines == 0 ? QStringLiteral("Ningún premio todavía.")
                               : QStringLiteral("Total: %1 en %2").arg(formatEuros(list.wonCents)).arg(lines == 1 ? QStringLiteral("1 premio de una peña en un sorteo") : QStringLiteral("%1 premios de peña y sorteo").arg(lines));
    if (list.pendingLines > 0)
        total += list.pendingLines == 1 ? QStringLiteral("; 1 con el importe pendiente")
                                        : QStringLiteral("; %1 con el importe pendiente").arg(list.pendingLines);
    if (list.unconfirmedPrizes > 0)
        total += QStringLiteral("; ") + Wording::unconfirmedText(list.unconfirmedPrizes);
    m_total->setText(total + (lines == 0 ? QString() : QStringLiteral(".")));
    m_model->setList(std::move(list));
    // As wide as the texts in sight.
    for (int column = 0; column < PrizeListModel::ColumnCount; ++column)
        m_view->resizeColumnToContents(column);
}
