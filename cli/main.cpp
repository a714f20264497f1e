#include "commands.h"
#include "createcommand.h"
#include "exitcodes.h"
#include "maintenancecommands.h"
#include "printcommand.h"
#include "reportcommands.h"
#include "streamprompter.h"
#include "updatecommand.h"

#include "base/clock.h"
#include "base/qttranslations.h"
#include "core/datadir.h"
#include "core/datalock.h"
#include "core/session.h"
#include "core/startoptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>

namespace
{
    // Printing lays out text, which needs fonts, hence a GUI application,
    // on the offscreen platform: the command line never opens a window.
    std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[])
    {
        for (int i = 1; i < argc; ++i) {
            if (qstrcmp(argv[i], "print") == 0) {
                qputenv("QT_QPA_PLATFORM", "offscreen");
                return std::make_unique<QGuiApplication>(argc, argv);
            }
        }
        return std::make_unique<QCoreApplication>(argc, argv);
    }

    // The arguments of a command that reads its own options, rebuilt from
    // what the parser took.
    QStringList commandArguments(const QCommandLineParser &parser, const QString &command,
                                 std::initializer_list<const char *> valued, std::initializer_list<const char *> flags)
    {
        QStringList arguments = {command};
        for (const char *name : valued) {
            for (const QString &value : parser.values(QString::fromLatin1(name)))
                arguments << QStringLiteral("--") + QLatin1String(name) << value;
        }
        for (const char *name : flags) {
            if (parser.isSet(QString::fromLatin1(name)))
                arguments << QStringLiteral("--") + QLatin1String(name);
        }
        return arguments;
    }

    // The commands and how many words each takes, itself included (a range).
    struct CommandShape
    {
        const char *name;
        int minWords;
        int maxWords;
    };
    constexpr CommandShape kCommands[] = {
        {"status", 1, 1},     {"draws", 1, 1},        {"check", 1, 1},       {"syndicates", 1, 1},
        {"create", 1, 1},     {"print", 1, 1},        {"import", 2, 2},      {"delete-draws", 1, 1},
        {"delete-draw", 2, 2}, {"delete-syndicate", 2, 2}, {"update", 1, 1}, {"export", 1, 1},
        {"prizes", 1, 1},     {"ledger", 1, 1},
    };

    const CommandShape *findCommand(const QString &name)
    {
        for (const CommandShape &shape : kCommands) {
            if (name == QLatin1String(shape.name))
                return &shape;
        }
        return nullptr;
    }

    int usageError(const QString &text)
    {
        std::fprintf(stderr, "%s\nPruebe: quorvale-cli --help\n", qUtf8Printable(text));
        return Cli::Exit::kUsage;
    }

    // How long a command waits for another Quorvale to let go of the data
    // directory before it gives up, changing nothing.
    constexpr int kLockWaitMs = 5000;
}

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> application = makeApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quorvale"));
    QCoreApplication::setOrganizationName(QStringLiteral("Quorvale"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUORVALE_VERSION));
    installQtTranslations();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Quorvale sin ventana.\n\nÓrdenes:\n"
        "  status       estado de los sorteos y las peñas\n"
        "  draws        lista de sorteos y frecuencias\n"
        "  check        escrutinio de las peñas (--draws N, --historico, --premio)\n"
        "  syndicates   lista de peñas, premios y efectividad\n"
        "  create       crea una peña (--name, --key, --bet a,b,c,d,e ... | --multiple a,b,...)\n"
        "  print        imprime una peña en PDF (--syndicate R, --official | --plain, --pdf FICHERO)\n"
        "  import FICHERO           importa un fichero de sorteos\n"
        "  delete-draws             borra todos los sorteos (--yes-draws) y los aciertos (--yes-reset)\n"
        "  delete-draw N            borra el sorteo N de la lista (1 = el más reciente; --yes)\n"
        "  delete-syndicate R       borra la peña R (--yes)\n"
        "  update       baja los sorteos nuevos (--source auto|service|pages, --reports-since AAAA-MM-DD, --json, --operator-url URL)\n"
        "  export --csv los sorteos en CSV, del más antiguo al más reciente\n"
        "  prizes       informe de premios del último sorteo (--date AAAA-MM-DD | --all, --json)\n"
        "  ledger       lo jugado y lo ganado por una peña, sorteo a sorteo (--syndicate R, --json | --csv)"));
    StartOptions::addHelpAndVersion(parser);
    StartOptions::addTo(parser);
    parser.addOption({QStringLiteral("json"), QStringLiteral("Salida en JSON.")});
    parser.addOption({QStringLiteral("yes"), QStringLiteral("Responde Sí a las preguntas.")});
    parser.addOption({QStringLiteral("draws"), QStringLiteral("check: número de sorteos a ver, desde el más reciente (1 por omisión)."),
                      QStringLiteral("N"), QStringLiteral("1")});
    parser.addOption({QStringLiteral("historico"), QStringLiteral("check: también los sorteos anteriores a la creación de cada peña.")});
    parser.addOption({QStringLiteral("premio"), QStringLiteral("check: sólo las apuestas con premio.")});
    parser.addOption({QStringLiteral("csv"), QStringLiteral("export: los sorteos en CSV (date,n1,n2,n3,n4,n5,clave).")});
    parser.addOption({QStringLiteral("yes-draws"), QStringLiteral("delete-draws: Sí a borrar todos los sorteos.")});
    parser.addOption({QStringLiteral("yes-reset"), QStringLiteral("delete-draws: Sí a borrar los aciertos de las peñas.")});
    parser.addOption({QStringLiteral("name"), QStringLiteral("create: nombre de la peña."), QStringLiteral("NOMBRE")});
    parser.addOption({QStringLiteral("key"), QStringLiteral("create: número clave."), QStringLiteral("CLAVE")});
    parser.addOption({QStringLiteral("bet"), QStringLiteral("create: una apuesta sencilla (se puede repetir)."), QStringLiteral("a,b,c,d,e")});
    parser.addOption({QStringLiteral("multiple"), QStringLiteral("create: la apuesta múltiple."), QStringLiteral("a,b,...")});
    parser.addOption({QStringLiteral("syndicate"), QStringLiteral("print, ledger: número de la peña."), QStringLiteral("R")});
    parser.addOption({QStringLiteral("reports-since"), QStringLiteral("update: también los informes de premios que falten desde esa fecha (AAAA-MM-DD)."),
                      QStringLiteral("FECHA")});
    parser.addOption({QStringLiteral("exit-code-on-prize"), QStringLiteral("update: termina con 10 si alguna peña ha tenido premio.")});
    parser.addOption({QStringLiteral("date"), QStringLiteral("prizes: fecha del sorteo (AAAA-MM-DD)."), QStringLiteral("FECHA")});
    parser.addOption({QStringLiteral("all"), QStringLiteral("prizes: los informes de todos los sorteos guardados.")});
    parser.addOption({QStringLiteral("official"), QStringLiteral("print: en boletos oficiales.")});
    parser.addOption({QStringLiteral("plain"), QStringLiteral("print: en papel normal.")});
    parser.addOption({QStringLiteral("source"), QStringLiteral("update: de dónde bajar los sorteos: auto (por omisión), service o pages."),
                      QStringLiteral("FUENTE"), QStringLiteral("auto")});
    parser.addOption({QStringLiteral("pdf"), QStringLiteral("print: fichero PDF de salida."), QStringLiteral("FICHERO")});
    parser.addPositionalArgument(QStringLiteral("orden"), QStringLiteral("La orden a ejecutar."));
    // Qt's own error texts are in English and its exit code is not ours.
    if (!parser.parse(QCoreApplication::arguments())) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            QStringList written;
            for (const QString &name : unknown)
                written << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
            return usageError(QStringLiteral("Opción desconocida: %1").arg(written.join(QStringLiteral(", "))));
        }
        return usageError(QStringLiteral("Opción mal escrita (%1).").arg(parser.errorText()));
    }
    StartOptions::answerHelpOrVersion(parser);

    StartOptions options;
    QString error;
    if (!options.readFrom(parser, &error))
        return usageError(error);
    const QStringList arguments = parser.positionalArguments();
    if (arguments.isEmpty())
        return usageError(QStringLiteral("Falta la orden."));
    // Nothing is opened, created or locked for a command that cannot run.
    const CommandShape *shape = findCommand(arguments.first());
    if (!shape)
        return usageError(QStringLiteral("Orden desconocida: %1").arg(arguments.first()));
    if (arguments.size() > shape->maxWords)
        return usageError(QStringLiteral("Sobra %1 en la orden %2.").arg(arguments.at(shape->maxWords), arguments.first()));
    if (arguments.size() < shape->minWords)
        return usageError(QStringLiteral("Falta un valor en la orden %1.").arg(arguments.first()));

    Cli::Options commandOptions;
    commandOptions.json = parser.isSet(QStringLiteral("json"));
    commandOptions.csv = parser.isSet(QStringLiteral("csv"));
    commandOptions.historico = parser.isSet(QStringLiteral("historico"));
    commandOptions.premio = parser.isSet(QStringLiteral("premio"));
    // A count beyond the stored draws is lowered to them once they are known.
    bool drawsOk = false;
    const qlonglong draws = parser.value(QStringLiteral("draws")).trimmed().toLongLong(&drawsOk);
    commandOptions.draws = int(std::min<qlonglong>(draws, std::numeric_limits<int>::max()));
    if (!drawsOk || draws < 1) {
        return usageError(QStringLiteral("--draws: el número de sorteos debe ser un número entero mayor que 0 (%1).")
                              .arg(parser.value(QStringLiteral("draws"))));
    }

    QDate reportsSince;
    if (parser.isSet(QStringLiteral("reports-since"))) {
        reportsSince = QDate::fromString(parser.value(QStringLiteral("reports-since")), Qt::ISODate);
        if (!reportsSince.isValid())
            return usageError(QStringLiteral("--reports-since: fecha no válida: use AAAA-MM-DD."));
    }
    const auto source = Cli::updateSource(parser.value(QStringLiteral("source")));
    if (!source) {
        std::fprintf(stderr, "--source: debe ser auto, service o pages (%s).\n",
                     qUtf8Printable(parser.value(QStringLiteral("source"))));
        return 2;
    }

    const QString dataDir = resolveDataDir(options.dataDir, QCoreApplication::applicationDirPath());
    if (dataDir.isEmpty()) {
        std::fprintf(stderr, "No se puede usar el directorio de datos %s.\n", qUtf8Printable(options.dataDir));
        return Cli::Exit::kFailed;
    }
    DataDirLock lock(dataDir);
    switch (lock.acquire(kLockWaitMs)) {
    case DataDirLock::Result::Acquired:
        break;
    case DataDirLock::Result::Busy:
        std::fprintf(stderr, "%s\n", qUtf8Printable(lock.busyText()));
        return Cli::Exit::kBusy;
    case DataDirLock::Result::Failed:
        std::fprintf(stderr, "%s\n", qUtf8Printable(lock.failedText()));
        return Cli::Exit::kFailed;
    }

    std::unique_ptr<Clock> clock;
    if (options.today.isValid())
        clock = std::make_unique<FixedClock>(options.today);
    else
        clock = std::make_unique<SystemClock>();

    StreamPrompter prompter(parser.isSet(QStringLiteral("yes")));
    Session session(*clock, prompter, options.endpoints);
    if (!session.start(dataDir)) {
        std::fprintf(stderr, "No se puede usar el directorio de datos %s.\n", qUtf8Printable(dataDir));
        return Cli::Exit::kFailed;
    }
    const QString command = arguments.first();
    int code = 0;
    if (command == QLatin1String("create")) {
        code = Cli::runCreate(session, prompter, commandArguments(parser, command, {"name", "key", "bet", "multiple"}, {}));
    } else if (command == QLatin1String("prizes")) {
        code = Cli::runPrizes(session, parser.value(QStringLiteral("date")), parser.isSet(QStringLiteral("all")),
                              commandOptions.json);
    } else if (command == QLatin1String("ledger")) {
        code = Cli::runLedger(session, parser.value(QStringLiteral("syndicate")), commandOptions.json, commandOptions.csv);
    } else if (command == QLatin1String("update")) {
        code = Cli::runUpdate(session, *source, commandOptions.json, reportsSince,
                              parser.isSet(QStringLiteral("exit-code-on-prize")));
    } else if (command == QLatin1String("print")) {
        code = Cli::runPrint(session, prompter, commandArguments(parser, command, {"syndicate", "pdf"}, {"official", "plain"}));
    } else {
        code = Cli::runMaintenance(session, prompter, arguments, parser.isSet(QStringLiteral("yes-draws")),
                                   parser.isSet(QStringLiteral("yes-reset")), parser.isSet(QStringLiteral("yes")));
        if (code < 0)
            code = Cli::run(session, arguments, commandOptions);
    }
    session.shutdown();
    return code;
}
