#pragma once

#include <QString>
#include <QtGlobal>

// How far a download has gone, in the order a session passes through: a
// session that stops without a result falls back to None.
enum class DownloadStage
{
    None,
    Connecting, // the first request is on its way
    Analysing, // the answers are read and the new draws stored
    Scrutinizing, // the peñas are checked against the new draws
    Refreshing, // the status, the draw list and the prize report are redone
    Finished,
};

// What the session is doing now, as the user is told it.
struct DownloadActivity
{
    enum class Kind
    {
        None,
        Connecting,
        Searching,
        Analysing,
        Finished
    };

    Kind kind = Kind::None;
    // The results service's requests answered so far and planned in all;
    // counted in the text only when more than one is planned.
    int requestsDone = 0;
    int requestsPlanned = 0;

    bool operator==(const DownloadActivity &) const = default;
};

// "CONECTANDO AL SERVIDOR", "BUSCANDO SORTEOS (2 de 5)", "TRANSFERENCIA
// FINALIZADA"; empty when nothing is under way.
QString downloadActivityText(const DownloadActivity &activity);

// The bytes received: the bare number while the pages arrive, "N Bytes" once
// the last one is in.
QString receivedBytesText(qint64 bytes, bool complete);
