#pragma once

#include <QString>

// Whether this user may change the data directory, and what to tell when not.

// Why nothing can be written in dir, in words that follow "porque": the file
// system is mounted read-only, or this user has no permission there. Empty
// when the directory can be written.
QString readOnlyReason(const QString &dir);

// The "Error de permiso" text for a file that could not be written: the file
// or folder that refused, the cause, and what to do about it on this system.
QString permissionErrorText(const QString &path);

// Why dir cannot be used at all (resolveDataDir gave nothing): it is not a
// folder, cannot be made, or may not be read. Always a whole sentence.
QString unusableDataDirText(const QString &dir);
