#pragma once

#include <QWidget>

#include <array>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollBar;
class QSpinBox;
class QTableView;
class QTimer;
class QVariantAnimation;
class ResultListModel;
class Session;
class SessionDownloadHost;

// Tab 0, "General": the status block, how many draws the lists show, the two
// result lists (simple and multiple bets) and the prize notice.
class GeneralTab final : public QWidget
{
    Q_OBJECT

public:
    GeneralTab(Session &session, SessionDownloadHost &host, QWidget *parent = nullptr);

    // How long a result list takes to grow into place.
    static constexpr int kListAnimationMs = 160;

    // 0 the simple list, 1 the multiple one.
    void showResultList(int index);
    // The menu's entries: one list with both boxes as given.
    void showListWithChecks(int list, bool soloPremio, bool historico);

private:
    void showStatus();
    void showViewOptions();
    void showPrizeNotice();
    void blinkPrize();
    void setPrizeLook(int button, bool prize);
    bool showsPrize(int button) const;

    Session &m_session;
    SessionDownloadHost &m_host;

    std::array<QLabel *, 7> m_label9 {};
    QLabel *m_implausibleLabel = nullptr; // draws that cannot be real, in red
    QTimer *m_blinkTimer = nullptr; // Timer2
    QScrollBar *m_drawsScroll = nullptr; // HScroll1
    QSpinBox *m_drawsBox = nullptr; // Text3
    QCheckBox *m_historico = nullptr; // Check1
    QCheckBox *m_soloPremio = nullptr; // Check2
    std::array<QPushButton *, 2> m_listButtons {}; // Command1
    QLabel *m_storedDraws = nullptr; // Label19
    QTimer *m_prizeTimer = nullptr; // Timer3
    QFrame *m_frameLine = nullptr; // Shape2
    QTableView *m_simpleList = nullptr; // ListView2
    QTableView *m_multipleList = nullptr; // ListView4
    ResultListModel *m_simpleModel = nullptr;
    ResultListModel *m_multipleModel = nullptr;
    QVariantAnimation *m_listAnimation = nullptr;
    QTableView *m_growingList = nullptr;
    int m_currentList = -1;
};
