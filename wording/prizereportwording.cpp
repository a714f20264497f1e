#include "prizereportwording.h"

#include "outcomewording.h"

#include "base/calendar.h"
#include "store/cents.h"
#include "store/fileops.h"
#include "store/oledate.h"

#include <QLocale>

namespace
{
    QString countText(std::int64_t count)
    {
        return QLocale(QLocale::Spanish, QLocale::Spain).toString(qlonglong(count));
    }
}

namespace Wording
{
    QString reportHeading(double drawDate)
    {
        const QDate date = OleDate::toDate(drawDate);
        if (drawDate == OleDate::kNone || !date.isValid())
            return QStringLiteral("Informe");
        return QStringLiteral("-Informe del ") + longSpanishDate(date);
    }

    QString reportUpdatingHeading()
    {
        return QStringLiteral("Un momento. Actualizando información...");
    }

    QString reportAmountText(const PrizeReportView &view, int category)
    {
        const PrizeRow &row = view.rows[std::size_t(category - 1)];
        return row.prizeCents >= 0 ? Cents::format(row.prizeCents) : view.pageAmounts[std::size_t(category - 1)];
    }

    QString reportWinnersText(const PrizeReportView &view, int category)
    {
        const PrizeRow &row = view.rows[std::size_t(category - 1)];
        return row.winners < 0 ? QString() : QStringLiteral("(%1 acertantes)").arg(countText(row.winners));
    }

    QString reportReintegroText(const PrizeReportView &view)
    {
        const PrizeRow &row = view.rows[std::size_t(PrizeReport::kReintegro - 1)];
        if (row.winners < 0)
            return QString();
        return QStringLiteral("- Reintegro: %1 € a %2 acertantes").arg(Cents::format(row.prizeCents), countText(row.winners));
    }

    QString reportMessage(const PrizeReportView &view)
    {
        switch (view.message) {
        case PrizeReportView::Message::NotAvailable:
            break;
        case PrizeReportView::Message::NoConnection:
            return reportNoConnectionText();
        case PrizeReportView::Message::NoViewer:
            return reportNoViewerText(view.readerPage);
        case PrizeReportView::Message::StoredFigures:
            return QStringLiteral("Informe de premios del sorteo, según los datos oficiales del operador: "
                                  "premio por apuesta acertada y número de acertantes de cada categoría.");
        case PrizeReportView::Message::Unreadable:
            return reportUnreadableText(view.unreadable);
        }
        return reportNotAvailableText();
    }

    QString reportNotAvailableText()
    {
        return QStringLiteral("\nATENCIÓN:\nLos datos del sorteo aún no están disponibles. Intente más tarde.");
    }

    QString reportNoConnectionText()
    {
        return QStringLiteral("No se encuentra conexión a internet.... :(");
    }

    QString reportNoViewerText(const QUrl &readerPage)
    {
        return QStringLiteral("\nOPCIÓN NO DISPONIBLE\n\n"
                              "Su ordenador no tiene instalado Adobe Reader para la lectura de archivos PDF.\n"
                              "Si quiere instalarlo y disfrutar de esta opción, vaya a la web %1\n"
                              "(O haga click AQUÍ para instalarlo)\n\n"
                              "Es totalmente gratuito. Una vez instalado, ejecútelo y acepte el contrato de licencia. "
                              "Después ya podrá utilizar Quorvale con esta opción activada.")
            .arg(readerPage.toString());
    }

    QString reportUnreadableText(const ReportUnreadable &reason)
    {
        if (reason.kind == ReportUnreadable::Kind::NotSaved) {
            // The same words as the box that tells it.
            Outcome notSaved(Outcome::Status::Failed, Outcome::Command::Download, Outcome::Cause::NewDrawsNotSaved);
            notSaved.path = reason.path;
            notSaved.file = reason.file;
            return QLatin1Char('\n') + outcomeBox(notSaved).text;
        }
        // Without a support address the line would end in nothing.
        QString text = QStringLiteral("\nERROR DE INTERPRETACIÓN DE DATOS:");
        if (!reason.supportEmail.isEmpty())
            text += QStringLiteral("\nSi más tarde se conecta y le vuelve a suceder envie un email a: ") + reason.supportEmail;
        return text;
    }
}
