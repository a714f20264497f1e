#pragma once

#include "stats/figures.h"
#include "stats/window.h"

#include <QWidget>

#include <memory>
#include <vector>

class DialogFileChooser;
class DistributionModel;
class FileChooser;
class FrequencyChart;
class PairFilterModel;
class PairModel;
class QComboBox;
class QDateEdit;
class QLabel;
class QSortFilterProxyModel;
class QSpinBox;
class QTabWidget;
class QTableView;
class Session;
class TryCombinationPage;
class ValueFiguresModel;

// The pages of the statistics tab over a window of draws (the newest 10,
// 25, 50 or 100, two dates, or all): Números, Claves, Parejas, Forma del
// sorteo and Comprobar combinación, beside the draw list and its frequency
// charts, which keep counting every draw.
class StatsPages final : public QWidget
{
    Q_OBJECT

public:
    // drawsPage, the draw list with its charts, becomes the first page.
    StatsPages(Session &session, QWidget *drawsPage, QWidget *parent = nullptr);
    ~StatsPages() override;

    // The window the controls choose.
    Stats::Window window() const;
    const Stats::Figures &figures() const { return m_figures; }
    // The dialogs that ask where a table goes (tests put their own).
    void setFileChooser(FileChooser *chooser);
    // How long the last refresh took to count and give every page its
    // figures, in nanoseconds.
    qint64 lastRefreshNs() const { return m_lastRefreshNs; }

public slots:
    // Counts the window again and redraws every page.
    void refresh();

private:
    QWidget *numbersPage(bool keys);
    QWidget *pairsPage();
    QWidget *shapePage();
    QWidget *exportRow(const QString &name, QSortFilterProxyModel *model, const QString &fileName);
    QTableView *table(const QString &name, QSortFilterProxyModel *proxy);
    static void fitColumns(QTableView *view);
    void windowChosen();
    void showValueChart(bool keys);
    void showShape();

    Session &m_session;
    std::unique_ptr<DialogFileChooser> m_dialogs;
    FileChooser *m_chooser = nullptr;
    Stats::Figures m_figures;
    qint64 m_lastRefreshNs = 0;

    QComboBox *m_window = nullptr; // StatsWindow
    QDateEdit *m_since = nullptr; // StatsSince
    QDateEdit *m_until = nullptr; // StatsUntil
    QLabel *m_windowText = nullptr; // StatsWindowText
    QTabWidget *m_pages = nullptr; // StatsPages

    ValueFiguresModel *m_numbers = nullptr;
    ValueFiguresModel *m_keys = nullptr;
    FrequencyChart *m_numberChart = nullptr;
    FrequencyChart *m_keyChart = nullptr;
    QComboBox *m_numberMeasure = nullptr;
    QComboBox *m_numberHalf = nullptr;
    QComboBox *m_keyMeasure = nullptr;
    PairModel *m_pairs = nullptr;
    PairFilterModel *m_pairFilter = nullptr;
    QLabel *m_pairSummary = nullptr;
    QComboBox *m_shape = nullptr;
    DistributionModel *m_shapeModel = nullptr;
    FrequencyChart *m_shapeChart = nullptr;
    TryCombinationPage *m_try = nullptr;
    std::vector<QTableView *> m_tables;
};
