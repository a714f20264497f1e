#include "maintenancecommands.h"

#include "exitcodes.h"
#include "output.h"
#include "streamprompter.h"

#include "base/urlopener.h"
#include "core/maintenance.h"
#include "core/session.h"
#include "store/fileops.h"
#include "wording/outcomewording.h"

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
    int number = 0;
    if (arguments.size() != 2 || !toPositive(arguments[1], &number))
        return QStringLiteral("Uso: quorvale-cli %1 NÚMERO").arg(arguments.value(0));
    return {};
}

namespace
{
    // One maintenance command's run on the disk: its Maintenance, then its
    // outcome's words and exit status,
    // with what the session met on the way. A warning shown meanwhile (a
    // draw file set aside when the lists were read again) makes it a
    // failure; a failure with nothing said gets fallback, naming what was
    // not done.
    class Run
    {
    public:
        Run(Session &session, StreamPrompter &prompter)
            : maintenance(session, m_browser)
            , m_session(session)
            , m_prompter(prompter)
            , m_problemsBefore(prompter.problems())
            , m_rejectedBefore(session.rejectedDrawFiles())
        {
        }

        int finish(const Outcome &outcome, const QString &fallback = {})
        {
            const bool warned = m_prompter.problems() > m_problemsBefore;
            int code = Cli::report(m_prompter, outcome);
            if (warned || m_session.rejectedDrawFiles() > m_rejectedBefore)
                code = Cli::Exit::kFailed;
            if (code == Cli::Exit::kFailed && !warned && outcomeBox(outcome).title.isEmpty() && !fallback.isEmpty())
                Cli::printMessage(fallback);
            return code;
        }

    private:
        PrintingOpener m_browser;

    public:
        Maintenance maintenance;

    private:
        Session &m_session;
        StreamPrompter &m_prompter;
        int m_problemsBefore;
        int m_rejectedBefore;
    };
}

int Cli::runImport(Session &session, StreamPrompter &prompter, const QString &path)
{
    Run run(session, prompter);
    return run.finish(run.maintenance.importDraws(path), QStringLiteral("No se ha importado %1.").arg(path));
}

int Cli::runDeleteDraws(Session &session, StreamPrompter &prompter, bool yesDraws, bool yesReset)
{
    Run run(session, prompter);
    prompter.setAnswers({yesDraws, yesReset});
    return run.finish(run.maintenance.deleteAllDraws());
}

int Cli::runDeleteDraw(Session &session, StreamPrompter &prompter, int position, bool yes)
{
    if (position > session.storedDraws()) {
        std::fprintf(stderr, "No existe el sorteo %d de la lista: hay %d sorteos guardados.\n", position,
                     session.storedDraws());
        return Exit::kFailed;
    }
    Run run(session, prompter);
    prompter.setAnswers({yes});
    run.maintenance.setDrawDeleteMode(true);
    return run.finish(run.maintenance.deleteDraw(position), QStringLiteral("No se ha borrado el sorteo %1.").arg(position));
}

int Cli::runDeleteSyndicate(Session &session, StreamPrompter &prompter, int record, bool yes)
{
    if (!knownSyndicate(session, record))
        return Exit::kFailed;
    Run run(session, prompter);
    prompter.setAnswers({yes});
    return run.finish(run.maintenance.deleteSyndicate(record), QStringLiteral("No se ha borrado la peña %1.").arg(record));
}
