#pragma once

#include <QString>

// A notice on the desktop, outside the program's own window: the session bus
// for the command line, the tray icon while the window is open; tests record.
class Notifier
{
public:
    virtual ~Notifier() = default;
    // False when the notice could not be shown; errorString() says why.
    virtual bool notify(const QString &title, const QString &body) = 0;
    virtual QString errorString() const = 0;
};
