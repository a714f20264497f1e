#pragma once

#include <QByteArray>
#include <QString>

// Windows code page 1252, the single-byte text of the data files.
namespace Cp1252
{
    // Every byte maps to one character; the five bytes the code page leaves
    // undefined map to the C1 control of the same value, as Windows does.
    QString decode(QByteArrayView bytes);

    // Whether the code page holds the character (one byte, read back the same).
    bool canEncode(char32_t c);

    // One byte per character; a character the code page cannot hold becomes '?'.
    QByteArray encode(QStringView text);

    // The text of a fixed-width field: encoded, cut to width bytes and padded
    // on the right with blanks.
    QByteArray encodeField(QStringView text, int width);
}
