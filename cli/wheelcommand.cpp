#include "wheelcommand.h"
#include "exitcodes.h"
#include "output.h"

#include "base/prompter.h"
#include "core/session.h"
#include "core/syndicatecreation.h"
#include "core/wheelsyndicates.h"
#include "wheel/wheel.h"
#include "wording/outcomewording.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonObject>

#include <cstdio>
#include <limits>

namespace
{
    const QString kNumbers = QStringLiteral("numbers");
    const QString kGuarantee = QStringLiteral("guarantee");
    const QString kFixed = QStringLiteral("fixed");
    const QString kSeconds = QStringLiteral("seconds");
    const QString kSeed = QStringLiteral("seed");
    const QString kCheck = QStringLiteral("check");
    const QString kSyndicate = QStringLiteral("syndicate");
    const QString kSave = QStringLiteral("save");
    const QString kKey = QStringLiteral("key");

    const QString kUsage = QStringLiteral(
        "Uso: quorvale-cli wheel --numbers LISTA --guarantee T/P [--fixed LISTA] [--seconds S] [--seed N] "
        "[--save NOMBRE --key CLAVE] [--json]\n"
        "     quorvale-cli wheel --check --syndicate R[,R...] --numbers LISTA --guarantee T/P [--fixed LISTA] [--json]");

    struct Reading
    {
        Wheel::Request request;
        Wheel::Options options;
        std::vector<int> records;
        int key = -1;
        QString problem;
    };

    Reading read(const QCommandLineParser &parser)
    {
        Reading r;
        auto refuse = [&](const QString &text) {
            r.problem = text;
            return r;
        };
        if (!parser.isSet(kNumbers) || !parser.isSet(kGuarantee))
            return refuse(QStringLiteral("wheel: faltan --numbers y --guarantee.\n%1").arg(kUsage));
        const auto pool = Wheel::parseNumberList(parser.value(kNumbers));
        if (!pool || pool->empty())
            return refuse(QStringLiteral("--numbers: escriba los números separados por comas (%1).").arg(parser.value(kNumbers)));
        const auto fixed = Wheel::parseNumberList(parser.value(kFixed));
        if (!fixed)
            return refuse(QStringLiteral("--fixed: escriba los números separados por comas (%1).").arg(parser.value(kFixed)));
        const QStringList tp = parser.value(kGuarantee).split(QLatin1Char('/'));
        bool tOk = false;
        bool pOk = false;
        if (tp.size() == 2) {
            r.request.guarantee.t = tp.at(0).trimmed().toInt(&tOk);
            r.request.guarantee.p = tp.at(1).trimmed().toInt(&pOk);
        }
        if (!tOk || !pOk)
            return refuse(QStringLiteral("--guarantee: escriba T/P, por ejemplo 4/5 (4 aciertos si salen 5 de sus números)."));
        r.request.pool = *pool;
        r.request.fixed = *fixed;
        if (const QString problem = Wheel::requestProblem(r.request); !problem.isEmpty())
            return refuse(problem);
        std::sort(r.request.pool.begin(), r.request.pool.end());
        std::sort(r.request.fixed.begin(), r.request.fixed.end());

        if (parser.isSet(kSeconds)) {
            bool ok = false;
            r.options.seconds = parser.value(kSeconds).trimmed().toDouble(&ok);
            if (!ok || !(r.options.seconds > 0) || r.options.seconds > 3600)
                return refuse(QStringLiteral("--seconds: el tiempo debe ser un número de segundos mayor que 0 y no más de 3600 (%1).")
                                  .arg(parser.value(kSeconds)));
        }
        if (parser.isSet(kSeed)) {
            bool ok = false;
            r.options.seed = parser.value(kSeed).trimmed().toULongLong(&ok);
            if (!ok)
                return refuse(QStringLiteral("--seed: la semilla es un número entero desde 0 (%1).").arg(parser.value(kSeed)));
        }

        const bool check = parser.isSet(kCheck);
        if (check) {
            if (!parser.isSet(kSyndicate))
                return refuse(QStringLiteral("wheel --check: falta --syndicate R, el número de la peña o peñas (desde 1)."));
            if (parser.isSet(kSave) || parser.isSet(kKey) || parser.isSet(kSeconds) || parser.isSet(kSeed))
                return refuse(QStringLiteral("wheel --check sólo comprueba: no admite --save, --key, --seconds ni --seed."));
            if (const QString problem = WheelSyndicates::parseRecords(parser.value(kSyndicate), &r.records);
                !problem.isEmpty())
                return refuse(problem);
            return r;
        }
        if (parser.isSet(kSyndicate))
            return refuse(QStringLiteral("wheel: --syndicate sólo va con --check."));
        if (parser.isSet(kSave) != parser.isSet(kKey))
            return refuse(QStringLiteral("wheel: --save NOMBRE y --key CLAVE van juntas."));
        if (parser.isSet(kSave)) {
            bool ok = false;
            r.key = parser.value(kKey).trimmed().toInt(&ok);
            if (!ok)
                r.key = -1;
            // The number of peñas is not known yet: the longest name it could
            // need is checked once the bets are.
            if (const Outcome problem = WheelSyndicates::problem(parser.value(kSave), r.key, 1);
                problem.status == Outcome::Status::Refused)
                return refuse(Wording::outcomeText(problem));
        }
        return r;
    }

    QJsonArray numbersJson(const std::vector<int> &numbers)
    {
        QJsonArray array;
        for (int n : numbers)
            array.append(n);
        return array;
    }

    QJsonArray outcomesJson(const Wheel::Coverage &coverage)
    {
        QJsonArray outcomes;
        for (const Wheel::Outcome &o : coverage.outcomes) {
            QJsonArray byHit;
            for (std::uint64_t count : o.byBestHit)
                byHit.append(qint64(count));
            outcomes.append(QJsonObject {{QStringLiteral("winning"), o.winning},
                                         {QStringLiteral("ways"), qint64(o.ways)},
                                         {QStringLiteral("least"), o.least},
                                         {QStringLiteral("byBestHit"), byHit}});
        }
        return outcomes;
    }

    void say(const QString &text) { Cli::writeOut(text.toUtf8()); }

    QString two(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

    // "Si salen 5 de sus números (462 casos): al menos 4 aciertos; 3 aciertos en 0 casos, ..."
    void printOutcomes(const Wheel::Coverage &coverage)
    {
        for (const Wheel::Outcome &o : coverage.outcomes) {
            QStringList counts;
            for (int h = o.winning; h >= 0; --h)
                if (o.byBestHit[std::size_t(h)] > 0)
                    counts << QStringLiteral("%1 aciertos en %2").arg(h).arg(o.byBestHit[std::size_t(h)]);
            say(QStringLiteral("Si salen %1 de tus números (%2 casos): al menos %3 aciertos; %4.\n")
                    .arg(o.winning)
                    .arg(qulonglong(o.ways))
                    .arg(o.least)
                    .arg(counts.join(QStringLiteral(", "))));
        }
    }

    void printCoverage(const Wheel::Check &check, const Wheel::Request &request)
    {
        const auto &c = check.coverage;
        say(QStringLiteral("Garantía %1%2: cubre %3 de %4 casos (%5 %).\n")
                .arg(Wheel::guaranteeText(request.guarantee),
                     request.fixed.empty() ? QString() : QStringLiteral(" (sin contar los fijos)"),
                     QString::number(qulonglong(c.covered)), QString::number(qulonglong(c.subsets)),
                     QLocale(QLocale::Spanish).toString(100.0 * check.share(), 'f', 2)));
    }

    int runCheck(Session &session, const Reading &r, bool json)
    {
        QString problem;
        const auto bets = WheelSyndicates::betsOf(session, r.records, &problem);
        if (!problem.isEmpty()) {
            Cli::printMessage(problem);
            return Cli::Exit::kUsage;
        }
        const Wheel::Check check = Wheel::checkBets(r.request, bets);
        if (json) {
            QJsonArray uncovered;
            for (const auto &s : check.uncovered)
                uncovered.append(numbersJson(s));
            const QJsonObject out {{QStringLiteral("coverage"), check.share()},
                                   {QStringLiteral("verified"), check.coverage.holds()},
                                   {QStringLiteral("bets"), qint64(bets.size())},
                                   {QStringLiteral("uncovered"), uncovered},
                                   {QStringLiteral("outcomes"), outcomesJson(check.coverage)}};
            Cli::printJsonLine(out);
            return Cli::Exit::kDone;
        }
        say(QStringLiteral("%1 apuestas.\n").arg(bets.size()));
        printCoverage(check, r.request);
        for (const auto &s : check.uncovered) {
            QStringList numbers;
            for (int n : s)
                numbers << two(n);
            say(QStringLiteral("Sin cubrir: %1\n").arg(numbers.join(QLatin1Char(' '))));
        }
        printOutcomes(check.coverage);
        return Cli::Exit::kDone;
    }
}

QString Cli::wheelUsageError(const QCommandLineParser &parser)
{
    return read(parser).problem;
}

bool Cli::wheelNeedsData(const QCommandLineParser &parser)
{
    return parser.isSet(kCheck) || parser.isSet(kSave);
}

int Cli::runWheel(Session *session, Prompter *prompter, const QCommandLineParser &parser)
{
    const Reading r = read(parser);
    if (!r.problem.isEmpty()) {
        Cli::printMessage(r.problem);
        return Exit::kUsage;
    }
    const bool json = parser.isSet(QStringLiteral("json"));
    if (parser.isSet(kCheck))
        return session ? runCheck(*session, r, json) : Exit::kFailed;

    const Wheel::Result result = Wheel::makeWheel(r.request, r.options);
    if (result.bets.empty()) {
        std::fprintf(stderr, "No se ha podido hacer la reducción.\n");
        return Exit::kFailed;
    }
    // Saved only once the whole set is known and has passed the check.
    WheelSyndicates::Saved saved;
    if (parser.isSet(kSave)) {
        const QString name = parser.value(kSave);
        if (const Outcome problem = WheelSyndicates::problem(name, r.key, int(result.bets.size()));
            problem.status == Outcome::Status::Refused) {
            Cli::printMessage(Wording::outcomeText(problem));
            return Exit::kUsage;
        }
        if (!session || !prompter)
            return Exit::kFailed;
        SyndicateCreation creation(*session);
        saved = WheelSyndicates::save(creation, name, r.key, result.bets);
        Cli::report(*prompter, saved.stopped);
    }

    const bool lotto = r.request.guarantee.t != r.request.guarantee.p;
    if (json) {
        QJsonArray bets;
        for (const auto &bet : result.bets)
            bets.append(numbersJson({bet.begin(), bet.end()}));
        auto orNull = [](int n) { return n > 0 ? QJsonValue(n) : QJsonValue(QJsonValue::Null); };
        QJsonObject out {{QStringLiteral("pool"), numbersJson(r.request.pool)},
                         {QStringLiteral("fixed"), numbersJson(r.request.fixed)},
                         {QStringLiteral("guarantee"),
                          QJsonObject {{QStringLiteral("t"), r.request.guarantee.t}, {QStringLiteral("p"), r.request.guarantee.p}}},
                         {QStringLiteral("bets"), bets},
                         {QStringLiteral("verified"), result.check.coverage.holds()},
                         {QStringLiteral("coverage"), result.check.share()},
                         {QStringLiteral("bestKnown"), orNull(result.known.bestKnown)},
                         {QStringLiteral("lowerBound"), orNull(result.known.lowerBound)},
                         {QStringLiteral("seconds"), std::round(result.seconds * 100) / 100},
                         {QStringLiteral("outcomes"), outcomesJson(result.check.coverage)}};
        if (parser.isSet(kSave)) {
            QJsonArray syndicates;
            for (std::size_t i = 0; i < saved.records.size(); ++i)
                syndicates.append(QJsonObject {{QStringLiteral("record"), saved.records[i]},
                                               {QStringLiteral("name"), saved.names.at(qsizetype(i))}});
            out.insert(QStringLiteral("syndicates"), syndicates);
        }
        Cli::printJsonLine(out);
    } else {
        say(QStringLiteral("Reducción de %1 números").arg(r.request.pool.size()));
        if (!r.request.fixed.empty()) {
            QStringList fixed;
            for (int n : r.request.fixed)
                fixed << two(n);
            say(QStringLiteral(" con fijos %1").arg(fixed.join(QLatin1Char(' '))));
        }
        say(QStringLiteral(".\n%1.\n").arg(Wheel::sizeSentence(int(result.bets.size()), result.known, lotto)));
        int i = 0;
        for (const auto &bet : result.bets) {
            QStringList numbers;
            for (int n : bet)
                numbers << two(n);
            say(QStringLiteral("%1: %2\n").arg(++i, 4).arg(numbers.join(QLatin1Char(' '))));
        }
        printCoverage(result.check, r.request);
        printOutcomes(result.check.coverage);
        for (std::size_t s = 0; s < saved.records.size(); ++s)
            say(QStringLiteral("Guardada la peña %1: %2\n").arg(saved.records[s]).arg(saved.names.at(qsizetype(s))));
    }
    Cli::flushOut();
    if (parser.isSet(kSave) && !saved.complete)
        return Exit::kFailed;
    return Exit::kDone;
}
