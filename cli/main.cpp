#include "commands.h"
#include "streamprompter.h"

#include "core/clock.h"
#include "core/datadir.h"
#include "core/session.h"
#include "core/startoptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quorvale"));
    QCoreApplication::setOrganizationName(QStringLiteral("Quorvale"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUORVALE_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Quorvale sin ventana.\n\nÓrdenes:\n"
        "  status   estado de los sorteos y las peñas\n"
        "  draws    lista de sorteos y frecuencias"));
    parser.addHelpOption();
    parser.addVersionOption();
    StartOptions::addTo(parser);
    parser.addOption({QStringLiteral("json"), QStringLiteral("Salida en JSON.")});
    parser.addOption({QStringLiteral("yes"), QStringLiteral("Responde Sí a las preguntas.")});
    parser.addPositionalArgument(QStringLiteral("orden"), QStringLiteral("La orden a ejecutar."));
    parser.process(app);

    StartOptions options;
    QString error;
    if (!options.readFrom(parser, &error)) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(error));
        return 2;
    }
    const QStringList arguments = parser.positionalArguments();
    if (arguments.isEmpty()) {
        std::fprintf(stderr, "Falta la orden. Pruebe: quorvale-cli --help\n");
        return 2;
    }

    const QString dataDir = resolveDataDir(options.dataDir, QCoreApplication::applicationDirPath());
    if (dataDir.isEmpty()) {
        std::fprintf(stderr, "No se puede usar el directorio de datos %s.\n", qUtf8Printable(options.dataDir));
        return 1;
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
        return 1;
    }
    const int code = Cli::run(session, arguments, parser.isSet(QStringLiteral("json")));
    session.shutdown();
    return code;
}
