#include "commands.h"
#include "streamprompter.h"

#include "core/clock.h"
#include "core/datadir.h"
#include "core/session.h"
#include "core/startoptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <limits>
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
        "  status       estado de los sorteos y las peñas\n"
        "  draws        lista de sorteos y frecuencias\n"
        "  check        escrutinio de las peñas (--draws N, --historico, --premio)\n"
        "  syndicates   lista de peñas, premios y efectividad"));
    parser.addHelpOption();
    parser.addVersionOption();
    StartOptions::addTo(parser);
    parser.addOption({QStringLiteral("json"), QStringLiteral("Salida en JSON.")});
    parser.addOption({QStringLiteral("yes"), QStringLiteral("Responde Sí a las preguntas.")});
    parser.addOption({QStringLiteral("draws"), QStringLiteral("check: número de sorteos a ver, desde el más reciente (1 por omisión)."),
                      QStringLiteral("N"), QStringLiteral("1")});
    parser.addOption({QStringLiteral("historico"), QStringLiteral("check: también los sorteos anteriores a la creación de cada peña.")});
    parser.addOption({QStringLiteral("premio"), QStringLiteral("check: sólo las apuestas con premio.")});
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

    Cli::Options commandOptions;
    commandOptions.json = parser.isSet(QStringLiteral("json"));
    commandOptions.historico = parser.isSet(QStringLiteral("historico"));
    commandOptions.premio = parser.isSet(QStringLiteral("premio"));
    // A count beyond the stored draws is lowered to them once they are known.
    bool drawsOk = false;
    const qlonglong draws = parser.value(QStringLiteral("draws")).trimmed().toLongLong(&drawsOk);
    commandOptions.draws = int(std::min<qlonglong>(draws, std::numeric_limits<int>::max()));
    if (!drawsOk || draws < 1) {
        std::fprintf(stderr, "--draws: el número de sorteos debe ser un número entero mayor que 0 (%s).\n",
                     qUtf8Printable(parser.value(QStringLiteral("draws"))));
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
    const int code = Cli::run(session, arguments, commandOptions);
    session.shutdown();
    return code;
}
