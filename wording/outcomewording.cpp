#include "outcomewording.h"

#include "core/dataaccess.h"
#include "core/syndicatecreation.h"

#include "base/calendar.h"
#include "base/plural.h"
#include "core/session.h"
#include "core/wheelsyndicates.h"
#include "store/memberfile.h"
#include "store/nametext.h"
#include "store/prizereportfile.h"
#include "web/servicesource.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

const QString Wording::kFutureSyndicate = QStringLiteral(
    "¡¡¡No puede crear una peña con fecha anterior a una ya existente!!!. Borre dicha peña antes de crear ésta.");
const QString Wording::kFutureDraw = QStringLiteral(
    "Hay sorteos con fecha posterior a la de la peña que intenta crear. Revise la fecha de su ordenador. "
    "¡No se puede crear una peña con fecha anterior a la del último sorteo!");
const QString Wording::kNoName = QStringLiteral("¡¡¡No ha escrito el nombre de la peña!!!");
const QString Wording::kNameTooLong = QStringLiteral("¡¡¡El nombre no puede tener más de 20 letras!!!");
const QString Wording::kOnlyName = QStringLiteral("Sólo tienes que poner un nombre. No puedes añadir más números.");
const QString Wording::kOneMultiple = QStringLiteral(
    "¡¡ Oficialmente sólo se admite una combinación por boleto cuando juegas a múltiples !! ");
const QString Wording::kMaxSimple = QStringLiteral("Máximo de apuestas sencillas por peña : 24.");
const QString Wording::kRepeatedDeclined = QStringLiteral(
    "Hay una apuesta repetida y no se ha aceptado; la peña no se ha creado.");
const QString Wording::kWriteFailed = QStringLiteral(
    "No se ha podido grabar la peña en apuestas.dat. Compruebe que el fichero se puede escribir.");

namespace
{
    const QString kOops = QStringLiteral("¡Vaya hombre!");
    const QString kDeleteTitle = QStringLiteral("Borrar...");
    const QString kMembersTitle = QStringLiteral("Socios");
    const QString kReadErrorTitle = QStringLiteral("Error de lectura");
    const QString kBadDrawFileText = QStringLiteral(
        "Archivo de números ganadores no válido. ¡Se perderán los sorteos grabados!.");
    const QString kKeptCopyLine = QStringLiteral("Una copia del archivo se ha guardado en %1.");
    const QString kNothingChanged = QStringLiteral(" No se ha cambiado nada.");
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

    // "3-12-25-33-48, clave 7"
    QString numbersText(const DrawRecord &draw)
    {
        QStringList numbers;
        for (std::int16_t n : draw.numbers)
            numbers << QString::number(n);
        return QStringLiteral("%1, clave %2").arg(numbers.join(QLatin1Char('-'))).arg(draw.clave);
    }

    // Where a draw was read: " (línea 3)"; empty for one typed.
    QString lineText(qint64 line)
    {
        return line > 0 ? QStringLiteral(" (línea %1)").arg(line) : QString();
    }

    // A character as a message names it: itself in quotes, or U+XXXX for one
    // that cannot be seen (a control, an invisible or combining character).
    QString describe(char32_t c)
    {
        const QChar::Category category = QChar::category(c);
        const bool unseen = NameText::isForbidden(c) || category == QChar::Mark_NonSpacing
            || category == QChar::Mark_SpacingCombining || category == QChar::Mark_Enclosing
            || (category == QChar::Separator_Space && c != U' ');
        if (unseen)
            return QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
        return QLatin1Char('"') + QString::fromUcs4(&c, 1) + QLatin1Char('"');
    }

    QString listed(const QList<char32_t> &characters)
    {
        QStringList names;
        for (char32_t c : characters)
            names << describe(c);
        return names.join(QStringLiteral(", "));
    }
}

QString Wording::nameProblemText(NameRule rule, const QString &name)
{
    switch (rule) {
    case NameRule::Fits:
        break;
    case NameRule::Forbidden:
        return QStringLiteral("El nombre contiene caracteres invisibles, de control o que cambian la dirección del texto, "
                              "que no se admiten: %1")
            .arg(listed(NameText::forbiddenCharacters(name)));
    case NameRule::Unstorable:
        return QStringLiteral("El nombre contiene caracteres que no se pueden guardar: %1")
            .arg(listed(NameText::unstorableCharacters(name)));
    case NameRule::TooLong:
        return kNameTooLong;
    case NameRule::OutOfLength:
        return QStringLiteral("El nombre del socio debe tener entre 1 y %1 caracteres.").arg(MemberFile::kMaxNameLength);
    }
    return {};
}

QString Wording::drawProblemText(const Outcome &outcome)
{
    using Cause = Outcome::Cause;
    switch (outcome.cause) {
    case Cause::DrawDateInvalid:
        return QStringLiteral("la fecha no es válida");
    case Cause::DrawBeforeFirst:
        return QStringLiteral("es anterior al primer sorteo, del %1").arg(shortSpanishDate(ServiceSource::kFirstDraw));
    case Cause::DrawAfterToday:
        return QStringLiteral("es posterior a hoy");
    case Cause::DrawOffDay:
        return QStringLiteral("ese día (%1) no hay sorteo: se sortea en domingo (en sábado del 22/10/2005 al 01/07/2006)")
            .arg(diasemana(outcome.date).toLower());
    case Cause::DrawNumberOutOfRange:
        return QStringLiteral("los números deben ir del 1 al 54");
    case Cause::DrawNumberRepeated:
        return QStringLiteral("el número %1 está repetido").arg(outcome.record);
    case Cause::DrawKeyOutOfRange:
        return QStringLiteral("la clave debe ir del 0 al 9");
    default:
        return {};
    }
}

QString Wording::outcomeText(const Outcome &outcome)
{
    return outcomeBox(outcome).text;
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
    case Cause::NameForbidden:
        return {Icon::Warning, titleOf(command, name), Wording::nameProblemText(NameRule::Forbidden, name)};
    case Cause::NameUnstorable:
        return {Icon::Warning, titleOf(command, name), Wording::nameProblemText(NameRule::Unstorable, name)};
    case Cause::NameTooLong:
        return {Icon::Warning, titleOf(command, name), Wording::nameProblemText(NameRule::TooLong, name)};
    case Cause::MemberNameLength:
        return {Icon::Warning, titleOf(command, name), Wording::nameProblemText(NameRule::OutOfLength, name)};
    case Cause::NoSuchSyndicate:
        return {Icon::Warning, titleOf(command, name), QStringLiteral("No existe la peña %1.").arg(outcome.record)};
    case Cause::NoSuchSyndicateAmong:
        return {Icon::Warning, titleOf(command, name),
                QStringLiteral("No existe la peña %1. Hay %2.").arg(outcome.record).arg(savedSyndicatesText(outcome.count))};
    case Cause::MemberFileNotWritable:
        return {Icon::Warning, titleOf(command, name),
                QStringLiteral("No se puede modificar el archivo de socios %1.").arg(QString::fromLatin1(MemberFile::kFileName))};
    case Cause::InvalidShares:
        return {Icon::Warning, titleOf(command, name),
                QStringLiteral("Las participaciones deben ser un número entero de 1 a %1.").arg(MemberFile::kMaxShares)};
    case Cause::DuplicateMember:
        return {Icon::Warning, titleOf(command, name), QStringLiteral("Ya hay un socio llamado %1 en esta peña.").arg(name)};
    case Cause::NoSuchMember:
        return {Icon::Warning, titleOf(command, name),
                QStringLiteral("No hay ningún socio llamado %1 en la peña %2.").arg(name).arg(outcome.record)};
    case Cause::NoBetsToPrint:
        return {Icon::Warning, titleOf(command, name),
                QStringLiteral("La peña %1 no tiene apuestas que imprimir.").arg(outcome.record)};
    case Cause::FutureSyndicate:
        return {Icon::Warning, titleOf(command, name), Wording::kFutureSyndicate};
    case Cause::FutureDraw:
        return {Icon::Warning, titleOf(command, name), Wording::kFutureDraw};
    case Cause::NoSyndicateName:
        return {Icon::Warning, titleOf(command, name), Wording::kNoName};
    case Cause::SlipWaitsForName:
        return {Icon::Information, titleOf(command, name), Wording::kOnlyName};
    case Cause::OneMultipleBet:
        return {Icon::Information, titleOf(command, name), Wording::kOneMultiple};
    case Cause::MaxSimpleBets:
        return {Icon::Information, titleOf(command, name), Wording::kMaxSimple};
    case Cause::KeyOutOfRange:
        return {Icon::Warning, titleOf(command, name), QStringLiteral("La clave debe ser un número del 0 al 9.")};
    case Cause::NoBet:
        return {Icon::Warning, titleOf(command, name), QStringLiteral("Falta la apuesta: indique al menos una apuesta.")};
    case Cause::BadSimpleBet:
        return {Icon::Warning, titleOf(command, name),
                QStringLiteral("Cada apuesta sencilla debe tener 5 números distintos del 1 al 54.")};
    case Cause::BadMultipleBet:
        return {Icon::Warning, titleOf(command, name),
                QStringLiteral("Una apuesta múltiple debe tener de 6 a 11 números distintos del 1 al 54.")};
    case Cause::RepeatedBetDeclined:
        return {Icon::Warning, titleOf(command, name), Wording::kRepeatedDeclined};
    case Cause::NoBetsToSave:
        return {Icon::Warning, titleOf(command, name), QStringLiteral("No hay apuestas que guardar.")};
    case Cause::TooManyBets:
        return {Icon::Warning, titleOf(command, name),
                QStringLiteral("Son %1 apuestas: demasiadas para guardarlas como peñas (como mucho %2 peñas de 24).")
                    .arg(outcome.count)
                    .arg(WheelSyndicates::kMaxSyndicates)};
    case Cause::NotAServiceAnswer:
        return {Icon::Warning, titleOf(command, name),
                QStringLiteral("El texto no es una respuesta del servicio de resultados de Loterías y Apuestas: "
                               "debe empezar por [ y ser la lista de sorteos que muestra el navegador.")
                    + kNothingChanged};
    case Cause::AnswerDrawTwice:
        return {Icon::Warning, titleOf(command, name),
                QStringLiteral("La respuesta trae dos veces el sorteo del %1: no se sabe cuál es el bueno.")
                        .arg(shortSpanishDate(outcome.date))
                    + kNothingChanged};
    case Cause::AnswerDrawInvalid:
        return {Icon::Warning, titleOf(command, name),
                QStringLiteral("El sorteo del %1 no es válido (otro juego, un día sin sorteo, una fecha posterior a hoy, "
                               "números fuera de 1 a 54 o repetidos, o una clave fuera de 0 a 9).")
                        .arg(shortSpanishDate(outcome.date))
                    + kNothingChanged};
    case Cause::AnswerDrawUndated:
        return {Icon::Warning, titleOf(command, name),
                QStringLiteral("Hay un sorteo cuya fecha no se puede leer o es anterior al primer sorteo (%1).")
                        .arg(shortSpanishDate(ServiceSource::kFirstDraw))
                    + kNothingChanged};
    case Cause::AnswerWithoutDraws:
        return {Icon::Warning, titleOf(command, name), QStringLiteral("La respuesta no trae ningún sorteo.") + kNothingChanged};
    case Cause::CsvLineRefused:
        return {Icon::Warning, titleOf(command, name),
                QStringLiteral("La línea %1 del fichero no es un sorteo: %2.").arg(outcome.count).arg(detail) + kNothingChanged};
    case Cause::CsvWithoutDraws:
        return {Icon::Warning, titleOf(command, name), QStringLiteral("El fichero no trae ningún sorteo.") + kNothingChanged};
    case Cause::DrawDateInvalid:
    case Cause::DrawBeforeFirst:
    case Cause::DrawAfterToday:
    case Cause::DrawOffDay:
    case Cause::DrawNumberOutOfRange:
    case Cause::DrawNumberRepeated:
    case Cause::DrawKeyOutOfRange:
        return {Icon::Warning, titleOf(command, name),
                QStringLiteral("El sorteo del %1%2 no se puede añadir: %3.")
                        .arg(outcome.date.isValid() ? shortSpanishDate(outcome.date) : QStringLiteral("?"), lineText(outcome.count),
                             Wording::drawProblemText(outcome))
                    + kNothingChanged};
    case Cause::DrawTwiceDiffering:
        return {Icon::Warning, titleOf(command, name),
                QStringLiteral("El %1 aparece dos veces con números distintos%2 y%3.")
                        .arg(shortSpanishDate(outcome.date), lineText(outcome.record), lineText(outcome.count))
                    + kNothingChanged};
    case Cause::DrawStoredDiffers:
        return {Icon::Warning, titleOf(command, name),
                QStringLiteral("Ya hay un sorteo guardado el %1 con otros números (%2); el que trae%3 es %4.")
                        .arg(shortSpanishDate(outcome.date), numbersText(outcome.draws.at(0)), lineText(outcome.count),
                             numbersText(outcome.draws.at(1)))
                    + kNothingChanged};
    case Cause::DrawsNotSaved:
        return {Icon::Warning, titleOf(command, name),
                QStringLiteral("No se han podido guardar los sorteos; numeros.dat sigue como estaba.\n") + fileErrorText(file, path)};
    case Cause::AlreadyStored:
        return {Icon::Information, titleOf(command, name),
                outcome.count == 1 ? QStringLiteral("Ese sorteo ya estaba guardado; no hay nada que añadir.")
                                   : QStringLiteral("Esos %1 sorteos ya estaban guardados; no hay nada que añadir.").arg(outcome.count)};
    case Cause::DrawsAdded: {
        const std::vector<QDate> &added = outcome.dates;
        const qint64 reports = outcome.count;
        const int unchanged = outcome.record;
        QString text;
        if (added.size() == 1)
            text = QStringLiteral("Añadido el sorteo del %1").arg(shortSpanishDate(added.front()));
        else if (!added.empty())
            text = QStringLiteral("Añadidos %1 sorteos, del %2 al %3")
                       .arg(added.size())
                       .arg(shortSpanishDate(added.front()), shortSpanishDate(added.back()));
        if (reports > 0) {
            const QString reportsText = reports == 1 ? QStringLiteral("1 informe de premios") : QStringLiteral("%1 informes de premios").arg(reports);
            text = text.isEmpty() ? QStringLiteral("Guardado %1").arg(reportsText) : text + QStringLiteral(", con %1").arg(reportsText);
        }
        if (unchanged > 0)
            text += QStringLiteral(" (%1 ya estaba%2 guardado%2)").arg(unchanged).arg(unchanged == 1 ? "" : "n");
        return {Icon::Information, titleOf(command, name), text + QLatin1Char('.')};
    }
    case Cause::ReportsNotSaved: {
        QStringList dates;
        for (QDate date : outcome.dates)
            dates << shortSpanishDate(date);
        return {Icon::Warning, titleOf(command, name),
                QStringLiteral("No se han podido guardar en premios.json los informes de premios del %1.\n").arg(dates.join(QStringLiteral(", ")))
                    + fileErrorText(file, path)};
    }
    case Cause::NoDrawStored:
        return {Icon::Warning, titleOf(command, name),
                QStringLiteral("No hay ningún sorteo guardado el %1: añada antes el sorteo.")
                    .arg(outcome.date.isValid() ? shortSpanishDate(outcome.date) : QStringLiteral("?"))};
    case Cause::ReportCategoryInvalid:
        return {Icon::Warning, titleOf(command, name),
                QStringLiteral("La categoría %1 del informe no es válida.").arg(outcome.record) + kNothingChanged};
    case Cause::ReportOutOfBounds:
        return {Icon::Warning, titleOf(command, name),
                QStringLiteral("El informe del %1 no es válido: %2.").arg(shortSpanishDate(outcome.date), detail) + kNothingChanged};
    case Cause::ReportFileNotWritable:
        return {Icon::Warning, titleOf(command, name), QStringLiteral("premios.json no se puede escribir.") + kNothingChanged};
    case Cause::ReportNotSaved:
        return {Icon::Warning, titleOf(command, name), fileErrorText(file, path) + kNothingChanged};
    case Cause::ReportSaved:
        return {Icon::Information, titleOf(command, name),
                QStringLiteral("Guardado el informe de premios del %1.").arg(shortSpanishDate(outcome.date))};
    case Cause::ReductionNameTooLong:
        return {Icon::Warning, titleOf(command, name),
                QStringLiteral("El nombre \"%1\" no cabe en 20 letras: acorte el nombre de la peña.").arg(name)};
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
    case Cause::NewDrawsNotSaved:
        return {Icon::Critical, kWriteErrorTitle,
                QStringLiteral("No se han podido guardar los sorteos nuevos; numeros.dat sigue como estaba.\n")
                    + fileErrorText(file, path)};
    case Cause::ReportsSaved:
        return {Icon::Information, QStringLiteral("Informes de premios"),
                outcome.count == 1 ? QStringLiteral("Se ha guardado 1 informe de premios")
                                   : QStringLiteral("Se han guardado %1 informes de premios").arg(outcome.count)};
    case Cause::DownloadedReportsNotSaved: {
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
        return {Icon::Critical, SyndicateCreation::kErrorTitle, Wording::kWriteFailed + QLatin1Char('\n') + fileErrorText(file, path)};
    if (status == Status::Incomplete)
        return {Icon::Warning, titleOf(command, name), fileErrorText(file, path)};
    return {Icon::Warning, command == Command::Members ? kMembersTitle : kOops, fileErrorText(file, path)};
}
