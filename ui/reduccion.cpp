#include "reduccion.h"
#include "outcomebox.h"

#include "base/prompter.h"
#include "core/session.h"
#include "core/syndicatecreation.h"
#include "core/wheelsyndicates.h"
#include "fittoscreen.h"
#include "store/cents.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
    constexpr std::int64_t kBetCents = 150;

    QString two(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

    QString euros(long long bets)
    {
        const long long capped = std::min<long long>(bets, std::numeric_limits<std::int64_t>::max() / kBetCents);
        return formatEuros(capped * kBetCents);
    }
}

Reduccion::Reduccion(Session &session, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
{
    setObjectName(QStringLiteral("Reduccion"));
    setWindowTitle(QStringLiteral("Reducción"));

    // The pool: 54 cells in rows of nine.
    auto *grid = new QGridLayout;
    grid->setSpacing(2);
    for (int n = 1; n <= Wheel::kHighestNumber; ++n) {
        auto *cell = new QToolButton(this);
        cell->setObjectName(QStringLiteral("Numero_%1").arg(n));
        cell->setText(QString::number(n));
        cell->setCheckable(true);
        cell->setFixedSize(34, 28);
        connect(cell, &QToolButton::clicked, this, [this, n] { toggleNumber(n); });
        grid->addWidget(cell, (n - 1) / 9, (n - 1) % 9);
        m_cells.push_back(cell);
    }
    m_fixedMode = new QPushButton(QStringLiteral("Marcar fijos"), this);
    m_fixedMode->setObjectName(QStringLiteral("MarcarFijos"));
    m_fixedMode->setCheckable(true);
    m_fixedMode->setToolTip(QStringLiteral("Con este botón pulsado, cada número elegido que toque pasa a ser fijo (hasta 3): "
                                           "se juega en todas las apuestas."));
    auto *clear = new QPushButton(QStringLiteral("Borrar números"), this);
    clear->setObjectName(QStringLiteral("BorrarNumeros"));
    connect(clear, &QPushButton::clicked, this, [this] {
        m_pool.clear();
        m_fixed.clear();
        refreshSelection();
    });

    m_guarantee = new QComboBox(this);
    m_guarantee->setObjectName(QStringLiteral("Garantia"));
    for (const Wheel::Guarantee g : Wheel::guarantees())
        m_guarantee->addItem(Wheel::guaranteeText(g), QVariant::fromValue(g.t * 10 + g.p));
    m_guarantee->setCurrentIndex(m_guarantee->findData(45));
    connect(m_guarantee, &QComboBox::currentIndexChanged, this, &Reduccion::refreshSelection);

    m_selection = new QLabel(this);
    m_selection->setObjectName(QStringLiteral("Seleccion"));
    m_selection->setWordWrap(true);
    m_known = new QLabel(this);
    m_known->setObjectName(QStringLiteral("Conocida"));
    m_known->setWordWrap(true);
    m_known->setMinimumHeight(m_known->fontMetrics().lineSpacing() * 3);

    m_calculate = new QPushButton(QStringLiteral("Calcular"), this);
    m_calculate->setObjectName(QStringLiteral("Calcular"));
    connect(m_calculate, &QPushButton::clicked, this, &Reduccion::calculate);
    m_stop = new QPushButton(QStringLiteral("Parar"), this);
    m_stop->setObjectName(QStringLiteral("Parar"));
    m_stop->setToolTip(QStringLiteral("Para la búsqueda y se queda con la menor reducción hallada hasta ahora."));
    m_stop->setEnabled(false);
    connect(m_stop, &QPushButton::clicked, this, &Reduccion::stopCalculation);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("Progreso"));
    m_progress->setRange(0, 1000);
    m_progress->setTextVisible(false);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Estado"));
    m_status->setWordWrap(true);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Room for the longest message, so that the layout does not cut it.
    m_status->setMinimumHeight(m_status->fontMetrics().lineSpacing() * 4);

    m_bets = new QTableWidget(0, 5, this);
    m_bets->setObjectName(QStringLiteral("Apuestas"));
    m_bets->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_bets->horizontalHeader()->setVisible(false);
    m_bets->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_bets->verticalHeader()->setDefaultSectionSize(20);
    m_bets->setMinimumWidth(220);

    m_outcomes = new QTableWidget(0, 8, this);
    m_outcomes->setObjectName(QStringLiteral("Resultados"));
    m_outcomes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_outcomes->setHorizontalHeaderLabels({QStringLiteral("Salen"), QStringLiteral("Casos"), QStringLiteral("Mínimo"),
                                           QStringLiteral("5 ac."), QStringLiteral("4 ac."), QStringLiteral("3 ac."),
                                           QStringLiteral("2 ac."), QStringLiteral("0-1 ac.")});
    m_outcomes->verticalHeader()->setVisible(false);
    m_outcomes->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_outcomes->setToolTip(QStringLiteral("Por cada cantidad de números premiados entre los suyos: en cuántos casos "
                                          "la mejor apuesta acierta 5, 4, 3... y el peor caso."));

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("Nombre"));
    m_name->setMaxLength(SyndicateCreation::kMaxNameLength);
    m_name->setPlaceholderText(QStringLiteral("Nombre de la peña"));
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString &text) {
        const int at = m_name->cursorPosition();
        m_name->setText(text.toUpper());
        m_name->setCursorPosition(at);
    });
    m_key = new QSpinBox(this);
    m_key->setObjectName(QStringLiteral("Clave"));
    m_key->setRange(0, 9);
    m_save = new QPushButton(QStringLiteral("Guardar como peñas"), this);
    m_save->setObjectName(QStringLiteral("GuardarPenas"));
    m_save->setEnabled(false);
    connect(m_save, &QPushButton::clicked, this, &Reduccion::saveAsSyndicates);
    m_check = new QPushButton(QStringLiteral("Comprobar peñas…"), this);
    m_check->setObjectName(QStringLiteral("ComprobarPenas"));
    connect(m_check, &QPushButton::clicked, this, &Reduccion::chooseSyndicatesToCheck);

    // Left: the choice. Right: the result.
    auto *left = new QVBoxLayout;
    auto *numbersBox = new QGroupBox(QStringLiteral("Sus números (de 6 a 30)"), this);
    auto *numbersLayout = new QVBoxLayout(numbersBox);
    numbersLayout->addLayout(grid);
    auto *numberButtons = new QHBoxLayout;
    numberButtons->addWidget(m_fixedMode);
    numberButtons->addWidget(clear);
    numbersLayout->addLayout(numberButtons);
    left->addWidget(numbersBox);
    auto *guaranteeLabel = new QLabel(QStringLiteral("Garantía:"), this);
    left->addWidget(guaranteeLabel);
    left->addWidget(m_guarantee);
    left->addWidget(m_selection);
    left->addWidget(m_known);
    auto *run = new QHBoxLayout;
    run->addWidget(m_calculate);
    run->addWidget(m_stop);
    left->addLayout(run);
    left->addWidget(m_progress);
    left->addWidget(m_status);
    left->addStretch(1);

    auto *right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Apuestas:"), this));
    right->addWidget(m_bets, 3);
    right->addWidget(new QLabel(QStringLiteral("Resultados posibles:"), this));
    right->addWidget(m_outcomes, 2);
    auto *saveRow = new QHBoxLayout;
    saveRow->addWidget(m_name, 1);
    saveRow->addWidget(new QLabel(QStringLiteral("Clave:"), this));
    saveRow->addWidget(m_key);
    right->addLayout(saveRow);
    auto *saveButtons = new QHBoxLayout;
    saveButtons->addWidget(m_save);
    saveButtons->addWidget(m_check);
    right->addLayout(saveButtons);

    auto *layout = new QHBoxLayout(FitToScreen::scrolledContents(this));
    layout->addLayout(left, 0);
    layout->addLayout(right, 1);

    m_poll = new QTimer(this);
    m_poll->setInterval(100);
    connect(m_poll, &QTimer::timeout, this, &Reduccion::pollProgress);
    refreshSelection();
}

Reduccion::~Reduccion()
{
    if (m_thread) {
        m_cancel = true;
        m_thread->wait();
    }
}

Wheel::Request Reduccion::request() const
{
    Wheel::Request r;
    r.pool = m_pool;
    r.fixed = m_fixed;
    const int code = m_guarantee->currentData().toInt();
    r.guarantee = {code / 10, code % 10};
    return r;
}

void Reduccion::toggleNumber(int number)
{
    const auto inPool = std::find(m_pool.begin(), m_pool.end(), number);
    const auto inFixed = std::find(m_fixed.begin(), m_fixed.end(), number);
    if (m_fixedMode->isChecked()) {
        if (inFixed != m_fixed.end()) {
            m_fixed.erase(inFixed);
        } else if (int(m_fixed.size()) < Wheel::kMaxFixed) {
            m_fixed.push_back(number);
            if (inPool == m_pool.end())
                m_pool.push_back(number);
        }
    } else if (inPool != m_pool.end()) {
        m_pool.erase(inPool);
        if (inFixed != m_fixed.end())
            m_fixed.erase(inFixed);
    } else if (int(m_pool.size()) < Wheel::kMaxPool) {
        m_pool.push_back(number);
    }
    std::sort(m_pool.begin(), m_pool.end());
    std::sort(m_fixed.begin(), m_fixed.end());
    refreshSelection();
}

void Reduccion::refreshSelection()
{
    for (int n = 1; n <= Wheel::kHighestNumber; ++n) {
        QToolButton *cell = m_cells[std::size_t(n - 1)];
        const bool chosen = std::binary_search(m_pool.begin(), m_pool.end(), n);
        const bool fixed = std::find(m_fixed.begin(), m_fixed.end(), n) != m_fixed.end();
        cell->setChecked(chosen);
        cell->setStyleSheet(fixed        ? QStringLiteral("QToolButton { background: rgb(230, 120, 20); color: white; font-weight: bold; }")
                                : chosen ? QStringLiteral("QToolButton { background: rgb(24, 48, 160); color: white; }")
                                         : QString());
    }
    const Wheel::Request r = request();
    QString text = QStringLiteral("%1 números elegidos").arg(m_pool.size());
    if (!m_fixed.empty()) {
        QStringList fixed;
        for (int n : m_fixed)
            fixed << QString::number(n);
        text += QStringLiteral("; fijos: %1").arg(fixed.join(QStringLiteral(", ")));
    }
    text += QLatin1Char('.');
    const QString problem = Wheel::requestProblem(r);
    if (!problem.isEmpty() && !m_pool.empty())
        text += QLatin1Char(' ') + problem;
    m_selection->setText(text);

    if (problem.isEmpty()) {
        const Wheel::KnownSize known = Wheel::knownSize(r);
        const long long full = Wheel::fullMultipleBets(int(m_pool.size()));
        QString line;
        if (known.bestKnown > 0)
            line = QStringLiteral("La menor %1: %2 apuestas, %3 por sorteo.")
                       .arg(r.guarantee.t == r.guarantee.p ? QStringLiteral("conocida") : QStringLiteral("publicada"))
                       .arg(known.bestKnown)
                       .arg(euros(known.bestKnown));
        else if (known.lowerBound > 0)
            line = QStringLiteral("Ninguna puede tener menos de %1 apuestas (%2 por sorteo).")
                       .arg(known.lowerBound)
                       .arg(euros(known.lowerBound));
        line += QStringLiteral(" La múltiple de %1 números: %2 apuestas, %3.").arg(m_pool.size()).arg(full).arg(euros(full));
        m_known->setText(line.trimmed());
    } else {
        m_known->setText(m_pool.empty() ? QStringLiteral("Toque de 6 a 30 números.") : QString());
    }
    m_calculate->setEnabled(problem.isEmpty() && !m_thread);
}

void Reduccion::calculate()
{
    if (m_thread)
        return;
    m_runningRequest = request();
    if (const QString problem = Wheel::requestProblem(m_runningRequest); !problem.isEmpty()) {
        m_session.prompter().warn(QStringLiteral("Reducción"), problem);
        return;
    }
    m_cancel = false;
    m_progressBest = 0;
    m_progressPermille = 0;
    m_running = std::make_unique<Wheel::Result>();
    Wheel::Options options;
    options.seconds = m_seconds;
    options.cancel = &m_cancel;
    options.progress = [this](const Wheel::SearchProgress &p) {
        m_progressBest = p.bestSize;
        m_progressPermille = int(std::clamp(1000.0 * p.elapsed / std::max(0.001, p.budget), 0.0, 1000.0));
    };
    const Wheel::Request request = m_runningRequest;
    Wheel::Result *out = m_running.get();
    m_thread = QThread::create([request, options, out] { *out = Wheel::makeWheel(request, options); });
    m_thread->setParent(this);
    connect(m_thread, &QThread::finished, this, &Reduccion::calculationDone);
    m_calculate->setEnabled(false);
    m_stop->setEnabled(true);
    m_save->setEnabled(false);
    m_check->setEnabled(false);
    m_progress->setValue(0);
    m_status->setText(QStringLiteral("Buscando la menor reducción…"));
    m_thread->start();
    m_poll->start();
}

void Reduccion::stopCalculation()
{
    m_cancel = true;
    m_status->setText(QStringLiteral("Parando…"));
}

void Reduccion::pollProgress()
{
    m_progress->setValue(m_progressPermille);
    if (m_progressBest > 0 && !m_cancel)
        m_status->setText(QStringLiteral("Buscando… la menor hallada tiene %1 apuestas.").arg(m_progressBest.load()));
}

void Reduccion::calculationDone()
{
    m_poll->stop();
    m_thread->deleteLater();
    m_thread = nullptr;
    m_stop->setEnabled(false);
    m_check->setEnabled(true);
    m_progress->setValue(m_progress->maximum());
    const Wheel::Result found = std::move(*m_running);
    m_running.reset();
    if (found.bets.empty()) {
        m_status->setText(QStringLiteral("No se ha podido hacer la reducción."));
    } else {
        m_result = found;
        m_resultRequest = m_runningRequest;
        m_bets->setRowCount(int(m_result.bets.size()));
        for (int row = 0; row < int(m_result.bets.size()); ++row)
            for (int c = 0; c < 5; ++c) {
                auto *item = new QTableWidgetItem(two(m_result.bets[std::size_t(row)][std::size_t(c)]));
                item->setTextAlignment(Qt::AlignCenter);
                m_bets->setItem(row, c, item);
            }
        const bool lotto = m_resultRequest.guarantee.t != m_resultRequest.guarantee.p;
        m_status->setText(QStringLiteral("%1. Comprobada: cumple la garantía en todos los casos. Cuesta %2 por sorteo.")
                              .arg(Wheel::sizeSentence(int(m_result.bets.size()), m_result.known, lotto),
                                   euros(long(m_result.bets.size()))));
        showCheck(m_result.check, int(m_result.bets.size()));
        m_save->setEnabled(!m_session.isReadOnly());
    }
    refreshSelection();
    emit calculationFinished();
}

void Reduccion::showCheck(const Wheel::Check &check, int)
{
    const auto &outcomes = check.coverage.outcomes;
    m_outcomes->setRowCount(int(outcomes.size()));
    for (int row = 0; row < int(outcomes.size()); ++row) {
        const Wheel::Outcome &o = outcomes[std::size_t(row)];
        QStringList cells {QString::number(o.winning), QString::number(o.ways), QString::number(o.least)};
        for (int h = 5; h >= 2; --h)
            cells << (h <= o.winning ? QString::number(o.byBestHit[std::size_t(h)]) : QString());
        std::uint64_t low = 0;
        for (int h = 0; h <= std::min(1, o.winning); ++h)
            low += o.byBestHit[std::size_t(h)];
        cells << QString::number(low);
        for (int c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(cells.at(c));
            item->setTextAlignment(Qt::AlignCenter);
            m_outcomes->setItem(row, c, item);
        }
    }
}

void Reduccion::saveAsSyndicates()
{
    if (m_result.bets.empty())
        return;
    const QString title = QStringLiteral("Guardar como peñas");
    const QString name = m_name->text();
    if (const Outcome problem = WheelSyndicates::problem(name, m_key->value(), int(m_result.bets.size()));
        problem.status == Outcome::Status::Refused) {
        showOutcome(m_session.prompter(), problem);
        return;
    }
    SyndicateCreation creation(m_session);
    const WheelSyndicates::Saved saved = WheelSyndicates::save(creation, name, m_key->value(), m_result.bets);
    showOutcome(m_session.prompter(), saved.stopped);
    if (!saved.records.empty()) {
        m_session.updateStatus();
        m_session.showNewestDraw();
        emit syndicatesCreated();
    }
    if (saved.complete) {
        m_session.prompter().inform(title, QStringLiteral("Guardadas %1 peñas: %2.").arg(saved.records.size()).arg(saved.names.join(QStringLiteral(", "))));
    } else if (!saved.records.empty()) {
        m_session.prompter().warn(title, QStringLiteral("Sólo se guardaron %1 de %2 peñas: %3.").arg(saved.records.size()).arg(saved.names.size()).arg(saved.names.mid(0, qsizetype(saved.records.size())).join(QStringLiteral(", "))));
    }
}

void Reduccion::checkSyndicates(const std::vector<int> &records)
{
    const Wheel::Request r = request();
    if (const QString problem = Wheel::requestProblem(r); !problem.isEmpty()) {
        m_session.prompter().warn(QStringLiteral("Comprobar peñas"), problem);
        return;
    }
    QString problem;
    const auto bets = WheelSyndicates::betsOf(m_session, records, &problem);
    if (!problem.isEmpty()) {
        m_session.prompter().warn(QStringLiteral("Comprobar peñas"), problem);
        return;
    }
    const Wheel::Check check = Wheel::checkBets(r, bets);
    m_bets->setRowCount(int(bets.size()));
    for (int row = 0; row < int(bets.size()); ++row)
        for (int c = 0; c < 5; ++c) {
            auto *item = new QTableWidgetItem(two(bets[std::size_t(row)][std::size_t(c)]));
            item->setTextAlignment(Qt::AlignCenter);
            m_bets->setItem(row, c, item);
        }
    showCheck(check, int(bets.size()));
    QString text = QStringLiteral("Las peñas elegidas (%1 apuestas) cubren el %2 % de los casos de la garantía \"%3\".")
                       .arg(bets.size())
                       .arg(QLocale(QLocale::Spanish).toString(100.0 * check.share(), 'f', 2))
                       .arg(Wheel::guaranteeText(r.guarantee));
    if (!check.uncovered.empty()) {
        QStringList first;
        for (std::size_t i = 0; i < std::min<std::size_t>(3, check.uncovered.size()); ++i) {
            QStringList numbers;
            for (int n : check.uncovered[i])
                numbers << QString::number(n);
            first << numbers.join(QLatin1Char('-'));
        }
        text += QStringLiteral(" Sin cubrir, por ejemplo: %1.").arg(first.join(QStringLiteral("; ")));
    }
    m_status->setText(text);
    // The list now shows the peñas' bets, not a reduction to save.
    m_result = Wheel::Result();
    m_save->setEnabled(false);
}

void Reduccion::chooseSyndicatesToCheck()
{
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Comprobar peñas"));
    auto *list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("ListaPenas"));
    const auto &syndicates = m_session.syndicates().records();
    for (std::size_t i = 0; i < syndicates.size(); ++i) {
        auto *item = new QListWidgetItem(QStringLiteral("%1. %2").arg(i + 1).arg(syndicates[i].name()), list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Marque las peñas que juegan la reducción de los números elegidos:"), &dialog));
    layout->addWidget(list);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return;
    std::vector<int> records;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked)
            records.push_back(i + 1);
    if (!records.empty())
        checkSyndicates(records);
}

void Reduccion::closeEvent(QCloseEvent *event)
{
    if (m_thread) {
        m_cancel = true;
        m_thread->wait();
    }
    QWidget::closeEvent(event);
}
