#pragma once

#include <QList>
#include <QWidget>

class QCheckBox;
class QFrame;
class QLabel;
class QRadioButton;
class QTimer;
class SyndicateCreation;

// "Menú creación": simple bets, or one multiple bet of 6 to 11 numbers.
// A choice sets the kind on the SyndicateCreation, asks for the creation
// window and closes the chooser.
class Creamenu final : public QWidget
{
    Q_OBJECT

public:
    explicit Creamenu(SyndicateCreation &creation, QWidget *parent = nullptr);

signals:
    // The kind is set: open the creation window.
    void creationChosen();
    // "Reducción…": open the reduction window.
    void reductionChosen();

private:
    void revealNext();
    void choose(int multipleSize);
    void showMultipleOptions(bool shown);

    SyndicateCreation &m_creation;
    QFrame *m_optionsFrame;
    QList<QRadioButton *> m_options;
    QList<QLabel *> m_marks;
    QTimer *m_timer;
    int m_revealed = 0;
};
