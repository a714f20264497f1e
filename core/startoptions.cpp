#include "startoptions.h"

#include <QCommandLineParser>

void StartOptions::addTo(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("data-dir"), QStringLiteral("Directorio de los datos."), QStringLiteral("DIR")});
    parser.addOption({QStringLiteral("today"), QStringLiteral("Fecha que se toma como hoy (AAAA-MM-DD)."), QStringLiteral("FECHA")});
    parser.addOption({QStringLiteral("operator-url"), QStringLiteral("Dirección del sitio de resultados."), QStringLiteral("URL")});
    parser.addOption({QStringLiteral("news-url"), QStringLiteral("Dirección del servidor de noticias."), QStringLiteral("URL")});
}

void StartOptions::addHelpAndVersion(QCommandLineParser &parser)
{
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Muestra esta ayuda y termina.")});
    parser.addOption({{QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Muestra la versión y termina.")});
}

void StartOptions::answerHelpOrVersion(QCommandLineParser &parser)
{
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
}

QString StartOptions::parseErrorText(const QCommandLineParser &parser)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (unknown.isEmpty())
        return QStringLiteral("Opción mal escrita (%1).").arg(parser.errorText());
    QStringList written;
    for (const QString &name : unknown)
        written << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    return QStringLiteral("Opción desconocida: %1").arg(written.join(QStringLiteral(", ")));
}

bool StartOptions::readFrom(const QCommandLineParser &parser, QString *error, QDate realToday)
{
    dataDir = parser.value(QStringLiteral("data-dir"));
    if (parser.isSet(QStringLiteral("data-dir")) && dataDir.trimmed().isEmpty()) {
        // An empty value would quietly fall back to another directory.
        *error = QStringLiteral("--data-dir necesita un directorio: el valor está vacío.");
        return false;
    }
    if (parser.isSet(QStringLiteral("today"))) {
        today = QDate::fromString(parser.value(QStringLiteral("today")), Qt::ISODate);
        if (!today.isValid()) {
            *error = QStringLiteral("Fecha no válida en --today: use AAAA-MM-DD.");
            return false;
        }
        // A day of grace for a clock a little behind.
        if (today > realToday.addDays(1)) {
            *error = QStringLiteral("La fecha de --today no puede ser posterior a mañana.");
            return false;
        }
    }
    for (auto [option, target] : {std::pair {"operator-url", &endpoints.operatorSite},
                                  std::pair {"news-url", &endpoints.makerServer}}) {
        const QString name = QString::fromLatin1(option);
        if (!parser.isSet(name))
            continue;
        const QUrl url(parser.value(name), QUrl::StrictMode);
        if (!Endpoints::isUsableBase(url)) {
            *error = QStringLiteral("Dirección no válida en --%1: use http://... o https://...").arg(name);
            return false;
        }
        *target = url;
    }
    return true;
}
