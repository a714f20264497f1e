#include "maintenancecommands.h"

#include "streamprompter.h"

#include "core/maintenance.h"
#include "core/session.h"
#include "base/urlopener.h"
#include "store/fileops.h"

#include <cstdio>

namespace
{
    // Without a browser the address is shown for the user to open.
    class PrintingOpener final : public UrlOpener
    {
    public:
        void open(const QUrl &address) override
        {
            std::fprintf(stdout, "%s\n", qUtf8Printable(address.toString()));
        }
    };

    bool toPositive(const QString &text, int *value)
    {
        bool ok = false;
        *value = text.toInt(&ok);
        return ok && *value > 0;
    }
}

int Cli::runMaintenance(Session &session, StreamPrompter &prompter, const QStringList &arguments,
                        bool yesDraws, bool yesReset, bool yes)
{
    const QString command = arguments.value(0);
    DiskFileOps files;
    PrintingOpener browser;
    Maintenance maintenance(session, files, browser);

    if (command == QLatin1String("import")) {
        if (arguments.size() != 2) {
            std::fprintf(stderr, "Uso: quorvale-cli import FICHERO\n");
            return 2;
        }
        const int shown = prompter.shown();
        const int before = session.rejectedDrawFiles();
        maintenance.importDraws(arguments[1]);
        // Success is the one box that says so, and a list that loaded.
        const bool imported = prompter.shown() > shown && prompter.lastTitle() == QLatin1String("Todos los sorteos");
        return imported && session.rejectedDrawFiles() == before ? 0 : 1;
    }
    if (command == QLatin1String("delete-draws")) {
        prompter.setAnswers({yesDraws, yesReset});
        const int shown = prompter.shown();
        maintenance.deleteAllDraws();
        return prompter.lastTitle() == QLatin1String("Error de permiso") && prompter.shown() > shown ? 1 : 0;
    }
    if (command == QLatin1String("delete-draw") || command == QLatin1String("delete-syndicate")) {
        int number = 0;
        if (arguments.size() != 2 || !toPositive(arguments[1], &number)) {
            std::fprintf(stderr, "Uso: quorvale-cli %s NÚMERO\n", qUtf8Printable(command));
            return 2;
        }
        prompter.setAnswers({yes});
        if (command == QLatin1String("delete-draw")) {
            maintenance.setDrawDeleteMode(true);
            return maintenance.deleteDraw(number) ? 0 : 1;
        }
        return maintenance.deleteSyndicate(number) ? 0 : 1;
    }
    return -1;
}
