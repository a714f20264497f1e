#pragma once

#include <QByteArrayView>

// Whether bytes are a draw file the program can take as its own: whole
// 24-byte records, at least one; every record with five distinct numbers 1 to
// 54 and a key number 0 to 9; dates strictly ascending; the first draw on a
// Sunday.
bool isImportableDrawFile(QByteArrayView bytes);
