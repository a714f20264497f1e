#include "downloadprogress.h"

QString downloadActivityText(const DownloadActivity &activity)
{
    switch (activity.kind) {
    case DownloadActivity::Kind::None:
        return {};
    case DownloadActivity::Kind::Connecting:
        return QStringLiteral("CONECTANDO AL SERVIDOR");
    case DownloadActivity::Kind::Searching: {
        const QString searching = QStringLiteral("BUSCANDO SORTEOS");
        // A long fetch says how far it has gone.
        if (activity.requestsPlanned > 1)
            return QStringLiteral("%1 (%2 de %3)").arg(searching).arg(activity.requestsDone).arg(activity.requestsPlanned);
        return searching;
    }
    case DownloadActivity::Kind::Analysing:
        return QStringLiteral("ANALIZANDO DATOS");
    case DownloadActivity::Kind::Finished:
        return QStringLiteral("TRANSFERENCIA FINALIZADA");
    }
    return {};
}

QString receivedBytesText(qint64 bytes, bool complete)
{
    return complete ? QString::number(bytes) + QStringLiteral(" Bytes") : QString::number(bytes);
}
