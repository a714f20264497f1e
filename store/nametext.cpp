#include "nametext.h"

#include "cp1252.h"

#include <QList>
#include <QStringList>

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

    QString listed(const QList<char32_t> &characters)
    {
        QStringList names;
        for (char32_t c : characters)
            names << NameText::describe(c);
        return names.join(QStringLiteral(", "));
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

QString NameText::forbiddenProblem(QStringView name)
{
    const QList<char32_t> found = failing(name, isForbidden);
    if (found.isEmpty())
        return {};
    return QStringLiteral("El nombre contiene caracteres invisibles, de control o que cambian la dirección del texto, "
                          "que no se admiten: %1")
        .arg(listed(found));
}

QString NameText::unstorableProblem(QStringView name)
{
    const QList<char32_t> found = failing(name, [](char32_t c) { return !Cp1252::canEncode(c); });
    if (found.isEmpty())
        return {};
    return QStringLiteral("El nombre contiene caracteres que no se pueden guardar: %1").arg(listed(found));
}

QString NameText::describe(char32_t c)
{
    const QChar::Category category = QChar::category(c);
    const bool unseen = isForbidden(c) || category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining
        || category == QChar::Mark_Enclosing || (category == QChar::Separator_Space && c != U' ');
    if (unseen)
        return QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
    return QLatin1Char('"') + QString::fromUcs4(&c, 1) + QLatin1Char('"');
}
