#pragma once

#include <QString>

// Every message box the program shows goes through here, so that the engine
// runs without a window and tests can read and answer each box.
class Prompter
{
public:
    enum class Icon { Information, Warning, Critical, Question };
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };

    virtual ~Prompter() = default;
    virtual Answer show(Icon icon, const QString &title, const QString &text,
                        Buttons buttons = Buttons::Ok) = 0;

    void inform(const QString &title, const QString &text) { show(Icon::Information, title, text); }
    void warn(const QString &title, const QString &text) { show(Icon::Warning, title, text); }
    bool ask(const QString &title, const QString &text)
    {
        return show(Icon::Question, title, text, Buttons::YesNo) == Answer::Yes;
    }
};
