#pragma once

#include "wheel/wheel.h"

#include <QWidget>

#include <atomic>
#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QThread;
class QTimer;
class QToolButton;
class Session;

// "Reducción": a pool of numbers on a 1-54 grid, up to three fixed numbers
// and a guarantee; the fewest bets found in the time given, proven, with the
// table of outcomes; saved as peñas or checked against peñas that exist. The
// search runs on a thread of its own and can be stopped; what it found so
// far is kept.
class Reduccion final : public QWidget
{
    Q_OBJECT

public:
    explicit Reduccion(Session &session, QWidget *parent = nullptr);
    ~Reduccion() override;

    // What the window would ask the engine for.
    Wheel::Request request() const;
    const Wheel::Result &result() const { return m_result; }
    bool isCalculating() const { return m_thread != nullptr; }
    // The search's time in seconds (tests shorten it).
    void setSeconds(double seconds) { m_seconds = seconds; }

    // "Comprobar peñas…" without the dialog: the peñas (records from 1).
    void checkSyndicates(const std::vector<int> &records);

signals:
    void calculationFinished();
    // Peñas were written: the main window's lists are out of date.
    void syndicatesCreated();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void toggleNumber(int number);
    void refreshSelection();
    void calculate();
    void stopCalculation();
    void pollProgress();
    void calculationDone();
    void showCheck(const Wheel::Check &check, int bets);
    void saveAsSyndicates();
    void chooseSyndicatesToCheck();

    Session &m_session;
    std::vector<QToolButton *> m_cells; // numbers 1..54
    std::vector<int> m_pool;
    std::vector<int> m_fixed;
    QComboBox *m_guarantee;
    QPushButton *m_fixedMode;
    QLabel *m_selection;
    QLabel *m_known;
    QPushButton *m_calculate;
    QPushButton *m_stop;
    QProgressBar *m_progress;
    QLabel *m_status;
    QTableWidget *m_bets;
    QTableWidget *m_outcomes;
    QLineEdit *m_name;
    QSpinBox *m_key;
    QPushButton *m_save;
    QPushButton *m_check;
    QTimer *m_poll;

    double m_seconds = Wheel::kDefaultSeconds;
    QThread *m_thread = nullptr;
    std::atomic<bool> m_cancel {false};
    std::atomic<int> m_progressBest {0};
    std::atomic<int> m_progressPermille {0};
    std::unique_ptr<Wheel::Result> m_running;
    Wheel::Request m_runningRequest;
    Wheel::Result m_result;
    Wheel::Request m_resultRequest;
};
