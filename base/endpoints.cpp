#include "endpoints.h"

QUrl Endpoints::onOperatorSite(const QUrl &address) const
{
    QUrl moved = address;
    moved.setScheme(operatorSite.scheme());
    moved.setHost(operatorSite.host());
    moved.setPort(operatorSite.port());
    return moved;
}

QUrl Endpoints::programPage() const
{
    return webSite.isEmpty() ? userGuide : webSite;
}

bool Endpoints::isUsableBase(const QUrl &url)
{
    return url.isValid() && !url.host().isEmpty()
        && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}
