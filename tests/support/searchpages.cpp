#include "searchpages.h"

#include <QFile>
#include <QLocale>

namespace
{
    struct Pieces
    {
        QByteArray head;
        QByteArray article;
        QByteArray tail;
    };

    Pieces pieces()
    {
        const QByteArray page = SearchPages::fixture("busqueda.html");
        const qsizetype first = page.indexOf("<article");
        const qsizetype firstEnd = page.indexOf("</article>\n", first) + qsizetype(sizeof("</article>\n") - 1);
        const qsizetype lastEnd = page.lastIndexOf("</article>\n") + qsizetype(sizeof("</article>\n") - 1);
        return {page.left(first), page.mid(first, firstEnd - first), page.mid(lastEnd)};
    }

    QByteArray spanishMonth(int month)
    {
        static const char *names[] = {"enero", "febrero", "marzo", "abril", "mayo", "junio", "julio",
                                      "agosto", "septiembre", "octubre", "noviembre", "diciembre"};
        return names[month - 1];
    }
}

QByteArray SearchPages::fixture(const char *name)
{
    QFile file(QStringLiteral(QUORVALE_TEST_DATA "/web/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

SearchPages::Entry SearchPages::entry(QDate date, std::array<int, 5> numbers, int key)
{
    Entry e;
    e.date = date;
    for (std::size_t i = 0; i < 5; ++i)
        e.numbers[i] = QByteArray::number(numbers[i]);
    e.key = QByteArray::number(key);
    return e;
}

QByteArray SearchPages::build(const std::vector<Entry> &entries)
{
    static const Pieces p = pieces();
    QByteArray page = p.head;
    for (const Entry &e : entries) {
        QByteArray article = p.article;
        const QByteArray heading = QByteArray::number(e.date.day()) + " de " + spanishMonth(e.date.month()) + " de "
            + QByteArray::number(e.date.year());
        article.replace("6 de diciembre de 2026", heading);
        const QByteArray link = e.link.isEmpty()
            ? QByteArray::number(e.date.year()) + "/9860" + e.date.toString(QStringLiteral("yyyyMMdd")).toLatin1()
            : e.link;
        article.replace("2026/986001049", link);
        QByteArray items;
        for (const QByteArray &n : e.numbers)
            items += "      <li> " + n + "</li>\n";
        const qsizetype from = article.indexOf("      <li> ");
        const qsizetype to = article.indexOf("      <li class=\"clave");
        article.replace(from, to - from, items);
        const qsizetype keyAt = article.indexOf("q\"\">") + 4;
        article.replace(keyAt, article.indexOf('<', keyAt) - keyAt, e.key);
        page += article;
    }
    return page + p.tail;
}

std::vector<SearchPages::Entry> SearchPages::weekly(QDate newest, int count)
{
    std::vector<Entry> list;
    for (int i = 0; i < count; ++i) {
        const int base = (i * 5) % 50;
        list.push_back(entry(newest.addDays(-7 * i), {base + 5, base + 1, base + 3, base + 2, base + 4}, i % 10));
    }
    return list;
}
