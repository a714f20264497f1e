#include "pagereader.h"

#include <algorithm>

namespace
{
    inline char lowerAscii(char c)
    {
        return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    }
}

PageReader::PageReader(QByteArray page)
    : m_page(std::move(page))
{
}

std::optional<QByteArray> PageReader::busca(QByteArrayView marker, QByteArrayView terminator)
{
    return scan(marker, terminator, false);
}

std::optional<QByteArray> PageReader::busca2(QByteArrayView marker, QByteArrayView terminator)
{
    return scan(marker, terminator, true);
}

qsizetype PageReader::find(QByteArrayView marker, qsizetype from) const
{
    const qsizetype len = m_page.size();
    for (qsizetype p = std::max<qsizetype>(from, 1); p + marker.size() - 1 <= len && !marker.isEmpty(); ++p) {
        qsizetype i = 0;
        while (i < marker.size() && lowerAscii(m_page[p - 1 + i]) == lowerAscii(marker[i]))
            ++i;
        if (i == marker.size())
            return p;
    }
    return 0;
}

std::optional<QByteArray> PageReader::scan(QByteArrayView marker, QByteArrayView terminator,
                                           bool emptyUnlessTerminated)
{
    m_endOfData = false;
    const qsizetype len = m_page.size();
    const qsizetype markerLength = marker.size();
    const qsizetype termLength = terminator.size();
    const char *page = m_page.constData();
    if (markerLength == 0 || termLength == 0)
        return std::nullopt;

    // Marker search. The window at p is p .. p + L - 1 (from 1); it must lie
    // inside the page, and it is compared only while p + L <= len.
    const qsizetype start = m_position;
    if (start < 1 || start + markerLength - 1 > len)
        return std::nullopt;
    QByteArray lowered(markerLength, '\0');
    for (qsizetype i = 0; i < markerLength; ++i)
        lowered[i] = lowerAscii(marker[i]);
    const char first = lowered[0];
    qsizetype found = 0;
    for (qsizetype p = start; p + markerLength <= len; ++p) {
        const char *window = page + p - 1;
        if (lowerAscii(window[0]) != first)
            continue;
        qsizetype i = 1;
        while (i < markerLength && lowerAscii(window[i]) == lowered[i])
            ++i;
        if (i == markerLength) {
            found = p;
            break;
        }
    }
    if (found == 0) {
        m_endOfData = true;
        m_position = len - markerLength + 2;
        return QByteArray();
    }

    // Collection up to the terminator.
    const QByteArray upperTerminator = terminator.toByteArray().toUpper();
    QByteArray text;
    for (qsizetype q = found + markerLength;; ++q) {
        if (q + termLength - 1 > len) {
            m_position = q;
            return std::nullopt;
        }
        const QByteArrayView window(page + q - 1, termLength);
        m_position = q + 1;
        if (window == terminator || window == upperTerminator)
            break;
        if (m_position == len)
            return emptyUnlessTerminated ? QByteArray() : text;
        text += page[q - 1];
    }
    return text;
}

QString raros(QByteArrayView text)
{
    QString kept;
    kept.reserve(text.size());
    for (char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= 33 && code <= 122)
            kept += QLatin1Char(c);
    }
    return kept;
}
