#pragma once

#include <QString>
#include <QUrl>

// The hosts the program talks to or sends the user to. Paths and query keys
// are fixed where they are used; only these bases change (tests, mirrors).
struct Endpoints
{
    QUrl operatorSite {QStringLiteral("https://www.loteriasyapuestas.es")};
    QUrl makerServer {QStringLiteral("https://news.quorvale.example")};
    QUrl webSite {QStringLiteral("https://www.quorvale.example")};
    QUrl shopPage {QStringLiteral("https://www.quorvale.example/tienda.html#Sorteos")};
    QUrl pdfReaderPage {QStringLiteral("https://www.quorvale.example/lector-pdf")};
    QString supportEmail {QStringLiteral("soporte@quorvale.example")};

    // An operator address with its scheme, host and port replaced by those
    // of operatorSite; path and query are kept.
    QUrl onOperatorSite(const QUrl &address) const;

    // Accepts an absolute http(s) URL for --operator-url / --news-url.
    static bool isUsableBase(const QUrl &url);
};
