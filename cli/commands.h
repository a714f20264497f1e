#pragma once

#include <QJsonObject>
#include <QStringList>

class Session;

// The commands of quorvale-cli. Each one calls the session exactly as the
// window does and turns what the session holds into JSON.
namespace Cli
{
    QJsonObject statusJson(const Session &session);
    QJsonObject drawsJson(const Session &session);

    // Runs one command on a started session; returns the exit code.
    int run(Session &session, const QStringList &arguments, bool json);
}
