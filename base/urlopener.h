#pragma once

#include <QUrl>

// "Open this address in the browser": the desktop does it in the window; the
// command line prints the address; tests record it.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    virtual void open(const QUrl &address) = 0;
};
