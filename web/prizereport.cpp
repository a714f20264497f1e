#include "prizereport.h"

#include "base/calendar.h"
#include "operatorsite.h"
#include "pagereader.h"
#include "store/cents.h"
#include "store/cp1252.h"
#include "store/oledate.h"

#include <QFile>
#include <QLocale>

namespace
{
    const QString kAttention = QStringLiteral(
        "\nATENCIÓN:\nLos datos del sorteo aún no están disponibles. Intente más tarde.");
    const QString kNoConnection = QStringLiteral("No se encuentra conexión a internet.... :(");
    const QString kNoViewer = QStringLiteral(
        "\nOPCIÓN NO DISPONIBLE\n\n"
        "Su ordenador no tiene instalado Adobe Reader para la lectura de archivos PDF.\n"
        "Si quiere instalarlo y disfrutar de esta opción, vaya a la web %1\n"
        "(O haga click AQUÍ para instalarlo)\n\n"
        "Es totalmente gratuito. Una vez instalado, ejecútelo y acepte el contrato de licencia. "
        "Después ya podrá utilizar Quorvale con esta opción activada.");
}

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

QString reportHeading(double newestDrawDate)
{
    const QDate date = OleDate::toDate(newestDrawDate);
    if (newestDrawDate == OleDate::kNone || !date.isValid())
        return QStringLiteral("Informe");
    return QStringLiteral("-Informe del ") + longSpanishDate(date);
}

QString reportUpdatingHeading()
{
    return QStringLiteral("Un momento. Actualizando información...");
}

bool isPdfFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(4) == "%PDF";
}

QString reportNotAvailableText()
{
    return kAttention;
}

QString reportNoConnectionText()
{
    return kNoConnection;
}

QString reportNoViewerText(const Endpoints &endpoints)
{
    return kNoViewer.arg(endpoints.pdfReaderPage.toString());
}

PrizeReportView buildPrizeReport(const PrizeReportRequest &request, WebTransfer *transfer)
{
    PrizeReportView view;
    view.heading = reportHeading(request.newestDrawDate);
    const DrawPageReport page = scanDrawPage(request.drawPage);
    view.amounts = page.amounts;
    view.reportUrl = OperatorSite::reportUrl(page.documentPath, request.endpoints);
    if (view.reportUrl.isEmpty()) {
        view.message = kAttention;
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
            view.message = kNoConnection;
            return view;
        }
    }
    if (!isPdfFile(request.documentFile)) {
        view.message = kAttention;
        return view;
    }
    if (!request.pdfViewerAvailable) {
        view.message = reportNoViewerText(request.endpoints);
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
    view.heading = reportHeading(newestDrawDate);
    if (!report.isFinal()) {
        view.message = kAttention;
        return view;
    }
    for (int category = 1; category <= PrizeReport::kRows; ++category) {
        const PrizeRow &row = report.row(category);
        if (category < PrizeReport::kReintegro)
            view.amounts[std::size_t(category - 1)] = row.prizeCents >= 0 ? Cents::format(row.prizeCents) : QString();
        if (row.winners < 0)
            continue;
        const QString count = QLocale(QLocale::Spanish, QLocale::Spain).toString(qlonglong(row.winners));
        if (category < PrizeReport::kReintegro)
            view.winners[std::size_t(category - 1)] = count;
        else
            view.reintegro = QStringLiteral("- Reintegro: %1 € a %2 acertantes").arg(Cents::format(row.prizeCents), count);
    }
    // The figures are all above; the document, when there is one, is the operator's.
    const QString text = QStringLiteral("Informe de premios del sorteo, según los datos oficiales del operador: "
                                        "premio por apuesta acertada y número de acertantes de cada categoría.");
    view.message = text;
    return view;
}
