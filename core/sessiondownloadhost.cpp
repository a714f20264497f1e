#include "sessiondownloadhost.h"

#include "base/clock.h"
#include "base/prompter.h"
#include "datadir.h"
#include "frontend.h"
#include "session.h"
#include "store/outcome.h"
#include "web/downloadsession.h"
#include "web/networktransfer.h"
#include "web/resultsparser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace
{
    // Takes every box without showing it.
    class SilentPrompter final : public Prompter
    {
    public:
        Answer show(Icon, const QString &, const QString &, Buttons buttons) override
        {
            return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
        }
    };
}

SessionDownloadHost::SessionDownloadHost(Session &session, QObject *parent)
    : QObject(parent)
    , m_session(session)
    , m_silent(std::make_unique<SilentPrompter>())
{
}

SessionDownloadHost::~SessionDownloadHost() = default;

Prompter &SessionDownloadHost::prompter()
{
    return m_quiet ? *m_silent : m_session.prompter();
}

void SessionDownloadHost::tell(const Outcome &outcome)
{
    if (!m_quiet)
        m_session.frontEnd().tell(outcome);
}

QDate SessionDownloadHost::today() const
{
    return m_session.clock().today();
}

QString SessionDownloadHost::dataDir() const
{
    return m_session.dataDir();
}

TypedRecordFile<DrawRecord> &SessionDownloadHost::drawFile()
{
    return m_session.draws().file();
}

std::vector<DrawRecord> SessionDownloadHost::storedDrawRecords()
{
    return m_session.draws().all();
}

Outcome SessionDownloadHost::drawFileCheck()
{
    return m_session.writeCheck(m_session.draws().file(), Outcome::Command::Download);
}

DrawRecord SessionDownloadHost::newestDraw() const
{
    return m_session.drawBuffer();
}

void SessionDownloadHost::updateStatus()
{
    m_session.updateStatus();
}

void SessionDownloadHost::scrutinizeSimpleSyndicates(int drawCount)
{
    m_session.scrutinizeSimpleSyndicates(drawCount);
}

void SessionDownloadHost::setDrawsToShow(int draws)
{
    m_session.presetDrawsToShow(draws);
}

void SessionDownloadHost::loadDrawList()
{
    m_session.loadDrawList();
}

void SessionDownloadHost::showPrizeReport(const PrizeReportView &view)
{
    m_report = view;
    m_readerMissing |= view.readerMissing;
    emit prizeReportChanged();
}

QDate SessionDownloadHost::reportsWantedSince() const
{
    // What every peña played needs its report for its money to be known.
    return m_session.syndicates().oldestCreation();
}

QString SessionDownloadHost::shippedHistoryFile() const
{
    return bundledDrawFile(QCoreApplication::applicationDirPath());
}

PrizeReportFile *SessionDownloadHost::prizeReports()
{
    return &m_session.prizeReports();
}

void SessionDownloadHost::stopPrizeAnimation()
{
    m_session.stopPrizeAnimation();
    m_session.clearPrizeBlink();
}

void SessionDownloadHost::closeNews()
{
    emit newsCloseRequested();
}

void SessionDownloadHost::stageReached(DownloadStage stage)
{
    m_stage = stage;
    emit progressChanged();
    emit stageChanged(stage);
}

void SessionDownloadHost::activityChanged(const DownloadActivity &activity)
{
    m_activity = activity;
    emit progressChanged();
}

void SessionDownloadHost::bytesReceived(qint64 bytes, bool complete)
{
    m_bytes = bytes;
    m_bytesComplete = complete;
    emit progressChanged();
}

void SessionDownloadHost::drawsStored(int count)
{
    m_session.setStoredDrawsNotice(count);
}

void SessionDownloadHost::prizeReportUnreadable(const ReportUnreadable &reason)
{
    // The amounts found before stay; the document gives way to the text.
    m_report.showDocument = false;
    m_report.message = PrizeReportView::Message::Unreadable;
    m_report.unreadable = reason;
    emit prizeReportChanged();
}

void SessionDownloadHost::rebuildPrizeReport()
{
    // The results service leaves no draw page: its report is the one kept.
    const PrizeReport stored = m_session.newestDrawReport();
    if (stored.isComplete()) {
        showPrizeReport(storedPrizeReportView(stored, m_session.drawBuffer().date));
        return;
    }
    const QDir dir(m_session.dataDir());
    QFile page(dir.filePath(QString::fromLatin1(DownloadSession::kDrawPageFile)));
    PrizeReportRequest request;
    // A page that cannot be read is an empty one: no amounts, no document.
    // Never more than a download could have saved.
    if (page.open(QIODevice::ReadOnly))
        request.drawPage = page.read(NetworkTransfer::kDefaultMaxBytes);
    request.newestDrawDate = m_session.drawBuffer().date;
    request.documentFile = dir.filePath(QString::fromLatin1(DownloadSession::kReportFile));
    request.download = false;
    request.pdfViewerAvailable = m_pdfViewerAvailable;
    request.endpoints = m_session.endpoints();
    PrizeReportView view = buildPrizeReport(request, nullptr);
    // The pages' amounts are kept too: without the saved page (or its
    // document) they are still what the panel shows, never "ATENCIÓN".
    if (stored.isFinal() && !view.showDocument)
        view = storedPrizeReportView(stored, m_session.drawBuffer().date);
    showPrizeReport(view);
}

News::Outcome SessionDownloadHost::checkNews(WebTransfer &transfer)
{
    News::CheckInput input;
    input.newestDrawDate = m_session.drawBuffer().date;
    input.today = m_session.clock().today();
    input.syndicates = int(m_session.syndicates().records().size());
    input.dataDir = m_session.dataDir();
    input.endpoints = m_session.endpoints();
    return News::checkNews(input, transfer);
}
