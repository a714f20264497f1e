#pragma once

#include "testhttpserver.h"

#include <QDate>
#include <QJsonObject>

#include <initializer_list>
#include <map>
#include <set>

// The operator's results service on the test server: /servicios/fechav3 and
// /servicios/buscadorSorteos answer from the draws added here, in the shape
// the real service uses, and can be told to fail in each of its ways.
class FakeService
{
public:
    enum class Empty
    {
        NotFound,
        EmptyArray,
        Message
    }; // how "no draw" is said

    explicit FakeService(TestHttpServer &server);

    // The service refuses every request (the edge protection's 403 page), so
    // a download in auto mode goes to the classic pages.
    static void refuse(TestHttpServer &server, int status = 403);

    // A draw with the report of the real 2025-01-26 draw, or as on draw
    // night (escrutinio [] and apuestas "0").
    static QJsonObject draw(QDate date, std::initializer_list<int> combination, int key, bool withReport = true);
    void add(const QJsonObject &draw);
    void add(QDate date, std::initializer_list<int> combination, int key, bool withReport = true)
    {
        add(draw(date, combination, key, withReport));
    }

    Empty empty = Empty::NotFound;
    // From this request on (counted from 1; 0 never), answer with failure.
    int failFrom = 0;
    TestHttpServer::Route failure;
    // Raw answers for one request target, ahead of everything else.
    std::map<QString, TestHttpServer::Route> raw;
    // Draws that range answers (buscadorSorteos) leave out; fechav3 still
    // gives them when they were added.
    std::set<QDate> leftOutOfRanges;
    // When set, a request that does not carry this cookie gets the edge's
    // block page (HTTP 403), as the operator's site does to bare clients.
    QByteArray requiredCookie;

    int requests() const { return m_requests; }

private:
    TestHttpServer::Route answer(const QUrl &target);

    TestHttpServer &m_server;
    std::map<QDate, QJsonObject> m_draws;
    int m_requests = 0;
};
