#pragma once

#include "base/endpoints.h"
#include "store/fileops.h"
#include "store/prizereport.h"
#include "webtransfer.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <array>

// The report panel of the newest draw: heading, the prize per winning bet in
// the eight categories, and the operator's report document. Built from the
// saved draw page (www2.txt) and the document file (edu.pdf).

// What the draw page holds.
struct DrawPageReport
{
    // Category 1 (5 + 1) first.
    std::array<QString, 8> amounts;
    // The document's path on the site without ".pdf", repaired; empty when
    // the page links none.
    QString documentPath;
};

DrawPageReport scanDrawPage(const QByteArray &page);

// Undoes the reading of UTF-8 capital I and A with acute accent as
// single-byte text: "LOTERÃ\x8DA" becomes "LOTERÍA", "Ã\x81" becomes "Á".
QString repairDocumentPath(QString path);

// The file exists and begins with "%PDF".
bool isPdfFile(const QString &path);

struct PrizeReportRequest
{
    QByteArray drawPage;
    double newestDrawDate = 0;
    QString documentFile; // edu.pdf in the data directory
    bool download = false; // after a results download: fetch the document first
    bool pdfViewerAvailable = true;
    Endpoints endpoints;
};

// Why the panel gives way to a text after a download whose data could not
// be taken.
struct ReportUnreadable
{
    enum class Kind
    {
        Corrupt, // the answer did not follow its layout
        NotSaved, // the draws were sound, the draw file could not take them
    };
    Kind kind = Kind::Corrupt;
    QString supportEmail; // Corrupt: where to write; empty for nowhere
    FileOps::Result file = FileOps::Result::Ok; // NotSaved: why
    QString path; // NotSaved: the draw file
};

// Every row of a report not known.
constexpr std::array<PrizeRow, PrizeReport::kRows> unknownPrizeRows()
{
    std::array<PrizeRow, PrizeReport::kRows> rows {};
    for (PrizeRow &row : rows)
        row = {PrizeRow::kUnknown, PrizeRow::kUnknown};
    return rows;
}

// What the panel shows, as values; wording/prizereportwording.h words them.
struct PrizeReportView
{
    // The panel's text when no document is shown.
    enum class Message
    {
        NotAvailable, // the draw's data is not out yet
        NoConnection, // the document could not be fetched
        NoViewer, // no PDF viewer: where to get one (readerPage)
        StoredFigures, // the figures above are the operator's report
        Unreadable, // a download's data could not be taken (unreadable)
    };

    double drawDate = 0; // OLE date of the newest draw for the title line; 0 for none
    // The draw page's own words for the prize of categories 1 to 8, shown
    // as they stand; empty for a stored report.
    std::array<QString, 8> pageAmounts;
    // A stored final report's rows, categories 1 to 8 then the reintegro:
    // the prize per winning bet in cents and the winners, kUnknown where
    // not known (all of them for the draw page).
    std::array<PrizeRow, PrizeReport::kRows> rows = unknownPrizeRows();
    QUrl reportUrl; // empty when the page links no usable document
    // documentFile holds the PDF to show in the panel.
    bool showDocument = false;
    QString documentFile;
    Message message = Message::NotAvailable;
    QUrl readerPage; // NoViewer
    ReportUnreadable unreadable; // Unreadable
    // No PDF viewer: a click on the text opens the reader's download page.
    bool readerMissing = false;
    // The document was downloaded (or its download tried) by this rebuild.
    bool reportFetched = false;
    TransferResult::Error downloadError = TransferResult::Error::None;
};

// Rebuilds the panel. With request.download the old document is deleted and
// the new one fetched through transfer; otherwise the one on disk is shown.
PrizeReportView buildPrizeReport(const PrizeReportRequest &request, WebTransfer *transfer);

// The panel for a report kept in premios.json: the rows of a final report;
// a pending one says the data is not out.
PrizeReportView storedPrizeReportView(const PrizeReport &report, double newestDrawDate);
