#include "fakeservice.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QUrlQuery>

namespace
{
    QDate compact(const QString &text)
    {
        return QDate::fromString(text, QStringLiteral("yyyyMMdd"));
    }

    TestHttpServer::Route json(const QByteArray &body, int status = 200)
    {
        TestHttpServer::Route route;
        route.status = status;
        route.body = body;
        route.contentType = "application/json";
        return route;
    }
}

FakeService::FakeService(TestHttpServer &server)
    : m_server(server)
{
    const auto handler = [this](const QUrl &target) { return answer(target); };
    server.setHandler(QStringLiteral("/servicios/fechav3"), handler);
    server.setHandler(QStringLiteral("/servicios/buscadorSorteos"), handler);
}

void FakeService::refuse(TestHttpServer &server, int status)
{
    for (const char *path : {"/servicios/fechav3", "/servicios/buscadorSorteos"})
        server.setPage(QString::fromLatin1(path), "<html><body>Access Denied</body></html>", status);
}

QJsonObject FakeService::draw(QDate date, std::initializer_list<int> combination, int key, bool withReport)
{
    QStringList numbers;
    for (int n : combination)
        numbers << QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    QJsonObject object;
    object.insert(QLatin1String("fecha_sorteo"), date.toString(QStringLiteral("yyyy-MM-dd 21:30:00")));
    object.insert(QLatin1String("dia_semana"), QStringLiteral("domingo"));
    object.insert(QLatin1String("game_id"), QStringLiteral("ELGR"));
    object.insert(QLatin1String("anyo"), QString::number(date.year()));
    object.insert(QLatin1String("combinacion"), numbers.join(QStringLiteral(" - ")) + QStringLiteral(" R(%1)").arg(key));
    object.insert(QLatin1String("apuestas"), withReport ? QStringLiteral("2580907") : QStringLiteral("0"));
    object.insert(QLatin1String("recaudacion"), withReport ? QJsonValue(QStringLiteral("3871360")) : QJsonValue());
    QJsonArray rows;
    if (withReport) {
        static const char *const prizes[9] = {"0,00", "0,00", "6923,14", "120,52", "40,98", "17,03", "6,21", "3,00", "1,50"};
        static const char *const winners[9] = {"0", "0", "29", "299", "1005", "7858", "16582", "125205", "320787"};
        for (int i = 0; i < 9; ++i) {
            QJsonObject row;
            row.insert(QLatin1String("tipo"), i == 8 ? QStringLiteral("Reintegro") : QStringLiteral("%1ª").arg(i + 1));
            row.insert(QLatin1String("categoria"), i + 1);
            row.insert(QLatin1String("premio"), QString::fromLatin1(prizes[i]));
            row.insert(QLatin1String("ganadores"), QString::fromLatin1(winners[i]));
            rows.append(row);
        }
    }
    object.insert(QLatin1String("escrutinio"), rows);
    return object;
}

void FakeService::add(const QJsonObject &draw)
{
    m_draws[QDate::fromString(draw.value(QLatin1String("fecha_sorteo")).toString().left(10), Qt::ISODate)] = draw;
}

TestHttpServer::Route FakeService::answer(const QUrl &target)
{
    ++m_requests;
    if (failFrom > 0 && m_requests >= failFrom)
        return failure;
    if (!requiredCookie.isEmpty()) {
        const QByteArray head = m_server.lastRequestHead();
        const qsizetype at = head.indexOf("\r\nCookie: ");
        if (at < 0 || !head.mid(at, head.indexOf("\r\n", at + 2) - at).contains(requiredCookie)) {
            TestHttpServer::Route blocked;
            blocked.status = 403;
            blocked.body = TestHttpServer::readFixture(QStringLiteral("service/blocked-403.html"));
            return blocked;
        }
    }
    if (const auto it = raw.find(target.path() + QLatin1Char('?') + target.query()); it != raw.end())
        return it->second;

    const QUrlQuery query(target);
    QDate from = compact(query.queryItemValue(QStringLiteral("fecha_sorteo")));
    QDate to = from;
    if (!from.isValid()) {
        from = compact(query.queryItemValue(QStringLiteral("fechaInicioInclusiva")));
        to = compact(query.queryItemValue(QStringLiteral("fechaFinInclusiva")));
    }
    QJsonArray found;
    for (auto it = m_draws.rbegin(); it != m_draws.rend(); ++it) { // newest first
        if (it->first >= from && it->first <= to && (from == to || leftOutOfRanges.count(it->first) == 0))
            found.append(it->second);
    }
    if (!found.isEmpty())
        return json(QJsonDocument(found).toJson(QJsonDocument::Compact));
    switch (empty) {
    case Empty::NotFound:
        return json("\"No se ha encontrado\"", 404);
    case Empty::EmptyArray:
        return json("[]");
    case Empty::Message:
        return json("\"No se ha encontrado ningún sorteo para la fecha indicada\"");
    }
    return json("[]");
}
