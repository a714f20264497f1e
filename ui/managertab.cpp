#include "managertab.h"

#include "balancechart.h"
#include "effectivenesschart.h"
#include "membermodel.h"
#include "prizespage.h"
#include "widgets.h"

#include "base/prompter.h"
#include "core/membership.h"
#include "core/session.h"
#include "outcomebox.h"
#include "scrutiny/categories.h"
#include "store/cents.h"
#include "wording/moneywording.h"
#include "wording/syndicatewording.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

using namespace Widgets;

namespace
{
    // The table's editor, which can open once with a text of our choosing:
    // a refused name comes back as it was typed, to be mended.
    class MemberEditDelegate final : public QStyledItemDelegate
    {
    public:
        using QStyledItemDelegate::QStyledItemDelegate;
        void offerOnce(const QString &text) { m_offered = text; }
        void forget() { m_offered.reset(); }
        void setEditorData(QWidget *editor, const QModelIndex &index) const override
        {
            auto *line = qobject_cast<QLineEdit *>(editor);
            if (line && m_offered) {
                line->setText(*m_offered);
                m_offered.reset();
                return;
            }
            QStyledItemDelegate::setEditorData(editor, index);
        }

    private:
        mutable std::optional<QString> m_offered;
    };
}

ManagerTab::ManagerTab(Session &session, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
{
    auto *layout = new QHBoxLayout(this);

    auto *left = new QVBoxLayout;
    m_syndicateList = new QTreeWidget;
    m_syndicateList->setObjectName(QStringLiteral("ListView1"));
    m_syndicateList->setHeaderLabels({QStringLiteral("Nombre"), QStringLiteral("Apuestas"),
                                      QStringLiteral("Fecha creación"), QStringLiteral("Días a jugar")});
    m_syndicateList->setRootIsDecorated(false);
    m_syndicateList->setSelectionMode(QAbstractItemView::SingleSelection);
    // The name takes what the other columns leave; a 20-letter name fits.
    m_syndicateList->header()->setStretchLastSection(false);
    m_syndicateList->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < 4; ++c)
        m_syndicateList->header()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    // The highlighted peña is the selected one, however the highlight got
    // there (a click, the arrow keys, Home/End): "Imprimir" and "Eliminar
    // peña" act on what the user sees. A click on the item already
    // highlighted still selects it, as nothing is selected at first.
    auto select = [this](QTreeWidgetItem *item) {
        // The position in the list is the record number.
        if (item && !m_session.syndicates().records().empty())
            m_session.selectSyndicate(m_syndicateList->indexOfTopLevelItem(item) + 1);
    };
    connect(m_syndicateList, &QTreeWidget::itemClicked, this, select);
    connect(m_syndicateList, &QTreeWidget::currentItemChanged, this, select);
    left->addWidget(m_syndicateList, 1);

    auto *buttons = new QHBoxLayout;
    m_printButton = namedButton(QStringLiteral("Command2"), QStringLiteral("Imprimir"));
    auto *create = namedButton(QStringLiteral("Command4"), QStringLiteral("Crear peña nueva"));
    m_deleteButton = namedButton(QStringLiteral("Command3"), QStringLiteral("Eliminar peña"));
    auto *printIcon = iconButton(this, 3, QStyle::SP_FileDialogContentsView, QStringLiteral("Imprimir"));
    auto *createIcon = iconButton(this, 1, QStyle::SP_FileIcon, QStringLiteral("Crear peña nueva"));
    m_deleteIcon = iconButton(this, 0, QStyle::SP_TrashIcon, QStringLiteral("Eliminar peña"));
    for (QAbstractButton *b : {static_cast<QAbstractButton *>(m_printButton), static_cast<QAbstractButton *>(printIcon)})
        connect(b, &QAbstractButton::clicked, this, &ManagerTab::printRequested);
    for (QAbstractButton *b : {static_cast<QAbstractButton *>(create), static_cast<QAbstractButton *>(createIcon)})
        connect(b, &QAbstractButton::clicked, this, &ManagerTab::createRequested);
    for (QAbstractButton *b : {static_cast<QAbstractButton *>(m_deleteButton), static_cast<QAbstractButton *>(m_deleteIcon)})
        connect(b, &QAbstractButton::clicked, this, &ManagerTab::deleteRequested);
    for (QWidget *w : {static_cast<QWidget *>(printIcon), static_cast<QWidget *>(m_printButton), static_cast<QWidget *>(createIcon),
                       static_cast<QWidget *>(create), static_cast<QWidget *>(m_deleteIcon), static_cast<QWidget *>(m_deleteButton)})
        buttons->addWidget(w);
    buttons->addStretch(1);
    left->addLayout(buttons);

    auto *overall = new QGroupBox(QStringLiteral("Todas las peñas"));
    overall->setObjectName(QStringLiteral("Frame3"));
    auto *overallGrid = new QGridLayout(overall);
    overallGrid->addWidget(namedLabel(QStringLiteral("Label14"), QStringLiteral("Premios conseguidos:")), 0, 0);
    m_totalPrizes = namedLabel(QStringLiteral("Label13"), QString());
    m_totalPrizes->setStyleSheet(kValueStyle);
    overallGrid->addWidget(m_totalPrizes, 0, 1);
    m_overallText = new QLineEdit;
    m_overallText->setObjectName(QStringLiteral("Text4"));
    m_overallText->setReadOnly(true);
    // Wide enough for the longest text it shows.
    m_overallText->setMinimumWidth(m_overallText->fontMetrics().horizontalAdvance(
                                       QStringLiteral("100,0% de efectividad en premios"))
                                   + 16);
    overallGrid->addWidget(m_overallText, 1, 0, 1, 2);
    m_overallDraws = new QLineEdit;
    m_overallDraws->setObjectName(QStringLiteral("Text5"));
    m_overallDraws->setReadOnly(true);
    overallGrid->addWidget(m_overallDraws, 2, 0, 1, 2);
    m_overallChart = new EffectivenessChart(QStringLiteral("Todas las peñas"));
    m_overallChart->setObjectName(QStringLiteral("MSChart2"));
    overallGrid->addWidget(m_overallChart, 0, 2, 3, 1);
    overallGrid->setColumnStretch(2, 1);
    left->addWidget(overall);

    // Half each: the money and the members need every column in sight.
    layout->addLayout(left, 1);

    // The details scroll rather than grow: a 24-bet peña never pushes the
    // window past the screen or its list over the labels below it.
    auto *frame = new QGroupBox(QStringLiteral("Desde la creación de la peña..."));
    frame->setObjectName(QStringLiteral("Frame1"));
    auto *grid = new QGridLayout(frame);
    m_betList = new QListWidget;
    m_betList->setObjectName(QStringLiteral("List1"));
    QFont fixed(QStringLiteral("Courier"));
    fixed.setStyleHint(QFont::TypeWriter);
    m_betList->setFont(fixed);
    m_betList->setMinimumHeight(4 * m_betList->fontMetrics().lineSpacing() + 2 * m_betList->frameWidth() + 4);
    grid->addWidget(m_betList, 0, 0, 1, 2);
    grid->setRowStretch(0, 1);
    for (int i = 0; i < PrizeCategory::kCount; ++i) {
        grid->addWidget(namedLabel(QStringLiteral("Label1_%1").arg(i), PrizeCategory::caption(i + 1)), i + 1, 0);
        m_label3[std::size_t(i)] = namedLabel(QStringLiteral("Label3_%1").arg(i), QStringLiteral("0"));
        m_label3[std::size_t(i)]->setStyleSheet(QStringLiteral("font-weight: bold;"));
        grid->addWidget(m_label3[std::size_t(i)], i + 1, 1);
    }
    grid->addWidget(namedLabel(QStringLiteral("Label15"), QStringLiteral("Sorteos jugados:")), 9, 0);
    m_drawsPlayed = namedLabel(QStringLiteral("Label17"), QStringLiteral("-"));
    m_drawsPlayed->setStyleSheet(QStringLiteral("font-weight: bold;"));
    grid->addWidget(m_drawsPlayed, 9, 1);
    grid->addWidget(namedLabel(QStringLiteral("Label18"), QStringLiteral("Efectividad:")), 10, 0);
    m_effectiveness = namedLabel(QStringLiteral("Label16"), QStringLiteral("-"));
    m_effectiveness->setStyleSheet(kValueStyle);
    grid->addWidget(m_effectiveness, 10, 1);
    m_syndicateChart = new EffectivenessChart(QStringLiteral("Esta peña"));
    m_syndicateChart->setObjectName(QStringLiteral("MSChart3"));
    m_syndicateChart->setMinimumHeight(180);
    grid->addWidget(m_syndicateChart, 11, 0, 1, 2);
    // What the peñas put in and got back, in euros, from the stored reports.
    auto *money = new QGroupBox(QStringLiteral("Según los informes de premios"));
    money->setObjectName(QStringLiteral("FrameDinero"));
    auto *moneyGrid = new QGridLayout(money);
    const QString captions[5] = {QStringLiteral("Jugado:"), QStringLiteral("Ganado:"), QStringLiteral("Balance:"),
                                 QStringLiteral("Sorteos sin informe:"), QStringLiteral("Premios sin confirmar:")};
    moneyGrid->addWidget(namedLabel(QStringLiteral("DineroPena"), QStringLiteral("Esta peña")), 0, 1);
    moneyGrid->addWidget(namedLabel(QStringLiteral("DineroTodas"), QStringLiteral("Todas")), 0, 2);
    for (int row = 0; row < 5; ++row) {
        // The lines under the balance say whether it is provisional.
        const int gridRow = row < 3 ? row + 1 : row + 3;
        moneyGrid->addWidget(namedLabel(QStringLiteral("DineroTitulo_%1").arg(row), captions[row]), gridRow, 0);
        for (int which = 0; which < 2; ++which) {
            auto *value = namedLabel(QStringLiteral("Dinero%1_%2").arg(which == 0 ? QStringLiteral("Pena") : QStringLiteral("Todas")).arg(row), QString());
            value->setStyleSheet(kValueStyle);
            value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            moneyGrid->addWidget(value, gridRow, which + 1);
            m_money[std::size_t(which)][std::size_t(row)] = value;
        }
    }
    for (int which = 0; which < 2; ++which) {
        auto *note = namedLabel(which == 0 ? QStringLiteral("DineroPenaProvisional") : QStringLiteral("DineroTodasProvisional"), QString());
        note->setWordWrap(true);
        note->setStyleSheet(QStringLiteral("color: #806000;"));
        moneyGrid->addWidget(note, 4 + which, 0, 1, 3);
        m_provisional[std::size_t(which)] = note;
    }
    m_balanceChart = new BalanceChart;
    m_balanceChart->setObjectName(QStringLiteral("GraficoBalance"));
    m_balanceChart->setMinimumHeight(220);
    moneyGrid->addWidget(m_balanceChart, 8, 0, 1, 3);
    moneyGrid->setColumnStretch(0, 1);
    auto *scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("Frame1Scroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(frame);
    auto *moneyScroll = new QScrollArea;
    moneyScroll->setWidgetResizable(true);
    moneyScroll->setFrameShape(QFrame::NoFrame);
    moneyScroll->setWidget(money);
    // The prizes counted and the money they meant, a page each.
    m_detailPages = new QTabWidget;
    m_detailPages->setObjectName(QStringLiteral("Detalles"));
    m_detailPages->addTab(scroll, QStringLiteral("Aciertos"));
    m_detailPages->addTab(moneyScroll, QStringLiteral("Dinero"));
    auto *membersScroll = new QScrollArea;
    membersScroll->setWidgetResizable(true);
    membersScroll->setFrameShape(QFrame::NoFrame);
    membersScroll->setWidget(buildMembersPage());
    m_detailPages->addTab(membersScroll, QStringLiteral("Socios"));
    // Every page scrolls the same way; the list of prizes scrolls itself.
    auto *prizesScroll = new QScrollArea;
    prizesScroll->setWidgetResizable(true);
    prizesScroll->setFrameShape(QFrame::NoFrame);
    prizesScroll->setWidget(new PrizesPage(m_session));
    m_detailPages->addTab(prizesScroll, QStringLiteral("Premios"));
    layout->addWidget(m_detailPages, 1);

    connect(&m_session, &Session::syndicatesChanged, this, &ManagerTab::showSyndicates);
    connect(&m_session, &Session::syndicateDetailsChanged, this, &ManagerTab::showSyndicateDetails);
    connect(&m_session, &Session::drawListChanged, this, &ManagerTab::showMoney);
    showSyndicates();
}

void ManagerTab::setDeletionAllowed(bool allowed)
{
    m_deletionAllowed = allowed;
    const bool any = !m_session.syndicates().list().items.empty();
    m_deleteButton->setEnabled(allowed && any);
    m_deleteIcon->setEnabled(allowed);
}

void ManagerTab::showSyndicates()
{
    const Summary::SyndicateList &list = m_session.syndicates().list();
    {
        // Rebuilding the list moves no selection; showSyndicateDetails
        // highlights the peña the session has selected.
        const QSignalBlocker block(m_syndicateList);
        m_syndicateList->clear();
        if (list.items.empty())
            new QTreeWidgetItem(m_syndicateList, {QStringLiteral("VACÍO")});
        for (const Summary::ListItem &item : list.items) {
            auto *row = new QTreeWidgetItem(m_syndicateList, Wording::listItemTexts(item));
            if (item.damaged)
                row->setForeground(1, QColor(0xFF, 0, 0));
        }
    }
    m_printButton->setEnabled(!list.items.empty());
    setDeletionAllowed(m_deletionAllowed);

    m_totalPrizes->setText(Wording::totalPrizesText(list));
    m_overallText->setText(Wording::overallText(list));
    m_overallDraws->setText(Wording::overallDrawsText(list));
    m_overallChart->setRow(list.overallChart);
    showSyndicateDetails();
}

void ManagerTab::showSyndicateDetails()
{
    const Summary::Details &details = m_session.syndicates().details();
    m_betList->clear();
    m_betList->addItems(Wording::detailLines(details));
    for (std::size_t i = 0; i < m_label3.size(); ++i)
        m_label3[i]->setText(Wording::prizeCountText(details, int(i) + 1));
    m_drawsPlayed->setText(Wording::drawsPlayedText(details));
    m_effectiveness->setText(Wording::effectivenessText(details));
    m_syndicateChart->setRow(details.chart);

    // The item whose details are shown is the one highlighted.
    const int row = details.record - 1;
    const QSignalBlocker block(m_syndicateList);
    if (row >= 0 && row < m_syndicateList->topLevelItemCount() && !m_session.syndicates().records().empty())
        m_syndicateList->setCurrentItem(m_syndicateList->topLevelItem(row));
    else if (m_syndicateList->topLevelItemCount() > 0)
        m_syndicateList->setCurrentItem(m_syndicateList->topLevelItem(0));
    showMoney();
}

QWidget *ManagerTab::buildMembersPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("PaginaSocios"));
    auto *layout = new QVBoxLayout(page);
    m_members = new MemberModel(m_session, this);
    m_memberTable = new QTableView;
    m_memberTable->setObjectName(QStringLiteral("TablaSocios"));
    m_memberTable->setModel(m_members);
    auto *delegate = new MemberEditDelegate(m_memberTable);
    m_memberTable->setItemDelegate(delegate);
    // Queued: the refused editor closes first, then opens again.
    connect(
        m_members, &MemberModel::nameRefused, this, [this, delegate](int row, const QString &typed) {
            if (row >= m_members->rowCount() || m_members->memberName(row).isEmpty())
                return;
            const QModelIndex cell = m_members->index(row, MemberModel::Name);
            delegate->offerOnce(typed);
            m_memberTable->setCurrentIndex(cell);
            m_memberTable->edit(cell);
            delegate->forget(); // taken by the editor, or no editor could open
            // The cursor after the text, nothing selected: a key adds, never replaces.
            if (auto *line = qobject_cast<QLineEdit *>(m_memberTable->indexWidget(cell)))
                line->end(false);
        },
        Qt::QueuedConnection);
    m_memberTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_memberTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_memberTable->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                   | QAbstractItemView::AnyKeyPressed);
    m_memberTable->verticalHeader()->hide();
    // Whole names and figures always; a narrow window scrolls the table
    // rather than cutting them.
    m_memberTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_memberTable, 1);
    m_membersProvisional = namedLabel(QStringLiteral("SociosProvisional"), QString());
    m_membersProvisional->setWordWrap(true);
    m_membersProvisional->setStyleSheet(QStringLiteral("color: #806000;"));
    m_membersProvisional->hide();
    layout->addWidget(m_membersProvisional);
    auto *hint = new QLabel(QStringLiteral("Doble clic en un nombre o en las participaciones para cambiarlos. "
                                           "Lo jugado y lo ganado se reparten según las participaciones."));
    hint->setWordWrap(true);
    layout->addWidget(hint);

    auto *edit = new QHBoxLayout;
    auto *add = namedButton(QStringLiteral("AnadirSocio"), QStringLiteral("Añadir socio"));
    auto *remove = namedButton(QStringLiteral("QuitarSocio"), QStringLiteral("Quitar socio"));
    connect(add, &QPushButton::clicked, this, &ManagerTab::addMember);
    connect(remove, &QPushButton::clicked, this, &ManagerTab::removeMember);
    edit->addWidget(add);
    edit->addWidget(remove);
    edit->addStretch(1);
    layout->addLayout(edit);
    // One above the other: the page stays as narrow as the window needs.
    auto *print = new QVBoxLayout;
    auto *printButton = namedButton(QStringLiteral("ImprimirParticipaciones"), QStringLiteral("Imprimir participaciones"));
    auto *pdfButton = namedButton(QStringLiteral("ParticipacionesPdf"), QStringLiteral("Participaciones en PDF..."));
    printButton->setToolTip(QStringLiteral("Una hoja por socio para el próximo sorteo: las apuestas, lo que le toca "
                                           "pagar y la firma del organizador."));
    connect(printButton, &QPushButton::clicked, this, [this] { emit participationsRequested(false); });
    connect(pdfButton, &QPushButton::clicked, this, [this] { emit participationsRequested(true); });
    print->addWidget(printButton, 0, Qt::AlignLeft);
    print->addWidget(pdfButton, 0, Qt::AlignLeft);
    // One member's page, for a draw of the user's choosing: a button that
    // names the member selected, and the same in the table's menu.
    m_memberParticipation = namedButton(QStringLiteral("ParticipacionSocio"), QStringLiteral("Participación de…"));
    connect(m_memberParticipation, &QPushButton::clicked, this, [this] {
        if (const QString member = selectedMember(); !member.isEmpty())
            emit memberParticipationRequested(member);
    });
    print->addWidget(m_memberParticipation, 0, Qt::AlignLeft);
    layout->addLayout(print);
    m_memberTable->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_memberTable, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        const QModelIndex index = m_memberTable->indexAt(at);
        const QString member = m_members->memberName(index.row());
        if (!index.isValid() || member.isEmpty())
            return;
        m_memberTable->selectRow(index.row());
        QMenu menu(this);
        QAction *action = menu.addAction(QStringLiteral("Participación de %1…").arg(member));
        action->setObjectName(QStringLiteral("MenuParticipacionSocio"));
        if (menu.exec(m_memberTable->viewport()->mapToGlobal(at)) == action)
            emit memberParticipationRequested(member);
    });
    connect(m_memberTable->selectionModel(), &QItemSelectionModel::selectionChanged, this, &ManagerTab::showMemberChoice);
    connect(m_members, &QAbstractItemModel::modelReset, this, &ManagerTab::showMemberChoice);
    showMemberChoice();
    return page;
}

QString ManagerTab::selectedMember() const
{
    const QModelIndexList rows = m_memberTable->selectionModel()->selectedRows();
    return rows.isEmpty() ? QString() : m_members->memberName(rows.first().row());
}

void ManagerTab::showMemberChoice()
{
    const QString member = selectedMember();
    m_memberParticipation->setEnabled(!member.isEmpty());
    m_memberParticipation->setText(member.isEmpty() ? QStringLiteral("Participación de…")
                                                    : QStringLiteral("Participación de %1…").arg(member));
}

void ManagerTab::addMember()
{
    const int record = m_session.syndicates().shown();
    if (!syndicateChosen(m_session.prompter(), record, Outcome::Command::Members))
        return;
    Membership membership(m_session);
    const auto members = membership.members(record);
    // A free name to start from, edited at once.
    QString name;
    for (int n = int(members.size()) + 1;; ++n) {
        name = QStringLiteral("Socio %1").arg(n);
        if (std::none_of(members.begin(), members.end(), [&](const Member &m) { return MemberFile::sameName(m.name, name); }))
            break;
    }
    if (!showOutcome(m_session.prompter(), membership.add(record, name, 1)).isDone())
        return;
    m_members->show(record);
    const QModelIndex cell = m_members->index(int(members.size()), MemberModel::Name);
    m_memberTable->setCurrentIndex(cell);
    m_memberTable->edit(cell);
}

void ManagerTab::removeMember()
{
    const int record = m_session.syndicates().shown();
    const QString name = m_members->memberName(m_memberTable->currentIndex().row());
    if (record == 0 || name.isEmpty()) {
        m_session.prompter().inform(QStringLiteral("Socios"), QStringLiteral("Seleccione un socio primero..."));
        return;
    }
    const QString syndicate = m_session.syndicates().records()[std::size_t(record - 1)].name();
    if (!m_session.prompter().ask(QStringLiteral("Socios"), QStringLiteral("¿Quitar a %1 de la peña %2?").arg(name, syndicate)))
        return;
    showOutcome(m_session.prompter(), Membership(m_session).remove(record, name));
    m_members->show(record);
}

void ManagerTab::showMoney()
{
    const int shown = m_session.syndicates().shown();
    m_members->show(shown);
    // The members' balances are provisional with the peña's.
    const QString provisional = shown != 0 ? Wording::provisionalText(m_session.money().totals(shown)) : QString();
    m_membersProvisional->setText(provisional.isEmpty() ? QString() : QStringLiteral("Balance ") + provisional);
    m_membersProvisional->setVisible(!provisional.isEmpty());
    for (int which = 0; which < 2; ++which) {
        const int record = which == 0 ? shown : 0;
        auto &labels = m_money[std::size_t(which)];
        if (which == 0 && record == 0) {
            for (QLabel *label : labels)
                label->setText(QStringLiteral("-"));
            m_provisional[0]->clear();
            m_provisional[0]->hide();
            continue;
        }
        const Money::Totals totals = m_session.money().totals(record);
        labels[0]->setText(formatEuros(totals.stakeCents));
        labels[1]->setText(formatEuros(totals.wonCents));
        labels[2]->setText(formatEuros(totals.balanceCents));
        labels[2]->setStyleSheet(totals.balanceCents < 0 ? QStringLiteral("font-weight: bold; color: #c00000;") : kValueStyle);
        labels[3]->setText(QString::number(totals.unpricedDraws));
        labels[4]->setText(QString::number(totals.unconfirmedPrizes));
        labels[4]->setStyleSheet(totals.unconfirmedPrizes > 0 ? QStringLiteral("font-weight: bold; color: #c00000;") : kValueStyle);
        const QString provisional = Wording::provisionalText(totals);
        m_provisional[std::size_t(which)]->setText(
            provisional.isEmpty() ? QString() : (which == 0 ? QStringLiteral("Esta peña: ") : QStringLiteral("Todas: ")) + provisional);
        m_provisional[std::size_t(which)]->setVisible(!provisional.isEmpty());
    }
    const QString title = shown != 0 ? QStringLiteral("Balance de %1").arg(m_session.syndicates().records()[std::size_t(shown - 1)].name().trimmed())
                                     : QStringLiteral("Balance de todas las peñas");
    m_balanceChart->setPoints(title, m_session.money().balanceHistory(shown));
}
