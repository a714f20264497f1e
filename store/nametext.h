#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// The rule a name breaks, if any; Wording::nameProblemText words it.
enum class NameRule
{
    Fits,
    Forbidden, // holds characters no name may hold (NameText::forbiddenCharacters)
    Unstorable, // holds characters apuestas.dat cannot store (NameText::unstorableCharacters)
    TooLong, // a peña's: longer than the slip's 20 letters
    OutOfLength, // a member's: not 1 to MemberFile::kMaxNameLength characters
};

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

    // Each forbidden character of name once, in order of appearance; empty
    // when there is none.
    QList<char32_t> forbiddenCharacters(QStringView name);
    // The same for the characters the peña file cannot hold (Windows code
    // page 1252).
    QList<char32_t> unstorableCharacters(QStringView name);
}
