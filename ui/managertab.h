#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;
class QTabWidget;
class QTableView;
class QTreeWidget;
class MemberModel;
class BalanceChart;
class EffectivenessChart;
class Session;

// Tab 2, "Gestor de peñas": the syndicate list with the totals of all peñas,
// and the details of the peña shown. The commands go to the main window,
// which owns the windows they open.
class ManagerTab final : public QWidget
{
    Q_OBJECT

public:
    explicit ManagerTab(Session &session, QWidget *parent = nullptr);

    // Deletion waits while a download stores draws.
    void setDeletionAllowed(bool allowed);

signals:
    void printRequested();
    void createRequested();
    void deleteRequested();
    // Every member's participation in the next draw, printed or as a PDF.
    void participationsRequested(bool pdf);
    // "Participación de NAME…": one member's page for a draw to choose.
    void memberParticipationRequested(const QString &member);

private:
    void showSyndicates();
    void showSyndicateDetails();
    void showMoney();
    QWidget *buildMembersPage();
    void addMember();
    void removeMember();
    // The member selected in the table, or empty.
    QString selectedMember() const;
    void showMemberChoice();

    Session &m_session;
    bool m_deletionAllowed = true;

    QTreeWidget *m_syndicateList = nullptr; // ListView1
    QListWidget *m_betList = nullptr; // List1
    QPushButton *m_printButton = nullptr; // Command2
    QPushButton *m_deleteButton = nullptr; // Command3
    QToolButton *m_deleteIcon = nullptr; // Image1(0)
    std::array<QLabel *, 8> m_label3 {}; // prizes per category
    QLabel *m_drawsPlayed = nullptr; // Label17
    QLabel *m_effectiveness = nullptr; // Label16
    EffectivenessChart *m_syndicateChart = nullptr; // MSChart3
    QLabel *m_totalPrizes = nullptr; // Label13
    QLineEdit *m_overallText = nullptr; // Text4
    QLineEdit *m_overallDraws = nullptr; // Text5
    EffectivenessChart *m_overallChart = nullptr; // MSChart2
    // Money: "Jugado", "Ganado", "Balance", draws without a report, prizes
    // the reports contradict; [0] the peña shown, [1] all peñas.
    std::array<std::array<QLabel *, 5>, 2> m_money {};
    // Under each balance: why it is provisional, or nothing.
    std::array<QLabel *, 2> m_provisional {};
    BalanceChart *m_balanceChart = nullptr;
    QTabWidget *m_detailPages = nullptr;
    MemberModel *m_members = nullptr;
    QLabel *m_membersProvisional = nullptr; // under the members' table
    QTableView *m_memberTable = nullptr;
    QPushButton *m_memberParticipation = nullptr;
};
