#include "commands.h"
#include "commandtable.h"
#include "createcommand.h"
#include "entrycommands.h"
#include "exitcodes.h"
#include "output.h"
#include "maintenancecommands.h"
#include "wheelcommand.h"
#include "membercommands.h"
#include "printcommand.h"
#include "readonlycommands.h"
#include "reportcommands.h"
#include "statscommands.h"
#include "streamprompter.h"
#include "updatecommand.h"

#include "base/clock.h"
#include "base/dbusnotifier.h"
#include "base/qttranslations.h"
#include "core/dataaccess.h"
#include "core/datadir.h"
#include "core/datalock.h"
#include "core/session.h"
#include "core/startoptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <csignal>
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
            if (qstrcmp(argv[i], "print") == 0 || qstrcmp(argv[i], "participation") == 0) {
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

    QStringList createArguments(const QCommandLineParser &parser)
    {
        return commandArguments(parser, QStringLiteral("create"), {"name", "key", "bet", "multiple"}, {});
    }

    QStringList printArguments(const QCommandLineParser &parser)
    {
        return commandArguments(parser, QStringLiteral("print"), {"syndicate", "pdf"}, {"official", "plain", "yes"});
    }

    // Every check that needs nothing but the command line. It runs before
    // the data directory is even looked for: a first start would create the
    // data files, and any start sets a damaged tail aside, neither of which
    // a refused command may do.
    QString usageProblem(const QCommandLineParser &parser, const QStringList &arguments,
                         const Cli::Options &options)
    {
        const QString &command = arguments.first();
        if (command == QLatin1String("create"))
            return Cli::createUsageError(createArguments(parser));
        if (command == QLatin1String("print"))
            return Cli::printUsageError(printArguments(parser));
        if (command == QLatin1String("members") || command == QLatin1String("participation"))
            return Cli::memberUsageError(parser, command);
        if (command == QLatin1String("add-draw"))
            return Cli::addDrawUsageError(parser);
        if (command == QLatin1String("prizes") && parser.isSet(QStringLiteral("set")))
            return Cli::setPrizesUsageError(parser);
        if (command == QLatin1String("prizes"))
            return Cli::prizesUsageError(parser.value(QStringLiteral("date")), parser.isSet(QStringLiteral("all")));
        if (command == QLatin1String("wheel"))
            return Cli::wheelUsageError(parser);
        if (command == QLatin1String("ledger"))
            return Cli::ledgerUsageError(parser.value(QStringLiteral("syndicate")), options.json, options.csv);
        if (command == QLatin1String("stats") || command == QLatin1String("try"))
            return Cli::statsUsageError(parser, command);
        if (const QString wrong = Cli::maintenanceUsageError(arguments); !wrong.isEmpty())
            return wrong;
        return Cli::commandUsageError(command, options);
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

// The whole run of one command; main then checks that its output arrived.
static int runCommand(int argc, char *argv[])
{
    // Read as Qt reads it, such a name would be another, new directory.
    if (const QString undecodable = undecodableDataDirText(argc, argv); !undecodable.isEmpty())
        return usageError(undecodable);
    const std::unique_ptr<QCoreApplication> application = makeApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quorvale"));
    QCoreApplication::setOrganizationName(QStringLiteral("Quorvale"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUORVALE_VERSION));
    installQtTranslations();

    QCommandLineParser parser;
    parser.setApplicationDescription(Cli::commandList());
    StartOptions::addHelpAndVersion(parser);
    StartOptions::addTo(parser);
    Cli::addCommandOptions(parser);
    parser.addPositionalArgument(QStringLiteral("orden"), QStringLiteral("La orden a ejecutar."));
    // Qt's own error texts are in English and its exit code is not ours.
    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(StartOptions::parseErrorText(parser));
    const QStringList arguments = parser.positionalArguments();
    // COMMAND --help: that command's own page.
    if (parser.isSet(QStringLiteral("help")) && !arguments.isEmpty()) {
        const Cli::CommandInfo *command = Cli::findCommand(arguments.first());
        if (!command)
            return usageError(QStringLiteral("Orden desconocida: %1").arg(arguments.first()));
        Cli::writeOut(Cli::commandHelp(*command).toUtf8());
        return Cli::Exit::kDone;
    }
    StartOptions::answerHelpOrVersion(parser);

    StartOptions options;
    QString error;
    if (!options.readFrom(parser, &error))
        return usageError(error);
    if (arguments.isEmpty())
        return usageError(QStringLiteral("Falta la orden."));
    // Nothing is opened, created or locked for a command that cannot run.
    const Cli::CommandInfo *shape = Cli::findCommand(arguments.first());
    if (!shape)
        return usageError(QStringLiteral("Orden desconocida: %1").arg(arguments.first()));
    if (arguments.size() > shape->maxWords)
        return usageError(QStringLiteral("Sobra %1 en la orden %2.").arg(arguments.at(shape->maxWords), arguments.first()));
    if (arguments.size() < shape->minWords)
        return usageError(QStringLiteral("Falta un valor en la orden %1.").arg(arguments.first()));
    if (const QString foreign = Cli::foreignOption(parser, *shape); !foreign.isEmpty())
        return usageError(QStringLiteral("La orden %1 no admite la opción %2.").arg(arguments.first(), foreign));

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
    // "auto": from the oldest peña's creation, as the window's menu entry.
    const bool reportsForSyndicates = parser.value(QStringLiteral("reports-since")) == QLatin1String("auto");
    if (parser.isSet(QStringLiteral("reports-since")) && !reportsForSyndicates) {
        reportsSince = QDate::fromString(parser.value(QStringLiteral("reports-since")), Qt::ISODate);
        if (!reportsSince.isValid())
            return usageError(QStringLiteral("--reports-since: fecha no válida: use AAAA-MM-DD o auto."));
    }
    if (const QString wrong = usageProblem(parser, arguments, commandOptions); !wrong.isEmpty())
        return usageError(wrong);
    // A reduction alone needs no data: nothing is opened or locked.
    if (arguments.first() == QLatin1String("wheel") && !Cli::wheelNeedsData(parser))
        return Cli::runWheel(nullptr, nullptr, parser);
    const auto source = Cli::updateSource(parser.value(QStringLiteral("source")));
    if (!source) {
        std::fprintf(stderr, "--source: debe ser auto, service o pages (%s).\n",
                     qUtf8Printable(parser.value(QStringLiteral("source"))));
        return 2;
    }

    const QString dataDir = resolveDataDir(options.dataDir, QCoreApplication::applicationDirPath());
    if (dataDir.isEmpty()) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(unusableDataDirText(options.dataDir.isEmpty() ? userDataDir() : options.dataDir)));
        return Cli::Exit::kFailed;
    }
    DataDirLock lock(dataDir);
    // Read-only, there is nothing to hold: no command writes there.
    const bool readOnly = !readOnlyReason(dataDir).isEmpty();
    switch (readOnly ? DataDirLock::Result::Acquired : lock.acquire(kLockWaitMs)) {
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
    if (session.isReadOnly() && Cli::writesData(parser, arguments)) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(session.readOnlyText()));
        return Cli::Exit::kFailed;
    }
    int code = 0;
    if (command == QLatin1String("create")) {
        code = Cli::runCreate(session, prompter, createArguments(parser), commandOptions.json);
    } else if (command == QLatin1String("add-draw")) {
        code = Cli::runAddDraw(session, prompter, parser);
    } else if (command == QLatin1String("prizes") && parser.isSet(QStringLiteral("set"))) {
        code = Cli::runSetPrizes(session, prompter, parser);
    } else if (command == QLatin1String("prizes")) {
        code = Cli::runPrizes(session, parser.value(QStringLiteral("date")), parser.isSet(QStringLiteral("all")),
                              commandOptions.json);
    } else if (command == QLatin1String("ledger")) {
        code = Cli::runLedger(session, parser.value(QStringLiteral("syndicate")), parser.value(QStringLiteral("member")),
                              commandOptions.json, commandOptions.csv);
    } else if (command == QLatin1String("stats")) {
        code = Cli::runStats(session, parser, commandOptions.json);
    } else if (command == QLatin1String("try")) {
        code = Cli::runTry(session, parser, commandOptions.json);
    } else if (command == QLatin1String("members")) {
        code = Cli::runMembers(session, parser, commandOptions.json);
    } else if (command == QLatin1String("participation")) {
        code = Cli::runParticipation(session, parser, commandOptions.json);
    } else if (command == QLatin1String("update")) {
        DBusNotifier desktop;
        if (reportsForSyndicates)
            reportsSince = session.oldestSyndicateCreation();
        code = Cli::runUpdate(session, *source, commandOptions.json, reportsSince,
                              parser.isSet(QStringLiteral("exit-code-on-prize")),
                              parser.isSet(QStringLiteral("notify")) ? &desktop : nullptr);
    } else if (command == QLatin1String("wheel")) {
        code = Cli::runWheel(&session, &prompter, parser);
    } else if (command == QLatin1String("print")) {
        code = Cli::runPrint(session, prompter, printArguments(parser), commandOptions.json);
    } else {
        code = Cli::runMaintenance(session, prompter, arguments, parser.isSet(QStringLiteral("yes-draws")),
                                   parser.isSet(QStringLiteral("yes-reset")), parser.isSet(QStringLiteral("yes")));
        if (code < 0)
            code = Cli::run(session, arguments, commandOptions);
    }
    session.shutdown();
    return code;
}

int main(int argc, char *argv[])
{
    // A reader that goes away (quorvale-cli draws | head) must not end the
    // program in the middle of a write: the write fails with EPIPE instead,
    // and the output is reported as incomplete like any other.
    std::signal(SIGPIPE, SIG_IGN);
    int code = runCommand(argc, argv);
    if (const QString lost = Cli::lostOutputText(); !lost.isEmpty()) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(lost));
        if (code == Cli::Exit::kDone || code == Cli::Exit::kPrize)
            code = Cli::Exit::kFailed;
    }
    return code;
}
