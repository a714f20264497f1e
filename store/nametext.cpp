#include "nametext.h"

#include "cp1252.h"

namespace
{
    // Each character of name that fails, once, in order of appearance.
    template <typename Fails>
    QList<char32_t> failing(QStringView name, Fails fails)
    {
        QList<char32_t> found;
        for (char32_t c : name.toUcs4()) {
            if (fails(c) && !found.contains(c))
                found.append(c);
        }
        return found;
    }
}

QString NameText::composed(const QString &name)
{
    return name.normalized(QString::NormalizationForm_C);
}

bool NameText::isForbidden(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format: // U+200B-U+200F, U+202A-U+202E, U+2060-U+2069, U+061C, U+FEFF, U+00AD ...
    case QChar::Other_Surrogate:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

QList<char32_t> NameText::forbiddenCharacters(QStringView name)
{
    return failing(name, isForbidden);
}

QList<char32_t> NameText::unstorableCharacters(QStringView name)
{
    return failing(name, [](char32_t c) { return !Cp1252::canEncode(c); });
}
