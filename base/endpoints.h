#pragma once

#include <QString>
#include <QUrl>

// The hosts the program talks to or sends the user to. Paths and query keys
// are fixed where they are used; only these bases change (tests, mirrors).
//
// The program has no web site, news server or support address of its own
// yet, and an address that leads nowhere is worse than none: those stay
// empty until real ones exist. An empty makerServer turns the news check
// off; an empty webSite sends "Web del programa" and the about link to the
// user guide; an empty supportEmail leaves the "send an e-mail" line out.
struct Endpoints
{
    QUrl operatorSite {QStringLiteral("https://www.loteriasyapuestas.es")};
    QUrl makerServer;
    QUrl webSite;
    // The guide installed with the program (set at start-up from where the
    // program runs); empty when none was found.
    QUrl userGuide;
    QUrl pdfReaderPage {QStringLiteral("https://get.adobe.com/reader/")};
    QString supportEmail;

    // An operator address with its scheme, host and port replaced by those
    // of operatorSite; path and query are kept.
    QUrl onOperatorSite(const QUrl &address) const;

    // What "Web del programa" opens: the web site, or the guide without one.
    QUrl programPage() const;

    // Accepts an absolute http(s) URL for --operator-url / --news-url.
    static bool isUsableBase(const QUrl &url);
};
