#pragma once

#include "core/frontend.h"
#include "store/outcome.h"
#include "wording/outcomewording.h"

#include <QList>
#include <QString>

// Records every box and answers Yes/No questions from a script (default No).
class RecordingPrompter final : public FrontEnd
{
public:
    struct Box
    {
        Icon icon;
        QString title;
        QString text;
        Buttons buttons;
    };

    Answer show(Icon icon, const QString &title, const QString &text, Buttons buttons) override
    {
        boxes.append({icon, title, text, buttons});
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        return answers.isEmpty() ? Answer::No : answers.takeFirst();
    }

    // Records the box; the way in taken is the next of `ways` (None when
    // they run out).
    WayIn offerWaysIn(Icon icon, const QString &title, const QString &text, const WaysIn &offered) override
    {
        boxes.append({icon, title, text, Buttons::Ok});
        offers.append(offered);
        return ways.isEmpty() ? WayIn::None : ways.takeFirst();
    }

    void tell(const Outcome &outcome) override { report(outcome); }

    // A command's outcome as the window shows it: its boxes recorded like
    // any other (none when it has no words).
    Outcome report(const Outcome &outcome)
    {
        for (const OutcomeBox &box : outcomeBoxes(outcome))
            boxes.append({box.icon, box.title, box.text, Buttons::Ok});
        return outcome;
    }

    QStringList titles() const
    {
        QStringList list;
        for (const Box &b : boxes)
            list << b.title;
        return list;
    }

    QList<Box> boxes;
    QList<Answer> answers;
    QList<WayIn> ways;
    QList<WaysIn> offers;
};
