#include "streamprompter.h"

#include "output.h"

void StreamPrompter::tell(const Outcome &outcome)
{
    Cli::report(*this, outcome);
}

Prompter::Answer StreamPrompter::show(Icon icon, const QString &title, const QString &text, Buttons buttons)
{
    ++m_shown;
    if (icon == Icon::Warning || icon == Icon::Critical)
        ++m_problems;
    Cli::printBox(title, text);
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    const bool yes = m_answers.isEmpty() ? m_answerYes : m_answers.takeFirst();
    if (!yes)
        ++m_declined;
    return yes ? Answer::Yes : Answer::No;
}

Prompter::WayIn StreamPrompter::offerWaysIn(Icon icon, const QString &title, const QString &text, const WaysIn &ways)
{
    QString commands;
    if (ways.shippedHistory) {
        commands += ways.historyFile.isEmpty()
            ? QStringLiteral(" Añada el histórico con: quorvale-cli import numeros.dat (el que viene con Quorvale).")
            : QStringLiteral(" Añada el histórico con: quorvale-cli import \"%1\".").arg(ways.historyFile);
    }
    if (ways.byHand) {
        commands += QStringLiteral(" Puede añadirlos con: quorvale-cli import FICHERO.json (la respuesta que muestra el "
                                   "navegador");
        if (!ways.browserUrl.isEmpty())
            commands += QStringLiteral(" en %1").arg(ways.browserUrl.toString(QUrl::FullyEncoded));
        commands += QStringLiteral("), quorvale-cli import FICHERO.csv, o quorvale-cli add-draw --date AAAA-MM-DD "
                                   "--numbers a,b,c,d,e --key k --yes; y el informe de premios con quorvale-cli prizes "
                                   "--date AAAA-MM-DD --set FICHERO.");
    }
    show(icon, title, text + commands, Buttons::Ok);
    return WayIn::None;
}
