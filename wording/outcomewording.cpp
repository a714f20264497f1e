#include "outcomewording.h"

#include "core/dataaccess.h"
#include "core/syndicatecreation.h"

#include "base/calendar.h"
#include "core/session.h"
#include "store/memberfile.h"
#include "store/prizereportfile.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace
{
    const QString kOops = QStringLiteral("¡Vaya hombre!");
    const QString kDeleteTitle = QStringLiteral("Borrar...");
    const QString kMembersTitle = QStringLiteral("Socios");
    const QString kReadErrorTitle = QStringLiteral("Error de lectura");
    const QString kBadDrawFileText = QStringLiteral(
        "Archivo de números ganadores no válido. ¡Se perderán los sorteos grabados!.");
    const QString kKeptCopyLine = QStringLiteral("Una copia del archivo se ha guardado en %1.");
    const QString kNotADrawFile = QStringLiteral(
        "Fichero de sorteos no válido. Compruebe que el archivo NUMEROS.DAT sea para Quorvale.");

    const QString kConnectionTitle = QStringLiteral("Error de conexión");
    const QString kWriteErrorTitle = QStringLiteral("Error de escritura");

    // "05/01/2025, 12/01/2025 y 19/01/2025"; a long list ends in how many more.
    QString datesText(const std::vector<QDate> &dates)
    {
        constexpr std::size_t kShown = 8;
        QStringList shown;
        for (std::size_t i = 0; i < dates.size() && i < kShown; ++i)
            shown << shortSpanishDate(dates[i]);
        if (dates.size() > kShown)
            return shown.join(QStringLiteral(", ")) + QStringLiteral(" y %1 más").arg(dates.size() - kShown);
        const QString last = shown.takeLast();
        return shown.isEmpty() ? last : shown.join(QStringLiteral(", ")) + QStringLiteral(" y ") + last;
    }

    // The error numbers the import has always reported.
    constexpr int kErrorFileNotFound = 53;
    constexpr int kErrorDiskFull = 61;
    constexpr int kErrorPermission = 70;
    constexpr int kErrorFileAccess = 75;

    int errorNumber(FileOps::Result result)
    {
        switch (result) {
        case FileOps::Result::PermissionDenied:
            return kErrorPermission;
        case FileOps::Result::DiskFull:
            return kErrorDiskFull;
        default:
            return kErrorFileAccess;
        }
    }

    // The title of a command's own boxes.
    QString titleOf(Outcome::Command command, const QString &name)
    {
        switch (command) {
        case Outcome::Command::AddDraws:
            return QStringLiteral("Añadir sorteos");
        case Outcome::Command::PrizeReport:
            return QStringLiteral("Informe de premios");
        case Outcome::Command::Import:
        case Outcome::Command::Download:
        case Outcome::Command::DeleteDraws:
        case Outcome::Command::DeleteDraw:
        case Outcome::Command::DataFiles:
            return kOops;
        case Outcome::Command::DeleteSyndicate:
            return kDeleteTitle;
        case Outcome::Command::Create:
            return SyndicateCreation::kErrorTitle;
        case Outcome::Command::Members:
            return kMembersTitle;
        case Outcome::Command::PrintSlips:
            return QStringLiteral("IMPRIMIR BOLETOS");
        case Outcome::Command::PrintParticipations:
            return name.isEmpty() ? QStringLiteral("Participaciones") : QStringLiteral("Participación de %1").arg(name);
        }
        return kOops;
    }

    using Icon = Prompter::Icon;
}

std::vector<OutcomeBox> outcomeBoxes(const Outcome &outcome)
{
    std::vector<OutcomeBox> shown;
    for (const Outcome &met : outcome.earlier) {
        for (OutcomeBox &box : outcomeBoxes(met))
            shown.push_back(std::move(box));
    }
    if (OutcomeBox own = outcomeBox(outcome); !own.title.isEmpty())
        shown.push_back(std::move(own));
    return shown;
}

OutcomeBox outcomeBox(const Outcome &outcome)
{
    using Cause = Outcome::Cause;
    using Status = Outcome::Status;
    using Command = Outcome::Command;
    const Status status = outcome.status;
    const Command command = outcome.command;
    const Cause cause = outcome.cause;
    const QString &path = outcome.path;
    const FileOps::Result file = outcome.file;
    const QString &detail = outcome.detail;
    const QString &name = outcome.name;
    switch (cause) {
    case Cause::ReadOnly:
        return {Icon::Warning, QStringLiteral("Sólo lectura"), detail};
    case Cause::UnusableFile:
        return {Icon::Warning, kOops, fileErrorText(file == FileOps::Result::Ok ? FileOps::Result::Failed : file, path)};
    case Cause::PartialTail:
        return {Icon::Warning, kOops,
                QStringLiteral("%1 termina en un registro incompleto que no se ha podido guardar aparte. "
                               "No se ha modificado ningún archivo.")
                    .arg(QDir::toNativeSeparators(path))};
    case Cause::PermissionDenied:
        // The peña is gone; only its members' file stayed as it was.
        if (status == Status::Incomplete)
            break;
        return {Icon::Warning, QStringLiteral("Error de permiso"), permissionErrorText(path)};
    case Cause::FileError:
        break;
    case Cause::NoSyndicateChosen:
        return {Icon::Information, QStringLiteral("¡Nooooo!"), QStringLiteral("Seleccione una peña primero...")};
    case Cause::NoFileChosen:
        // The complete history ships with the program: no shop to send anyone to.
        return {Icon::Information, QStringLiteral("Quorvale"),
                QStringLiteral("No se ha seleccionado ningún archivo. Recuerde que TODOS LOS SORTEOS DESDE LA "
                               "CREACIÓN DEL GORDO DE LA PRIMITIVA vienen con Quorvale: pulse otra vez "
                               "\"Añadir todos los sorteos\" y elija el archivo numeros.dat de la carpeta "
                               "que se abre.")};
    case Cause::AlreadyTheDrawFile:
        return {Icon::Warning, kOops,
                QStringLiteral("Ese archivo ya es el fichero de sorteos de Quorvale: no hay nada que importar.")};
    case Cause::ImportUnreadable:
        return {Icon::Warning, kOops, kNotADrawFile + QStringLiteral(" Error %1").arg(kErrorFileNotFound)};
    case Cause::NotADrawFile:
        return {Icon::Warning, kOops, kNotADrawFile};
    case Cause::ImportWriteFailed:
        return {Icon::Warning, kOops,
                kNotADrawFile + QStringLiteral(" Error %1").arg(errorNumber(file)) + QLatin1Char('\n')
                    + fileErrorText(file, path)};
    case Cause::Problem:
        return {Icon::Warning, titleOf(command, name), detail};
    case Cause::Note:
        return {Icon::Information, titleOf(command, name), detail};
    case Cause::NotConnected:
        return {Icon::Warning, kConnectionTitle,
                QStringLiteral("No conectado: Compruebe la conexión a internet...")};
    case Cause::DateBehind:
        return {Icon::Information, QStringLiteral("Error de fechas"),
                QStringLiteral("La fecha de tu ordenador parece incorrecta. Existen sorteos en la base de datos con "
                               "fechas porsteriores a la actual. Comprueba la fecha de tu ordenador.")};
    case Cause::CorruptData:
        return {Icon::Critical, QStringLiteral("Error crítico"),
                QStringLiteral("¡¡Datos corruptos o inválidos!! Si se repite en otros momentos este mismo error, "
                               "posiblemente se ha de actualizar el programa. Pruebe más tarde.")};
    case Cause::PartialData:
        return {Icon::Information, QStringLiteral("Pruebe mas tarde"),
                QStringLiteral("Aun no hay datos de sorteos del %1.").arg(outcome.count)};
    case Cause::HistoryGap:
        return {Icon::Warning, QStringLiteral("Faltan sorteos"),
                QStringLiteral("Faltan sorteos desde el %1 que esta descarga no alcanza a traer. Para no dejar huecos en el "
                               "histórico no se ha guardado ningún sorteo nuevo. Puede añadir el histórico completo con "
                               "\"Añadir todos los sorteos\" o volver a descargar más tarde.")
                    .arg(shortSpanishDate(outcome.date))};
    case Cause::NoNewDraws:
        return {Icon::Information, QStringLiteral("Pruebe más tarde"), QStringLiteral("Todavía no hay sorteos nuevos.")};
    case Cause::DrawsNotSaved:
        return {Icon::Critical, kWriteErrorTitle,
                QStringLiteral("No se han podido guardar los sorteos nuevos; numeros.dat sigue como estaba.\n")
                    + fileErrorText(file, path)};
    case Cause::ReportsSaved:
        return {Icon::Information, QStringLiteral("Informes de premios"),
                outcome.count == 1 ? QStringLiteral("Se ha guardado 1 informe de premios")
                                   : QStringLiteral("Se han guardado %1 informes de premios").arg(outcome.count)};
    case Cause::ReportsNotSaved: {
        QString text;
        if (!outcome.dates.empty())
            text = QStringLiteral("No se han podido guardar en premios.json los informes de premios del %1; "
                                  "se volverán a pedir en la próxima descarga.")
                       .arg(datesText(outcome.dates));
        if (!outcome.noDrawDates.empty())
            text += (text.isEmpty() ? QString() : QStringLiteral(" "))
                + QStringLiteral("Tampoco se ha podido guardar que no hubo sorteo el %1; no se guarda ningún sorteo "
                                 "posterior.")
                      .arg(datesText(outcome.noDrawDates));
        return {Icon::Warning, kWriteErrorTitle, text + QLatin1Char('\n') + fileErrorText(file, path)};
    }
    case Cause::DoubtfulReports: {
        QStringList lines;
        for (const Outcome::Day &day : outcome.days) {
            if (day.detail.isEmpty())
                lines << QStringLiteral("La respuesta del servicio trae dos veces el sorteo del %1: no se ha tomado nada de ella.")
                             .arg(shortSpanishDate(day.date));
            else
                lines << QStringLiteral("El informe de premios del %1 no es válido (%2): queda pendiente y se volverá a pedir.")
                             .arg(shortSpanishDate(day.date), day.detail);
        }
        lines.removeDuplicates();
        return {Icon::Warning, QStringLiteral("Informe de premios no válido"), lines.join(QLatin1Char('\n'))};
    }
    case Cause::SlowServer:
        return {Icon::Warning, kConnectionTitle, QStringLiteral("Problemas con el servidor. Tarda en responder. Pruebe más tarde...")};
    case Cause::DrawPageUnreachable:
        return {Icon::Warning, kConnectionTitle,
                QStringLiteral("No conectado: Compruebe la conexión a internet. Si es correcta, pruebe más tarde ya que no es "
                               "posible conectar con el servidor de ONLAE.")};
    case Cause::LinkRefused:
        return {Icon::Warning, kReadErrorTitle, linkRefusalText(path)};
    case Cause::ReportFileSetAside:
        return {Icon::Warning, kReadErrorTitle,
                QStringLiteral("Archivo de informes de premios no válido. Se ha guardado aparte como %1 y se empieza uno nuevo; "
                               "los informes del último año se volverán a bajar.")
                    .arg(QFileInfo(outcome.copy).fileName())};
    case Cause::ReportFileUnusable:
        return {Icon::Warning, kReadErrorTitle,
                QStringLiteral("No se puede usar el archivo de informes de premios %1. No se modificará y los informes de premios "
                               "nuevos no se guardarán.")
                    .arg(QString::fromLatin1(PrizeReportFile::kFileName))};
    case Cause::MemberFileSetAside:
        return {Icon::Warning, kReadErrorTitle,
                QStringLiteral("Archivo de socios no válido. Se ha guardado aparte como %1 y las peñas quedan sin socios; "
                               "puede abrir esa copia para volver a anotarlos.")
                    .arg(QFileInfo(outcome.copy).fileName())};
    case Cause::MemberFileUnusable:
        return {Icon::Warning, kReadErrorTitle,
                QStringLiteral("No se puede usar el archivo de socios %1. No se modificará y los cambios de socios no se guardarán.")
                    .arg(QString::fromLatin1(MemberFile::kFileName))};
    case Cause::TailSetAside: {
        const QString name = QFileInfo(path).fileName();
        const QString wholeKept = name == QLatin1String(Session::kSyndicateFile) ? QStringLiteral("Las peñas completas siguen en uso.")
                                                                                 : QStringLiteral("Los sorteos completos siguen en uso.");
        return {Icon::Warning, kReadErrorTitle,
                QStringLiteral("%1 termina en %2 bytes que no forman un registro completo. %3"
                               "\nLos bytes sobrantes se han guardado en %4.")
                    .arg(name)
                    .arg(outcome.count)
                    .arg(wholeKept, QDir::toNativeSeparators(outcome.copy))};
    }
    case Cause::TailNotSetAside:
        return {Icon::Warning, kReadErrorTitle,
                QStringLiteral("%1 termina en %2 bytes que no forman un registro completo; no se han podido "
                               "guardar aparte y el archivo no se modificará.\n%3")
                    .arg(QFileInfo(path).fileName())
                    .arg(outcome.count)
                    .arg(fileErrorText(file, file == FileOps::Result::Unreadable ? path : outcome.copy))};
    case Cause::DrawFileRejected: {
        const QString kept = outcome.copy.isEmpty() ? QString() : kKeptCopyLine.arg(QDir::toNativeSeparators(outcome.copy));
        if (file == FileOps::Result::Ok)
            return {Icon::Warning, kReadErrorTitle, kBadDrawFileText + QLatin1Char('\n') + kept};
        return {Icon::Warning, kReadErrorTitle,
                kBadDrawFileText + QLatin1Char('\n') + (kept.isEmpty() ? QString() : kept + QLatin1Char(' ')) + fileErrorText(file, path)};
    }
    case Cause::SyndicateFileDamaged:
        return {Icon::Warning, kOops, QStringLiteral("Error crítico: fichero apuestas.dat corrupto.")};
    case Cause::Welcome:
        return {Icon::Information, Session::kWelcomeTitle, Session::kWelcomeText};
    case Cause::None:
        if (status != Status::Done)
            return {};
        if (command == Command::Import)
            return {Icon::Information, QStringLiteral("Todos los sorteos"), QStringLiteral("Archivo de sorteos importado con éxito")};
        // A PDF saved from the window says where it went.
        if (path.isEmpty())
            return {};
        if (command == Command::PrintSlips) {
            return {Icon::Information, titleOf(command, name),
                    QStringLiteral("Boletos en papel normal de la peña %1 guardados en %2").arg(name, path)};
        }
        if (command == Command::PrintParticipations) {
            return {Icon::Information, titleOf(command, name),
                    name.isEmpty() ? QStringLiteral("Participaciones guardadas en %1").arg(path)
                                   : QStringLiteral("Participación de %1 guardada en %2").arg(name, path)};
        }
        return {};
    }
    // A file that could not be read or written, under the command's title.
    if (command == Command::Create)
        return {Icon::Critical, SyndicateCreation::kErrorTitle, SyndicateCreation::kWriteFailed + QLatin1Char('\n') + fileErrorText(file, path)};
    if (status == Status::Incomplete)
        return {Icon::Warning, titleOf(command, name), fileErrorText(file, path)};
    return {Icon::Warning, command == Command::Members ? kMembersTitle : kOops, fileErrorText(file, path)};
}
