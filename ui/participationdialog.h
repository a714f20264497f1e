#pragma once

#include <QDate>
#include <QDialog>

class QDateEdit;
class Prompter;

// "Participación de NAME…": the draw (a date, the next one at first) and
// whether to print the member's page or keep it as a PDF.
class ParticipationDialog final : public QDialog
{
    Q_OBJECT

public:
    enum class Choice
    {
        None,
        Print,
        Pdf
    };

    ParticipationDialog(const QString &member, QDate nextDraw, Prompter &prompter, QWidget *parent = nullptr);

    Choice choice() const { return m_choice; }
    QDate date() const;

private:
    void choose(Choice choice);

    Prompter &m_prompter;
    QDateEdit *m_date;
    Choice m_choice = Choice::None;
};
