#pragma once

#include "store/outcome.h"

// What quorvale-cli tells the shell that ran it. Scripts rely on these
// numbers; docs/cli.md and the README list them.
namespace Cli::Exit
{
    constexpr int kDone = 0;
    constexpr int kFailed = 1; // always with a message on stderr
    constexpr int kUsage = 2; // unknown command or option, bad value: nothing changed
    constexpr int kAnsweredNo = 3; // a question was answered No (the default): nothing changed
    constexpr int kBusy = 4; // another Quorvale holds the data directory: nothing changed
    constexpr int kPrize = 10; // update --exit-code-on-prize: the session found a prize
}

namespace Cli::Exit
{
    // The status a command's outcome ends the run with: a warning met on
    // the way makes even a done command a failure.
    inline int of(const Outcome &outcome)
    {
        if (!outcome.earlier.empty())
            return kFailed;
        switch (outcome.status) {
        case Outcome::Status::Done:
        case Outcome::Status::Unchanged:
            return kDone;
        case Outcome::Status::Declined:
            return kAnsweredNo;
        case Outcome::Status::Refused:
        case Outcome::Status::Failed:
        case Outcome::Status::Incomplete:
            return kFailed;
        }
        return kFailed;
    }
}
