#pragma once

#include <QMainWindow>
#include <QPointer>

#include <memory>

#include <array>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;
class QTimer;
class QToolButton;
class QTableView;
class QTreeView;
class QTreeWidget;
class QVariantAnimation;
class QWindow;
class DrawListModel;
class EffectivenessChart;
class FrequencyChart;
class ResultListModel;
class Session;
class Acercade;
class Imprimir;
class SystemPrintDialog;
class Crea;
class Creamenu;
class DesktopUrlOpener;
class DialogFileChooser;
class DiskFileOps;
class FileChooser;
class Maintenance;
class SyndicateCreation;
class UrlOpener;
class QModelIndex;
class QPdfDocument;
class QPdfView;
class QStackedWidget;
class DownloadButton;
class DownloadSession;
class Infor;
class NetworkTransfer;
class SessionDownloadHost;

// The main window ("Principal"): four tabs over the session's state. Every
// control keeps the name it has always had, as its objectName.
class MainWindow final : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(Session &session, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Which of the three frequency tables the chart shows.
    enum class ChartTable { Low, High, Keys };
    ChartTable chartTable() const { return m_chartTable; }

    // The desktop's browser and file dialog, replaced by tests.
    void setUrlOpener(UrlOpener *opener);
    void setFileChooser(FileChooser *chooser);
    Maintenance &maintenance() { return *m_maintenance; }
    DownloadSession &download() { return *m_download; }
    NetworkTransfer &transfer() { return *m_transfer; }
    SyndicateCreation &creation() { return *m_creation; }

    // How long a result list takes to grow into place.
    static constexpr int kListAnimationMs = 160;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    QWidget *buildGeneralTab();
    QWidget *buildReportTab();
    QWidget *buildManagerTab();
    QWidget *buildStatisticsTab();
    QWidget *buildDownloadBar();

    void showStatus();
    void showDrawList();
    void showSyndicates();
    void showViewOptions();
    void showChart(ChartTable table);
    void showResultList(int index);
    void showSyndicateDetails();
    void showPrizeNotice();
    void blinkPrize();
    void setPrizeLook(int button, bool prize);
    bool showsPrize(int button) const;
    void focusMoved(QWindow *now);
    void setChecksFromMenu(int list, bool soloPremio, bool historico);

    // The download area, the report panel and the news.
    bool downloadRunning() const;
    void startDownload();
    void downloadFinished();
    void showDownloadArea();
    void showPrizeReport();
    void tabChanged(int index);
    void openNewsWindow();
    void checkNewsAtStart();

    // Commands of the buttons, their icons and the menu.
    void importDraws();
    void deleteAllDraws();
    void drawClicked(const QModelIndex &index);
    void deleteSyndicate();
    void createSyndicate();
    void openAbout();
    void printSyndicate();
    void returnToMainWindow();
    QWidget *iconButton(int index, int standardIcon, const QString &tip, void (MainWindow::*command)());

    Session &m_session;
    bool m_firstShown = false;

    std::unique_ptr<DesktopUrlOpener> m_desktopOpener;
    std::unique_ptr<DialogFileChooser> m_dialogChooser;
    std::unique_ptr<DiskFileOps> m_files;
    UrlOpener *m_opener = nullptr;
    FileChooser *m_chooser = nullptr;
    std::unique_ptr<Maintenance> m_maintenance;
    std::unique_ptr<SyndicateCreation> m_creation;
    QPointer<Creamenu> m_chooserWindow;
    QPointer<Crea> m_creationWindow;
    QPointer<Acercade> m_aboutWindow;
    QPointer<Imprimir> m_printWindow;
    std::unique_ptr<SystemPrintDialog> m_printDialog;
    QPushButton *m_deleteDrawsButton = nullptr; // Command5
    QPushButton *m_importButton = nullptr;      // Command8
    QAction *m_deleteAllAction = nullptr;       // borrpe

    std::unique_ptr<NetworkTransfer> m_transfer;
    std::unique_ptr<SessionDownloadHost> m_downloadHost;
    std::unique_ptr<DownloadSession> m_download;
    DownloadButton *m_downloadButton = nullptr; // Picture2
    QProgressBar *m_progress = nullptr;         // ProgressBar1
    QLabel *m_statusLabel = nullptr;            // Label6
    QLabel *m_byteCount = nullptr;              // Label58
    bool m_closeWhenIdle = false;
    QPointer<Infor> m_newsWindow;

    QLabel *m_reportHeading = nullptr;          // Label8
    std::array<QLabel *, 8> m_label10 {};       // prize per category
    QStackedWidget *m_reportStack = nullptr;
    QLabel *m_reportText = nullptr;             // Text1
    QPdfDocument *m_pdfDocument = nullptr;
    QPdfView *m_pdfView = nullptr;              // WebBrowser1
    int m_previousTab = 0;

    QTabWidget *m_tabs = nullptr;
    std::array<QLabel *, 7> m_label9 {};
    QLabel *m_implausibleLabel = nullptr; // draws that cannot be real, in red
    QTimer *m_blinkTimer = nullptr;
    QScrollBar *m_drawsScroll = nullptr; // HScroll1
    QLineEdit *m_drawsText = nullptr;    // Text3
    QCheckBox *m_historico = nullptr;    // Check1
    QCheckBox *m_soloPremio = nullptr;   // Check2
    std::array<QPushButton *, 2> m_listButtons {}; // Command1
    QLabel *m_storedDraws = nullptr;     // Label19
    QTimer *m_prizeTimer = nullptr;      // Timer3
    QFrame *m_frameLine = nullptr;       // Shape2
    QTableView *m_simpleList = nullptr;   // ListView2
    QTableView *m_multipleList = nullptr; // ListView4
    ResultListModel *m_simpleModel = nullptr;
    ResultListModel *m_multipleModel = nullptr;
    QVariantAnimation *m_listAnimation = nullptr;
    QTableView *m_growingList = nullptr;
    int m_currentList = -1;
    bool m_returnPending = false;

    QTreeWidget *m_syndicateList = nullptr; // ListView1
    QListWidget *m_betList = nullptr;       // List1
    QPushButton *m_printButton = nullptr;   // Command2
    QPushButton *m_deleteSyndicateButton = nullptr; // Command3
    std::array<QLabel *, 8> m_label3 {};    // prizes per category
    QLabel *m_drawsPlayed = nullptr;        // Label17
    QLabel *m_effectiveness = nullptr;      // Label16
    EffectivenessChart *m_syndicateChart = nullptr; // MSChart3
    QLabel *m_totalPrizes = nullptr;        // Label13
    QLineEdit *m_overallText = nullptr;     // Text4
    QLineEdit *m_overallDraws = nullptr;    // Text5
    EffectivenessChart *m_overallChart = nullptr;   // MSChart2

    QTreeView *m_drawView = nullptr;     // ListView3
    DrawListModel *m_drawModel = nullptr;
    QLabel *m_totalLabel = nullptr;      // Label7
    FrequencyChart *m_chart = nullptr;   // MSChart1
    std::array<QRadioButton *, 2> m_chartChoice {}; // Option1
    QScrollBar *m_chartHalf = nullptr;   // HScroll2
    ChartTable m_chartTable = ChartTable::Low;
};
