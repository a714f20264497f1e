#include "maintenancecommands.h"

#include "exitcodes.h"
#include "output.h"
#include "streamprompter.h"

#include "core/maintenance.h"
#include "core/session.h"
#include "base/urlopener.h"
#include "store/fileops.h"
#include "base/plural.h"

#include <cstdio>

namespace
{
    // Without a browser the address is shown for the user to open.
    class PrintingOpener final : public UrlOpener
    {
    public:
        void open(const QUrl &address) override
        {
            Cli::writeOut((address.toString() + QLatin1Char('\n')).toUtf8());
        }
    };

    bool toPositive(const QString &text, int *value)
    {
        bool ok = false;
        *value = text.toInt(&ok);
        return ok && *value > 0;
    }
}

QString Cli::maintenanceUsageError(const QStringList &arguments)
{
    const QString command = arguments.value(0);
    if (command != QLatin1String("delete-draw") && command != QLatin1String("delete-syndicate"))
        return {};
    int number = 0;
    if (arguments.size() != 2 || !toPositive(arguments[1], &number))
        return QStringLiteral("Uso: quorvale-cli %1 NÚMERO").arg(command);
    return {};
}

int Cli::runMaintenance(Session &session, StreamPrompter &prompter, const QStringList &arguments,
                        bool yesDraws, bool yesReset, bool yes)
{
    const QString command = arguments.value(0);
    DiskFileOps files;
    PrintingOpener browser;
    Maintenance maintenance(session, files, browser);
    const int problemsBefore = prompter.problems();
    const int declinedBefore = prompter.declined();
    const int rejectedBefore = session.rejectedDrawFiles();
    // A warning or error box, or a draw file set aside on the way, is a
    // failure; a question answered No that left everything as it was is not.
    auto outcome = [&](bool done) {
        if (prompter.problems() > problemsBefore || session.rejectedDrawFiles() > rejectedBefore)
            return Exit::kFailed;
        if (done)
            return Exit::kDone;
        if (prompter.declined() > declinedBefore)
            return Exit::kAnsweredNo;
        return Exit::kFailed;
    };

    if (command == QLatin1String("import")) {
        if (arguments.size() != 2) {
            std::fprintf(stderr, "Uso: quorvale-cli import FICHERO\n");
            return Exit::kUsage;
        }
        const bool imported = maintenance.importDraws(arguments[1]);
        const int code = outcome(imported);
        if (code == Exit::kFailed && prompter.problems() == problemsBefore)
            std::fprintf(stderr, "No se ha importado %s.\n", qUtf8Printable(arguments[1]));
        return code;
    }
    if (command == QLatin1String("delete-draws")) {
        if (arguments.size() != 1) {
            std::fprintf(stderr, "Uso: quorvale-cli delete-draws [--yes-draws] [--yes-reset]\n");
            return Exit::kUsage;
        }
        prompter.setAnswers({yesDraws, yesReset});
        maintenance.deleteAllDraws();
        // Both questions are always asked; done when one was answered Yes.
        return outcome(yesDraws || yesReset);
    }
    if (command == QLatin1String("delete-draw") || command == QLatin1String("delete-syndicate")) {
        if (const QString wrong = maintenanceUsageError(arguments); !wrong.isEmpty()) {
            std::fprintf(stderr, "%s\n", qUtf8Printable(wrong));
            return Exit::kUsage;
        }
        const int number = arguments[1].toInt();
        prompter.setAnswers({yes});
        if (command == QLatin1String("delete-draw")) {
            if (number > session.storedDraws()) {
                std::fprintf(stderr, "No existe el sorteo %d de la lista: hay %d sorteos guardados.\n", number,
                             session.storedDraws());
                return Exit::kFailed;
            }
            maintenance.setDrawDeleteMode(true);
            const int code = outcome(maintenance.deleteDraw(number));
            if (code == Exit::kFailed && prompter.problems() == problemsBefore)
                std::fprintf(stderr, "No se ha borrado el sorteo %d.\n", number);
            return code;
        }
        const int syndicates = session.syndicates().nextRecord() - 1;
        if (number > syndicates) {
            std::fprintf(stderr, "No existe la peña %d: hay %s.\n", number, qUtf8Printable(savedSyndicatesText(syndicates)));
            return Exit::kFailed;
        }
        const int code = outcome(maintenance.deleteSyndicate(number));
        if (code == Exit::kFailed && prompter.problems() == problemsBefore)
            std::fprintf(stderr, "No se ha borrado la peña %d.\n", number);
        return code;
    }
    return -1;
}
