#pragma once

#include <QString>
#include <QUrl>

// Where the data files live:
// - the directory given with --data-dir;
// - else the program's own directory when it is a portable copy: a directory
//   the user owns and may write, outside the system prefixes (/usr, /opt ...),
//   so an installed program never writes beside its binaries;
// - else the per-user data directory, ~/.local/share/quorvale (a directory
//   left by earlier versions under ~/.local/share/Quorvale/Quorvale is moved
//   there when the new one does not exist yet).
// Returns an absolute path ending in '/', or an empty string when no usable
// directory could be made. A directory that can be read but not written is
// returned too: it opens read-only (readOnlyReason, core/dataaccess.h).
QString resolveDataDir(const QString &explicitDir, const QString &programDir);

// The refusal of a --data-dir (in the raw command line, argv) whose bytes do
// not make a name this program can read back (Qt reads file names as UTF-8):
// used, it would become another name and another, new directory. It names
// the bytes that cannot be read, as \xNN. Empty when every --data-dir is fine.
QString undecodableDataDirText(int argc, const char *const argv[]);

// True when programDir may hold the data of a portable copy.
bool isPortableDir(const QString &programDir);

// The per-user data directory, without creating it.
QString userDataDir();

// The draw history shipped with the program: share/quorvale/numeros.dat
// beside the bin/ directory of an installation, or of the build tree. Empty
// when there is none.
QString bundledDrawFile(const QString &programDir);

// The user guide installed with the program, as a file URL:
// share/doc/quorvale/guia.html beside the bin/ directory of an installation,
// or of the build tree. Empty when there is none.
QUrl installedGuide(const QString &programDir);
