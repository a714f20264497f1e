#include "streamprompter.h"

#include <cstdio>

Prompter::Answer StreamPrompter::show(Icon, const QString &title, const QString &text, Buttons buttons)
{
    ++m_shown;
    const QByteArray line = (title + QStringLiteral(": ") + text + QLatin1Char('\n')).toUtf8();
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stderr);
    std::fflush(stderr);
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return m_answerYes ? Answer::Yes : Answer::No;
}
