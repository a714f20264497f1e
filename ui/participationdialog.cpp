#include "participationdialog.h"

#include "base/calendar.h"
#include "base/prompter.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

ParticipationDialog::ParticipationDialog(const QString &member, QDate nextDraw, Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("Participacion"));
    setWindowTitle(QStringLiteral("Participación de %1").arg(member));
    auto *text = new QLabel(QStringLiteral("La hoja de %1 para el sorteo del:").arg(member), this);
    m_date = new QDateEdit(nextDraw.isValid() ? nextDraw : QDate::currentDate(), this);
    m_date->setObjectName(QStringLiteral("FechaSorteo"));
    m_date->setLocale(QLocale(QLocale::Spanish, QLocale::Spain));
    m_date->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_date->setCalendarPopup(true);
    text->setBuddy(m_date);

    auto *print = new QPushButton(QStringLiteral("Imprimir"), this);
    print->setObjectName(QStringLiteral("ImprimirParticipacion"));
    auto *pdf = new QPushButton(QStringLiteral("Guardar como PDF…"), this);
    pdf->setObjectName(QStringLiteral("ParticipacionPdf"));
    auto *cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    cancel->setObjectName(QStringLiteral("Cancelar"));
    connect(print, &QPushButton::clicked, this, [this] { choose(Choice::Print); });
    connect(pdf, &QPushButton::clicked, this, [this] { choose(Choice::Pdf); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(print);
    buttons->addWidget(pdf);
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(m_date);
    layout->addLayout(buttons);
}

QDate ParticipationDialog::date() const
{
    return m_date->date();
}

void ParticipationDialog::choose(Choice choice)
{
    // As the command line's --date: only a day with a draw.
    if (!isDrawDay(date())) {
        m_prompter.warn(windowTitle(), QStringLiteral("El %1 no hay sorteo; el juego se sortea los domingos.").arg(longSpanishDate(date())));
        return;
    }
    m_choice = choice;
    accept();
}
