#pragma once

// What quorvale-cli tells the shell that ran it. Scripts rely on these
// numbers; docs/cli.md and the README list them.
namespace Cli::Exit
{
    constexpr int kDone = 0;
    constexpr int kFailed = 1;      // always with a message on stderr
    constexpr int kUsage = 2;       // unknown command or option, bad value: nothing changed
    constexpr int kAnsweredNo = 3;  // a question was answered No (the default): nothing changed
    constexpr int kBusy = 4;        // another Quorvale holds the data directory: nothing changed
    constexpr int kPrize = 10;      // update --exit-code-on-prize: the session found a prize
}
