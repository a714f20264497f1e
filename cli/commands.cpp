#include "commands.h"

#include "core/session.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cstdio>

namespace
{
    void print(const QJsonObject &object)
    {
        const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Indented);
        std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    }

    void printText(const QString &text)
    {
        const QByteArray bytes = (text + QLatin1Char('\n')).toUtf8();
        std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    }

    QJsonArray toArray(auto begin, auto end)
    {
        QJsonArray array;
        for (auto it = begin; it != end; ++it)
            array.append(int(*it));
        return array;
    }
}

QJsonObject Cli::statusJson(const Session &session)
{
    const DrawStatus &status = session.drawStatus();
    return {
        {QStringLiteral("draws"), session.storedDraws()},
        {QStringLiteral("lastUpdate"), status.lastUpdate},
        {QStringLiteral("nextDraw"), status.nextDraw},
        {QStringLiteral("missing"), status.missingWarning ? status.missing : QString()},
        {QStringLiteral("syndicates"), int(session.syndicates().size())},
    };
}

QJsonObject Cli::drawsJson(const Session &session)
{
    const DrawList &list = session.drawList();
    QJsonArray draws;
    // Record order: the list holds the newest first.
    const int total = list.total();
    for (int i = total - 1; i >= 0; --i) {
        const DrawRecord &draw = list.draws[std::size_t(i)];
        draws.append(QJsonObject {
            {QStringLiteral("record"), total - i},
            {QStringLiteral("date"), draw.qdate().toString(Qt::ISODate)},
            {QStringLiteral("numbers"), toArray(draw.numbers.begin(), draw.numbers.end())},
            {QStringLiteral("clave"), draw.clave},
        });
    }
    return {
        {QStringLiteral("total"), total},
        {QStringLiteral("draws"), draws},
        {QStringLiteral("tallies"), QJsonObject {
            {QStringLiteral("numbers"), toArray(list.numberTally.begin(), list.numberTally.end())},
            {QStringLiteral("keys"), toArray(list.keyTally.begin(), list.keyTally.end())},
        }},
    };
}

int Cli::run(Session &session, const QStringList &arguments, bool json)
{
    const QString command = arguments.value(0);
    if (command == QLatin1String("status")) {
        const QJsonObject status = statusJson(session);
        if (json) {
            print(status);
        } else {
            printText(QStringLiteral("Sorteos: %1").arg(status.value(QStringLiteral("draws")).toInt()));
            printText(QStringLiteral("Última actualización: %1").arg(status.value(QStringLiteral("lastUpdate")).toString()));
            printText(QStringLiteral("Próximo sorteo: %1").arg(status.value(QStringLiteral("nextDraw")).toString()));
            const QString missing = status.value(QStringLiteral("missing")).toString();
            if (!missing.isEmpty())
                printText(missing);
            printText(QStringLiteral("Peñas: %1").arg(status.value(QStringLiteral("syndicates")).toInt()));
        }
        return 0;
    }
    if (command == QLatin1String("draws")) {
        if (json) {
            print(drawsJson(session));
        } else {
            for (const DrawRecord &draw : session.drawList().draws)
                printText(drawNumbersText(draw) + QStringLiteral("   ") + drawDateText(draw));
            printText(session.drawList().totalText());
        }
        return session.rejectedDrawFiles() > 0 ? 1 : 0;
    }
    std::fprintf(stderr, "Orden desconocida: %s\n", qUtf8Printable(command));
    return 2;
}
