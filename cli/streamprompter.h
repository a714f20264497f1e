#pragma once

#include "core/frontend.h"

#include <QList>

// Message boxes of a run without a window: "TITLE: TEXT" on stderr. Yes/No
// questions take the answers given on the command line, in order; when those
// run out, the general answer (--yes, default No).
class StreamPrompter final : public FrontEnd
{
public:
    explicit StreamPrompter(bool answerYes)
        : m_answerYes(answerYes)
    {}
    Answer show(Icon icon, const QString &title, const QString &text, Buttons buttons) override;
    // The box's text, then the commands that do what the window's buttons do.
    WayIn offerWaysIn(Icon icon, const QString &title, const QString &text, const WaysIn &ways) override;
    // The outcome's boxes, as show() writes them.
    void tell(const Outcome &outcome) override;

    void setAnswers(const QList<bool> &answers) { m_answers = answers; }
    int shown() const { return m_shown; }
    // Questions answered No, and warnings or errors shown, so far.
    int declined() const { return m_declined; }
    int problems() const { return m_problems; }

private:
    bool m_answerYes;
    QList<bool> m_answers;
    int m_shown = 0;
    int m_declined = 0;
    int m_problems = 0;
};
