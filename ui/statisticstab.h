#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QModelIndex;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QToolButton;
class QTreeView;
class DrawListModel;
class FrequencyChart;
class Session;

// Tab 3, "Estadísticas": the stored draws, their total and the frequency
// chart. Importing and deleting draws are the main window's commands.
class StatisticsTab final : public QWidget
{
    Q_OBJECT

public:
    // Which of the three frequency tables the chart shows.
    enum class ChartTable
    {
        Low,
        High,
        Keys
    };

    explicit StatisticsTab(Session &session, QWidget *parent = nullptr);

    ChartTable chartTable() const { return m_chartTable; }
    // The draw-changing commands wait while a download stores draws.
    void setEditingAllowed(bool allowed);
    bool deleteAllowed() const;
    // The chart goes back to its first half (the session reset its bars).
    void resetChartHalf();

signals:
    void importRequested();
    void deleteAllRequested();
    void drawClicked(const QModelIndex &index);
    // The draw list's menu: a draw typed by hand, a prize report typed by
    // hand for the draw at position (1 = the newest).
    void addDrawRequested();
    void prizeReportRequested(int position);
    // "Eliminar este sorteo" from the list's context menu; 1 is the newest.
    void deleteDrawRequested(int position);

private:
    void showDrawList();
    void showChart(ChartTable table);

    Session &m_session;
    QTreeView *m_drawView = nullptr; // ListView3
    DrawListModel *m_drawModel = nullptr;
    QLabel *m_totalLabel = nullptr; // Label7
    QPushButton *m_deleteDrawsButton = nullptr; // Command5
    QPushButton *m_importButton = nullptr; // Command8
    std::array<QToolButton *, 2> m_icons {}; // Image1(2), Image1(4)
    FrequencyChart *m_chart = nullptr; // MSChart1
    std::array<QRadioButton *, 2> m_chartChoice {}; // Option1
    QScrollBar *m_chartHalf = nullptr; // HScroll2
    ChartTable m_chartTable = ChartTable::Low;
};
