#include "operatorsite.h"

#include <QRegularExpression>

namespace
{
    const QString kSearchPath = QStringLiteral("/es/buscador");
    const QString kDrawPagePrefix = QStringLiteral("/es/gordo-primitiva/sorteos/");

    QUrl onOperatorSite(const QString &path, const QString &query, const Endpoints &endpoints)
    {
        QUrl address;
        address.setPath(path, QUrl::TolerantMode);
        if (!query.isEmpty())
            address.setQuery(query);
        return endpoints.onOperatorSite(address);
    }

    bool isHexDigit(QChar c)
    {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
            || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
    }

    bool isPathCharacter(QChar c)
    {
        if (c.unicode() >= 128)
            return c.isLetter();
        if (c.isLetterOrNumber())
            return true;
        static const QString allowed = QStringLiteral("-._~!$&'()*+,;=:@/");
        return allowed.contains(c);
    }
}

QString OperatorSite::searchDate(QDate date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QUrl OperatorSite::searchUrl(QDate startDate, QDate endDate, const Endpoints &endpoints)
{
    const QString query = QStringLiteral("startDate=%1&gameId=05&type=search&endDate=%2")
                              .arg(searchDate(startDate), searchDate(endDate));
    return onOperatorSite(kSearchPath, query, endpoints);
}

QUrl OperatorSite::drawPageUrl(const QString &drawPagePath, const Endpoints &endpoints)
{
    if (!isSafePathPiece(drawPagePath) || drawPagePath.startsWith(QLatin1Char('/')))
        return {};
    return onOperatorSite(kDrawPagePrefix + drawPagePath, {}, endpoints);
}

QUrl OperatorSite::reportUrl(const QString &documentPath, const Endpoints &endpoints)
{
    if (!documentPath.startsWith(QLatin1Char('/')) || !isSafePathPiece(documentPath))
        return {};
    return onOperatorSite(documentPath + QStringLiteral(".pdf"), {}, endpoints);
}

bool OperatorSite::isSafePathPiece(const QString &piece)
{
    if (piece.isEmpty() || piece.contains(QStringLiteral("//")))
        return false;
    for (qsizetype i = 0; i < piece.size(); ++i) {
        const QChar c = piece[i];
        if (c == QLatin1Char('%')) {
            if (i + 2 >= piece.size() || !isHexDigit(piece[i + 1]) || !isHexDigit(piece[i + 2]))
                return false;
            continue;
        }
        if (!isPathCharacter(c))
            return false;
    }
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    if (scheme.match(piece).hasMatch())
        return false;
    // A server decodes escapes before it resolves segments.
    const QString decoded = QUrl::fromPercentEncoding(piece.toUtf8());
    const QStringList segments = decoded.split(QRegularExpression(QStringLiteral("[/\\\\]")));
    for (const QString &segment : segments) {
        if (segment == QLatin1String(".."))
            return false;
    }
    for (QChar c : decoded) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    return !decoded.contains(QStringLiteral("//"));
}
