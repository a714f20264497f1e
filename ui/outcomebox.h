#pragma once

#include "base/prompter.h"
#include "store/outcome.h"
#include "wording/outcomewording.h"

// The box a command's outcome calls for, shown through the window's
// prompter; nothing when the outcome has no words (a question answered No).
// Returns the outcome, for the caller to act on.
inline const Outcome &showOutcome(Prompter &prompter, const Outcome &outcome)
{
    for (const OutcomeBox &box : outcomeBoxes(outcome))
        prompter.show(box.icon, box.title, box.text);
    return outcome;
}

// A command on the shown peña with none shown (record 0) is refused with
// the box that says so. True when record names one.
inline bool syndicateChosen(Prompter &prompter, int record, Outcome::Command command)
{
    if (record != 0)
        return true;
    showOutcome(prompter, Outcome(Outcome::Status::Refused, command, Outcome::Cause::NoSyndicateChosen));
    return false;
}
