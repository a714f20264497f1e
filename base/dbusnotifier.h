#pragma once

#include "notifier.h"

// org.freedesktop.Notifications on the session bus: what every Linux desktop
// shows as a pop-up, with or without a window of ours on screen.
class DBusNotifier final : public Notifier
{
public:
    bool notify(const QString &title, const QString &body) override;
    QString errorString() const override { return m_error; }

private:
    QString m_error;
};
