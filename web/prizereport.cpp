#include "prizereport.h"

#include "operatorsite.h"
#include "pagereader.h"
#include "store/cp1252.h"

#include <QFile>

DrawPageReport scanDrawPage(const QByteArray &page)
{
    DrawPageReport report;
    PageReader reader(page);
    // Each read stands alone: one that fails leaves its field empty and the
    // next one goes on from where the reader stands.
    reader.busca2(">Categor", "/");
    for (QString &amount : report.amounts) {
        reader.busca2("<td>", "<");
        amount = raros(reader.busca2("<td>", "&").value_or(QByteArray()));
    }
    reader.busca2("DOCUMENT", "S");
    reader.busca2("href", "=");
    const QByteArray path = reader.busca2("\"", ".pdf").value_or(QByteArray());
    report.documentPath = repairDocumentPath(Cp1252::decode(path));
    return report;
}

QString repairDocumentPath(QString path)
{
    path.remove(QLatin1Char('"'));
    path.replace(QChar(0xC3), QChar(0xC1));
    path.replace(QStringLiteral("LOTERÁ") + QChar(0x8D) + QLatin1Char('A'), QStringLiteral("LOTERÍA"));
    path.remove(QChar(0x81));
    return path;
}

bool isPdfFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(4) == "%PDF";
}

PrizeReportView buildPrizeReport(const PrizeReportRequest &request, WebTransfer *transfer)
{
    PrizeReportView view;
    view.drawDate = request.newestDrawDate;
    const DrawPageReport page = scanDrawPage(request.drawPage);
    view.pageAmounts = page.amounts;
    view.reportUrl = OperatorSite::reportUrl(page.documentPath, request.endpoints);
    if (view.reportUrl.isEmpty()) {
        view.message = PrizeReportView::Message::NotAvailable;
        return view;
    }

    if (request.download) {
        // The document of an older draw must never pass for this one's.
        QFile::remove(request.documentFile);
        view.reportFetched = true;
        const TransferResult result = transfer ? transfer->download(view.reportUrl, request.documentFile)
                                               : TransferResult::failure(TransferResult::Error::Network);
        if (!result.ok()) {
            view.downloadError = result.error;
            view.message = PrizeReportView::Message::NoConnection;
            return view;
        }
    }
    if (!isPdfFile(request.documentFile)) {
        view.message = PrizeReportView::Message::NotAvailable;
        return view;
    }
    if (!request.pdfViewerAvailable) {
        view.message = PrizeReportView::Message::NoViewer;
        view.readerPage = request.endpoints.pdfReaderPage;
        view.readerMissing = true;
        return view;
    }
    view.showDocument = true;
    view.documentFile = request.documentFile;
    return view;
}

PrizeReportView storedPrizeReportView(const PrizeReport &report, double newestDrawDate)
{
    PrizeReportView view;
    view.drawDate = newestDrawDate;
    if (!report.isFinal()) {
        view.message = PrizeReportView::Message::NotAvailable;
        return view;
    }
    view.rows = report.rows;
    // The figures are all above; the document, when there is one, is the operator's.
    view.message = PrizeReportView::Message::StoredFigures;
    return view;
}
