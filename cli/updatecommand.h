#pragma once

class Session;

namespace Cli
{
    // update: the download button's session without a window, through to
    // the scrutiny of the new draws, the status scan, the draw list and the
    // report document. Boxes go to stderr through the session's prompter;
    // the status label's last text to stdout. Exit 0 when the session ended
    // with "TRANSFERENCIA FINALIZADA" and neither a data nor a connection
    // error, else 1.
    int runUpdate(Session &session);
}
