#pragma once

#include <QString>

// Where the data files live: the directory given with --data-dir; else the
// program's own directory when it can be written (portable use); else the
// per-user data directory. Returns an absolute path ending in '/', or an
// empty string when no usable directory could be made.
QString resolveDataDir(const QString &explicitDir, const QString &programDir);

// The draw history shipped with the program: share/quorvale/numeros.dat
// beside the bin/ directory of an installation, or of the build tree. Empty
// when there is none.
QString bundledDrawFile(const QString &programDir);
