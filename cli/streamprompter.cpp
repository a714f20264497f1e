#include "streamprompter.h"

#include <cstdio>

Prompter::Answer StreamPrompter::show(Icon icon, const QString &title, const QString &text, Buttons buttons)
{
    ++m_shown;
    if (icon == Icon::Warning || icon == Icon::Critical)
        ++m_problems;
    m_lastTitle = title;
    const QByteArray line = (title + QStringLiteral(": ") + text + QLatin1Char('\n')).toUtf8();
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stderr);
    std::fflush(stderr);
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    const bool yes = m_answers.isEmpty() ? m_answerYes : m_answers.takeFirst();
    if (!yes)
        ++m_declined;
    return yes ? Answer::Yes : Answer::No;
}
