#include "commands.h"
#include "commandtable.h"
#include "exitcodes.h"
#include "output.h"
#include "streamprompter.h"
#include "updatecommand.h"

#include "base/clock.h"
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
            const Cli::CommandInfo *command = Cli::findCommand(QString::fromLocal8Bit(argv[i]));
            if (command && command->laysOutText) {
                qputenv("QT_QPA_PLATFORM", "offscreen");
                return std::make_unique<QGuiApplication>(argc, argv);
            }
        }
        return std::make_unique<QCoreApplication>(argc, argv);
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
    const Cli::CommandInfo *command = arguments.isEmpty() ? nullptr : Cli::findCommand(arguments.first());
    // COMMAND --help: that command's own page.
    if (parser.isSet(QStringLiteral("help")) && !arguments.isEmpty()) {
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
    if (!command)
        return usageError(QStringLiteral("Orden desconocida: %1").arg(arguments.first()));
    if (arguments.size() > command->maxWords)
        return usageError(QStringLiteral("Sobra %1 en la orden %2.").arg(arguments.at(command->maxWords), arguments.first()));
    if (arguments.size() < command->minWords)
        return usageError(QStringLiteral("Falta un valor en la orden %1.").arg(arguments.first()));
    if (const QString foreign = Cli::foreignOption(parser, *command); !foreign.isEmpty())
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

    Cli::Invocation invocation(parser, arguments, commandOptions);
    // "auto": from the oldest peña's creation, as the window's menu entry.
    invocation.reportsForSyndicates = parser.value(QStringLiteral("reports-since")) == QLatin1String("auto");
    if (parser.isSet(QStringLiteral("reports-since")) && !invocation.reportsForSyndicates) {
        invocation.reportsSince = QDate::fromString(parser.value(QStringLiteral("reports-since")), Qt::ISODate);
        if (!invocation.reportsSince.isValid())
            return usageError(QStringLiteral("--reports-since: fecha no válida: use AAAA-MM-DD o auto."));
    }
    if (command->usageError) {
        if (const QString wrong = command->usageError(invocation); !wrong.isEmpty())
            return usageError(wrong);
    }
    // A command that needs no data (a reduction alone) opens and locks nothing.
    if (!command->needsData(parser))
        return command->run(invocation);
    const auto source = Cli::updateSource(parser.value(QStringLiteral("source")));
    if (!source) {
        std::fprintf(stderr, "--source: debe ser auto, service o pages (%s).\n",
                     qUtf8Printable(parser.value(QStringLiteral("source"))));
        return Cli::Exit::kUsage;
    }
    invocation.source = *source;

    const QString dataDir = resolveDataDir(options.dataDir, QCoreApplication::applicationDirPath());
    if (dataDir.isEmpty()) {
        Cli::printMessage(unusableDataDirText(options.dataDir.isEmpty() ? userDataDir() : options.dataDir));
        return Cli::Exit::kFailed;
    }
    DataDirLock lock(dataDir);
    // Read-only, there is nothing to hold: no command writes there.
    const bool readOnly = !readOnlyReason(dataDir).isEmpty();
    switch (readOnly ? DataDirLock::Result::Acquired : lock.acquire(kLockWaitMs)) {
    case DataDirLock::Result::Acquired:
        break;
    case DataDirLock::Result::Busy:
        Cli::printMessage(lock.busyText());
        return Cli::Exit::kBusy;
    case DataDirLock::Result::Failed:
        Cli::printMessage(lock.failedText());
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
    if (session.isReadOnly() && command->writesData(parser)) {
        Cli::printMessage(session.readOnlyText());
        return Cli::Exit::kFailed;
    }
    invocation.session = &session;
    invocation.prompter = &prompter;
    const int code = command->run(invocation);
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
        Cli::printMessage(lost);
        if (code == Cli::Exit::kDone || code == Cli::Exit::kPrize)
            code = Cli::Exit::kFailed;
    }
    return code;
}
