#include "downloadsession.h"

#include "base/prompter.h"
#include "downloadhost.h"
#include "operatorsite.h"
#include "prizereport.h"
#include "resultsparser.h"
#include "store/fileops.h"
#include "store/oledate.h"

#include <QDir>

#include <algorithm>
#include <utility>

namespace
{
    const QString kConnecting = QStringLiteral("CONECTANDO AL SERVIDOR");
    const QString kSearching = QStringLiteral("BUSCANDO SORTEOS");
    const QString kAnalysing = QStringLiteral("ANALIZANDO DATOS");
    const QString kFinished = QStringLiteral("TRANSFERENCIA FINALIZADA");

    const QString kDateTitle = QStringLiteral("Error de fechas");
    const QString kDateText = QStringLiteral(
        "La fecha de tu ordenador parece incorrecta. Existen sorteos en la base de datos con fechas "
        "porsteriores a la actual. Comprueba la fecha de tu ordenador.");
    const QString kConnectionTitle = QStringLiteral("Error de conexión");
    const QString kNotConnected = QStringLiteral("No conectado: Compruebe la conexión a internet...");
    const QString kOperatorUnreachable = QStringLiteral(
        "No conectado: Compruebe la conexión a internet. Si es correcta, pruebe más tarde ya que no es "
        "posible conectar con el servidor de ONLAE.");
    const QString kSlowServer = QStringLiteral("Problemas con el servidor. Tarda en responder. Pruebe más tarde...");

    constexpr int kSearchDays = 50;
    constexpr int kMaxDrawsShown = 8;
    constexpr int kGiveUpTick = 5;
    constexpr int kTimeOutTick = 30;
    // A headless run never needs more: every fetch returns before its tick.
    constexpr int kMaxHeadlessTicks = kTimeOutTick + 10;

    // Clears a flag when the scope ends, however it ends.
    struct FlagGuard
    {
        explicit FlagGuard(bool &flag) : m_flag(flag) { m_flag = true; }
        ~FlagGuard() { m_flag = false; }
        bool &m_flag;
    };
}

DownloadSession::DownloadSession(DownloadHost &host, WebTransfer &transfer, Endpoints endpoints, QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_transfer(transfer)
    , m_endpoints(std::move(endpoints))
{
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &DownloadSession::tick);
    // Label58 follows the bytes of the two pages while they arrive.
    connect(&m_transfer, &WebTransfer::progress, this, [this](qint64 received, qint64) {
        if (m_countingBytes)
            m_host.setByteCountText(QString::number(m_byteCount + received));
    });
}

DownloadSession::~DownloadSession() = default;

bool DownloadSession::isRunning() const
{
    return m_starting || m_timerOn || m_inTick;
}

int DownloadSession::buttonImageAt(int xTwips, int yTwips)
{
    return (xTwips > 240 && xTwips < 1600 && yTwips > 240 && yTwips < 1080) ? 1 : 2;
}

QString DownloadSession::dataPath(const char *fileName) const
{
    return QDir(m_host.dataDir()).filePath(QString::fromLatin1(fileName));
}

bool DownloadSession::writePage(const char *fileName, const QByteArray &bytes) const
{
    DiskFileOps disk;
    return disk.write(dataPath(fileName), bytes) == FileOps::Result::Ok;
}

void DownloadSession::setTimerEnabled(bool on)
{
    m_timerOn = on;
    if (on && !m_manualTicks)
        m_timer.start();
    else
        m_timer.stop();
}

void DownloadSession::setProgress(int step)
{
    m_progress = step;
    m_host.setProgress(step);
}

void DownloadSession::setStatusText(const QString &text)
{
    m_statusText = text;
    m_host.setStatusText(text);
}

void DownloadSession::stopWithoutResult()
{
    setTimerEnabled(false);
    setProgress(0);
    setStatusText(QString());
}

bool DownloadSession::start()
{
    if (isRunning() || m_transfer.isBusy() || m_host.newsWindowVisible())
        return false;

    const QDate today = m_host.today();
    const QDate startDate = today.addDays(-kSearchDays);
    m_outcome = {};
    m_reportFetched = false;
    m_host.setStoredDrawsText(QString());
    m_host.stopPrizeAnimation();
    m_host.closeNewsWindow();
    m_parseFailed = false;
    m_endOfData = false;
    m_newDrawCount = 0;
    // Every session takes the page of its own newest listed draw.
    m_drawPagePath.clear();

    const QDate newest = OleDate::toDate(m_host.newestDraw().date);
    if (newest.isValid() && today < newest) {
        m_host.prompter().inform(kDateTitle, kDateText);
        return false;
    }

    FlagGuard starting(m_starting);
    m_tickCount = 0;
    m_step = 2;
    setProgress(1);
    m_host.selectFirstTab();
    setStatusText(kConnecting);

    m_byteCount = 0;
    m_countingBytes = true;
    TransferResult result = m_transfer.fetch(OperatorSite::searchUrl(startDate, today, m_endpoints));
    m_countingBytes = false;
    if (!result.ok()) {
        m_host.prompter().warn(kConnectionTitle, kNotConnected);
        stopWithoutResult();
        m_outcome.connectionError = true;
        emit finished();
        return false;
    }
    m_page = std::move(result.body);
    m_byteCount = m_page.size();
    m_host.setByteCountText(QString::number(m_byteCount));
    if (m_page.size() > 100)
        setStatusText(kSearching);
    m_step = 3;
    setTimerEnabled(true);
    return true;
}

void DownloadSession::tick()
{
    if (m_inTick || !m_timerOn)
        return;
    FlagGuard inTick(m_inTick);
    ++m_tickCount;

    // Guards for a transfer that has not come back; with the fetches
    // returning before the timer starts they stay quiet.
    if (m_tickCount == kGiveUpTick && m_statusText == kConnecting) {
        stopWithoutResult();
        emit finished();
        return;
    }
    if (m_tickCount == kTimeOutTick && m_progress == 1) {
        m_transfer.cancel();
        m_host.prompter().warn(kConnectionTitle, kSlowServer);
        stopWithoutResult();
        m_outcome.connectionError = true;
    }

    if (!m_transfer.isBusy())
        parseSearchPage();
    if (m_step == 5)
        fetchDrawPage();
    if (m_step == 6 && !m_transfer.isBusy())
        m_step = 7;
    if (m_step != 7) {
        if (!m_timerOn)
            emit finished();
        return;
    }
    finish();
}

void DownloadSession::parseSearchPage()
{
    m_tickCount = 0;
    setProgress(2);
    m_step = 5;
    // What the scanner reads is what was fetched, whether or not the copy on
    // disk could be replaced.
    writePage(kSearchPageFile, m_page);

    setStatusText(kAnalysing);
    TypedRecordFile<DrawRecord> &drawFile = m_host.drawFile();
    drawFile.clearError();
    ParseResult parse = parseResultsPage(m_page, drawFile, m_host.today().year(), m_endpoints.supportEmail);
    if (drawFile.lastError() != FileOps::Result::Ok) {
        // The page was sound; the disk was not. Nothing was stored, and the
        // message says why instead of blaming the page.
        FileOps::Result cause = drawFile.lastError();
        if (!drawFile.isOpen() && drawFile.openResult() != FileOps::Result::Ok)
            cause = drawFile.openResult();
        const QString text = QStringLiteral("No se han podido guardar los sorteos nuevos; numeros.dat sigue como estaba.\n")
            + fileErrorText(cause, drawFile.path());
        parse.message = WebMessage {Prompter::Icon::Critical, QStringLiteral("Error de escritura"), text};
        parse.reportText = QLatin1Char('\n') + text;
    }
    m_newDrawCount = parse.newDrawCount;
    m_drawPagePath = parse.scan.drawPagePath;
    m_endOfData = parse.scan.endOfData;
    m_outcome.storedDraws = parse.storedDraws;
    m_outcome.dataError |= parse.dataError;
    if (parse.storedDraws > 0)
        m_host.setStoredDrawsText(storedDrawsText(parse.storedDraws));
    if (parse.message)
        m_host.prompter().show(parse.message->icon, parse.message->title, parse.message->text);
    if (parse.parseFailed) {
        m_parseFailed = true;
        setTimerEnabled(false);
        m_host.setReportMessage(parse.reportText);
    }
    if (parse.runStatusScan)
        m_host.updateStatus();
}

void DownloadSession::fetchDrawPage()
{
    m_step = 6;
    if (m_drawPagePath.isEmpty())
        return;
    m_countingBytes = true;
    TransferResult result = m_transfer.fetch(OperatorSite::drawPageUrl(m_drawPagePath, m_endpoints));
    m_countingBytes = false;
    if (!result.ok()) {
        // The draws are stored already: the session goes on without the
        // draw page, as when the search page names none, and the report
        // says its data is not there yet.
        m_host.prompter().warn(kConnectionTitle, kOperatorUnreachable);
        m_outcome.connectionError = true;
        m_host.setByteCountText(QString::number(m_byteCount));
        return;
    }
    m_page = std::move(result.body);
    m_byteCount += m_page.size();
    m_host.setByteCountText(QString::number(m_byteCount) + QStringLiteral(" Bytes"));
    m_tickCount = 0;
}

void DownloadSession::finish()
{
    setProgress(2);
    setTimerEnabled(false);
    // The draw page, or the search page again when there is none.
    const QByteArray drawPage = std::exchange(m_page, QByteArray());
    writePage(kDrawPageFile, drawPage);

    if (m_parseFailed || m_endOfData) {
        m_outcome.dataError = true;
    } else {
        setProgress(3);
        m_host.scrutinizeSimpleSyndicates(m_newDrawCount);
        if (m_newDrawCount != 0) {
            m_newDrawCount = std::min(m_newDrawCount, kMaxDrawsShown);
            m_host.setDrawsToShow(m_newDrawCount);
        }
        setProgress(4);
        m_host.updateStatus();
        m_host.loadDrawList();

        PrizeReportRequest request;
        request.drawPage = drawPage;
        request.newestDrawDate = m_host.newestDraw().date;
        request.documentFile = dataPath(kReportFile);
        request.download = true;
        request.pdfViewerAvailable = m_host.pdfViewerAvailable();
        request.endpoints = m_endpoints;
        const PrizeReportView view = buildPrizeReport(request, &m_transfer);
        m_reportFetched = view.reportFetched;
        m_outcome.reportMissing = !isPdfFile(request.documentFile);
        m_host.showPrizeReport(view);
        m_host.setButtonImage(2);
    }
    setStatusText(kFinished);
    setProgress(5);
    m_host.selectFirstTab();
    m_outcome.finished = true;
    emit finished();
}

bool DownloadSession::runToCompletion()
{
    m_manualTicks = true;
    if (start()) {
        for (int i = 0; m_timerOn && i < kMaxHeadlessTicks; ++i)
            tick();
        if (m_timerOn) {
            m_transfer.cancel();
            stopWithoutResult();
            m_outcome.connectionError = true;
            emit finished();
        }
    }
    m_manualTicks = false;
    return m_outcome.succeeded();
}
