#pragma once

#include "fileops.h"

#include <QByteArray>
#include <QString>

#include <functional>

// How the program's JSON data files (premios.json, socios.json) are opened:
// read through a link like the record files, a damaged one moved aside and
// reported, one it must not rewrite (unreadable, not a file, a later
// version's) left alone with writes refused.
struct JsonDataFileLoad
{
    enum class Outcome
    {
        Ok, // read, or absent
        SetAside, // damaged: its bytes are in setAside, the content starts empty
        Unusable, // left alone; writes refused
    };
    Outcome outcome = Outcome::Unusable;
    QString setAside;
    bool writable = false;
};

// parse(bytes, &newer) takes the content, or is false for a damaged file;
// newer set means a later version's sound file. A file over maxBytes is
// damaged without being read into memory. A damaged file that is a link
// stays a link: its bytes are copied aside (once: a copy already aside with
// the same bytes is named again) and the target emptied by the next write.
// A link the link rule refuses (checkLink) is Unusable, and not read.
JsonDataFileLoad loadJsonDataFile(FileOps &files, const QString &path, qint64 maxBytes, const QString &asideName,
                                  const std::function<bool(const QByteArray &bytes, bool *newer)> &parse);
