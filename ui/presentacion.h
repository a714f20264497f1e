#pragma once

#include <QWidget>

class QPushButton;
class QTimer;

// "Presentación": the product picture and "Entrar". Opens the main window
// when pressed, or by itself after about nine and a half seconds; once.
class Presentacion final : public QWidget
{
    Q_OBJECT

public:
    explicit Presentacion(QWidget *parent = nullptr);

    // One tick of Timer1 (250 ms); public so that the pause can be stepped.
    void tick();
    int tickCounter() const { return m_counter; }

signals:
    // Show the main window (it closes the splash when loaded).
    void enterRequested();

private:
    void enter();

    QTimer *m_timer;
    int m_counter = 2;
    bool m_entered = false;
};
