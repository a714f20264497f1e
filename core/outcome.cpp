#include "outcome.h"

#include "dataaccess.h"
#include "syndicatecreation.h"

#include <QDir>

namespace
{
    const QString kOops = QStringLiteral("¡Vaya hombre!");
    const QString kDeleteTitle = QStringLiteral("Borrar...");
    const QString kMembersTitle = QStringLiteral("Socios");
    const QString kNotADrawFile = QStringLiteral(
        "Fichero de sorteos no válido. Compruebe que el archivo NUMEROS.DAT sea para Quorvale.");

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

Outcome Outcome::fileStep(Command command, FileOps::Result result, const QString &path)
{
    if (result == FileOps::Result::Ok)
        return done(command);
    Outcome outcome(Status::Failed, command,
                    result == FileOps::Result::PermissionDenied ? Cause::PermissionDenied : Cause::FileError);
    outcome.path = path;
    outcome.file = result;
    return outcome;
}

Outcome Outcome::printed(Command command, const QString &path, const QString &name)
{
    Outcome outcome = done(command);
    outcome.path = path;
    outcome.name = name;
    return outcome;
}

Outcome Outcome::fileError(Command command, FileOps::Result result, const QString &path)
{
    Outcome outcome = fileStep(command, result, path);
    if (outcome.cause == Cause::PermissionDenied)
        outcome.cause = Cause::FileError;
    return outcome;
}

Outcome Outcome::problem(Command command, const QString &text, Cause cause)
{
    Outcome outcome(Status::Refused, command, cause);
    outcome.detail = text;
    return outcome;
}

Outcome Outcome::note(Command command, const QString &text)
{
    Outcome outcome(Status::Done, command, Cause::Note);
    outcome.detail = text;
    return outcome;
}

std::vector<Outcome::Box> Outcome::boxes() const
{
    std::vector<Box> shown;
    for (const Outcome &met : earlier) {
        for (Box &box : met.boxes())
            shown.push_back(std::move(box));
    }
    if (Box own = box(); !own.title.isEmpty())
        shown.push_back(std::move(own));
    return shown;
}

Outcome::Box Outcome::box() const
{
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
        return {Icon::Warning, QStringLiteral("Error de conexión"),
                QStringLiteral("No conectado: Compruebe la conexión a internet...")};
    case Cause::DateBehind:
        return {Icon::Information, QStringLiteral("Error de fechas"),
                QStringLiteral("La fecha de tu ordenador parece incorrecta. Existen sorteos en la base de datos con "
                               "fechas porsteriores a la actual. Comprueba la fecha de tu ordenador.")};
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
