#pragma once

#include "stats/trybet.h"
#include "stats/window.h"

#include <QWidget>

#include <array>

class FileChooser;
class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QSpinBox;
class QTableView;
class QToolButton;
class Session;
class TryDrawsModel;
class TryTotalsModel;

// "Comprobar combinación": numbers chosen on a small 1-54 grid or typed,
// and a key; what the bet would have won in every draw of the window, by
// category, with its money, and the draws of each prize.
class TryCombinationPage final : public QWidget
{
    Q_OBJECT

public:
    explicit TryCombinationPage(Session &session, QWidget *parent = nullptr);

    void setWindow(const Stats::Window &window);
    void setFileChooser(FileChooser *chooser) { m_chooser = chooser; }
    const Stats::TryResult &result() const { return m_result; }
    // The prize row whose draws are listed (1 to 9), 0 for every prize.
    int listedCategory() const { return m_category; }
    void listCategory(int category);

protected:
    // Reports may have been downloaded meanwhile: the money is counted again.
    void showEvent(QShowEvent *event) override;

private:
    void gridClicked();
    void numbersTyped(const QString &text);
    void recompute();
    void showNumbers();
    QWidget *exportButton(const QString &name, QSortFilterProxyModel *model, const QString &fileName);

    Session &m_session;
    FileChooser *m_chooser = nullptr;
    Stats::Window m_window;
    Stats::Bet m_bet;
    QString m_typingProblem;
    Stats::TryResult m_result;
    int m_category = 0;

    std::array<QToolButton *, 54> m_grid {}; // TryNumber_1 ... TryNumber_54
    QLineEdit *m_typed = nullptr; // TryNumbers
    QSpinBox *m_key = nullptr; // TryKey
    QLabel *m_problem = nullptr; // TryProblem
    QLabel *m_money = nullptr; // TryMoney
    QLabel *m_drawsHeading = nullptr; // TryDrawsHeading
    TryTotalsModel *m_totals = nullptr;
    TryDrawsModel *m_draws = nullptr;
    QTableView *m_totalsView = nullptr; // TryTotals
    QTableView *m_drawsView = nullptr; // TryDraws
};
