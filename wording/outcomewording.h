#pragma once

#include "base/prompter.h"
#include "store/outcome.h"

#include <QString>

#include <vector>

// The box that tells the user of an outcome; an empty title when there is
// none to show (a question answered No, or a done command that says
// nothing).
struct OutcomeBox
{
    Prompter::Icon icon = Prompter::Icon::Information;
    QString title;
    QString text;
};

// The outcome's own box.
OutcomeBox outcomeBox(const Outcome &outcome);
// The boxes of what was met on the way, then the outcome's own, in the
// order they are shown; only those with words. What both front ends show.
std::vector<OutcomeBox> outcomeBoxes(const Outcome &outcome);
