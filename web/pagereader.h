#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// A saved page read forward from marker to marker, never as HTML: the order
// of a few literal texts is the whole contract with the operator's pages.
// The page is single-byte text; positions count bytes from 1.
class PageReader
{
public:
    explicit PageReader(QByteArray page);

    qsizetype length() const { return m_page.size(); }
    // The next byte read, from 1.
    qsizetype position() const { return m_position; }
    void setPosition(qsizetype position) { m_position = position; }
    // The last search ran out of page before it met its marker.
    bool endOfData() const { return m_endOfData; }

    // Looks for marker (ASCII, any case) from the read position. A marker
    // whose last byte is the page's last byte is not found. When found, the
    // bytes after it are collected up to terminator (as given or in upper
    // case), or up to one byte before the end of the page, and the read
    // position is left just past the terminator's first byte. Empty when the
    // marker is not found; nullopt when a read would start too close to the
    // end of the page, which voids the caller's whole scan.
    std::optional<QByteArray> busca(QByteArrayView marker, QByteArrayView terminator);

    // The same, but a collection that reaches the end of the page without
    // meeting its terminator gives the empty text (the draw page's reading).
    std::optional<QByteArray> busca2(QByteArrayView marker, QByteArrayView terminator);

    // Where marker (ASCII, any case) next starts at or after from, without
    // moving the read position; 0 when nowhere.
    qsizetype find(QByteArrayView marker, qsizetype from) const;

private:
    std::optional<QByteArray> scan(QByteArrayView marker, QByteArrayView terminator, bool emptyUnlessTerminated);

    QByteArray m_page;
    qsizetype m_position = 1;
    bool m_endOfData = false;
};

// Keeps the bytes 33 to 122, in order: blanks, controls, entities' '&', the
// euro sign and accented letters go; "{|}~" and above go too.
QString raros(QByteArrayView text);
