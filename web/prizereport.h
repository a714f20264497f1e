#pragma once

#include "base/endpoints.h"
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

// "-Informe del Domingo, 5 de enero del 2020"; the panel's caption "Informe"
// when no draw is stored.
QString reportHeading(double newestDrawDate);

// The heading while the panel is being rebuilt on a tab change.
QString reportUpdatingHeading();

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

struct PrizeReportView
{
    QString heading; // the panel's title line
    std::array<QString, 8> amounts; // one per category, 1 to 8
    // From a stored report: the winners of each category ("1.005") and the
    // reintegro line; empty when not known.
    std::array<QString, 8> winners;
    QString reintegro;
    QUrl reportUrl; // empty when the page links no usable document
    // documentFile holds the PDF to show in the panel.
    bool showDocument = false;
    QString documentFile;
    // The panel's text when no document is shown.
    QString message;
    // No PDF viewer: a click on the text opens the reader's download page.
    bool readerMissing = false;
    // The document was downloaded (or its download tried) by this rebuild.
    bool reportFetched = false;
    TransferResult::Error downloadError = TransferResult::Error::None;
};

// Rebuilds the panel. With request.download the old document is deleted and
// the new one fetched through transfer; otherwise the one on disk is shown.
PrizeReportView buildPrizeReport(const PrizeReportRequest &request, WebTransfer *transfer);

// The panel for a report kept in premios.json: the amounts of a final
// report, the winners in the text; a pending one says the data is not out.
PrizeReportView storedPrizeReportView(const PrizeReport &report, double newestDrawDate);

// The panel's texts.
QString reportNotAvailableText();
QString reportNoConnectionText();
QString reportNoViewerText(const Endpoints &endpoints);
