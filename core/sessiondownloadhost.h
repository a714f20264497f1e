#pragma once

#include "web/downloadhost.h"
#include "web/news.h"
#include "web/prizereport.h"

#include <QObject>
#include <QString>

#include <memory>

class Session;
class WebTransfer;

// The download session's host over the Session: the draws, the scrutiny and
// the status scan are the Session's own commands; how far the download went
// and the prize report are kept here as values and announced by signals, so
// a window draws them and the command line prints them.
class SessionDownloadHost final : public QObject, public DownloadHost
{
    Q_OBJECT

public:
    explicit SessionDownloadHost(Session &session, QObject *parent = nullptr);
    ~SessionDownloadHost() override;

    Prompter &prompter() override;
    void tell(const Outcome &outcome) override;
    QDate today() const override;
    QString dataDir() const override;
    TypedRecordFile<DrawRecord> &drawFile() override;
    std::vector<DrawRecord> storedDrawRecords() override;
    Outcome drawFileCheck() override;
    DrawRecord newestDraw() const override;
    void updateStatus() override;
    void scrutinizeSimpleSyndicates(int drawCount) override;
    void setDrawsToShow(int draws) override;
    void loadDrawList() override;
    void showPrizeReport(const PrizeReportView &view) override;
    PrizeReportFile *prizeReports() override;
    QDate reportsWantedSince() const override;
    QString shippedHistoryFile() const override;
    bool pdfViewerAvailable() const override { return m_pdfViewerAvailable; }
    void stopPrizeAnimation() override;
    bool newsOpen() const override { return m_newsOpen; }
    void closeNews() override;
    void stageReached(DownloadStage stage) override;
    void activityChanged(const DownloadActivity &activity) override;
    void bytesReceived(qint64 bytes, bool complete) override;
    void drawsStored(int count) override;
    void prizeReportUnreadable(const ReportUnreadable &reason) override;

    // How far the last download went, for a front end to word and draw.
    DownloadStage stage() const { return m_stage; }
    const DownloadActivity &activity() const { return m_activity; }
    qint64 receivedBytes() const { return m_bytes; }
    bool bytesComplete() const { return m_bytesComplete; }

    // What the report panel shows.
    const PrizeReportView &prizeReport() const { return m_report; }
    // Once the panel said that no PDF viewer is there, a click on its text
    // leads to the reader's page for the rest of the run.
    bool readerMissing() const { return m_readerMissing; }

    void setPdfViewerAvailable(bool available) { m_pdfViewerAvailable = available; }
    void setNewsOpen(bool open) { m_newsOpen = open; }
    // While the program closes, a transfer cut short must not bring up boxes:
    // nothing is told and every question is answered No.
    void setQuiet(bool quiet) { m_quiet = quiet; }

    // The panel from the saved draw page and the document on disk, as at
    // start-up and when the user comes to the report tab.
    void rebuildPrizeReport();
    // The start-up news check, on the Session's newest draw and syndicates.
    News::Outcome checkNews(WebTransfer &transfer);

signals:
    // Any of the progress values changed.
    void progressChanged();
    // A new stage, after progressChanged.
    void stageChanged(DownloadStage stage);
    void prizeReportChanged();
    void newsCloseRequested();

private:
    Session &m_session;
    std::unique_ptr<Prompter> m_silent;
    bool m_quiet = false;
    bool m_pdfViewerAvailable = true;
    bool m_newsOpen = false;
    bool m_readerMissing = false;

    DownloadStage m_stage = DownloadStage::None;
    DownloadActivity m_activity;
    qint64 m_bytes = 0;
    bool m_bytesComplete = true;
    PrizeReportView m_report;
};
