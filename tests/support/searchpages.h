#pragma once

#include <QByteArray>
#include <QDate>

#include <array>
#include <vector>

// Search pages in the layout of tests/data/web/busqueda.html with any list
// of draws, built from that fixture's own pieces.
namespace SearchPages
{
    struct Entry
    {
        QDate date;
        std::array<QByteArray, 5> numbers;
        QByteArray key;
        QByteArray link; // empty: "YEAR/9860" + the date as yyyyMMdd
    };

    Entry entry(QDate date, std::array<int, 5> numbers, int key);

    QByteArray fixture(const char *name); // a file of tests/data/web
    QByteArray build(const std::vector<Entry> &entries);

    // Weekly draws from newest back, count of them, numbers derived from the
    // index (valid, distinct).
    std::vector<Entry> weekly(QDate newest, int count);
}
