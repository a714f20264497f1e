#include "updatecommand.h"

#include "core/session.h"
#include "core/sessiondownloadhost.h"
#include "web/downloadsession.h"
#include "web/networktransfer.h"

#include <cstdio>

int Cli::runUpdate(Session &session)
{
    NetworkTransfer transfer;
    SessionDownloadHost host(session);
    DownloadSession download(host, transfer, session.endpoints());
    const bool succeeded = download.runToCompletion();
    const QByteArray line = (download.statusText() + QLatin1Char('\n')).toUtf8();
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stdout);
    std::fflush(stdout);
    return succeeded ? 0 : 1;
}
