#include "dbusnotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace
{
    // A desktop whose notification service hangs must not hold the command
    // (a timer's job) for D-Bus's default 25 s.
    constexpr int kCallTimeoutMs = 5000;
}

bool DBusNotifier::notify(const QString &title, const QString &body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        m_error = QStringLiteral("no hay bus de sesión de D-Bus");
        return false;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // Servers that read markup in the body would take a "&" in a peña's
    // name for the start of an entity.
    call << QStringLiteral("Quorvale") << 0u << QStringLiteral("quorvale") << title << body.toHtmlEscaped()
         << QStringList() << QVariantMap() << -1;
    const QDBusMessage reply = bus.call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        m_error = reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage();
        return false;
    }
    m_error.clear();
    return true;
}
