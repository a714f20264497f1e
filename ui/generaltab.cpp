#include "generaltab.h"

#include "resultlistmodel.h"
#include "widgets.h"

#include "core/session.h"
#include "core/sessiondownloadhost.h"
#include "wording/statuswording.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStringList>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QVariantAnimation>

using namespace Widgets;

namespace
{
    const QString kSimpleCaption = QStringLiteral("S E N C I L L A");
    const QString kMultipleCaption = QStringLiteral("M Ú L T I P L E");
    const QString kPrizeCaption = QStringLiteral("P R E M I O");
    const QString kPrizeStyle = QStringLiteral("background-color: rgb(255, 0, 0); color: white; font-weight: bold;");

    // A table rather than a tree: with a million rows a tree view lays out
    // an item per row before it paints, a table only the rows in sight.
    QTableView *resultList(const QString &name, QAbstractItemModel *model)
    {
        auto *view = new QTableView;
        view->setObjectName(name);
        view->setModel(model);
        view->setShowGrid(false);
        view->setWordWrap(false);
        view->setAlternatingRowColors(false);
        view->setSelectionMode(QAbstractItemView::NoSelection);
        view->setFocusPolicy(Qt::NoFocus);
        view->verticalHeader()->hide();
        view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
        QHeaderView *header = view->horizontalHeader();
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setStretchLastSection(true);
        header->setHighlightSections(false);
        const int columns = model->columnCount();
        header->resizeSection(0, 12);
        for (int c = 1; c < columns - 1; ++c)
            header->resizeSection(c, c == columns - 2 ? 46 : 34);
        return view;
    }
}

GeneralTab::GeneralTab(Session &session, SessionDownloadHost &host, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
    , m_host(host)
{
    auto *layout = new QVBoxLayout(this);

    auto *statusBox = new QGroupBox;
    statusBox->setObjectName(QStringLiteral("Frame2"));
    auto *grid = new QGridLayout(statusBox);
    m_label9[0] = namedLabel(QStringLiteral("Label9_0"), QStringLiteral("- Peñas registradas a comprobar:"));
    m_label9[1] = namedLabel(QStringLiteral("Label9_1"), QStringLiteral("- Última actualización de números ganadores:"));
    m_label9[2] = namedLabel(QStringLiteral("Label9_2"), QString());
    m_label9[3] = namedLabel(QStringLiteral("Label9_3"), QString());
    m_label9[4] = namedLabel(QStringLiteral("Label9_4"), QStringLiteral("- Próximo sorteo:"));
    m_label9[5] = namedLabel(QStringLiteral("Label9_5"), QString());
    m_label9[6] = namedLabel(QStringLiteral("Label9_6"), QString());
    for (int i : {2, 3, 5})
        m_label9[std::size_t(i)]->setStyleSheet(kValueStyle);
    m_label9[6]->setStyleSheet(QStringLiteral("font-weight: bold; color: #ff0000;"));
    m_label9[6]->setWordWrap(true);
    // The blinking warning keeps its place so that nothing below it jumps.
    QSizePolicy keepPlace = m_label9[6]->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_label9[6]->setSizePolicy(keepPlace);
    grid->addWidget(m_label9[0], 0, 0);
    grid->addWidget(m_label9[2], 0, 1);
    grid->addWidget(m_label9[1], 1, 0);
    grid->addWidget(m_label9[3], 1, 1);
    grid->addWidget(m_label9[4], 2, 0);
    grid->addWidget(m_label9[5], 2, 1);
    grid->addWidget(m_label9[6], 3, 0, 1, 2);
    m_implausibleLabel = namedLabel(QStringLiteral("ImplausibleDraws"), QString());
    m_implausibleLabel->setStyleSheet(QStringLiteral("font-weight: bold; color: #ff0000;"));
    m_implausibleLabel->setWordWrap(true);
    m_implausibleLabel->setVisible(false);
    grid->addWidget(m_implausibleLabel, 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    layout->addWidget(statusBox);

    m_blinkTimer = new QTimer(this);
    m_blinkTimer->setObjectName(QStringLiteral("Timer2"));
    m_blinkTimer->setInterval(500);
    connect(m_blinkTimer, &QTimer::timeout, this, [this] { m_label9[6]->setVisible(!m_label9[6]->isVisible()); });

    auto *controls = new QHBoxLayout;
    auto *label12 = namedLabel(QStringLiteral("Label12"), QStringLiteral("-Seleccione el número de sorteos a ver:"));
    controls->addWidget(label12);
    m_drawsScroll = new QScrollBar(Qt::Horizontal);
    m_drawsScroll->setObjectName(QStringLiteral("HScroll1"));
    m_drawsScroll->setMinimumWidth(80);
    m_drawsScroll->setRange(1, 1);
    // While the bar is dragged only the number follows; the lists are
    // rebuilt once it is let go.
    m_drawsScroll->setTracking(false);
    connect(m_drawsScroll, &QScrollBar::sliderMoved, this, [this](int value) {
        const QSignalBlocker block(m_drawsBox);
        m_drawsBox->setValue(value);
    });
    connect(m_drawsScroll, &QScrollBar::valueChanged, this, [this](int value) {
        {
            const QSignalBlocker block(m_drawsBox);
            m_drawsBox->setValue(value);
        }
        // While the download checks the new draws it sets the count itself.
        if (m_host.stage() == DownloadStage::Scrutinizing)
            return;
        m_session.setDrawsToShow(value);
    });
    controls->addWidget(m_drawsScroll, 1);
    // The count can be typed too: 85 draws are one entry, not 84 clicks.
    m_drawsBox = new QSpinBox;
    m_drawsBox->setObjectName(QStringLiteral("Text3"));
    m_drawsBox->setRange(1, 1);
    m_drawsBox->setKeyboardTracking(false);
    m_drawsBox->setAlignment(Qt::AlignCenter);
    label12->setBuddy(m_drawsBox);
    connect(m_drawsBox, &QSpinBox::valueChanged, this, [this](int value) {
        if (m_host.stage() == DownloadStage::Scrutinizing)
            return;
        m_session.setDrawsToShow(value);
    });
    controls->addWidget(m_drawsBox);
    m_historico = new QCheckBox(QStringLiteral("Histórico"));
    m_historico->setObjectName(QStringLiteral("Check1"));
    connect(m_historico, &QCheckBox::toggled, &m_session, &Session::setHistorico);
    controls->addWidget(m_historico);
    m_soloPremio = new QCheckBox(QStringLiteral("Ver sólo si hay premio"));
    m_soloPremio->setObjectName(QStringLiteral("Check2"));
    connect(m_soloPremio, &QCheckBox::toggled, &m_session, &Session::setSoloPremio);
    controls->addWidget(m_soloPremio);
    layout->addLayout(controls);

    auto *switches = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        auto *button = namedButton(QStringLiteral("Command1_%1").arg(i), i == 0 ? kSimpleCaption : kMultipleCaption);
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(kMultipleCaption) + 40);
        connect(button, &QPushButton::clicked, this, [this, i] { showResultList(i); });
        switches->addWidget(button);
        m_listButtons[std::size_t(i)] = button;
    }
    m_storedDraws = namedLabel(QStringLiteral("Label19"), QString());
    m_storedDraws->setStyleSheet(kValueStyle);
    switches->addWidget(m_storedDraws);
    switches->addStretch(1);
    layout->addLayout(switches);

    m_prizeTimer = new QTimer(this);
    m_prizeTimer->setObjectName(QStringLiteral("Timer3"));
    m_prizeTimer->setInterval(800);
    connect(m_prizeTimer, &QTimer::timeout, this, &GeneralTab::blinkPrize);

    m_frameLine = new QFrame;
    m_frameLine->setObjectName(QStringLiteral("Shape2"));
    m_frameLine->setFrameShape(QFrame::HLine);
    m_frameLine->setFrameShadow(QFrame::Sunken);
    layout->addWidget(m_frameLine);

    m_simpleModel = new ResultListModel(m_session, ResultListModel::Which::Simple, this);
    m_multipleModel = new ResultListModel(m_session, ResultListModel::Which::Multiple, this);
    m_simpleList = resultList(QStringLiteral("ListView2"), m_simpleModel);
    m_multipleList = resultList(QStringLiteral("ListView4"), m_multipleModel);
    auto *lists = new QHBoxLayout;
    lists->setContentsMargins(0, 0, 0, 0);
    lists->addWidget(m_simpleList, 1);
    lists->addWidget(m_multipleList, 1);
    layout->addLayout(lists, 1);

    m_listAnimation = new QVariantAnimation(this);
    m_listAnimation->setDuration(kListAnimationMs);
    m_listAnimation->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_listAnimation, &QVariantAnimation::valueChanged, this, [this](const QVariant &width) {
        if (m_growingList)
            m_growingList->setMaximumWidth(width.toInt());
    });
    connect(m_listAnimation, &QVariantAnimation::finished, this, [this] {
        if (m_growingList)
            m_growingList->setMaximumWidth(QWIDGETSIZE_MAX);
        m_growingList = nullptr;
    });

    connect(&m_session, &Session::statusChanged, this, &GeneralTab::showStatus);
    connect(&m_session, &Session::syndicatesChanged, this,
            [this] { m_label9[2]->setText(QString::number(m_session.syndicates().count())); });
    connect(&m_session, &Session::viewOptionsChanged, this, &GeneralTab::showViewOptions);
    connect(&m_session, &Session::prizeNoticeChanged, this, &GeneralTab::showPrizeNotice);
    showStatus();
    m_label9[2]->setText(QString::number(m_session.syndicates().count()));
    showViewOptions();
    showPrizeNotice();
}

void GeneralTab::showStatus()
{
    const DrawStatus &status = m_session.drawStatus();
    m_label9[3]->setText(Wording::lastUpdateText(status));
    m_label9[5]->setText(Wording::nextDrawText(status));
    m_label9[6]->setText(Wording::missingDrawsText(status));
    if (status.missingWarning) {
        if (!m_blinkTimer->isActive())
            m_blinkTimer->start();
    } else {
        m_blinkTimer->stop();
        m_label9[6]->setVisible(false);
    }
    // A hole in the stored history is told on the same red line.
    const QString red = Wording::redLinesText(status);
    m_implausibleLabel->setText(red);
    m_implausibleLabel->setVisible(!red.isEmpty());
    m_historico->setEnabled(status.historyEnabled);
    m_soloPremio->setEnabled(status.historyEnabled);
    m_drawsScroll->setEnabled(status.scrollEnabled);
    m_drawsBox->setEnabled(status.scrollEnabled);
    const QSignalBlocker a(m_drawsScroll), b(m_drawsBox);
    m_drawsScroll->setMaximum(status.scrollMaximum);
    m_drawsBox->setMaximum(std::max(1, status.scrollMaximum));
    m_drawsScroll->setValue(m_session.view().drawsToShow());
    m_drawsBox->setValue(m_session.view().drawsToShow());
}

void GeneralTab::showViewOptions()
{
    const QSignalBlocker a(m_historico), b(m_soloPremio), c(m_drawsScroll), d(m_drawsBox);
    m_historico->setChecked(m_session.view().historico());
    m_soloPremio->setChecked(m_session.view().soloPremio());
    m_drawsScroll->setValue(m_session.view().drawsToShow());
    m_drawsBox->setValue(m_session.view().drawsToShow());
}

void GeneralTab::showResultList(int index)
{
    m_session.stopPrizeAnimation();
    QTableView *shown = index == 0 ? m_simpleList : m_multipleList;
    QTableView *hidden = index == 0 ? m_multipleList : m_simpleList;
    if (m_currentList == index && shown->isVisibleTo(this))
        return;
    m_currentList = index;
    hidden->setVisible(false);
    shown->setVisible(true);
    m_frameLine->setMaximumWidth(fromTwips(this, index == 0 ? 7575 : 8775));

    // The list grows into place from nothing, as it always has.
    m_listAnimation->stop();
    if (m_growingList)
        m_growingList->setMaximumWidth(QWIDGETSIZE_MAX);
    m_growingList = shown;
    const int target = std::max(width(), fromTwips(this, index == 0 ? 7601 : 8801));
    shown->setMaximumWidth(1);
    m_listAnimation->setStartValue(1);
    m_listAnimation->setEndValue(target);
    m_listAnimation->start();
}

void GeneralTab::showListWithChecks(int list, bool soloPremio, bool historico)
{
    showResultList(list);
    // Each box runs its own action only when its value changes.
    m_soloPremio->setChecked(soloPremio);
    m_historico->setChecked(historico);
}

void GeneralTab::showPrizeNotice()
{
    m_storedDraws->setText(Wording::storedDrawsText(m_session.notice().storedDrawsNotice()));
    if (m_session.notice().animationRunning()) {
        if (!m_prizeTimer->isActive())
            m_prizeTimer->start();
    } else if (m_prizeTimer->isActive()) {
        m_prizeTimer->stop();
        for (int i = 0; i < 2; ++i)
            setPrizeLook(i, false);
    }
}

void GeneralTab::setPrizeLook(int button, bool prize)
{
    QPushButton *b = m_listButtons[std::size_t(button)];
    b->setStyleSheet(prize ? kPrizeStyle : QString());
    b->setText(prize ? kPrizeCaption : (button == 0 ? kSimpleCaption : kMultipleCaption));
}

bool GeneralTab::showsPrize(int button) const
{
    return m_listButtons[std::size_t(button)]->text() == kPrizeCaption;
}

void GeneralTab::blinkPrize()
{
    const int blink = m_session.notice().prizeBlink();
    if (blink == 3) {
        const bool prize = !showsPrize(0);
        setPrizeLook(0, prize);
        setPrizeLook(1, prize);
    } else if (blink == 1 || blink == 2) {
        setPrizeLook(blink - 1, !showsPrize(blink - 1));
    }
}
