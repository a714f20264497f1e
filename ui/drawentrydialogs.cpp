#include "drawentrydialogs.h"
#include "outcomebox.h"

#include "base/calendar.h"
#include "base/clock.h"
#include "base/urlopener.h"
#include "core/drawentry.h"
#include "core/session.h"
#include "store/cents.h"
#include "store/oledate.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
    const QString kProblemStyle = QStringLiteral("color: #c00000;");

    QLabel *wrapped(const QString &text)
    {
        auto *label = new QLabel(text);
        label->setWordWrap(true);
        return label;
    }

    // Why the form cannot be taken yet, in red under it.
    QLabel *problemLabel()
    {
        QLabel *label = wrapped(QString());
        label->setObjectName(QStringLiteral("Problema"));
        label->setStyleSheet(kProblemStyle);
        return label;
    }

    // The form's own action (its objectName is name) and Cancelar.
    QDialogButtonBox *actionButtons(QDialog *dialog, const QString &name, const QString &caption, QPushButton **action)
    {
        auto *buttons = new QDialogButtonBox;
        *action = buttons->addButton(caption, QDialogButtonBox::AcceptRole);
        (*action)->setObjectName(name);
        buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
        QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
        return buttons;
    }
}

// --- PasteResultsDialog ----------------------------------------------------------

PasteResultsDialog::PasteResultsDialog(DrawEntry &entry, Prompter &prompter, UrlOpener &opener, const QUrl &address,
                                       QWidget *parent)
    : QDialog(parent)
    , m_entry(entry)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("PegarResultados"));
    setWindowTitle(QStringLiteral("Pegar resultados del navegador"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(wrapped(QStringLiteral(
        "Abra en el navegador la dirección del servicio de resultados de Loterías y Apuestas. El navegador muestra "
        "la lista de sorteos como texto: selecciónelo todo, cópielo y péguelo abajo. Se añaden los sorteos y sus "
        "informes de premios, con las mismas comprobaciones que en la descarga.")));

    auto *addressRow = new QHBoxLayout;
    auto *addressText = new QLineEdit(address.toString(QUrl::FullyEncoded));
    addressText->setObjectName(QStringLiteral("Direccion"));
    addressText->setReadOnly(true);
    addressText->setCursorPosition(0);
    addressRow->addWidget(addressText, 1);
    auto *open = new QPushButton(QStringLiteral("Abrir en el navegador"));
    open->setObjectName(QStringLiteral("AbrirNavegador"));
    connect(open, &QPushButton::clicked, this, [&opener, address] { opener.open(address); });
    addressRow->addWidget(open);
    // Where no browser can be started, the address is copied by hand.
    auto *copy = new QPushButton(QStringLiteral("Copiar"));
    copy->setObjectName(QStringLiteral("Copiar"));
    connect(copy, &QPushButton::clicked, this, [addressText] {
        QApplication::clipboard()->setText(addressText->text());
        addressText->selectAll();
    });
    addressRow->addWidget(copy);
    layout->addLayout(addressRow);

    m_text = new QPlainTextEdit;
    m_text->setObjectName(QStringLiteral("Pegado"));
    m_text->setPlaceholderText(QStringLiteral("[{\"fecha_sorteo\":\"...\", \"combinacion\":\"...\", ...}]"));
    layout->addWidget(m_text, 1);

    QPushButton *add = nullptr;
    auto *buttons = actionButtons(this, QStringLiteral("Anadir"), QStringLiteral("Añadir"), &add);
    connect(buttons, &QDialogButtonBox::accepted, this, &PasteResultsDialog::add);
    layout->addWidget(buttons);
    resize(640, 420);
}

void PasteResultsDialog::setText(const QString &text)
{
    m_text->setPlainText(text);
}

void PasteResultsDialog::add()
{
    // A refusal keeps the dialog and the text as they are.
    if (showOutcome(m_prompter, m_entry.addServiceAnswer(m_text->toPlainText().toUtf8()).outcome).isDone())
        accept();
}

// --- ManualDrawDialog --------------------------------------------------------------

ManualDrawDialog::ManualDrawDialog(DrawEntry &entry, Prompter &prompter, QDate suggested, QDate today, QWidget *parent)
    : QDialog(parent)
    , m_entry(entry)
    , m_prompter(prompter)
    , m_today(today)
{
    setObjectName(QStringLiteral("SorteoAMano"));
    setWindowTitle(QStringLiteral("Añadir sorteo a mano"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(wrapped(QStringLiteral("La fecha del sorteo, sus cinco números (en cualquier orden) y el número clave.")));

    auto *form = new QFormLayout;
    m_date = new QDateEdit(suggested.isValid() ? suggested : today);
    m_date->setObjectName(QStringLiteral("Fecha"));
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_date->setMaximumDate(today);
    connect(m_date, &QDateEdit::dateChanged, this, &ManualDrawDialog::check);
    form->addRow(QStringLiteral("Fecha:"), m_date);

    auto *numbers = new QHBoxLayout;
    for (std::size_t i = 0; i < m_numbers.size(); ++i) {
        auto *box = new QSpinBox;
        box->setObjectName(QStringLiteral("Numero%1").arg(i + 1));
        // 0 stands for "not typed yet".
        box->setRange(0, 54);
        box->setSpecialValueText(QStringLiteral("–"));
        connect(box, &QSpinBox::valueChanged, this, &ManualDrawDialog::check);
        numbers->addWidget(box);
        m_numbers[i] = box;
    }
    form->addRow(QStringLiteral("Números:"), numbers);
    m_key = new QSpinBox;
    m_key->setObjectName(QStringLiteral("Clave"));
    m_key->setRange(-1, 9);
    m_key->setSpecialValueText(QStringLiteral("–"));
    m_key->setValue(-1);
    connect(m_key, &QSpinBox::valueChanged, this, &ManualDrawDialog::check);
    form->addRow(QStringLiteral("Clave:"), m_key);
    layout->addLayout(form);

    m_problem = problemLabel();
    layout->addWidget(m_problem);
    auto *buttons = actionButtons(this, QStringLiteral("Anadir"), QStringLiteral("Añadir"), &m_add);
    connect(buttons, &QDialogButtonBox::accepted, this, &ManualDrawDialog::add);
    layout->addWidget(buttons);
    setMinimumWidth(440);
    check();
}

void ManualDrawDialog::setDraw(QDate date, const std::array<int, 5> &numbers, int key)
{
    m_date->setDate(date);
    for (std::size_t i = 0; i < numbers.size(); ++i)
        m_numbers[i]->setValue(numbers[i]);
    m_key->setValue(key);
}

std::array<int, 5> ManualDrawDialog::numbers() const
{
    std::array<int, 5> values {};
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = m_numbers[i]->value();
    return values;
}

void ManualDrawDialog::check()
{
    DrawRecord draw;
    const std::array<int, 5> values = numbers();
    for (std::size_t i = 0; i < values.size(); ++i)
        draw.numbers[i] = std::int16_t(values[i]);
    std::sort(draw.numbers.begin(), draw.numbers.end());
    draw.clave = std::int16_t(m_key->value());
    draw.date = OleDate::fromDate(m_date->date());
    QString problem;
    if (std::find(values.begin(), values.end(), 0) != values.end())
        problem = QStringLiteral("Faltan números.");
    else if (m_key->value() < 0)
        problem = QStringLiteral("Falta la clave.");
    else if (const Outcome why = DrawEntry::drawProblem(draw, m_today); why.status == Outcome::Status::Refused)
        problem = QStringLiteral("No es un sorteo posible: %1.").arg(Wording::drawProblemText(why));
    m_problem->setText(problem);
    m_add->setEnabled(problem.isEmpty());
}

void ManualDrawDialog::add()
{
    check();
    if (!m_add->isEnabled())
        return;
    if (showOutcome(m_prompter, m_entry.addDraw(m_date->date(), numbers(), m_key->value()).outcome).isDone())
        accept();
}

// --- ManualPrizeDialog -------------------------------------------------------------

ManualPrizeDialog::ManualPrizeDialog(DrawEntry &entry, Session &session, QDate date, QWidget *parent)
    : QDialog(parent)
    , m_entry(entry)
    , m_session(session)
{
    setObjectName(QStringLiteral("InformeAMano"));
    setWindowTitle(QStringLiteral("Informe de premios a mano"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(wrapped(QStringLiteral(
        "Los acertantes y lo que cobra cada apuesta premiada en euros, como los publica Loterías y Apuestas. "
        "El reintegro es lo que se devuelve por acertar sólo la clave.")));

    auto *drawRow = new QFormLayout;
    m_draw = new QComboBox;
    m_draw->setObjectName(QStringLiteral("Sorteo"));
    const std::vector<QDate> stored = entry.storedDates();
    for (auto it = stored.rbegin(); it != stored.rend(); ++it)
        m_draw->addItem(longSpanishDate(*it), *it);
    const int at = m_draw->findData(date);
    m_draw->setCurrentIndex(at >= 0 ? at : 0);
    connect(m_draw, &QComboBox::currentIndexChanged, this, &ManualPrizeDialog::fill);
    drawRow->addRow(QStringLiteral("Sorteo:"), m_draw);
    layout->addLayout(drawRow);

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("<b>Categoría</b>")), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("<b>Acertantes</b>")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("<b>Euros por apuesta</b>")), 0, 2);
    static const char *const names[] = {"1ª (5 + 1)", "2ª (5 + 0)", "3ª (4 + 1)", "4ª (4 + 0)", "5ª (3 + 1)",
                                        "6ª (3 + 0)", "7ª (2 + 1)", "8ª (2 + 0)", "Reintegro"};
    for (int i = 0; i < PrizeReport::kRows; ++i) {
        grid->addWidget(new QLabel(QString::fromUtf8(names[i])), i + 1, 0);
        auto *winners = new QLineEdit;
        winners->setObjectName(QStringLiteral("Acertantes%1").arg(i + 1));
        winners->setAlignment(Qt::AlignRight);
        auto *euros = new QLineEdit;
        euros->setObjectName(QStringLiteral("Euros%1").arg(i + 1));
        euros->setAlignment(Qt::AlignRight);
        euros->setPlaceholderText(QStringLiteral("0,00"));
        grid->addWidget(winners, i + 1, 1);
        grid->addWidget(euros, i + 1, 2);
        m_winners[std::size_t(i)] = winners;
        m_euros[std::size_t(i)] = euros;
    }
    layout->addLayout(grid);

    m_problem = problemLabel();
    layout->addWidget(m_problem);
    QPushButton *save = nullptr;
    auto *buttons = actionButtons(this, QStringLiteral("Guardar"), QStringLiteral("Guardar"), &save);
    save->setEnabled(!stored.empty());
    connect(buttons, &QDialogButtonBox::accepted, this, &ManualPrizeDialog::save);
    layout->addWidget(buttons);
    setMinimumWidth(480);
    fill();
}

void ManualPrizeDialog::setRow(int category, const QString &winners, const QString &euros)
{
    m_winners[std::size_t(category - 1)]->setText(winners);
    m_euros[std::size_t(category - 1)]->setText(euros);
}

void ManualPrizeDialog::fill()
{
    // What is known of the draw's report is offered to be corrected; the
    // category 8 prize and the reintegro are fixed by the game's rules.
    const PrizeReport report = m_session.prizeReports().report(m_draw->currentData().toDate());
    for (int category = 1; category <= PrizeReport::kRows; ++category) {
        QString winners;
        QString euros;
        if (report.isFinal()) {
            const PrizeRow &row = report.row(category);
            if (row.winners >= 0)
                winners = QString::number(row.winners);
            if (row.prizeCents >= 0)
                euros = Cents::format(row.prizeCents);
        } else if (category == 8) {
            euros = Cents::format(300);
        } else if (category == PrizeReport::kReintegro) {
            euros = Cents::format(150);
        }
        setRow(category, winners, euros);
    }
    m_problem->clear();
}

void ManualPrizeDialog::save()
{
    PrizeReport report;
    report.date = m_draw->currentData().toDate();
    for (int category = 1; category <= PrizeReport::kRows; ++category) {
        const auto winners = Cents::parseCount(m_winners[std::size_t(category - 1)]->text());
        const QString euroText = m_euros[std::size_t(category - 1)]->text();
        auto cents = Cents::parse(euroText);
        if (!cents)
            cents = Cents::parseGrouped(euroText);
        if (!winners || !cents) {
            m_problem->setText(QStringLiteral("Fila %1: escriba los acertantes (un número entero) y los euros por apuesta "
                                              "(por ejemplo 1.234,56).")
                                   .arg(category));
            (winners ? m_euros : m_winners)[std::size_t(category - 1)]->setFocus();
            return;
        }
        report.row(category) = {*winners, *cents};
    }
    m_problem->clear();
    if (showOutcome(m_session.prompter(), m_entry.setPrizeReport(report).outcome).isDone())
        accept();
}
