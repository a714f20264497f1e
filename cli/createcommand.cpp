#include "createcommand.h"
#include "exitcodes.h"
#include "optionvalue.h"
#include "output.h"

#include "base/numberlist.h"
#include "core/session.h"
#include "core/syndicatecreation.h"
#include "store/nametext.h"
#include "store/outcome.h"
#include "wording/outcomewording.h"

#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

namespace
{
    const QString kUsage = QStringLiteral(
        "Uso: quorvale-cli create --name NOMBRE --key CLAVE "
        "(--bet a,b,c,d,e [--bet ...] | --multiple a,b,...,n)");

    // The slip's refusal in its own box; code says how the run ends.
    int refuse(Prompter &prompter, const QString &text, int code)
    {
        Cli::report(prompter, Outcome::problem(Outcome::Command::Create, text));
        return code;
    }

    // The words of the slip's refusal, said here in a box of the command's own.
    QString slipProblemText(Outcome::Cause cause)
    {
        return Wording::outcomeText(Outcome::refused(Outcome::Command::Create, cause));
    }

    struct Request
    {
        QString name; // in capitals, as typed on the slip
        int key = 0;
        int multipleSize = 0;
        std::vector<std::vector<int>> bets;
    };

    // The peña the command line asks for, or the message refusing it. Each
    // check here needs nothing but the arguments, so a refusal is known
    // before the data directory is opened.
    struct Reading
    {
        std::optional<Request> request;
        QString problem;
    };

    Reading read(const QStringList &arguments)
    {
        std::optional<QString> name;
        std::optional<QString> keyText;
        std::vector<QString> simpleBets;
        std::vector<QString> multipleBets;

        for (qsizetype i = arguments.isEmpty() || arguments.first() != QLatin1String("create") ? 0 : 1;
             i < arguments.size(); ++i) {
            QString option = arguments.at(i);
            const std::optional<QString> given = Cli::takeOptionValue(arguments, &i, &option);
            if (!given)
                return {{}, QStringLiteral("Falta el valor de %1.\n%2").arg(option, kUsage)};
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
                return {{}, QStringLiteral("Opción desconocida: %1.\n%2").arg(option, kUsage)};
        }

        if (!name || !keyText || (simpleBets.empty() && multipleBets.empty()))
            return {{}, QStringLiteral("Faltan datos de la peña.\n%1").arg(kUsage)};
        if (!simpleBets.empty() && !multipleBets.empty())
            return {{}, QStringLiteral("Una peña es de apuestas sencillas o de una apuesta múltiple, no de ambas.")};

        Request request;
        // Typed on the slip, the name would appear in capitals.
        request.name = name->toUpper();
        if (const NameRule rule = SyndicateCreation::nameProblem(request.name); rule != NameRule::Fits)
            return {{}, Wording::nameProblemText(rule, NameText::composed(request.name))};
        if (request.name.trimmed().isEmpty())
            return {{}, Wording::kNoName};

        bool keyOk = false;
        request.key = keyText->trimmed().toInt(&keyOk);
        if (!keyOk)
            return {{}, QStringLiteral("La clave debe ser un número del 0 al 9.")};

        const bool multiple = !multipleBets.empty();
        for (const QString &text : multiple ? multipleBets : simpleBets) {
            const auto numbers = parseNumberList(text);
            if (!numbers)
                return {{}, QStringLiteral("Apuesta no válida: %1. Escriba los números separados por comas.").arg(text)};
            request.bets.push_back(*numbers);
        }
        request.multipleSize = multiple ? int(request.bets.front().size()) - 5 : 0;
        if (multiple && (request.multipleSize < 1 || request.multipleSize > SyndicateCreation::kMaxMultipleSize))
            return {{}, QStringLiteral("Una apuesta múltiple debe tener de 6 a 11 números distintos del 1 al 54.")};
        if (const Outcome::Cause problem = SyndicateCreation::wholeSyndicateProblem(request.multipleSize, request.key, request.bets);
            problem != Outcome::Cause::None)
            return {{}, slipProblemText(problem)};
        return {std::move(request), {}};
    }
}

QString Cli::createUsageError(const QStringList &arguments)
{
    return read(arguments).problem;
}

int Cli::runCreate(Session &session, Prompter &prompter, const QStringList &arguments, bool json)
{
    const Reading reading = read(arguments);
    if (!reading.request)
        return refuse(prompter, reading.problem, Cli::Exit::kUsage);
    const Request &request = *reading.request;

    SyndicateCreation creation(session);
    creation.setMultipleSize(request.multipleSize);
    creation.restart();
    if (const Outcome::Cause problem = creation.enter(request.key, request.bets); problem != Outcome::Cause::None) {
        // The player said the repeated bet was a mistake: nothing to report
        // as a failure, but the script must know the peña was not made.
        return refuse(prompter, slipProblemText(problem),
                      problem == Outcome::Cause::RepeatedBetDeclined ? Cli::Exit::kAnsweredNo : Cli::Exit::kFailed);
    }
    const Outcome saved = creation.save(request.name);
    if (!saved.isDone()) {
        // No bets entered says nothing, and is no peña made either.
        const int code = Cli::report(prompter, saved);
        return code == Cli::Exit::kDone ? Cli::Exit::kFailed : code;
    }
    const int record = saved.record;
    Cli::writeOut(json ? QByteArray("{\"record\": ") + QByteArray::number(record) + "}\n" : QByteArray::number(record) + '\n');
    Cli::flushOut();
    return Cli::Exit::kDone;
}
