#include "createcommand.h"
#include "exitcodes.h"
#include "optionvalue.h"

#include "base/prompter.h"
#include "core/session.h"
#include "core/syndicatecreation.h"

#include <cstdio>
#include <optional>
#include <vector>

namespace
{
    const QString kUsage = QStringLiteral(
        "Uso: quorvale-cli create --name NOMBRE --key CLAVE "
        "(--bet a,b,c,d,e [--bet ...] | --multiple a,b,...,n)");

    int refuse(Prompter &prompter, const QString &text, int code = Cli::Exit::kFailed)
    {
        prompter.warn(SyndicateCreation::kErrorTitle, text);
        return code;
    }

    std::optional<std::vector<int>> parseNumbers(const QString &text)
    {
        std::vector<int> numbers;
        for (const QString &part : text.split(QLatin1Char(','))) {
            bool ok = false;
            const int n = part.trimmed().toInt(&ok);
            if (!ok)
                return std::nullopt;
            numbers.push_back(n);
        }
        return numbers;
    }
}

int Cli::runCreate(Session &session, Prompter &prompter, const QStringList &arguments, bool json)
{
    std::optional<QString> name;
    std::optional<QString> keyText;
    std::vector<QString> simpleBets;
    std::vector<QString> multipleBets;

    for (qsizetype i = arguments.isEmpty() || arguments.first() != QLatin1String("create") ? 0 : 1;
         i < arguments.size(); ++i) {
        QString option = arguments.at(i);
        const std::optional<QString> given = takeOptionValue(arguments, &i, &option);
        if (!given)
            return refuse(prompter, QStringLiteral("Falta el valor de %1.\n%2").arg(option, kUsage), Cli::Exit::kUsage);
        const QString &value = *given;
        if (option == QLatin1String("--name"))
            name = value;
        else if (option == QLatin1String("--key"))
            keyText = value;
        else if (option == QLatin1String("--bet"))
            simpleBets.push_back(value);
        else if (option == QLatin1String("--multiple"))
            multipleBets.push_back(value);
        else
            return refuse(prompter, QStringLiteral("Opción desconocida: %1.\n%2").arg(option, kUsage), Cli::Exit::kUsage);
    }

    if (!name || !keyText || (simpleBets.empty() && multipleBets.empty()))
        return refuse(prompter, QStringLiteral("Faltan datos de la peña.\n%1").arg(kUsage), Cli::Exit::kUsage);
    if (!simpleBets.empty() && !multipleBets.empty())
        return refuse(prompter, QStringLiteral(
            "Una peña es de apuestas sencillas o de una apuesta múltiple, no de ambas."), Cli::Exit::kUsage);

    // Typed on the slip, the name would appear in capitals.
    const QString upperName = name->toUpper();
    if (const QString problem = SyndicateCreation::nameProblem(upperName); !problem.isEmpty())
        return refuse(prompter, problem);
    if (upperName.trimmed().isEmpty())
        return refuse(prompter, SyndicateCreation::kNoName);

    bool keyOk = false;
    const int key = keyText->trimmed().toInt(&keyOk);
    if (!keyOk)
        return refuse(prompter, QStringLiteral("La clave debe ser un número del 0 al 9."));

    const bool multiple = !multipleBets.empty();
    std::vector<std::vector<int>> bets;
    for (const QString &text : multiple ? multipleBets : simpleBets) {
        const auto numbers = parseNumbers(text);
        if (!numbers)
            return refuse(prompter, QStringLiteral("Apuesta no válida: %1. Escriba los números separados por comas.")
                                        .arg(text));
        bets.push_back(*numbers);
    }
    const int multipleSize = multiple ? int(bets.front().size()) - 5 : 0;
    if (multiple && (multipleSize < 1 || multipleSize > SyndicateCreation::kMaxMultipleSize))
        return refuse(prompter, QStringLiteral(
            "Una apuesta múltiple debe tener de 6 a 11 números distintos del 1 al 54."));

    SyndicateCreation creation(session);
    creation.setMultipleSize(multipleSize);
    creation.restart();
    if (const QString problem = creation.enter(key, bets); !problem.isEmpty())
        return refuse(prompter, problem);
    const int record = creation.save(upperName);
    if (record == 0)
        return 1;
    if (json)
        std::printf("{\"record\": %d}\n", record);
    else
        std::printf("%d\n", record);
    std::fflush(stdout);
    return 0;
}
