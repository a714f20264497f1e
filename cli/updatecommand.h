#pragma once

#include "web/downloadsession.h"

#include <QString>

#include <optional>

class Notifier;
class Session;

namespace Cli
{
    // --source: "auto" (the results service, the classic pages when it
    // refuses), "service" or "pages"; nullopt for anything else.
    std::optional<DownloadSession::Source> updateSource(const QString &text);

    // update: the download button's session without a window, through to
    // the scrutiny of the new draws, the status scan, the draw list and the
    // prize report. Boxes go to stderr through the session's prompter. On
    // stdout the status label's last text, or with json one object:
    // {"source", "newDraws", "pendingReports", "missing"}. Exit 0 when the
    // session ended with "TRANSFERENCIA FINALIZADA" and neither a data nor a
    // connection error, else 1.
    // reportsSince: also the missing prize reports of stored draws from that
    // date (invalid: the last 52 weeks only).
    // exitOnPrize: a session that found a prize for a peña exits kPrize.
    // With json the object also holds "prizes": every prize of the draws the
    // session added or whose report it completed.
    // notifier: those prizes also as desktop notices, one per peña; a notice
    // that cannot be shown is a warning on stderr and changes no exit code.
    int runUpdate(Session &session, DownloadSession::Source source = DownloadSession::Source::Auto, bool json = false,
                  QDate reportsSince = {}, bool exitOnPrize = false, Notifier *notifier = nullptr);
}
