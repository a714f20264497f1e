#pragma once

#include <QDate>
#include <QDialog>
#include <QMainWindow>
#include <QPointer>

#include <memory>

class QAction;
class QModelIndex;
class QTabWidget;
class QVBoxLayout;
class QWindow;
class Acercade;
class DataDirLock;
class Crea;
class Creamenu;
class Reduccion;
class DesktopNotifier;
class DesktopUrlOpener;
class DialogFileChooser;
class DownloadBar;
class DownloadSession;
class DrawEntry;
class FileChooser;
class GeneralTab;
class Imprimir;
class Infor;
class Maintenance;
class ManagerTab;
class NetworkTransfer;
class Notifier;
class PrizeWatch;
class ReportTab;
class Session;
class SessionDownloadHost;
class StatisticsTab;
class SyndicateCreation;
class SystemPrintDialog;
class UrlOpener;

// The main window ("Principal"): the menus, the download bar and the four
// tabs, each a widget of its own over the session. The window owns the
// commands that open other windows or change files, and wires the tabs'
// requests to them. Every control keeps the name it has always had, as its
// objectName.
class MainWindow final : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(Session &session, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The desktop's browser and file dialog, replaced by tests.
    void setUrlOpener(UrlOpener *opener);
    void setFileChooser(FileChooser *chooser);
    // The notice of a download's prizes: the tray or the session bus.
    void setNotifier(Notifier *notifier) { m_notifier = notifier; }
    // The data directory's lock, let go of as soon as the window has closed
    // and nothing more is written, before the program ends.
    void setDataLock(DataDirLock *lock) { m_dataLock = lock; }
    Maintenance &maintenance() { return *m_maintenance; }
    DownloadSession &download() { return *m_download; }
    NetworkTransfer &transfer() { return *m_transfer; }
    SyndicateCreation &creation() { return *m_creation; }
    DrawEntry &drawEntry() { return *m_drawEntry; }
    // The form of a way in that is open, if any (tests fill it).
    QDialog *entryDialog() const { return m_entryDialog; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    // A read-only data directory: the banner that says why, and every
    // command that would write switched off.
    void showReadOnly(QVBoxLayout *layout);
    void fitToScreen();
    void focusMoved(QWindow *now);

    // The download, the report panel and the news.
    bool downloadRunning() const;
    void startDownload();
    // "Descargar informes de premios": the download, also asking for the
    // missing reports of every draw since the oldest peña was created.
    void downloadReports();
    void downloadFinished();
    void showDownloadArea();
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
    // Every member's page for the next draw, or one member's for date.
    void printParticipations(bool pdf, const QString &member = {}, QDate date = {});
    void printMemberParticipation(const QString &member);
    void returnToMainWindow();

    // The ways to put draws in without the download (ui/drawentrydialogs.h).
    void openWayIn(int way); // a Prompter::WayIn
    void pasteResults();
    void addDrawByHand();
    // position in the draw list (1 = the newest); 0 for the newest draw.
    void prizeReportByHand(int position);

    Session &m_session;
    bool m_firstShown = false;

    std::unique_ptr<DesktopUrlOpener> m_desktopOpener;
    std::unique_ptr<DialogFileChooser> m_dialogChooser;
    UrlOpener *m_opener = nullptr;
    FileChooser *m_chooser = nullptr;
    std::unique_ptr<Maintenance> m_maintenance;
    std::unique_ptr<SyndicateCreation> m_creation;
    QPointer<Creamenu> m_chooserWindow;
    QPointer<Reduccion> m_reductionWindow;
    QPointer<Crea> m_creationWindow;
    QPointer<Acercade> m_aboutWindow;
    QPointer<Imprimir> m_printWindow;
    std::unique_ptr<SystemPrintDialog> m_printDialog;
    QAction *m_deleteAllAction = nullptr; // borrpe
    std::unique_ptr<DrawEntry> m_drawEntry;
    QList<QAction *> m_entryActions;
    QPointer<QDialog> m_entryDialog;

    std::unique_ptr<NetworkTransfer> m_transfer;
    std::unique_ptr<SessionDownloadHost> m_downloadHost;
    std::unique_ptr<DownloadSession> m_download;
    // The reports not final when the download started, to tell afterwards
    // which prizes it brought.
    std::unique_ptr<PrizeWatch> m_prizeWatch;
    std::unique_ptr<DesktopNotifier> m_desktopNotifier;
    Notifier *m_notifier = nullptr;
    bool m_closeWhenIdle = false;
    DataDirLock *m_dataLock = nullptr;
    QPointer<Infor> m_newsWindow;
    bool m_returnPending = false;
    int m_previousTab = 0;

    QTabWidget *m_tabs = nullptr; // SSTab1
    DownloadBar *m_downloadBar = nullptr;
    GeneralTab *m_generalTab = nullptr;
    ReportTab *m_reportTab = nullptr;
    ManagerTab *m_managerTab = nullptr;
    StatisticsTab *m_statisticsTab = nullptr;
};
