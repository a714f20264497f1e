#pragma once

#include <QString>
#include <QUrl>

// The questions the engine asks the user (Yes/No, the ways in), and the
// surface on which each front end shows its boxes, so that the engine runs
// without a window and tests can read and answer each box. The engine's
// commands hand back what they did as an Outcome (store/outcome.h) for the
// front end to show; what the engine meets on its own while it runs (the
// checks of the data files, what the download meets before its own
// questions) it tells its FrontEnd (core/frontend.h) as Outcomes too.
class Prompter
{
public:
    enum class Icon
    {
        Information,
        Warning,
        Critical,
        Question
    };
    enum class Buttons
    {
        Ok,
        YesNo
    };
    enum class Answer
    {
        Ok,
        Yes,
        No
    };

    virtual ~Prompter() = default;
    virtual Answer show(Icon icon, const QString &title, const QString &text,
                        Buttons buttons = Buttons::Ok)
        = 0;

    void inform(const QString &title, const QString &text) { show(Icon::Information, title, text); }
    void warn(const QString &title, const QString &text) { show(Icon::Warning, title, text); }
    bool ask(const QString &title, const QString &text)
    {
        return show(Icon::Question, title, text, Buttons::YesNo) == Answer::Yes;
    }

    // The ways to put draws in without the download. A box that offers them
    // shows them as buttons in the window; the command line names its
    // commands instead.
    enum class WayIn
    {
        None,
        ShippedHistory,
        Paste,
        ByHand
    };
    struct WaysIn
    {
        bool shippedHistory = false; // the history that comes with the program
        bool byHand = false; // paste the service's answer, a CSV, type the draw
        QUrl browserUrl; // the service's address for the missing draws
        QString historyFile; // where the shipped history lies
    };
    // The box with the ways offered; which one the user took (None: closed).
    virtual WayIn offerWaysIn(Icon icon, const QString &title, const QString &text, const WaysIn &ways)
    {
        Q_UNUSED(ways);
        show(icon, title, text);
        return WayIn::None;
    }
};
