#include "commandtable.h"

#include "commands.h"
#include "createcommand.h"
#include "entrycommands.h"
#include "maintenancecommands.h"
#include "membercommands.h"
#include "printcommand.h"
#include "reportcommands.h"
#include "statscommands.h"
#include "streamprompter.h"
#include "updatecommand.h"
#include "wheelcommand.h"

#include "base/dbusnotifier.h"
#include "core/session.h"

#include <QCommandLineParser>
#include <QStringList>

#include <cstring>

namespace
{
    using Cli::CommandInfo;
    using Cli::Invocation;
    using Cli::OptionInfo;

    QString named(const char *name)
    {
        return QString::fromLatin1(name);
    }

    bool always(const QCommandLineParser &)
    {
        return true;
    }

    bool never(const QCommandLineParser &)
    {
        return false;
    }

    bool setsPrizes(const QCommandLineParser &parser)
    {
        return parser.isSet(named("set"));
    }

    bool changesMembers(const QCommandLineParser &parser)
    {
        return parser.isSet(named("add")) || parser.isSet(named("set")) || parser.isSet(named("remove"));
    }

    bool savesWheel(const QCommandLineParser &parser)
    {
        return parser.isSet(named("save"));
    }

    // The arguments of a command that reads its own options, rebuilt from
    // what the parser took.
    QStringList commandArguments(const QCommandLineParser &parser, const QString &command,
                                 std::initializer_list<const char *> valued, std::initializer_list<const char *> flags)
    {
        QStringList arguments = {command};
        for (const char *name : valued) {
            for (const QString &value : parser.values(named(name)))
                arguments << QStringLiteral("--") + QLatin1String(name) << value;
        }
        for (const char *name : flags) {
            if (parser.isSet(named(name)))
                arguments << QStringLiteral("--") + QLatin1String(name);
        }
        return arguments;
    }

    QStringList createArguments(const QCommandLineParser &parser)
    {
        return commandArguments(parser, QStringLiteral("create"), {"name", "key", "bet", "multiple"}, {});
    }

    QStringList printArguments(const QCommandLineParser &parser)
    {
        return commandArguments(parser, QStringLiteral("print"), {"syndicate", "pdf"}, {"official", "plain", "yes"});
    }

    // What each command checks before any file is opened, and its run.

    QString createUsage(const Invocation &in)
    {
        return Cli::createUsageError(createArguments(in.parser));
    }

    int runCreate(const Invocation &in)
    {
        return Cli::runCreate(*in.session, *in.prompter, createArguments(in.parser), in.options.json);
    }

    QString printUsage(const Invocation &in)
    {
        return Cli::printUsageError(printArguments(in.parser));
    }

    int runPrint(const Invocation &in)
    {
        return Cli::runPrint(*in.session, *in.prompter, printArguments(in.parser), in.options.json);
    }

    QString memberUsage(const Invocation &in)
    {
        return Cli::memberUsageError(in.parser, in.arguments.first());
    }

    int runMembers(const Invocation &in)
    {
        return Cli::runMembers(*in.session, in.parser, in.options.json);
    }

    int runParticipation(const Invocation &in)
    {
        return Cli::runParticipation(*in.session, in.parser, in.options.json);
    }

    QString addDrawUsage(const Invocation &in)
    {
        return Cli::addDrawUsageError(in.parser);
    }

    int runAddDraw(const Invocation &in)
    {
        return Cli::runAddDraw(*in.session, *in.prompter, in.parser);
    }

    QString prizesUsage(const Invocation &in)
    {
        if (setsPrizes(in.parser))
            return Cli::setPrizesUsageError(in.parser);
        return Cli::prizesUsageError(in.parser.value(named("date")), in.parser.isSet(named("all")));
    }

    int runPrizes(const Invocation &in)
    {
        if (setsPrizes(in.parser))
            return Cli::runSetPrizes(*in.session, *in.prompter, in.parser);
        return Cli::runPrizes(*in.session, in.parser.value(named("date")), in.parser.isSet(named("all")),
                              in.options.json);
    }

    QString wheelUsage(const Invocation &in)
    {
        return Cli::wheelUsageError(in.parser);
    }

    int runWheel(const Invocation &in)
    {
        return Cli::runWheel(in.session, in.prompter, in.parser);
    }

    QString ledgerUsage(const Invocation &in)
    {
        return Cli::ledgerUsageError(in.parser.value(named("syndicate")), in.options.json, in.options.csv);
    }

    int runLedger(const Invocation &in)
    {
        return Cli::runLedger(*in.session, in.parser.value(named("syndicate")), in.parser.value(named("member")),
                              in.options.json, in.options.csv);
    }

    QString statsUsage(const Invocation &in)
    {
        return Cli::statsUsageError(in.parser, in.arguments.first());
    }

    int runStats(const Invocation &in)
    {
        return Cli::runStats(*in.session, in.parser, in.options.json);
    }

    int runTry(const Invocation &in)
    {
        return Cli::runTry(*in.session, in.parser, in.options.json);
    }

    int runUpdate(const Invocation &in)
    {
        DBusNotifier desktop;
        const QDate since = in.reportsForSyndicates ? in.session->syndicates().oldestCreation() : in.reportsSince;
        return Cli::runUpdate(*in.session, in.source, in.options.json, since,
                              in.parser.isSet(named("exit-code-on-prize")),
                              in.parser.isSet(named("notify")) ? &desktop : nullptr);
    }

    QString numberUsage(const Invocation &in)
    {
        return Cli::maintenanceUsageError(in.arguments);
    }

    int runImport(const Invocation &in)
    {
        return Cli::runImport(*in.session, *in.prompter, in.arguments.at(1));
    }

    int runDeleteDraws(const Invocation &in)
    {
        return Cli::runDeleteDraws(*in.session, *in.prompter, in.parser.isSet(named("yes-draws")),
                                   in.parser.isSet(named("yes-reset")));
    }

    // numberUsage has checked the number.
    int runDeleteDraw(const Invocation &in)
    {
        return Cli::runDeleteDraw(*in.session, *in.prompter, in.arguments.at(1).toInt(), in.parser.isSet(named("yes")));
    }

    int runDeleteSyndicate(const Invocation &in)
    {
        return Cli::runDeleteSyndicate(*in.session, *in.prompter, in.arguments.at(1).toInt(),
                                       in.parser.isSet(named("yes")));
    }

    QString exportUsage(const Invocation &in)
    {
        return Cli::exportUsageError(in.options);
    }

    int runStatus(const Invocation &in)
    {
        return Cli::runStatus(*in.session, in.options);
    }

    int runDraws(const Invocation &in)
    {
        return Cli::runDraws(*in.session, in.options);
    }

    int runCheck(const Invocation &in)
    {
        return Cli::runCheck(*in.session, in.options);
    }

    int runSyndicates(const Invocation &in)
    {
        return Cli::runSyndicates(*in.session, in.options);
    }

    int runExport(const Invocation &in)
    {
        return Cli::runExport(*in.session, in.options);
    }

    constexpr OptionInfo kOptions[] = {
        {"json", nullptr, nullptr, "Salida en JSON (los campos se describen en docs/cli.md)."},
        {"yes", nullptr, nullptr, "Responde Sí a las preguntas (sin ella, No)."},
        {"draws", "N", "1", "Número de sorteos a ver, desde el más reciente (1 por omisión)."},
        {"historico", nullptr, nullptr, "También los sorteos anteriores a la creación de cada peña."},
        {"premio", nullptr, nullptr, "Sólo las apuestas con premio."},
        {"csv", nullptr, nullptr, "Salida en CSV."},
        {"yes-draws", nullptr, nullptr, "Sí a borrar todos los sorteos."},
        {"yes-reset", nullptr, nullptr, "Sí a borrar los aciertos de las peñas."},
        {"name", "NOMBRE", nullptr, "Nombre de la peña (se guarda en mayúsculas)."},
        {"key", "CLAVE", nullptr, "Número clave, del 0 al 9."},
        {"bet", "a,b,c,d,e", nullptr, "Una apuesta sencilla de cinco números del 1 al 54 (se puede repetir, hasta 24)."},
        {"multiple", "a,b,...", nullptr, "La apuesta múltiple: de 6 a 11 números del 1 al 54."},
        {"syndicate", "R", nullptr, "Número de la peña (su posición en la lista de peñas, desde 1)."},
        {"reports-since", "FECHA", nullptr,
         "También los informes de premios que falten desde esa fecha (AAAA-MM-DD; auto: desde la creación de la peña más antigua)."},
        {"exit-code-on-prize", nullptr, nullptr, "Termina con 10 si alguna peña ha tenido premio."},
        {"notify", nullptr, nullptr, "Avisa en el escritorio de cada peña con premio (categoría e importe)."},
        {"date", "FECHA", nullptr, "Fecha del sorteo (AAAA-MM-DD)."},
        {"all", nullptr, nullptr, "Los informes de todos los sorteos guardados."},
        {"official", nullptr, nullptr, "En boletos oficiales."},
        {"plain", nullptr, nullptr, "En papel normal (participaciones)."},
        {"source", "FUENTE", "auto", "De dónde bajar los sorteos: auto (por omisión), service o pages."},
        {"pdf", "FICHERO", nullptr, "Fichero PDF de salida."},
        {"member", "NOMBRE", nullptr, "Sólo ese socio: su participación (sin ella, una página por socio), o su parte de cada sorteo."},
        {"add", "NOMBRE", nullptr, "Añade un socio (hasta 40 caracteres) con las participaciones de --shares."},
        {"set", "VALOR", nullptr,
         "Con members, el NOMBRE del socio cuyas participaciones pasan a ser las de --shares; con prizes, el FICHERO "
         "con el informe de premios escrito a mano, como el que da prizes --json (- para leerlo de la entrada estándar)."},
        {"remove", "NOMBRE", nullptr, "Quita un socio de la peña."},
        {"shares", "N", nullptr, "Participaciones del socio, de 1 a 999."},
        {"last", "N", nullptr, "Sólo los N sorteos más recientes."},
        {"since", "FECHA", nullptr, "Desde el sorteo de esa fecha (AAAA-MM-DD), incluido."},
        {"until", "FECHA", nullptr, "Hasta el sorteo de esa fecha (AAAA-MM-DD), incluido."},
        {"numbers", "a,b,...", nullptr, "Números del 1 al 54 separados por comas: los cinco del sorteo (add-draw), de 5 a 11 de la apuesta (try) o de 6 a 30 de la reducción (wheel)."},
        {"guarantee", "T/P", nullptr, "La garantía: T aciertos si salen P de sus números (2 <= T <= P <= 5)."},
        {"fixed", "LISTA", nullptr, "De 1 a 3 números fijos, jugados en todas las apuestas."},
        {"seconds", "S", nullptr, "Tiempo máximo de búsqueda en segundos (10 por omisión)."},
        {"seed", "N", nullptr, "Semilla de la búsqueda: la misma semilla repite el mismo camino."},
        {"check", nullptr, nullptr, "Comprueba las apuestas de las peñas de --syndicate (R o R,R,...) en vez de buscar."},
        {"save", "NOMBRE", nullptr, "Guarda la reducción como peñas de hasta 24 apuestas (\"NOMBRE 1/3\", ...), creadas hoy."},
    };

    // Kept as laid out by hand: one command to a group of lines.
    // clang-format off
    constexpr CommandInfo kCommands[] = {
        {"status", 1, 1, "", "Estado de los sorteos y las peñas.", {"json"},
         "El número de sorteos guardados, la última actualización, el próximo sorteo, los sorteos que faltan y el número de peñas.",
         false, always, never, nullptr, runStatus},
        {"draws", 1, 1, "", "Lista de sorteos y frecuencias.", {"json"},
         "Los sorteos, del más reciente al más antiguo, y el total; con --json también cuántas veces ha salido cada número y cada clave.",
         false, always, never, nullptr, runDraws},
        {"check", 1, 1, "", "Escrutinio de las peñas, como las listas de resultados de la ventana.",
         {"draws", "historico", "premio", "json"},
         "Las dos listas (apuestas sencillas y múltiples) fila a fila; con --json además los aciertos, la clave y la categoría de cada apuesta. No cambia ningún fichero.",
         false, always, never, nullptr, runCheck},
        {"syndicates", 1, 1, "", "Lista de peñas, premios y efectividad.", {"json"},
         "Una línea por peña (apuestas, sorteos jugados, efectividad), el total de premios y el dinero jugado y ganado.",
         false, always, never, nullptr, runSyndicates},
        {"create", 1, 1, "", "Crea una peña.", {"name", "key", "bet", "multiple", "json", "yes"},
         "El número de la peña nueva (su número R para print, ledger y delete-syndicate), o con --json {\"record\": R}.",
         false, always, always, createUsage, runCreate},
        {"print", 1, 1, "", "Imprime una peña en un fichero PDF.", {"syndicate", "official", "plain", "pdf", "json", "yes"},
         "El número de páginas del PDF escrito, o con --json {\"pages\": N, \"pdf\": FICHERO}.",
         true, always, never, printUsage, runPrint},
        {"import", 2, 2, "FICHERO",
         "Importa un fichero de sorteos: un numeros.dat sustituye al actual (el anterior se guarda como numeros.bak); "
         "la respuesta del servicio de resultados guardada desde el navegador (.json) o un CSV como el de export "
         "añaden sus sorteos a los guardados.",
         {"yes"}, "Nada; los avisos van a la salida de error.",
         false, always, always, nullptr, runImport},
        {"add-draw", 1, 1, "", "Añade a mano un sorteo (con --yes; sin ella sólo lo pregunta).",
         {"date", "numbers", "key", "yes"}, "Nada; los avisos van a la salida de error.",
         false, always, always, addDrawUsage, runAddDraw},
        {"delete-draws", 1, 1, "", "Borra todos los sorteos y, si se pide, los aciertos de las peñas.", {"yes-draws", "yes-reset"},
         "Nada; los avisos van a la salida de error.",
         false, always, always, nullptr, runDeleteDraws},
        {"delete-draw", 2, 2, "N", "Borra el sorteo N de la lista (1 = el más reciente).", {"yes"},
         "Nada; los avisos van a la salida de error.",
         false, always, always, numberUsage, runDeleteDraw},
        {"delete-syndicate", 2, 2, "R", "Borra la peña R.", {"yes"}, "Nada; los avisos van a la salida de error.",
         false, always, always, numberUsage, runDeleteSyndicate},
        {"update", 1, 1, "", "Baja los sorteos nuevos y sus informes de premios.",
         {"source", "reports-since", "json", "exit-code-on-prize", "notify", "yes"},
         "El último texto del estado de la descarga, o con --json los sorteos nuevos, los informes pendientes, los sorteos que faltan y los premios de las peñas.",
         false, always, always, nullptr, runUpdate},
        {"export", 1, 1, "", "Los sorteos en CSV, del más antiguo al más reciente.", {"csv"},
         "date,n1,n2,n3,n4,n5,clave y una línea por sorteo (se puede volver a importar).",
         false, always, never, exportUsage, runExport},
        {"prizes", 1, 1, "", "Informe de premios del último sorteo guardado; con --set, lo guarda escrito a mano.",
         {"date", "all", "json", "set", "yes"},
         "Por categoría, los acertantes y el premio en euros, o si el informe está pendiente o falta; con --set, nada.",
         false, always, setsPrizes, prizesUsage, runPrizes},
        {"ledger", 1, 1, "", "Lo jugado y lo ganado por una peña (o por uno de sus socios), sorteo a sorteo.",
         {"syndicate", "member", "json", "csv"},
         "Por sorteo: la fecha, lo jugado, lo ganado y los aciertos, con el total y el balance; con --json o --csv, "
         "en céntimos y las apuestas premiadas por categoría.",
         false, always, never, ledgerUsage, runLedger},
        {"members", 1, 1, "", "Los socios de una peña y sus participaciones; con --add, --set o --remove, los cambia.",
         {"syndicate", "add", "set", "remove", "shares", "json"},
         "Por socio: el nombre, las participaciones y su parte de lo jugado, lo ganado y el balance, y la fila del total; "
         "una peña sin socios es de su organizador.",
         false, always, changesMembers, memberUsage, runMembers},
        {"participation", 1, 1, "", "Las participaciones de los socios de una peña en un sorteo, en PDF.",
         {"syndicate", "member", "date", "pdf", "json", "yes"},
         "El número de páginas del PDF (una por socio), o con --json {\"pages\": N, \"pdf\": FICHERO, \"date\": \"AAAA-MM-DD\"}. "
         "El sorteo es el próximo, o el de --date.",
         true, always, never, memberUsage, runParticipation},
        {"stats", 1, 1, "", "Estadísticas de los sorteos: veces, ausencias, calientes y fríos, parejas y forma del sorteo.",
         {"last", "since", "until", "json"},
         "Por número y por clave: veces, porcentaje de sorteos, sorteos sin salir, mayor ausencia y ausencia media; "
         "las parejas, la suma, impares, bajos, decenas, consecutivos y repetidos del sorteo anterior. "
         "Sin --last ni --since/--until, todos los sorteos guardados.",
         false, always, never, statsUsage, runStats},
        {"try", 1, 1, "", "Comprobar combinación: lo que una apuesta habría ganado en los sorteos guardados.",
         {"numbers", "key", "last", "since", "until", "json"},
         "Los premios por categoría, lo jugado, lo ganado y el balance (de los sorteos con informe de premios) "
         "y cada sorteo con premio. No toca ninguna peña.",
         false, always, never, statsUsage, runTry},
        {"wheel", 1, 1, "", "Reducción: las apuestas que garantizan T aciertos si salen P de sus números.",
         {"numbers", "guarantee", "fixed", "seconds", "seed", "save", "key", "check", "syndicate", "json"},
         "Las apuestas halladas, cuántas tiene la menor conocida y la cota inferior, la comprobación y la tabla de "
         "resultados; con --json {\"pool\", \"fixed\", \"guarantee\", \"bets\", \"verified\", \"coverage\", "
         "\"bestKnown\", \"lowerBound\", \"seconds\", \"outcomes\"}. Con --check, la parte cubierta, los primeros "
         "casos sin cubrir y la tabla de resultados de esas peñas.",
         false, Cli::wheelNeedsData, savesWheel, wheelUsage, runWheel},
    };
    // clang-format on

    const OptionInfo *findOption(const char *name)
    {
        for (const OptionInfo &option : kOptions) {
            if (std::strcmp(option.name, name) == 0)
                return &option;
        }
        return nullptr;
    }

    QString written(const OptionInfo &option)
    {
        QString text = QStringLiteral("--") + QLatin1String(option.name);
        if (option.valueName)
            text += QLatin1Char(' ') + QString::fromUtf8(option.valueName);
        return text;
    }

    // The commands that take an option, for the general help: "check, print".
    QString usersOf(const char *name)
    {
        QStringList users;
        for (const CommandInfo &command : kCommands) {
            for (const char *option : command.options) {
                if (option && std::strcmp(option, name) == 0)
                    users << QLatin1String(command.name);
            }
        }
        return users.join(QStringLiteral(", "));
    }
}

const CommandInfo *Cli::findCommand(const QString &name)
{
    for (const CommandInfo &command : kCommands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

void Cli::addCommandOptions(QCommandLineParser &parser)
{
    for (const OptionInfo &option : kOptions) {
        QCommandLineOption added(QString::fromLatin1(option.name),
                                 usersOf(option.name) + QStringLiteral(": ") + QString::fromUtf8(option.help));
        if (option.valueName)
            added.setValueName(QString::fromUtf8(option.valueName));
        if (option.defaultValue)
            added.setDefaultValue(QString::fromUtf8(option.defaultValue));
        parser.addOption(added);
    }
}

QString Cli::commandList()
{
    QString text = QStringLiteral("Quorvale sin ventana.\n\nÓrdenes (quorvale-cli ORDEN --help explica cada una):\n");
    for (const CommandInfo &command : kCommands) {
        QString head = QLatin1String(command.name);
        if (*command.arguments)
            head += QLatin1Char(' ') + QString::fromUtf8(command.arguments);
        text += QStringLiteral("  %1 %2\n").arg(head, -24).arg(QString::fromUtf8(command.summary));
    }
    text += QStringLiteral("\nSalida: 0 hecho, 1 error, 2 uso incorrecto (no se toca ningún fichero), 3 respuesta No, "
                           "4 otro Quorvale usa los datos, 10 update --exit-code-on-prize con premio.");
    return text;
}

QString Cli::commandHelp(const CommandInfo &command)
{
    QString usage = QStringLiteral("Uso: quorvale-cli [--data-dir DIR] [--today AAAA-MM-DD] ") + QLatin1String(command.name);
    if (*command.arguments)
        usage += QLatin1Char(' ') + QString::fromUtf8(command.arguments);
    QStringList lines;
    for (const char *name : command.options) {
        if (!name)
            break;
        const OptionInfo *option = findOption(name);
        usage += QStringLiteral(" [") + written(*option) + QLatin1Char(']');
        lines << QStringLiteral("  %1 %2").arg(written(*option), -22).arg(QString::fromUtf8(option->help));
    }
    QString text = usage + QStringLiteral("\n\n") + QString::fromUtf8(command.summary) + QLatin1Char('\n');
    if (!lines.isEmpty())
        text += QStringLiteral("\nOpciones:\n") + lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    text += QStringLiteral("\nEscribe: ") + QString::fromUtf8(command.prints) + QLatin1Char('\n');
    return text;
}

QString Cli::foreignOption(const QCommandLineParser &parser, const CommandInfo &command)
{
    for (const OptionInfo &option : kOptions) {
        const QString name = QString::fromLatin1(option.name);
        if (!parser.isSet(name))
            continue;
        bool taken = false;
        for (const char *own : command.options)
            taken = taken || (own && std::strcmp(own, option.name) == 0);
        if (!taken)
            return QStringLiteral("--") + name;
    }
    return {};
}
