#pragma once

#include <QDate>
#include <QDialog>
#include <QUrl>

#include <array>

class DrawEntry;
class Prompter;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class Session;
class UrlOpener;

// The ways to put draws in without the download, for the window. Each form
// hands what the user typed to DrawEntry, which checks it, stores it and
// says what happened; a refused form stays open with everything typed.

// "Pegar resultados del navegador…": the service's answer as the browser
// shows it, pasted into a text box.
class PasteResultsDialog final : public QDialog
{
    Q_OBJECT

public:
    PasteResultsDialog(DrawEntry &entry, Prompter &prompter, UrlOpener &opener, const QUrl &address,
                       QWidget *parent = nullptr);

    void setText(const QString &text);

private:
    void add();

    DrawEntry &m_entry;
    Prompter &m_prompter; // where the entry's outcome is shown
    QPlainTextEdit *m_text;
};

// "Añadir sorteo a mano…": a date, five numbers and the key.
class ManualDrawDialog final : public QDialog
{
    Q_OBJECT

public:
    ManualDrawDialog(DrawEntry &entry, Prompter &prompter, QDate suggested, QDate today, QWidget *parent = nullptr);

    void setDraw(QDate date, const std::array<int, 5> &numbers, int key);

private:
    void check();
    void add();
    std::array<int, 5> numbers() const;

    DrawEntry &m_entry;
    Prompter &m_prompter; // where the entry's outcome is shown
    QDate m_today;
    QDateEdit *m_date;
    std::array<QSpinBox *, 5> m_numbers {};
    QSpinBox *m_key;
    QLabel *m_problem;
    QPushButton *m_add = nullptr;
};

// "Informe de premios a mano…": the nine rows of a stored draw's report.
class ManualPrizeDialog final : public QDialog
{
    Q_OBJECT

public:
    ManualPrizeDialog(DrawEntry &entry, Session &session, QDate date, QWidget *parent = nullptr);

    // Row 1..9: the winners and the euros per winning bet, as typed.
    void setRow(int category, const QString &winners, const QString &euros);

private:
    void fill();
    void save();

    DrawEntry &m_entry;
    Session &m_session;
    QComboBox *m_draw;
    std::array<QLineEdit *, 9> m_winners {};
    std::array<QLineEdit *, 9> m_euros {};
    QLabel *m_problem;
};
