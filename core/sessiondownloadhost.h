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
// the status scan are the Session's own commands; what the download area and
// the report panel show is kept here and announced by signals, so a window
// renders it and the command line reads it.
class SessionDownloadHost final : public QObject, public DownloadHost
{
    Q_OBJECT

public:
    explicit SessionDownloadHost(Session &session, QObject *parent = nullptr);
    ~SessionDownloadHost() override;

    Prompter &prompter() override;
    QDate today() const override;
    QString dataDir() const override;
    TypedRecordFile<DrawRecord> &drawFile() override;
    bool drawFileWritable() override;
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
    bool newsWindowVisible() const override { return m_newsWindowVisible; }
    void closeNewsWindow() override;
    void selectFirstTab() override;
    void setProgress(int step) override;
    void setStatusText(const QString &text) override;
    void setStoredDrawsText(const QString &text) override;
    void setByteCountText(const QString &text) override;
    void setReportMessage(const QString &text) override;
    void setButtonImage(int image) override;

    // What the download area shows.
    int progress() const { return m_progress; }
    QString statusText() const { return m_statusText; }
    QString byteCountText() const { return m_byteCountText; }
    int buttonImage() const { return m_buttonImage; }

    // What the report panel shows.
    const PrizeReportView &prizeReport() const { return m_report; }
    // Once the panel said that no PDF viewer is there, a click on its text
    // leads to the reader's page for the rest of the run.
    bool readerMissing() const { return m_readerMissing; }

    void setPdfViewerAvailable(bool available) { m_pdfViewerAvailable = available; }
    void setNewsWindowVisible(bool visible) { m_newsWindowVisible = visible; }
    // While the program closes, a transfer cut short must not bring up boxes.
    void setQuiet(bool quiet) { m_quiet = quiet; }

    // The panel from the saved draw page and the document on disk, as at
    // start-up and when the user comes to the report tab.
    void rebuildPrizeReport();
    // The start-up news check, on the Session's newest draw and syndicates.
    News::Outcome checkNews(WebTransfer &transfer);

signals:
    void downloadAreaChanged();
    void prizeReportChanged();
    void firstTabRequested();
    void newsWindowCloseRequested();

private:
    Session &m_session;
    std::unique_ptr<Prompter> m_silent;
    bool m_quiet = false;
    bool m_pdfViewerAvailable = true;
    bool m_newsWindowVisible = false;
    bool m_readerMissing = false;

    int m_progress = 0;
    QString m_statusText;
    QString m_byteCountText = QStringLiteral("0 Bytes");
    int m_buttonImage = 2;
    PrizeReportView m_report;
};
