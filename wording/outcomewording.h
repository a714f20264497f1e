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

// The words of refusals that are also said outside a box, and of names.
namespace Wording
{
    extern const QString kFutureSyndicate; // record 1 created after today
    extern const QString kFutureDraw; // newest draw dated after today
    extern const QString kNoName; // a peña's name of blanks only
    extern const QString kNameTooLong; // a peña's name longer than the slip takes
    extern const QString kOnlyName; // a click while the name is missing
    extern const QString kOneMultiple; // a second multiple bet
    extern const QString kMaxSimple; // a 25th simple bet
    extern const QString kRepeatedDeclined; // a repeated bet answered No
    extern const QString kWriteFailed; // apuestas.dat could not take the peña

    // Why name breaks rule, naming the characters at fault; empty when it fits.
    QString nameProblemText(NameRule rule, const QString &name);
    // Why the draw of a DrawEntry::drawProblem outcome cannot be a real one:
    // "es posterior a hoy"; empty when it can.
    QString drawProblemText(const Outcome &outcome);
    // The words of the outcome's own box, for a front end that says them on
    // a line of its own.
    QString outcomeText(const Outcome &outcome);
}
