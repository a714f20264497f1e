#pragma once

#include "base/prompter.h"
#include "core/outcome.h"

// The box a command's outcome calls for, shown through the window's
// prompter; nothing when the outcome has no words (a question answered No).
// Returns the outcome, for the caller to act on.
inline const Outcome &showOutcome(Prompter &prompter, const Outcome &outcome)
{
    for (const Outcome::Box &box : outcome.boxes())
        prompter.show(box.icon, box.title, box.text);
    return outcome;
}
