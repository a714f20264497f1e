#include "crea.h"
#include "outcomebox.h"

#include "fittoscreen.h"
#include "slippanel.h"

#include "base/prompter.h"
#include "core/session.h"
#include "core/syndicatecreation.h"
#include "scrutiny/money.h"
#include "store/nametext.h"
#include "wording/outcomewording.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
    const QString kNameOverflow = QStringLiteral("AYYYYYY!!");
}

Crea::Crea(Session &session, SyndicateCreation &creation, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
    , m_creation(creation)
{
    setObjectName(QStringLiteral("Crea"));
    setWindowTitle(QStringLiteral("Crear peña nueva..."));

    auto *nameLabel = new QLabel(QStringLiteral("Nombre de la Peña:"), this);
    nameLabel->setObjectName(QStringLiteral("Label1"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("Text1"));
    m_name->installEventFilter(this);
    nameLabel->setBuddy(m_name);
    connect(m_name, &QLineEdit::textChanged, this, &Crea::nameChanged);

    m_instruction = new QLabel(this);
    m_instruction->setObjectName(QStringLiteral("Label4"));
    QFont bold = m_instruction->font();
    bold.setBold(true);
    m_instruction->setFont(bold);

    auto *betLabel = new QLabel(QStringLiteral("-Apuesta nº:"), this);
    betLabel->setObjectName(QStringLiteral("Label2"));
    m_betNumber = new QLabel(this);
    m_betNumber->setObjectName(QStringLiteral("Label3"));
    m_betNumber->setFont(bold);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Courier"), fixed.family()});
    m_list->setFont(fixed);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(QString(36, QLatin1Char('0'))));

    const auto onClick = [this](int cell) { cellClicked(cell); };
    auto *slip = new QWidget(this);
    const QSize numbersSize = SlipPanel::panelSize(SlipPanel::Kind::Numbers);
    slip->setFixedSize(numbersSize);
    m_numbers = new SlipPanel(SlipPanel::Kind::Numbers, onClick, slip);
    m_numbers->setObjectName(QStringLiteral("Picture1"));
    m_keys = new SlipPanel(SlipPanel::Kind::Keys, onClick, slip);
    m_keys->setObjectName(QStringLiteral("Picture2"));
    m_keys->move((numbersSize.width() - m_keys->width()) / 2, 0);

    m_save = new QPushButton(QStringLiteral("Grabar"), this);
    m_save->setObjectName(QStringLiteral("Command1"));
    m_remove = new QPushButton(QStringLiteral("Borrar"), this);
    m_remove->setObjectName(QStringLiteral("Command2"));
    m_random = new QPushButton(QStringLiteral("Aleatorio"), this);
    m_random->setObjectName(QStringLiteral("Command3"));
    connect(m_save, &QPushButton::clicked, this, &Crea::save);
    connect(m_remove, &QPushButton::clicked, this, &Crea::removeLast);
    connect(m_random, &QPushButton::clicked, this, &Crea::randomFill);
    m_cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    m_cancel->setObjectName(QStringLiteral("Cancelar"));
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);
    m_saved = new QLabel(this);
    m_saved->setObjectName(QStringLiteral("Grabada"));
    m_saved->setStyleSheet(QStringLiteral("color: rgb(0, 128, 0); font-weight: bold;"));

    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(m_name, 1);
    auto *betRow = new QHBoxLayout;
    betRow->addWidget(betLabel);
    betRow->addWidget(m_betNumber);
    betRow->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_save);
    buttons->addWidget(m_remove);
    buttons->addWidget(m_random);
    buttons->addWidget(m_cancel);
    auto *side = new QVBoxLayout;
    side->addLayout(betRow);
    side->addWidget(m_list, 1);
    side->addLayout(buttons);
    auto *body = new QHBoxLayout;
    body->addWidget(slip, 0, Qt::AlignTop);
    body->addLayout(side, 1);
    auto *layout = new QVBoxLayout(FitToScreen::scrolledContents(this));
    layout->addLayout(nameRow);
    layout->addWidget(m_instruction);
    layout->addLayout(body, 1);
    layout->addWidget(m_saved);

    m_creation.restart();
    render();
}

bool Crea::eventFilter(QObject *watched, QEvent *event)
{
    // Typed letters go into the name in capitals; pasted text keeps its case.
    if (watched == m_name && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (plain && !text.isEmpty() && text.at(0).isPrint() && text != text.toUpper()) {
            m_name->insert(text.toUpper());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool Crea::hasUnsavedInput() const
{
    return !m_name->text().isEmpty() || !m_creation.lines().isEmpty() || m_creation.cellsMarked() > 0;
}

void Crea::closeEvent(QCloseEvent *event)
{
    if (hasUnsavedInput()
        && !m_session.prompter().ask(windowTitle(), QStringLiteral("¿Descartar la peña sin grabar?"))) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void Crea::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Crea::nameChanged(const QString &text)
{
    // A letter typed with its accent apart is one letter of the name.
    if (NameText::composed(text).size() <= SyndicateCreation::kMaxNameLength)
        return;
    m_session.prompter().warn(SyndicateCreation::kErrorTitle, Wording::kNameTooLong);
    m_name->setText(kNameOverflow);
}

void Crea::cellClicked(int cell)
{
    showOutcome(m_session.prompter(), m_creation.click(cell));
    render();
}

void Crea::save()
{
    const QString name = m_name->text().trimmed();
    const int record = showOutcome(m_session.prompter(), m_creation.save(m_name->text())).record;
    const auto &records = m_session.syndicates().records();
    if (record > 0 && record <= int(records.size())) {
        m_name->clear();
        // The bets each draw of the saved peña plays, counted as its money counts them.
        const std::int64_t bets = Money::betsPlayed(records[std::size_t(record - 1)]);
        m_saved->setText(QStringLiteral("Peña %1 grabada (%2 apuestas)").arg(name).arg(bets));
    } else if (!m_name->text().trimmed().isEmpty() && SyndicateCreation::nameProblem(m_name->text()) != NameRule::Fits) {
        // The name was refused: back to it as typed, to mend it.
        m_name->setFocus();
    }
    render();
    if (record > 0)
        emit syndicateSaved(record);
}

void Crea::removeLast()
{
    m_creation.removeLast();
    render();
}

void Crea::randomFill()
{
    showOutcome(m_session.prompter(), m_creation.randomFill());
    render();
}

void Crea::render()
{
    m_instruction->setText(m_creation.instruction());
    m_betNumber->setText(m_creation.nextBetText());
    if (m_list->count() != m_creation.lines().size() || [&] {
            for (int i = 0; i < m_list->count(); ++i) {
                if (m_list->item(i)->text() != m_creation.lines().at(i))
                    return true;
            }
            return false;
        }()) {
        m_list->clear();
        m_list->addItems(m_creation.lines());
        m_list->scrollToBottom();
    }
    const bool keyPhase = m_creation.phase() == SyndicateCreation::Phase::Key;
    m_keys->setVisible(keyPhase);
    m_numbers->setVisible(!keyPhase);
    for (int cell = 0; cell < SyndicateCreation::kNumberCells; ++cell)
        m_numbers->cell(cell)->setMarked(m_creation.isMarked(cell));
    m_save->setEnabled(m_creation.canSave());
    m_remove->setEnabled(m_creation.canRemove());
    m_random->setEnabled(m_creation.canRandom());
}
