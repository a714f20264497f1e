#pragma once

#include "core/prompter.h"

// Message boxes of a run without a window: "TITLE: TEXT" on stderr; every
// Yes/No question gets the answer given on the command line.
class StreamPrompter final : public Prompter
{
public:
    explicit StreamPrompter(bool answerYes) : m_answerYes(answerYes) {}
    Answer show(Icon icon, const QString &title, const QString &text, Buttons buttons) override;

    int shown() const { return m_shown; }

private:
    bool m_answerYes;
    int m_shown = 0;
};
