#pragma once

#include <QString>
#include <QStringView>

// The rules every name a person types (a peña's, a member's) follows before
// it is kept, so that two names that look the same are the same name and a
// name shows what it holds.
namespace NameText
{
    // Composed (NFC): a letter typed with its accent apart ("e" and U+0301)
    // becomes the one letter a keyboard gives ("é").
    QString composed(const QString &name);

    // Characters no name may hold: control characters, invisible and format
    // characters (zero-width spaces and joiners, word joiner, byte order mark,
    // soft hyphen), the marks, overrides and isolates that turn the direction
    // of the text, line and paragraph separators, and unassigned code points.
    bool isForbidden(char32_t c);

    // Empty when name holds no forbidden character, else the message naming
    // each of them once.
    QString forbiddenProblem(QStringView name);
    // Empty when the peña file can hold every character of name (Windows code
    // page 1252), else the message naming those it cannot.
    QString unstorableProblem(QStringView name);

    // A character as a message names it: itself in quotes, or U+XXXX for one
    // that cannot be seen (a control, an invisible or combining character).
    QString describe(char32_t c);
}
